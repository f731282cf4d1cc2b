#include "editor/symbols/variable_scan.h"

#include <cstring>
#include <memory>
#include <vector>

#include "editor/symbols/code_walk.h"
#include "editor/symbols/text_cleanup.h"
#include "editor/syntax/lex_map.h"
#include "editor/syntax/lexical.h"

const char* const kStatusLocalVariables = "Search for local variables...";
const char* const kStatusGlobalVariables = "Search for global/static variables...";
const char* const kStatusVariables = "Search for variables...";
const char* const kStatusFunctionDeclarations = "Search for function declarations...";

namespace {

bool IsSpaceByte(char c)
{
    return c == ' ' || c == '\t' || c == 1 || c == 2 || c == '\r' || c == '\n';
}

std::string Trim(std::string s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsSpaceByte(s[b]))
        ++b;
    while (e > b && IsSpaceByte(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Words that start statements which declare nothing.
bool IsStatementWord(const std::string& w)
{
    static const char* const words[] = {"return", "goto", "else", "if", "endif", "ifdef", "delete",
                                        "throw", "case", "break", "continue", "typedef", "using",
                                        "namespace", "sizeof", "new", "do", "while", "for", "switch"};
    for (const char* k : words)
        if (w == k)
            return true;
    return false;
}

// Splits at the separator outside brackets and literals.
std::vector<std::string> SplitTop(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t cut : TopLevelSeparators(s, sep)) {
        parts.push_back(s.substr(from, cut - from));
        from = cut + 1;
    }
    parts.push_back(s.substr(from));
    return parts;
}

struct Declarator {
    std::string name;
    std::string stars;
    size_t offset; // of the name within the statement
};

// The name of one declarator text ("*p", "buf[8]", "n = 3"), or empty.
Declarator ParseDeclarator(const std::string& d, size_t base)
{
    Declarator out{"", "", 0};
    size_t eq = std::string::npos;
    int depth = 0;
    for (size_t i = 0; i < d.size(); ++i) {
        char c = d[i];
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (c == '=' && depth == 0) {
            eq = i;
            break;
        }
    }
    std::string head = d.substr(0, eq);
    size_t bracket = head.find('[');
    if (bracket != std::string::npos)
        head.resize(bracket);
    size_t e = head.size();
    while (e > 0 && IsSpaceByte(head[e - 1]))
        --e;
    size_t b = e;
    while (b > 0 && IsIdentChar(head[b - 1]))
        --b;
    out.name = head.substr(b, e - b);
    out.offset = base + b;
    for (size_t i = 0; i < b; ++i)
        if (head[i] == '*' || head[i] == '&')
            out.stars += head[i];
        else if (!IsSpaceByte(head[i]))
            return Declarator{"", "", 0}; // more than stars before a later name
    return out;
}

// Files the declarators of one statement [s, e) of the source. The first
// declarator's words before its name are the type.
int FileStatement(const ScanText& src, CTextLineCounter& lines, int lineBase, size_t s, size_t e, CSymbolMap& map,
                  const CSymbolInfo* owner)
{
    std::string stmt(src.text + s, src.text + e);
    std::vector<std::string> parts = SplitTop(stmt, ',');
    // First declarator: type words, then the name.
    const std::string& first = parts[0];
    size_t eq = first.find('=');
    std::string head = first.substr(0, eq);
    size_t bracket = head.find('[');
    if (bracket != std::string::npos)
        head.resize(bracket);
    size_t ne = head.size();
    while (ne > 0 && IsSpaceByte(head[ne - 1]))
        --ne;
    size_t nb = ne;
    while (nb > 0 && IsIdentChar(head[nb - 1]))
        --nb;
    std::string name = head.substr(nb, ne - nb);
    std::string type = head.substr(0, nb);
    NormalizeBlanks(type);
    for (char& c : type)
        if (c == '\r')
            c = ' ';
    type = Trim(type);
    // The type must hold a word: "x = 3" and "*p = q" declare nothing.
    std::string typeWord;
    for (char c : type) {
        if (!IsIdentChar(c))
            break;
        typeWord += c;
    }
    if (name.empty() || (name[0] >= '0' && name[0] <= '9') || typeWord.empty() ||
        (typeWord[0] >= '0' && typeWord[0] <= '9') || IsStatementWord(typeWord) || IsStatementWord(name) ||
        type.find("typedef") != std::string::npos)
        return 0;
    // A "*" that ends the type belongs to it: "char *p" has the type "char*".
    std::string base = type;
    std::string stars;
    while (!base.empty() && (base.back() == '*' || base.back() == '&' || base.back() == ' ')) {
        if (base.back() != ' ')
            stars.insert(stars.begin(), base.back());
        base.pop_back();
    }
    int filed = AddVariableSymbol(base + stars, name, lineBase + lines.LineOf(s + nb), map, owner, src.path);
    size_t offset = first.size() + 1;
    for (size_t i = 1; i < parts.size(); ++i) {
        Declarator d = ParseDeclarator(parts[i], offset);
        offset += parts[i].size() + 1;
        if (d.name.empty() || (d.name[0] >= '0' && d.name[0] <= '9'))
            continue;
        filed += AddVariableSymbol(base + d.stars, d.name, lineBase + lines.LineOf(s + d.offset), map, owner, src.path);
    }
    return filed;
}

bool IsDeclChar(char c)
{
    return IsIdentChar(c) || c == ' ' || c == '\t' || c == 1 || c == '=' || c == '*' || c == ',' || c == '[' ||
        c == ']' || c == '-' || c == '+' || c == '&';
}

// Start of the statement that ends at the ";" at offset semi: walks back over
// declaration characters and whole string literals to the previous ";", "{"
// or "}" (or the bound). Returns npos when another character comes first.
size_t StatementStart(const ScanText& src, size_t from, size_t semi, bool lineStartEnds)
{
    size_t p = semi;
    while (p > from) {
        char c = src.text[p - 1];
        if (c == ';' || c == '{' || c == '}')
            return p;
        if (c == '\r' || c == '\n' || c == 2) {
            if (lineStartEnds)
                return p;
            --p;
            continue;
        }
        if (c == '"') {
            // A string literal as a whole: back to its opening quote.
            size_t q = p - 1;
            while (q > from && !(src.text[q - 1] == '"' && (q < 2 || src.text[q - 2] != '\\')))
                --q;
            if (q == from)
                return std::string::npos;
            p = q - 1;
            continue;
        }
        if (c == ':' && p >= 2 && src.text[p - 2] != ':' && (p + 0 >= semi || src.text[p] != ':'))
            return p; // an access label such as "public:" ends nothing but starts the statement
        if (!IsDeclChar(c) && c != ':')
            return std::string::npos;
        --p;
    }
    return p;
}

} // namespace

int AddVariableSymbol(const std::string& declaration, const std::string& name, int line, CSymbolMap& map,
                      const CSymbolInfo* owner, const std::string& path)
{
    auto r = std::make_unique<CSymbolInfo>();
    r->text = name;
    r->firstLine = line;
    r->kind = kKindVariable;
    r->name = declaration;
    r->file = path;
    r->owner = owner;
    return map.AddSymbol(name, std::move(r)) ? 1 : 0;
}

int ScanVariableDeclarations(const ScanText& src, size_t from, size_t to, CSymbolMap& map,
                             const CSymbolInfo* owner)
{
    if (to > src.length)
        to = src.length;
    if (from >= to)
        return 0;
    CTextLineCounter own(src.text, src.length);
    CTextLineCounter& lines = src.lines ? *src.lines : own;
    int filed = 0;
    // The head of an initialised aggregate: "static int table[] =" before "{".
    size_t e = to;
    while (e > from && IsSpaceByte(src.text[e - 1]))
        --e;
    if (e > from && src.text[e - 1] == '=' && !(e >= from + 2 && std::strchr("=!<>", src.text[e - 2]))) {
        size_t s = StatementStart(src, from, e - 1, false);
        if (s != std::string::npos)
            filed += FileStatement(src, lines, 0, s, e - 1, map, owner);
    }
    const char* end = src.text + to;
    for (const char* p = src.text + from; p < end;) {
        const char* semi = FindCodeChar(p, end, ";");
        if (!semi)
            break;
        size_t at = static_cast<size_t>(semi - src.text);
        size_t s = StatementStart(src, from, at, true);
        if (s != std::string::npos && s < at)
            filed += FileStatement(src, lines, 0, s, at, map, owner);
        p = semi + 1;
    }
    return filed;
}

int ScanGlobalVariables(const ScanText& src, size_t from, size_t to, CSymbolMap& map)
{
    if (to > src.length)
        to = src.length;
    const char* end = src.text + to;
    int filed = 0;
    CTextLineCounter own(src.text, src.length);
    ScanText counted{src.text, src.length, src.path, src.lines ? src.lines : &own, src.lex};
    size_t start = from;
    while (start < to) {
        const char* brace = FindCodeChar(src.text + start, end, "{");
        size_t stop = brace ? static_cast<size_t>(brace - src.text) : to;
        filed += ScanVariableDeclarations(counted, start, stop, map, nullptr);
        if (!brace)
            break;
        const char* close = FindClosingBracket(src.lex, brace, true, brace, end);
        if (!close)
            break;
        start = static_cast<size_t>(close - src.text) + 1;
    }
    return filed;
}

int ScanLocalVariables(const ScanText& src, size_t nameStart, size_t close, const CSymbolInfo* function,
                       CSymbolMap& map)
{
    if (close >= src.length || nameStart >= close)
        return 0;
    std::string copy;
    if (src.lex) {
        // The line comments as the map classifies them, which is how the
        // strip would find them lexing the copy from the name on.
        copy.reserve(close + 1 - nameStart);
        const char* last = src.text + close;
        for (const char* p = src.text + nameStart; p <= last;) {
            const char* q = p;
            while (q <= last && src.lex->At(q) != kLexLineComment)
                ++q;
            copy.append(p, q);
            while (q <= last && src.lex->At(q) == kLexLineComment)
                ++q;
            p = q;
        }
    } else {
        copy.assign(src.text + nameStart, src.text + close + 1);
        StripLineComments(copy);
    }
    NormalizeBlanks(copy);
    const int firstLine =
        src.lines ? src.lines->LineOf(nameStart) : LineFromTextOffset(src.text, src.length, nameStart);
    CTextLineCounter lines(copy.c_str(), copy.size());
    ScanText local{copy.c_str(), copy.size(), src.path};
    int filed = 0;
    size_t open = copy.find('(');
    if (open == std::string::npos)
        return 0;
    size_t shut = copy.find(')', open);
    if (shut == std::string::npos)
        return 0;
    // Parameters.
    size_t item = open + 1;
    while (item <= shut) {
        size_t comma = copy.find(',', item);
        if (comma == std::string::npos || comma > shut)
            comma = shut;
        size_t e = comma;
        while (e > item && IsSpaceByte(copy[e - 1]))
            --e;
        size_t b = e;
        while (b > item && static_cast<unsigned char>(copy[b - 1]) > ' ' && copy[b - 1] != '(' &&
               copy[b - 1] != ',')
            --b;
        std::string name = copy.substr(b, e - b);
        std::string type = Trim(copy.substr(item, b - item));
        size_t stars = name.find_first_not_of("*&");
        if (stars != std::string::npos && stars > 0) {
            type += name.substr(0, stars);
            name = name.substr(stars);
        }
        size_t bracket = name.find('[');
        if (bracket != std::string::npos)
            name.resize(bracket);
        size_t defaultValue = type.find('=');
        if (!type.empty() && !name.empty() && IsIdentChar(name[0]) && defaultValue == std::string::npos)
            filed += AddVariableSymbol(type, name, firstLine + lines.LineOf(b), map, function, src.path);
        item = comma + 1;
    }
    // Locals: the statements of the body.
    size_t body = copy.find('{', shut);
    if (body == std::string::npos)
        return filed;
    const char* end = copy.c_str() + copy.size();
    for (const char* p = copy.c_str() + body; p < end;) {
        const char* semi = FindCodeChar(p, end, ";");
        if (!semi)
            break;
        size_t at = static_cast<size_t>(semi - copy.c_str());
        size_t s = StatementStart(local, body, at, true);
        if (s != std::string::npos && s < at)
            filed += FileStatement(local, lines, firstLine, s, at, map, function);
        p = semi + 1;
    }
    return filed;
}
