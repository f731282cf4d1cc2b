#include "editor/shell/editorstatusbar.h"

#include "editor/shell/frame_links.h"
#include "editor/shell/frame_timers.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"

#include <commctrl.h>

#include <cstdio>

BEGIN_MESSAGE_MAP(CEditorStatusBar, winui::CStatusBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_MESSAGE(winui::WM_REFLECT_BASE + WM_DRAWITEM, &CEditorStatusBar::OnDrawItemReflect)
END_MESSAGE_MAP()

static const UINT anim_bitmaps[4] = {IDB_BROWSE_ANIM1, IDB_BROWSE_ANIM2, IDB_BROWSE_ANIM3, IDB_BROWSE_ANIM4};

static const UINT indicators[] = {0,
                                  ID_INDICATOR_PROGRESS,
                                  ID_INDICATOR_POS,
                                  ID_INDICATOR_SIZE,
                                  ID_INDICATOR_RO,
                                  ID_INDICATOR_UNIX};

BOOL CEditorStatusBar::Create(winui::CFrameWnd* parent, DWORD style, UINT id)
{
    if (!winui::CStatusBar::Create(parent, style, id))
        return FALSE;
    SetIndicators(indicators, 6);
    UINT paneId, paneStyle;
    GetPaneInfo(kProgressPane, paneId, paneStyle, paneWidth_);
    SetReadOnlyText("");
    progress_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 0, 0, m_hWnd, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (progress_)
        ::SendMessageA(progress_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    for (int i = 0; i < 4; ++i)
        m_bmpAnim[i] = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(anim_bitmaps[i]), IMAGE_BITMAP, 0, 0, 0));
    m_nCurrentBmp = 0;
    // Between progress runs the pane belongs to the background browser.
    SetProgressMode(1);
    return TRUE;
}

CEditorStatusBar::~CEditorStatusBar()
{
    for (HBITMAP& bmp : m_bmpAnim)
        if (bmp) {
            DeleteObject(bmp);
            bmp = nullptr;
        }
}

