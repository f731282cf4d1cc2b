// The makefile reader: line forms, their errors, macro expansion in rule
// lines, and the normalisation of physical lines.
#include "make/gravik/makefile.h"
#include "make/gravik/report.h"
#include "make/gravik/tests/gravik_test_util.h"

#include <gtest/gtest.h>

using namespace gravik;

namespace {

class Reader : public testing::Test {
protected:
    void SetUp() override
    {
        report_reset();
        makefile_reset();
    }
};

file_node* node(const std::string& name)
{
    for (file_node* n = first_file_node; n; n = n->next)
        if (node_name(n) == name)
            return n;
    return nullptr;
}

std::vector<std::string> deps_of(const std::string& target)
{
    std::vector<std::string> names;
    file_node* t = node(target);
    if (t && t->rule)
        for (dependency* d = t->rule->dependencies; d; d = d->next)
            names.push_back(node_name(d->node));
    return names;
}

std::vector<std::string> commands_of(text_list* list)
{
    std::vector<std::string> texts;
    for (text_line* t = list->first; t; t = t->next)
        texts.push_back(t->text);
    return texts;
}

struct LineCase {
    const char* line;
    const char* error;
};

class ParseLine : public Reader, public testing::WithParamInterface<LineCase> {};

TEST_P(ParseLine, GivesTheErrorOfItsForm)
{
    EXPECT_EQ(parse_line(GetParam().line), GetParam().error) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseLine,
    testing::Values(LineCase{"", ""}, LineCase{"x.obj: x.c", ""}, LineCase{"a.obj:", ""},
                    LineCase{"X.OBJ : X.C", "syntax"}, LineCase{"a.obj:b.c", "syntax"},
                    LineCase{".a51.obj:", ""}, LineCase{".a51 obj:", "'.' expected"},
                    LineCase{".a51.obj", "':' expected"},
                    LineCase{".a51.obj: x", "unexpected character"},
                    LineCase{"A = b c", ""}, LineCase{"A=", ""}, LineCase{"A b", "syntax"},
                    LineCase{" cmd", "not expecting command"}, LineCase{"$x", "syntax"},
                    LineCase{"-x", "syntax"},
                    LineCase{"x.obj: a.c *", "unexpected characters"},
                    LineCase{"..\\out\\x.obj: ..\\src\\x.c", ""},
                    LineCase{"./x.obj: ./x.c", ""}));

TEST_F(Reader, ExplicitRuleSplitsTargetAndLowerCasesNames)
{
    EXPECT_EQ(parse_line("Sub/Prog.OBJ: Sub/Prog.A51 inc\\Defs.Inc tool"), "");
    file_node* t = node("sub\\prog.obj");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->base, "sub\\prog");
    EXPECT_EQ(t->ext, "obj");
    EXPECT_EQ(deps_of("sub\\prog.obj"),
              (std::vector<std::string>{"sub\\prog.a51", "inc\\defs.inc", "tool"}));
    EXPECT_FALSE(node("tool")->has_ext);
    EXPECT_EQ(node("inc\\defs.inc")->dependency_count, 1);
}

TEST_F(Reader, SecondRuleForATargetReplacesDependenciesAndCommands)
{
    EXPECT_EQ(parse_line("a.bin: a.obj old.obj"), "");
    EXPECT_EQ(parse_line(" first"), "");
    EXPECT_EQ(parse_line("a.bin: a.obj b.obj"), "overwrite explicit rule for target 'a.bin:'");
    EXPECT_EQ(parse_line(" second"), "");
    EXPECT_EQ(deps_of("a.bin"), (std::vector<std::string>{"a.obj", "b.obj"}));
    EXPECT_EQ(commands_of(node("a.bin")->rule->commands), (std::vector<std::string>{"second"}));
    EXPECT_EQ(node("old.obj")->dependency_count, 0);
    EXPECT_EQ(node("a.obj")->dependency_count, 1);
}

TEST_F(Reader, ImplicitRuleOverwriteReusesTheRuleWithNewCommands)
{
    EXPECT_EQ(parse_line(".A51.OBJ:"), "");
    EXPECT_EQ(parse_line(" one"), "");
    EXPECT_EQ(parse_line(".a51.obj:"), "overwrite implicit rule '.a51.obj:'");
    EXPECT_EQ(parse_line(" two"), "");
    std::string s = "a51", t = "obj";
    implicit_rule* r = find_implicit_rule(&s, &t);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->next, nullptr);
    EXPECT_EQ(commands_of(r->commands), (std::vector<std::string>{"two"}));
}

TEST_F(Reader, MacroLineClosesTheCommandList)
{
    EXPECT_EQ(parse_line("x.obj: x.c"), "");
    EXPECT_EQ(parse_line(" cc x.c"), "");
    EXPECT_EQ(parse_line("CC = cc"), "");
    EXPECT_EQ(parse_line(" cc y.c"), "not expecting command");
    EXPECT_EQ(parse_line(""), "");
}

