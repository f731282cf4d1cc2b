// Printing and print preview of an edit window's text: pages of lines in
// the default font, laid out by the page painter (TApxPrintout), printed
// through the application's printer or shown one or two pages at a time in
// the modal preview window (TApxPreviewWin).
#pragma once

#include "winui/frame.h"
#include "winui/print.h"
#include "winui/toolbar.h"

#include <windows.h>

#include <memory>
#include <string>

class TZavitApp;
class TZavitEditFile;

// The page painter: the printer page scaled so that a logical unit is a
// screen pixel, the text in lines of the default font, one line's height
// from the left edge.
class TApxPrintout : public winui::CPagePainter {
public:
    TApxPrintout(TZavitApp& app, TZavitEditFile& edit, bool scale = true)
        : app_(app), edit_(edit), scale_(scale)
    {
    }
    void OnPrepareDC(HDC dc, winui::CPrintInfo* info) override;
    void OnPrint(HDC dc, winui::CPrintInfo* info) override;

    // Page-range query: pages 1 to 999, no selection.
    static void SetPrintParams(winui::CPrintInfo& info);

private:
    TZavitApp& app_;
    TZavitEditFile& edit_;
    bool scale_;
};

// The preview's pages, placed by the editor's margin and ratio rule
// (zavit_preview_page) instead of centred.
class TZavitPreviewPages : public winui::CPreviewWnd {
public:
    TZavitPreviewPages(winui::CPagePainter& painter, HDC printerDC, winui::CPrintInfo& info)
        : winui::CPreviewWnd(painter, printerDC, info), printer_(printerDC)
    {
    }
    RECT PageRect(int index) const override;

private:
    HDC printer_;
};

// The modal preview: its bar (previous, next, one page, two pages, page
// text, print, close) above the pages.
class TApxPreviewWin : public winui::CFrameWnd {
public:
    TApxPreviewWin(TZavitApp& app, TZavitEditFile& edit, HDC printerDC);
    ~TApxPreviewWin() override;

    BOOL Create(HWND mainFrame);
    // Runs until the preview is closed.
    void RunModal();
    std::string PageText() const { return preview_ ? preview_->PageText() : std::string(); }

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA cs, winui::CCreateContext* context) override;
    void OnClose();

private:
    void CePrevPage(winui::CCmdUI* ui);
    void CeNextPage(winui::CCmdUI* ui);
    void CeTwoPage(winui::CCmdUI* ui);
    void CeEnabled(winui::CCmdUI* ui);
    void CmPrevPage();
    void CmNextPage();
    void CmOnePage();
    void CmTwoPage();
    void CmPrint();
    void CmClose();
    void UpdateBar();

    TZavitApp& app_;
    TZavitEditFile& edit_;
    HDC dc_;
    winui::CPrintInfo info_;
    TApxPrintout printout_;
    winui::CToolBar bar_;
    HIMAGELIST images_ = nullptr;
    HWND pageText_ = nullptr;
    HACCEL accel_ = nullptr;
    std::unique_ptr<winui::CPreviewWnd> preview_;
    bool done_ = false;

    DECLARE_MESSAGE_MAP()
};

// The print command: the print dialog over the application's printer, then
// the pages chosen; false when nothing was printed.
bool ZavitPrint(TZavitApp& app, TZavitEditFile& edit, const std::string& title, HWND owner);
// The preview command: the main frame hidden while the preview runs.
void ZavitPreview(TZavitApp& app, TZavitEditFile& edit);
