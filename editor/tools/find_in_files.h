// Find in files on disk: walks the request's directory with the file finder
// and writes one "Search results" line per hit, then the totals. The
// window side (the output pane, the open documents, the Escape key) comes
// in through CFindInFilesOutput, so that the walk and the lines it writes
// are the same in the editor and in tests.
#pragma once

#include "editor/tools/search_request.h"

#include <string>

class CFindInFilesOutput {
public:
    virtual ~CFindInFilesOutput() = default;
    // One line for the "Search results" pane; repaint asks for the pane to
    // be painted at once (header and closing lines).
    virtual void AppendLine(const std::string& line, bool repaint) = 0;
    // True when the user asked to stop (the Escape key is down).
    virtual bool CancelRequested() = 0;
    // When a document with exactly this path is open: search its views
    // instead of the disk copy, write their hit lines, return true and the
    // number of hits in *hits.
    virtual bool SearchOpenDocument(const std::string& path, int* hits) = 0;
    // Called once the walk is over with a summary (not after a cancel).
    virtual void SearchFinished() = 0;
};

// An output that only takes the lines: no stop request, no open
// documents, nothing to do at the end.
class CNeutralFindInFilesOutput : public CFindInFilesOutput {
public:
    bool CancelRequested() override { return false; }
    bool SearchOpenDocument(const std::string&, int*) override { return false; }
    void SearchFinished() override {}
};

// The header line: Search for "text"...
std::string SearchHeaderLine(const char* text);
// "path(line,column):text" with the text of the hit's line in a file's data
// (up to the next CR, LF or NUL; only 40 bytes of a line of 32767 or more).
std::string DiskHitLine(const std::string& path, int line, int column, const char* hit, const char* data,
                        const char* dataEnd);
// "Found %d matches." or "Not any matches found!".
std::string DocumentSummaryLine(int hits);

// The disk search of a request (scope 64): header, hit lines, and "Found %d
// matches in %d files.", "Not any matches found!" or "Canceled by the
// operator". suppressComments: hits inside C comments are not listed.
// Returns the number of hits listed.
int SearchDiskFiles(const SearchRequest& request, bool suppressComments, CFindInFilesOutput& output);
