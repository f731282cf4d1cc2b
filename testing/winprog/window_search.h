// Finding the windows of a program under test from the test's process:
// top-level windows (of one process or one thread) and the windows below
// one, by a condition on each, and the common conditions (window class,
// caption, dialog box). Nothing here waits: see wait.h.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

using WindowCondition = std::function<bool(HWND)>;

// The first top-level window in the system's order that wanted accepts.
HWND TopWindowWhere(const WindowCondition& wanted);
// The first top-level window of the thread that wanted accepts.
HWND ThreadWindowWhere(DWORD threadId, const WindowCondition& wanted);
// The first window below parent (at any depth) that wanted accepts.
HWND DescendantWhere(HWND parent, const WindowCondition& wanted);

// A window's class name, its process and its text (WM_GETTEXT, of any
// length; the text of a window of another process too).
std::string ClassOf(HWND window);
DWORD ProcessOf(HWND window);
std::string WindowTextOf(HWND window);

// A visible top-level window of the process with the window class (the
// name as Windows compares it, ignoring case); null when there is none.
HWND ProcessWindow(DWORD processId, const char* className);
// A visible top-level window of the process with the caption.
HWND ProcessWindowTitled(DWORD processId, const std::string& caption);
// A shown dialog box (class "#32770") of the process with the caption
// (null: any caption).
HWND ProcessDialog(DWORD processId, const char* caption);
