#include "make/cobrel/macro_options.h"

#include "make/cobrel/make_model.h"

#include "common/text.h"

static size_t find_ignoring_case(const std::string& text, const std::string& part)
{
    if (part.size() > text.size())
        return std::string::npos;
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < part.size() && text_lower_char(text[i + k]) == text_lower_char(part[k]))
            ++k;
        if (k == part.size())
            return i;
    }
    return std::string::npos;
}

bool extract_option(std::string& value, const std::string& prefix, bool whole_word,
                    std::string* argument)
{
    const size_t at = find_ignoring_case(value, prefix);
    if (at == std::string::npos)
        return false;
    const size_t behind = at + prefix.size();
    if (whole_word && behind < value.size() && !is_blank(value[behind]))
        return false;
    size_t end = behind;
    while (end < value.size() && !is_blank(value[end]))
        ++end;
    size_t run = at;
    while (run > 0 && !is_blank(value[run - 1]))
        --run;
    size_t cut = run;
    while (cut > 0 && is_blank(value[cut - 1]))
        --cut;
    *argument = copy_trimmed(value.substr(behind, end - behind));
    value = copy_trimmed(value.substr(0, cut) + value.substr(end));
    return true;
}

static int digit_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

bool read_number(const std::string& text, size_t* pos, bool hex, long long* value)
{
    size_t i = *pos;
    int base = hex ? 16 : 10;
    if (!hex && i < text.size() && text[i] == '0') {
        if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            digit_value(text[i + 2]) < 16) {
            base = 16;
            i += 2;
        } else {
            base = 8;
        }
    }
    const long long too_large = 0x7FFFFFFFLL + 1;
    long long v = 0;
    size_t start = i;
    while (i < text.size() && digit_value(text[i]) < base) {
        v = v * base + digit_value(text[i]);
        if (v > too_large)
            v = too_large;
        ++i;
    }
    if (i == start)
        return false;
    *pos = i;
    *value = v;
    return true;
}
