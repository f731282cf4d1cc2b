#include "editor/shell/print_preview.h"

namespace {
const int kBarHeight = 30;
const int kButtonWidth = 90;
} // namespace

BEGIN_MESSAGE_MAP(CPrintPreviewWindow, winui::CWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_COMMAND(kPrint, &CPrintPreviewWindow::OnPrint)
    ON_COMMAND(kNext, &CPrintPreviewWindow::OnNext)
    ON_COMMAND(kPrev, &CPrintPreviewWindow::OnPrev)
    ON_COMMAND(kTwoPages, &CPrintPreviewWindow::OnTwoPages)
    ON_COMMAND(kClose, &CPrintPreviewWindow::OnCloseButton)
END_MESSAGE_MAP()

CPrintPreviewWindow::CPrintPreviewWindow(winui::CPagePainter& painter, HDC printerDC,
                                         winui::CPrintInfo& info)
    : painter_(painter), dc_(printerDC), info_(info)
{
}

CPrintPreviewWindow::~CPrintPreviewWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

BOOL CPrintPreviewWindow::Create(HWND owner, const char* caption)
{
    const char* cls = RegisterClass("OvantaPreview", CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT place{0, 0, 800, 600};
    if (owner)
        ::GetWindowRect(owner, &place);
    if (!CreateEx(0, cls, caption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left, place.top,
                  place.right - place.left, place.bottom - place.top, owner, nullptr))
        return FALSE;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    static const struct {
        UINT id;
        const char* text;
    } buttons[] = {{kPrint, "&Print..."},
                   {kNext, "&Next Page"},
                   {kPrev, "Pre&v Page"},
                   {kTwoPages, "&Two Page"},
                   {kClose, "&Close"}};
    for (int i = 0; i < 5; ++i) {
        buttons_[i] = CreateWindowExA(0, "BUTTON", buttons[i].text,
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                                      0, m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(buttons[i].id)),
                                      inst, nullptr);
        ::SendMessageA(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    pageText_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE,
                                0, 0, 0, 0, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPageText)), inst,
                                nullptr);
    ::SendMessageA(pageText_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    preview_ = std::make_unique<winui::CPreviewWnd>(painter_, dc_, info_);
    RECT none{0, 0, 1, 1};
    if (!preview_->Create(m_hWnd, none, WS_CHILD | WS_VISIBLE))
        return FALSE;
    Layout();
    UpdateButtons();
    return TRUE;
}

void CPrintPreviewWindow::Layout()
{
    if (!m_hWnd || !preview_ || !preview_->m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    int x = 4;
    for (HWND button : buttons_) {
        ::MoveWindow(button, x, 3, kButtonWidth, kBarHeight - 6, TRUE);
        x += kButtonWidth + 4;
    }
    ::MoveWindow(pageText_, x + 8, 3, 160, kBarHeight - 6, TRUE);
    ::MoveWindow(preview_->m_hWnd, 0, kBarHeight, rc.right, rc.bottom > kBarHeight ? rc.bottom - kBarHeight : 0,
                 TRUE);
}

void CPrintPreviewWindow::UpdateButtons()
{
    if (!preview_)
        return;
    UINT last = preview_->FirstPage() + (preview_->TwoPages() ? 1 : 0);
    ::EnableWindow(buttons_[1], last < info_.m_nMaxPage);
    ::EnableWindow(buttons_[2], preview_->FirstPage() > 1);
    ::SetWindowTextA(buttons_[3], preview_->TwoPages() ? "&One Page" : "&Two Page");
    ::SetWindowTextA(pageText_, preview_->PageText().c_str());
}

void CPrintPreviewWindow::OnSize(UINT, int, int)
{
    Layout();
}

void CPrintPreviewWindow::Finish(bool print)
{
    print_ = print;
    done_ = true;
    // Wakes the modal loop, which may be waiting for a message.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CPrintPreviewWindow::OnClose()
{
    Finish(false);
}

void CPrintPreviewWindow::OnPrint()
{
    Finish(true);
}

void CPrintPreviewWindow::OnNext()
{
    preview_->NextPage();
    UpdateButtons();
}

void CPrintPreviewWindow::OnPrev()
{
    preview_->PrevPage();
    UpdateButtons();
}

void CPrintPreviewWindow::OnTwoPages()
{
    preview_->SetTwoPages(!preview_->TwoPages());
    UpdateButtons();
}

void CPrintPreviewWindow::OnCloseButton()
{
    Finish(false);
}

bool CPrintPreviewWindow::RunModal()
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner)
        ::EnableWindow(owner, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);
    // The painter learns the last page while painting: the buttons follow.
    UpdateButtons();
    MSG msg;
    while (!done_ && ::IsWindow(m_hWnd)) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // The program is ending: the main loop sees the quit as well.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            done_ = true;
            continue;
        }
        if (::IsDialogMessageA(m_hWnd, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (owner) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (::IsWindow(m_hWnd))
        ::ShowWindow(m_hWnd, SW_HIDE);
    return print_;
}
