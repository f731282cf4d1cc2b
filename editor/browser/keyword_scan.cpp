#include "editor/browser/keyword_scan.h"

#include <cstring>
#include <memory>

#include "editor/symbols/code_walk.h"
#include "editor/symbols/text_cleanup.h"
#include "editor/syntax/lex_map.h"
#include "editor/syntax/lexical.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == 1;
}

bool IsSpace(char c)
{
    return IsBlank(c) || c == '\r' || c == '\n' || c == 2;
}

const char* SkipBlanks(const char* p, const char* end)
{
    while (p < end && IsBlank(*p))
        ++p;
    return p;
}

const char* SkipSpace(const char* p, const char* end)
{
    while (p < end && IsSpace(*p))
        ++p;
    return p;
}

std::string IdentAt(const char* p, const char* end)
{
    const char* q = p;
    while (q < end && IsIdentChar(*q))
        ++q;
    return std::string(p, q);
}

// The identifier that ends right before p, blanks before p skipped.
std::string IdentBefore(const char* p, const char* floor)
{
    while (p > floor && IsSpace(p[-1]))
        --p;
    const char* q = p;
    while (q > floor && IsIdentChar(q[-1]))
        --q;
    return std::string(q, p);
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

} // namespace

void ParseDefine(const char* hit, const char* text, const char* end, KeywordSymbols& out)
{
    const char* p = SkipBlanks(hit + 7, end);
    const char* n = p;
    while (n < end && *n && !std::strchr("\r\n\x02\\ \t\x01", *n))
        ++n;
    std::string name(p, n);
    if (name.empty())
        return;
    // The value: the rest of the logical line (a backslash before the line
    // end continues it), without blanks and comments.
    std::string value;
    p = n;
    while (p < end && *p && *p != '\r' && *p != '\n') {
        char c = *p;
        if (c == '\\') {
            const char* q = SkipBlanks(p + 1, end);
            if (q >= end || *q == '\r' || *q == '\n') {
                if (q < end && *q == '\r')
                    ++q;
                if (q < end && *q == '\n')
                    ++q;
                p = q;
                continue;
            }
        }
        if (c == '/' && p + 1 < end && p[1] == '/')
            break;
        if (c == '/' && p + 1 < end && p[1] == '*') {
            p = SkipNonCode(p, end);
            continue;
        }
        if (c == '"' || c == '\'') {
            const char* q = SkipNonCode(p, end);
            value.append(p, q);
            p = q;
            continue;
        }
        if (!IsBlank(c))
            value += c;
        ++p;
    }
    out.items.push_back({name, "#define " + name + " " + value});
}

void ParseTypedef(const char* hit, const char* text, const char* end, KeywordSymbols& out)
{
    const char* p = SkipSpace(hit + 7, end);
    const char* semi = FindCodeChar(p, end, ";");
    if (!semi)
        return;
    std::string first = IdentAt(p, end);
    if (first == "struct" || first == "union" || first == "enum") {
        const char* brace = FindCodeChar(p, semi, "{");
        if (brace)
            return; // the scan of that keyword files it
    }
    std::string stmt(p, semi);
    std::vector<size_t> commas = TopLevelSeparators(stmt, ',');
    if (!commas.empty())
        stmt.resize(commas[0]);
    StripComments(stmt);
    std::string name, type;
    size_t open = stmt.find('(');
    if (open != std::string::npos) {
        // A function or function pointer type: typedef int (*handler)(int);
        size_t star = stmt.find_first_not_of(" \t\r\n\x01", open + 1);
        size_t from = star != std::string::npos && stmt[star] == '*' ? star + 1 : open;
        size_t b = stmt.find_first_not_of(" \t\r\n\x01*", from);
        if (star != std::string::npos && stmt[star] == '*' && b != std::string::npos) {
            size_t e = b;
            while (e < stmt.size() && IsIdentChar(stmt[e]))
                ++e;
            name = stmt.substr(b, e - b);
            type = stmt.substr(0, open);
        } else {
            name = IdentBefore(stmt.c_str() + open, stmt.c_str());
            type = stmt.substr(0, open - name.size());
        }
    } else {
        size_t e = stmt.size();
        for (;;) {
            while (e > 0 && IsSpace(stmt[e - 1]))
                --e;
            if (e > 0 && stmt[e - 1] == ']') {
                size_t lb = stmt.rfind('[', e - 1);
                if (lb == std::string::npos)
                    return;
                e = lb;
                continue;
            }
            break;
        }
        size_t b = e;
        while (b > 0 && IsIdentChar(stmt[b - 1]))
            --b;
        name = stmt.substr(b, e - b);
        type = stmt.substr(0, b);
    }
    BlankControlChars(type);
    type = Trim(type);
    if (name.empty() || type.empty())
        return;
    out.items.push_back({name, type});
}

