// Real sources that no one here wrote, scanned by the function parser and
// the prototype scanner and compared with an independent tag tool
// (universal-ctags): function names and their lines must agree, except for
// the differences that the scanners' heuristics explain. Every difference is
// printed with the rule that explains it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>


#include "editor/symbols/code_walk.h"
#include "editor/browser/function_scan.h"
#include "editor/symbols/c_functions.h"
#include "editor/symbols/variable_scan.h"
#include "testing/kit/test_kit.h"

namespace {

#ifndef _WIN32

struct Tag {
    std::string name;
    int line; // 1-based, as the tool prints it
    bool operator<(const Tag& o) const { return line != o.line ? line < o.line : name < o.name; }
    bool operator==(const Tag& o) const { return line == o.line && name == o.name; }
};

bool ToolPresent()
{
    return std::system("ctags --version >/dev/null 2>&1") == 0;
}

// The tool's functions and prototypes of one file, and the lines of its
// tags of every kind.
void ToolTags(const std::string& path, std::set<Tag>& functions, std::set<Tag>& prototypes, std::set<int>& anyTag)
{
    std::string cmd = "ctags -x --_xformat='%N\t%K\t%n' --kinds-C=* --kinds-C++=* --extras=-q "
                      "--language-force=C++ '" + path + "' 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    char buf[65536];
    while (std::fgets(buf, sizeof buf, p)) {
        // name TAB kind TAB line; names such as "operator ()" hold blanks.
        std::string l = buf;
        size_t t1 = l.find('\t');
        size_t t2 = t1 == std::string::npos ? t1 : l.find('\t', t1 + 1);
        if (t2 == std::string::npos)
            continue;
        std::string name = l.substr(0, t1);
        std::string kind = l.substr(t1 + 1, t2 - t1 - 1);
        int number = std::atoi(l.c_str() + t2 + 1);
        anyTag.insert(number);
        if (kind == "function")
            functions.insert({name, number});
        else if (kind == "prototype")
            prototypes.insert({name, number});
    }
    pclose(p);
}

template <class F>
std::set<Tag> Ours(const CSymbolMap& map, F accept)
{
    std::set<Tag> out;
    for (const auto& entry : map)
        for (const auto& r : entry.second)
            if (accept(*r))
                out.insert({entry.first, r->firstLine + 1});
    return out;
}


// One source file as the scanners see it, with line access for the rules
// that explain differences.
struct Source {
    std::string text;
    std::vector<size_t> starts;

