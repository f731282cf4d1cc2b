// Brace targets on the caret's line, their partners, searches past comments.
#include "editor/syntax/brace_goto.h"

#include <cstring>
#include <string>

#include "editor/syntax/lexical.h"

void PrepareBraceGoto(const CColorEditCore& core, BraceGotoState& state, bool suppressComments)
{
    const CTextState& s = core.State();
    if (s.selStart != s.selEnd || !s.text)
        return;
    const int caret = s.selStart;
    const int line = core.GetLineStart(caret);
    const uint8_t* t = s.text;
    state.brace.direction = 0;
    state.brace.offset = caret;
    if (!suppressComments) {
        for (int i = caret; i > line && i >= 0; --i) {
            if (t[i] == '{') {
                state.brace.direction = 1;
                state.brace.offset = i + 1;
                break;
            }
            if (t[i] == '}') {
                state.brace.direction = -1;
                state.brace.offset = i;
                break;
            }
        }
    }
    for (int i = caret; i >= line; --i) {
        const uint8_t c = t[i];
        if (c == '(' || c == '[' || c == '{') {
            state.bracket.direction = 1;
            state.bracket.offset = i + 1;
            break;
        }
        if (c == ')' || c == ']' || c == '}') {
            state.bracket.direction = -1;
            state.bracket.offset = i;
            break;
        }
    }
}

int GoToMatchingBrace(CColorEditCore& core, const BraceGotoState& state, int direction, bool suppressComments)
{
    const char* text = reinterpret_cast<const char*>(core.GetTextBuffer());
    const int length = core.GetTextLength();
    if (!text)
        return -1;
    const char* hit = nullptr;
    const int at = state.bracket.offset;
    if (direction > 0 && at >= 1 && at <= length)
        hit = FindClosingBracket(text + at - 1, suppressComments, text, text + length);
    else if (direction < 0 && at >= 0 && at < length)
        hit = FindOpeningBracket(text + at, suppressComments, text);
    if (!hit)
        return -1;
    const int offset = static_cast<int>(hit - text);
    core.SetSel(offset, offset, true, true);
    return offset;
}

// The length of the text FindText looks for once its escapes are read.
static int SearchedLength(const char* pattern)
{
    const char* first = std::strchr(pattern, '\\');
    int length = static_cast<int>(std::strlen(pattern));
    if (!first)
        return length;
    const bool doubled = first[1] == '\\';
    for (const char* p = pattern; *p; ++p) {
        if (p[0] != '\\')
            continue;
        if (doubled && p[1] == '\\') {
            --length;
            ++p;
        } else if (!doubled && (p[1] == 'n' || p[1] == 'r' || p[1] == 't')) {
            --length;
            ++p;
        }
    }
    return length;
}

int FindTextSkipComments(CColorEditCore& core, const char* pattern, int flags, int start, int end, bool select,
                         bool skipComments)
{
    if (!skipComments)
        return core.FindText(pattern, flags, start, end, select);
    if (!pattern || !*pattern)
        return -1;
    const char* text = reinterpret_cast<const char*>(core.GetTextBuffer());
    const int length = SearchedLength(pattern);
    for (;;) {
        const int hit = core.FindText(pattern, flags, start, end, false);
        if (hit < 0)
            return -1;
        if (!IsInsideComment(text + hit, text)) {
            if (select)
                core.SetSel(hit, hit + length, true, true);
            return hit;
        }
        if (flags & kFindForward) {
            start = hit + 1;
        } else {
            start = hit - length;
            if (start < 0)
                return -1;
        }
    }
}
