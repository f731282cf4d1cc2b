// Block comments, line comments, keywords; comment bytes stay comment.
#include "editor/syntax/syntax_colorizer.h"

#include <algorithm>
#include <vector>

#include "editor/syntax/lexer.h"
#include "editor/syntax/lexical.h"

int CommentAttribute(const CSyntaxTemplate* tmpl)
{
    if (!tmpl || tmpl->commentValue == -1)
        return -1;
    return tmpl->commentValue & 0xFF;
}

static void Paint(uint8_t* attr, int from, int to, int colour)
{
    if (from < to)
        std::fill(attr + from, attr + to, static_cast<uint8_t>(colour));
}

// A between-strings keyword made of one quote character twice ("\";\"" or
// "';'") marks C literals: the closing quote is the first one not escaped by a
// backslash, and a literal ends with its line. Quotes in comment colour open
// nothing; a double quote enclosed in single quotes ('"') is no string while
// the template colours comments. A literal that begins above the range
// start is coloured from the range start.
static bool IsQuotePair(const SyntaxKeyword& k)
{
    return (k.value & SYNTAX_BETWEEN_STRINGS) && k.text.size() == 3 && k.text[1] == ';' &&
           k.text[0] == k.text[2] && (k.text[0] == '"' || k.text[0] == '\'');
}

static void ColourQuotedLiterals(CColorEditCore& core, char quote, int start, int end, int colour, int comment)
{
    const char* text = reinterpret_cast<const char*>(core.GetTextBuffer());
    uint8_t* attr = core.GetAttrBuffer();
    const int length = core.GetTextLength();
    int i = core.GetLineStart(start);
    while (i < end) {
        if (text[i] != quote || (comment >= 0 && attr[i] == comment)) {
            ++i;
            continue;
        }
        if (comment >= 0 && quote == '"' && i > 0 && text[i - 1] == '\'' && text[i + 1] == '\'') {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < length && text[j] != quote && text[j] != '\r' && text[j] != '\n') {
            if (text[j] == '\\' && j + 1 < length && text[j + 1] != '\r' && text[j + 1] != '\n')
                ++j;
            ++j;
        }
        const int stop = j < length && text[j] == quote ? j + 1 : j;
        Paint(attr, std::max(i, start), std::min(stop, end), colour);
        i = stop > i ? stop : i + 1;
    }
}

// The keywords in list order; afterwards every byte that was comment before
// is comment again, so that no keyword, string included, colours over it.
static void KeywordPass(CColorEditCore& core, const CSyntaxTemplate& tmpl, int start, int end)
{
    if (start >= end)
        return;
    uint8_t* attr = core.GetAttrBuffer();
    const int comment = CommentAttribute(&tmpl);
    std::vector<int> commentRuns; // [from, to) pairs
    if (comment >= 0) {
        for (int i = start; i < end;) {
            if (attr[i] != comment) {
                ++i;
                continue;
            }
            int j = i;
            while (j < end && attr[j] == comment)
                ++j;
            commentRuns.push_back(i);
            commentRuns.push_back(j);
            i = j;
        }
    }
    for (const SyntaxKeyword& k : tmpl.keywords) {
        if (k.text.empty())
            continue;
        if (IsQuotePair(k))
            ColourQuotedLiterals(core, k.text[0], start, end, k.value & SYNTAX_COLOR_MASK, comment);
        else
            // The core takes the last offset of the range, not the one behind it.
            core.HighlightKeyword(k.text.c_str(), start, end - 1, static_cast<uint32_t>(k.value), comment);
    }
    for (size_t r = 0; r < commentRuns.size(); r += 2)
        Paint(attr, commentRuns[r], commentRuns[r + 1], comment);
}

void ColorizeKeywords(CColorEditCore& core, const CSyntaxTemplate* tmpl, int start, int end)
{
    if (!tmpl || !core.GetTextBuffer())
        return;
    start = std::max(0, start);
    end = std::min(end, core.GetTextLength());
    KeywordPass(core, *tmpl, start, end);
}

// Line comments of the lines from lineStart up to end: the first "//" in
// code colours to the end of its line (a soft break does not end it).
static void ColourLineComments(const char* text, uint8_t* attr, int length, int lineStart, int end, int comment)
{
    for (int line = lineStart; line <= end && line < length;) {
        int lineEnd = line;
        while (lineEnd < length && text[lineEnd] != '\r' && text[lineEnd] != '\n')
            ++lineEnd;
        for (int i = line; i + 1 < lineEnd; ++i) {
            if (text[i] != '/' || text[i + 1] != '/')
                continue;
            if (attr[i + 1] == comment) // inside a block comment
                continue;
            if (IsLexLiteral(LexClassOnLine(text + i, text, text + i + 2)))
                continue;
            Paint(attr, i, lineEnd, comment);
            break;
        }
        line = lineEnd + 1;
    }
}

