#include "editor/symbols/c_functions.h"

#include <cstring>
#include <memory>
#include <vector>

#include "editor/symbols/code_walk.h"
#include "editor/symbols/text_cleanup.h"
#include "editor/syntax/lex_map.h"
#include "editor/syntax/lexical.h"
#include "editor/symbols/variable_scan.h"

namespace {

const size_t kDisplayMax = 8191;

bool IsSpaceByte(char c)
{
    return c == ' ' || c == '\t' || c == 1 || c == 2 || c == '\r' || c == '\n';
}

bool IsRejectedName(const std::string& n)
{
    static const char* const words[] = {"while", "if", "for", "switch", "return", "sizeof"};
    for (const char* w : words)
        if (n == w)
            return true;
    return n.empty() || (n[0] >= '0' && n[0] <= '9');
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n' || c == 2;
}

// Start of the line that holds pos, not below floor.
const char* LineStartOf(const char* pos, const char* floor)
{
    while (pos > floor && !IsLineEnd(pos[-1]))
        --pos;
    return pos;
}

// True when the line that ends before lineStart (its line end there) ends
// with a backslash: the line that starts here continues it.
bool ContinuesLineAbove(const char* lineStart, const char* floor)
{
    if (lineStart <= floor || !IsLineEnd(lineStart[-1]))
        return false;
    const char* e = lineStart - 1;
    return e > floor && e[-1] == '\\';
}

// The directive word of a preprocessor line ("if", "ifdef", "else",
// "endif"...) that starts at lineStart, or empty when the line is none.
std::string DirectiveWord(const char* lineStart, const char* end)
{
    const char* p = lineStart;
    while (p < end && (*p == ' ' || *p == '\t' || *p == 1))
        ++p;
    if (p >= end || *p != '#')
        return std::string();
    ++p;
    while (p < end && (*p == ' ' || *p == '\t' || *p == 1))
        ++p;
    const char* w = p;
    while (p < end && IsIdentChar(*p))
        ++p;
    std::string word(w, p);
    return word.empty() ? std::string("#") : word;
}

// The line end of a directive's last line, from a position on it: the lines
// it continues onto with backslashes included. Not beyond limit.
const char* PastDirective(const char* s, const char* limit)
{
    for (;;) {
        while (s < limit && !IsLineEnd(*s))
            ++s;
        if (s < limit && s[-1] == '\\')
            ++s;
        else
            return s;
    }
}

class FunctionWalk {
public:
    FunctionWalk(const char* text, size_t length, CSymbolMap& functions, const std::string& path,
                 COvantaDoc* document, CSymbolMap* variables, bool editorStyle, const CLexMap* lex)
        : m_text(text), m_end(text + length), m_length(length), m_functions(functions), m_path(path),
          m_document(document), m_vars(variables), m_editor(editorStyle), m_lex(lex), m_lines(text, length),
          m_floor(text), m_classSearch(text)
    {
    }

    int Run();
    bool Stopped() const { return m_stopped; }

private:
    int Line(const char* p) { return m_lines.LineOf(static_cast<size_t>(p - m_text)); }
    void ClassAt(const char* brace);
    const char* LastClassKeyword(const char* brace, std::string& name);
    const char* TryFunction(const char* brace, int depth);
    const char* NameStart(const char* open, const char*& nameEnd);
    const char* DirectiveStart(const char* lineStart, std::string& word);
    const char* BodyEnd(const char* brace);
    const char* FirstBranchEnd(const char* endif);

