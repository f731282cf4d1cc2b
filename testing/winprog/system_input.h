// system_input: a user's mouse and keys through the system input queue
// (SendInput), for tests of windows that must see real input: capture,
// WM_SETCURSOR, the key state while a button is held, WindowFromPoint.
//
// The input is played from a second thread while the calling thread keeps
// handling its messages, so windows of the calling thread see it arrive as
// they would from a user. Points are screen pixels.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct InputStep {
    enum Kind { Move, LeftDown, LeftUp, KeyDown, KeyUp, Wait };
    Kind kind;
    POINT at;   // Move, LeftDown, LeftUp
    WORD key;   // KeyDown, KeyUp
    DWORD ms;   // pause after the step
};

InputStep MoveTo(POINT at, DWORD ms = 40);
InputStep LeftDown(POINT at, DWORD ms = 80);
InputStep LeftUp(POINT at, DWORD ms = 80);
InputStep KeyDown(WORD key, DWORD ms = 40);
InputStep KeyUp(WORD key, DWORD ms = 40);
InputStep WaitFor(DWORD ms);

// Plays the steps and handles the calling thread's messages meanwhile;
// each time messages were handled, whileRunning (when given) is called.
// Afterwards messages are handled for settleMs more.
void PlayInput(const std::vector<InputStep>& steps, const std::function<void()>& whileRunning = nullptr,
               DWORD settleMs = 200);

// A press at from, a move in a few steps to to and the release there; with
// a key (0: none) pressed after the last move and released after the
// button. (Wine takes the modifier keys from each pointer event of the
// display, so a key pressed before the moves would count as released.)
std::vector<InputStep> DragSteps(POINT from, POINT to, WORD heldKey = 0, int moves = 6);

// Handles the calling thread's messages for ms milliseconds.
void PumpMessages(DWORD ms);
// Handles the calling thread's messages until done() holds or timeoutMs
// have passed (a loaded display delivers pointer moves late); returns done().
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
