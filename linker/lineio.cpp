#include "linker/lineio.h"

#include "common/disk_name.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tessel {

FILE* open_file(const std::string& name, const char* mode)
{
    return std::fopen(disk_path(name).c_str(), mode);
}

bool read_line(FILE* f, std::string& line)
{
    line.clear();
    char buffer[512];
    bool any = false;
    while (std::fgets(buffer, sizeof buffer, f)) {
        any = true;
        size_t n = std::strlen(buffer);
        if (n && buffer[n - 1] == '\n') {
            line.append(buffer, n - 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        line.append(buffer, n);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

bool scan_hex(const char*& p, uint32_t& value)
{
    uint32_t v = 0;
    const char* q = p;
    for (;; ++q) {
        int d;
        if (*q >= '0' && *q <= '9')
            d = *q - '0';
        else if (*q >= 'a' && *q <= 'f')
            d = *q - 'a' + 10;
        else if (*q >= 'A' && *q <= 'F')
            d = *q - 'A' + 10;
        else
            break;
        v = v * 16 + static_cast<uint32_t>(d);
    }
    if (q == p)
        return false;
    p = q;
    value = v;
    return true;
}

// Output files being written; a run that stops before they are complete
// removes their temporaries.
static std::vector<safe_file*> open_outputs;

bool out_open(safe_file& out, const std::string& path)
{
    if (!safe_file_open(&out, disk_output_path(path), true))
        return false;
    open_outputs.push_back(&out);
    return true;
}

void out_discard_all(void)
{
    for (safe_file* out : open_outputs)
        safe_file_discard(out);
    open_outputs.clear();
}

void out_printf(safe_file& out, const char* format, ...)
{
    char small[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string text;
    if (n >= static_cast<int>(sizeof small)) {
        text.resize(static_cast<size_t>(n) + 1);
        va_start(args, format);
        std::vsnprintf(&text[0], text.size(), format, args);
        va_end(args);
        text.resize(static_cast<size_t>(n));
    } else if (n > 0) {
        text.assign(small, static_cast<size_t>(n));
    }
    std::string crlf;
    crlf.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    safe_file_puts(&out, crlf);
}

void out_bytes(safe_file& out, const void* data, size_t count)
{
    safe_file_write(&out, data, count);
}

bool out_close(safe_file& out)
{
    open_outputs.erase(std::remove(open_outputs.begin(), open_outputs.end(), &out), open_outputs.end());
    return safe_file_commit(&out);
}

} // namespace tessel