void ParseEnum(const char* hit, const char* text, const char* end, KeywordSymbols& out)
{
    const char* brace = FindCodeChar(hit, end, "{;)=");
    if (!brace || *brace != '{')
        return; // a declaration, a parameter or a cast, no body
    const char* close = FindClosingBracket(brace, true, brace, end);
    if (!close)
        return;
    const char* p = SkipSpace(hit + 4, brace);
    std::string tag = IdentAt(p, brace);
    if (tag == "class" || tag == "struct")
        tag = IdentAt(SkipSpace(p + tag.size(), brace), brace);
    if (tag.empty())
        tag = IdentAt(SkipSpace(close + 1, end), end);
    std::string body(brace + 1, close);
    StripComments(body);
    BlankControlChars(body);
    std::string prefix = tag.empty() ? "enum: " : "enum: " + tag + ".";
    std::vector<size_t> cuts = TopLevelSeparators(body, ',');
    cuts.push_back(body.size());
    size_t from = 0;
    for (size_t cut : cuts) {
        size_t b = from;
        while (b < cut && body[b] == ' ')
            ++b;
        std::string item = body.substr(b, cut - b);
        from = cut + 1;
        std::string name = IdentAt(item.c_str(), item.c_str() + item.size());
        if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
            continue;
        out.items.push_back({name, prefix + item});
    }
    out.resume = close + 1;
}

namespace {

// One member statement of a struct body, without its ";": adds its items.
void StructMember(std::string stmt, const std::string& tag, KeywordSymbols& out)
{
    // Nested struct or union: "struct { ... } inner" keeps the words before
    // its body as the type.
    size_t lb = stmt.find('{');
    if (lb != std::string::npos) {
        size_t rb = stmt.rfind('}');
        if (rb == std::string::npos || rb < lb)
            return;
        stmt = stmt.substr(0, lb) + stmt.substr(rb + 1);
    }
    std::vector<size_t> commas = TopLevelSeparators(stmt, ',');
    commas.push_back(stmt.size());
    std::string type, base;
    size_t from = 0;
    for (size_t i = 0; i < commas.size(); ++i) {
        std::string decl = stmt.substr(from, commas[i] - from);
        from = commas[i] + 1;
        // A bit field: the width after a single ":" is no part of the name.
        for (size_t c = decl.find(':'); c != std::string::npos; c = decl.find(':', c + 2)) {
            if (c + 1 < decl.size() && decl[c + 1] == ':')
                continue;
            if (c > 0 && decl[c - 1] == ':')
                continue;
            decl.resize(c);
            break;
        }
        std::string name;
        size_t e = decl.size();
        while (e > 0 && IsSpace(decl[e - 1]))
            --e;
        if (e > 0 && decl[e - 1] == ')') {
            // Function pointer member: int (*name)(int);
            size_t open = decl.find('(');
            size_t close = open == std::string::npos ? open : decl.find(')', open);
            if (close == std::string::npos)
                return;
            size_t b = decl.find_first_not_of(" *&\r", open + 1);
            if (b == std::string::npos || b > close)
                return;
            size_t ne = b;
            while (ne < close && (IsIdentChar(decl[ne]) || decl[ne] == ':'))
                ++ne;
            name = decl.substr(b, ne - b);
            type = "function pointer";
        } else {
            while (e > 0 && decl[e - 1] == ']') {
                size_t lbk = decl.rfind('[', e - 1);
                if (lbk == std::string::npos)
                    return; // a bracket without its partner
                e = lbk;
                while (e > 0 && IsSpace(decl[e - 1]))
                    --e;
            }
            size_t b = e;
            while (b > 0 && (IsIdentChar(decl[b - 1]) || decl[b - 1] == ':'))
                --b;
            name = decl.substr(b, e - b);
            std::string written = decl.substr(0, b);
            for (char& c : written)
                if (c == '\r')
                    c = ' ';
            written = Trim(written);
            if (i == 0) {
                type = written;
                base = type;
                while (!base.empty() && (base.back() == '*' || base.back() == '&' || base.back() == ' '))
                    base.pop_back();
            } else {
                // Later declarators share the base type and add their own stars.
                type = written.empty() ? base : base + " " + written;
            }
        }
        size_t colon = name.rfind("::");
        if (colon != std::string::npos)
            name = name.substr(colon + 2);
        if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
            continue;
        if (i == 0 && type.empty())
            return; // no declaration: a macro call or a stray word
        std::string text = tag.empty() ? "struct: " + name : "struct: " + type + " " + tag + "." + name;
        out.items.push_back({name, text});
    }
}

} // namespace

