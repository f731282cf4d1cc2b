#include "common/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

struct NocaseCase {
    const char* a;
    const char* b;
    bool equal;
    const char* rest_of_a_after_b;  // null: b is no prefix of a
};

class TextNocase : public testing::TestWithParam<NocaseCase> {};

TEST_P(TextNocase, ComparesAsciiLettersWithoutCase)
{
    const NocaseCase& c = GetParam();
    EXPECT_EQ(text_equal_nocase(c.a, c.b), c.equal);
    const char* rest = text_prefix_nocase(c.a, c.b);
    if (!c.rest_of_a_after_b)
        EXPECT_EQ(rest, nullptr);
    else
        EXPECT_STREQ(rest, c.rest_of_a_after_b);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextNocase,
    testing::Values(NocaseCase{"", "", true, ""}, NocaseCase{"ABC.obj", "abc.OBJ", true, ""},
                    NocaseCase{"abc", "abcd", false, nullptr}, NocaseCase{"abcd", "ABC", false, "d"},
                    NocaseCase{".Segment code", ".segment ", false, "code"},
                    NocaseCase{"[", "{", false, nullptr},  // not letters: 0x5b and 0x7b differ
                    NocaseCase{"\xc4", "\xe4", false, nullptr}));

TEST(Text, LowerAndBaseName)
{
    EXPECT_EQ(text_lower("Mixed-CASE_1.S51\xc4"), "mixed-case_1.s51\xc4");
    EXPECT_EQ(text_lower_char('Z'), 'z');
    EXPECT_EQ(text_lower_char('@'), '@');
    EXPECT_STREQ(text_base_name("a\\b/c.obj"), "c.obj");
    EXPECT_STREQ(text_base_name("c:\\dir\\x"), "x");
    EXPECT_STREQ(text_base_name("plain"), "plain");
    EXPECT_STREQ(text_base_name("dir/"), "");
}

static void set_epoch(const char* value)
{
#ifdef _WIN32
    std::string s = std::string("SOURCE_DATE_EPOCH=") + (value ? value : "");
    _putenv(s.c_str());
#else
    if (value)
        setenv("SOURCE_DATE_EPOCH", value, 1);
    else
        unsetenv("SOURCE_DATE_EPOCH");
#endif
}

TEST(Text, RunTimeFollowsSourceDateEpoch)
{
    set_epoch("0");
    EXPECT_EQ(text_run_time(), "Thu Jan  1 00:00:00 1970\n");
    set_epoch("1796684700");
    EXPECT_EQ(text_run_time(), "Mon Dec  7 23:05:00 2026\n");
    set_epoch("951782400");  // a leap day
    EXPECT_EQ(text_run_time(), "Tue Feb 29 00:00:00 2000\n");
    set_epoch("253402300799");  // the last second with a four-digit year
    EXPECT_EQ(text_run_time(), "Fri Dec 31 23:59:59 9999\n");
    set_epoch("not a number");
    EXPECT_EQ(text_run_time().size(), 25u);
    // Values that give no valid date are ignored: the time is the clock's.
    const std::string now_year = text_run_time().substr(20);
    for (const char* bad : {"253402300800", "99999999999999999999999", "-5", "+5", " 5", "12abc", "1e9"}) {
        set_epoch(bad);
        std::string t = text_run_time();
        EXPECT_EQ(t.size(), 25u) << bad;
        EXPECT_EQ(t.substr(20), now_year) << bad;
    }
    set_epoch(nullptr);
    EXPECT_EQ(text_run_time().size(), 25u);
}

} // namespace
