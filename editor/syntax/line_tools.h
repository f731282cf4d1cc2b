// Line and column operations of the syntax-aware editor on a text core:
// deleting lines, shifting a block of lines by one column, the case of a
// column block. Each works on the core's text, caret (the selection start)
// and anchor (the selection end) and records a command that changes many
// places as one undo step; the window recolours and
// repaints from the offset returned (-1 when nothing changed).
#pragma once

#include "editor/editctl/edit_core.h"

// Deletes the caret's line with its line break (to the text end on the last
// line) as one undoable deletion; the caret stays at the line start.
int DeleteLine(CColorEditCore& core);

// Deletes from the caret to the end of its line; the line break stays.
int DeleteToLineEnd(CColorEditCore& core);

// The block of lines from the caret's line to the anchor's line; the anchor's
// line does not count when the anchor stands at its very start and it is not
// the caret's line. False when the anchor is not on a later line than the
// caret after that rule.
bool GetBlockLines(CColorEditCore& core, int& firstLine, int& lastLine);

// One blank at the caret's column of every line of the block; the caret
// moves one place right.
int ColumnInsertBlank(CColorEditCore& core);

// Removes the character left of the caret's column in every line of the
// block (not in column 0); caret and anchor move one place left.
int ColumnDeleteBlank(CColorEditCore& core);

// One blank at the caret in its line and at the start of every further line
// of the block; the caret moves one place right.
int IndentLinesByBlank(CColorEditCore& core);

// When the byte before the caret is a blank and every further line of the
// block starts with one: deletes those blanks. Else nothing.
int UnindentLinesByBlank(CColorEditCore& core);

// Case modes of ConvertColumnCase.
enum : int {
    kCaseUpper = 1,
    kCaseLower = 2,
    kCaseCapitals = 4,
};

// Converts the block between the character columns [leftColumn, rightColumn)
// of lines [firstLine, lastLine], each piece clipped at its line end, as one
// undo step. Capitals start every word (a run
// of letters and digits) upper case and lower the rest; a word cut by the
// left edge is passed over to its end.
int ConvertColumnCase(CColorEditCore& core, int firstLine, int lastLine, int leftColumn, int rightColumn,
                      int mode);

// Converts the stream [start, end) in place: upper or lower case, or
// capitals (a word the range starts inside of is passed over first; every
// following word, a run of letters and digits, starts upper case and goes
// on lower case). One undo record of the replaced range is made first; the
// bytes are written through the text store. The start, or -1 when nothing
// was done (read-only, empty range).
int ConvertRangeCase(CColorEditCore& core, int start, int end, int mode);

// Blank-run removal over lines [firstLine, lastLine] (lastLine -1: to the
// last line); a blank is a space, a tab or tab fill. The deletions are
// one undo step; the caret keeps its place in the text that stays. Result: the
// number of bytes deleted.
int DeleteTrailingSpaces(CColorEditCore& core, int firstLine, int lastLine);
// With keepCommentBlanks, the deletion on a line stops at the first blank
// that lies in a comment.
int DeleteLeadingSpaces(CColorEditCore& core, int firstLine, int lastLine, bool keepCommentBlanks);
// Deletes every line break of the range that is followed by another line
// break or a soft break.
int DeleteEmptyLines(CColorEditCore& core, int firstLine, int lastLine);

// Lines that hold code: a byte other than space, tab, tab fill, CR and soft
// break outside block comments and not starting a "//" comment. An
// unterminated "/*" is comment up to the text end.
int CountLinesOfCode(const CColorEditCore& core);
