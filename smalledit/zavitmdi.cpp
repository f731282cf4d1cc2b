#include "smalledit/zavitmdi.h"

#include "smalledit/resource.h"
#include "smalledit/zavitapp.h"
#include "smalledit/zavitdlg.h"
#include "smalledit/zavitedit.h"
#include "smalledit/zavitprint.h"

#include "common/text.h"
#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

static bool file_exists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The full path of a name, of any length; empty when it has none.
static std::string full_path(const std::string& name)
{
    DWORD size = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::string();
    std::string path(size, '\0');
    DWORD got = GetFullPathNameA(name.c_str(), size, &path[0], nullptr);
    if (got == 0 || got >= size)
        return std::string();
    path.resize(got);
    return path;
}

// ---------------------------------------------------------------- client

BEGIN_MESSAGE_MAP(TZavitMDIClient, winui::CWnd)
    ON_COMMAND(CM_FILENEW, &TZavitMDIClient::CmFileNew)
    ON_COMMAND(CM_FILEOPEN, &TZavitMDIClient::CmFileOpen)
    ON_COMMAND(CM_FILECLOSE, &TZavitMDIClient::CmFileClose)
    ON_COMMAND(CM_FILEPRINT, &TZavitMDIClient::CmFilePrint)
    ON_COMMAND(CM_FILEPRINTERSETUP, &TZavitMDIClient::CmFilePrinterSetup)
    ON_COMMAND(CM_FILEPRINTPREVIEW, &TZavitMDIClient::CmFilePrintPreview)
    ON_UPDATE_COMMAND_UI(CM_FILEPRINT, &TZavitMDIClient::CePrint)
    ON_UPDATE_COMMAND_UI(CM_FILEPRINTERSETUP, &TZavitMDIClient::CePrint)
    ON_UPDATE_COMMAND_UI(CM_FILEPRINTPREVIEW, &TZavitMDIClient::CePrint)
    ON_COMMAND(CM_QUICKEXIT, &TZavitMDIClient::CmQuickExit)
    ON_COMMAND(CM_FONT, &TZavitMDIClient::CmFont)
    ON_COMMAND(CM_GOTO, &TZavitMDIClient::CmGoto)
    ON_UPDATE_COMMAND_UI(CM_GOTO, &TZavitMDIClient::CeGoto)
    ON_COMMAND(CM_PERSISTENCE, &TZavitMDIClient::CmPersistence)
    ON_UPDATE_COMMAND_UI(CM_PERSISTENCE, &TZavitMDIClient::CePersistence)
    ON_COMMAND(CM_SAVEALL, &TZavitMDIClient::CmSaveAll)
    ON_COMMAND(CM_FILELIST, &TZavitMDIClient::CmFileList)
    ON_COMMAND(CM_CLASSICFILESEL, &TZavitMDIClient::CmClassicFileSel)
    ON_UPDATE_COMMAND_UI(CM_CLASSICFILESEL, &TZavitMDIClient::CeClassicFileSel)
    ON_COMMAND(CM_CLOSECHILDREN, &TZavitMDIClient::CmCloseChildren)
    ON_MESSAGE(WM_ZAVIT_CHECKDISK, &TZavitMDIClient::OnCheckDisk)
END_MESSAGE_MAP()

TZavitMDIChild* TZavitMDIClient::ActiveChild() const
{
    if (!m_hWnd)
        return nullptr;
    HWND h = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    return dynamic_cast<TZavitMDIChild*>(FromHandle(h));
}

