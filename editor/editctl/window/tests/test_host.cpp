#include "test_host.h"

#include "editor/editctl/color_table.h"

#include <cstring>

namespace {

const char frame_class[] = "EditTestHost";
const char view_class[] = "EditTestView";

bool is_notification(UINT message)
{
    return (message >= EDN_MOUSESELECT && message <= EDN_RECOLOUR) ||
           message == EDN_SHAREDSCROLL;
}

} // namespace

// The view: parent of the control; its notifications go to the host's log.
class CHostView : public winui::CWnd {
public:
    explicit CHostView(CTestHost* host) : host_(host) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (is_notification(message)) {
            host_->log.push_back(HostMessage{message, wParam, lParam});
            return 0;
        }
        return winui::CWnd::WindowProc(message, wParam, lParam);
    }

private:
    CTestHost* host_;
};

namespace {

CTestHost* current_host;

// The frame hears what goes to the control's grandparent and to the main
// window, for the host of the running test.
class CHostFrame : public winui::CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (is_notification(message)) {
            if (current_host)
                current_host->log.push_back(HostMessage{message, wParam, lParam});
            return 0;
        }
        return winui::CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

winui::CWnd& CTestHost::Frame()
{
    static CHostFrame* frame;
    if (!frame) {
        winui::CWnd::RegisterClass(frame_class, 0, nullptr,
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        frame = new CHostFrame;
        frame->CreateEx(0, frame_class, "Edit test", WS_OVERLAPPEDWINDOW | WS_VISIBLE |
                        WS_CLIPCHILDREN, 20, 20, 600, 500, nullptr, nullptr);
    }
    return *frame;
}

void SetTestColorTable()
{
    std::memcpy(g_ColorTable, kDefaultColorTable, sizeof g_ColorTable);
    g_ColorTable[15] = RGB(255, 255, 255);
    g_ColorTable[31] = RGB(0, 0, 128);
}

CTestHost::CTestHost(DWORD editStyle, int lines, int columns, bool documentStorage)
{
    SetTestColorTable();
    current_host = this;
    winui::CWnd& frame = Frame();
    winui::CWnd::RegisterClass(view_class, 0);
    CHostView* pane = new CHostView(this);
    view = pane;
    pane->CreateEx(0, view_class, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 580, 460,
                   frame.m_hWnd, nullptr);
    if (documentStorage) {
        undo = std::make_unique<CUndoList>();
        document.hasModified = true;
        document.undo = undo.get();
        edit.Core().AttachState(&document);
    }
    edit.Core().AllocBuffers(kCapacityStep);
    RECT rc{0, 0, 400, 300};
    edit.Create("", editStyle, rc, view->m_hWnd, 100);
    // Size the control so that exactly lines x columns cells fit.
    // The control counts a scroll bar of its style off the client size,
    // which is already without it: twice the bar's size is added.
    int width = columns * edit.m_nCharWidth +
                ((editStyle & WS_VSCROLL) ? 2 * GetSystemMetrics(SM_CXVSCROLL) : 0);
    int height = lines * edit.m_nCharHeight +
                 ((editStyle & WS_HSCROLL) ? 2 * GetSystemMetrics(SM_CYHSCROLL) : 0);
    RECT want{0, 0, width, height};
    // The client area of the control is what counts; its frame adds nothing.
    SetWindowPos(edit.m_hWnd, nullptr, 0, 0, want.right, want.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow(frame.m_hWnd);
    edit.SetFocus();
    edit.UpdateWindow();
    log.clear();
}

CTestHost::~CTestHost()
{
    edit.DestroyWindow();
    if (view) {
        view->DestroyWindow();
        delete view;
    }
    if (current_host == this)
        current_host = nullptr;
}

void CTestHost::SetText(const char* text, int selStart, int selEnd)
{
    edit.Core().SetText(text);
    edit.SetSel(selStart, selEnd == -2 ? selStart : selEnd, TRUE, TRUE);
    edit.UpdateWindow();
    log.clear();
}

std::string CTestHost::Text() const
{
    const CTextState& s = edit.Core().State();
    return s.Text() ? std::string(reinterpret_cast<const char*>(s.Text()), s.length) : std::string();
}

POINT CTestHost::Caret() const
{
    POINT pt{0, 0};
    ::GetCaretPos(&pt);
    return POINT{pt.x / edit.m_nCharWidth, pt.y / edit.m_nCharHeight};
}

CHeldModifiers::CHeldModifiers(int modifiers, bool leftButton)
{
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    auto set = [&state](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
    set(VK_SHIFT, modifiers & KEYMOD_SHIFT);
    set(VK_LSHIFT, modifiers & KEYMOD_SHIFT);
    set(VK_CONTROL, modifiers & KEYMOD_CTRL);
    set(VK_LCONTROL, modifiers & KEYMOD_CTRL);
    set(VK_MENU, modifiers & KEYMOD_ALT);
    set(VK_LMENU, modifiers & KEYMOD_ALT);
    set(VK_LBUTTON, leftButton);
    SetKeyboardState(state);
    WaitForKeyState(state);
}

CHeldModifiers::~CHeldModifiers()
{
    SetKeyboardState(saved_);
    WaitForKeyState(saved_);
}

void CHeldModifiers::WaitForKeyState(const BYTE* state)
{
    // The thread's state of a key takes the desktop's state whenever that
    // changed since the thread last read it, over what was just set. Reading
    // a key's async state changes the desktop's state too: it clears the
    // key's "pressed since" bit that a click of another program (or of an
    // earlier test) left. So read both, and set the state again, until the
    // keys the control reads stay as they were set.
    const int keys[] = {VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU, VK_LBUTTON};
    for (int attempt = 0; attempt < 200; ++attempt) {
        for (int vk : keys)
            GetAsyncKeyState(vk);
        bool same = true;
        for (int vk : keys)
            same = same && ((GetKeyState(vk) & 0x8000) != 0) == ((state[vk] & 0x80) != 0);
        if (same)
            return;
        BYTE copy[256];
        std::memcpy(copy, state, sizeof copy);
        SetKeyboardState(copy);
    }
}

void CTestHost::Key(UINT vk, int modifiers)
{
    CHeldModifiers held(modifiers);
    UINT down = (modifiers & KEYMOD_ALT) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    UINT up = (modifiers & KEYMOD_ALT) ? WM_SYSKEYUP : WM_KEYUP;
    LPARAM flags = 1 | ((modifiers & KEYMOD_ALT) ? (1 << 29) : 0);
    edit.SendMessage(down, vk, flags);
    edit.SendMessage(up, vk, flags | (3u << 30));
}

void CTestHost::Char(char c)
{
    edit.SendMessage(WM_CHAR, static_cast<unsigned char>(c), 1);
}

void CTestHost::Type(const char* text)
{
    for (const char* p = text; *p; ++p) {
        Char(*p);
        edit.SendMessage(WM_KEYUP, 0, 1 | (3u << 30));
    }
}

POINT CTestHost::Cell(int column, int row) const
{
    return POINT{column * edit.m_nCharWidth + 1, row * edit.m_nCharHeight + edit.m_nCharHeight / 2};
}

void CTestHost::Mouse(UINT message, int x, int y, int modifiers)
{
    bool down = message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE ||
                message == WM_LBUTTONDBLCLK;
    CHeldModifiers held(modifiers, down);
    WPARAM flags = 0;
    if (down)
        flags |= MK_LBUTTON;
    if (modifiers & KEYMOD_SHIFT)
        flags |= MK_SHIFT;
    if (modifiers & KEYMOD_CTRL)
        flags |= MK_CONTROL;
    edit.SendMessage(message, flags, MAKELPARAM(x, y));
}

void CTestHost::Click(int column, int row, int modifiers)
{
    POINT pt = Cell(column, row);
    Mouse(WM_LBUTTONDOWN, pt.x, pt.y, modifiers);
    Mouse(WM_LBUTTONUP, pt.x, pt.y, modifiers);
}

int CTestHost::Count(UINT message) const
{
    int n = 0;
    for (const HostMessage& m : log)
        n += m.message == message;
    return n;
}

const HostMessage* CTestHost::Last(UINT message) const
{
    for (auto it = log.rbegin(); it != log.rend(); ++it)
        if (it->message == message)
            return &*it;
    return nullptr;
}

std::string NumberedLines(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        if (i)
            text += '\r';
        text += "line " + std::to_string(i);
    }
    return text;
}
