// Bracket partners, bracket and brace balances, the enclosing class name.
#include <cstring>
#include <vector>

#include "editor/syntax/lexical.h"
#include "editor/syntax/lexer.h"

static char OpeningPartner(char c)
{
    switch (c) {
    case ')': return '(';
    case ']': return '[';
    case '}': return '{';
    default: return 0;
    }
}

static char ClosingPartner(char c)
{
    switch (c) {
    case '(': return ')';
    case '[': return ']';
    case '{': return '}';
    default: return 0;
    }
}

static bool Counts(LexClass c, bool skipComments)
{
    return c == kLexCode || (!skipComments && IsLexComment(c));
}

const char* FindClosingBracket(const char* pos, bool skipComments, const char* floor, const char* end)
{
    if (!pos || !floor || pos < floor)
        return nullptr;
    const char same = *pos;
    const char partner = ClosingPartner(same);
    if (!partner)
        return nullptr;
    if (!end)
        end = pos + std::strlen(pos);
    LexState s = LexStateBefore(pos, floor);
    LexStep(s, pos, end);
    int depth = 1;
    for (const char* p = pos + 1; p < end; ++p) {
        const LexClass c = LexStep(s, p, end);
        if (!Counts(c, skipComments))
            continue;
        if (*p == same)
            ++depth;
        else if (*p == partner && --depth == 0)
            return p;
    }
    return nullptr;
}

const char* FindOpeningBracket(const char* pos, bool skipComments, const char* floor)
{
    if (!pos || !floor || pos <= floor)
        return nullptr;
    const char same = *pos;
    const char partner = OpeningPartner(same);
    if (!partner)
        return nullptr;
    // Line by line backwards: each line is classified forwards from its
    // start, in the state that the comments above it leave there.
    BlockCommentTracker tracker(floor);
    std::vector<LexClass> classes;
    int depth = 1;
    const char* lineEnd = pos; // exclusive
    for (;;) {
        const char* line = LexLineStart(lineEnd, floor);
        LexState s;
        if (tracker.StartsInBlockComment(line))
            s.cls = kLexBlockComment;
        classes.resize(lineEnd - line);
        LexScan(line, lineEnd, lineEnd + 1, s, [&](const char* p, LexClass c) { classes[p - line] = c; });
        for (const char* p = lineEnd; p-- > line;) {
            if (!Counts(classes[p - line], skipComments))
                continue;
            if (*p == same)
                ++depth;
            else if (*p == partner && --depth == 0)
                return p;
        }
        if (line <= floor)
            return nullptr;
        lineEnd = line - 1;
    }
}

int CountBraceBalance(const char* pos, int length)
{
    if (!pos || length <= 0)
        return 0;
    const char* from = pos - length + 1;
    int balance = 0;
    LexScan(from, pos + 1, AheadLimit(pos), LexState(), [&](const char* p, LexClass c) {
        if (c != kLexCode)
            return;
        if (*p == '{')
            ++balance;
        else if (*p == '}')
            --balance;
    });
    return balance;
}

int CountBracketBalance(const char* from, const char* to, char bracket, const char* floor)
{
    if (!from || !floor || from < floor)
        return 0;
    if (!to)
        to = from + std::strlen(from);
    const char partner = ClosingPartner(bracket);
    int balance = 0;
    LexScan(from, to, to + 1, LexStateBefore(from, floor),
            [&](const char* p, LexClass c) {
                if (c != kLexCode)
                    return;
                if (*p == bracket)
                    ++balance;
                else if (partner && *p == partner)
                    --balance;
            });
    return balance;
}

static bool IsWordByte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

const char* FindLastClassName(const char* limit, std::string& name, const char* from)
{
    name.clear();
    if (!limit || !from || limit <= from)
        return nullptr;
    const char* last = nullptr;
    LexScan(from, limit, limit, LexState(), [&](const char* p, LexClass c) {
        if (c != kLexCode || *p != 'c' || limit - p < 5 || std::memcmp(p, "class", 5) != 0)
            return;
        if (p > from && IsWordByte(p[-1]))
            return;
        if (p + 5 < limit && IsWordByte(p[5]))
            return;
        last = p;
    });
    if (!last)
        return nullptr;
    name = ClassNameAfter(last);
    return last;
}

std::string ClassNameAfter(const char* keyword)
{
    const char* p = keyword + 5;
    while (*p && static_cast<unsigned char>(*p) < '!')
        ++p;
    const char* start = p;
    while (IsWordByte(*p))
        ++p;
    return std::string(start, p);
}
