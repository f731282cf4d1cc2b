#include "make/yantel/yantelframe.h"

#include "make/yantel/resource.h"
#include "make/yantel/yantel_messages.h"
#include "make/yantel/yantelap.h"

#include <commctrl.h>

#include <string>

BEGIN_MESSAGE_MAP(TYantelFrame, winui::CWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITMENUPOPUP, &TYantelFrame::OnInitMenuPopup)
    ON_MESSAGE(WM_MENUSELECT, &TYantelFrame::OnMenuSelect)
    ON_MESSAGE(WM_YANTEL_UPDATESTATE, &TYantelFrame::OnUpdateState)
    ON_CONTROL(EN_CHANGE, YANTEL_VIEW_ID, &TYantelFrame::OnViewChange)
    ON_COMMAND(CM_EXIT, &TYantelFrame::CmExit)
    ON_COMMAND(CM_FILENEW, &TYantelFrame::CmFileNew)
    ON_COMMAND(CM_FILEOPEN, &TYantelFrame::CmFileOpen)
    ON_COMMAND(CM_HELPABOUT, &TYantelFrame::CmHelpAbout)
    ON_COMMAND_RANGE(CM_MRU_FIRST, CM_MRU_FIRST + YANTEL_MRU_SIZE - 1, &TYantelFrame::CmMRUFile)
END_MESSAGE_MAP()

BOOL TYantelFrame::Create(const char* title)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_YANTEL));
    const char* cls = RegisterClass("YantelFrame", CS_DBLCLKS, nullptr,
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    HMENU menu = LoadMenuA(inst, MAKEINTRESOURCEA(IDM_YANTEL));
    if (!CreateEx(0, cls, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, 640, 480, nullptr, menu)) {
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    HICON small = static_cast<HICON>(LoadImageA(inst, MAKEINTRESOURCEA(IDI_YANTEL), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : icon));
    return view_.Create(m_hWnd);
}

BOOL TYantelFrame::CreateToolBar()
{
    winui::InitCommonControlClasses();
    RECT none{0, 0, 0, 0};
    if (!toolbar_.CreateControl(TOOLBARCLASSNAMEA, "Toolbar",
                                WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                    CCS_TOP,
                                none, m_hWnd, 0xE800))
        return FALSE;
    toolbar_.SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));

    // Each button shows the bitmap that carries its command's id.
    struct Item {
        int command; // 0: separator, -1: the target combo box
    };
    static const Item items[] = {{CM_EXIT},        {0}, {CM_FILENEW},  {CM_FILEOPEN},
                                 {CM_FILESAVE},    {0}, {CM_EDITMODE}, {0},
                                 {-1},             {0}, {CM_REMAKEALL}, {0},
                                 {CM_UPDATETARGET}};
    images_.Create(16, 16, ILC_COLOR24 | ILC_MASK, 8, 4);
    const int comboWidth = 200;
    int comboIndex = -1;
    int index = 0;
    for (const Item& item : items) {
        TBBUTTON button{};
        if (item.command > 0) {
            HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                             MAKEINTRESOURCEA(item.command),
                                                             IMAGE_BITMAP, 0, 0, 0));
            button.iBitmap = bitmap ? images_.Add(bitmap, RGB(255, 0, 255)) : I_IMAGENONE;
            if (bitmap)
                DeleteObject(bitmap);
            button.idCommand = item.command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = item.command == CM_EDITMODE ? BTNS_CHECK : BTNS_BUTTON;
        } else {
            // The combo box stands over a separator as wide as itself.
            button.iBitmap = item.command < 0 ? comboWidth : 6;
            button.fsStyle = BTNS_SEP;
            if (item.command < 0)
                comboIndex = index;
        }
        toolbar_.SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        ++index;
    }
    toolbar_.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.m_hImageList));
    toolbar_.SendMessage(TB_AUTOSIZE);

    RECT place{0, 0, comboWidth, 200};
    toolbar_.SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(comboIndex),
                         reinterpret_cast<LPARAM>(&place));
    RECT combo{place.left, place.top, place.left + comboWidth, place.top + 200};
    if (!targets_.Create(WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, combo,
                         toolbar_.m_hWnd, IDC_TARGETS))
        return FALSE;
    targets_.LimitText(30);
    targets_.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Layout();
    return TRUE;
}

