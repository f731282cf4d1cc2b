// Case keeping, number classes, preprocessor conditionals, file reading.
#include "editor/syntax/text_tools.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "editor/syntax/lexical.h"

static bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

int MatchLetterCase(std::string& text, const std::string& model)
{
    const size_t n = std::min(text.size(), model.size());
    for (size_t i = 0; i < n; ++i) {
        if (!IsLetter(text[i]) || !IsLetter(model[i]))
            continue;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        text[i] = static_cast<char>(model[i] < 'a' ? std::toupper(c) : std::tolower(c));
    }
    return model.size() < text.size() ? 0 : 1;
}

bool IsAllUpper(const std::string& text)
{
    for (char c : text)
        if (std::islower(static_cast<unsigned char>(c)))
            return false;
    return true;
}

bool IsAllLower(const std::string& text)
{
    for (char c : text)
        if (std::isupper(static_cast<unsigned char>(c)))
            return false;
    return true;
}

int ClassifyNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == 1 || text[i] == '-'))
        ++i;
    size_t end = text.find(' ', i);
    if (end == std::string::npos)
        end = text.size();
    for (size_t j = end; j < text.size(); ++j)
        if (text[j] != ' ')
            return 0;
    const std::string word = text.substr(i, end - i);
    if (word.empty())
        return 0;
    auto allHex = [](const std::string& w, size_t from) {
        if (from >= w.size())
            return false;
        for (size_t k = from; k < w.size(); ++k)
            if (!std::isxdigit(static_cast<unsigned char>(w[k])))
                return false;
        return true;
    };
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X'))
        return allHex(word, 2) ? 2 : 0;
    if (!allHex(word, 0))
        return 0;
    for (char c : word)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 3;
    return 1;
}

static bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == 1; }

// The offset of the word behind the "#" when the "#" at pos starts a
// conditional directive line, else -1.
static int DirectiveWordAt(const char* text, int length, int pos)
{
    int i = pos - 1;
    while (i >= 0 && IsBlankByte(text[i]))
        --i;
    if (i >= 0 && text[i] != '\r' && text[i] != '\n' && text[i] != 2)
        return -1;
    int w = pos + 1;
    while (w < length && IsBlankByte(text[w]))
        ++w;
    if (w >= length || (text[w] != 'i' && text[w] != 'e'))
        return -1;
    if (IsInsideComment(text + pos, text) || IsInsideString(text + pos, text))
        return -1;
    return w;
}

int FindNextDirective(const char* text, int length, int pos, int direction)
{
    if (!text)
        return -1;
    if (direction > 0) {
        for (int i = pos + 1; i < length; ++i) {
            if (text[i] != '#')
                continue;
            const int w = DirectiveWordAt(text, length, i);
            if (w >= 0)
                return w;
        }
    } else {
        for (int i = pos - 1; i >= 0; --i) {
            if (text[i] != '#')
                continue;
            const int w = DirectiveWordAt(text, length, i);
            if (w >= 0)
                return w;
        }
    }
    return -1;
}

int FindMatchingDirective(int pos, const char* text, int length, const char* target, int direction)
{
    if (!text || !target || std::strlen(target) < 2 || pos < 0 || pos > length)
        return -1;
    int line = pos;
    while (line > 0 && text[line - 1] != '\r' && text[line - 1] != '\n' && text[line - 1] != 2)
        --line;
    int hash = line;
    while (hash < length && (IsBlankByte(text[hash]) || text[hash] == '\r'))
        ++hash;
    if (hash >= length || text[hash] != '#')
        return -1;
    // Forward walks start behind this directive, backward ones before it.
    int at = hash;
    int count = 1;
    for (;;) {
        const int w = FindNextDirective(text, length, at, direction);
        if (w < 0)
            return -1;
        const char a = text[w], b = w + 1 < length ? text[w + 1] : 0;
        if (a == target[0] && b == target[1] && !(target[1] == 'l' && count != 1)) {
            if (--count == 0)
                return w;
        } else if (a == 'i' && b == 'f') {
            count += direction > 0 ? 1 : -1;
        } else if (a == 'e' && b == 'n') {
            count += direction > 0 ? -1 : 1;
        }
        if (count == 0)
            return w;
        // Continue from the "#" of the directive just judged.
        at = w;
        while (at > 0 && text[at] != '#')
            --at;
    }
}

bool ReadTextFile(const std::string& path, std::string& text)
{
    text.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::string raw;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        raw.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || raw.empty())
        return false;
    // Line by line: CR LF, LF and CR all end a line; every line gets a CR.
    text.reserve(raw.size() + 1);
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\r') {
            text += '\r';
            if (i + 1 < raw.size() && raw[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            text += '\r';
        } else {
            text += c;
        }
    }
    if (text.back() != '\r')
        text += '\r';
    return true;
}

void IndentTextLines(std::string& text, int count, bool softBreaks)
{
    if (count <= 0)
        return;
    std::string out;
    out.reserve(text.size() + 16);
    const std::string pad(static_cast<size_t>(count), ' ');
    for (char c : text) {
        out += c;
        if (c == '\r' || (softBreaks && c == 2))
            out += pad;
    }
    text.swap(out);
}

static bool IsIdentifierByte(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int WordAtOffset(const char* text, int length, int offset, int& start, std::string& word)
{
    word.clear();
    if (!text || offset < 0 || offset >= length || !IsIdentifierByte(text[offset]))
        return -1;
    int a = offset, b = offset;
    while (a > 0 && IsIdentifierByte(text[a - 1]))
        --a;
    while (b < length && IsIdentifierByte(text[b]))
        ++b;
    start = a;
    word.assign(text + a, text + b);
    return b - a;
}