    const char* m_text;
    const char* m_end;
    size_t m_length;
    CSymbolMap& m_functions;
    const std::string& m_path;
    COvantaDoc* m_document;
    CSymbolMap* m_vars;
    bool m_editor;
    const CLexMap* m_lex;
    CTextLineCounter m_lines;
    const char* m_floor;
    const char* m_classSearch;
    const char* m_handledClass = nullptr;
    // The keywords "class" in code found so far: the scan has looked at the
    // text up to m_classScan, the last one found stands at m_lastClass.
    const char* m_classScan = nullptr;
    const char* m_lastClass = nullptr;
    std::string m_class;
    const CSymbolInfo* m_classRecord = nullptr;
    bool m_stopped = false;
    int m_count = 0;
};

int FunctionWalk::Run()
{
    // Kinds of the open blocks: 'n' namespace or extern "C" (looked through),
    // 'b' any other block.
    std::vector<char> stack;
    int depth = 0;
    // The open conditionals: the blocks open at their "#if", and whether
    // the walk passes over their alternatives. When the first branch leaves
    // other blocks open than there were at its "#if" (an initializer whose
    // header has a form per alternative), the braces of the alternatives
    // count for nothing, as in a body (BodyEnd); alternatives that are
    // balanced are read like any text, their definitions with them.
    struct Conditional {
        size_t blocks;
        bool passing;
    };
    std::vector<Conditional> conditionals;
    int passing = 0;
    const char* p = m_text;
    while (p < m_end && !m_stopped) {
        const char* q = SkipNonCode(p, m_end);
        if (q != p) {
            p = q;
            continue;
        }
        if (*p == '#') {
            const char* ls = LineStartOf(p, m_text);
            const char* first = ls;
            while (first < p && (*first == ' ' || *first == '\t' || *first == 1))
                ++first;
            if (first != p || ContinuesLineAbove(ls, m_text)) {
                ++p;
                continue;
            }
            const std::string word = DirectiveWord(ls, m_end);
            if (word == "if" || word == "ifdef" || word == "ifndef") {
                conditionals.push_back({stack.size(), false});
            } else if (word == "else" || word == "elif") {
                if (!conditionals.empty() && !conditionals.back().passing &&
                    conditionals.back().blocks != stack.size()) {
                    conditionals.back().passing = true;
                    ++passing;
                }
            } else if (word == "endif" && !conditionals.empty()) {
                passing -= conditionals.back().passing ? 1 : 0;
                conditionals.pop_back();
            }
            // The directive with the lines it continues onto (a soft break
            // ends no line): a brace in a macro's value opens no block of the
            // file.
            while (p < m_end && *p != '\r' && *p != '\n') {
                q = SkipNonCode(p, m_end);
                if (q != p) {
                    p = q;
                } else if (*p == '\\' && p + 1 < m_end && (p[1] == '\r' || p[1] == '\n')) {
                    p += p[1] == '\r' && p + 2 < m_end && p[2] == '\n' ? 3 : 2;
                } else {
                    ++p;
                }
            }
            continue;
        }
        if (passing && (*p == '{' || *p == '}')) {
            ++p;
            continue;
        }
        if (*p == '}') {
            if (!stack.empty()) {
                if (stack.back() == 'b')
                    --depth;
                stack.pop_back();
            }
            ++p;
            continue;
        }
        if (*p != '{') {
            ++p;
            continue;
        }
        if (OpensNamespaceBlock(p, m_floor)) {
            stack.push_back('n');
            ++p;
            continue;
        }
        stack.push_back('b');
        ++depth;
        if (depth >= 3) {
            ++p;
            continue;
        }
        if (depth == 2)
            ClassAt(p);
        const char* close = TryFunction(p, depth);
        if (close) {
            stack.pop_back();
            --depth;
            p = close + 1;
            m_floor = p;
            continue;
        }
        ++p;
    }
    return m_count;
}

// A brace directly inside a block: the last "class" keyword before it names
// the class whose members are defined here.
void FunctionWalk::ClassAt(const char* brace)
{
    std::string name;
    const char* kw = m_lex ? LastClassKeyword(brace, name) : FindLastClassName(brace, name, m_classSearch);
    m_class = kw ? name : std::string();
    if (!kw || kw == m_handledClass)
        return;
    m_handledClass = kw;
    m_classSearch = kw;
    if (!m_vars || name.empty())
        return;
    auto rec = std::make_unique<CSymbolInfo>();
    rec->firstLine = Line(kw);
    rec->file = m_path;
    rec->document = m_document;
    rec->name = "class: " + name;
    const char* open = FindCodeChar(kw, m_end, "{;");
    const char* close = open && *open == '{' ? FindClosingBracket(m_lex, open, true, open, m_end) : nullptr;
    if (close)
        rec->lastLine = Line(close);
    CSymbolInfo* filed = m_vars->AddSymbol(name + ":", std::move(rec));
    m_classRecord = filed ? filed : m_classRecord;
    if (!filed || !close)
        return;
    // Members: the stretches of the body between its nested blocks.
    ScanText src{m_text, m_length, m_path, &m_lines, m_lex};
    const char* from = open + 1;
    while (from < close) {
        const char* nested = FindCodeChar(from, close, "{");
        const char* stop = nested ? nested : close;
        ScanVariableDeclarations(src, static_cast<size_t>(from - m_text), static_cast<size_t>(stop - m_text),
                                 *m_vars, filed);
        if (!nested)
            break;
        const char* shut = FindClosingBracket(m_lex, nested, true, nested, close);
        if (!shut)
            break;
        from = shut + 1;
    }
}

// FindLastClassName(brace, name, m_classSearch) with the lexical map: the
// braces come in text order, so one scan on from the last brace finds the
// last keyword before each, and that keyword lies in the searched range
// unless it stands below the search start.
const char* FunctionWalk::LastClassKeyword(const char* brace, std::string& name)
{
    name.clear();
    const char* p = m_classScan ? m_classScan : m_text;
    for (; brace - p >= 5; ++p) {
        if (*p != 'c' || std::memcmp(p, "class", 5) != 0 || !m_lex->IsCode(p))
            continue;
        if ((p > m_text && IsIdentChar(p[-1])) || IsIdentChar(p[5]))
            continue;
        m_lastClass = p;
    }
    m_classScan = p;
    if (!m_lastClass || m_lastClass < m_classSearch)
        return nullptr;
    name = ClassNameAfter(m_lastClass);
    return m_lastClass;
}

// When the line at lineStart belongs to a preprocessor directive (its
// first line or a line continued from it with a backslash), the start of the
// directive's first line, with its word; else none.
const char* FunctionWalk::DirectiveStart(const char* lineStart, std::string& word)
{
    const char* first = lineStart;
    while (ContinuesLineAbove(first, m_floor))
        first = LineStartOf(first - 1, m_floor);
    word = DirectiveWord(first, m_end);
    if (word.empty())
        return nullptr;
    const char* hash = static_cast<const char*>(std::memchr(first, '#', static_cast<size_t>(m_end - first)));
    if (!hash || IsInsideComment(m_lex, hash, m_floor) || IsInsideString(m_lex, hash, m_floor))
        return nullptr;
    return first;
}

// For the "#endif" whose line starts at endif: when its conditional has
// alternatives ("#else", "#elif"), the start of the first alternative's
// directive line, where the first branch ends; none when it has none or its
// "#if" lies below the floor. Only the first branch is read before a body,
// so that headers in alternatives give the first one's function.
const char* FunctionWalk::FirstBranchEnd(const char* endif)
{
    int depth = 0;
    const char* alternative = nullptr;
    const char* line = endif;
    while (line > m_floor) {
        line = LineStartOf(line - 1, m_floor);
        std::string word;
        const char* start = DirectiveStart(line, word);
        if (!start)
            continue;
        line = start;
        if (word == "endif") {
            ++depth;
        } else if (word == "if" || word == "ifdef" || word == "ifndef") {
            if (depth == 0)
                return alternative;
            --depth;
        } else if (depth == 0 && (word == "else" || word == "elif")) {
            alternative = start;
        }
    }
    return nullptr;
}

// The "}" that closes the body opened at brace, comments and literals
// skipped. Of a conditional with alternatives only the first branch counts,
// so that a body whose branches each open a block ("#ifdef A" "if (a) {"
// "#else" "if (b) {" "#endif") still finds its end; an alternative of a
// conditional opened before the body is passed over up to its "#endif".
const char* FunctionWalk::BodyEnd(const char* brace)
{
    std::vector<bool> skipping; // per open conditional: in an alternative
    int skipped = 0;            // how many of them are
    int depth = 1;
    LexState state;
    LexStep(state, brace, m_end);
    for (const char* p = brace + 1; p < m_end; ++p) {
        const char c = *p;
        if (m_lex) {
            if ((c != '{' && c != '}' && c != '#') || !m_lex->IsCode(p))
                continue;
        } else if (LexStep(state, p, m_end) != kLexCode) {
            continue;
        }
        if (c == '#') {
            const char* ls = LineStartOf(p, brace);
            const char* first = ls;
            while (first < p && (*first == ' ' || *first == '\t' || *first == 1))
                ++first;
            if (first == p && ls > brace && !ContinuesLineAbove(ls, brace)) {
                const std::string word = DirectiveWord(ls, m_end);
                if (word == "if" || word == "ifdef" || word == "ifndef") {
                    skipping.push_back(false);
                } else if (word == "else" || word == "elif") {
                    if (skipping.empty()) {
                        skipping.push_back(true);
                        ++skipped;
                    } else if (!skipping.back()) {
                        skipping.back() = true;
                        ++skipped;
                    }
                } else if (word == "endif" && !skipping.empty()) {
                    skipped -= skipping.back() ? 1 : 0;
                    skipping.pop_back();
                }
            }
            continue;
        }
        if (skipped || (c != '{' && c != '}'))
            continue;
        if (c == '{')
            ++depth;
        else if (--depth == 0)
            return p;
    }
    return nullptr;
}

// Start of the name that ends before the "(" at open; nameEnd gets its end.
const char* FunctionWalk::NameStart(const char* open, const char*& nameEnd)
{
    const char* ne = open;
    while (ne > m_floor && IsSpaceByte(ne[-1]))
        --ne;
    const char* nb = ne;
    while (nb > m_floor) {
        if (IsIdentChar(nb[-1]) || nb[-1] == '~')
            --nb;
        else if (nb[-1] == ':' && nb - 1 > m_floor && nb[-2] == ':')
            nb -= 2;
        else
            break;
    }
    nameEnd = ne;
    return nb;
}

const char* FunctionWalk::TryFunction(const char* brace, int depth)
{
    // A parameter list must end before the brace: the first of ")", ";",
    // "]", "=" and block braces outside comments decides.
    // Preprocessor lines (with the lines they continue onto) are passed
    // over, and of a conditional with alternatives only the first branch is
    // read.
    const char* rparen = nullptr;
    const char* directives = nullptr; // the lowest directive passed over
    for (const char* p = brace; p > m_floor;) {
        --p;
        char c = *p;
        if (IsLineEnd(c)) {
            std::string word;
            const char* start = DirectiveStart(LineStartOf(p, m_floor), word);
            if (start) {
                const char* first = word == "endif" ? FirstBranchEnd(start) : nullptr;
                p = first ? first : start;
                directives = p;
            }
            continue;
        }
        if (c != ')' && c != ';' && c != ']' && c != '=' && c != '{' && c != '}')
            continue;
        if (IsInsideComment(m_lex, p, m_floor) || IsInsideString(m_lex, p, m_floor))
            continue;
        if (c == ')')
            rparen = p;
        break;
    }
    if (!rparen)
        return nullptr;
    // A ")" whose "(" lies below the floor (inside the last definition, as
    // after a brace of an initializer list) makes no header; the scan goes on
    // with the next brace rather than ending the whole text.
    const char* open = FindOpeningBracket(m_lex, rparen, false, m_floor);
    if (!open)
        return nullptr;
    if (IsInsideComment(m_lex, open, m_floor))
        return nullptr;
    const char* nb;
    const char* ne;
    for (int round = 0;; ++round) {
        nb = NameStart(open, ne);
        // A name on a preprocessor line belongs to a macro body.
        const char* ls = nb;
        while (ls > m_floor && ls[-1] != '\r' && ls[-1] != '\n' && ls[-1] != 2)
            --ls;
        if (std::memchr(ls, '#', static_cast<size_t>(nb - ls)))
            return nullptr;
        std::string word;
        if (DirectiveStart(ls, word))
            return nullptr; // a line continued from a directive
        // What stands before the name: a single ":" there starts a
        // constructor's initializer list, whose ")" closes the parameters.
        const char* b = nb;
        while (b > m_floor) {
            char c = b[-1];
            if (IsLineEnd(c) && b - 1 > m_floor && DirectiveStart(LineStartOf(b - 1, m_floor), word))
                break; // a directive above ends what stands before the name
            if (c == '/' && b - 1 > m_floor && b[-2] == '*') {
                int open = FindLastCommentOpen(static_cast<int>(b - 2 - m_text),
                                               static_cast<int>(m_floor - m_text), m_text);
                if (open < 0)
                    break;
                b = m_text + open;
                continue;
            }
            if (c == ':' && b - 1 > m_floor && b[-2] == ':') {
                b -= 2;
                continue;
            }
            if (std::strchr("}{:;|#*/", c))
                break;
            if (c >= '0' && c <= '9') {
                const char* d = b - 1;
                while (d > m_floor && d[-1] >= '0' && d[-1] <= '9')
                    --d;
                if (d > m_floor && static_cast<unsigned char>(d[-1]) < '!')
                    break;
            }
            --b;
        }
        if (round > 8 || b <= m_floor || b[-1] != ':')
            break;
        const char* r = b - 1;
        while (r > m_floor && IsSpaceByte(r[-1]))
            --r;
        if (r <= m_floor || r[-1] != ')')
            break;
        const char* o = FindOpeningBracket(m_lex, r - 1, true, m_floor);
        if (!o)
            break;
        open = o;
    }
    std::string name(nb, ne);
    if (IsRejectedName(name) || !IsIdentChar(name.back()))
        return nullptr;

    // The header's start.
    const char* head = nb;
    if (depth == 1) {
        const char* s = nb;
        while (s > m_floor) {
            char c = s[-1];
            if (c == ':' && s - 1 > m_floor && s[-2] == ':') {
                s -= 2;
                continue;
            }
            if (std::strchr(";{}/\":#", c))
                break;
            --s;
        }
        if (s > m_floor && IsInsideComment(m_lex, s - 1, m_floor))
            while (s < nb && *s != '\r' && *s != '\n')
                ++s;
        else if (s > m_floor && s[-1] == '#')
            --s; // the directive's line is skipped below
        std::string word;
        if (*s != '#' && DirectiveStart(LineStartOf(s, m_floor), word))
            s = PastDirective(s, nb); // the walk stopped inside a directive
        while (s < nb) {
            char c = *s;
            if (c == '#') {
                s = PastDirective(s, nb);
                continue;
            }
            if (IsSpaceByte(c) || c == ';' || c == '/' || c == '"' || c == ':' || c == '}') {
                ++s;
                continue;
            }
            break;
        }
        head = s;
    }

    const char* close = BodyEnd(brace);
    if (!close) {
        m_stopped = true;
        return nullptr;
    }

    auto rec = std::make_unique<CSymbolInfo>();
    rec->firstLine = Line(nb);
    rec->lastLine = Line(close);
    rec->document = m_document;
    rec->file = m_path;
    std::string key;
    std::string display;
    if (m_editor) {
        key = depth == 2 && !m_class.empty() ? m_class + "::" + name : name;
        size_t sep = key.rfind("::");
        if (sep != std::string::npos) {
            rec->className = key.substr(0, sep);
            rec->owner = m_classRecord;
            key = key.substr(sep + 2);
        }
        rec->kind = kImageCFunction;
        display.assign(head, rparen + 1);
        if (display.size() > kDisplayMax)
            display.resize(kDisplayMax);
    } else {
        std::string full = m_class.empty() ? name : m_class + "::" + name;
        size_t sep = full.find("::");
        key = sep == std::string::npos ? full : full.substr(sep + 2);
        rec->kind = m_functions.GetKind();
        // Directives between the parameter list and the body (the other
        // alternatives of the header among them) are no part of the header.
        const char* stop = directives && directives > rparen ? directives : brace > head ? brace - 1 : head;
        display.assign(head, stop > rparen ? stop : rparen + 1);
    }
    BlankControlChars(display);
    while (!display.empty() && display.back() == ' ')
        display.pop_back();
    rec->text = key;
    rec->name = display;
    CSymbolInfo* filed = m_functions.AddSymbol(key, std::move(rec));
    if (filed) {
        ++m_count;
        if (m_vars) {
            ScanText src{m_text, m_length, m_path, &m_lines, m_lex};
            ScanLocalVariables(src, static_cast<size_t>(nb - m_text), static_cast<size_t>(close - m_text), filed,
                               *m_vars);
        }
    }
    return close;
}

} // namespace

