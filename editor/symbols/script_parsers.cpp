#include "editor/symbols/script_parsers.h"

#include <cstring>
#include <memory>

#include "editor/symbols/code_walk.h"
#include "editor/symbols/text_cleanup.h"
#include "editor/syntax/lexical.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == 1;
}

const char* SkipBlanks(const char* p, const char* end)
{
    while (p < end && IsBlank(*p))
        ++p;
    return p;
}

// The name that starts at p: up to a blank, line end or one of the stops.
std::string NameAt(const char* p, const char* end, const char* stops)
{
    const char* q = p;
    while (q < end && *q && !IsBlank(*q) && *q != '\r' && *q != '\n' && *q != 2 && !std::strchr(stops, *q))
        ++q;
    return std::string(p, q);
}

const char* Find(const char* from, const char* end, const char* word)
{
    size_t n = std::strlen(word);
    for (const char* p = from; p + n <= end; ++p) {
        p = static_cast<const char*>(std::memchr(p, word[0], static_cast<size_t>(end - p)));
        if (!p || p + n > end)
            return nullptr;
        if (std::memcmp(p, word, n) == 0)
            return p;
    }
    return nullptr;
}

// Outside comments and double-quoted strings. A single quote is no literal
// here: Verilog writes sized numbers such as 1'b1.
bool InCodeAt(const char* p, const char* text)
{
    if (IsInsideComment(p, text))
        return false;
    int quotes = 0;
    for (const char* q = p; q > text && q[-1] != '\r' && q[-1] != '\n'; --q)
        if (q[-1] == '"' && !(q - 1 > text && q[-2] == '\\'))
            ++quotes;
    return quotes % 2 == 0;
}

bool WholeWordAt(const char* p, size_t n, const char* text, const char* end)
{
    return (p == text || !IsIdentChar(p[-1])) && (p + n >= end || !IsIdentChar(p[n]));
}

// Start of a zero-based line (the text end when there are fewer lines).
const char* LineStart(const char* text, size_t length, int line)
{
    const char* end = text + length;
    const char lineEnd = std::memchr(text, '\r', length) ? '\r' : '\n';
    const char* p = text;
    for (int i = 0; i < line && p < end; ++i) {
        const char* e = static_cast<const char*>(std::memchr(p, lineEnd, static_cast<size_t>(end - p)));
        p = e ? e + 1 : end;
    }
    return p;
}

// The lines strictly inside a module record: from the line after its first
// line up to the start of its last line (the one that holds "endmodule").
void InnerRange(const char* text, size_t length, const CSymbolInfo& module, const char*& from, const char*& to)
{
    from = LineStart(text, length, module.firstLine + 1);
    to = LineStart(text, length, module.lastLine);
}

// Files one block under its name; 1 when added, 0 for a duplicate.
int FileBlock(CSymbolMap& map, const std::string& name, int first, int last, int kind, COvantaDoc* document,
              const std::string& path)
{
    auto r = std::make_unique<CSymbolInfo>();
    r->text = name;
    r->firstLine = first;
    r->lastLine = last;
    r->kind = kind;
    r->document = document;
    r->file = path;
    r->name = name;
    return map.AddSymbol(name, std::move(r)) ? 1 : 0;
}

} // namespace

int ParsePerlSubs(const char* text, size_t length, CSymbolMap& map, COvantaDoc* document, const std::string& path)
{
    const char* end = text + length;
    CTextLineCounter lines(text, length);
    int count = 0;
    const char* p = text;
    while ((p = Find(p, end, "sub")) != nullptr) {
        const char* after = p + 3;
        if ((p > text && IsIdentChar(p[-1])) || after >= end || !IsBlank(*after) ||
            IsPreprocessorLine(p, text) || IsInsideString(p, text)) {
            p += 3;
            continue;
        }
        const char* n = SkipBlanks(after, end);
        std::string name = NameAt(n, end, ";({");
        const char* brace = FindCodeChar(n, end, "{;");
        if (!brace || *brace == ';' || name.empty()) {
            p = brace ? brace + 1 : end; // a forward declaration or an anonymous sub
            continue;
        }
        const char* close = FindClosingBracket(brace, true, brace, end);
        if (!close)
            return count;
        count += FileBlock(map, name, lines.LineOf(static_cast<size_t>(p - text)),
                           lines.LineOf(static_cast<size_t>(close - text)), kImagePerlSub, document, path);
        p = brace + 1;
    }
    return count;
}

