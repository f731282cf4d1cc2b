#include "smalledit/zavitprint.h"

#include "smalledit/resource.h"
#include "smalledit/zavit_text.h"
#include "smalledit/zavitapp.h"
#include "smalledit/zavitedit.h"
#include "smalledit/zavitmdi.h"

#include "common/text.h"
#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <commctrl.h>

void TApxPrintout::SetPrintParams(winui::CPrintInfo& info)
{
    info.m_nMinPage = 1;
    info.m_nMaxPage = 999;
}

void TApxPrintout::OnPrepareDC(HDC dc, winui::CPrintInfo*)
{
    if (!scale_)
        return;
    // A logical unit is a screen pixel: the text has the size it has on
    // the screen.
    HDC screen = GetDC(nullptr);
    int screenX = GetDeviceCaps(screen, LOGPIXELSX), screenY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    int printerX = GetDeviceCaps(dc, LOGPIXELSX), printerY = GetDeviceCaps(dc, LOGPIXELSY);
    SIZE page = winui::PageSize(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, page.cx, page.cy, nullptr);
    SetWindowExtEx(dc, MulDiv(page.cx, screenX, printerX), MulDiv(page.cy, screenY, printerY),
                   nullptr);
}

void TApxPrintout::OnPrint(HDC dc, winui::CPrintInfo* info)
{
    const RECT& band = info->m_rectDraw;
    if (app_.printing == 0 || !app_.HasPrinter() || IsRectEmpty(&band))
        return;
    HGDIOBJ oldFont = SelectObject(dc, app_.DefaultFont());
    TEXTMETRICA tm{};
    int h = GetTextMetricsA(dc, &tm) ? tm.tmHeight + tm.tmExternalLeading : 10;
    int lines = zavit_lines_per_page(band.bottom - band.top, h);
    if (lines > 0) {
        info->SetMinPage(1);
        info->SetMaxPage(static_cast<UINT>(zavit_page_count(edit_.GetLineCount(), lines)));
        int page = static_cast<int>(info->m_nCurPage);
        LONG length = edit_.GetTextLength();
        SetBkMode(dc, TRANSPARENT);
        for (int i = 0; i < lines; ++i) {
            LONG k = static_cast<LONG>((page - 1) * lines + i);
            LONG start = edit_.LineIndex(k);
            if (start < 0)
                break;
            LONG end = edit_.LineIndex(k + 1);
            if (end < 0 || end > start + 199)
                end = start + 199;
            if (end > length)
                end = length;
            std::string raw = edit_.GetTextRange(start, end);
            std::string text = zavit_print_line(raw.data(), raw.size());
            TextOutA(dc, band.left + h, band.top + i * h, text.c_str(), static_cast<int>(text.size()));
        }
    }
    SelectObject(dc, oldFont);
}

// ---------------------------------------------------------------- printing

bool ZavitPrint(TZavitApp& app, TZavitEditFile& edit, const std::string& title, HWND owner)
{
    winui::CPrintDialog* printer = app.Printer();
    if (!printer)
        return false;
    winui::CPrintDialog dialog(false, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION |
                                          PD_HIDEPRINTTOFILE, owner);
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = 999;
    dialog.m_pd.nFromPage = 1;
    dialog.m_pd.nToPage = 999;
    dialog.m_pd.hDevMode = printer->m_pd.hDevMode;
    dialog.m_pd.hDevNames = printer->m_pd.hDevNames;
    printer->m_pd.hDevMode = nullptr;
    printer->m_pd.hDevNames = nullptr;
    INT_PTR answer = dialog.DoModal();
    printer->m_pd.hDevMode = dialog.m_pd.hDevMode;
    printer->m_pd.hDevNames = dialog.m_pd.hDevNames;
    HDC dc = answer == IDOK ? printer->CreatePrinterDC() : nullptr;
    dialog.m_pd.hDevMode = nullptr;
    dialog.m_pd.hDevNames = nullptr;
    if (!dc)
        return false;
    winui::CPrintInfo info;
    TApxPrintout::SetPrintParams(info);
    info.m_nFromPage = 1;
    info.m_nToPage = 999;
    if (dialog.PrintRange()) {
        info.m_nFromPage = static_cast<UINT>(dialog.GetFromPage());
        info.m_nToPage = static_cast<UINT>(dialog.GetToPage());
    }
    // A printer on the port "FILE:" writes into a file the user names. The
    // program asks itself: a spooler that does not ask would otherwise
    // write a file named after the port.
    std::string output;
    if (text_equal_nocase(printer->GetPortName().c_str(), "FILE:")) {
        winui::CFileDialog save(false, "prn", nullptr,
                                OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                                "Printer files (*.prn)|*.prn|All Files (*.*)|*.*|", owner);
        if (save.DoModal() != IDOK) {
            DeleteDC(dc);
            return false;
        }
        output = save.GetPathName();
    }
    TApxPrintout printout(app, edit);
    ++app.printing;
    int printed = winui::PrintDocument(dc, title.c_str(), printout, info,
                                       output.empty() ? nullptr : output.c_str());
    --app.printing;
    DeleteDC(dc);
    if (printed < 0)
        winui::ShowMessageBox(owner, "The document could not be printed.", "Zavit",
                              MB_OK | MB_ICONEXCLAMATION);
    return printed > 0;
}

