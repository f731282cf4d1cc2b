// The application object of Quibex.
#include "target/quibex/quibex_app.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "target/quibex/quibex_frame.h"
#include "target/quibex/quibex_look.h"
#include "target/quibex/quibex_messages.h"
#include "target/quibex/resource.h"
#include "target/seriallink/ser_report.h"
#include "target/termui/ser_settings.h"
#include "winui/dialog.h"

// The frame that shows the reader thread's reports.
static std::atomic<HWND> report_window{nullptr};

static void post_report(int code, const char* text)
{
    HWND window = report_window;
    char* copy = static_cast<char*>(std::malloc(std::strlen(text) + 1));
    if (!copy)
        return;
    std::strcpy(copy, text);
    if (!window || !PostMessageA(window, WM_QUIBEX_REPORT, static_cast<WPARAM>(code),
                                 reinterpret_cast<LPARAM>(copy)))
        std::free(copy);
}

BEGIN_MESSAGE_MAP(TQuibexApp, winui::CWinApp)
    ON_COMMAND(CM_HELPABOUT, &TQuibexApp::CmHelpAbout)
END_MESSAGE_MAP()

TQuibexApp::TQuibexApp()
{
    m_strAppName = "Quibex";
}

TQuibexApp::~TQuibexApp()
{
    report_window = nullptr;
    ser_report_poster = nullptr;
    quibex_free_look();
}

BOOL TQuibexApp::InitInstance()
{
    // The debugger always works from the parent folder.
    SetCurrentDirectoryA("..");
    m_profile.SetPath(ser_settings.ini_path);
    LoadStdProfileSettings(4);
    InitMainWindow();
    if (!frame_)
        return FALSE;
    ShowWindow(frame_->m_hWnd, m_nCmdShow);
    UpdateWindow(frame_->m_hWnd);
    return TRUE;
}

void TQuibexApp::InitMainWindow()
{
    quibex_make_font();
    LoadMarkerBitmaps();
    frame_ = new TQuibexFrame;
    if (!frame_->CreateFrame(m_strAppName.c_str())) {
        // A frame whose window was never made is not deleted by itself.
        if (!frame_->m_hWnd)
            delete frame_;
        frame_ = nullptr;
        return;
    }
    m_hMainWnd = frame_->m_hWnd;
    report_window = frame_->m_hWnd;
    ser_report_poster = post_report;
}

void TQuibexApp::LoadMarkerBitmaps()
{
    quibex_load_markers();
}

int TQuibexApp::ExitInstance()
{
    report_window = nullptr;
    SaveStdProfileSettings();
    return CWinApp::ExitInstance();
}

void TQuibexApp::CmHelpAbout()
{
    winui::CDialog about(IDD_ABOUT, m_hMainWnd);
    about.DoModal();
}
