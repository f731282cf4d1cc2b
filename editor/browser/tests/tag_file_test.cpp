// The tag file: its name, every kind of line, and a write that either
// replaces the file whole or leaves the old one as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "editor/browser/tag_file.h"
#include "testing/kit/test_kit.h"

namespace {

std::unique_ptr<CSymbolInfo> Rec(const char* text, const char* name, const char* file, int first, int last = 0)
{
    auto r = std::make_unique<CSymbolInfo>();
    r->text = text;
    if (name)
        r->name = name;
    if (file)
        r->file = file;
    r->firstLine = first;
    r->lastLine = last;
    return r;
}

void Fill(CBrowserMaps& maps)
{
    maps.defines.AddSymbol("MAX(a,b)", Rec("", "#define MAX(a,b) ((a)>(b)?(a):(b))", "m.h", 2));
    maps.enums.AddSymbol("RED", Rec("", "enum: Color.RED", "c.h", 5));
    maps.types.AddSymbol("tagP", Rec("", "struct type : tagP", "p.h", 0));
    CSymbolInfo* f = maps.functions.AddSymbol("foo", Rec("foo", "static int foo(int a)", "f.c", 10, 20));
    auto member = Rec("get", "int A::get() const", "a.cpp", 30, 33);
    member->className = "A";
    CSymbolInfo* get = maps.functions.AddSymbol("get", std::move(member));
    CSymbolInfo* cls = maps.variables.AddSymbol("A:", Rec("", "class: A", "a.cpp", 1, 9));
    maps.variables.AddSymbol("count", Rec("count", "int", "f.c", 3));
    auto local = Rec("n", "long*", "f.c", 11);
    local->owner = f;
    maps.variables.AddSymbol("n", std::move(local));
    auto mine = Rec("v", "char", "a.cpp", 31);
    mine->owner = get;
    maps.variables.AddSymbol("v", std::move(mine));
    auto field = Rec("x", "int", "a.cpp", 2);
    field->owner = cls; // a class record has an empty text
    maps.variables.AddSymbol("x", std::move(field));
    maps.declarations.AddSymbol("bar", Rec("", "void bar(int)", "f.h", 7));
    // A record without strings must print as empty text, not crash.
    maps.declarations.AddSymbol("bare", Rec("", nullptr, nullptr, 8));
}

TEST(TagFile, EveryKindOfLine)
{
    CBrowserMaps maps;
    Fill(maps);
    EXPECT_EQ(FormatTagFile(maps),
              "Define:   #define MAX(a,b) ((a)>(b)?(a):(b))   m.h - Line: 2\r\n"
              "Enum:     enum: Color.RED   c.h - Line: 5\r\n"
              "typedef:  struct type : tagP   p.h - Line: 0\r\n"
              "function: static int foo(int a)   f.c - from line: 10 to 20\r\n"
              "function: A::int A::get() const   a.cpp - from line: 30 to 33\r\n"
              "globvar:  class: A A:  a.cpp - Line: 1\r\n"
              "globvar:  int count  f.c - Line: 3\r\n"
              "locvar:   long* n (foo),  f.c - Line: 11\r\n"
              "locvar:   char v (A::get),  a.cpp - Line: 31\r\n"
              "locvar:   int x (),  a.cpp - Line: 2\r\n"
              "Function declaration:   void bar(int)   f.h - Line: 7\r\n"
              "Function declaration:       - Line: 8\r\n");
}

TEST(TagFile, LongLinesAreWrittenWhole)
{
    CBrowserMaps maps;
    std::string header = "int f(" + std::string(100000, 'x') + ")";
    maps.functions.AddSymbol("f", Rec("f", header.c_str(), "f.c", 0, 1));
    std::string text = FormatTagFile(maps);
    EXPECT_NE(text.find(header + "   f.c - from line: 0 to 1\r\n"), std::string::npos);
}

struct PathCase {
    const char* given;
    const char* workspace;
    const char* profile;
    const char* expected;
};

TEST(TagFile, PathChoice)
{
    const PathCase cases[] = {
        {"C:\\x\\my.tag", "C:\\w\\p.wsp", "C:\\bin\\ovanta.ini", "C:\\x\\my.tag"},
        {"", "C:\\w\\proj.wsp", "C:\\bin\\ovanta.ini", "C:\\w\\proj.tag"},
        {"", "C:\\w\\proj", "C:\\bin\\ovanta.ini", "C:\\w\\proj.tag"},
        // A dot in a folder name is no extension of the file.
        {"", "C:\\my.work\\proj", "C:\\bin\\ovanta.ini", "C:\\my.work\\proj.tag"},
        {"", "/home/u/a.b/p.wsp", "", "/home/u/a.b/p.tag"},
        {"", "", "C:\\bin\\ovanta.ini", "C:\\bin\\ovanta.tag"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(TagFilePath(c.given, c.workspace, c.profile), c.expected) << c.workspace;
}

TEST(TagFile, WritesWholeFileOrLeavesTheOldOne)
{
    const std::string dir = host_path(test_folder("tags"));
    std::string path = dir + "/symbols.tag";
    {
        std::ofstream old(path, std::ios::binary);
        old << "an older and longer tag file than the new one will be\r\n";
    }
    CBrowserMaps maps;
    maps.enums.AddSymbol("RED", Rec("", "enum: Color.RED", "c.h", 5));
    ASSERT_EQ(WriteTagFile(path, maps), TAG_FILE_OK);
    EXPECT_EQ(read_file(path), "Enum:     enum: Color.RED   c.h - Line: 5\r\n");

    CBrowserMaps empty;
    ASSERT_EQ(WriteTagFile(path, empty), TAG_FILE_OK);
    EXPECT_EQ(read_file(path), "");

    std::string why;
    EXPECT_EQ(WriteTagFile(dir + "/no such folder/x.tag", maps, &why), TAG_FILE_WRITE_FAILED);
    EXPECT_NE(why.find("x.tag"), std::string::npos) << why;
    EXPECT_EQ(WriteTagFile("", maps), TAG_FILE_NO_PATH);

    // A folder where the file should go: the old folder stays, nothing is left.
    std::string dirPath = dir + "/a_folder.tag";
    make_dirs(dirPath);
    EXPECT_EQ(WriteTagFile(dirPath, maps), TAG_FILE_WRITE_FAILED);
    struct stat st;
    ASSERT_EQ(stat(dirPath.c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IFDIR);
}

} // namespace
