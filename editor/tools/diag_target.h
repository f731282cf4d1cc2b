// Going to the place a diagnostic names: which open document is meant, and
// where the caret goes in it.
#pragma once

#include <string>
#include <vector>

class CColorEditCore;

namespace diag {

// The index of the open document that the name means, or -1. Every "/" of
// the name counts as "\\". With fullPath the whole name is compared with each
// path (case ignored), and also the name's short form when one is given;
// otherwise only the parts after the last "\\" are compared. The first match
// in the list wins.
int FindDocument(const std::string& name, const std::vector<std::string>& paths, bool fullPath,
                 const std::string& shortName = std::string());

// Selects the target in an editor's text: from the start of line (1-based)
// plus column, length bytes (-1: to the line end). A line before the first
// or after the last goes to the first or last line, a column outside the
// line to its nearest end, a length beyond the text to its end: the caret
// never leaves the text. When searchText is not empty it is searched from
// the target position with the search flags, and a later hit moves the
// column to it. Returns the zero-based line and column the selection starts
// at.
struct Place {
    int line = 0;
    int column = 0;
    int offset = 0;
};
Place SelectTarget(CColorEditCore& editor, int line, int column, int length,
                   const std::string& searchText = std::string(), int searchFlags = 0);

} // namespace diag
