// TZavitApp: the application object of the small editor. It takes the
// expanded command line, reads the settings file beside the program when it
// is built and writes it when it is destroyed, makes the main window with
// its tool bar and status bar, and keeps what every window shares: the
// default font, the open-dialog data, the printer and the list of
// remembered files.
#pragma once

#include "smalledit/zavit_settings.h"

#include "winui/app.h"
#include "winui/commdlg.h"
#include "winui/gdi.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TZavitFrame;
class TZavitMDIClient;

// Flags and filter of the Open dialog; every edit window copies them for
// its Save As.
struct TZavitDialogData {
    DWORD flags = 0;
    std::string filter;
};

class TZavitApp : public winui::CWinApp {
public:
    // args: the expanded command line, entry 0 the program path.
    explicit TZavitApp(std::vector<std::string> args);
    ~TZavitApp() override;

    BOOL InitInstance() override;

    void CmHelpAbout();

    static TZavitApp* Get();

    // Writes the settings file now (through a temporary and a rename);
    // false when it could not be written.
    bool WriteSettings() const;

    // Makes the default font from the settings' face, height, weight, italic.
    bool MakeDefaultFont();
    HFONT DefaultFont() const { return font_.m_hObject; }

    // The application's printer (the print dialog's data), made on first
    // use; null when the system has none.
    winui::CPrintDialog* Printer();
    bool HasPrinter() const { return printer_ != nullptr; }

    TZavitFrame* Frame() const { return frame_; }
    TZavitMDIClient* Client() const;

    const std::vector<std::string>& Args() const { return args_; }
    const std::string& SettingsPath() const { return settingsPath_; }

    ZavitSettings settings;
    FileWindowList files;
    TZavitDialogData openData;
    // The Open dialog's file name.
    std::string dialogFileName;
    int printing = 0;
    bool quickExit = false;
    bool closing = false;

private:
    void ReadSettings();
    void BuildMainWindow();

    std::vector<std::string> args_;
    std::string settingsPath_;
    winui::CFont font_;
    std::unique_ptr<winui::CPrintDialog> printer_;
    TZavitFrame* frame_ = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The entry of a name in the application's list of remembered files.
FileWindowEntry* FindFileWindowEntry(const std::string& name);

// Zavit's reporter: "Fatal Error (Code %d)" and the process ends for a
// negative code, "Error%c(Code %d)" otherwise; a task-modal box without an
// owner window with the stop icon.
int zavit_report_error(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));