    explicit Source(std::string t) : text(std::move(t))
    {
        starts.push_back(0);
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\r')
                starts.push_back(i + 1);
    }
    std::string Line(int line1) const
    {
        if (line1 < 1 || static_cast<size_t>(line1) > starts.size())
            return std::string();
        size_t b = starts[line1 - 1];
        size_t e = text.find('\r', b);
        return text.substr(b, e == std::string::npos ? std::string::npos : e - b);
    }
    // Offset of the whole word name on the line, or the line's start.
    size_t NameAt(int line1, const std::string& name) const
    {
        size_t b = line1 >= 1 && static_cast<size_t>(line1) <= starts.size() ? starts[line1 - 1] : 0;
        std::string l = Line(line1);
        for (size_t at = l.find(name); at != std::string::npos; at = l.find(name, at + 1)) {
            bool before = at == 0 || !IsIdentChar(l[at - 1]);
            bool after = at + name.size() >= l.size() || !IsIdentChar(l[at + name.size()]);
            if (before && after)
                return b + at;
        }
        return b;
    }
    // The line belongs to a #define: it or a line above it, joined by
    // backslashes, starts with "#".
    bool InMacro(int line1) const
    {
        for (int l = line1; l >= 1; --l) {
            std::string t = Line(l);
            size_t f = t.find_first_not_of(" \t");
            if (f != std::string::npos && t[f] == '#')
                return true;
            std::string above = Line(l - 1);
            while (!above.empty() && (above.back() == ' ' || above.back() == '\t'))
                above.pop_back();
            if (above.empty() || above.back() != '\\')
                return false;
        }
        return false;
    }
    // The preprocessor directive a line holds ("if", "ifdef", "elif", "else",
    // "endif", ...), or empty; blanks may stand around the "#".
    std::string Directive(int line1) const
    {
        std::string l = Line(line1);
        size_t f = l.find_first_not_of(" \t");
        if (f == std::string::npos || l[f] != '#')
            return std::string();
        size_t b = l.find_first_not_of(" \t", f + 1);
        if (b == std::string::npos)
            return std::string();
        size_t e = b;
        while (e < l.size() && IsIdentChar(l[e]))
            ++e;
        return l.substr(b, e - b);
    }
    // The #if group that holds a line: the line of its "#if" and the line of
    // the "#if", "#elif" or "#else" that opens the branch the line stands in.
    // Groups nested inside the branch are passed over. False when the line
    // stands in no group.
    bool BranchOf(int line1, int& groupStart, int& branchStart) const
    {
        branchStart = 0;
        int depth = 0;
        for (int l = line1 - 1; l >= 1; --l) {
            std::string d = Directive(l);
            if (d == "endif") {
                ++depth;
            } else if (d == "if" || d == "ifdef" || d == "ifndef") {
                if (depth > 0) {
                    --depth;
                    continue;
                }
                groupStart = l;
                if (branchStart == 0)
                    branchStart = l;
                return true;
            } else if (depth == 0 && branchStart == 0 && (d == "elif" || d == "else")) {
                branchStart = l;
            }
        }
        return false;
    }
    // Kinds of the blocks open at pos, outermost first: 'c' class, 's'
    // struct, union or enum, 'o' any other block; namespaces and extern "C"
    // blocks are not listed.
    std::string OpenBlocks(size_t pos) const
    {
        std::string stack;
        const char* t = text.c_str();
        const char* end = t + pos;
        for (const char* p = t; p < end;) {
            const char* q = SkipNonCode(p, end);
            if (q != p) {
                p = q;
                continue;
            }
            if (*p == '{') {
                char kind = 'o';
                if (OpensNamespaceBlock(p, t))
                    kind = 'n';
                else {
                    const char* h = p;
                    while (h > t && h[-1] != ';' && h[-1] != '{' && h[-1] != '}')
                        --h;
                    std::string head(h, p);
                    size_t last = std::string::npos;
                    char k = 'o';
                    for (const char* kw : {"class", "struct", "union", "enum"}) {
                        size_t n = std::strlen(kw);
                        for (size_t at = head.find(kw); at != std::string::npos; at = head.find(kw, at + 1))
                            if ((at == 0 || !IsIdentChar(head[at - 1])) &&
                                (at + n >= head.size() || !IsIdentChar(head[at + n])) &&
                                (last == std::string::npos || at > last)) {
                                last = at;
                                k = kw[0] == 'c' ? 'c' : 's';
                            }
                    }
                    if (last != std::string::npos && head.find_first_of("()=", last) == std::string::npos)
                        kind = k;
                }
                stack += kind;
            } else if (*p == '}' && !stack.empty()) {
                stack.pop_back();
            }
            ++p;
        }
        std::string out;
        for (char c : stack)
            if (c != 'n')
                out += c;
        return out;
    }
    // The statement that holds pos, from the previous ";", "{" or "}" up to pos.
    std::string StatementBefore(size_t pos) const
    {
        size_t b = pos;
        while (b > 0 && text[b - 1] != ';' && text[b - 1] != '{' && text[b - 1] != '}')
            --b;
        return text.substr(b, pos - b);
    }
    bool HasWord(const std::string& s, const char* word) const
    {
        size_t n = std::strlen(word);
        for (size_t at = s.find(word); at != std::string::npos; at = s.find(word, at + 1))
            if ((at == 0 || !IsIdentChar(s[at - 1])) && (at + n >= s.size() || !IsIdentChar(s[at + n])))
                return true;
        return false;
    }
    // What stands between the ")" that closes the parameter list after pos
    // and the next "{" or ";".
    std::string AfterParameters(size_t pos) const
    {
        size_t open = text.find('(', pos);
        if (open == std::string::npos)
            return std::string();
        int depth = 0;
        size_t i = open;
        for (; i < text.size(); ++i) {
            if (text[i] == '(')
                ++depth;
            else if (text[i] == ')' && --depth == 0)
                break;
        }
        size_t stop = text.find_first_of("{;", i);
        return stop == std::string::npos ? std::string() : text.substr(i + 1, stop - i);
    }
};

bool IsMacroName(const std::string& n)
{
    // A prefix such as "GTEST_" marks a macro too ("GTEST_DEFINE_bool_").
    size_t caps = 0;
    while (caps < n.size() && n[caps] >= 'A' && n[caps] <= 'Z')
        ++caps;
    if (caps >= 2 && caps < n.size() && n[caps] == '_')
        return true;
    bool upper = false;
    for (char c : n) {
        if (c >= 'a' && c <= 'z')
            return false;
        upper = upper || (c >= 'A' && c <= 'Z');
    }
    return upper;
}

struct Ranges {
    std::vector<std::pair<int, int>> spans; // 1-based first and last lines of our functions
    bool Covers(int line) const
    {
        for (const auto& s : spans)
            if (s.first < line && line <= s.second)
                return true;
        return false;
    }
};

// True when the scan found the tag's name at a header in an earlier branch
// of the #if group the tag stands in: the tool's tag is then another
// alternative header of a function the scan has. A tag in the first branch
// is never such an alternative, so a first header the scan missed stays a
// difference.
bool FoundAtEarlierAlternative(const Source& src, const std::set<Tag>& oursSameKind, const Tag& t)
{
    int group = 0, branch = 0;
    if (!src.BranchOf(t.line, group, branch) || branch == group)
        return false;
    for (const Tag& o : oursSameKind) {
        if (o.name != t.name || o.line <= group || o.line >= branch)
            continue;
        int otherGroup = 0, otherBranch = 0;
        if (src.BranchOf(o.line, otherGroup, otherBranch) && otherGroup == group)
            return true;
    }
    return false;
}

// The rule that explains why the tool finds a function or prototype that
// the scans do not, or empty when none does. oursSameKind: what the scan
// found of the same kind (functions or prototypes).
std::string ExplainToolOnly(const Source& src, const Ranges& ours, const std::set<Tag>& oursSameKind,
                            bool function, const Tag& t)
{
    if (src.InMacro(t.line))
        return "inside a macro body";
    if (t.name.compare(0, 8, "operator") == 0)
        return "an operator function: its name is no identifier";
    if (t.name.compare(0, 6, "__anon") == 0)
        return "a lambda, which the tool names and the scan does not list";
    for (int l = t.line + 1; l <= t.line + 3; ++l) {
        std::string next = src.Line(l);
        size_t f = next.find_first_not_of(" \t");
        if (f != std::string::npos && next.compare(f, 3, "#el") == 0 &&
            FoundAtEarlierAlternative(src, oursSameKind, t))
            return "headers in two preprocessor branches share one body";
    }
    size_t pos = src.NameAt(t.line, t.name);
    std::string blocks = src.OpenBlocks(pos);
    if (ours.Covers(t.line))
        return "inside a block the scan took as a function body";
    if (function) {
        if (blocks.size() >= 2)
            return "body at brace depth 3 or more, which the scan passes over";
        if (blocks.size() == 1 && blocks[0] != 'c')
            return "member defined in a struct, union or block body: only class bodies are looked into";
        size_t paren = src.text.find('(', pos);
        size_t close = src.text.find_last_not_of(" \t", paren == std::string::npos ? 0 : paren - 1);
        if (paren != std::string::npos && close != std::string::npos && src.text[close] == '>')
            return "template arguments stand between the name and its parameter list";
        std::string after = src.AfterParameters(pos);
        if (!after.empty() && after.back() == ';')
            return "a \";\" stands between the parameter list and the body";
        if (after.find('(') != std::string::npos || after.find('[') != std::string::npos)
            return "another bracket pair stands between the parameter list and the body";
        if (after.find('=') != std::string::npos)
            return "an \"=\" stands between the parameter list and the body";
    } else {
        if (blocks.find('o') != std::string::npos)
            return "declared inside a function or other block body, which the scan steps over";
        std::string stmt = src.StatementBefore(pos);
        if (src.HasWord(stmt, "static_assert"))
            return "the tool takes a call inside static_assert for a prototype";
        if (stmt.find('=') != std::string::npos)
            return "an \"=\" (a default template argument) before the name marks an initialiser for the scan";
        if (stmt.find("(*") != std::string::npos || stmt.find("( *") != std::string::npos)
            return "a function returning a function pointer: its name stands inside parentheses";
        std::string l = src.Line(t.line);
        if (l.find('=') != std::string::npos && l.find('=') < l.find(t.name))
            return "an initialiser calls the name";
    }
    return std::string();
}

std::string ExplainOursOnly(const Source& src, const std::set<Tag>& toolAll, const std::set<int>& toolLines,
                            bool function, const Tag& t)
{
    if (IsMacroName(t.name))
        return function ? "a macro call before a block looks like a definition"
                        : "a macro call or an annotation macro looks like a prototype";
    if (src.InMacro(t.line))
        return "inside a multi-line macro body, whose first line alone is tested for \"#\"";
    for (const Tag& o : toolAll)
        if (o.line >= t.line - 3 && o.line <= t.line + 3 && o.name != t.name)
            return "the identifier before the last parenthesis pair is taken as the name (the tool's " + o.name +
                " at line " + std::to_string(o.line) + ")";
    size_t pos = src.NameAt(t.line, t.name);
    std::string stmt = src.StatementBefore(pos);
    if (!function && src.HasWord(stmt, "friend"))
        return "a friend declaration, which the tool does not list";
    std::string line = src.Line(t.line);
    size_t named = line.find(t.name);
    if (!function && named != std::string::npos &&
        (line.find("(*", named) != std::string::npos || line.find("::*", named) != std::string::npos))
        return "a function pointer: the identifier before its parenthesis is its type";
    for (const Tag& o : toolAll) {
        if (o.name != t.name || o.line == t.line)
            continue;
        int a = std::min(o.line, t.line), b = std::max(o.line, t.line);
        for (int l = a; l <= b; ++l) {
            std::string between = src.Line(l);
            size_t f = between.find_first_not_of(" \t");
            if (f != std::string::npos && (between.compare(f, 3, "#el") == 0 || between.compare(f, 6, "#endif") == 0))
                return "defined again in another preprocessor branch, which the tool skips";
        }
    }
    // The name stands in the initializer list of a constructor whose header
    // the tool starts earlier: the scan's walk back stopped inside the list.
    for (const Tag& o : toolAll)
        if (o.line < t.line && o.line >= t.line - 60) {
            size_t from = src.NameAt(o.line, o.name);
            const char* brace = FindCodeChar(src.text.c_str() + from, src.text.c_str() + pos, "{;");
            if (!brace)
                return "inside an initializer list: the identifier before the last parenthesis pair is taken (the "
                       "tool's " + o.name + " at line " + std::to_string(o.line) + ")";
        }
    if (function && (src.HasWord(stmt, "class") || src.HasWord(stmt, "struct")))
        return "a class head with parentheses (a base class or template argument) looks like a function header";
    if (t.name == "decltype" || stmt.find("->") != std::string::npos)
        return "a trailing return type: the identifier before the last parenthesis pair is taken as the name";
    if (!toolLines.count(t.line))
        return "a definition the tool lists nothing for";
    std::string blocks = src.OpenBlocks(pos);
    if (!function && blocks.empty())
        return "a file-level call or declaration of an object with constructor arguments";
    return std::string();
}

struct Corpus {
    const char* name;
    const char* dir;
};

const Corpus kCorpora[] = {
    {"googletest", "/usr/src/googletest"},
    {"curl examples", "/usr/share/doc/libcurl4/examples"},
};

class CtagsCompare : public ::testing::TestWithParam<Corpus> {};

TEST_P(CtagsCompare, FunctionsAndPrototypes)
{
    if (!ToolPresent())
        GTEST_SKIP() << "universal-ctags is not installed: comparison skipped";
    const std::vector<std::string> files = files_below(GetParam().dir, {".c", ".h", ".cc"});
    if (files.empty())
        GTEST_SKIP() << GetParam().dir << " holds no sources: comparison skipped";
    size_t agreeF = 0, agreeP = 0;
    std::vector<std::string> explained, unexplained;
    for (const std::string& path : files) {
        std::set<Tag> toolF, toolP;
        std::set<int> toolLines;
        ToolTags(path, toolF, toolP, toolLines);
        std::string text = read_file(path);
        NormalizeLineEnds(text);
        CSymbolMap functions, declarations;
        ParseCFunctions(text.c_str(), text.size(), functions, nullptr, path, nullptr);
        ScanFunctionDeclarations(ScanText{text.c_str(), text.size(), path}, 0, text.size(), declarations);
        std::set<Tag> ourF = Ours(functions, [](const CSymbolInfo&) { return true; });
        std::set<Tag> ourP = Ours(declarations, [](const CSymbolInfo&) { return true; });
        Ranges ranges;
        for (const auto& entry : functions)
            for (const auto& r : entry.second)
                ranges.spans.push_back({r->firstLine + 1, r->lastLine + 1});
        std::set<Tag> toolAll = toolF;
        toolAll.insert(toolP.begin(), toolP.end());
        Source src(text);
        auto note = [&](const std::string& what, const Tag& t, const std::string& why) {
            std::string line = what + " " + path + ":" + std::to_string(t.line) + " " + t.name;
            if (why.empty())
                unexplained.push_back(line);
            else
                explained.push_back(line + ": " + why);
        };
        auto compare = [&](bool function, const std::set<Tag>& tool, const std::set<Tag>& ours, size_t& agree) {
            const char* what = function ? "function" : "prototype";
            for (const Tag& t : tool) {
                if (ours.count(t))
                    ++agree;
                else
                    note(std::string("tool only ") + what, t, ExplainToolOnly(src, ranges, ours, function, t));
            }
            for (const Tag& t : ours)
                if (!tool.count(t))
                    note(std::string("ours only ") + what, t, ExplainOursOnly(src, toolAll, toolLines, function, t));
        };
        compare(true, toolF, ourF, agreeF);
        compare(false, toolP, ourP, agreeP);
    }
    std::printf("%s: %zu files; %zu functions and %zu prototypes agree; %zu differences explained, %zu not\n",
                GetParam().name, files.size(), agreeF, agreeP, explained.size(), unexplained.size());
    std::map<std::string, int> byReason;
    for (const std::string& d : explained) {
        std::printf("  %s\n", d.c_str());
        std::string reason = d.substr(d.find(": ") + 2);
        size_t cut = reason.find(" (the tool's");
        ++byReason[reason.substr(0, cut)];
    }
    for (const auto& r : byReason)
        std::printf("  %5d  %s\n", r.second, r.first.c_str());
    for (const std::string& d : unexplained)
        ADD_FAILURE() << "unexplained difference: " << d;
}

INSTANTIATE_TEST_SUITE_P(Sources, CtagsCompare, ::testing::ValuesIn(kCorpora));

// Alternative headers in the branches of one #if group: a tag of the tool
// there is explained only when the scan found the same name at a header of
// an earlier branch of that group. A missed first header, a match before
// the group or after the tag, or one in a nested group explains nothing.
TEST(CtagsCompareRules, AlternativeHeadersNeedTheScansEarlierBranch)
{
    std::string text = "int h(int);\n"     // 1
                       "#if X\n"           // 2
                       "int h(long);\n"    // 3
                       "#elif Y\n"         // 4
                       "# ifdef Z\n"       // 5
                       "int k(int);\n"     // 6
                       "# endif\n"         // 7
                       "int h(char);\n"    // 8
                       "#else\n"           // 9
                       "int h(short);\n"   // 10
                       "#endif\n";         // 11
    NormalizeLineEnds(text);
    const Source src(text);
    const std::string shared = "headers in two preprocessor branches share one body";
    struct Row {
        Tag tool;
        std::set<Tag> ours;
        bool explained;
    } rows[] = {
        {{"h", 8}, {{"h", 3}}, true},
        {{"h", 8}, {{"h", 1}}, false},
        {{"h", 8}, {{"h", 10}}, false},
        {{"h", 8}, {{"k", 6}}, false},
        {{"h", 3}, {}, false},
        {{"h", 3}, {{"h", 1}}, false},
        {{"k", 6}, {}, false},
        {{"h", 8}, {{"h", 6}}, false},
    };
    for (const Row& r : rows) {
        const std::string why = ExplainToolOnly(src, Ranges(), r.ours, false, r.tool);
        EXPECT_EQ(why == shared, r.explained) << r.tool.name << " at line " << r.tool.line << ": " << why;
        EXPECT_TRUE(why == shared || why.empty()) << why;
    }
}

#else

TEST(CtagsCompare, FunctionsAndPrototypes)
{
    GTEST_SKIP() << "the comparison runs the Linux tag tool: skipped in the Windows build";
}

#endif

} // namespace
