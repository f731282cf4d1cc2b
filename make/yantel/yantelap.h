// TYantelApp: Yantel's application object. It keeps the settings file
// beside the program (section "FONT": the view's font), the make tool's
// path, the open/save dialog data and the recent-file list, makes the main
// window with its tool bar, target combo box and status bar, and opens
// makefiles into the view.
#pragma once

#include "winui/app.h"
#include "winui/gdi.h"

#include <windows.h>

#include <string>
#include <vector>

class TYantelFrame;
class TYanEditFile;

// The open/save dialogs' data, shared by the application and the view.
struct TYantelFileData {
    const char* filter = "Makefiles (*.mak)|*.mak|";
    const char* defExt = "mak";
    DWORD flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
};

// The view's font as the settings file keeps it.
struct TYantelFontInfo {
    std::string face = "Fixedsys"; // up to 40 characters
    int height = -12;
    int weight = 400;
    bool italic = false;
};

class TYantelApp : public winui::CWinApp {
public:
    // settingsPath: the program's path with ".ini" in place of its extension.
    explicit TYantelApp(std::string programPath);
    ~TYantelApp() override;

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Commands of the application.
    void CmFileNew();
    void CmFileOpen();
    void CmHelpAbout();
    // A recent-file entry chosen in the File menu (index from 0).
    void CmMRUFile(int index);

    // Opens a makefile into the view; an empty name re-opens the one in the
    // file name buffer.
    void OpenFile(const char* name = nullptr);

    // The recent-file list: the name goes to the top (case does not count),
    // the list keeps 10 names, the File menu shows them.
    void AddRecentFile(const std::string& path);
    const std::vector<std::string>& RecentFiles() const { return recent_; }

    // Makes the font from the font description; false when it failed.
    bool MakeFont();

    const std::string& SettingsPath() const { return settingsPath_; }
    const std::string& ToolPath() const { return toolPath_; }
    const TYantelFileData& FileData() const { return fileData_; }
    TYantelFontInfo& FontInfo() { return fontInfo_; }
    HFONT Font() const { return font_.m_hObject; }
    TYantelFrame* Frame() const { return frame_; }
    TYanEditFile* View() const;

    static TYantelApp* Get();

private:
    void InitMainWindow();
    void CreateToolBar();
    void ReadSettings();
    void WriteSettings() const;
    void ReadRecentFiles();
    void WriteRecentFiles() const;
    void UpdateRecentMenu() const;

    std::string appName_ = "Yantel";
    std::string settingsPath_;
    std::string toolPath_;
    TYantelFileData fileData_;
    std::string fileName_;
    std::vector<std::string> recent_;
    TYantelFontInfo fontInfo_;
    winui::CFont font_;
    TYantelFrame* frame_ = nullptr;
    HACCEL accel_ = nullptr;
};
