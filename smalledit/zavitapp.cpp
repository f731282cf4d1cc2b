#include "smalledit/zavitapp.h"

#include "smalledit/resource.h"
#include "smalledit/zavitdlg.h"
#include "smalledit/zavitmdi.h"

#include "common/report_error.h"
#include "common/safe_file.h"
#include "winui/msgbox.h"
#include "winui/work_area.h"

#include <cstdarg>
#include <cstdio>

static TZavitApp* the_app;

TZavitApp* TZavitApp::Get()
{
    return the_app;
}

FileWindowEntry* FindFileWindowEntry(const std::string& name)
{
    return the_app->files.Find(name);
}

BEGIN_MESSAGE_MAP(TZavitApp, winui::CWinApp)
    ON_COMMAND(CM_HELPABOUT, &TZavitApp::CmHelpAbout)
END_MESSAGE_MAP()

TZavitApp::TZavitApp(std::vector<std::string> args) : args_(std::move(args))
{
    the_app = this;
    m_strAppName = "Zavit";
    if (args_.empty())
        args_.push_back("zavit.exe");
    settingsPath_ = zavit_settings_path(args_[0]);
    // Started without files, the editor works in the parent of its folder.
    if (args_.size() <= 1) {
        std::string folder = zavit_start_folder(settingsPath_);
        if (!folder.empty())
            SetCurrentDirectoryA(folder.c_str());
    }
    ReadSettings();
}

TZavitApp::~TZavitApp()
{
    printer_.reset();
    WriteSettings();
    if (the_app == this)
        the_app = nullptr;
}

void TZavitApp::ReadSettings()
{
    FILE* f = std::fopen(settingsPath_.c_str(), "rb");
    if (!f)
        return;
    std::string text;
    char buffer[8192];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, got);
    std::fclose(f);
    zavit_read_settings(text, settings, files, [this] {
        winui::ShowMessageBox(nullptr, settingsPath_.c_str(), "Zavit: File Format Error", MB_OK);
    });
}

bool TZavitApp::WriteSettings() const
{
    std::string text = zavit_settings_text(settings, files);
    return safe_file_write_all(settingsPath_, text.data(), text.size(), false);
}

bool TZavitApp::MakeDefaultFont()
{
    font_.DeleteObject();
    return font_.CreateFont(settings.height, 0, 0, 0, settings.weight, settings.italic ? TRUE : FALSE,
                            FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH,
                            settings.face.c_str()) != FALSE;
}

winui::CPrintDialog* TZavitApp::Printer()
{
    if (!printer_) {
        auto printer = std::make_unique<winui::CPrintDialog>(false);
        if (!printer->GetDefaults())
            return nullptr;
        printer_ = std::move(printer);
    }
    return printer_.get();
}

TZavitMDIClient* TZavitApp::Client() const
{
    return frame_ ? &frame_->Client() : nullptr;
}

BOOL TZavitApp::InitInstance()
{
    BuildMainWindow();
    if (!frame_ || !frame_->m_hWnd)
        return FALSE;
    m_hMainWnd = frame_->m_hWnd;
    // The files are open when the window first shows.
    frame_->Client().OpenCommandLineFiles();
    int show = m_nCmdShow;
    if (settings.minimized)
        show = SW_SHOWMINIMIZED;
    else if (settings.maximized)
        show = SW_SHOWMAXIMIZED;
    ShowWindow(frame_->m_hWnd, show);
    UpdateWindow(frame_->m_hWnd);
    return TRUE;
}

void TZavitApp::BuildMainWindow()
{
    MakeDefaultFont();
    // Open dialog: existing files only, explorer style unless the classic
    // dialog is chosen.
    openData.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT |
                     (settings.classic ? 0 : OFN_EXPLORER);
    openData.filter =
        "Standard files (*.txt;*.c;*.h;*.s??:*.out)|*.txt;*.c;*.h;*.s??;*.out|"
        "C, C++ (*.c;*.cpp;*.h)|*.c;*.cpp;*.h|"
        "Assembler (*.s??;*.lst;*.obj;*.inc;*.mem)|*.s??;*.lst;*.obj;*.inc;*.mem|"
        "Backups (*.bak)|*.bak|All Files (*.*)|*.*|";
    frame_ = new TZavitFrame(this);
    RECT place{settings.x, settings.y, settings.x + settings.w, settings.y + settings.h};
    // A negative size is no place either: the system chooses then.
    bool placed = settings.w > 0 && settings.h > 0;
    // The place may come from a monitor that is gone or from a hand-edited
    // file: the window comes up where it can be seen.
    if (placed)
        place = winui::ClampToWorkArea(place);
    if (!frame_->Create(placed ? &place : nullptr)) {
        delete frame_;
        frame_ = nullptr;
    }
}

void TZavitApp::CmHelpAbout()
{
    TZavitAboutDlg dialog(m_hMainWnd);
    dialog.DoModal();
}

int zavit_report_error(int code, const char* format, ...)
{
    char text[252];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::string title = report_error_title(code);
    int result = winui::ShowMessageBox(nullptr, text, title.c_str(),
                                       MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    if (code < 0)
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    return result;
}
