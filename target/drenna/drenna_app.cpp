// The download tool's application: loading and downloading images, the
// board and flash commands, and the reload check of the loaded file.
#include "target/drenna/drenna_app.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "common/os.h"
#include "common/report_error.h"
#include "target/drenna/drenna_messages.h"
#include "target/drenna/resource.h"
#include "target/drenna/sdi_frame.h"
#include "target/seriallink/comport.h"
#include "target/seriallink/flash_dialogue.h"
#include "target/seriallink/ser_report.h"
#include "target/seriallink/serlink.h"
#include "target/seriallink/target_image.h"
#include "target/termui/address_dialog.h"
#include "target/termui/com_dialog.h"
#include "target/termui/download_run.h"
#include "target/termui/ser_settings.h"
#include "target/termui/settings_file.h"
#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/dialog.h"
#include "winui/msgbox.h"
#include "winui/recentfiles.h"

static const char* const image_filter = "Binaries and Hex (*.bin;*.hex)|*.bin;*.hex|";

// The frame that shows the reader thread's reports.
static std::atomic<HWND> report_window{nullptr};

static void post_report(int code, const char* text)
{
    HWND window = report_window;
    char* copy = static_cast<char*>(std::malloc(std::strlen(text) + 1));
    if (!copy)
        return;
    std::strcpy(copy, text);
    if (!window || !PostMessageA(window, WM_DRENNA_REPORT, static_cast<WPARAM>(code),
                                 reinterpret_cast<LPARAM>(copy)))
        std::free(copy);
}

int get_file_time(const std::string& path, int64_t* time)
{
    return os_file_time(path, time) == OS_TIME_OK ? 0 : -1;
}