std::vector<TZavitMDIChild*> TZavitMDIClient::Children() const
{
    std::vector<TZavitMDIChild*> children;
    for (HWND h = GetWindow(m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (auto* child = dynamic_cast<TZavitMDIChild*>(FromHandle(h)))
            children.push_back(child);
    return children;
}

void TZavitMDIClient::OpenCommandLineFiles()
{
    const std::vector<std::string>& args = app_->Args();
    openingSeveral_ = args.size() > 2;
    if (args.size() > 1) {
        int offset = 0;
        for (size_t i = 1; i < args.size(); ++i) {
            std::string path = full_path(args[i]);
            if (path.empty()) {
                winui::ShowMessageBox(m_hWnd, args[i].c_str(), "Zavit: Illegal filename", MB_OK);
                continue;
            }
            FileWindowEntry* e = FindFileWindowEntry(path);
            if (e->w <= 0 || e->h <= 0) {
                e->x = offset;
                e->y = offset;
                e->w = 640;
                e->h = 480;
                offset += 22;
            }
            if (!file_exists(path)) {
                if (winui::ShowMessageBox(m_hWnd, path.c_str(), "Zavit: File not found. New File?",
                                          MB_YESNO | MB_ICONQUESTION) != IDYES)
                    continue;
                if (FILE* f = std::fopen(path.c_str(), "w"))
                    std::fclose(f);
            }
            OpenFileWindow(path);
        }
        openingSeveral_ = false;
        return;
    }
    // The files open when the program last ended, as they stand in the list
    // now (opening reorders it).
    std::vector<std::string> names;
    int n = 0;
    for (const FileWindowEntry& e : app_->files.Entries()) {
        if (n++ >= ZAVIT_WINDOW_LINES)
            break;
        if (e.open)
            names.push_back(e.name);
    }
    openingSeveral_ = names.size() > 1;
    for (const std::string& name : names)
        if (file_exists(name))
            OpenFileWindow(name);
    openingSeveral_ = false;
}

TZavitMDIChild* TZavitMDIClient::MakeChild(TZavitEditFile* edit, const std::string& caption,
                                           const RECT* place, bool maximized)
{
    // The first window made while no other exists fills the client: made
    // maximized, so that its text is not laid out again a moment later.
    // While several files open together the first tick decides.
    if (TZavitEditFile::creationCount == 1 && !openingSeveral_) {
        maximized = true;
        TZavitEditFile::creationCount = 0;
    }
    auto* child = new TZavitMDIChild(edit);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | (maximized ? WS_MAXIMIZE : 0);
    TZavitFrame* frame = app_->Frame();
    if (!child->Create(nullptr, caption.c_str(), style, place, frame->m_hWnd)) {
        delete child;
        return nullptr;
    }
    edit->LoadText();
    child->SetIcons(IDI_SAVED);
    return child;
}

TZavitEditFile* TZavitMDIClient::OpenFileWindow(const std::string& name)
{
    if (!name.empty())
        app_->dialogFileName = name;
    std::string path = app_->dialogFileName;
    FileWindowEntry* e = FindFileWindowEntry(path);
    if (e->window && e->window->child) {
        TZavitMDIChild* child = e->window->child;
        if (child->IsMinimized())
            child->MDIRestore();
        child->MDIActivate();
        BringWindowToTop(child->m_hWnd);
        return e->window;
    }
    auto* edit = new TZavitEditFile(path);
    RECT place{e->x, e->y, e->x + e->w, e->y + e->h};
    bool placed = e->w != 0 && e->h != 0;
    TZavitMDIChild* child =
        MakeChild(edit, text_base_name(path.c_str()), placed ? &place : nullptr, false);
    return child ? edit : nullptr;
}

bool TZavitMDIClient::CanClose()
{
    app_->closing = true;
    bool ok = true;
    for (TZavitMDIChild* child : Children()) {
        if (!child->CanClose()) {
            ok = false;
            break;
        }
    }
    // A cancelled end leaves the program as it was: files closed later are
    // closed for good.
    if (!ok)
        app_->closing = false;
    HWND main = app_->Frame()->m_hWnd;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (GetWindowPlacement(main, &wp)) {
        const RECT& r = wp.rcNormalPosition;
        app_->settings.x = r.left;
        app_->settings.y = r.top;
        app_->settings.w = r.right - r.left;
        app_->settings.h = r.bottom - r.top;
    }
    app_->settings.minimized = IsIconic(main) != FALSE;
    app_->settings.maximized = IsZoomed(main) != FALSE;
    return ok;
}

void TZavitMDIClient::CmFileNew()
{
    char caption[16];
    std::snprintf(caption, sizeof caption, "%d", newCount_++);
    BOOL maximized = FALSE;
    SendMessage(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    MakeChild(new TZavitEditFile(std::string()), caption, nullptr, maximized != FALSE);
}

void TZavitMDIClient::CmFileOpen()
{
    app_->dialogFileName.clear();
    winui::CFileDialog dialog(true, nullptr, nullptr, app_->openData.flags,
                              app_->openData.filter.c_str(), app_->Frame()->m_hWnd);
    dialog.SetExplorerStyle((app_->openData.flags & OFN_EXPLORER) != 0);
    if (dialog.DoModal() != IDOK)
        return;
    app_->dialogFileName = dialog.GetPathName();
    OpenFileWindow();
}

void TZavitMDIClient::CmFileClose()
{
    if (TZavitMDIChild* child = ActiveChild())
        child->SendMessage(WM_CLOSE);
}

void TZavitMDIClient::CmCloseChildren()
{
    for (TZavitMDIChild* child : Children()) {
        if (!child->CanClose())
            return;
    }
    for (TZavitMDIChild* child : Children())
        child->DestroyWindow();
}

void TZavitMDIClient::CePrint(winui::CCmdUI* ui)
{
    ui->Enable(ActiveChild() != nullptr && app_->Printer() != nullptr);
}

void TZavitMDIClient::CmFilePrint()
{
    TZavitMDIChild* child = ActiveChild();
    if (!child || !app_->Printer())
        return;
    int length = GetWindowTextLengthA(child->m_hWnd);
    std::string title(static_cast<size_t>(length) + 1, '\0');
    title.resize(static_cast<size_t>(GetWindowTextA(child->m_hWnd, &title[0], length + 1)));
    ZavitPrint(*app_, *child->Edit(), title, app_->Frame()->m_hWnd);
}

void TZavitMDIClient::CmFilePrinterSetup()
{
    winui::CPrintDialog* printer = app_->Printer();
    if (!printer)
        return;
    winui::CPrintDialog setup(true, PD_PRINTSETUP, m_hWnd);
    setup.m_pd.hDevMode = printer->m_pd.hDevMode;
    setup.m_pd.hDevNames = printer->m_pd.hDevNames;
    printer->m_pd.hDevMode = nullptr;
    printer->m_pd.hDevNames = nullptr;
    setup.DoModal();
    printer->m_pd.hDevMode = setup.m_pd.hDevMode;
    printer->m_pd.hDevNames = setup.m_pd.hDevNames;
    setup.m_pd.hDevMode = nullptr;
    setup.m_pd.hDevNames = nullptr;
}

void TZavitMDIClient::CmFilePrintPreview()
{
    TZavitMDIChild* child = ActiveChild();
    if (!child || !app_->Printer())
        return;
    ZavitPreview(*app_, *child->Edit());
}

void TZavitMDIClient::CmQuickExit()
{
    app_->quickExit = true;
    app_->Frame()->SendMessage(WM_CLOSE);
}

void TZavitMDIClient::CmFont()
{
    LOGFONTA lf{};
    bool known = GetObjectA(app_->DefaultFont(), sizeof lf, &lf) != 0;
    winui::CFontDialog dialog(known ? &lf : nullptr,
                              CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST |
                                  (known ? CF_INITTOLOGFONTSTRUCT : 0),
                              app_->Frame()->m_hWnd);
    if (dialog.DoModal() != IDOK)
        return;
    app_->settings.face = std::string(dialog.m_lf.lfFaceName).substr(0, 39);
    app_->settings.height = dialog.m_lf.lfHeight;
    app_->settings.weight = dialog.m_lf.lfWeight;
    app_->settings.italic = dialog.m_lf.lfItalic != 0;
    app_->MakeDefaultFont();
    for (TZavitMDIChild* child : Children())
        ApplyFontToChild(child);
}

void TZavitMDIClient::ApplyFontToChild(TZavitMDIChild* child)
{
    TZavitEditFile* edit = child->Edit();
    bool modified = edit->GetModify();
    edit->SetTabStops();
    if (!modified)
        edit->SetModify(FALSE);
    if (child->IsMinimized()) {
        edit->fontPending = true;
        return;
    }
    edit->SendMessage(WM_SETREDRAW, FALSE);
    edit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(app_->DefaultFont()), FALSE);
    edit->SetTabStops();
    if (!modified)
        edit->SetModify(FALSE);
    RECT r;
    GetWindowRect(edit->m_hWnd, &r);
    UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    SetWindowPos(edit->m_hWnd, nullptr, 0, 0, r.right - r.left - 1, r.bottom - r.top, flags);
    SetWindowPos(edit->m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, flags);
    edit->SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(edit->m_hWnd, nullptr, TRUE);
}

void TZavitMDIClient::CeGoto(winui::CCmdUI* ui)
{
    ui->Enable(ActiveChild() != nullptr);
}

void TZavitMDIClient::CmGoto()
{
    TZavitMDIChild* child = ActiveChild();
    if (!child)
        return;
    int line = 0, column = 0;
    child->Edit()->CaretPosition(line, column);
    TZavitGotoDlg dialog(app_->Frame()->m_hWnd, std::to_string(line));
    if (dialog.DoModal() != IDOK)
        return;
    int n = std::atoi(dialog.Text().c_str());
    child->Edit()->GotoLineColumn(n < 1 ? 1 : n, 1);
}

void TZavitMDIClient::CmPersistence()
{
    app_->settings.persistent = !app_->settings.persistent;
}

void TZavitMDIClient::CePersistence(winui::CCmdUI* ui)
{
    ui->SetCheck(app_->settings.persistent ? 1 : 0);
}

void TZavitMDIClient::CmClassicFileSel()
{
    app_->settings.classic = !app_->settings.classic;
    if (app_->settings.classic)
        app_->openData.flags &= ~static_cast<DWORD>(OFN_EXPLORER);
    else
        app_->openData.flags |= OFN_EXPLORER;
}

void TZavitMDIClient::CeClassicFileSel(winui::CCmdUI* ui)
{
    ui->SetCheck(app_->settings.classic ? 1 : 0);
}

void TZavitMDIClient::CmSaveAll()
{
    for (TZavitMDIChild* child : Children())
        if (child->Edit()->GetModify())
            child->Edit()->Save();
}

void TZavitMDIClient::CmFileList()
{
    TFileList dialog(app_->Frame()->m_hWnd, app_->files);
    if (dialog.DoModal() != IDOK || dialog.Name().empty())
        return;
    if (!file_exists(dialog.Name())) {
        winui::ShowMessageBox(m_hWnd, "File does not exist!", "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    OpenFileWindow(dialog.Name());
}

LRESULT TZavitMDIClient::OnCheckDisk(WPARAM, LPARAM)
{
    for (TZavitMDIChild* child : Children())
        child->Edit()->CheckDiskTime();
    return 0;
}

// ---------------------------------------------------------------- child

BEGIN_MESSAGE_MAP(TZavitMDIChild, winui::CMDIChildWnd)
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

TZavitMDIChild::TZavitMDIChild(TZavitEditFile* edit) : edit_(edit)
{
    edit_->child = this;
}

TZavitMDIChild::~TZavitMDIChild()
{
    delete edit_;
}

BOOL TZavitMDIChild::OnCreateClient(LPCREATESTRUCTA, winui::CCreateContext*)
{
    return edit_->Create(m_hWnd, winui::AFX_IDW_PANE_FIRST);
}

void TZavitMDIChild::SetIcons(UINT iconId)
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (IsMaximized())
        if (TZavitApp* app = TZavitApp::Get())
            DrawMenuBar(app->Frame()->m_hWnd);
}

bool TZavitMDIChild::IsMaximized() const
{
    return IsZoomed(m_hWnd) != FALSE;
}

bool TZavitMDIChild::CanClose()
{
    return edit_->CanClose();
}

void TZavitMDIChild::OnClose()
{
    if (CanClose())
        DestroyWindow();
}

void TZavitMDIChild::OnSetFocus(HWND)
{
    Default();
    if (edit_->m_hWnd)
        ::SetFocus(edit_->m_hWnd);
}

BOOL TZavitMDIChild::OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info)
{
    if (edit_->m_hWnd && edit_->OnCmdMsg(id, code, extra, info))
        return TRUE;
    return winui::CMDIChildWnd::OnCmdMsg(id, code, extra, info);
}

// ---------------------------------------------------------------- frame

BEGIN_MESSAGE_MAP(TZavitFrame, winui::CMDIFrameWnd)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_MENUSELECT, &TZavitFrame::OnMenuSelect)
    ON_COMMAND(CM_EXIT, &TZavitFrame::CmExit)
    ON_COMMAND_RANGE(CM_CASCADECHILDREN, CM_ARRANGEICONS, &TZavitFrame::CmWindow)
    ON_UPDATE_COMMAND_UI(IDS_PANE_CAPS, &TZavitFrame::CeIndicator)
    ON_UPDATE_COMMAND_UI(IDS_PANE_NUM, &TZavitFrame::CeIndicator)
    ON_UPDATE_COMMAND_UI(IDS_PANE_CARET, &TZavitFrame::CeCaret)
END_MESSAGE_MAP()

BOOL TZavitFrame::Create(const RECT* place)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_ZAVIT));
    const char* cls = RegisterClass("ZavitFrame", CS_DBLCLKS, nullptr,
                                    reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), icon);
    HMENU menu = LoadMenuA(inst, MAKEINTRESOURCEA(IDM_ZAVIT));
    m_strTitle = "Zavit";
    if (!winui::CMDIFrameWnd::Create(cls, "Zavit", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place,
                                     nullptr, menu)) {
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    m_hAccelTable = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(IDM_ZAVIT));
    m_nIDResource = IDM_ZAVIT;
    if (!CreateStatusBar() || !CreateToolBar())
        return FALSE;
    RecalcLayout();
    return TRUE;
}

