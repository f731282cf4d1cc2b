// Printing and print preview around the program's own page painter.
//
// The painter paints one page into whatever DC it gets: the printer's DC
// when printing, an enhanced metafile made for the printer (its reference
// DC) when previewing, so that both show the same page.
//
//   PrintDocument   StartDocA (lpszOutput: print to a file), per page
//                   StartPage / EndPage, EndDoc; AbortDoc when a call fails
//   PaintPage       SaveDC, the painter's OnPrepareDC and OnPrint, RestoreDC
//   RecordPage      CreateEnhMetaFileA with the printer DC as reference,
//                   PaintPage into it, CloseEnhMetaFile
//   PageSize        GetDeviceCaps HORZRES, VERTRES (pixels of the page)
//   CPreviewPage    a child window that shows one recorded page scaled to
//                   its client (PlayEnhMetaFile), white on its own
//   CPreviewWnd     a window showing one or two CPreviewPage side by side
//                   on the application-workspace colour, with page steps
#pragma once

#include <windows.h>

#include <string>

#include "winui/wnd.h"

namespace winui {

// What a print run knows: the page range the user chose, the pages the
// document has, the page being painted and its drawing rectangle (device
// units of the printer page).
struct CPrintInfo {
    UINT m_nFromPage = 1;
    UINT m_nToPage = 0xFFFF;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nCurPage = 1;
    bool m_bPreview = false;
    // The painter clears it to end the run after the current page.
    bool m_bContinuePrinting = true;
    RECT m_rectDraw{0, 0, 0, 0};

    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nFromPage; }
    UINT GetToPage() const { return m_nToPage; }
};

class CPagePainter {
public:
    virtual ~CPagePainter() = default;
    virtual void OnBeginPrinting(HDC dc, CPrintInfo* info) {}
    // Sets the DC up for a page (map mode, fonts); the DC is restored after.
    // m_rectDraw is converted to the logical units set here (DPtoLP).
    virtual void OnPrepareDC(HDC dc, CPrintInfo* info) {}
    // Paints page info->m_nCurPage into info->m_rectDraw.
    virtual void OnPrint(HDC dc, CPrintInfo* info) = 0;
    virtual void OnEndPrinting(HDC dc, CPrintInfo* info) {}
};

SIZE PageSize(HDC printerDC);

void PaintPage(HDC dc, CPagePainter& painter, CPrintInfo& info, UINT page);

// Prints pages m_nFromPage.. up to m_nToPage and m_nMaxPage (as the
// painter may lower it while painting) or until the painter stops. Returns
// the number of pages printed, or -1 when the printer failed (nothing more
// is printed and the job is aborted).
int PrintDocument(HDC printerDC, const char* docName, CPagePainter& painter, CPrintInfo& info,
                  const char* outputFile = nullptr);

// One page as an enhanced metafile of the printer page's size; the caller
// deletes it (DeleteEnhMetaFile). Null when the metafile cannot be made.
HENHMETAFILE RecordPage(HDC printerDC, CPagePainter& painter, CPrintInfo& info, UINT page);

class CPreviewPage : public CWnd {
public:
    ~CPreviewPage() override;
    BOOL Create(HWND parent, const RECT& rect, UINT id);
    // Records the page (0: an empty page) and repaints.
    void SetPage(HDC printerDC, CPagePainter& painter, CPrintInfo& info, UINT page);
    UINT GetPage() const { return page_; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    HENHMETAFILE emf_ = nullptr;
    UINT page_ = 0;
};

class CPreviewWnd : public CWnd {
public:
    // The painter, the printer DC and the print information stay the
    // caller's; the preview only reads the page range from them.
    CPreviewWnd(CPagePainter& painter, HDC printerDC, CPrintInfo& info)
        : painter_(painter), dc_(printerDC), info_(info)
    {
    }
    BOOL Create(HWND parent, const RECT& rect, DWORD style, UINT id = 0);

    // One or two pages side by side; the first page shown.
    void SetTwoPages(bool two);
    bool TwoPages() const { return two_; }
    void ShowPage(UINT first);
    UINT FirstPage() const { return first_; }
    // Steps one page back or forward within m_nMinPage..m_nMaxPage.
    bool PrevPage();
    bool NextPage();
    // The page text "Page %d" or "Page %d - %d".
    std::string PageText() const;
    // The rectangle of a shown page (0 or 1) in the client: centred, as
    // large as the printer's proportions allow; a program may place its
    // pages by a rule of its own.
    virtual RECT PageRect(int index) const;

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    void Refresh();
    CPagePainter& painter_;
    HDC dc_;
    CPrintInfo& info_;
    CPreviewPage pages_[2];
    bool two_ = false;
    UINT first_ = 1;
};

} // namespace winui