void ParseStruct(const char* hit, const char* text, const char* end, KeywordSymbols& out)
{
    size_t wordLen = std::strncmp(hit, "union", 5) == 0 ? 5 : 6;
    const char* brace = FindCodeChar(hit + wordLen, end, "{;)=");
    if (!brace || *brace == ')')
        return; // a function returning a struct, or a parameter
    if (*brace != '{') {
        // A declaration without a body: the scan goes on after its ";".
        const char* semi = *brace == ';' ? brace : FindCodeChar(brace, end, ";");
        out.resume = semi ? semi + 1 : nullptr;
        return;
    }
    const char* close = FindClosingBracket(brace, true, brace, end);
    if (!close)
        return;
    std::string tag = IdentAt(SkipSpace(hit + wordLen, brace), brace);
    // The name a typedef gives the struct: the identifier before the ";"
    // behind the body, when the keyword follows "typedef".
    std::string typedefName;
    const char* before = hit;
    while (before > text && IsSpace(before[-1]))
        --before;
    if (IdentBefore(before, text) == "typedef") {
        const char* semi = FindCodeChar(close + 1, end, ";");
        if (semi)
            typedefName = IdentBefore(semi, close + 1);
    }
    if (tag.empty())
        tag = IdentAt(SkipSpace(close + 1, end), end);
    if (!tag.empty())
        out.items.push_back({tag, "struct type : " + tag});
    if (!typedefName.empty() && typedefName != tag)
        out.items.push_back({typedefName, "struct type : " + typedefName});

    std::string body(brace + 1, close);
    StripComments(body);
    NormalizeBlanks(body);
    std::vector<size_t> semis = TopLevelSeparators(body, ';');
    size_t from = 0;
    for (size_t s : semis) {
        StructMember(body.substr(from, s - from), tag, out);
        from = s + 1;
    }
    out.resume = close + 1;
}

