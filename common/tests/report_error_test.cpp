#include "common/report_error.h"
#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

TEST(ReportErrorTitle, DependsOnTheCode)
{
    EXPECT_EQ(report_error_title(0), "Error");
    EXPECT_EQ(report_error_title(1), "Error (Code 1)");
    EXPECT_EQ(report_error_title(3), "Error (Code 3)");
    EXPECT_EQ(report_error_title(-1), "Fatal Error (Code -1)");
    EXPECT_EQ(report_error_title(-20), "Fatal Error (Code -20)");
}

TEST(ReportErrorText, IsFormattedAndCutTo251Characters)
{
    EXPECT_EQ(report_error_text("can't open %s (%d)", "COM3", 5), "can't open COM3 (5)");
    std::string longer(400, 'x');
    EXPECT_EQ(report_error_text("%s", longer.c_str()), std::string(251, 'x'));
}

#ifdef _WIN32
namespace {

struct BoxCall {
    std::string text;
    std::string caption;
    unsigned type;
};
std::vector<BoxCall> box_calls;

int record_box(void*, const char* text, const char* caption, unsigned type)
{
    box_calls.push_back(BoxCall{text, caption, type});
    return IDOK;
}

} // namespace

TEST(ReportError, ShowsAStopBoxAndReturnsItsResult)
{
    box_calls.clear();
    report_error_set_box_hook(record_box);
    EXPECT_EQ(report_error(3, "no answer from %s", "board"), IDOK);
    EXPECT_EQ(report_error(0, "plain"), IDOK);
    report_error_set_box_hook(nullptr);
    ASSERT_EQ(box_calls.size(), 2u);
    EXPECT_EQ(box_calls[0].text, "no answer from board");
    EXPECT_EQ(box_calls[0].caption, "Error (Code 3)");
    EXPECT_EQ(box_calls[0].type, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(box_calls[1].caption, "Error");
}

TEST(ReportError, NegativeCodeEndsTheProcessWithTheCode)
{
    int code = 0;
    ASSERT_EQ(os_run({host_path(REPORT_FATAL_CHILD_PATH)}, &code), OS_RUN_OK);
    EXPECT_EQ(code, -1);
}
#else
TEST(ReportErrorDeathTest, NegativeCodeEndsTheProcessWithTheCode)
{
    EXPECT_EXIT(report_error(-1, "port %s lost", "COM5"), testing::ExitedWithCode(255),
                "Fatal Error \\(Code -1\\): port COM5 lost");
}

TEST(ReportError, NonFatalReturnsOk)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(report_error(2, "x%d", 1), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error (Code 2): x1\n");
}
#endif
