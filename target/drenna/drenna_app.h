// TDrennaApp: the download tool. It downloads binary and HEX images into the
// target board's RAM and starts them, resets the board, asks for its
// identification, programs the flash through the flash writer and shows
// what the board prints in the terminal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "winui/app.h"
#include "winui/menu.h"

class TSDIDecFrame;

class TDrennaApp : public winui::CWinApp {
public:
    TDrennaApp();
    ~TDrennaApp() override;

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnIdle(LONG count) override;

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

    // Menu states (enabled, checked) of a command.
    bool CommandEnabled(unsigned id) const;
    bool CommandChecked(unsigned id) const;

    // The loaded file's reload check, when the terminal gains the focus.
    void CheckLoadedFile();

    void SetStatus(const std::string& text);
    HWND Frame() const;

private:
    std::unique_ptr<TSDIDecFrame> frame_;
    winui::CAccelerators accel_;
    std::string loadedPath_;
    int64_t loadedTime_ = 0;
    bool loadedTimeKnown_ = false;
    bool commandLineDone_ = false;
    int32_t fixedAddress_ = -1;
    std::string lastSector_;
};

// The last-write time of a file: 0, or -1 when it cannot be read.
int get_file_time(const std::string& path, int64_t* time);
