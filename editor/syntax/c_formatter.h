// The C source formatter: re-lays out a whole C or C++ text. It breaks lines
// after statements and around braces, then indents brace levels, bodies of
// control statements without braces, preprocessor branches, continued
// function arguments and switch branches, with the tab width as the unit.
//
// The text is the editor's text: CR ends a line, a tab is byte 9 followed by
// its fill bytes 1, byte 2 is a soft break of word wrap. The formatter only
// inserts line ends and blanks and removes blanks, tabs, fill bytes and soft
// breaks: every other byte keeps its place in the order of the text.
#pragma once

#include <cstddef>
#include <string>

// Messages of a refused run (caption kAlignRefusedCaption).
extern const char* const kAlignMoreOpening; // "There exist more opening {-braces then closing"
extern const char* const kAlignMoreClosing; // "There exist more closing {-braces then opening"
extern const char* const kAlignRefusedCaption; // "Syntaxalign no possible"

// Where a run shows how far it got: a status text per step, and a position
// within a range (bytes for the line breaks, lines for the indentation).
class CAlignProgress {
public:
    virtual ~CAlignProgress() = default;
    virtual void Status(const char* text) = 0;
    virtual void Range(size_t max) = 0;
    virtual void Position(size_t pos) = 0;
};

enum align_result {
    ALIGN_DONE = 0,
    ALIGN_MORE_OPENING, // refused: the text is unchanged
    ALIGN_MORE_CLOSING, // refused: the text is unchanged
};

// Formats text in place. progress may be null. Braces in comments, strings
// and character literals do not count for the balance check.
align_result AlignCSyntax(std::string& text, int tabWidth, CAlignProgress* progress);