void CEditorStatusBar::SetProgressMode(int mode)
{
    if (mode == 0) {
        SetPaneInfo(kProgressPane, ID_INDICATOR_PROGRESS, 0, paneWidth_);
        PlaceProgress();
        if (progress_)
            ::ShowWindow(progress_, SW_SHOW);
    } else {
        RECT rc{};
        GetItemRect(kReadOnlyPane, &rc);
        // As wide as the bar is high, less a little; never narrower than
        // the picture (the bar has no height yet while it is created).
        int width = rc.bottom - rc.top - 5;
        BITMAP info{};
        if (m_bmpAnim[0] && GetObjectA(m_bmpAnim[0], sizeof info, &info) && width < info.bmWidth + 4)
            width = info.bmWidth + 4;
        SetPaneInfo(kProgressPane, ID_INDICATOR_ANIM, SBT_POPOUT, width);
        SetAnimationPaneStyle(m_bBrowserDone ? SBT_POPOUT : 0);
        if (progress_)
            ::ShowWindow(progress_, SW_HIDE);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CEditorStatusBar::PlaceProgress()
{
    if (!progress_)
        return;
    RECT rc{};
    if (GetItemRect(kProgressPane, &rc))
        ::MoveWindow(progress_, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void CEditorStatusBar::SetAnimationPaneStyle(UINT style)
{
    // Owner-drawn: the bitmap or "B" is drawn by this bar.
    SendMessage(SB_SETTEXTA, kProgressPane | SBT_OWNERDRAW | style, 0);
}

void CEditorStatusBar::ShowProgress(bool show)
{
    if (!progress_)
        return;
    if (show != (GetItemID(kProgressPane) == ID_INDICATOR_PROGRESS))
        SetProgressMode(show ? 0 : 1);
    PlaceProgress();
    ::SendMessageA(progress_, PBM_SETPOS, 0, 0);
    ::ShowWindow(progress_, show ? SW_SHOW : SW_HIDE);
    if (show)
        ::UpdateWindow(progress_);
}

void CEditorStatusBar::SetProgressPos(int percent)
{
    if (!progress_)
        return;
    ::SendMessageA(progress_, PBM_SETPOS, static_cast<WPARAM>(percent < 0 ? 0 : percent > 100 ? 100 : percent), 0);
    ::UpdateWindow(progress_);
}

void CEditorStatusBar::SetReadOnlyText(const char* text)
{
    roText_ = text ? text : "";
    // Owner-drawn: the pane's data is the text the drawing reads.
    SendMessage(SB_SETTEXTA, kReadOnlyPane | SBT_OWNERDRAW,
                reinterpret_cast<LPARAM>(roText_.c_str()));
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

// --- the background browser's pane ------------------------------------------------

void CEditorStatusBar::StartPaneAnimation(CPaneJob job)
{
    m_job = std::move(job);
    m_bHasJob = true;
    m_bBrowserDone = 0;
    if (GetItemID(kProgressPane) == ID_INDICATOR_ANIM) {
        SetAnimationPaneStyle(0);
        if (HDC dc = ::GetDC(m_hWnd)) {
            DrawAnimationPane(dc, false);
            ::ReleaseDC(m_hWnd, dc);
        }
    }
    ::SetTimer(m_hWnd, kAnimationTimer, 200, nullptr);
}

void CEditorStatusBar::DrawAnimationPane(HDC dc, bool disabled)
{
    RECT rc{};
    if (!GetItemRect(kProgressPane, &rc))
        return;
    if (m_bBrowserDone) {
        FillRect(dc, &rc, GetSysColorBrush(COLOR_MENU));
        int oldMode = SetBkMode(dc, TRANSPARENT);
        COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        DrawTextA(dc, "B", 1, &rc, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        SetTextColor(dc, oldText);
        SetBkMode(dc, oldMode);
        return;
    }
    HBITMAP bmp = m_bmpAnim[disabled ? 0 : m_nCurrentBmp % 4];
    if (!bmp)
        return;
    BITMAP info{};
    GetObjectA(bmp, sizeof info, &info);
    int x = rc.left + (rc.right - rc.left - info.bmWidth) / 2;
    int y = rc.top + (rc.bottom - rc.top - info.bmHeight) / 2;
    if (disabled) {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bmp), 0, x, y, info.bmWidth, info.bmHeight,
                   DST_BITMAP | DSS_DISABLED);
        return;
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void CEditorStatusBar::OnTimer(UINT_PTR id)
{
    if (id == kAnimationTimer) {
        if (!m_bHasJob || !m_job.finished || m_job.finished()) {
            ::KillTimer(m_hWnd, kAnimationTimer);
            m_bBrowserDone = 1;
            if (GetItemID(kProgressPane) == ID_INDICATOR_ANIM)
                SetAnimationPaneStyle(SBT_POPOUT);
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
        } else if (GetItemID(kProgressPane) == ID_INDICATOR_ANIM) {
            m_nCurrentBmp = (m_nCurrentBmp + 1) % 4;
            if (HDC dc = ::GetDC(m_hWnd)) {
                DrawAnimationPane(dc, false);
                ::ReleaseDC(m_hWnd, dc);
            }
        }
        return;
    }
    DefWindowProc(WM_TIMER, id, 0);
}

LRESULT CEditorStatusBar::OnDrawItemReflect(WPARAM, LPARAM lParam)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (dis && static_cast<int>(dis->itemID) == kProgressPane) {
        DrawAnimationPane(dis->hDC, false);
        return TRUE;
    }
    if (!dis || static_cast<int>(dis->itemID) != kReadOnlyPane)
        return FALSE;
    if (roText_.empty())
        return TRUE;
    COLORREF fill = roText_ == "RO" ? RGB(255, 0, 0) : GetSysColor(COLOR_BTNFACE);
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dis->hDC, &dis->rcItem, brush);
    DeleteObject(brush);
    int oldMode = SetBkMode(dis->hDC, TRANSPARENT);
    RECT rc = dis->rcItem;
    DrawTextA(dis->hDC, roText_.c_str(), -1, &rc, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    SetBkMode(dis->hDC, oldMode);
    return TRUE;
}

void CEditorStatusBar::OnLButtonDown(UINT flags, POINT point)
{
    IFrameWindow* frame = OvantaFrame().window;
    COvantaView* view = frame ? frame->ActiveOvantaView() : nullptr;
    if (!view)
        return; // without a document window the click means nothing
    COvantaDoc* doc = view->GetOvantaDoc();
    auto hit = [&](int pane) {
        RECT rc{};
        return GetItemRect(pane, &rc) && PtInRect(&rc, point);
    };
    if (hit(kPositionPane)) {
        frame->AskGotoLine();
    } else if (hit(kReadOnlyPane) && doc && !doc->GetPathName().empty()) {
        const char* path = doc->GetPathName().c_str();
        DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
            DWORD changed = readOnly ? attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)
                                     : attributes | FILE_ATTRIBUTE_READONLY;
            if (SetFileAttributesA(path, changed)) {
                view->Editor().SetReadOnly(readOnly ? 0 : 1);
                SetReadOnlyText(readOnly ? "RW" : "RO");
            }
        }
    } else if (hit(kUnixPane) && doc) {
        doc->State().unixFormat = !doc->State().unixFormat;
        SetPaneText(kUnixPane, doc->State().unixFormat ? "UNIX" : "");
        view->Editor().SetModify(1);
    } else if (hit(kProgressPane) && GetItemID(kProgressPane) == ID_INDICATOR_ANIM) {
        bool stopAsked = m_bHasJob && m_job.stopRequested && m_job.stopRequested();
        if (!m_bHasJob || stopAsked || m_bBrowserDone) {
            // Idle (or already stopping): the click starts the browser.
            ::PostMessageA(frame->FrameWindow(), WM_BROWSER_REQUEST, 0, 0);
        } else {
            if (HDC dc = ::GetDC(m_hWnd)) {
                DrawAnimationPane(dc, true);
                ::ReleaseDC(m_hWnd, dc);
            }
            SetPaneText(kMessagePane, "Auto browser cancelled!");
            if (m_job.requestStop)
                m_job.requestStop();
            ::SetTimer(frame->FrameWindow(), browser_stop_timer, 10000, nullptr);
        }
    }
    DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}