// ---------------------------------------------------------------- preview

BEGIN_MESSAGE_MAP(TApxPreviewWin, winui::CFrameWnd)
    ON_WM_CLOSE()
    ON_COMMAND(CM_PREVPAGE, &TApxPreviewWin::CmPrevPage)
    ON_COMMAND(CM_NEXTPAGE, &TApxPreviewWin::CmNextPage)
    ON_COMMAND(CM_ONEPAGE, &TApxPreviewWin::CmOnePage)
    ON_COMMAND(CM_TWOPAGE, &TApxPreviewWin::CmTwoPage)
    ON_COMMAND(CM_FILEPRINT, &TApxPreviewWin::CmPrint)
    ON_COMMAND(CM_PREVIEWCLOSE, &TApxPreviewWin::CmClose)
    ON_UPDATE_COMMAND_UI(CM_PREVPAGE, &TApxPreviewWin::CePrevPage)
    ON_UPDATE_COMMAND_UI(CM_NEXTPAGE, &TApxPreviewWin::CeNextPage)
    ON_UPDATE_COMMAND_UI(CM_TWOPAGE, &TApxPreviewWin::CeTwoPage)
    ON_UPDATE_COMMAND_UI(CM_ONEPAGE, &TApxPreviewWin::CeEnabled)
    ON_UPDATE_COMMAND_UI(CM_FILEPRINT, &TApxPreviewWin::CeEnabled)
    ON_UPDATE_COMMAND_UI(CM_PREVIEWCLOSE, &TApxPreviewWin::CeEnabled)
END_MESSAGE_MAP()

TApxPreviewWin::TApxPreviewWin(TZavitApp& app, TZavitEditFile& edit, HDC printerDC)
    : app_(app), edit_(edit), dc_(printerDC), printout_(app, edit)
{
    m_bAutoDelete = FALSE;
    TApxPrintout::SetPrintParams(info_);
    info_.m_nFromPage = 1;
    info_.m_nToPage = 1;
    info_.m_nMaxPage = 1;
    accel_ = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_PREVIEW));
}

TApxPreviewWin::~TApxPreviewWin()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    if (images_)
        ImageList_Destroy(images_);
}

BOOL TApxPreviewWin::Create(HWND mainFrame)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_ZAVIT));
    const char* cls = RegisterClass("ZavitPreview", CS_DBLCLKS, nullptr,
                                    reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), icon);
    int length = GetWindowTextLengthA(mainFrame);
    std::string caption(static_cast<size_t>(length) + 1, '\0');
    caption.resize(static_cast<size_t>(GetWindowTextA(mainFrame, &caption[0], length + 1)));
    caption += " (Preview)";
    RECT place;
    GetWindowRect(mainFrame, &place);
    if (!winui::CFrameWnd::Create(cls, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  &place, mainFrame))
        return FALSE;
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (!bar_.Create(this))
        return FALSE;
    static const UINT buttons[] = {CM_PREVPAGE, CM_NEXTPAGE, 0, CM_ONEPAGE, CM_TWOPAGE, 0, 0, 0,
                                   CM_FILEPRINT, 0, CM_PREVIEWCLOSE};
    const int count = static_cast<int>(sizeof buttons / sizeof buttons[0]);
    images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, count, 0);
    for (UINT id : buttons) {
        if (!id)
            continue;
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(inst, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        ImageList_AddMasked(images_, bitmap, RGB(255, 0, 255));
        if (bitmap)
            DeleteObject(bitmap);
    }
    bar_.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    if (!bar_.SetButtons(buttons, count))
        return FALSE;
    // One page and two pages are a pair of exclusive buttons.
    for (UINT id : {CM_ONEPAGE, CM_TWOPAGE}) {
        TBBUTTONINFOA bi{};
        bi.cbSize = sizeof bi;
        bi.dwMask = TBIF_STYLE;
        bi.fsStyle = BTNS_CHECKGROUP;
        bar_.SendMessage(TB_SETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&bi));
    }
    bar_.CheckButton(CM_ONEPAGE, TRUE);
    // The page text stands over the separators after the page buttons.
    TBBUTTONINFOA wide{};
    wide.cbSize = sizeof wide;
    wide.dwMask = TBIF_SIZE | TBIF_BYINDEX;
    wide.cx = 90;
    bar_.SendMessage(TB_SETBUTTONINFOA, 6, reinterpret_cast<LPARAM>(&wide));
    RECT r{0, 0, 0, 0};
    bar_.GetItemRect(6, &r);
    pageText_ = CreateWindowExA(WS_EX_STATICEDGE, "STATIC", "Page 1",
                                WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, r.left + 2,
                                r.top + 2, r.right - r.left - 4, r.bottom - r.top - 4, bar_.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_PAGETEXT)), inst,
                                nullptr);
    ::SendMessageA(pageText_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    RecalcLayout();
    UpdateBar();
    return TRUE;
}