BOOL TZavitFrame::OnCreateClient(LPCREATESTRUCTA cs, winui::CCreateContext*)
{
    m_hMenuDefault = cs->hMenu;
    // The Window menu (the fifth) lists the children.
    if (!CreateClient(cs, cs->hMenu ? GetSubMenu(cs->hMenu, 4) : nullptr))
        return FALSE;
    return client_.SubclassWindow(m_hWndMDIClient);
}

BOOL TZavitFrame::CreateStatusBar()
{
    if (!status_.Create(this))
        return FALSE;
    static const UINT panes[] = {0, IDS_PANE_CAPS, IDS_PANE_NUM, IDS_PANE_CARET};
    status_.SetIndicators(panes, 4);
    // The caret pane: 7 characters.
    HDC dc = GetDC(status_.m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(status_.SendMessage(WM_GETFONT)));
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, "0000000", 7, &size);
    SelectObject(dc, old);
    ReleaseDC(status_.m_hWnd, dc);
    status_.SetPaneInfo(3, IDS_PANE_CARET, 0, size.cx + 8);
    return TRUE;
}

BOOL TZavitFrame::CreateToolBar()
{
    if (!toolbar_.Create(this))
        return FALSE;
    // Dragged by the user to any side or out into a window of its own,
    // which shows this caption.
    ::SetWindowTextA(toolbar_.m_hWnd, "Toolbar");
    toolbar_.EnableDocking(winui::CBRS_ALIGN_ANY);
    static const UINT buttons[] = {CM_QUICKEXIT, 0, CM_EXIT, 0, CM_SAVEALL, 0,
                                   CM_FILENEW, CM_FILEOPEN, CM_FILESAVE, 0,
                                   CM_EDITCUT, CM_EDITCOPY, CM_EDITPASTE, 0,
                                   CM_EDITUNDO, 0, CM_EDITFIND, CM_EDITFINDNEXT, 0,
                                   CM_FILEPRINT, CM_FILEPRINTPREVIEW};
    const int count = static_cast<int>(sizeof buttons / sizeof buttons[0]);
    // Each button shows the bitmap that carries its command's id.
    images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, count, 0);
    for (UINT id : buttons) {
        if (!id)
            continue;
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        ImageList_AddMasked(images_, bitmap, RGB(255, 0, 255));
        if (bitmap)
            DeleteObject(bitmap);
    }
    toolbar_.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    return toolbar_.SetButtons(buttons, count);
}

