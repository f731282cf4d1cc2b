// Masks are tried from the last to the first; the first that matches decides.
#include "editor/syntax/file_mask.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

static bool SameChar(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

static bool MatchOne(const std::string& name, const std::string& mask)
{
    size_t n = 0, m = 0;
    while (m < mask.size()) {
        const char mc = mask[m];
        if (mc == '*') {
            const size_t lastDot = name.rfind('.');
            const bool dotAhead = lastDot != std::string::npos && lastDot >= n;
            ++m;
            if (dotAhead) {
                if (m < mask.size() && mask[m] == '.') {
                    n = lastDot;
                    continue;
                }
                if (m >= mask.size())
                    return false;
                // Up to the mask's next character, but not across a dot.
                while (n < name.size() && !SameChar(name[n], mask[m]) && name[n] != '.')
                    ++n;
                if (n >= name.size() || (name[n] == '.' && mask[m] != '.'))
                    return false;
                continue;
            }
            if (m >= mask.size())
                return true;
            while (n < name.size() && !SameChar(name[n], mask[m]))
                ++n;
            if (n >= name.size())
                return false;
            continue;
        }
        if (n >= name.size())
            return false;
        if (mc != '?' && !SameChar(mc, name[n]))
            return false;
        ++n;
        ++m;
    }
    return n == name.size();
}

bool MatchFileMask(const char* fileName, const char* masks)
{
    if (!fileName || !masks)
        return false;
    const char* base = fileName;
    for (const char* p = fileName; *p; ++p)
        if (*p == '\\' || *p == '/')
            base = p + 1;
    const std::string name = base;
    std::vector<std::string> list;
    std::string word;
    for (const char* p = masks;; ++p) {
        if (*p == ' ' || *p == '\t' || *p == '\0') {
            if (!word.empty())
                list.push_back(word);
            word.clear();
            if (!*p)
                break;
        } else {
            word += *p;
        }
    }
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (MatchOne(name, *it))
            return true;
    return false;
}