RECT TZavitPreviewPages::PageRect(int index) const
{
    RECT client;
    GetClientRect(&client);
    SIZE page = winui::PageSize(printer_);
    ZavitPageBox box = zavit_preview_page(index, client.right - client.left,
                                          client.bottom - client.top, page.cx, page.cy);
    return RECT{client.left + box.left, client.top + box.top, client.left + box.right,
                client.top + box.bottom};
}

BOOL TApxPreviewWin::OnCreateClient(LPCREATESTRUCTA, winui::CCreateContext*)
{
    preview_ = std::make_unique<TZavitPreviewPages>(printout_, dc_, info_);
    RECT none{0, 0, 1, 1};
    return preview_->Create(m_hWnd, none, WS_CHILD | WS_VISIBLE, winui::AFX_IDW_PANE_FIRST);
}

void TApxPreviewWin::UpdateBar()
{
    std::string text = PageText();
    char old[64] = "";
    GetWindowTextA(pageText_, old, sizeof old);
    if (text != old)
        SetWindowTextA(pageText_, text.c_str());
    bar_.OnUpdateCmdUI(this, FALSE);
}

void TApxPreviewWin::CePrevPage(winui::CCmdUI* ui)
{
    ui->Enable(preview_ && preview_->FirstPage() != 1);
}

void TApxPreviewWin::CeNextPage(winui::CCmdUI* ui)
{
    UINT last = preview_ ? preview_->FirstPage() + (preview_->TwoPages() ? 1 : 0) : 1;
    ui->Enable(preview_ && last < info_.m_nMaxPage);
}

void TApxPreviewWin::CeTwoPage(winui::CCmdUI* ui)
{
    SIZE page = winui::PageSize(dc_);
    ui->Enable(page.cy >= page.cx);
}

void TApxPreviewWin::CeEnabled(winui::CCmdUI* ui)
{
    ui->Enable(TRUE);
}

void TApxPreviewWin::CmPrevPage()
{
    preview_->PrevPage();
    UpdateBar();
}

void TApxPreviewWin::CmNextPage()
{
    preview_->NextPage();
    UpdateBar();
}

void TApxPreviewWin::CmOnePage()
{
    preview_->SetTwoPages(false);
    bar_.CheckButton(CM_ONEPAGE, TRUE);
    bar_.CheckButton(CM_TWOPAGE, FALSE);
    UpdateBar();
}

void TApxPreviewWin::CmTwoPage()
{
    SIZE page = winui::PageSize(dc_);
    if (page.cy < page.cx)
        return;
    preview_->SetTwoPages(true);
    bar_.CheckButton(CM_ONEPAGE, FALSE);
    bar_.CheckButton(CM_TWOPAGE, TRUE);
    UpdateBar();
}

void TApxPreviewWin::CmPrint()
{
    if (TZavitMDIClient* client = app_.Client())
        client->SendMessage(WM_COMMAND, CM_FILEPRINT);
}

void TApxPreviewWin::CmClose()
{
    done_ = true;
    // The modal loop may be waiting for a message.
    PostMessage(WM_NULL);
}

void TApxPreviewWin::OnClose()
{
    CmClose();
}

void TApxPreviewWin::RunModal()
{
    MSG msg;
    while (!done_ && IsWindow(m_hWnd)) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            UpdateBar();
            WaitMessage();
            continue;
        }
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // The program is ending: the main loop sees the quit as well.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (accel_ && TranslateAcceleratorA(m_hWnd, accel_, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void ZavitPreview(TZavitApp& app, TZavitEditFile& edit)
{
    winui::CPrintDialog* printer = app.Printer();
    TZavitFrame* frame = app.Frame();
    if (!printer || !frame)
        return;
    HDC dc = printer->CreatePrinterDC();
    if (!dc)
        return;
    ++app.printing;
    {
        TApxPreviewWin preview(app, edit, dc);
        if (preview.Create(frame->m_hWnd)) {
            RECT r;
            GetWindowRect(frame->m_hWnd, &r);
            SetWindowPos(preview.m_hWnd, nullptr, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
            ShowWindow(preview.m_hWnd, SW_SHOW);
            ShowWindow(frame->m_hWnd, SW_HIDE);
            preview.RunModal();
            GetWindowRect(preview.m_hWnd, &r);
            SetWindowPos(frame->m_hWnd, nullptr, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindow(frame->m_hWnd, SW_SHOW);
        }
    }
    --app.printing;
    DeleteDC(dc);
}
