// The MDI client of Quibex: sessions, downloads and commands.
#include "target/quibex/quibex_mdi_client.h"

#include <cstdio>

#include "common/os.h"
#include "target/quibex/mdi_children.h"
#include "target/quibex/quibex_look.h"
#include "target/quibex/resource.h"
#include "target/quibex/session.h"
#include "target/seriallink/comport.h"
#include "target/seriallink/listing.h"
#include "target/seriallink/serlink.h"
#include "target/seriallink/target_image.h"
#include "target/termui/com_dialog.h"
#include "target/termui/download_run.h"
#include "target/termui/ser_settings.h"
#include "winui/commdlg.h"
#include "winui/mdi.h"
#include "winui/msgbox.h"

BEGIN_MESSAGE_MAP(TQuibexMDIClient, winui::CWnd)
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

TQuibexMDIClient::TQuibexMDIClient() {}

void TQuibexMDIClient::Status(const std::string& text)
{
    if (setStatus)
        setStatus(text);
}

BOOL TQuibexMDIClient::SetupWindow(winui::CMDIFrameWnd* frame)
{
    frame_ = frame;
    if (!SubclassWindow(frame->m_hWndMDIClient))
        return FALSE;
    int w = quibex_look.cell_width, h = quibex_look.cell_height;
    termChild_ = new TTermMDICHild;
    termChild_->View().showState = [this](const char*) {};
    RECT termRect{CPU_COLUMNS * w / 2, 10 * h, 0, 0};
    termRect.right = termRect.left + TERM_COLUMNS * w;
    termRect.bottom = termRect.top + TERM_ROWS * h;
    if (!termChild_->CreateChild(frame, "Terminal", &termRect, IDI_QUIBEX)) {
        termChild_ = nullptr;
        return FALSE;
    }
    termChild_->FitClient(termChild_->View().GridSize().cx, termChild_->View().GridSize().cy);
    cpuChild_ = new TCPUMDIChild;
    RECT cpuRect{0, 0, CPU_COLUMNS * w, CPU_ROWS * h};
    if (!cpuChild_->CreateChild(frame, "CPU Registers", &cpuRect, IDI_QUIBEX)) {
        cpuChild_ = nullptr;
        return FALSE;
    }
    cpuChild_->FitClient(cpuChild_->View().GridSize().cx, cpuChild_->View().GridSize().cy);
    ser_link.read_registers = 1;
    return TRUE;
}

static bool file_time(const std::string& path, int64_t* time)
{
    return os_file_time(path, time) == OS_TIME_OK;
}

int TQuibexMDIClient::OpenSession(const std::string& path)
{
    proposal_ = path;
    StagedSession staged;
    if (stage_session(path, &staged) != 0)
        return -1;
    // The old view goes first: it shows the listing being replaced.
    if (sourceChild_) {
        sourceChild_->DestroyWindow();
        sourceChild_ = nullptr;
    }
    commit_session(&staged);
    loadedPath_ = staged.image_path;
    listingPath_ = staged.has_listing ? staged.listing_path : std::string();
    if (!file_time(loadedPath_, &imageTime_))
        imageTime_ = 0;
    if (listingPath_.empty() || !file_time(listingPath_, &listingTime_))
        listingTime_ = 0;
    if (addRecentFile)
        addRecentFile(path);

    if (!staged.has_listing) {
        // The image alone: downloaded and run without source lines.
        int r = DownloadToRam();
        if (r == 0)
            Status("Downloaded without listing ('" + staged.listing_path + "' not found)");
        return 0;
    }
    auto* child = new TQuibexMDIChild;
    child->View().setStatus = setStatus;
    RECT rect = TQuibexWindow::ChildRect();
    if (!child->CreateChild(frame_, listingPath_.c_str(), &rect, IDI_SOURCE)) {
        delete child;
        return -1;
    }
    sourceChild_ = child;
    child->MDIActivate();
    DownloadToRam();
    return 0;
}

int TQuibexMDIClient::DownloadToRam()
{
    int r = ser_download_to_ram(frame_ ? frame_->m_hWnd : nullptr,
                                [this](const std::string& text) { Status(text); });
    if (r == 0 && sourceChild_)
        sourceChild_->View().SetFocus();
    return r;
}

void TQuibexMDIClient::CheckReload()
{
    if (loadedPath_.empty() || checking_)
        return;
    // An image loaded without its listing is checked alone.
    int64_t imageTime = 0, listingTime = 0;
    if (!file_time(loadedPath_, &imageTime) ||
        (!listingPath_.empty() && !file_time(listingPath_, &listingTime))) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    if (imageTime == imageTime_ && listingTime == listingTime_)
        return;
    // Image and listing are one pair: a change of either reloads both.
    imageTime_ = imageTime;
    listingTime_ = listingTime;
    checking_ = true;
    std::string message = "File '" + loadedPath_ + "' on Disk is newer!\nOk to reload?";
    int answer = winui::ShowMessageBox(frame_ ? frame_->m_hWnd : nullptr, message.c_str(),
                                       "Reload Binary", MB_OKCANCEL | MB_ICONQUESTION);
    if (answer == IDOK)
        OpenSession(loadedPath_);
    else
        MessageBeep(0xFFFFFFFF);
    checking_ = false;
}

