#include "winui/print.h"

#include "winui/gdi.h"

#include <algorithm>

namespace winui {

SIZE PageSize(HDC printerDC)
{
    return SIZE{GetDeviceCaps(printerDC, HORZRES), GetDeviceCaps(printerDC, VERTRES)};
}

// A fixed mapping (MM_TWIPS, MM_LOMETRIC...) recorded in a metafile is
// played back with the metrics of the playing device instead of the
// recording printer's under some systems; the same mapping written as
// MM_ANISOTROPIC with its extents plays back alike everywhere.
static void make_mapping_explicit(HDC dc)
{
    int mode = GetMapMode(dc);
    if (mode == MM_TEXT || mode == MM_ANISOTROPIC)
        return;
    SIZE window, viewport;
    GetWindowExtEx(dc, &window);
    GetViewportExtEx(dc, &viewport);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, window.cx, window.cy, nullptr);
    SetViewportExtEx(dc, viewport.cx, viewport.cy, nullptr);
}

static void paint_page(HDC dc, CPagePainter& painter, CPrintInfo& info, UINT page, bool recording)
{
    int saved = SaveDC(dc);
    info.m_nCurPage = page;
    painter.OnPrepareDC(dc, &info);
    if (recording)
        make_mapping_explicit(dc);
    SIZE size = PageSize(dc);
    info.m_rectDraw = RECT{0, 0, size.cx, size.cy};
    DPtoLP(dc, reinterpret_cast<POINT*>(&info.m_rectDraw), 2);
    painter.OnPrint(dc, &info);
    RestoreDC(dc, saved);
}

void PaintPage(HDC dc, CPagePainter& painter, CPrintInfo& info, UINT page)
{
    paint_page(dc, painter, info, page, false);
}

int PrintDocument(HDC printerDC, const char* docName, CPagePainter& painter, CPrintInfo& info,
                  const char* outputFile)
{
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = docName;
    doc.lpszOutput = outputFile;
    if (StartDocA(printerDC, &doc) <= 0)
        return -1;
    info.m_bPreview = false;
    info.m_bContinuePrinting = true;
    painter.OnBeginPrinting(printerDC, &info);
    int printed = 0;
    bool failed = false;
    for (UINT page = std::max(info.m_nFromPage, info.m_nMinPage);
         page <= info.m_nToPage && page <= info.m_nMaxPage && info.m_bContinuePrinting; ++page) {
        if (StartPage(printerDC) <= 0) {
            failed = true;
            break;
        }
        PaintPage(printerDC, painter, info, page);
        if (EndPage(printerDC) <= 0) {
            failed = true;
            break;
        }
        ++printed;
    }
    painter.OnEndPrinting(printerDC, &info);
    if (failed) {
        AbortDoc(printerDC);
        return -1;
    }
    return EndDoc(printerDC) > 0 ? printed : -1;
}

HENHMETAFILE RecordPage(HDC printerDC, CPagePainter& painter, CPrintInfo& info, UINT page)
{
    // The frame in hundredths of a millimetre: the whole printer page.
    SIZE size = PageSize(printerDC);
    RECT frame{0, 0, MulDiv(size.cx, 2540, GetDeviceCaps(printerDC, LOGPIXELSX)),
               MulDiv(size.cy, 2540, GetDeviceCaps(printerDC, LOGPIXELSY))};
    HDC dc = CreateEnhMetaFileA(printerDC, nullptr, &frame, nullptr);
    if (!dc)
        return nullptr;
    paint_page(dc, painter, info, page, true);
    return CloseEnhMetaFile(dc);
}

// ---- one previewed page

