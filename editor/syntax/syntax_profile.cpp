// Number reading and writing shared by every profile.
#include "editor/syntax/syntax_profile.h"

#include <cstdint>

int ParseProfileInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

int CSyntaxProfile::GetInt(const std::string& section, const std::string& key, int def)
{
    // A sentinel that no number reads as tells a missing key apart.
    const std::string missing = "\x01";
    const std::string text = GetString(section, key, missing);
    if (text == missing)
        return def;
    return ParseProfileInt(text);
}

bool CSyntaxProfile::WriteInt(const std::string& section, const std::string& key, int value)
{
    return WriteString(section, key, std::to_string(value));
}
