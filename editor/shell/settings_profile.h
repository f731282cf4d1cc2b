// The option set on the profile functions: the table of settings_store read
// from and written to the application's profile target (the profile file
// or the open workspace), every write through the guarded writers of the
// application; the one process-wide set of the options; and the
// interface through which the bars that a workspace remembers take part in
// loading and saving it.
#pragma once

#include "editor/shell/print_layout.h"
#include "editor/shell/settings_store.h"

#include <windows.h>

#include <string>

class COvantaApp;
class COvantaDoc;

// Reads the application's current profile target; writes through
// COvantaApp::WriteSettingString (dropped when the target is neither the
// profile file nor the open workspace).
class CAppSettingsStore : public SettingsSource, public SettingsSink {
public:
    explicit CAppSettingsStore(COvantaApp& app) : app_(app) {}
    bool Read(const char* section, const char* key, std::string& value) override;
    void Write(const char* section, const char* key, const std::string& value) override;

private:
    COvantaApp& app_;
};

// The options in force (all keys of the option table): their one home.
// Documents, views, the print code and the commands read them here; a
// change goes in here and, where it is to be kept at once, through
// WriteOption.
SettingsValues& OvantaOptions();
// One option through the table on the application's profile target: set
// in OvantaOptions() (brought into its key's range) and written at once,
// so that the option set saved later keeps it.
void WriteOption(int SettingsValues::*field, int value);
void WriteOption(std::string SettingsValues::*field, const std::string& value);
// The editor controls read their few options ("AutoIndent", "MultiClick",
// "noClicks", "AutoCopy", ...) and the colouring switch ("Syntax") from
// settings of their own library, which sits below this one: they are set
// from the options here, after the options were loaded or one of them
// changed, never the other way.
void ApplyOptionsToControls(const SettingsValues& options);
// The [Print] options as the print dialog and the printout take them, and
// back.
PrintOptions PrintOptionsOf(const SettingsValues& options);
void StorePrintOptions(SettingsValues& options, const PrintOptions& print);
// "BackColor" as the colour the editor paints.
COLORREF BackColorOption();

// What the bars and lists of other parts of the frame contribute to
// settings and workspaces. Every method is the program's to implement: a
// binding left out does not build.
class WorkspaceHooks {
public:
    // Placement code of the document tab bar (1 top, 2 bottom, +0x10
    // hidden), and placing it by such a code.
    virtual int FileBarCode() = 0;
    virtual void PlaceFileBar(int code) = 0;
    // The same for the bookmark bar (codes 1-4, +0x10 hidden).
    virtual int BookmarkBarCode() = 0;
    virtual void PlaceBookmarkBar(int code) = 0;
    // [Bookmarks] written into the workspace file at path; the stored
    // bookmarks of a document restored after the workspace opened it.
    virtual void SaveBookmarks(const std::string& path) = 0;
    virtual void RestoreBookmarks(COvantaDoc* doc) = 0;
    // The position history stops recording while a workspace loads.
    virtual void RecordPositions(bool on) = 0;
    // The functions bar shows the workspace's files (called after a
    // workspace opened or closed).
    virtual void WorkspaceFilesChanged() = 0;

protected:
    ~WorkspaceHooks() = default;
};
