// TYantelApp: Yantel's application object. It keeps the settings file
// beside the program (section "FONT": the view's font), the make tool's
// path, the open/save dialog data and the recent-file list, makes the main
// window with its tool bar, target combo box and status bar, and opens
// makefiles into the view.
#pragma once

#include "winui/app.h"
#include "winui/gdi.h"
#include "winui/recentfiles.h"

#include <windows.h>

#include <string>

class TYantelFrame;
class TYanEditFile;

// The open/save dialogs' data, shared by the application and the view.
struct TYantelFileData {
    // A makefile without the extension ("makefile") is found through the
    // second filter.
    const char* filter = "Makefiles (*.mak)|*.mak|All files (*.*)|*.*|";
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
    // programPath: the program's own file; the settings file is its path
    // with ".ini" in place of its extension.
    explicit TYantelApp(std::string programPath);
    ~TYantelApp() override;

    BOOL InitInstance() override;

    // Commands of the application.
    void CmFileNew();
    void CmFileOpen();
    void CmHelpAbout();
    // A recent-file entry chosen in the File menu (its command id).
    void CmMRUFile(UINT id);

    // Opens a makefile into the view; an empty name re-opens the one in the
    // file name buffer.
    void OpenFile(const char* name = nullptr);

    // The recent-file list: the name goes to the top (case does not count),
    // the list keeps 10 names, the File menu shows them; the settings file
    // has the list at once.
    void AddRecentFile(const std::string& path);

    // Makes the font from the font description; false when it failed.
    bool MakeFont();

    const std::string& SettingsPath() const { return m_profile.Path(); }
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

    std::string toolPath_;
    TYantelFileData fileData_;
    std::string fileName_;
    TYantelFontInfo fontInfo_;
    winui::CFont font_;
    TYantelFrame* frame_ = nullptr;

    DECLARE_MESSAGE_MAP()
};
