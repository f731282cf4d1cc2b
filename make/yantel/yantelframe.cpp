#include "make/yantel/yantelframe.h"

#include "make/yantel/resource.h"
#include "make/yantel/yantel_messages.h"
#include "make/yantel/yantelap.h"

#include "winui/cmdui.h"

#include <commctrl.h>

#include <string>

BEGIN_MESSAGE_MAP(TYantelFrame, winui::CFrameWnd)
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_MENUSELECT, &TYantelFrame::OnMenuSelect)
    ON_MESSAGE(WM_YANTEL_UPDATESTATE, &TYantelFrame::OnUpdateState)
    ON_CONTROL(EN_CHANGE, YANTEL_VIEW_ID, &TYantelFrame::OnViewChange)
    ON_COMMAND(CM_EXIT, &TYantelFrame::CmExit)
    ON_UPDATE_COMMAND_UI(CM_FILESAVE, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_FILESAVEAS, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITMODE, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_REMAKEALL, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_UPDATETARGET, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITUNDO, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITCUT, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITCOPY, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITPASTE, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITDELETE, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITCLEAR, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITFIND, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITREPLACE, &TYantelFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(CM_EDITFINDNEXT, &TYantelFrame::OnUpdateCommand)
END_MESSAGE_MAP()

TYantelFrame::TYantelFrame(TYantelApp* app) : app_(app), view_(this)
{
    // The application owns its frame.
    m_bAutoDelete = FALSE;
}

BOOL TYantelFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.cx = 640;
    cs.cy = 480;
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL TYantelFrame::Create(const char* title)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_YANTEL));
    const char* cls = RegisterClass("YantelFrame", CS_DBLCLKS, nullptr,
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    HMENU menu = LoadMenuA(inst, MAKEINTRESOURCEA(IDM_YANTEL));
    if (!CFrameWnd::Create(cls, title, WS_OVERLAPPEDWINDOW, nullptr, nullptr, menu)) {
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    m_hAccelTable = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(IDM_YANTEL));
    HICON small = static_cast<HICON>(LoadImageA(inst, MAKEINTRESOURCEA(IDI_YANTEL), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : icon));
    if (!view_.Create(m_hWnd))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

BOOL TYantelFrame::CreateToolBar()
{
    if (!toolbar_.Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | winui::CBRS_TOP))
        return FALSE;
    ::SetWindowTextA(toolbar_.m_hWnd, "Toolbar");
    // 0 is a separator; the combo box stands over the separator at
    // comboPlace, widened to the combo box's width.
    static const UINT ids[] = {CM_EXIT,      0, CM_FILENEW,   CM_FILEOPEN, CM_FILESAVE,
                               0,            CM_EDITMODE, 0,  0,           0,
                               CM_REMAKEALL, 0,           CM_UPDATETARGET};
    const int comboPlace = 8;
    const int comboWidth = 200;
    if (!toolbar_.SetButtons(ids, static_cast<int>(sizeof ids / sizeof ids[0])))
        return FALSE;

    // Each button shows the bitmap that carries its command's id, in the
    // order of the buttons (their image numbers).
    images_.Create(16, 16, ILC_COLOR24 | ILC_MASK, 8, 4);
    for (UINT id : ids) {
        if (!id)
            continue;
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        if (bitmap) {
            images_.Add(bitmap, RGB(255, 0, 255));
            DeleteObject(bitmap);
        }
    }
    toolbar_.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.m_hImageList));
    TBBUTTONINFOA place{};
    place.cbSize = sizeof place;
    place.dwMask = TBIF_BYINDEX | TBIF_SIZE;
    place.cx = comboWidth;
    toolbar_.SendMessage(TB_SETBUTTONINFOA, comboPlace, reinterpret_cast<LPARAM>(&place));
    toolbar_.SendMessage(TB_AUTOSIZE);

    RECT at{0, 0, comboWidth, 200};
    toolbar_.GetItemRect(comboPlace, &at);
    RECT combo{at.left, at.top, at.left + comboWidth, at.top + 200};
    if (!targets_.Create(WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, combo,
                         toolbar_.m_hWnd, IDC_TARGETS))
        return FALSE;
    targets_.LimitText(30);
    targets_.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // The user drags it to the top or the bottom, or out into a window of
    // its own; the combo box keeps it a row of buttons.
    toolbar_.EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
    RecalcLayout();
    return TRUE;
}

