// TDrennaApp: the download tool. It downloads binary and HEX images into the
// target board's RAM and starts them, resets the board, asks for its
// identification, programs the flash through the flash writer and shows
// what the board prints in the terminal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "winui/app.h"
#include "winui/dialog.h"

class TSDIDecFrame;

namespace winui {
class CCmdUI;
class CRecentFileList;
}

// The recent-file list: 4 entries in the settings file.
enum { DRENNA_RECENT_FILES = 4 };

class TDrennaApp : public winui::CWinApp {
public:
    TDrennaApp();
    ~TDrennaApp() override;

    // The main window (InitMainWindow) and the tool bar (SetupToolbar).
    BOOL InitInstance() override;
    BOOL OnIdle(LONG count) override;
    bool InitMainWindow();
    bool SetupToolbar();

    // Loads an image (".bin" or ".hex") and, unless noDownload, downloads
    // it to RAM; 0 or -1.
    int LoadFile(const std::string& path, bool noDownload);
    int DownloadToRam();
    int RunFlashTool();

    // Commands.
    void CmFileOpen();
    void CmRunInRam();
    void CmResetBoard();
    void CmFlashClear();
    void CmFlashClearSector();
    void CmFlashIdentify();
    void CmFlashDownload();
    void CmAutostart();
    void CmResetAutostart();
    void CmFixedAddress();
    void CmBoardId();
    void CmComSettings();
    void CmHelpAbout();
    void CmExit();
    // A recent-file entry (its menu command id) is loaded and downloaded.
    void CmMruFile(UINT id);

    // Menu states (enabled, checked) of a command.
    bool CommandEnabled(unsigned id) const;
    bool CommandChecked(unsigned id) const;

    // The recent files (kept in the settings file at the end).
    const winui::CRecentFileList* RecentFiles() const { return m_pRecentFileList.get(); }

    // The loaded file's reload check, when the terminal gains the focus.
    void CheckLoadedFile();

    void SetStatus(const std::string& text);
    HWND Frame() const;

protected:
    DECLARE_MESSAGE_MAP()
    void OnUpdateEnabled(winui::CCmdUI* ui);
    void OnUpdateChecked(winui::CCmdUI* ui);
    void OnRecentFile(UINT id);

private:
    std::unique_ptr<TSDIDecFrame> frame_;
    std::string loadedPath_;
    int64_t loadedTime_ = 0;
    bool loadedTimeKnown_ = false;
    bool commandLineDone_ = false;
    bool downloading_ = false;
    int32_t fixedAddress_ = -1;
    std::string lastSector_;
};

// The About box (dialog 22000).
class TDrennaAboutDlg : public winui::CDialog {
public:
    explicit TDrennaAboutDlg(HWND parent);
};

// The last-write time of a file: 0, or -1 when it cannot be read.
int get_file_time(const std::string& path, int64_t* time);
