// Mouse input through the system queue for whole-program tests: the
// program under test gets it as from a user's mouse (screen coordinates).
// Each call returns after the input is played, with pauses that let the
// program handle it. And where a program's tool bar is, to aim at.
#pragma once

#include <windows.h>

// A press at from, moves in steps to to, a release there.
void MouseDrag(POINT from, POINT to);
void MouseClick(POINT at);
void MouseDoubleClick(POINT at);

// The program's tool bar (class "ToolbarWindow32"): a child of its frame,
// or of a window of its own that the frame owns while it floats; null when
// there is none.
HWND FindToolBar(HWND frame);
// The window the tool bar floats in, or null while it is docked.
HWND FloatingToolBarWindow(HWND frame);
// The screen rectangle of the button with command id (read in the
// program's memory: TB_GETITEMRECT writes to a pointer); empty when none.
RECT ToolButtonRect(HWND toolbar, UINT id);
// The middle of a docked tool bar's gripper band (its leading 8 pixels),
// and of a window's caption.
POINT ToolBarGripper(HWND toolbar);
POINT CaptionPointOf(HWND window);
// A window's rectangle in another window's client coordinates.
RECT RectIn(HWND window, HWND reference);
// The size of a window's client area.
SIZE ClientSize(HWND window);
// A point of a window's client area in screen coordinates.
POINT ClientPointOnScreen(HWND window, int x, int y);