void TQuibexMDIClient::OnSetFocus(HWND)
{
    Default();
    CheckReload();
}

bool TQuibexMDIClient::HandlesCommand(UINT id)
{
    switch (id) {
    case CM_FILEOPEN: case CM_RELOAD: case CM_STEPCPU: case CM_STEPLINE: case CM_ANIMATECPU:
    case CM_ANIMATELINE: case CM_EXECUTE: case CM_STOP: case CM_BOARDID: case CM_RESET:
    case CM_COMSETTINGS: case CM_FONT: case CM_FIND: case CM_EXIT: case CM_CASCADE:
    case CM_TILEVERT: case CM_TILEHORZ: case CM_ARRANGEICONS:
        return true;
    default:
        return false;
    }
}

bool TQuibexMDIClient::CommandEnabled(UINT id) const
{
    int state = ser_link.board_state;
    bool monitor = state == BS_MONITOR;
    switch (id) {
    case CM_RELOAD: return image_size() > 0;
    case CM_STEPCPU:
    case CM_ANIMATECPU: return monitor && listing.code_line_count > 0;
    case CM_STEPLINE:
    case CM_ANIMATELINE: return monitor && listing.echo_count > 0;
    case CM_EXECUTE: return monitor;
    case CM_STOP: return state > BS_MONITOR;
    case CM_BOARDID: return monitor || state == BS_RESET;
    case CM_FIND: return sourceChild_ && listing.labels;
    default: return true;
    }
}

void TQuibexMDIClient::Command(UINT id)
{
    switch (id) {
    case CM_FILEOPEN: CmFileOpen(); break;
    case CM_RELOAD: CmReload(); break;
    case CM_STEPCPU: ser_command(SC_STEP_ASM); break;
    case CM_STEPLINE: ser_command(SC_STEP_HLL); break;
    case CM_ANIMATECPU: ser_command(SC_ANIM_ASM); break;
    case CM_ANIMATELINE: ser_command(SC_ANIM_HLL); break;
    case CM_EXECUTE: ser_command(SC_RUN); break;
    case CM_STOP: ser_command(SC_STOP); break;
    case CM_BOARDID: ser_command(SC_BOARD_ID); break;
    case CM_RESET: ser_command(SC_RESET); break;
    case CM_COMSETTINGS: CmComSettings(); break;
    case CM_FONT: CmFont(); break;
    case CM_FIND:
        if (sourceChild_)
            sourceChild_->View().CmFind();
        break;
    case CM_EXIT:
        if (frame_)
            frame_->PostMessage(WM_CLOSE);
        break;
    case CM_CASCADE: SendMessage(WM_MDICASCADE); break;
    case CM_TILEVERT: SendMessage(WM_MDITILE, MDITILE_VERTICAL); break;
    case CM_TILEHORZ: SendMessage(WM_MDITILE, MDITILE_HORIZONTAL); break;
    case CM_ARRANGEICONS: SendMessage(WM_MDIICONARRANGE); break;
    default: break;
    }
}

void TQuibexMDIClient::CmFileOpen()
{
    winui::CFileDialog dialog(true, "bin", proposal_.empty() ? nullptr : proposal_.c_str(),
                              OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                              "Binaries (*.bin)|*.bin|", frame_ ? frame_->m_hWnd : nullptr);
    if (dialog.DoModal() == IDOK)
        OpenSession(dialog.GetPathName());
}

void TQuibexMDIClient::CmReload()
{
    if (DownloadToRam() != 0)
        return;
    int32_t address = image_load_address();
    int32_t size = image_size();
    for (int32_t offset = 0; offset < size; offset++) {
        int flags = image_flags(offset);
        if (flags < 0 || !(flags & IF_BREAK))
            continue;
        ser_link.command_address = address + offset;
        if (ser_command(SC_SET_BREAK) != 0)
            break;
    }
}

void TQuibexMDIClient::CmComSettings()
{
    TComDialog dialog(frame_ ? frame_->m_hWnd : nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    OpenCom(ser_settings.port_index + 1, ser_settings.baud_rate, ser_work);
    char text[64];
    std::snprintf(text, sizeof text, "\n<Reconfigured: COM%d: %d Bd>\n", ser_settings.port_index + 1,
                  static_cast<int>(ser_settings.baud_rate));
    ser_print(text);
}

void TQuibexMDIClient::CmFont()
{
    if (!termChild_ || !termChild_->View().CmFont())
        return;
    quibex_make_font();
    quibex_load_markers();
    // Each window fits itself to its grid in the new cell size.
    termChild_->FitClient(termChild_->View().GridSize().cx, termChild_->View().GridSize().cy);
    if (cpuChild_)
        cpuChild_->FitClient(cpuChild_->View().GridSize().cx, cpuChild_->View().GridSize().cy);
    if (sourceChild_) {
        RECT r;
        sourceChild_->View().GetClientRect(&r);
        sourceChild_->View().SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
        sourceChild_->View().Invalidate(FALSE);
    }
}