BEGIN_MESSAGE_MAP(CPreviewPage, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CPreviewPage::~CPreviewPage()
{
    if (emf_)
        DeleteEnhMetaFile(emf_);
}

BOOL CPreviewPage::Create(HWND parent, const RECT& rect, UINT id)
{
    const char* cls = RegisterClass("winui.PreviewPage", 0, nullptr,
                                    static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CPreviewPage::SetPage(HDC printerDC, CPagePainter& painter, CPrintInfo& info, UINT page)
{
    if (emf_)
        DeleteEnhMetaFile(emf_);
    emf_ = nullptr;
    page_ = page;
    if (page) {
        info.m_bPreview = true;
        emf_ = RecordPage(printerDC, painter, info, page);
    }
    Invalidate();
}

void CPreviewPage::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (emf_)
        PlayEnhMetaFile(dc, emf_, &client);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// ---- the preview window

BEGIN_MESSAGE_MAP(CPreviewWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

static const int preview_margin = 15; // around the pages, in pixels
static const int preview_gap = 30;    // between two pages

BOOL CPreviewWnd::Create(HWND parent, const RECT& rect, DWORD style, UINT id)
{
    const char* cls = RegisterClass("winui.PreviewWnd", 0, nullptr,
                                    reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    return CreateEx(0, cls, "", style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

int CPreviewWnd::OnCreate(LPCREATESTRUCTA)
{
    RECT none{0, 0, 1, 1};
    pages_[0].Create(m_hWnd, none, 1);
    pages_[1].Create(m_hWnd, none, 2);
    ::ShowWindow(pages_[1], SW_HIDE);
    ShowPage(std::max(info_.m_nFromPage, info_.m_nMinPage));
    return 0;
}

void CPreviewWnd::OnSize(UINT, int, int)
{
    Layout();
}

RECT CPreviewWnd::PageRect(int index) const
{
    RECT client;
    GetClientRect(&client);
    SIZE page = PageSize(dc_);
    int slots = two_ ? 2 : 1;
    int slotWidth = (client.right - 2 * preview_margin - (slots - 1) * preview_gap) / slots;
    int slotHeight = client.bottom - 2 * preview_margin;
    if (slotWidth < 1 || slotHeight < 1 || page.cx < 1 || page.cy < 1)
        return RECT{0, 0, 0, 0};
    // The largest page of the printer's proportions that fits the slot.
    int width = slotWidth;
    int height = MulDiv(width, page.cy, page.cx);
    if (height > slotHeight) {
        height = slotHeight;
        width = MulDiv(height, page.cx, page.cy);
    }
    int used = slots * width + (slots - 1) * preview_gap;
    int left = (client.right - used) / 2 + index * (width + preview_gap);
    int top = (client.bottom - height) / 2;
    return RECT{left, top, left + width, top + height};
}

void CPreviewWnd::Layout()
{
    for (int i = 0; i < 2; ++i) {
        RECT r = PageRect(i);
        ::MoveWindow(pages_[i], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    ::ShowWindow(pages_[1], two_ && pages_[1].GetPage() ? SW_SHOW : SW_HIDE);
    Invalidate();
}

void CPreviewWnd::Refresh()
{
    pages_[0].SetPage(dc_, painter_, info_, first_);
    // Painting a page may tell how many there are.
    UINT second = two_ && first_ + 1 <= info_.m_nMaxPage ? first_ + 1 : 0;
    pages_[1].SetPage(dc_, painter_, info_, second);
    Layout();
}

void CPreviewWnd::ShowPage(UINT first)
{
    first_ = std::max(info_.m_nMinPage, std::min(first, info_.m_nMaxPage));
    Refresh();
}

void CPreviewWnd::SetTwoPages(bool two)
{
    two_ = two;
    // With two pages the last page stands on the right.
    if (two_ && first_ == info_.m_nMaxPage && first_ > info_.m_nMinPage)
        --first_;
    Refresh();
}

bool CPreviewWnd::PrevPage()
{
    if (first_ <= info_.m_nMinPage)
        return false;
    ShowPage(first_ - 1);
    return true;
}

bool CPreviewWnd::NextPage()
{
    UINT last = two_ ? first_ + 1 : first_;
    if (last >= info_.m_nMaxPage)
        return false;
    ShowPage(first_ + 1);
    return true;
}

std::string CPreviewWnd::PageText() const
{
    if (two_ && pages_[1].GetPage())
        return "Page " + std::to_string(first_) + " - " + std::to_string(pages_[1].GetPage());
    return "Page " + std::to_string(first_);
}

} // namespace winui
