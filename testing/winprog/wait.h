// Waits of whole-program tests: a program under Wine does its work in its
// own time, and more slowly while other sessions run beside it, so a test
// polls for what it expects, up to a time-out, and never relies on a fixed
// sleep alone.
#pragma once

#include "testing/winprog/window_search.h"

#include <windows.h>

#include <functional>

// Polls (every 50 ms) until the condition holds or the time is up; the
// condition's value at the end.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 30000);

// A visible top-level window of the process with the window class,
// waited for (up to timeoutMs); null when none came.
HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD timeoutMs = 30000);
// Waits (up to timeoutMs) for a shown dialog box (class "#32770") of the
// process with the caption (null: any caption); null when none came.
HWND WaitForProcessDialog(DWORD processId, const char* caption, DWORD timeoutMs = 20000);
