// Copies of browsed symbol records for the editor's identifier tips and its
// "Go to Definition Of" entry, and the tip text built from them.
//
// The source browser's worker thread fills the symbol maps while the user
// edits, so the editor never walks the maps themselves: whoever owns them
// copies the records of one name under the maps' lock (AppendSymbolHits) and
// hands the copies over. A copy carries what the editor needs of the
// record's owner by value, so nothing points back into the maps.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/symbols/symbol_info.h"

struct CSymbolHit {
    std::string text;
    int firstLine = 0;
    int lastLine = 0;
    int kind = 0;
    COvantaDoc* document = nullptr;
    std::optional<std::string> file;
    std::optional<std::string> className;
    std::optional<std::string> name;
    // The owner record (function or class of a variable), by value.
    bool hasOwner = false;
    std::string ownerText;
    int ownerFirstLine = 0;
    int ownerLastLine = 0;
    std::optional<std::string> ownerFile;
};

// One list per symbol map that holds the name, in the order the maps were
// asked.
typedef std::vector<std::vector<CSymbolHit>> CSymbolHitLists;

// Appends a copy of the map's list for the key as one more list; the number
// of records copied (0: the map does not hold the key, nothing appended).
// Call it while holding the lock that guards the map.
int AppendSymbolHits(const CSymbolMap& map, const std::string& key, CSymbolHitLists& out);

// The identifier tip for a word, from the hits its look-up gave.
struct IdentifierTip {
    std::string text;               // the tip; empty: no tip
    bool showTags = false;          // bring the "Tags" pane to the front and empty it
    std::vector<std::string> tags;  // lines for the "Tags" pane, in order
};

// Builds the tip of a word standing on the zero-based line of the file:
// one record gives its description ("global %s", "local %s in %s, ", the
// function head); several give the "multiple occurences" text and, when the
// output bar is visible, one "Tags" line per record that is not a variable.
IdentifierTip BuildIdentifierTip(const std::string& word, int wordLine, const CSymbolHitLists& hits,
                                 bool outputBarVisible);

// The hit that "Go to Definition Of" jumps to: the first of the first list
// unless it is a variable; for a variable the first record of that list
// without owner, whose owner's lines hold the word's line, or whose owner
// lies in another file than the editor's. None when there is no such hit.
const CSymbolHit* ChooseDefinition(const CSymbolHitLists& hits, int wordLine, const std::string& editorPath);

// Copies text into a buffer of size bytes (size > 0), zero-terminated; a
// text that does not fit is cut and ends with "..." so that the cut shows.
void CopyTipText(const std::string& text, char* buffer, int size);