TEST_F(Reader, EmptyLineKeepsTheCommandListOpen)
{
    EXPECT_EQ(parse_line("x.obj: x.c"), "");
    EXPECT_EQ(parse_line(""), "");
    EXPECT_EQ(parse_line(" cc x.c"), "");
    EXPECT_EQ(commands_of(node("x.obj")->rule->commands), (std::vector<std::string>{"cc x.c"}));
}

TEST_F(Reader, MacrosInRuleLinesExpandUntilNothingChanges)
{
    EXPECT_EQ(parse_line("EMPTY ="), "");
    EXPECT_EQ(parse_line("OBJS = $(A) $(B)$(EMPTY)"), "");
    EXPECT_EQ(parse_line("A = a.obj"), "");
    EXPECT_EQ(parse_line("B = $(C)"), "");
    EXPECT_EQ(parse_line("C = c.obj"), "");
    EXPECT_EQ(parse_line("p.bin: $(OBJS)"), "");
    EXPECT_EQ(deps_of("p.bin"), (std::vector<std::string>{"a.obj", "c.obj"}));
    EXPECT_FALSE(find_macro("EMPTY")->has_value);
    EXPECT_EQ(find_macro("OBJS")->value, "$(A) $(B)$(EMPTY)");
}

struct ExpandCase {
    std::vector<const char*> macros;
    const char* rule;
    const char* message;
};

class RuleExpansionError : public Reader, public testing::WithParamInterface<ExpandCase> {};

TEST_P(RuleExpansionError, IsReportedOnceAndCounted)
{
    for (const char* m : GetParam().macros)
        ASSERT_EQ(parse_line(m), "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(parse_line(GetParam().rule), "");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, std::string("Gravik: Error: ") + GetParam().message + "\n");
    EXPECT_EQ(error_count, 1);
    EXPECT_TRUE(deps_of("x.obj").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleExpansionError,
    testing::Values(
        ExpandCase{{}, "x.obj: $(A", "syntax error in rule 'x.obj: $(A': ')' expected"},
        ExpandCase{{}, "x.obj: $(NOPE)", "macro 'NOPE' not found in rule 'x.obj: $(NOPE)'"},
        // Macros that name each other in a ring must end, not loop.
        ExpandCase{{"A = $(B)", "B = $(A)"}, "x.obj: $(A)",
                   "macro 'A' refers to itself in rule 'x.obj: $(A)'"},
        ExpandCase{{"A = x$(A)"}, "x.obj: $(A)", "macro 'A' refers to itself in rule 'x.obj: $(A)'"}));

TEST_F(Reader, DollarBeforeAnotherCharacterIsKept)
{
    std::string text = "a $$(X) $@ b$";
    EXPECT_TRUE(expand_rule_macros(text));
    EXPECT_EQ(text, "a $$(X) $@ b$");
}

TEST_F(Reader, FileLinesAreJoinedNormalisedAndCommentsKept)
{
    std::string dir = scratch_dir("reader_file");
    std::string path = dir + "/mk";
    write_file(path,
               "# first comment\r\n"
               "   #  indented comment\n"
               "A = b # not kept\n"
               "OBJS = one.obj \\\n"
               "\ttwo.obj\\\n"
               "  three.obj\n"
               "prog.bin:\t$(OBJS)\n"
               "\tlink   -o  prog.bin  \t\n"
               "X.OBJ : X.C\n");
    testing::internal::CaptureStderr();
    read_makefile(path, true);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Gravik: Error: syntax in 'X.OBJ : X.C'\n");
    EXPECT_EQ(find_macro("A")->value, "b");
    EXPECT_EQ(find_macro("OBJS")->value, "one.obj two.obj three.obj");
    EXPECT_EQ(deps_of("prog.bin"), (std::vector<std::string>{"one.obj", "two.obj", "three.obj"}));
    EXPECT_EQ(commands_of(node("prog.bin")->rule->commands),
              (std::vector<std::string>{"link -o prog.bin"}));
    std::vector<std::string> comments;
    for (text_line* c = first_comment; c; c = c->next)
        comments.push_back(c->text);
    EXPECT_EQ(comments, (std::vector<std::string>{"# first comment", "#  indented comment"}));
}

TEST_F(Reader, LongCommentsAreCutAndBuiltinCommentsNotKept)
{
    std::string dir = scratch_dir("reader_comment");
    write_file(dir + "/mk", "#" + std::string(300, 'c') + "\n");
    read_makefile(dir + "/mk", false);
    EXPECT_EQ(first_comment, nullptr);
    read_makefile(dir + "/mk", true);
    ASSERT_NE(first_comment, nullptr);
    EXPECT_EQ(first_comment->text.size(), 250u);
}

} // namespace
