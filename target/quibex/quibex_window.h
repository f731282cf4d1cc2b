// TQuibexWindow: the source view. It shows the listing of the loaded image
// with a marker column, follows the program counter, and sets or clears a
// breakpoint where the user clicks on a code line. At most one exists; it
// is the serial library's view window while it has a window, and it owns
// nothing of the listing, which the session (see session.h) replaces only
// after the view is gone.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "winui/wnd.h"

class TQuibexWindow : public winui::CWnd {
public:
    TQuibexWindow();
    ~TQuibexWindow() override;

    // Creates the view as the pane of its MDI child.
    BOOL Create(HWND parent, UINT id);

    int TopLine() const { return topLine_; }
    int VisibleLines() const { return visibleLines_; }
    // Moves the top line (clamped, as a scroll does) and repaints.
    void ShowLine(int top);
    // The symbol search (command 24351).
    void CmFind();

    // Shows a text in the program's status bar.
    std::function<void(const std::string&)> setStatus;

    // The view of the process, or null.
    static TQuibexWindow* Open();
    // The remembered geometry of the last source child (screen pixels of
    // the MDI client); replaced by 80 x 25 cells when too small.
    static RECT ChildRect();

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    void OnSize(UINT type, int cx, int cy);
    void OnVScroll(UINT code, UINT thumb, HWND bar);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnLButtonDown(UINT flags, POINT pt);
    LRESULT OnShowPc(WPARAM, LPARAM);
    // The window's text is the visible lines, ended by CR LF (screen
    // readers, tests); a source echo stands behind 26 blanks and '>'.
    LRESULT OnGetText(WPARAM size, LPARAM buffer);
    LRESULT OnGetTextLength(WPARAM, LPARAM);

private:
    void PaintLines(HDC dc, const RECT& area);
    void DrawLine(HDC dc, HDC bitmaps, int index);
    void UpdateScrollBar();
    void ShowAnimationSpeed();
    void Status(const std::string& text);
    std::string VisibleText() const;

    int topLine_ = 0;
    int width_ = 0, height_ = 0;
    int visibleLines_ = 1;
    bool minimised_ = false;
    // The PC line as last drawn.
    bool pcDrawn_ = false;
    int pcRow_ = 0;
};
