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

// What printing keeps between its dialogs: the lines to print (-1, -1 for
// the whole text), the printer font ([PrintFont]; "Change Font..." of the
// print options changes it, printing uses it) and whether the preview shows.
struct PrintState {
    int fromLine = -1;
    int toLine = -1;
    LOGFONTA font{};
    bool inPreview = false;
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

    // The profile file beside the program ("ovanta.ini").
    const std::string& ProfilePath() const { return m_szProfilePath; }
    // The open workspace's file; empty while none is open.
    const std::string& WorkspacePath() const { return m_strWorkspacePath; }
    void SetWorkspacePath(const std::string& path) { m_strWorkspacePath = path; }
    // How closing treats the open workspace: 0 asks, 1 saves it, 2 leaves
    // it as it is (the two end commands).
    int WorkspaceSaveMode() const { return m_nWorkspaceSaveMode; }
    void SetWorkspaceSaveMode(int mode) { m_nWorkspaceSaveMode = mode; }
    bool MultipleInstances() const { return m_bMultipleInstances != 0; }
    // The line that a later start handed over with its file (0: none).
    void SetCmdLineLine(int line) { m_nCmdLineLine = line; }
    PrintState& Printing() { return m_printing; }
    const PrintState& Printing() const { return m_printing; }
    // The accelerators of the keyboard mapping; the table held before is
    // destroyed.
    void SetAccelerators(HACCEL table);
    // The cursor over the line-number margin.
    HCURSOR MarginCursor() const { return m_hcurMargin; }

private:
    std::string m_szProfilePath;
    int m_bMultipleInstances = 1;
    int m_bHandOver = 0;
    int m_nCmdLineLine = 0;
    std::string m_strWorkspacePath;
    PrintState m_printing;
    int m_nWorkspaceSaveMode = 0;
    HACCEL m_hAccel = nullptr;
    winui::CDocTemplate* m_pDocTemplate = nullptr;
    HCURSOR m_hcurMargin = nullptr;
    HCURSOR m_hcurArrow = nullptr;

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
