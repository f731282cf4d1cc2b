#include "report_capture.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <mutex>

#include "winui/msgbox.h"

static std::mutex capture_lock;
static std::string boxes;

ReportCapture::ReportCapture()
{
    {
        std::lock_guard<std::mutex> guard(capture_lock);
        boxes.clear();
    }
    winui::SetMessageBoxHook([](const winui::MessageBoxCall& call) {
        std::lock_guard<std::mutex> guard(capture_lock);
        boxes += call.caption + ": " + call.text + "\n";
        return IDOK;
    });
}

ReportCapture::~ReportCapture()
{
    winui::SetMessageBoxHook(nullptr);
}

std::string ReportCapture::text()
{
    std::lock_guard<std::mutex> guard(capture_lock);
    return boxes;
}
#else
ReportCapture::ReportCapture()
{
    testing::internal::CaptureStderr();
}

ReportCapture::~ReportCapture()
{
    text();
}

std::string ReportCapture::text()
{
    if (!done_) {
        captured_ = testing::internal::GetCapturedStderr();
        done_ = true;
    }
    return captured_;
}
#endif