BEGIN_MESSAGE_MAP(TDrennaApp, winui::CWinApp)
    ON_COMMAND(CM_FILEOPEN, &TDrennaApp::CmFileOpen)
    ON_COMMAND(CM_RUNINRAM, &TDrennaApp::CmRunInRam)
    ON_COMMAND(CM_RESETBOARD, &TDrennaApp::CmResetBoard)
    ON_COMMAND(CM_EXIT, &TDrennaApp::CmExit)
    ON_COMMAND(CM_FLASHCLEAR, &TDrennaApp::CmFlashClear)
    ON_COMMAND(CM_FLASHCLEARSECTOR, &TDrennaApp::CmFlashClearSector)
    ON_COMMAND(CM_FLASHIDENTIFY, &TDrennaApp::CmFlashIdentify)
    ON_COMMAND(CM_FLASHDOWNLOAD, &TDrennaApp::CmFlashDownload)
    ON_COMMAND(CM_AUTOSTART, &TDrennaApp::CmAutostart)
    ON_COMMAND(CM_RESETAUTOSTART, &TDrennaApp::CmResetAutostart)
    ON_COMMAND(CM_FIXEDADDRESS, &TDrennaApp::CmFixedAddress)
    ON_COMMAND(CM_BOARDID, &TDrennaApp::CmBoardId)
    ON_COMMAND(CM_COMSETTINGS, &TDrennaApp::CmComSettings)
    ON_COMMAND(CM_HELPABOUT, &TDrennaApp::CmHelpAbout)
    ON_COMMAND_RANGE(winui::ID_FILE_MRU_FILE1, winui::ID_FILE_MRU_FILE1 + DRENNA_RECENT_FILES - 1,
                     &TDrennaApp::OnRecentFile)
    ON_UPDATE_COMMAND_UI(CM_RUNINRAM, &TDrennaApp::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(CM_FLASHCLEAR, &TDrennaApp::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(CM_FLASHCLEARSECTOR, &TDrennaApp::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(CM_FLASHIDENTIFY, &TDrennaApp::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(CM_FLASHDOWNLOAD, &TDrennaApp::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(CM_RESETAUTOSTART, &TDrennaApp::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(CM_BOARDID, &TDrennaApp::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(CM_AUTOSTART, &TDrennaApp::OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(CM_FIXEDADDRESS, &TDrennaApp::OnUpdateChecked)
END_MESSAGE_MAP()

TDrennaAboutDlg::TDrennaAboutDlg(HWND parent) : CDialog(IDD_ABOUT, parent) {}

TDrennaApp::TDrennaApp()
{
    m_strAppName = "Drenna";
    m_profile.SetPath(ser_settings.ini_path);
    m_pRecentFileList = std::make_unique<winui::CRecentFileList>(0, "Recent File List", "File%d",
                                                                 DRENNA_RECENT_FILES);
    m_pRecentFileList->ReadList(m_profile);
}

TDrennaApp::~TDrennaApp()
{
    report_window = nullptr;
}

HWND TDrennaApp::Frame() const
{
    return frame_ ? frame_->m_hWnd : nullptr;
}

BOOL TDrennaApp::InitInstance()
{
    // Without a file to load the tool works from the parent folder.
    if (ser_settings.file.empty())
        SetCurrentDirectoryA("..");
    if (!InitMainWindow())
        return FALSE;
    ShowWindow(frame_->m_hWnd, m_nCmdShow);
    UpdateWindow(frame_->m_hWnd);
    frame_->Terminal().SetFocus();
    return TRUE;
}

bool TDrennaApp::InitMainWindow()
{
    frame_.reset(new TSDIDecFrame(this));
    if (!frame_->Create(m_strAppName.c_str()))
        return false;
    m_hMainWnd = frame_->m_hWnd;
    report_window = frame_->m_hWnd;
    ser_report_poster = post_report;
    if (!SetupToolbar())
        return false;
    frame_->FitToGrid();
    frame_->Centre();
    return true;
}

bool TDrennaApp::SetupToolbar()
{
    return frame_->CreateToolBar() != FALSE;
}

BOOL TDrennaApp::OnIdle(LONG count)
{
    BOOL more = CWinApp::OnIdle(count);
    if (!commandLineDone_) {
        // The file named on the command line, once, at the first idle moment.
        commandLineDone_ = true;
        if (!ser_settings.file.empty())
            LoadFile(ser_settings.file, false);
    }
    return more;
}

void TDrennaApp::SetStatus(const std::string& text)
{
    if (frame_)
        frame_->SetStatusText(text);
}

static bool has_extension(const std::string& path, const char* const* extensions)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    for (const char* const* e = extensions; *e; e++)
        if (strncasecmp(path.c_str() + dot, *e, 4) == 0)
            return true;
    return false;
}

static std::string full_path(const std::string& path)
{
    DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::string full(n, '\0');
    n = GetFullPathNameA(path.c_str(), n, &full[0], nullptr);
    full.resize(n);
    return full;
}

int TDrennaApp::LoadFile(const std::string& path, bool noDownload)
{
    if (path.empty())
        return -1;
    if (downloading_) {
        // A message that reaches the frame while the progress dialog runs
        // (a recent file sent by another program) must not change the
        // image the reader thread is sending.
        MessageBeep(0xFFFFFFFF);
        return -1;
    }
    static const char* const image_extensions[] = {".bin", ".hex", nullptr};
    if (!has_extension(path, image_extensions)) {
        report_error(1, "File type must be '*.bin' or '*.hex'");
        return -1;
    }
    loadedPath_ = path;
    loadedTimeKnown_ = get_file_time(path, &loadedTime_) == 0;
    if (load_image(path.c_str()) != 0)
        return -1;
    if (!noDownload) {
        DownloadToRam();
        // Also after a failed download: the file itself is good. The list
        // keeps the whole path: a later start may work in another folder.
        AddToRecentFileList(full_path(path).c_str());
    }
    return 0;
}

void TDrennaApp::OnRecentFile(UINT id)
{
    // The menu choice arrives as the recent-file message, as any other
    // sender of it would.
    if (frame_ && frame_->m_hWnd)
        frame_->SendMessage(MruFileMessage(), id);
}

void TDrennaApp::CmMruFile(UINT id)
{
    int index = static_cast<int>(id - m_pRecentFileList->FirstId());
    if (index < 0 || index >= m_pRecentFileList->GetCount())
        return;
    std::string path = (*m_pRecentFileList)[index];
    if (LoadFile(path, false) != 0 &&
        GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // The loader has said that the file is gone: it leaves the list.
        m_pRecentFileList->Remove(index);
    }
}

int TDrennaApp::DownloadToRam()
{
    downloading_ = true;
    int r = ser_download_to_ram(Frame(), [this](const std::string& text) { SetStatus(text); });
    downloading_ = false;
    return r;
}

int TDrennaApp::RunFlashTool()
{
    std::string path = flash_tool_path(ser_program_path());
    loadedPath_ = path;
    loadedTimeKnown_ = get_file_time(path, &loadedTime_) == 0;
    int fixed;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        fixed = target_image.fixed_address_mode;
        target_image.fixed_address_mode = 0;
    }
    int loaded = load_image(path.c_str());
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        target_image.fixed_address_mode = fixed;
        if (loaded == 0)
            target_image.flash_tool = 1;
    }
    if (loaded != 0)
        return -1;
    flash_job.state = 0;
    if (DownloadToRam() != 0)
        return -1;
    SetStatus("");
    return 0;
}

void TDrennaApp::CmFileOpen()
{
    winui::CFileDialog dialog(true, "bin", nullptr,
                              OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, image_filter,
                              Frame());
    if (dialog.DoModal() == IDOK)
        LoadFile(dialog.GetPathName(), false);
}

void TDrennaApp::CmRunInRam()
{
    ser_command(SC_RUN);
}

void TDrennaApp::CmResetBoard()
{
    ser_command(SC_RESET);
}

void TDrennaApp::CmExit()
{
    if (frame_ && frame_->m_hWnd)
        frame_->SendMessage(WM_CLOSE);
}

void TDrennaApp::CmFlashIdentify()
{
    flash_job_prepare(FM_IDENTIFY, 0);
    if (RunFlashTool() == 0)
        ser_command(SC_RUN_TOOL);
}

void TDrennaApp::CmFlashClear()
{
    if (winui::ShowMessageBox(Frame(), "OK to clear the Flash E2prom?", "Drenna",
                              MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    flash_job_prepare(FM_CLEAR, 0);
    if (RunFlashTool() == 0)
        ser_command(SC_RUN_TOOL);
}

void TDrennaApp::CmFlashDownload()
{
    winui::CFileDialog dialog(true, "bin", nullptr,
                              OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, image_filter,
                              Frame());
    if (dialog.DoModal() != IDOK)
        return;
    std::string path = dialog.GetPathName();
    if (RunFlashTool() != 0)
        return;
    if (LoadFile(path, true) != 0)
        return;
    int32_t address;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        target_image.flash_download = 1;
        address = target_image.load_address;
    }
    int mode;
    if (address != 0) {
        char text[128];
        std::snprintf(text, sizeof text,
                      "File starting at Address $%x. OK to continue?\nFlash E2prom will not be "
                      "cleared!",
                      static_cast<unsigned>(address));
        if (winui::ShowMessageBox(Frame(), text, "Drenna",
                                  MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDOK)
            return;
        mode = FM_PROGRAM;
    } else {
        int answer = winui::ShowMessageBox(
            Frame(), "File starting at Address $0 (Boot).\nClear Flash E2prom before writing?",
            "Drenna", MB_YESNO | MB_ICONEXCLAMATION);
        mode = answer == IDYES ? FM_CLEAR_PROGRAM : FM_PROGRAM;
    }
    flash_job_prepare(mode, 0);
    ser_command(SC_RUN_TOOL);
}

namespace {

// The sector prompt: a 20-character field that keeps the last entry.
class TSectorDialog : public winui::CDialog {
public:
    TSectorDialog(std::string* text, HWND parent) : CDialog(IDD_SECTOR, parent), text_(text) {}
    BOOL OnInitDialog() override
    {
        SendDlgItemMessage(IDC_SECTOR_TEXT, EM_LIMITTEXT, 20);
        SetDlgItemText(IDC_SECTOR_TEXT, text_->c_str());
        return TRUE;
    }
    void OnOK() override
    {
        *text_ = GetDlgItemText(IDC_SECTOR_TEXT).substr(0, 20);
        EndDialog(IDOK);
    }

private:
    std::string* text_;
};

} // namespace

void TDrennaApp::CmFlashClearSector()
{
    TSectorDialog dialog(&lastSector_, Frame());
    if (dialog.DoModal() != IDOK)
        return;
    int sector = flash_sector_value(lastSector_.c_str());
    if (sector < 0 || sector > 6) {
        winui::ShowMessageBox(Frame(), "Value out of range (only 0..6 allowed)!", "Drenna",
                              MB_OK | MB_ICONSTOP);
        return;
    }
    flash_job_prepare(FM_CLEAR_SECTOR, sector);
    if (RunFlashTool() == 0)
        ser_command(SC_RUN_TOOL);
}

void TDrennaApp::CmAutostart()
{
    int was = ser_link.disable_autostart;
    ser_link.disable_autostart = was ? 0 : 1;
    SetStatus(was ? "Flash Autostart enabled" : "Flash Autostart disabled");
}

void TDrennaApp::CmResetAutostart()
{
    ser_link.disable_autostart = 0;
    ser_command(SC_RESET);
    ser_link.disable_autostart = 1;
}

void TDrennaApp::CmFixedAddress()
{
    TAdressDialog dialog(&fixedAddress_, Frame());
    if (dialog.DoModal() == IDOK) {
        {
            std::lock_guard<std::mutex> guard(target_image_lock);
            target_image.fixed_address_mode = 1;
            target_image.fixed_address = fixedAddress_;
        }
        char text[64];
        std::snprintf(text, sizeof text, "Download Address fixed to $%x",
                      static_cast<unsigned>(fixedAddress_));
        SetStatus(text);
    } else {
        {
            std::lock_guard<std::mutex> guard(target_image_lock);
            target_image.fixed_address_mode = 0;
        }
        SetStatus("Download to fixed address disabled");
    }
}

void TDrennaApp::CmBoardId()
{
    ser_command(SC_BOARD_ID);
}

void TDrennaApp::CmComSettings()
{
    TComDialog dialog(Frame());
    if (dialog.DoModal() != IDOK)
        return;
    OpenCom(ser_settings.port_index + 1, ser_settings.baud_rate, ser_work);
    char text[64];
    std::snprintf(text, sizeof text, "\n<Reconfigured: COM%d: %d Bd>\n",
                  ser_settings.port_index + 1, static_cast<int>(ser_settings.baud_rate));
    ser_print(text);
}

void TDrennaApp::CmHelpAbout()
{
    TDrennaAboutDlg about(Frame());
    about.DoModal();
}

bool TDrennaApp::CommandEnabled(unsigned id) const
{
    int state = ser_link.board_state;
    switch (id) {
    case CM_RUNINRAM: {
        std::lock_guard<std::mutex> guard(target_image_lock);
        return state == BS_MONITOR && !target_image.flash_tool;
    }
    case CM_FLASHCLEAR:
    case CM_FLASHCLEARSECTOR:
    case CM_FLASHIDENTIFY:
    case CM_FLASHDOWNLOAD:
        return flash_commands_enabled(state);
    case CM_RESETAUTOSTART:
        return ser_link.disable_autostart != 0;
    case CM_BOARDID:
        return state == BS_MONITOR || state == BS_RESET;
    default:
        return true;
    }
}

bool TDrennaApp::CommandChecked(unsigned id) const
{
    switch (id) {
    case CM_AUTOSTART:
        return ser_link.disable_autostart != 0;
    case CM_FIXEDADDRESS: {
        std::lock_guard<std::mutex> guard(target_image_lock);
        return target_image.fixed_address_mode != 0;
    }
    default:
        return false;
    }
}

void TDrennaApp::OnUpdateEnabled(winui::CCmdUI* ui)
{
    ui->Enable(CommandEnabled(ui->m_nID));
}

void TDrennaApp::OnUpdateChecked(winui::CCmdUI* ui)
{
    ui->SetCheck(CommandChecked(ui->m_nID) ? 1 : 0);
}

void TDrennaApp::CheckLoadedFile()
{
    if (loadedPath_.empty())
        return;
    int64_t time = 0;
    if (get_file_time(loadedPath_, &time) != 0) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    if (loadedTimeKnown_ && time == loadedTime_)
        return;
    loadedTime_ = time;
    loadedTimeKnown_ = true;
    int flashDownload;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        flashDownload = target_image.flash_download;
    }
    // The path may be of any length: the text is built whole.
    std::string text = "File '" + loadedPath_ + "' on Disk is newer!\n";
    if (flashDownload) {
        text += "Clear Flash and reload manually.";
        winui::ShowMessageBox(Frame(), text.c_str(), "Binary is newer", MB_OK | MB_ICONINFORMATION);
        return;
    }
    text += "Ok to reload to Ram?";
    if (winui::ShowMessageBox(Frame(), text.c_str(), "Reload Binary",
                              MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        LoadFile(loadedPath_, false);
    else
        MessageBeep(0xFFFFFFFF);
}
