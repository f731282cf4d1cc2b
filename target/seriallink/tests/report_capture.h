// Collects what report_error shows while a test runs, from any thread: on
// Windows the message boxes (answered with OK), elsewhere the lines on
// standard error. Each report reads "<title>: <text>".
#pragma once

#include <string>

class ReportCapture {
public:
    ReportCapture();
    ~ReportCapture();
    ReportCapture(const ReportCapture&) = delete;
    ReportCapture& operator=(const ReportCapture&) = delete;
    // Everything reported so far (ends the capture on the first call
    // outside Windows).
    std::string text();

private:
    bool done_ = false;
    std::string captured_;
};
