// The class of every byte of a C-like text, found by one forward pass of the
// lexer, so that the scans of one text ask "code, comment or literal?" in
// constant time instead of searching back for comment delimiters at each
// question.
//
// The forward pass is the compiler's view as the lexer knows it; the
// backward searches of lexical.h approximate it from a position without a
// pass. Scans that are handed a map use it; without one they fall back to
// those searches.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/syntax/lexer.h"

class CLexMap {
public:
    // Classifies [text, text + length); the text must stay in place while the
    // map is used.
    CLexMap(const char* text, size_t length);

    const char* Text() const { return m_text; }
    size_t Length() const { return m_classes.size(); }
    // The class of the byte at pos, which lies inside the text.
    LexClass At(const char* pos) const { return static_cast<LexClass>(m_classes[static_cast<size_t>(pos - m_text)]); }
    bool IsCode(const char* pos) const { return At(pos) == kLexCode; }

private:
    const char* m_text;
    std::vector<unsigned char> m_classes;
};

// The tests of lexical.h, answered from the map when one is given (and pos
// lies in its text), else by the backward searches.
bool IsInsideComment(const CLexMap* map, const char* pos, const char* floor);
bool IsInsideString(const CLexMap* map, const char* pos, const char* floor);

// The bracket finders of lexical.h with the map: brackets in literals never
// count, with skipComments those in comments do not either. Without a map,
// or for a bracket the map does not classify as code, they are the finders
// of lexical.h.
const char* FindOpeningBracket(const CLexMap* map, const char* pos, bool skipComments, const char* floor);
const char* FindClosingBracket(const CLexMap* map, const char* pos, bool skipComments, const char* floor,
                               const char* end);
