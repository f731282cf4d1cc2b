// Find in the open documents: every hit of a request's text in the editor
// text of each view, one "Search results" line per hit, then the summary.
// The main frame hands over the views of its documents (in the document
// manager's order) and the pane through CFindInFilesOutput.
#pragma once

#include "editor/tools/find_in_files.h"
#include "editor/tools/search_request.h"

#include <string>
#include <vector>

class CColorEditCore;

struct SearchView {
    CColorEditCore* editor;
    std::string path; // the document's path name; empty when never saved
};

// The hits in one view: the selection is kept, each hit's line is written
// as "path(line,column):text" with the editor's line and column (soft breaks
// count as lines, a tab occupies its fill positions). suppressComments:
// hits inside C comments are not listed. Returns the number listed.
int SearchEditorView(const SearchView& view, const SearchRequest& request, bool suppressComments,
                     CFindInFilesOutput& output);

// Scope 32: header, the hits of every view, "Found %d matches." or "Not
// any matches found!". A document shown in two views is listed twice.
int SearchOpenDocuments(const std::vector<SearchView>& views, const SearchRequest& request,
                        bool suppressComments, CFindInFilesOutput& output);

// Scope 256: like the open documents with the active view only; without
// one (null editor) only the header is written and 0 returned.
int SearchCurrentDocument(const SearchView& active, const SearchRequest& request, bool suppressComments,
                          CFindInFilesOutput& output);
