// The test host: a frame window holding a view pane that holds one
// CColorEdit, as a document window does. The view hears the control's
// notifications to its parent, the frame those to the grandparent and the
// main window. Keys, characters and mouse messages are sent to the control
// as a user's input arrives, with the modifier keys set in the thread's key
// state.
#pragma once

#include "editor/editctl/window/coloredit.h"
#include "winui/wnd.h"

#include <memory>
#include <string>
#include <vector>

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CHostView;

class CTestHost {
public:
    // Creates the frame, the view and the control, client area of the
    // control lines x columns character cells (plus the scroll bars the
    // style asks for). With documentStorage the control is attached to a
    // text state of the host's own with a modified flag and an undo list.
    explicit CTestHost(DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                       int lines = 10, int columns = 40, bool documentStorage = true);
    ~CTestHost();
    CTestHost(const CTestHost&) = delete;
    CTestHost& operator=(const CTestHost&) = delete;

    CColorEdit edit;
    CTextState document;
    std::unique_ptr<CUndoList> undo;
    std::vector<HostMessage> log; // notifications, in order, from all windows

    // Text and selection.
    void SetText(const char* text, int selStart = 0, int selEnd = -2);
    std::string Text() const; // the buffer, fill bytes and soft breaks included
    int SelStart() const { return edit.Core().State().selStart; }
    int SelEnd() const { return edit.Core().State().selEnd; }
    POINT Caret() const; // caret cell: column, row on the screen

    // Input.
    void Key(UINT vk, int modifiers = 0);
    void Char(char c);
    void Type(const char* text);
    void Mouse(UINT message, int x, int y, int modifiers = 0);
    // Pixel centre of a character cell (window column, row).
    POINT Cell(int column, int row) const;
    void Click(int column, int row, int modifiers = 0);

    // Notifications.
    int Count(UINT message) const;
    const HostMessage* Last(UINT message) const;
    void ClearLog() { log.clear(); }

    winui::CWnd* view = nullptr;
    // The frame: one for all hosts of the program, made on first use (a
    // frame that goes takes the virtual display seconds).
    static winui::CWnd& Frame();
};

// Sets Shift, Ctrl and Alt in the thread's key state while alive.
class CHeldModifiers {
public:
    explicit CHeldModifiers(int modifiers, bool leftButton = false);
    ~CHeldModifiers();

private:
    static void WaitForKeyState(const BYTE* state);
    BYTE saved_[256];
};

// "line 0", "line 1", ... joined by CR.
std::string NumberedLines(int n);

// Default colours for the tests' controls: the built-in table, selection
// white on navy.
void SetTestColorTable();
