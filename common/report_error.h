// report_error: the message-box reporter of the target tools and the small
// editor. Shows a printf-style message (at most 251 characters) in a message
// box with a stop icon and an OK button. A negative code is fatal: after the
// box is closed the process ends at once with the code as exit status,
// without exit hooks and without flushing files. Otherwise returns the box's
// result.
#pragma once

#include <string>

#ifdef __GNUC__
#define REPORT_PRINTF(a, b) __attribute__((format(printf, a, b)))
#else
#define REPORT_PRINTF(a, b)
#endif

int report_error(int code, const char* format, ...) REPORT_PRINTF(2, 3);

// The box's caption for a code: "Fatal Error (Code %d)" below 0, "Error" for
// 0, "Error (Code %d)" above 0.
std::string report_error_title(int code);

// Formats the message as report_error shows it (cut to 251 characters).
std::string report_error_text(const char* format, ...) REPORT_PRINTF(1, 2);

#ifdef _WIN32
// On Windows the box is the system's MessageBoxA. A hook set here is called
// instead of it and its answer returned (IDOK, IDYES, ...): tests answer the
// boxes this way, and winui's scripted message boxes set it so that one
// script answers every box of a program. Null removes the hook. The hook is
// process-wide; it is read once per box, so it may be set from any thread.
using report_box_hook = int (*)(void* owner, const char* text, const char* caption,
                                unsigned type);
void report_error_set_box_hook(report_box_hook hook);
#endif
