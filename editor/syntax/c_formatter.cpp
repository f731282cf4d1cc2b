#include "editor/syntax/c_formatter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "editor/syntax/lexer.h"

const char* const kAlignMoreOpening = "There exist more opening {-braces then closing";
const char* const kAlignMoreClosing = "There exist more closing {-braces then opening";
const char* const kAlignRefusedCaption = "Syntaxalign no possible";

namespace {

const size_t npos = std::string::npos;

// The text with the lexical class of every byte.
class Doc {
public:
    Doc(std::string& text, int tabWidth, CAlignProgress* progress)
        : t(text), m_unit(tabWidth > 0 ? tabWidth : 4), m_progress(progress)
    {
    }

    std::string& t;
    std::vector<LexClass> c;

    void Relex()
    {
        c.assign(t.size(), kLexCode);
        if (!t.empty())
            LexScan(t.data(), t.data() + t.size(), t.data() + t.size(), LexState(),
                    [&](const char* p, LexClass k) { c[static_cast<size_t>(p - t.data())] = k; });
    }
    bool Code(size_t i) const { return i < t.size() && c[i] == kLexCode; }
    bool Comment(size_t i) const { return i < t.size() && IsLexComment(c[i]); }
    bool Literal(size_t i) const { return i < t.size() && IsLexLiteral(c[i]); }
    int Unit() const { return m_unit; }

    void Status(const char* s)
    {
        if (m_progress)
            m_progress->Status(s);
    }
    void Range(size_t n)
    {
        if (m_progress)
            m_progress->Range(n);
    }
    void Position(size_t n)
    {
        if (m_progress)
            m_progress->Position(n);
    }

    size_t LineStart(size_t i) const
    {
        while (i > 0 && t[i - 1] != '\r')
            --i;
        return i;
    }
    size_t LineEnd(size_t i) const
    {
        size_t e = t.find('\r', i);
        return e == npos ? t.size() : e;
    }
    // Inserts n bytes ch at pos; the new bytes take the class of the byte
    // they stand before.
    void Insert(size_t pos, size_t n, char ch)
    {
        LexClass k = pos < c.size() ? c[pos] : kLexCode;
        t.insert(pos, n, ch);
        c.insert(c.begin() + static_cast<std::ptrdiff_t>(pos), n, k);
    }
    // Inserts single bytes at many positions at once (ascending order).
    void InsertMany(const std::vector<size_t>& at, char ch)
    {
        if (at.empty())
            return;
        std::string out;
        out.reserve(t.size() + at.size());
        size_t from = 0;
        for (size_t p : at) {
            out.append(t, from, p - from);
            out += ch;
            from = p;
        }
        out.append(t, from, npos);
        t.swap(out);
        Relex();
    }

    // "/*", "//" or a backslash follows, blanks and stray "/" skipped.
    bool CommentAhead(size_t i) const
    {
        while (i < t.size()) {
            char ch = t[i];
            if (ch == ' ') {
                ++i;
                continue;
            }
            if (ch == '\\')
                return true;
            if (ch == '/') {
                if (i + 1 < t.size() && (t[i + 1] == '/' || t[i + 1] == '*'))
                    return true;
                ++i;
                continue;
            }
            return false;
        }
        return false;
    }

    // Partners of the braces in code, both ways.
    std::vector<size_t> MatchBraces() const
    {
        std::vector<size_t> partner(t.size(), npos);
        std::vector<size_t> open;
        for (size_t i = 0; i < t.size(); ++i) {
            if (!Code(i))
                continue;
            if (t[i] == '{')
                open.push_back(i);
            else if (t[i] == '}' && !open.empty()) {
                partner[i] = open.back();
                partner[open.back()] = i;
                open.pop_back();
            }
        }
        return partner;
    }

