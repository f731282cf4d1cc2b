#include "editor/shell/editorstatusbar.h"

#include "editor/shell/mainfrm.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"

#include <commctrl.h>

#include <cstdio>

BEGIN_MESSAGE_MAP(CEditorStatusBar, winui::CStatusBar)
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(winui::WM_REFLECT_BASE + WM_DRAWITEM, &CEditorStatusBar::OnDrawItemReflect)
END_MESSAGE_MAP()

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
    return TRUE;
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
        SetPaneInfo(kProgressPane, ID_INDICATOR_ANIM, SBT_POPOUT, rc.bottom - rc.top - 5);
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

void CEditorStatusBar::ShowProgress(bool show)
{
    if (!progress_)
        return;
    PlaceProgress();
    ::SendMessageA(progress_, PBM_SETPOS, show ? 50 : 0, 0);
    ::ShowWindow(progress_, show ? SW_SHOW : SW_HIDE);
    if (show)
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

LRESULT CEditorStatusBar::OnDrawItemReflect(WPARAM, LPARAM lParam)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
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
    COvantaApp* app = COvantaApp::Get();
    CMainFrame* frame = app ? app->MainFrame() : nullptr;
    COvantaView* view = frame ? frame->ActiveOvantaView() : nullptr;
    if (!view)
        return; // without a document window the click means nothing
    COvantaDoc* doc = view->GetOvantaDoc();
    auto hit = [&](int pane) {
        RECT rc{};
        return GetItemRect(pane, &rc) && PtInRect(&rc, point);
    };
    if (hit(kPositionPane)) {
        frame->OnGotoLine();
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
        doc->m_state.unixFormat = !doc->m_state.unixFormat;
        SetPaneText(kUnixPane, doc->m_state.unixFormat ? "UNIX" : "");
        view->Editor().SetModify(1);
    }
    DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}
