#include "smalledit/zavit_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

std::string zavit_backup_name(const std::string& path)
{
    size_t base = path.find_last_of("\\/");
    base = base == std::string::npos ? 0 : base + 1;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < base)
        return path + ".BAK";
    return path.substr(0, dot) + ".BAK";
}

bool zavit_lf_only(const std::string& bytes)
{
    return bytes.find('\n') != std::string::npos && bytes.find('\r') == std::string::npos;
}

size_t zavit_first_part(const std::string& bytes, size_t lines, size_t columns)
{
    size_t tall = 0; // the end of the line that overflows the height
    size_t wide = 0; // the end of the first line as wide as the window
    size_t line = 0, column = 0;
    for (size_t i = 0; i < bytes.size() && !(tall && wide); ++i) {
        char c = bytes[i];
        if (c == '\n' || (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
            if (!wide && column >= columns)
                wide = i + 1;
            if (++line == lines)
                tall = i + 1;
            column = 0;
        } else if (c == '\t') {
            column = (column / 8 + 1) * 8;
        } else if (c != '\r') {
            ++column;
        }
    }
    // A wide last line with no line end belongs to the first part as well.
    if (!tall || (!wide && column >= columns))
        return bytes.size();
    return wide > tall ? wide : tall;
}

std::string zavit_lf_line_ends(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t cr = text.find("\r\n"); cr != std::string::npos; cr = text.find("\r\n", from)) {
        out.append(text, from, cr - from);
        out += '\n';
        from = cr + 2;
    }
    out.append(text, from, std::string::npos);
    return out;
}

bool zavit_name_char(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           c == '_' || c == '\\' || c == '/' || c == '.' || c == ':';
}

bool zavit_parse_name_at(const std::string& text, ZavitNameAt& out)
{
    size_t i = 0, dot = std::string::npos;
    for (; i < text.size() && zavit_name_char(text[i]); ++i)
        if (text[i] == '.' && i > 0)
            dot = i;
    if (dot == std::string::npos)
        return false;
    size_t nameEnd = i;
    // "name:" is a name followed by a line-number colon only when digits
    // come first; a name's own trailing ':' would not be a file.
    size_t blanks = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
        ++blanks;
    }
    out.line = 0;
    if (blanks > 0) {
        size_t start = i;
        long number = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 9)
            number = number * 10 + (text[i++] - '0');
        if (i > start && i < text.size() && text[i] == ':' && number <= 50000)
            out.line = static_cast<int>(number);
    }
    size_t extension = nameEnd - dot - 1;
    if (extension < 1 || extension > 8)
        return false;
    out.name = text.substr(0, nameEnd);
    return true;
}

std::string zavit_print_line(const char* text, size_t length)
{
    std::string out;
    for (size_t i = 0; i < length && i < 199; ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n' || c == '\0')
            break;
        if (c == '\t') {
            do
                out += ' ';
            while (out.size() % 8 != 0);
        } else {
            out += c;
        }
    }
    return out;
}

int zavit_lines_per_page(int bandHeight, int lineHeight)
{
    if (lineHeight <= 0)
        return 0;
    int lines = (bandHeight + lineHeight / 2) / lineHeight - 1;
    return lines > 0 ? lines : 0;
}

int zavit_page_count(int lineCount, int linesPerPage)
{
    return linesPerPage > 0 ? lineCount / linesPerPage + 1 : 1;
}

// The list holds 512 entries; one that reaches them is too long.
enum { ZAVIT_MAX_ARGUMENTS = 512, ZAVIT_MAX_WORD = 32767 };

bool zavit_expand_arguments(const std::vector<std::string>& args, std::vector<std::string>& out,
                            std::string* error)
{
    out.clear();
    auto fail = [&](const std::string& message) {
        if (error)
            *error = message;
        return false;
    };
    for (const std::string& arg : args) {
        if (arg.empty() || arg[0] != '@') {
            out.push_back(arg);
        } else {
            FILE* f = std::fopen(arg.c_str() + 1, "r");
            if (!f)
                return fail("unable to open argument file '" + arg.substr(1) + "'");
            std::string word;
            int c;
            bool tooLong = false;
            while (out.size() < ZAVIT_MAX_ARGUMENTS && (c = std::fgetc(f)) != EOF) {
                if (c > 0x20) {
                    if (word.size() >= ZAVIT_MAX_WORD) {
                        tooLong = true;
                        break;
                    }
                    word += static_cast<char>(c);
                } else if (!word.empty()) {
                    out.push_back(word);
                    word.clear();
                }
            }
            if (!word.empty() && !tooLong && out.size() < ZAVIT_MAX_ARGUMENTS)
                out.push_back(word);
            std::fclose(f);
            if (tooLong)
                return fail("argument too long");
        }
        if (out.size() >= ZAVIT_MAX_ARGUMENTS)
            return fail("too many arguments");
    }
    return true;
}

ZavitPageBox zavit_preview_page(int index, int clientW, int clientH, int pageW, int pageH)
{
    ZavitPageBox box;
    if (pageW <= 0 || pageH <= 0 || clientW <= 0 || clientH <= 0)
        return box;
    const long long margin = 15, gap = 30;
    long long pw = pageW, ph = pageH;
    long long ratio = 100 * std::min(pw, ph) / std::max(pw, ph);
    long long left = margin, top = margin, width = 0, height = 0;
    // The width-limited page; for a portrait page the ratio test alone
    // would let it run off the bottom, so its height is checked as well.
    long long fullWidth = std::max(0LL, clientW - 2 * margin);
    long long widthLimitedHeight = fullWidth * (ph * 95 / pw) / 100;
    if (ratio * clientW / 100 > clientH || top + widthLimitedHeight > clientH - margin) {
        height = std::max(0LL, clientH - 2 * margin);
        width = height * (pw * 95 / ph) / 100;
    } else {
        width = fullWidth;
        height = widthLimitedHeight;
    }
    if (index == 1)
        left += width + gap;
    box.left = static_cast<int>(left);
    box.top = static_cast<int>(top);
    box.right = static_cast<int>(left + width);
    box.bottom = static_cast<int>(top + height);
    return box;
}