    bool HasLineEndBetween(size_t a, size_t b) const
    {
        return std::memchr(t.data() + a, '\r', b - a) != nullptr;
    }

private:
    int m_unit;
    CAlignProgress* m_progress;
};

// Tabs with their fill become blanks, soft breaks go.
void ExpandTabs(Doc& d)
{
    std::string out;
    out.reserve(d.t.size());
    size_t col = 0;
    const std::string& t = d.t;
    for (size_t i = 0; i < t.size(); ++i) {
        char ch = t[i];
        if (ch == '\t') {
            size_t n = 1;
            while (i + 1 < t.size() && t[i + 1] == 1) {
                ++n;
                ++i;
            }
            if (n == 1)
                n = static_cast<size_t>(d.Unit()) - col % static_cast<size_t>(d.Unit());
            out.append(n, ' ');
            col += n;
            continue;
        }
        if (ch == 2)
            continue;
        if (ch == 1)
            ch = ' ';
        out += ch;
        col = ch == '\r' ? 0 : col + 1;
    }
    d.t.swap(out);
}

// Leading blanks of every line that starts in code, and trailing blanks of
// every line, go.
void StripLines(Doc& d)
{
    d.Relex();
    std::string out;
    out.reserve(d.t.size());
    size_t s = 0;
    const std::string& t = d.t;
    while (s <= t.size()) {
        size_t e = d.LineEnd(s);
        size_t b = s;
        while (b < e && t[b] == ' ' && !d.Comment(b))
            ++b;
        size_t x = e;
        while (x > b && t[x - 1] == ' ')
            --x;
        out.append(t, b, x - b);
        if (e < t.size())
            out += '\r';
        s = e + 1;
    }
    d.t.swap(out);
    d.Relex();
}

bool InsideParenthesesOnLine(const Doc& d, size_t i)
{
    int depth = 0;
    for (size_t k = d.LineStart(i); k < i; ++k)
        if (d.Code(k))
            depth += d.t[k] == '(' ? 1 : d.t[k] == ')' ? -1 : 0;
    if (depth > 0)
        return true;
    int after = 0;
    for (size_t k = i + 1, e = d.LineEnd(i); k < e; ++k)
        if (d.Code(k)) {
            after += d.t[k] == ')' ? 1 : d.t[k] == '(' ? -1 : 0;
            if (after > 0)
                return true;
        }
    return false;
}

// Only blanks stand between the line's start and i: a break before i
// would leave an empty line behind.
bool StartsLine(const Doc& d, size_t i)
{
    while (i > 0 && d.t[i - 1] == ' ')
        --i;
    return i == 0 || d.t[i - 1] == '\r';
}

void BreakAfterSemicolons(Doc& d)
{
    d.Status("Insert line breaks after colons...");
    d.Range(d.t.size());
    d.Relex();
    std::vector<size_t> at;
    for (size_t i = 0; i + 1 < d.t.size(); ++i) {
        if (d.t[i] != ';' || !d.Code(i))
            continue;
        d.Position(i);
        if (d.t[i + 1] == '\r' || d.CommentAhead(i + 1) || InsideParenthesesOnLine(d, i))
            continue;
        at.push_back(i + 1);
    }
    d.InsertMany(at, '\r');
}

void BreakAroundOpeningBraces(Doc& d)
{
    d.Status("Insert line breaks after { - braces...");
    d.Range(d.t.size());
    std::vector<size_t> partner = d.MatchBraces();
    std::vector<size_t> at;
    for (size_t i = 0; i < d.t.size(); ++i) {
        if (d.t[i] != '{' || !d.Code(i) || partner[i] == npos)
            continue;
        d.Position(i);
        size_t close = partner[i];
        if (!d.HasLineEndBetween(i, close)) {
            i = close; // a block on one line stays as it is
            continue;
        }
        if (!StartsLine(d, i))
            at.push_back(i);
        if (i + 1 < d.t.size() && d.t[i + 1] != '\r' && !d.CommentAhead(i + 1))
            at.push_back(i + 1);
    }
    d.InsertMany(at, '\r');
}

void BreakAroundClosingBraces(Doc& d)
{
    d.Status("Insert line breaks after } - braces...");
    d.Range(d.t.size());
    std::vector<size_t> partner = d.MatchBraces();
    std::vector<size_t> at;
    for (size_t i = 0; i < d.t.size(); ++i) {
        if (d.t[i] != '}' || !d.Code(i) || partner[i] == npos || !d.HasLineEndBetween(partner[i], i))
            continue;
        d.Position(i);
        if (!StartsLine(d, i))
            at.push_back(i);
        if (i + 1 >= d.t.size() || d.t[i + 1] == '\r' || d.CommentAhead(i + 1))
            continue;
        size_t k = i + 1;
        while (k < d.t.size() && d.t[k] == ' ')
            ++k;
        if (k < d.t.size() && d.t[k] == ';')
            continue;
        at.push_back(i + 1);
    }
    d.InsertMany(at, '\r');
}

struct Line {
    size_t start;
    size_t end;
};

std::vector<Line> Lines(const Doc& d)
{
    std::vector<Line> lines;
    size_t s = 0;
    for (;;) {
        size_t e = d.LineEnd(s);
        lines.push_back({s, e});
        if (e >= d.t.size())
            break;
        s = e + 1;
    }
    return lines;
}

// The first of the control words whose body may go without braces, as
// " word" in code, or npos.
bool HasControlWord(const std::string& line, const std::vector<LexClass>& cls)
{
    struct Word {
        const char* text;
        const char* follow; // bytes that may follow; "" for the line end too
        bool lineEnd;
    } words[] = {{" while", " (", false}, {" do", " ", true}, {" else", " ", true}, {" if", " (", false},
                 {" for", " (", false}};
    for (const Word& w : words) {
        size_t n = std::strlen(w.text);
        for (size_t at = line.find(w.text); at != npos; at = line.find(w.text, at + 1)) {
            if (cls[at + 1] != kLexCode)
                continue;
            size_t after = at + n;
            if (after >= line.size() ? w.lineEnd : std::strchr(w.follow, line[after]) != nullptr)
                return true;
        }
    }
    return false;
}

// The line without its trailing comment and the blanks, "/", "*" and
// backslashes before it: ends with ";" when the statement ends there.
bool EndsStatement(const std::string& line, const std::vector<LexClass>& cls)
{
    size_t e = line.size();
    while (e > 0 && (IsLexComment(cls[e - 1]) || line[e - 1] == ' ' || line[e - 1] == '\\' ||
                     line[e - 1] == '/' || line[e - 1] == '*'))
        --e;
    return e > 0 && line[e - 1] == ';';
}

void IndentBraceLevels(Doc& d)
{
    d.Status("Indent brace levels...");
    d.Relex();
    std::vector<size_t> partner = d.MatchBraces();
    std::vector<Line> lines = Lines(d);
    d.Range(lines.size());
    std::vector<int> extra(lines.size() + 1, 0);
    std::string out;
    out.reserve(d.t.size() * 2);
    int level = 0;
    const std::string unit(static_cast<size_t>(d.Unit()), ' ');
    for (size_t i = 0; i < lines.size(); ++i) {
        d.Position(i);
        const Line& l = lines[i];
        bool opens = l.start < l.end && d.t[l.start] == '{' && d.Code(l.start);
        bool closes = l.start < l.end && d.t[l.start] == '}' && d.Code(l.start);
        if (closes && level > 0)
            --level;
        int units = extra[i] + (level > 0 ? level : 0);
        if (opens && partner[l.start] != npos && d.HasLineEndBetween(l.start, partner[l.start]))
            ++level;
        std::string text(d.t, l.start, l.end - l.start);
        std::vector<LexClass> cls(d.c.begin() + static_cast<std::ptrdiff_t>(l.start),
                                  d.c.begin() + static_cast<std::ptrdiff_t>(l.end));
        std::string indented;
        for (int u = 0; u < units && !text.empty(); ++u)
            indented += unit;
        std::vector<LexClass> icls(indented.size(), cls.empty() ? kLexCode : cls[0]);
        indented += text;
        icls.insert(icls.end(), cls.begin(), cls.end());
        // A control statement whose body goes without braces: the body's
        // lines get one unit more.
        if (!text.empty() && HasControlWord(indented, icls)) {
            size_t cur = i;
            std::string curText = indented;
            std::vector<LexClass> curCls = icls;
            for (;;) {
                if (cur + 1 >= lines.size())
                    break;
                const Line& next = lines[cur + 1];
                if (next.start < next.end && d.t[next.start] == '{' && !d.Literal(next.start))
                    break;
                if (EndsStatement(curText, curCls))
                    break;
                ++extra[cur + 1];
                ++cur;
                if (!(next.end - next.start >= 2 && d.t[next.start] == '/' &&
                      (d.t[next.start + 1] == '/' || d.t[next.start + 1] == '*')))
                    break;
                curText.assign(d.t, next.start, next.end - next.start);
                curCls.assign(d.c.begin() + static_cast<std::ptrdiff_t>(next.start),
                              d.c.begin() + static_cast<std::ptrdiff_t>(next.end));
            }
        }
        out += indented;
        if (l.end < d.t.size())
            out += '\r';
    }
    d.t.swap(out);
    d.Relex();
}

// Adds units at the starts of the marked lines (empty lines stay empty).
void AddUnits(Doc& d, const std::vector<Line>& lines, const std::vector<int>& units)
{
    std::string out;
    out.reserve(d.t.size() * 2);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        if (units[i] > 0 && l.end > l.start)
            out.append(static_cast<size_t>(units[i] * d.Unit()), ' ');
        out.append(d.t, l.start, l.end - l.start);
        if (l.end < d.t.size())
            out += '\r';
    }
    d.t.swap(out);
    d.Relex();
}

