// Prototypes: a "(" in code, outside function bodies, whose ")" is followed
// by a ";" before any "{" declares a function.
#include <cstring>
#include <memory>

#include "editor/symbols/code_walk.h"
#include "editor/symbols/text_cleanup.h"
#include "editor/syntax/lex_map.h"
#include "editor/syntax/lexical.h"
#include "editor/symbols/variable_scan.h"

namespace {

const size_t kDisplayMax = 299;

bool IsSpaceByte(char c)
{
    return c == ' ' || c == '\t' || c == 1 || c == 2 || c == '\r' || c == '\n';
}

bool IsRejectedName(const std::string& n)
{
    static const char* const words[] = {"while", "if", "for", "switch", "return", "sizeof"};
    // Operators of the language that take parentheses like a call.
    static const char* const operators[] = {"static_assert", "_Static_assert", "decltype", "alignof",
                                            "_Alignof", "noexcept", "typeid", "alignas"};
    for (const char* w : words)
        if (n == w)
            return true;
    for (const char* w : operators)
        if (n == w)
            return true;
    return n.empty() || (n[0] >= '0' && n[0] <= '9');
}

bool IsStatementStartWord(const std::string& w)
{
    static const char* const words[] = {"return", "else", "case", "goto", "throw", "delete", "new", "do", "typedef"};
    for (const char* k : words)
        if (w == k)
            return true;
    return false;
}

// True when the block opened at brace is a class, struct or union body: the
// words since the previous statement end hold one of those keywords.
bool IsClassBody(const char* brace, const char* floor)
{
    const char* p = brace;
    while (p > floor && p[-1] != ';' && p[-1] != '{' && p[-1] != '}')
        --p;
    std::string head(p, brace);
    // The last of the keywords heads the block when nothing after it is a
    // parameter list or an initialiser ("int f(struct s *p) {" is a body).
    size_t last = std::string::npos;
    for (const char* kw : {"class", "struct", "union"}) {
        size_t n = std::strlen(kw);
        for (size_t at = head.find(kw); at != std::string::npos; at = head.find(kw, at + 1)) {
            bool before = at == 0 || !IsIdentChar(head[at - 1]);
            bool after = at + n >= head.size() || !IsIdentChar(head[at + n]);
            if (before && after && (last == std::string::npos || at > last))
                last = at;
        }
    }
    return last != std::string::npos && head.find_first_of("()=", last) == std::string::npos;
}

// Start of the prototype whose "(" is at open, or none when it is no
// declaration (an argument, an initialiser, a macro line).
const char* PrototypeStart(const char* open, const char* text, const CLexMap* lex)
{
    const char* p = open;
    bool sameLine = true;
    while (p > text) {
        char c = p[-1];
        if (c == '\r' || c == '\n' || c == 2) {
            // A line comment on the line above ends the walk there.
            if (p - 1 > text && IsInsideComment(lex, p - 2, text))
                return p;
            sameLine = false;
            --p;
            continue;
        }
        if (c == '/' && p - 1 > text && p[-2] == '*')
            return p; // the end of a block comment
        if (c == ';' || c == '{' || c == '}')
            return p;
        if (c == ',' || c == '=')
            return nullptr;
        if (c == ':' && !(p - 1 > text && p[-2] == ':') && p[0] != ':')
            return p; // "public:"
        if (c == '#') {
            if (sameLine)
                return nullptr;
            while (p < open && *p != '\r' && *p != '\n')
                ++p;
            return p;
        }
        --p;
    }
    return p;
}

int FilePrototype(const ScanText& src, CTextLineCounter& lines, const char* open, const char* close,
                  CSymbolMap& map)
{
    const char* start = PrototypeStart(open, src.text, src.lex);
    if (!start)
        return 0;
    while (start < open && IsSpaceByte(*start))
        ++start;
    const char* ne = open;
    while (ne > start && IsSpaceByte(ne[-1]))
        --ne;
    const char* nb = ne;
    while (nb > start && (IsIdentChar(nb[-1]) || nb[-1] == '~'))
        --nb;
    std::string name(nb, ne);
    if (IsRejectedName(name))
        return 0;
    // A name called on an object declares nothing, nor does a statement.
    if (nb > start && (nb[-1] == '.' || nb[-1] == '>'))
        return 0;
    std::string firstWord;
    for (const char* q = start; q < nb && IsIdentChar(*q); ++q)
        firstWord += *q;
    if (IsStatementStartWord(firstWord))
        return 0;
    std::string display(start, close + 1);
    BlankControlChars(display);
    if (display.size() > kDisplayMax)
        display = display.substr(0, 295) + "...";
    auto r = std::make_unique<CSymbolInfo>();
    r->firstLine = lines.LineOf(static_cast<size_t>(nb - src.text));
    r->kind = kKindDeclaration;
    r->file = src.path;
    r->name = display;
    return map.AddSymbol(name, std::move(r)) ? 1 : 0;
}

} // namespace

int ScanFunctionDeclarations(const ScanText& src, size_t from, size_t to, CSymbolMap& map)
{
    if (to > src.length)
        to = src.length;
    const char* end = src.text + to;
    CTextLineCounter lines(src.text, src.length);
    int filed = 0;
    const char* p = src.text + from;
    while (p < end) {
        const char* q = SkipNonCode(p, end);
        if (q != p) {
            p = q;
            continue;
        }
        char c = *p;
        if (c == '{') {
            // Namespaces and class bodies are looked into; every other block
            // (function bodies, initialisers, enums) is stepped over.
            if (OpensNamespaceBlock(p, src.text) || IsClassBody(p, src.text)) {
                ++p;
                continue;
            }
            const char* close = FindClosingBracket(src.lex, p, true, p, end);
            if (!close)
                break;
            p = close + 1;
            continue;
        }
        if (c == '(') {
            const char* close = FindClosingBracket(src.lex, p, true, p, end);
            if (!close)
                break;
            const char* after = FindCodeChar(close + 1, end, ";{");
            if (after && *after == ';')
                filed += FilePrototype(src, lines, p, close, map);
            p = close + 1;
            continue;
        }
        ++p;
    }
    return filed;
}
