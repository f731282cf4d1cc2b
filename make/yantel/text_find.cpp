#include "make/yantel/text_find.h"

#include <cctype>

static bool word_char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

static bool same_char(char a, char b, bool matchCase)
{
    if (matchCase)
        return a == b;
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool text_matches_at(const std::string& text, const std::string& what, size_t start,
                     const text_find_options& options)
{
    if (what.empty() || start > text.size() || text.size() - start < what.size())
        return false;
    for (size_t i = 0; i < what.size(); ++i)
        if (!same_char(text[start + i], what[i], options.match_case))
            return false;
    if (options.whole_word) {
        size_t end = start + what.size();
        if (start > 0 && word_char(text[start - 1]) && word_char(what.front()))
            return false;
        if (end < text.size() && word_char(text[end]) && word_char(what.back()))
            return false;
    }
    return true;
}

size_t text_find(const std::string& text, const std::string& what, size_t from,
                 const text_find_options& options)
{
    if (what.empty() || what.size() > text.size())
        return text_not_found;
    size_t last = text.size() - what.size();
    if (options.down) {
        for (size_t start = from; start <= last; ++start)
            if (text_matches_at(text, what, start, options))
                return start;
        return text_not_found;
    }
    if (from < what.size())
        return text_not_found;
    size_t start = from - what.size();
    if (start > last)
        start = last;
    for (;; --start) {
        if (text_matches_at(text, what, start, options))
            return start;
        if (start == 0)
            return text_not_found;
    }
}

std::string text_replace_all(const std::string& text, const std::string& what,
                             const std::string& with, const text_find_options& options,
                             int* count)
{
    text_find_options forward = options;
    forward.down = true;
    std::string out;
    int replaced = 0;
    size_t pos = 0;
    for (;;) {
        size_t found = text_find(text, what, pos, forward);
        if (found == text_not_found)
            break;
        out.append(text, pos, found - pos);
        out += with;
        pos = found + what.size();
        ++replaced;
    }
    out.append(text, pos, std::string::npos);
    if (count)
        *count = replaced;
    return out;
}