size_t FindInCode(const Doc& d, const char* word, size_t from)
{
    for (size_t at = d.t.find(word, from); at != npos; at = d.t.find(word, at + 1))
        if (d.Code(at))
            return at;
    return npos;
}

size_t LineIndex(const std::vector<Line>& lines, size_t pos)
{
    size_t lo = 0, hi = lines.size();
    while (hi - lo > 1) {
        size_t mid = (lo + hi) / 2;
        if (lines[mid].start <= pos)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

void IndentPreprocessorBranches(Doc& d)
{
    d.Status("Indent preprocessor switches...");
    std::vector<Line> lines = Lines(d);
    d.Range(lines.size());
    std::vector<int> units(lines.size(), 0);
    size_t pos = 0;
    bool done = false;
    while (!done) {
        size_t cur = FindInCode(d, "#if", pos);
        if (cur == npos)
            break;
        for (;;) {
            size_t els = FindInCode(d, "#els", cur + 1);
            size_t endif = FindInCode(d, "#endif", cur + 1);
            if (els == npos && endif == npos) {
                done = true;
                break;
            }
            size_t next = std::min(els, endif);
            size_t a = LineIndex(lines, cur), b = LineIndex(lines, next);
            for (size_t k = a + 1; k < b; ++k)
                ++units[k];
            d.Position(b);
            if (next == endif) {
                pos = endif + 6;
                break;
            }
            cur = next;
        }
    }
    AddUnits(d, lines, units);
}

size_t MatchParen(const Doc& d, size_t open)
{
    int depth = 0;
    for (size_t i = open; i < d.t.size(); ++i) {
        if (!d.Code(i))
            continue;
        if (d.t[i] == '(')
            ++depth;
        else if (d.t[i] == ')' && --depth == 0)
            return i;
    }
    return npos;
}

void AlignArguments(Doc& d)
{
    d.Status("Align function arguments...");
    d.Range(d.t.size());
    size_t i = 0;
    while (i < d.t.size()) {
        size_t open = npos;
        for (size_t k = i; k < d.t.size(); ++k)
            if (d.t[k] == '(' && d.Code(k)) {
                open = k;
                break;
            }
        if (open == npos)
            break;
        d.Position(open);
        size_t close = MatchParen(d, open);
        if (close == npos)
            break;
        size_t openEnd = d.LineEnd(open);
        if (close < openEnd) {
            i = open + 1;
            continue;
        }
        size_t first = open + 1;
        while (first < openEnd && d.t[first] == ' ')
            ++first;
        bool onlyBlanks = first >= openEnd;
        size_t closeLineStart = d.LineStart(close);
        bool closeStartsLine = true;
        for (size_t k = closeLineStart; k < close; ++k)
            if (d.t[k] != ' ')
                closeStartsLine = false;
        size_t target = onlyBlanks ? static_cast<size_t>(d.Unit()) : first - d.LineStart(open);
        // The lines after the "(" up to the ")" line.
        size_t s = openEnd + 1;
        while (s <= close) {
            bool last = d.LineEnd(s) >= close;
            if (last && onlyBlanks && closeStartsLine)
                break;
            size_t lead = 0;
            while (s + lead < d.t.size() && d.t[s + lead] == ' ')
                ++lead;
            size_t e = d.LineEnd(s);
            if (lead < target && s + lead < e) {
                d.Insert(s, target - lead, ' ');
                close += target - lead;
            }
            e = d.LineEnd(s);
            if (last || e >= d.t.size())
                break;
            s = e + 1;
        }
        size_t closeEnd = d.LineEnd(close);
        i = closeEnd < d.t.size() ? closeEnd + 1 : d.t.size();
    }
}

int IndentLevel(const Doc& d, size_t pos)
{
    if (pos >= d.t.size() || d.t[pos] != ' ')
        return -1;
    size_t n = 0;
    while (n <= pos && d.t[pos - n] == ' ')
        ++n;
    return static_cast<int>(n) / d.Unit();
}

// The next " case " or " default" label before bound: the position after
// its leading blank.
size_t FindNextCase(const Doc& d, size_t from, size_t bound)
{
    size_t best = npos;
    for (size_t at = d.t.find(" case ", from); at != npos && at < bound; at = d.t.find(" case ", at + 1))
        if (d.Code(at + 1)) {
            best = at + 1;
            break;
        }
    for (size_t at = d.t.find(" default", from); at != npos && at < bound && at + 1 < best;
         at = d.t.find(" default", at + 1)) {
        size_t after = at + 8;
        if (!d.Comment(at + 1) && after < d.t.size() && (d.t[after] == ' ' || d.t[after] == ':')) {
            best = at + 1;
            break;
        }
    }
    return best;
}

bool IsSwitchAt(const Doc& d, size_t at)
{
    return at > 0 && d.t[at - 1] == ' ' && d.Code(at) && at + 6 < d.t.size() &&
        (d.t[at + 6] == ' ' || d.t[at + 6] == '(');
}

// Indents one switch block; returns the position after its "}", or npos.
size_t IndentSwitchBlock(Doc& d, size_t at, int depth)
{
    size_t brace = npos;
    for (size_t k = at + 6; k < d.t.size(); ++k)
        if (d.t[k] == '{' && d.Code(k)) {
            brace = k;
            break;
        }
    if (brace == npos)
        return npos;
    std::vector<size_t> partner = d.MatchBraces();
    size_t close = partner[brace] == npos ? d.t.size() : partner[brace];
    size_t cur = brace + 1;
    for (;;) {
        size_t label = FindNextCase(d, cur, close);
        if (label == npos)
            break;
        int level = IndentLevel(d, label - 1);
        size_t end = npos;
        for (size_t b = d.t.find("break", label); b != npos && b < close; b = d.t.find("break", b + 1)) {
            if (d.Literal(b))
                continue;
            if (IndentLevel(d, b - 1) <= level) {
                end = b;
                break;
            }
        }
        if (end == npos)
            end = close;
        // The first body line: after the label's line, past empty lines and
        // comments; a label that shares the body hands it on.
        size_t body = npos;
        bool braced = false;
        for (size_t s = d.LineEnd(label) + 1; s < d.t.size() && s <= end;) {
            size_t e = d.LineEnd(s);
            size_t k = s;
            while (k < e && d.t[k] == ' ')
                ++k;
            if (k == e || d.Comment(k)) {
                s = e + 1;
                continue;
            }
            if (d.t.compare(k, 5, "case ") == 0) {
                label = k;
                s = e + 1;
                continue;
            }
            braced = d.t[k] == '{';
            body = s;
            break;
        }
        if (body != npos && !braced) {
            size_t endLineEnd = d.LineEnd(std::min(end, d.t.size()));
            size_t s = body;
            size_t added = 0;
            while (s <= endLineEnd + added && s < d.t.size()) {
                size_t e = d.LineEnd(s);
                if (e > s) {
                    d.Insert(s, static_cast<size_t>(d.Unit()), ' ');
                    added += static_cast<size_t>(d.Unit());
                    e += static_cast<size_t>(d.Unit());
                }
                s = e + 1;
            }
            end += added;
            close += added;
            // Nested switches inside the branch.
            if (depth < 64)
                for (size_t n = d.t.find("switch", body); n != npos && n < end; n = d.t.find("switch", n + 1)) {
                    if (!IsSwitchAt(d, n))
                        continue;
                    size_t before = d.t.size();
                    size_t after = IndentSwitchBlock(d, n, depth + 1);
                    size_t grown = d.t.size() - before;
                    end += grown;
                    close += grown;
                    if (after == npos)
                        break;
                    n = after;
                }
        }
        cur = end + 5;
        if (cur >= close)
            break;
    }
    return close < d.t.size() ? close + 1 : d.t.size();
}

void IndentSwitchBranches(Doc& d)
{
    d.Status("Indent switch/case-branches...");
    d.Range(d.t.size());
    for (size_t at = d.t.find("switch"); at != npos && at < d.t.size(); at = d.t.find("switch", at + 1)) {
        if (!IsSwitchAt(d, at))
            continue;
        d.Position(at);
        size_t after = IndentSwitchBlock(d, at, 0);
        if (after == npos)
            break;
        at = after - 1;
    }
}

} // namespace

align_result AlignCSyntax(std::string& text, int tabWidth, CAlignProgress* progress)
{
    Doc d(text, tabWidth, progress);
    d.Relex();
    int balance = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (d.Code(i))
            balance += text[i] == '{' ? 1 : text[i] == '}' ? -1 : 0;
    if (balance > 0)
        return ALIGN_MORE_OPENING;
    if (balance < 0)
        return ALIGN_MORE_CLOSING;

    d.Range(text.size());
    ExpandTabs(d);
    StripLines(d);
    BreakAfterSemicolons(d);
    BreakAroundOpeningBraces(d);
    BreakAroundClosingBraces(d);
    StripLines(d);
    IndentBraceLevels(d);
    IndentPreprocessorBranches(d);
    AlignArguments(d);
    IndentSwitchBranches(d);
    // Labels need no pass: the passes before leave no blanks before them.
    d.Status("Align labels..");
    d.Status("");
    return ALIGN_DONE;
}
