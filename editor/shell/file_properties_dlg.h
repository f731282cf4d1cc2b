// CFilePropertiesDlg: "Properties" of one document's file: its name and
// folder, the size it has on disk, its lines, its times and attributes,
// and on request the lines that hold code. "Close" offers to set the
// creation and last-change times typed into their fields.
#pragma once

#include "winui/dialog.h"

#include <windows.h>

#include <functional>
#include <string>

// What the dialog shows of a document: the path it belongs to and its text
// as the editor holds it (a line break is one byte there; a DOS file has
// two on disk).
struct FilePropertiesSource {
    std::string path;
    int textLength = 0;
    int lineCount = 0;
    bool unixFormat = false;
    // The editor's counter of the lines that hold code.
    std::function<int()> countLinesOfCode;
};

// The name (after the last "\", cut before its last "*") and the folder (up
// to and including the last "\"); both empty for a path without "\".
void SplitPropertiesPath(const std::string& path, std::string& name, std::string& folder);
// "size:  %d Bytes (UNIX)", "size:  %d Bytes (DOS)" (a line break counts
// two bytes) or "Size:  0 Bytes" for an empty text.
std::string FileSizeText(int textLength, int lineCount, bool unixFormat);
// "File attributes:\n" with "/readonly", "/hidden", "/system", "/archive".
std::string FileAttributesText(DWORD attributes);
// A file time as local time, "%m/%d/%Y , %H:%M:%S"; empty when it cannot be
// converted.
std::string FileTimeText(const FILETIME& time);
// The reverse: month, day, year, hour, minute and second as "%d/%d/%d ,
// %d:%d:%d" read as local time (daylight saving as the system has it for
// that date). False, with time untouched, unless all six fields are there
// and make a real date and time.
bool ParseFileTimeText(const std::string& text, FILETIME& time);

class CFilePropertiesDlg : public winui::CDialog {
public:
    CFilePropertiesDlg(FilePropertiesSource source, HWND parent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    // "Close" wrote new times to the file.
    bool TimesSet() const { return timesSet_; }

protected:
    void OnCount();
    // Writes the changed times that read as times; false when the file
    // could not take them.
    bool SetChangedTimes();
    DECLARE_MESSAGE_MAP()

private:
    FilePropertiesSource source_;
    bool haveTimes_ = false;
    bool timesSet_ = false;
    std::string createdShown_, changedShown_;
};
