#include "editor/tools/replace_text.h"

#include "editor/syntax/text_tools.h"

#include <cctype>

std::string ExpandReplacementEscapes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                out += next == 'n' ? '\r' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string AdaptReplacementCase(const std::string& found, const std::string& replacement)
{
    bool letters = false;
    for (unsigned char c : found)
        letters |= std::isalpha(c) != 0;
    if (!letters)
        return replacement;
    std::string out = replacement;
    if (IsAllUpper(found) || IsAllLower(found)) {
        const bool upper = IsAllUpper(found);
        for (char& c : out)
            c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                        : std::tolower(static_cast<unsigned char>(c)));
    } else {
        // Mixed case: letter by letter as far as both texts go.
        MatchLetterCase(out, found);
    }
    return out;
}