namespace {

struct HitFiling {
    int kind;
    COvantaDoc* document;
    bool resume; // go on where the parser's match ended
    const std::atomic<bool>* stop; // checked before each hit, so a long text ends early
};

bool Stopped(const std::atomic<bool>* stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

// Whether the whole-word keyword (klen bytes) stands at p.
bool KeywordAt(const char* p, const char* text, const char* end, const char* keyword, size_t klen)
{
    return *p == keyword[0] && static_cast<size_t>(end - p) >= klen && std::memcmp(p, keyword, klen) == 0 &&
        !(p > text && IsIdentChar(p[-1]) && IsIdentChar(keyword[0])) && !(p + klen < end && IsIdentChar(p[klen]));
}

// Where the walk goes on from a code position that holds no hit: a whole
// identifier is stepped over, so that no hit starts inside one.
const char* PastNonHit(const char* p, const char* end)
{
    if (!IsIdentChar(*p))
        return p + 1;
    while (p < end && IsIdentChar(*p))
        ++p;
    return p;
}

int FileItems(KeywordSymbols& found, int line, CSymbolMap& map, const std::string& path, int kind,
              COvantaDoc* document)
{
    int filed = 0;
    for (KeywordSymbols::Item& item : found.items) {
        auto r = std::make_unique<CSymbolInfo>();
        r->firstLine = line;
        r->kind = kind;
        r->document = document;
        r->file = path;
        r->name = std::move(item.text);
        if (map.AddSymbol(item.key, std::move(r)))
            ++filed;
    }
    return filed;
}

int ScanHits(const char* keyword, KeywordParser parser, const char* text, size_t length, CSymbolMap& map,
             const std::string& path, const HitFiling& how)
{
    if (!parser || !keyword || !*keyword)
        return 0;
    const size_t klen = std::strlen(keyword);
    const char* end = text + length;
    CTextLineCounter lines(text, length);
    int filed = 0;
    KeywordSymbols found;
    const char* p = text;
    while (p < end) {
        if (Stopped(how.stop))
            break;
        const char* q = SkipNonCode(p, end);
        if (q != p) {
            p = q;
            continue;
        }
        if (!KeywordAt(p, text, end, keyword, klen)) {
            p = PastNonHit(p, end);
            continue;
        }
        found.items.clear();
        found.resume = nullptr;
        parser(p, text, end, found);
        filed += FileItems(found, lines.LineOf(static_cast<size_t>(p - text)), map, path, how.kind, how.document);
        p = how.resume && found.resume && found.resume > p + klen && found.resume <= end ? found.resume : p + klen;
    }
    return filed;
}

} // namespace

int ScanTextForKeywords(const KeywordScan* scans, size_t count, const char* text, size_t length,
                        const std::string& path, const std::atomic<bool>* stop, const CLexMap* lex)
{
    struct Hit {
        size_t scan;
        const char* at;
        int line;
    };
    std::vector<size_t> lengths(count);
    bool starts[256] = {}; // the first bytes of the keywords
    for (size_t k = 0; k < count; ++k) {
        lengths[k] = scans[k].keyword && scans[k].parser ? std::strlen(scans[k].keyword) : 0;
        if (lengths[k])
            starts[static_cast<unsigned char>(scans[k].keyword[0])] = true;
    }
    // One walk finds the hits of every keyword. A hit covers its keyword and
    // the walk goes on behind it, which is where a walk for that keyword
    // alone would go on too, so every keyword sees the hits it would see
    // alone.
    std::vector<Hit> hits;
    const char* end = text + length;
    CTextLineCounter lines(text, length);
    if (lex && (lex->Text() != text || lex->Length() != length))
        lex = nullptr;
    for (const char* p = text; p < end;) {
        if (lex) {
            if (!lex->IsCode(p)) {
                ++p;
                continue;
            }
        } else {
            const char* q = SkipNonCode(p, end);
            if (q != p) {
                p = q;
                continue;
            }
        }
        size_t k = starts[static_cast<unsigned char>(*p)] ? 0 : count;
        while (k < count && !(lengths[k] && KeywordAt(p, text, end, scans[k].keyword, lengths[k])))
            ++k;
        if (k == count) {
            p = PastNonHit(p, end);
            continue;
        }
        hits.push_back({k, p, lines.LineOf(static_cast<size_t>(p - text))});
        p += lengths[k];
    }
    // Each keyword's hits then go to its parser in order, keyword by keyword.
    int filed = 0;
    KeywordSymbols found;
    for (size_t k = 0; k < count; ++k) {
        for (const Hit& h : hits) {
            if (h.scan != k)
                continue;
            if (Stopped(stop))
                return filed;
            found.items.clear();
            found.resume = nullptr;
            scans[k].parser(h.at, text, end, found);
            filed += FileItems(found, h.line, *scans[k].map, path, scans[k].map->GetKind(), nullptr);
        }
    }
    return filed;
}

int ScanTextForKeyword(const char* keyword, KeywordParser parser, const char* text, size_t length,
                       CSymbolMap& map, const std::string& path, const std::atomic<bool>* stop)
{
    const KeywordScan scan{keyword, parser, &map};
    return ScanTextForKeywords(&scan, 1, text, length, path, stop);
}

int ScanKeywordHits(const char* keyword, KeywordParser parser, const char* text, size_t length, CSymbolMap& map,
                    COvantaDoc* document, const std::string& path, const std::atomic<bool>* stop)
{
    return ScanHits(keyword, parser, text, length, map, path, HitFiling{kImageKeywordHit, document, true, stop});
}
