// The brace-goto command and the search that passes over comments, on a
// text core. The window shows the messages and scrolls; these find places.
#pragma once

#include "editor/editctl/edit_core.h"

struct BraceGotoTarget {
    int direction = 0; // +1 an opening bracket, -1 a closing one, 0 none
    int offset = 0;    // behind an opening bracket, on a closing one
};

struct BraceGotoState {
    BraceGotoTarget brace;   // nearest "{" or "}" on the caret's line
    BraceGotoTarget bracket; // nearest bracket of any kind there
};

// Records the targets from the caret back along its line; nothing while a
// selection exists. The brace target looks at the line's second character
// at the lowest and is not searched with suppressComments (it is then the
// caret with direction 0); the bracket target keeps its old value when the
// line holds no bracket before the caret.
void PrepareBraceGoto(const CColorEditCore& core, BraceGotoState& state, bool suppressComments);

// The partner of the bracket target: direction +1 the closing partner of the
// bracket before the target offset, -1 the opening partner of the bracket at
// it (comments skipped with suppressComments). When found, caret and
// selection go to it (an empty selection, scrolled into view) and its offset
// is returned; -1 when there is none (the window reports "No closing brace
// found" or "No opening brace found").
int GoToMatchingBrace(CColorEditCore& core, const BraceGotoState& state, int direction, bool suppressComments);

// The core's text search; with skipComments, hits inside comments are passed
// over (forward searches go on one byte after them, backward ones the
// pattern's length before them) and the first other hit is selected when
// select is set. The offset of the hit or -1.
int FindTextSkipComments(CColorEditCore& core, const char* pattern, int flags, int start, int end, bool select,
                         bool skipComments);
