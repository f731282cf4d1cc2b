// The C formatter: golden outputs for small inputs, the refusal of
// unbalanced texts, and on every input, real sources included, the
// property that no byte other than blanks and line ends is lost or moved.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/syntax/c_formatter.h"
#include "testing/kit/test_kit.h"

namespace {

// The text with "\n" written for CR, as the tables write it.
std::string Cr(std::string s)
{
    std::replace(s.begin(), s.end(), '\n', '\r');
    return s;
}

std::string Lf(std::string s)
{
    std::replace(s.begin(), s.end(), '\r', '\n');
    return s;
}

// Every byte that is not a blank, tab, fill, soft break or line end, in order.
std::string Ink(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '\t' && c != 1 && c != 2 && c != '\r' && c != '\n')
            out += c;
    return out;
}

class Recorder : public CAlignProgress {
public:
    void Status(const char* text) override { statuses.push_back(text); }
    void Range(size_t max) override { range = max; }
    void Position(size_t pos) override { ok = ok && pos <= range; }
    std::vector<std::string> statuses;
    size_t range = 0;
    bool ok = true;
};

struct Golden {
    const char* name;
    const char* in;
    const char* out;
};

const Golden kGolden[] = {
    {"statements_split", "a = 1; b = 2;\n", "a = 1;\nb = 2;\n"},
    {"for_header_kept", "for (i = 0; i < n; i++) x++;\n", "for (i = 0; i < n; i++) x++;\n"},
    {"calls_split", "f(x); g(y);\n", "f(x);\ng(y);\n"},
    {"function_and_if_body",
     "int f(int a) {\n  if (a)\n  return 1;\n  return 0; }\n",
     "int f(int a)\n{\n    if (a)\n        return 1;\n    return 0;\n}\n"},
    {"if_with_brace_gets_no_extra",
     "void g(void) {\nif (x)\n{\ny();\n}\n}\n",
     "void g(void)\n{\n    if (x)\n    {\n        y();\n    }\n}\n"},
    // The statement break comes first, so the one-line block opens up.
    {"else_branch", "void h(void) {\nif (a) { b(); } else\nc();\n}\n",
     "void h(void)\n{\n    if (a)\n    {\n        b();\n    }\n    else\n        c();\n}\n"},
    {"continued_arguments", "void k(void) {\ncall(first,\nsecond);\n}\n",
     "void k(void)\n{\n    call(first,\n         second);\n}\n"},
    {"switch_branches",
     "void s(int v) {\nswitch (v) {\ncase 1:\nx();\nbreak;\ncase 2:\ncase 3:\ny();\nbreak;\n}\n}\n",
     "void s(int v)\n{\n    switch (v)\n    {\n        case 1:\n            x();\n            break;\n"
     "        case 2:\n        case 3:\n            y();\n            break;\n    }\n}\n"},
    // The brace levels indent it; the switch pass leaves it alone.
    {"switch_at_left_margin_untouched", "switch (v) {\ncase 1:\nx();\nbreak;\n}\n",
     "switch (v)\n{\n    case 1:\n    x();\n    break;\n}\n"},
    {"preprocessor_branches", "#ifdef A\nint a;\n#else\nint b;\n#endif\nint c;\n",
     "#ifdef A\n    int a;\n#else\n    int b;\n#endif\nint c;\n"},
    {"tabs_and_trailing_blanks", "int\tx;   \n\t\tint y;\n", "int x;\nint y;\n"},
    {"editor_tab_fill", "int\t\x01\x01x;\n", "int   x;\n"},
    {"comment_keeps_its_lines", "/* a; b;\n   c */ int d; // e; f\n", "/* a; b;\n   c */ int d; // e; f\n"},
    {"brace_in_string", "char *s = \"{\"; int t;\n", "char *s = \"{\";\nint t;\n"},
};

class FormatterGolden : public ::testing::TestWithParam<Golden> {};

TEST_P(FormatterGolden, Output)
{
    std::string text = Cr(GetParam().in);
    std::string ink = Ink(text);
    Recorder rec;
    ASSERT_EQ(AlignCSyntax(text, 4, &rec), ALIGN_DONE);
    EXPECT_EQ(Lf(text), GetParam().out);
    EXPECT_EQ(Ink(text), ink);
    EXPECT_TRUE(rec.ok);
    ASSERT_FALSE(rec.statuses.empty());
    EXPECT_EQ(rec.statuses.front(), "Insert line breaks after colons...");
    EXPECT_EQ(rec.statuses.back(), "");
}

INSTANTIATE_TEST_SUITE_P(Inputs, FormatterGolden, ::testing::ValuesIn(kGolden),
                         [](const ::testing::TestParamInfo<Golden>& info) { return std::string(info.param.name); });

TEST(Formatter, UnbalancedTextIsRefusedUnchanged)
{
    std::string more = Cr("void f(void) {\n{\n}\n");
    std::string before = more;
    EXPECT_EQ(AlignCSyntax(more, 4, nullptr), ALIGN_MORE_OPENING);
    EXPECT_EQ(more, before);
    std::string less = Cr("void f(void) {\n}\n}\n");
    before = less;
    EXPECT_EQ(AlignCSyntax(less, 4, nullptr), ALIGN_MORE_CLOSING);
    EXPECT_EQ(less, before);
    // Braces in comments, strings and character literals do not count.
    std::string ok = Cr("/* { */ char c = '{'; const char *s = \"}}\";\n");
    EXPECT_EQ(AlignCSyntax(ok, 4, nullptr), ALIGN_DONE);
}

TEST(Formatter, SecondRunChangesNothing)
{
    for (const Golden& g : kGolden) {
        std::string once = Cr(g.in);
        AlignCSyntax(once, 4, nullptr);
        std::string twice = once;
        AlignCSyntax(twice, 4, nullptr);
        EXPECT_EQ(Lf(twice), Lf(once)) << g.name;
    }
}

// Real sources no one here wrote: the formatter keeps every non-blank byte
// in its place in the order of the text.
TEST(Formatter, RealSourcesKeepEveryNonBlankByte)
{
    const char* const files[] = {
        "/usr/src/googletest/googletest/src/gtest.cc",
        "/usr/src/googletest/googletest/src/gtest-port.cc",
        "/usr/src/googletest/googletest/src/gtest-death-test.cc",
        "/usr/src/googletest/googlemock/src/gmock-matchers.cc",
        "/usr/src/googletest/googletest/include/gtest/internal/gtest-port.h",
        "/usr/share/doc/libcurl4/examples/multi-event.c",
        "/usr/share/doc/libcurl4/examples/ephiperfifo.c",
        "/usr/share/doc/libcurl4/examples/sftpuploadresume.c",
    };
    int run = 0;
    for (const char* path : files) {
        std::string text = read_file(path);
        if (text.empty())
            continue;
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        std::replace(text.begin(), text.end(), '\n', '\r');
        std::string ink = Ink(text);
        align_result r = AlignCSyntax(text, 4, nullptr);
        EXPECT_EQ(Ink(text), ink) << path;
        EXPECT_EQ(r, ALIGN_DONE) << path;
        ++run;
    }
    if (run == 0)
        GTEST_SKIP() << "no real sources installed";
}

} // namespace