BOOL TYantelFrame::CreateStatusBar()
{
    winui::InitCommonControlClasses();
    RECT none{0, 0, 0, 0};
    if (!status_.CreateControl(STATUSCLASSNAMEA, "", WS_VISIBLE | SBARS_SIZEGRIP, none, m_hWnd,
                               0xE801))
        return FALSE;
    status_.SendMessage(SB_SIMPLE, TRUE);
    Layout();
    return TRUE;
}

void TYantelFrame::SetDocTitle(const std::string& title)
{
    docTitle_ = title;
    std::string caption = "Yantel - " + title;
    ::SetWindowTextA(m_hWnd, caption.c_str());
}

void TYantelFrame::SetStatusText(const char* text)
{
    if (status_.m_hWnd)
        status_.SendMessage(SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
}

void TYantelFrame::Layout()
{
    if (!m_hWnd)
        return;
    RECT client;
    GetClientRect(&client);
    int top = 0, bottom = client.bottom;
    if (toolbar_.m_hWnd) {
        toolbar_.SendMessage(TB_AUTOSIZE);
        RECT r;
        ::GetWindowRect(toolbar_.m_hWnd, &r);
        top = r.bottom - r.top;
    }
    if (status_.m_hWnd) {
        status_.SendMessage(WM_SIZE);
        RECT r;
        ::GetWindowRect(status_.m_hWnd, &r);
        bottom -= r.bottom - r.top;
    }
    if (view_.m_hWnd)
        ::MoveWindow(view_.m_hWnd, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

void TYantelFrame::OnSize(UINT type, int cx, int cy)
{
    if (type != SIZE_MINIMIZED)
        Layout();
}

void TYantelFrame::OnClose()
{
    if (view_.Running() || !view_.CanClear())
        return;
    DestroyWindow();
}

void TYantelFrame::OnDestroy()
{
    PostQuitMessage(0);
}

void TYantelFrame::OnSetFocus(HWND)
{
    if (view_.m_hWnd)
        view_.SetFocus();
}

BOOL TYantelFrame::OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info)
{
    if (view_.m_hWnd && view_.OnCmdMsg(id, code, extra, info))
        return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, info);
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
    case CM_EDITFINDNEXT:
    case CM_EDITREPLACE:
        return false;
    default:
        return true;
    }
}

LRESULT TYantelFrame::OnInitMenuPopup(WPARAM menuHandle, LPARAM)
{
    HMENU menu = reinterpret_cast<HMENU>(menuHandle);
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        EnableMenuItem(menu, static_cast<UINT>(i),
                       MF_BYPOSITION | (command_enabled(view_, id) ? MF_ENABLED : MF_GRAYED));
        if (id == CM_EDITMODE)
            CheckMenuItem(menu, static_cast<UINT>(i),
                          MF_BYPOSITION | (view_.EditMode() ? MF_CHECKED : MF_UNCHECKED));
    }
    return 0;
}

LRESULT TYantelFrame::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) {
        SetStatusText("");
        return 0;
    }
    char hint[256] = "";
    if (!(flags & (MF_POPUP | MF_SEPARATOR)))
        LoadStringA(GetModuleHandleA(nullptr), id, hint, sizeof hint);
    SetStatusText(hint);
    return 0;
}

void TYantelFrame::UpdateCommandStates()
{
    if (!toolbar_.m_hWnd)
        return;
    static const UINT buttons[] = {CM_EXIT,     CM_FILENEW,   CM_FILEOPEN,    CM_FILESAVE,
                                   CM_EDITMODE, CM_REMAKEALL, CM_UPDATETARGET};
    for (UINT id : buttons)
        toolbar_.SendMessage(TB_ENABLEBUTTON, id, MAKELONG(command_enabled(view_, id), 0));
    toolbar_.SendMessage(TB_CHECKBUTTON, CM_EDITMODE, MAKELONG(view_.EditMode(), 0));
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

void TYantelFrame::CmFileNew()
{
    app_->CmFileNew();
}

void TYantelFrame::CmFileOpen()
{
    app_->CmFileOpen();
}

void TYantelFrame::CmHelpAbout()
{
    app_->CmHelpAbout();
}

void TYantelFrame::CmMRUFile(UINT id)
{
    app_->CmMRUFile(static_cast<int>(id - CM_MRU_FIRST));
}
