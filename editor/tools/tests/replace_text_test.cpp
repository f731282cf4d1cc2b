#include "editor/tools/replace_text.h"

#include <gtest/gtest.h>

TEST(ReplaceText, EscapesExpandOnceFromLeftToRight)
{
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a\\nb", "a\rb"},
        {"\\\\t", "\\t"},     // two backslashes and t: a backslash and t, not a tab
        {"x\\ty", "x\ty"},
        {"\\q\\", "\\q\\"},   // other backslashes stay, a last one too
        {"\\\\\\n", "\\\r"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandReplacementEscapes(c.in), c.out) << c.in;
}

TEST(ReplaceText, CaseOfTheFoundTextIsKept)
{
    struct {
        const char* found;
        const char* replacement;
        const char* out;
    } cases[] = {
        {"COUNT", "Total", "TOTAL"},
        {"count", "Total", "total"},
        {"Count", "toTal", "Total"},  // mixed: letter by letter
        {"Alpha", "omega", "Omega"},
        {"aBc", "xyzuvw", "xYzuvw"},  // beyond the found text: as typed
        {"Ab", "x1y", "X1y"},         // a digit takes no case and gives none
        {"X_1", "abc", "ABC"},
        {"123", "Abc", "Abc"},        // no letters
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdaptReplacementCase(c.found, c.replacement), c.out) << c.found;
}
