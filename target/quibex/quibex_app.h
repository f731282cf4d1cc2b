// TQuibexApp: the source-level debugger. It loads a binary image with the
// listing of the same link, downloads the image into the board's RAM, and
// lets the user step by instruction or by source line, animate, run, stop,
// and set breakpoints by clicking on listing lines.
#pragma once

#include "winui/app.h"

class TQuibexFrame;

class TQuibexApp : public winui::CWinApp {
public:
    TQuibexApp();
    ~TQuibexApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    void InitMainWindow();
    void LoadMarkerBitmaps();
    void CmHelpAbout();

protected:
    DECLARE_MESSAGE_MAP()

private:
    TQuibexFrame* frame_ = nullptr;
};
