#include "editor/syntax/lex_map.h"

#include "editor/syntax/lexical.h"

CLexMap::CLexMap(const char* text, size_t length) : m_text(text), m_classes(length)
{
    LexState s;
    const char* end = text + length;
    unsigned char* out = m_classes.data();
    for (const char* p = text; p < end; ++p)
        *out++ = LexStep(s, p, end);
}

static bool Covers(const CLexMap* map, const char* pos)
{
    return map && pos >= map->Text() && pos < map->Text() + map->Length();
}

bool IsInsideComment(const CLexMap* map, const char* pos, const char* floor)
{
    if (!Covers(map, pos) || pos < floor)
        return IsInsideComment(pos, floor);
    return IsLexComment(map->At(pos));
}

bool IsInsideString(const CLexMap* map, const char* pos, const char* floor)
{
    if (!Covers(map, pos) || pos < floor)
        return IsInsideString(pos, floor);
    return IsLexLiteral(map->At(pos));
}

static char OpeningPartner(char c)
{
    return c == ')' ? '(' : c == ']' ? '[' : c == '}' ? '{' : 0;
}

static char ClosingPartner(char c)
{
    return c == '(' ? ')' : c == '[' ? ']' : c == '{' ? '}' : 0;
}

// One byte of a bracket search from a bracket (same) for its partner: a
// counted bracket changes the depth; true at the partner that ends it.
static bool PartnerAt(const CLexMap* map, const char* p, char same, char partner, bool skipComments, int& depth)
{
    const char c = *p;
    if (c != same && c != partner)
        return false;
    const LexClass cls = map->At(p);
    if (IsLexLiteral(cls) || (skipComments && IsLexComment(cls)))
        return false;
    if (c == same) {
        ++depth;
        return false;
    }
    return --depth == 0;
}

const char* FindClosingBracket(const CLexMap* map, const char* pos, bool skipComments, const char* floor,
                               const char* end)
{
    // The finder of lexical.h lexes on from pos in the state its line gives
    // there; a bracket in code has the state the map was made with.
    if (!Covers(map, pos) || !floor || pos < floor || !map->IsCode(pos))
        return FindClosingBracket(pos, skipComments, floor, end);
    const char same = *pos;
    const char partner = ClosingPartner(same);
    if (!partner)
        return nullptr;
    const char* last = map->Text() + map->Length();
    if (!end || end > last)
        end = last;
    int depth = 1;
    for (const char* p = pos + 1; p < end; ++p)
        if (PartnerAt(map, p, same, partner, skipComments, depth))
            return p;
    return nullptr;
}

const char* FindOpeningBracket(const CLexMap* map, const char* pos, bool skipComments, const char* floor)
{
    if (!Covers(map, pos) || !floor || floor < map->Text())
        return FindOpeningBracket(pos, skipComments, floor);
    if (pos <= floor)
        return nullptr;
    const char same = *pos;
    const char partner = OpeningPartner(same);
    if (!partner)
        return nullptr;
    int depth = 1;
    for (const char* p = pos; p-- > floor;)
        if (PartnerAt(map, p, same, partner, skipComments, depth))
            return p;
    return nullptr;
}
