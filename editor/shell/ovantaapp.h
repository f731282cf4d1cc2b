// COvantaApp: Ovanta's application object. It starts the editor (profile
// beside the executable, single-instance test and hand-over, recent lists,
// document template, main frame, command line), opens every file through
// OpenDocumentFile, guards every settings write, and keeps the shortcut
// table from which the accelerators are built.
#pragma once

#include "editor/shell/frame_links.h"
#include "editor/shell/print_layout.h"
#include "editor/shell/shell_text.h"

#include "winui/app.h"
#include "winui/doctemplate.h"
#include "winui/recentfiles.h"

#include <windows.h>

#include <string>
#include <vector>

class COvantaDoc;
struct FontValues;

// Recent files that remember where the caret stood.
class CPositionRecentFileList : public winui::CRecentFileList {
public:
    using winui::CRecentFileList::CRecentFileList;

    void Add(const char* path) override;
    void Remove(int index) override;
    void ReadList(const winui::CProfile& profile) override;
    void WriteList(const winui::CProfile& profile) const override;
    // Stores the position for the entry of the path; false when none has it.
    bool SetPosition(const char* path, int topLine, int selStart);
    const RecentPosition& Position(int index) const { return positions_[static_cast<size_t>(index)]; }

private:
    std::vector<RecentPosition> positions_;
};

// File dialogs of the editor: several files at once, its own filters and
// start folder.
class COvantaDocManager : public winui::CDocManager {
public:
    BOOL DoPromptFileName(std::string& fileName, const char* title, DWORD flags,
                          BOOL openFileDialog, winui::CDocTemplate* docTemplate) override;
    void OnFileOpen() override;
    BOOL DoPromptFileNames(std::vector<std::string>& names, DWORD flags);
};

class COvantaApp : public winui::CWinApp {
public:
    COvantaApp();
    ~COvantaApp() override;

    static COvantaApp* Get();

    BOOL InitInstance() override;
    int ExitInstance() override;

    bool IsOtherInstanceRunning();
    // The program's arguments, one ParseParam each.
    void ProcessCommandLine();
    void ParseParam(const ParamCall& call);
    // Hands one argument to the running instance; false when the running
    // instance did not take it (it is then opened here).
    bool SendToFirstInstance(const std::string& text);

    winui::CDocument* OpenDocumentFile(const char* path) override;
    void UpdateRecentFilePosition(const char* path, int topLine, int selStart);
    static bool IsFileUnchanged(const char* path, uint32_t timeLow, uint32_t timeHigh);
    CPositionRecentFileList* RecentFiles() const;

    // Settings writers: they write only while the profile target is the
    // profile file or the open workspace; otherwise 0.
    BOOL WriteSettingString(const char* section, const char* key, const char* value);
    BOOL WriteSettingInt(const char* section, const char* key, int value);
    void GetSettingInt(const char* section, const char* key, int& out, int def);
    // The profile target: the file settings are read from and written to.
    const std::string& ProfileTarget() const { return m_profile.Path(); }
    void SetProfileTarget(const std::string& path) { m_profile.SetPath(path); }
    // Points the target at the workspace while one is open, else at the
    // profile file.
    void RestoreProfileTarget();
    void LoadShellSettings();
    // The printer LOGFONT from [PrintFont] as read; when its face name is
    // empty, a copy of the editor font's LOGFONT (editFont, or without one
    // Courier New of 13 pixels). And back, for SaveSettings.
    void LoadPrintFont(const FontValues& stored, HFONT editFont);
    void StorePrintFont(FontValues& stored) const;

    void UpdateDocumentTitles(winui::CDocument* doc);
    void SaveShortcuts();
    void LoadShortcuts();
    uint32_t FindCommandKey(UINT command) const;
    void WriteRecentFileList();
    std::vector<COvantaDoc*> Documents() const;
    // Every document's views take a change (hint 0 syntax colouring, 1 font,
    // 2 line numbers, 8 colours, 16 line wrapping).
    void UpdateAllDocuments(LPARAM hint);
    // The main frame's interfaces while its window exists, else all null.
    const FrameLinks& Frame() const;

    // Commands.
    void OnAppAbout();
    void OnFileSaveAll();
    void OnEndAndSave();
    void OnEndWithoutSave();
    void OnToggleSingleInstance();
    void OnUpdateToggleSingleInstance(winui::CCmdUI* ui);
    void OnPrintSettings();
    void OnDefaultDirectory();
    void OnPrintPreview() {}
    void OnUpdateRecentFiles(winui::CCmdUI* ui);
    void OnOpenCommand();
    void OnNewCommand() { OnFileNew(); }
    void OnExitCommand() { OnAppExit(); }

    std::string m_szProfilePath;
    int m_bMultipleInstances = 1;
    int m_bHandOver = 0;
    int m_nCmdLineLine = 0;
    std::string m_strWorkspacePath;
    std::string m_strSavedProfile;
    int m_nPrintFromLine = -1;
    int m_nPrintToLine = -1;
    // The printer font ([PrintFont]): "Change Font..." of the print options
    // changes it, printing uses it.
    LOGFONTA m_printLogFont{};
    int m_nWorkspaceSaveMode = 0;
    int m_bInPrintPreview = 0;
    HACCEL m_hAccel = nullptr;
    winui::CDocTemplate* m_pDocTemplate = nullptr;
    HCURSOR m_hcurMargin = nullptr;
    HCURSOR m_hcurArrow = nullptr;

private:
    // The arguments a second instance could not hand over; opened when it
    // runs on as an instance of its own.
    std::vector<ParamCall> notHandedOver_;
    HANDLE mutex_ = nullptr;
    // The main frame's interfaces and its window object, which tells
    // whether they still hold.
    FrameLinks frameLinks_;
    const winui::CWnd* frameWindow_ = nullptr;

    DECLARE_MESSAGE_MAP()
};
