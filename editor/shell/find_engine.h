// The find and replace engine of the main frame: one request of the search
// dialogs (or of the editor, or of a macro playback) carried out in an
// editor control's text. The frame picks the editor and the documents; the
// engine searches, selects, replaces (undoably, through the editor's
// replace-selection) and reports "Text not found" and the ends of the text
// in message boxes owned by the given window.
#pragma once

#include "editor/tools/search_request.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CNColorEditCtrl;

struct FindContext {
    HWND owner = nullptr;           // owner of the message boxes
    bool skipComments = false;      // "SupressComments": hits in C comments are passed over
    // Called once the caret has moved (status bar, line numbers).
    std::function<void(CNColorEditCtrl&)> caretMoved;
    // Switches the redraw of the frame off (false) and on again (true).
    std::function<void(bool)> frameRedraw;
};

// Scope 4: the next hit in the request's direction becomes the selection.
// 1 found, -1 nothing found (after the message), 0 for an empty text.
int FindNextInEditor(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context);

// Scope 8: a hit starting exactly at the caret is replaced (the selection
// collapses to its start first) and the next hit is looked for as by scope
// 4. The number of replacements (0 or 1).
int ReplaceNextInEditor(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context);

// Scope 16: every hit in the request's direction (3: from the caret to the
// end, then from the text start up to the old caret). Syntax colouring is
// off while it runs and as the user had it afterwards. The number of
// replacements.
int ReplaceAllInEditor(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context);

// Scope 512, one document (its first view): every hit from the text start,
// the caret at the start afterwards. The number of replacements.
int ReplaceAllFromStart(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context);

// The replacement of a found text: the request's replacement, with the
// found text's case when the request keeps it (0x80).
std::string ReplacementFor(const SearchRequest& request, const std::string& found);
