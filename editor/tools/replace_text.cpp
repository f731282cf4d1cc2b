#include "editor/tools/replace_text.h"

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
    bool upper = false, lower = false;
    for (unsigned char c : found) {
        upper |= std::isupper(c) != 0;
        lower |= std::islower(c) != 0;
    }
    if (upper == lower) // mixed case, or no letters
        return replacement;
    std::string out = replacement;
    for (char& c : out)
        c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                    : std::tolower(static_cast<unsigned char>(c)));
    return out;
}