int ParseCFunctions(const char* text, size_t length, CSymbolMap& functions, COvantaDoc* document,
                    const std::string& path, CSymbolMap* classMap, const CLexMap* lex)
{
    FunctionWalk walk(text, length, functions, path, document, classMap, true, lex);
    int n = walk.Run();
    return walk.Stopped() ? 0 : n;
}

int ParseFunctionDefinitions(const char* text, size_t length, CSymbolMap& functions, const std::string& path,
                             COvantaDoc* document, CSymbolMap* variables, const CLexMap* lex)
{
    FunctionWalk walk(text, length, functions, path, document, variables, false, lex);
    return walk.Run();
}

bool FindNextBlock(const char* text, size_t length, size_t& pos, size_t& blockEnd)
{
    if (pos >= length)
        return false;
    const char* brace = static_cast<const char*>(std::memchr(text + pos, '{', length - pos));
    if (!brace)
        return false;
    const char* close = FindClosingBracket(brace, false, text, text + length);
    pos = static_cast<size_t>(brace - text);
    if (!close)
        return false;
    blockEnd = static_cast<size_t>(close - text);
    return true;
}

void CollectCalls(const char* text, size_t from, size_t to, bool markRepeats, std::vector<std::string>& names)
{
    static const char* const control[] = {"while", "if", "for", "switch", "return"};
    for (size_t i = from; i < to; ++i) {
        if (text[i] != '(')
            continue;
        size_t e = i;
        while (e > from && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == 1))
            --e;
        if (e == from || !IsIdentChar(text[e - 1]))
            continue;
        size_t b = e;
        while (b > from && IsIdentChar(text[b - 1]))
            --b;
        std::string name(text + b, text + e);
        bool skip = false;
        for (const char* w : control) {
            if (name.size() == std::strlen(w)) {
                bool same = true;
                for (size_t k = 0; k < name.size(); ++k)
                    if ((name[k] | 0x20) != w[k])
                        same = false;
                skip = skip || same;
            }
        }
        if (skip || IsInsideComment(text + b, text))
            continue;
        bool known = false;
        for (const std::string& n : names)
            if (n == name)
                known = true;
        if (!known)
            names.push_back(name);
        else if (markRepeats)
            names.push_back("+" + name);
    }
}
