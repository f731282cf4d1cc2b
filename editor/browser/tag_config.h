// What the source browser scans, as the "Auto Search Configuration" dialog
// edits it and section "TagConfig" of the profile (or workspace) stores it:
// the search path entries, the flag word and the open documents' file
// filter. The dialog's rules live in CTagConfigEditor, so that the window
// only shows its state and passes on the user's clicks.
#pragma once

#include <string>
#include <vector>

#include "editor/browser/browse_worker.h"
#include "editor/browser/tag_file.h"

// Section and keys.
extern const char* const kTagConfigSection; // "TagConfig"

struct CTagConfig {
    std::vector<std::string> searchPaths; // "path;masks;X" entries, in order
    unsigned flags = kBrowseDefaultFlags;
    std::string fileFilter = "*.*";
};

// Where the settings live (the profile or the workspace file); the shell
// wraps its profile in one of these.
class CTagSettings {
public:
    virtual ~CTagSettings() = default;
    // The value of a key of the section, or def when it is missing.
    virtual std::string Get(const std::string& key, const std::string& def) const = 0;
    virtual bool Write(const std::string& key, const std::string& value) = 0;
    virtual bool DeleteSection() = 0;
};

// Reads "tagpath0", "tagpath1", ... up to the first missing or empty key,
// "flags" (decimal, default 5) and "FileFilter" (default "*.*").
CTagConfig LoadTagConfig(const CTagSettings& settings);

// Replaces the whole section: the entries as "tagpath%d", "flags" and
// "FileFilter". False when a write failed.
bool SaveTagConfig(const CTagConfig& config, CTagSettings& settings);

// One row of the dialog's list: the entry's parts as written.
struct TagPathRow {
    std::string path;
    std::string filter;
    std::string subdir; // "X" or empty
};

// An entry split at its first two ";" without further reading: a file entry
// keeps its whole path and empty filter.
TagPathRow SplitTagPath(const std::string& entry);

class CTagConfigEditor {
public:
    explicit CTagConfigEditor(const CTagConfig& config);

    const std::vector<TagPathRow>& Rows() const { return m_rows; }
    int Selected() const { return m_selected; }
    const std::string& FilterText() const { return m_filter; }
    bool IncludeSubdirectories() const { return (m_flags & kBrowseSubdirectories) != 0; }
    // The eight check boxes as flag bits (kBrowseOpenDocuments ... kBrowseDeclarations).
    bool Checked(unsigned bit) const { return (m_flags & bit) != 0; }
    // The list, "Include subdirectories", "Add Path", "Add File" and "Delete
    // Entry" are enabled only while the paths are scanned.
    bool PathControlsEnabled() const { return !Checked(kBrowseOpenDocuments); }

    // A row at the top: a directory with the filter edit's masks (or "*.c
    // *.h" when it is empty) and the subdirectory check; a file with empty
    // filter and subdir. The new row is selected.
    void AddPath(const std::string& directory);
    void AddFile(const std::string& path);
    void DeleteSelected();
    void Select(int row);
    // In-place editing of a row's path ended with this text.
    void RenameRow(int row, const std::string& path);
    // The filter edit changed: the selected row's filter follows (while the
    // paths are scanned; otherwise the edit holds the documents' filter).
    void SetFilterText(const std::string& text);
    // A check box clicked: the kinds keep "Variables" within "Functions";
    // "Search only in open documents" swaps the edit to the documents'
    // filter; "Include subdirectories" sets the selected row's subdir.
    void SetChecked(unsigned bit, bool on);

    // The configuration "Apply" stores. Automatic browsing (kBrowseAutomatic)
    // is kept as it was: the shell owns that bit.
    CTagConfig Apply() const;

private:
    std::vector<TagPathRow> m_rows;
    int m_selected = -1;
    unsigned m_flags;
    unsigned m_keptFlags; // bits the dialog does not show
    std::string m_filter;
    std::string m_documentFilter;
};

// "Export Tagfile" is offered only while the maps hold something.
bool CanExportTagFile(const CBrowserMaps* maps);

// "Export Tagfile": stops a running scan (a join, never a kill), then writes
// the maps it handed over to path.
tag_file_result ExportTagFile(CBrowseWorker& worker, const std::string& path, std::string* why = nullptr);
