// Remembers where block comments stand in a large text, so that colouring
// a screen does not search back through the whole text for a "/*".
//
// The index keeps the scanner state at every 64 KB of the text, found by one
// forward scan and extended only as far as a query needs. An edit makes the
// checkpoints behind its first changed offset stale; the owner reports that
// offset (the paint start of the control), and a change of the text that was
// not reported (another view edited it) drops every checkpoint.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "editor/syntax/lexer.h"

class CTextStore;

class CCommentIndex {
public:
    // True when the byte at pos lies inside a block comment opened before
    // it. version is the text's change counter (CTextState::version).
    bool InsideBlockComment(const char* text, int length, uint32_t version, int pos);

    // The scanner state just before pos (the same walk).
    LexState StateBefore(const char* text, int length, uint32_t version, int pos);
    // The same on a text in the chunks of a store: each step is read in
    // pieces, so the text need not be contiguous.
    LexState StateBefore(const CTextStore& store, uint32_t version, int pos);

    // The text before fromOffset is unchanged; what follows may have changed.
    void TextChanged(int fromOffset);

private:
    static const int kStep = 1 << 16;
    // The walk, with scan giving the state after [from, to) from the state
    // before it.
    typedef std::function<LexState(int from, int to, LexState state)> Scan;
    LexState Walk(int length, uint32_t version, int pos, const Scan& scan);
    std::vector<LexState> m_states; // m_states[k]: the state before offset k * kStep
    bool m_haveVersion = false;
    bool m_changeReported = false;
    uint32_t m_version = 0;
};
