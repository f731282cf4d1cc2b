// The print preview of a view: a window over the main frame with a row of
// buttons (print, next and previous page, one or two pages, close) above
// the pages as the printer would print them. It runs modally; the main
// frame is disabled meanwhile.
#pragma once

#include "winui/print.h"
#include "winui/wnd.h"

#include <memory>
#include <string>

class CPrintPreviewWindow : public winui::CWnd {
public:
    // The painter, printer DC and print information stay the caller's.
    CPrintPreviewWindow(winui::CPagePainter& painter, HDC printerDC, winui::CPrintInfo& info);
    ~CPrintPreviewWindow() override;

    BOOL Create(HWND owner, const char* caption);
    // Runs until the preview is closed; true when "Print..." closed it.
    bool RunModal();
    std::string PageText() const { return preview_ ? preview_->PageText() : std::string(); }

    // Button ids.
    enum : UINT {
        kPrint = 0x7001,
        kNext = 0x7002,
        kPrev = 0x7003,
        kTwoPages = 0x7004,
        kClose = 0x7005,
        kPageText = 0x7006,
    };

protected:
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    void OnPrint();
    void OnNext();
    void OnPrev();
    void OnTwoPages();
    void OnCloseButton();
    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    void UpdateButtons();
    void Finish(bool print);

    winui::CPagePainter& painter_;
    HDC dc_;
    winui::CPrintInfo& info_;
    std::unique_ptr<winui::CPreviewWnd> preview_;
    HWND buttons_[5] = {};
    HWND pageText_ = nullptr;
    bool done_ = false;
    bool print_ = false;
};
