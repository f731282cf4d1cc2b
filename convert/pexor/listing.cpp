#include "convert/pexor/listing.h"

#include <cctype>

bool listing_read_line(FILE* fp, std::string* line)
{
    line->clear();
    int c = std::getc(fp);
    if (c == EOF)
        return false;
    bool cr = false;
    for (; c != EOF && c != '\n'; c = std::getc(fp)) {
        if (cr && line->size() < LISTING_KEEP)
            line->push_back('\r');
        cr = c == '\r';
        if (!cr && line->size() < LISTING_KEEP)
            line->push_back(static_cast<char>(c));
    }
    return true;
}

bool listing_keeps_line(const std::string& line)
{
    if (!line.empty() && line[0] == '=')
        return false;
    if (line.size() > 24 && line[24] == ':') {
        std::string rest = line.substr(25);
        if (rest.compare(0, 9, "  .export") == 0 || rest.compare(0, 2, " _") == 0)
            return false;
    }
    return true;
}

bool listing_code_address(const std::string& line, unsigned long* address)
{
    if (line.compare(0, 3, "co:") != 0)
        return false;
    unsigned long value = 0;
    size_t i = 3;
    for (; i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i])); i++) {
        if (value > 0xFFFFFFFUL)
            value = 0xFFFFFFFFUL;  // saturates: far beyond any 8051 address
        else
            value = value * 16 + (std::isdigit(static_cast<unsigned char>(line[i]))
                                      ? line[i] - '0'
                                      : std::tolower(static_cast<unsigned char>(line[i])) - 'a' + 10);
    }
    if (i == 3)
        return false;
    *address = value;
    return true;
}
