// Object and library reading: the checks of each line, member selection and
// the meaning of names across objects.
#include "linker/tests/link_fixture.h"
#include "linker/model.h"
#include "linker/names.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace {

// A fixed code segment so that a well-formed object links on its own.
const std::vector<std::string> code = {"segment:code @0:0 u:1", "22", "src:x.a51 #0"};

std::vector<std::string> with_code(std::vector<std::string> body)
{
    std::vector<std::string> lines = code;
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

struct bad_object_case {
    const char* what;
    std::vector<std::string> body;
    const char* message;
};

class BadObjectLine : public testing::TestWithParam<bad_object_case> {};

TEST_P(BadObjectLine, IsReportedAndStopsTheRun)
{
    enter_scratch_folder();
    write_object("x.obj", GetParam().body);
    link_result r = run_link({"x.obj", "-o-"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.messages.find(GetParam().message), std::string::npos) << r.messages;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadObjectLine,
    testing::Values(
        bad_object_case{"unknown line", with_code({"bogus"}), "Error: x.obj: corrupt line: 'bogus'\n"},
        bad_object_case{"other cpu", with_code({"cpuname:z80"}), "x.obj: corrupt line: 'cpuname:z80'"},
        bad_object_case{"segment without used bytes", {"segment:code @0:0 s:4"},
                        "x.obj: corrupt line: 'segment:code @0:0 s:4'"},
        bad_object_case{"segment attribute out of order", {"segment:code @0:0 u:1 c:text n", "22"},
                        "x.obj: corrupt line: 'segment:code @0:0 u:1 c:text n'"},
        bad_object_case{"export without location", with_code({"export:start 0:0"}),
                        "x.obj: corrupt line: 'export:start 0:0'"},
        bad_object_case{"define without value", with_code({"define:k"}), "x.obj: corrupt line: 'define:k'"},
        bad_object_case{"content that is not hexadecimal", {"segment:code @0:0 u:2", "22 zz"},
                        "x.obj: corrupt line: '22 zz'"},
        bad_object_case{"too many content bytes", {"segment:code @0:0 u:1", "22 22"},
                        "x.obj: corrupt line: '22 22'"},
        bad_object_case{"content cut short", {"segment:code @0:0 u:3", "22", "objectend"},
                        "x.obj: corrupt line: 'objectend'"},
        bad_object_case{"fill without notext", {"segment:code @0:0 u:1 f", "22"},
                        "Error: x.obj: segment 'code' classified 'fill' but not 'notext'\n"},
        bad_object_case{"unknown storage class", with_code({"segment:d @1:m u:1 n c:stack"}),
                        "Error: x.obj: illegal sclass 'stack'\n"},
        bad_object_case{"storage class named like a file", with_code({"segment:d @1:m u:1 n c:x.obj"}),
                        "Error: x.obj: identifier 'x.obj' already in use, illegal 'sclass'\n"},
        bad_object_case{"two storage classes",
                        with_code({"segment:d @1:m u:1 n c:dram", "segment:d @2:m u:1 n c:iram"}),
                        "Error: x.obj: segment 'd' sclass 'iram' already set to 'dram'\n"},
        bad_object_case{"two orgs", with_code({"segment:code @1:10 u:1", "22"}),
                        "Error: x.obj: different segment org set\n"},
        bad_object_case{"two sizes",
                        with_code({"segment:d @1:m s:4 u:1 n c:dram", "segment:d @2:m s:8 u:1 n c:dram"}),
                        "Error: x.obj: different segment size set\n"},
        bad_object_case{"two pages",
                        with_code({"segment:t @1:m u:0 p:100", "segment:t @2:m u:0 p:80"}),
                        "Error: x.obj: different page values set\n"},
        bad_object_case{"two aligns",
                        with_code({"segment:t @1:m u:0 a:2", "segment:t @2:m u:0 a:4"}),
                        "Error: x.obj: different align values set\n"},
        bad_object_case{"notext after text", with_code({"segment:code @1:0 u:1 n"}),
                        "Error: x.obj: segment 'code' classified 'notext'\n"},
        bad_object_case{"segment named like a file", with_code({"segment:x.a51 @1:m u:0"}),
                        "Error: x.obj: identifier 'x.a51' already in use\n"},
        bad_object_case{"import of a segment name", with_code({"import:code"}),
                        "Error: x.obj: identifier 'code' already in use\n"},
        bad_object_case{"two definitions",
                        with_code({"define:k 1", "define:k 2"}),
                        "Error: x.obj: different definitions for 'k' ($1 and $2)\n"},
        bad_object_case{"source named like a segment", with_code({"src:code #1"}),
                        "x.obj: corrupt line: 'src:code #1'"},
        bad_object_case{"graph caller undefined", with_code({"sgraph:d1 d2 code"}),
                        "Error: x.obj: caller 'd1' undefined\n"},
        bad_object_case{"graph without owner",
                        with_code({"segment:d1 @1:m u:0 n f c:dram", "segment:d2 @2:m s:2 u:0 n f c:dram",
                                   "sgraph:d1 d2"}),
                        "Error: x.obj: ownsersegment missing, old format\n"},
        bad_object_case{"graph callee without size",
                        with_code({"segment:d1 @1:m u:0 n f c:dram", "segment:d2 @2:m u:0 n f c:dram",
                                   "sgraph:d1 d2 code"}),
                        "Error: x.obj: sgraph callee segments 'd2' need 'fill', 'size' and 'notext'\n"},
        bad_object_case{"graph across storage classes",
                        with_code({"segment:d1 @1:m u:0 n f c:dram", "segment:d2 @2:m s:2 u:0 n f c:iram",
                                   "sgraph:d1 d2 code"}),
                        "Error: x.obj: segments have differents sclass: 'd1': 'dram' and 'd2': 'iram'\n"}),
    [](const testing::TestParamInfo<bad_object_case>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(ObjectFileName, MustMatchTheFileNameWithoutRegardToCaseOrFolder)
{
    enter_scratch_folder();
    write_lines("renamed.obj", object_lines("orig.obj", code));
    link_result r = run_link({"renamed.obj", "-o-"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages, "Error: renamed.obj: corrupt line: 'objectfile:orig.obj'\n");

    write_lines("upper.obj", object_lines("UPPER.OBJ", code));
    EXPECT_EQ(run_link({"upper.obj", "-o-"}).code, 0);

    // The base name counts, whichever separator the path uses.
    make_folder("dir");
    write_lines("dir/sub.obj", object_lines("sub.obj", code));
    EXPECT_EQ(run_link({"dir/sub.obj", "-o-"}).code, 0);
    EXPECT_EQ(run_link({"dir\\sub.obj", "-o-"}).code, 0);
}

TEST(ObjectLines, OfAnyLengthAndWithBareLineFeedsAreRead)
{
    enter_scratch_folder();
    std::string label(600, 'q');
    std::vector<std::string> lines = object_lines("long.obj", {"export:" + label + " @0:0", "segment:code @0:0 u:1", "22",
                                                               "src:long.a51 #0"});
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    write_file("long.obj", text);
    link_result r = run_link({"long.obj", "-o-", "-dl"});
    EXPECT_EQ(r.code, 0) << r.messages;
    EXPECT_NE(read_file("a.den").find("#define " + label + " 0x0\r\n"), std::string::npos);
}

// Library members: a member is read only when something in use imports one
// of its exports, directly or through other members.
TEST(LibraryMembers, AreChosenThroughChainsOfImports)
{
    enter_scratch_folder();
    write_object("main.obj", {"import:f1", "segment:code @0:0 u:1", "22", "src:main.a51 #0"});
    std::vector<std::string> lib;
    auto member = [&lib](const std::string& name, const std::vector<std::string>& body) {
        std::vector<std::string> lines = object_lines(name, body);
        lib.insert(lib.end(), lines.begin(), lines.end());
    };
    member("m3.obj", {"export:f3 @0:0", "segment:s3 @0:m u:1", "33"});
    member("m2.obj", {"import:f3", "export:f2 @0:0", "segment:s2 @0:m u:1", "22"});
    member("unused.obj", {"import:f2", "export:fx @0:0", "segment:sx @0:m u:1", "44"});
    member("m1.obj", {"import:f2", "export:f1 @0:0", "segment:s1 @0:m u:1", "11"});
    write_lines("rt.lib", lib);

    link_result r = run_link({"main.obj", "-lrt", "-o-", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    std::vector<std::string> chosen;
    for (object_module* obj : objects)
        if (obj->in_use)
            chosen.push_back(obj->entry->name);
    // Command-line objects first, then members in library order.
    EXPECT_EQ(chosen, (std::vector<std::string>{"main.obj", "m3.obj", "m2.obj", "m1.obj"}));
    EXPECT_EQ(name_find("fx", true)->state, NAME_PUBLIC);
    EXPECT_EQ(name_find("sx", true), nullptr) << "an unchosen member is read for its index only";
}

TEST(LibraryMembers, RedefinitionsAreIgnoredWithAWarning)
{
    enter_scratch_folder();
    write_object("main.obj", {"import:f", "segment:code @0:0 u:1", "22", "src:main.a51 #0"});
    std::vector<std::string> a = object_lines("main.obj", {"segment:other @0:m u:1", "00"});
    std::vector<std::string> b = object_lines("f.obj", {"export:f @0:0", "segment:f1 @0:m u:1", "01"});
    std::vector<std::string> lib1 = a;
    lib1.insert(lib1.end(), b.begin(), b.end());
    write_lines("one.lib", lib1);
    std::vector<std::string> c = object_lines("f.obj", {"export:f @0:0", "segment:f2 @0:m u:1", "02"});
    std::vector<std::string> d = object_lines("g.obj", {"export:f @0:0", "segment:g @0:m u:1", "03"});
    std::vector<std::string> lib2 = c;
    lib2.insert(lib2.end(), d.begin(), d.end());
    write_lines("two.lib", lib2);

    link_result r = run_link({"main.obj", "-lone.lib", "-ltwo", "-o-"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages,
              "Warning: one.lib: redefinition of 'main.obj' ignored\n"
              "Warning: two.lib: redefinition of 'f.obj' ignored (defined in 'one.lib')\n"
              "Warning: 'f' exported in 'g.obj' (ignored) and in 'f.obj' (used)\n");
    // The first f.obj is linked once, from its own library.
    EXPECT_EQ(name_find("f2", true), nullptr);
    link_segment* f = static_cast<link_segment*>(name_find("f1", true)->payload);
    EXPECT_EQ(f->subs.size(), 1u);
}

TEST(PublicNames, DefinitionsResolveImportsInEitherOrder)
{
    enter_scratch_folder();
    write_object("a.obj", {"import:k", "segment:code @0:0 u:1", "00", "src:a.a51 #0", "ref byte #0:1 @0:0 k"});
    write_object("b.obj", {"define:k 2a", "define:same 5"});
    write_object("c.obj", {"define:same 5"});
    for (const auto& order : {std::vector<std::string>{"a", "b", "c"}, std::vector<std::string>{"b", "c", "a"}}) {
        std::vector<std::string> args = order;
        args.push_back("-oout.bin");
        link_result r = run_link(args);
        ASSERT_EQ(r.code, 0) << r.messages;
        EXPECT_EQ(read_file("out.bin").substr(0, 1), "\x2a");
    }
}

TEST(PublicNames, AnExportSeenTwiceOnTheCommandLineKeepsTheFirstAndWarns)
{
    enter_scratch_folder();
    write_object("a.obj", {"export:e @0:0", "export:__mark @0:0", "segment:code @0:0 u:1", "00", "src:a.a51 #0"});
    write_object("b.obj", {"export:e @0:0", "export:__mark @0:0", "segment:more @0:m u:1", "00"});
    link_result r = run_link({"a", "b", "-o-", "-n"});
    EXPECT_EQ(r.code, 0);
    // Named once, with both objects; names of the linker's own kind are not.
    EXPECT_EQ(r.messages, "Warning: 'e' exported in 'b.obj' (ignored) and in 'a.obj' (used)\n");
    public_symbol* e = static_cast<public_symbol*>(name_find("e", true)->payload);
    EXPECT_EQ(e->owner->entry->name, "a.obj");
    EXPECT_EQ(e->value, 0);
}

// A member exported a name a command-line object exports too: named once,
// when the library's index is read, not again when the member is read whole.
TEST(PublicNames, AnExportOfAMemberAndAnObjectIsNamedOnce)
{
    enter_scratch_folder();
    write_object("a.obj", {"import:f", "export:e @0:0", "segment:code @0:0 u:1", "00", "src:a.a51 #0"});
    write_lines("rt.lib", object_lines("m.obj", {"export:f @0:0", "export:e @0:0", "segment:mc @0:m u:1", "00"}));
    link_result r = run_link({"a", "-lrt", "-o-", "-n"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages, "Warning: 'e' exported in 'm.obj' (ignored) and in 'a.obj' (used)\n");
}

// A member that only defines a constant is linked by an import of it, as
// the same object is when named on the command line.
TEST(LibraryMembers, AreChosenForTheConstantsTheyDefine)
{
    enter_scratch_folder();
    write_object("a.obj", {"import:foo", "segment:code @0:0 u:2", "00 00", "src:a.a51 #0", "ref w_hl #0:1 @0:0 foo"});
    std::vector<std::string> lib = object_lines("c.obj", {"define:foo 1234"});
    std::vector<std::string> d_lines = object_lines("d.obj", {"define:bar 99"});
    lib.insert(lib.end(), d_lines.begin(), d_lines.end());
    write_lines("consts.lib", lib);
    link_result r = run_link({"a", "-lconsts", "-oout.bin"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(read_file("out.bin"), std::string("\x12\x34\0\0\0\0", 6));
    object_module* c = static_cast<object_module*>(name_find("c.obj", true)->payload);
    object_module* d = static_cast<object_module*>(name_find("d.obj", true)->payload);
    EXPECT_EQ(c->in_use, 2);
    EXPECT_EQ(d->in_use, 0);
    // Not linked, d's constant stays undefined.
    EXPECT_FALSE(static_cast<public_symbol*>(name_find("bar", true)->payload)->defined);
}

TEST(Libraries, WithAMemberHeaderMissingAreCorrupt)
{
    enter_scratch_folder();
    write_object("a.obj", code);
    write_lines("bad.lib", {"cpuname:i8051"});
    link_result r = run_link({"a", "-lbad", "-o-"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages, "Error: bad.lib: corrupt line: 'cpuname:i8051'\n");
    r = run_link({"a", "-lmissing", "-o-"});
    EXPECT_EQ(r.messages, "Error: unable to open 'missing.lib'\n");
}

} // namespace
