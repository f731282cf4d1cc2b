// TQuibexMDIClient: the MDI client of Quibex and the home of its commands:
// opening a session (an image with its listing), downloading it, the board
// and debugging commands, and the reload check when a loaded file changed
// on disk. It subclasses the frame's MDICLIENT window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "winui/wnd.h"

namespace winui {
class CMDIFrameWnd;
}
class TQuibexMDIChild;
class TCPUMDIChild;
class TTermMDICHild;

class TQuibexMDIClient : public winui::CWnd {
public:
    TQuibexMDIClient();

    // Subclasses the frame's client and makes the CPU and terminal children.
    BOOL SetupWindow(winui::CMDIFrameWnd* frame);

    // Loads the image and its listing as one pair, opens the source view
    // and downloads the image; 0, or -1 (the reason shown).
    int OpenSession(const std::string& path);
    int DownloadToRam();
    // The reload check: a loaded file changed on disk.
    void CheckReload();

    // Whether the client handles a command, whether it is enabled now, and
    // carrying it out.
    static bool HandlesCommand(UINT id);
    bool CommandEnabled(UINT id) const;
    void Command(UINT id);

    // The status bar's message area and the recent-file list.
    std::function<void(const std::string&)> setStatus;
    std::function<void(const std::string&)> addRecentFile;

    TQuibexMDIChild* SourceChild() const { return sourceChild_; }
    TTermMDICHild* TermChild() const { return termChild_; }

protected:
    DECLARE_MESSAGE_MAP()
    void OnSetFocus(HWND old);

private:
    void CmFileOpen();
    void CmReload();
    void CmFont();
    void CmComSettings();
    void Status(const std::string& text);

    winui::CMDIFrameWnd* frame_ = nullptr;
    TQuibexMDIChild* sourceChild_ = nullptr;
    TCPUMDIChild* cpuChild_ = nullptr;
    TTermMDICHild* termChild_ = nullptr;
    std::string proposal_;     // the file-open dialog's proposal
    std::string loadedPath_;   // the loaded image
    std::string listingPath_;  // and its listing (empty: loaded without one)
    int64_t imageTime_ = 0;
    int64_t listingTime_ = 0;
    bool checking_ = false;
};
