#include "editor/symbols/code_walk.h"

#include <cstddef>
#include <cstring>

const char* SkipNonCode(const char* p, const char* end)
{
    if (p >= end)
        return p;
    if (*p == '/' && p + 1 < end && p[1] == '/') {
        while (p < end && *p != '\r' && *p != '\n')
            ++p;
        return p;
    }
    if (*p == '/' && p + 1 < end && p[1] == '*') {
        for (p += 2; p + 1 < end; ++p)
            if (p[0] == '*' && p[1] == '/')
                return p + 2;
        return end;
    }
    if (*p == '"' || *p == '\'') {
        char q = *p++;
        while (p < end && *p != q && *p != '\r' && *p != '\n') {
            if (*p == '\\' && p + 1 < end)
                ++p;
            ++p;
        }
        return p < end && *p == q ? p + 1 : p;
    }
    return p;
}

const char* FindCodeChar(const char* p, const char* end, const char* chars)
{
    while (p < end) {
        const char ch = *p;
        if (ch == '/' || ch == '"' || ch == '\'') {
            const char* q = SkipNonCode(p, end);
            if (q != p) {
                p = q;
                continue;
            }
        }
        for (const char* c = chars; *c; ++c)
            if (*c == ch)
                return p;
        ++p;
    }
    return nullptr;
}

std::vector<size_t> TopLevelSeparators(const std::string& s, char separator)
{
    std::vector<size_t> cuts;
    int depth = 0;
    const char* base = s.c_str();
    const char* end = base + s.size();
    for (const char* p = base; p < end;) {
        const char* q = SkipNonCode(p, end);
        if (q != p) {
            p = q;
            continue;
        }
        char c = *p;
        if (c == '(' || c == '[' || c == '{')
            ++depth;
        else if ((c == ')' || c == ']' || c == '}') && depth > 0)
            --depth;
        else if (c == separator && depth == 0)
            cuts.push_back(static_cast<size_t>(p - base));
        ++p;
    }
    return cuts;
}

namespace {

const char* BackOverSpace(const char* p, const char* floor)
{
    while (p > floor && (p[-1] == ' ' || p[-1] == '\t' || p[-1] == '\r' || p[-1] == '\n' || p[-1] == 1 ||
                         p[-1] == 2))
        --p;
    return p;
}

bool WordBefore(const char* p, const char* floor, const char* word)
{
    size_t n = std::strlen(word);
    if (static_cast<size_t>(p - floor) < n || std::memcmp(p - n, word, n) != 0)
        return false;
    return p - n == floor || !IsIdentChar(p[-static_cast<ptrdiff_t>(n) - 1]);
}

} // namespace

bool OpensNamespaceBlock(const char* brace, const char* floor)
{
    const char* p = BackOverSpace(brace, floor);
    if (WordBefore(p, floor, "namespace"))
        return true;
    if (p > floor && p[-1] == '"') {
        // extern "C" {
        const char* q = p - 1;
        while (q > floor && q[-1] != '"')
            --q;
        if (q == floor)
            return false;
        return WordBefore(BackOverSpace(q - 1, floor), floor, "extern");
    }
    // namespace name {, namespace a::b {, also "inline namespace x"
    const char* q = p;
    while (q > floor && (IsIdentChar(q[-1]) || q[-1] == ':'))
        --q;
    if (q == p)
        return false;
    return WordBefore(BackOverSpace(q, floor), floor, "namespace");
}