int ParseVerilogBlocks(const char* text, size_t length, CSymbolMap& map, COvantaDoc* document,
                       const std::string& path, const char* startWord, const char* endWord)
{
    const char* end = text + length;
    const size_t sn = std::strlen(startWord);
    const size_t en = std::strlen(endWord);
    const int kind = std::strcmp(startWord, "module") == 0 ? kImageVerilogModule
        : std::strcmp(startWord, "task") == 0              ? kImageVerilogTask
                                                           : kImageVerilogFunction;
    CTextLineCounter lines(text, length);
    int count = 0;
    const char* p = text;
    while ((p = Find(p, end, startWord)) != nullptr) {
        if (!WholeWordAt(p, sn, text, end) || !InCodeAt(p, text)) {
            p += sn;
            continue;
        }
        std::string name = NameAt(SkipBlanks(p + sn, end), end, ";(#");
        const char* stop = p + sn;
        const char* close = nullptr;
        while ((stop = Find(stop, end, endWord)) != nullptr) {
            if (WholeWordAt(stop, en, text, end) && InCodeAt(stop, text)) {
                close = stop;
                break;
            }
            stop += en - 1;
        }
        if (!close)
            return count;
        if (!name.empty())
            count += FileBlock(map, name, lines.LineOf(static_cast<size_t>(p - text)),
                               lines.LineOf(static_cast<size_t>(close - text)), kind, document, path);
        p = close + en;
    }
    return count;
}

void ParseVerilogNamedBlocks(const char* text, size_t length, const CSymbolInfo& module,
                             std::vector<CSymbolInfo>& list)
{
    const char *from, *to;
    InnerRange(text, length, module, from, to);
    CTextLineCounter lines(text, length);
    const char* p = from;
    while (p < to && (p = Find(p, to, "begin")) != nullptr) {
        if (!WholeWordAt(p, 5, text, to) || !InCodeAt(p, text)) {
            p += 5;
            continue;
        }
        const char* q = SkipBlanks(p + 5, to);
        if (q >= to || *q != ':') {
            p += 5;
            continue;
        }
        q = SkipBlanks(q + 1, to);
        std::string name = NameAt(q, to, ";");
        const char* e = q;
        const char* close = nullptr;
        while ((e = Find(e, to, "end")) != nullptr) {
            char next = e + 3 < to ? e[3] : 0;
            if ((e == text || !IsIdentChar(e[-1])) && (next == ' ' || next == '\t' || next == '\r' ||
                                                       next == '\n') && InCodeAt(e, text)) {
                close = e;
                break;
            }
            e += 3;
        }
        if (!close)
            return;
        CSymbolInfo r;
        r.text = name;
        r.firstLine = lines.LineOf(static_cast<size_t>(q - text));
        r.lastLine = lines.LineOf(static_cast<size_t>(close + 3 - text));
        list.push_back(r);
        p = q;
    }
}

void ParseVerilogAssigns(const char* text, size_t length, const CSymbolInfo& module, std::vector<CSymbolInfo>& list)
{
    const char *from, *to;
    InnerRange(text, length, module, from, to);
    CTextLineCounter lines(text, length);
    const char* p = from;
    while (p < to && (p = Find(p, to, "assign")) != nullptr) {
        if (!WholeWordAt(p, 6, text, to) || !InCodeAt(p, text)) {
            p += 6;
            continue;
        }
        const char* q = SkipBlanks(p + 6, to);
        if (q >= to || !IsIdentChar(*q)) {
            p += 6;
            continue;
        }
        std::string name = NameAt(q, to, "=;");
        const char* semi = q;
        while ((semi = static_cast<const char*>(std::memchr(semi, ';', static_cast<size_t>(to - semi)))) &&
               !InCodeAt(semi, text))
            ++semi;
        if (!semi)
            return;
        CSymbolInfo r;
        r.text = name;
        r.firstLine = lines.LineOf(static_cast<size_t>(q - text));
        r.lastLine = lines.LineOf(static_cast<size_t>(semi + 1 - text));
        list.push_back(r);
        p = semi + 1;
    }
}

void ParseVerilogPorts(const char* text, size_t length, const CSymbolInfo& module, std::vector<CSymbolInfo>& list,
                       int portKind)
{
    const char* word = portKind == 10 ? "input" : portKind == 11 ? "output" : "inout";
    const size_t wn = std::strlen(word);
    const char *from, *to;
    InnerRange(text, length, module, from, to);
    CTextLineCounter lines(text, length);
    const char* p = from;
    while (p < to && (p = Find(p, to, word)) != nullptr) {
        const char* q = p + wn;
        if (!WholeWordAt(p, wn, text, to) || !InCodeAt(p, text)) {
            p = q;
            continue;
        }
        q = SkipBlanks(q, to);
        if (q >= to || !(IsIdentChar(*q) || *q == '[')) {
            p = q;
            continue;
        }
        int firstLine = lines.LineOf(static_cast<size_t>(q - text));
        // Names up to each "," and the closing ";".
        for (;;) {
            std::string collected;
            const char* c = q;
            while (c < to && !((*c == ';' || *c == ',') && InCodeAt(c, text))) {
                char ch = *c;
                collected += (ch == '\t' || ch == '\r' || ch == '\n' || ch == 1) ? ' ' : ch;
                ++c;
            }
            if (c >= to)
                return; // the module ends inside the declaration
            while (!collected.empty() && collected.back() == ' ')
                collected.pop_back();
            CSymbolInfo r;
            r.text = collected;
            r.firstLine = firstLine;
            r.lastLine = lines.LineOf(static_cast<size_t>(c - text));
            list.push_back(r);
            if (*c == ';') {
                p = c + 1;
                break;
            }
            q = c + 1;
            while (q < to && (IsBlank(*q) || *q == '\r' || *q == '\n'))
                ++q;
        }
    }
}