BOOL TYantelFrame::CreateStatusBar()
{
    if (!status_.Create(this))
        return FALSE;
    const UINT panes[] = {0};
    status_.SetIndicators(panes, 1);
    // One recessed pane over the whole bar.
    status_.SetPaneInfo(0, 0, 0, 0);
    RecalcLayout();
    return TRUE;
}

void TYantelFrame::SetGadgetFont()
{
    if (!targets_.m_hWnd)
        return;
    LOGFONTA face{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    HDC screen = ::GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    LOGFONTA font{};
    font.lfHeight = -MulDiv(10, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, face.lfFaceName, LF_FACESIZE);
    gadgetFont_.DeleteObject();
    if (gadgetFont_.CreateFontIndirect(&font))
        targets_.SetFont(gadgetFont_, TRUE);
}

void TYantelFrame::SetDocTitle(const std::string& title)
{
    docTitle_ = title;
    SetWindowTextIfChanged("Yantel - " + title);
}

void TYantelFrame::SetStatusText(const char* text)
{
    if (status_.m_hWnd)
        status_.SetPaneText(0, text);
}

void TYantelFrame::OnSetFocus(HWND)
{
    if (view_.m_hWnd)
        view_.SetFocus();
}

BOOL TYantelFrame::CanCloseFrame()
{
    return !view_.Running() && view_.CanClear();
}

BOOL TYantelFrame::OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info)
{
    if (view_.m_hWnd && view_.OnCmdMsg(id, code, extra, info))
        return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, info);
}

BOOL TYantelFrame::PreTranslateMessage(MSG* msg)
{
    // Keys of the modeless Find or Replace dialog are the dialog's own,
    // never the frame's accelerators.
    HWND search = view_.SearchDialog().m_hWnd;
    if (search && (msg->hwnd == search || IsChild(search, msg->hwnd)))
        return IsDialogMessageA(search, msg);
    return CFrameWnd::PreTranslateMessage(msg);
}

// The enabled state of every command of the menus and the tool bar.
static bool command_enabled(TYanEditFile& view, UINT id)
{
    bool edit = view.EditMode();
    bool hasText = GetWindowTextLengthA(view.m_hWnd) > 0;
    switch (id) {
    case CM_FILESAVE:
        return edit && (view.GetModify() || view.FileName().empty());
    case CM_FILESAVEAS:
        return edit || !view.FileName().empty();
    case CM_EDITMODE:
        return view.CanEditMode();
    case CM_REMAKEALL:
    case CM_UPDATETARGET:
        return view.CanMake();
    case CM_EDITUNDO:
        return edit && view.SendMessage(EM_CANUNDO) != 0;
    case CM_EDITCUT:
    case CM_EDITDELETE:
        return edit && view.HasSelection();
    case CM_EDITCOPY:
        return view.HasSelection();
    case CM_EDITPASTE:
        return edit && IsClipboardFormatAvailable(CF_TEXT);
    case CM_EDITCLEAR:
        return edit && hasText;
    case CM_EDITFIND:
        return hasText;
    case CM_EDITFINDNEXT:
        return hasText && view.CanFindNext();
    case CM_EDITREPLACE:
        return edit && hasText;
    default:
        return true;
    }
}

void TYantelFrame::OnUpdateCommand(winui::CCmdUI* ui)
{
    ui->Enable(command_enabled(view_, ui->m_nID) ? TRUE : FALSE);
    if (ui->m_nID == CM_EDITMODE)
        ui->SetCheck(view_.EditMode() ? 1 : 0);
}

LRESULT TYantelFrame::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) {
        SetStatusText("");
        return 0;
    }
    std::string hint;
    if (!(flags & (MF_POPUP | MF_SEPARATOR)))
        hint = winui::LoadResourceString(id);
    SetStatusText(hint.c_str());
    return 0;
}

void TYantelFrame::UpdateCommandStates()
{
    if (toolbar_.m_hWnd)
        toolbar_.OnUpdateCmdUI(this, TRUE);
    if (targets_.m_hWnd)
        targets_.EnableWindow(view_.EditMode() ? FALSE : TRUE);
}

LRESULT TYantelFrame::OnUpdateState(WPARAM, LPARAM)
{
    UpdateCommandStates();
    return 0;
}

void TYantelFrame::OnViewChange()
{
    UpdateCommandStates();
}

void TYantelFrame::CmExit()
{
    SendMessage(WM_CLOSE);
}
