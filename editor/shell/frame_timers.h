// The main frame's timer ids, each once: the frame, its parts and the
// status bar set them on the frame's window.
#pragma once

#include <windows.h>

// Auto-save of the changed documents (minutes of "AutoSaveTime").
const UINT autosave_timer = 0x4321;
// A tool asked to stop: it is ended after a while.
const UINT tool_stop_timer = 0x4324;
// The browser asked to stop (a click on the status bar's animation).
const UINT browser_stop_timer = 0x4325;
