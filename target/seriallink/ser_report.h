// Reports raised on the serial reader thread. A modal box on that thread
// would hold the reader, and closing the port waits for the reader to stop:
// so a window program registers a poster, which hands the text to its
// window to be shown there, and the reader goes on at once. Without a
// poster (tests, tools without windows) the report goes to report_error.
#pragma once

#include <atomic>

#include "common/report_error.h"

// Receives the report's code (as report_error takes it) and its text; must
// not block.
typedef void (*SerReportPoster)(int code, const char* text);
extern std::atomic<SerReportPoster> ser_report_poster;

void ser_report(int code, const char* format, ...) REPORT_PRINTF(2, 3);