// The colouring of [start, end) once it is known whether start lies in a
// block comment (and from where its closer may be searched).
static void ColourKnownStart(CColorEditCore& core, const CSyntaxTemplate& tmpl, int start, int end, bool inside,
                             int closeFrom)
{
    const char* text = reinterpret_cast<const char*>(core.GetTextBuffer());
    uint8_t* attr = core.GetAttrBuffer();
    const int length = core.GetTextLength();
    const int lineStart = core.GetLineStart(start);
    const int comment = CommentAttribute(&tmpl);
    int pos = start;
    if (inside) {
        const int close = FindCommentClose(closeFrom, end, text);
        if (close < 0) {
            Paint(attr, start, end, comment);
            return;
        }
        Paint(attr, start, close + 2, comment);
        pos = close + 2;
    }
    while (pos < end) {
        const int f = FindCommentOpen(pos, end, text);
        if (f < 0)
            break;
        const int e = FindCommentClose(f + 2, end, text);
        if (e < 0) {
            Paint(attr, f, end, comment);
            break;
        }
        Paint(attr, f, e + 2, comment);
        pos = e + 2;
    }
    ColourLineComments(text, attr, length, lineStart, end, comment);
    KeywordPass(core, tmpl, start, end);
}

// A keyword that colours between two strings looks back through the whole
// text for an opener (a quote pair looks at its own line only).
static bool LooksFarBack(const CSyntaxTemplate& tmpl)
{
    for (const SyntaxKeyword& k : tmpl.keywords)
        if ((k.value & SYNTAX_BETWEEN_STRINGS) && !IsQuotePair(k))
            return true;
    return false;
}

// Colouring a text that lies in chunks (after an edit) without making it
// contiguous: the lines of the range are copied into a small text of their
// own (from the CR before the first through the CR behind the last, as far
// as any search of the colouring looks), coloured there with the comment
// state from the index, and their attributes copied back.
static void ColourFromChunks(CColorEditCore& core, const CSyntaxTemplate& tmpl, int start, int end, int lineStart,
                             CCommentIndex* index)
{
    const CTextState& s = core.State();
    int from = lineStart;
    while (from > 0 && s.At(from - 1) != kCarriageReturn)
        --from;
    if (from > 0)
        --from;
    int to = end;
    while (to < s.length && s.At(to) != kCarriageReturn)
        ++to;
    to = std::min(s.length, to + 1);

    CTextState window;
    const uint32_t capacity = (static_cast<uint32_t>(to - from) / kCapacityStep + 1) * kCapacityStep;
    if (!window.store.Reset(capacity))
        return;
    window.capacity = capacity;
    s.store.CopyOut(from, to, window.store.FlatText(), window.store.FlatAttr());
    window.store.FlatWritten(to - from);
    window.length = to - from;
    window.lineCount = 1;
    window.wrapWidth = s.wrapWidth;
    CColorEditCore part;
    part.AttachState(&window);
    if (CommentAttribute(&tmpl) < 0 || tmpl.keywords.empty() || !index) {
        KeywordPass(part, tmpl, lineStart - from, end - from);
    } else {
        const LexState state = index->StateBefore(s.store, s.version, start);
        ColourKnownStart(part, tmpl, start - from, end - from, state.cls == kLexBlockComment,
                         start - from + (state.opening ? 1 : 0));
    }
    core.State().store.SetAttrs(from, to, window.store.FlatAttr());
}

int ColorizeRange(CColorEditCore& core, const CSyntaxTemplate* tmpl, int start, int end, CCommentIndex* index)
{
    const int length = core.GetTextLength();
    if (start == -1)
        start = core.m_nTopOffset;
    if (end == -1)
        end = core.GetPageEndOffset();
    start = std::max(0, std::min(start, length));
    end = std::min(end, length);
    if (start >= end)
        return -1;
    const CTextState& s = core.State();
    if (!s.HasBuffers())
        return 0;
    const int lineStart = core.GetLineStart(start);
    const int comment = CommentAttribute(tmpl);
    // Without comments no state is needed; with them, the index has it.
    const bool stateKnown = comment < 0 || (tmpl && tmpl->keywords.empty()) || index;
    if (!s.store.FlatCurrent() && (!tmpl || (stateKnown && !LooksFarBack(*tmpl)))) {
        core.State().store.FillAttrs(start, end, 0);
        if (tmpl)
            ColourFromChunks(core, *tmpl, start, end, lineStart, index);
        return 0;
    }
    const char* text = reinterpret_cast<const char*>(core.GetTextBuffer());
    uint8_t* attr = core.GetAttrBuffer();
    Paint(attr, start, end, 0);
    if (!tmpl)
        return 0;
    if (comment < 0 || tmpl->keywords.empty()) {
        KeywordPass(core, *tmpl, lineStart, end);
        return 0;
    }

    bool inside;
    int closeFrom = start;
    if (index) {
        const LexState st = index->StateBefore(text, length, core.State().version, start);
        inside = st.cls == kLexBlockComment;
        // The "*" of the opener never begins its closer.
        if (st.opening)
            closeFrom = start + 1;
    } else {
        const int open = FindLastCommentOpen(start, 0, text);
        inside = open >= 0 && FindLastCommentClose(start, open + 2, text) < 0;
        if (inside)
            closeFrom = std::max(start, open + 2);
    }
    ColourKnownStart(core, *tmpl, start, end, inside, closeFrom);
    return 0;
}

int RecolourForPaint(CColorEditCore& core, const CSyntaxTemplate* tmpl, int paintStart, CCommentIndex* index)
{
    if (paintStart != -1) {
        if (index)
            index->TextChanged(paintStart);
        paintStart = core.GetLineStart(paintStart);
    }
    if (g_bSyntaxColoring)
        ColorizeRange(core, tmpl, paintStart, -1, index);
    return paintStart;
}