void TZavitFrame::SetCaretStatus(const char* text)
{
    caretText_ = text;
    int index = status_.CommandToIndex(IDS_PANE_CARET);
    if (index >= 0 && status_.GetPaneText(index) != caretText_)
        status_.SetPaneText(index, text);
}

void TZavitFrame::CeCaret(winui::CCmdUI* ui)
{
    ui->SetText(caretText_.c_str());
}

void TZavitFrame::CeIndicator(winui::CCmdUI* ui)
{
    int key = ui->m_nID == IDS_PANE_CAPS ? VK_CAPITAL : VK_NUMLOCK;
    bool on = (GetKeyState(key) & 1) != 0;
    ui->SetText(on ? winui::LoadResourceString(ui->m_nID).c_str() : "");
}

BOOL TZavitFrame::OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info)
{
    if (TZavitMDIChild* child = client_.ActiveChild())
        if (child->OnCmdMsg(id, code, extra, info))
            return TRUE;
    if (client_.m_hWnd && client_.OnCmdMsg(id, code, extra, info))
        return TRUE;
    return winui::CFrameWnd::OnCmdMsg(id, code, extra, info);
}

LRESULT TZavitFrame::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT flags = HIWORD(wParam);
    std::string hint;
    if (flags == 0xFFFF && lParam == 0)
        hint.clear(); // the menu closed
    else if (!(flags & MF_POPUP) && !(flags & MF_SEPARATOR))
        hint = winui::LoadResourceString(id);
    status_.SetPaneText(0, hint.c_str());
    return Default();
}

void TZavitFrame::OnClose()
{
    if (!client_.CanClose()) {
        app_->quickExit = false;
        return;
    }
    DestroyWindow();
}

void TZavitFrame::CmExit()
{
    SendMessage(WM_CLOSE);
}

void TZavitFrame::CmWindow(UINT id)
{
    switch (id) {
    case CM_CASCADECHILDREN: MDICascade(); break;
    case CM_TILECHILDREN: MDITile(MDITILE_VERTICAL); break;
    case CM_TILECHILDRENHORIZ: MDITile(MDITILE_HORIZONTAL); break;
    case CM_ARRANGEICONS: MDIIconArrange(); break;
    }
}
