#include "lineio.h"

#include <cctype>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>

FILE* open_file(const std::string& name, const char* mode)
{
#ifdef _WIN32
    return std::fopen(name.c_str(), mode);
#else
    std::string path = name;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return std::fopen(path.c_str(), mode);
#endif
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

const char* base_name(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            base = p + 1;
    return base;
}

bool same_text_nocase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
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

bool out_open(out_file& out, const std::string& path)
{
    out.path = path;
    out.temp = path + ".tmp";
    out.f = open_file(out.temp, "wb");
    return out.f != nullptr;
}

void out_printf(out_file& out, const char* format, ...)
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
    for (char c : text) {
        if (c == '\n')
            std::fputc('\r', out.f);
        std::fputc(c, out.f);
    }
}

void out_bytes(out_file& out, const void* data, size_t count)
{
    std::fwrite(data, 1, count, out.f);
}

bool out_close(out_file& out)
{
    bool ok = std::fflush(out.f) == 0 && !std::ferror(out.f);
    ok = std::fclose(out.f) == 0 && ok;
    out.f = nullptr;
    std::string final_path = out.path, temp_path = out.temp;
#ifndef _WIN32
    for (char& c : final_path)
        if (c == '\\')
            c = '/';
    for (char& c : temp_path)
        if (c == '\\')
            c = '/';
#endif
    if (!ok) {
        std::remove(temp_path.c_str());
        return false;
    }
#ifdef _WIN32
    std::remove(final_path.c_str());
#endif
    if (std::rename(temp_path.c_str(), final_path.c_str()) != 0) {
        std::remove(temp_path.c_str());
        return false;
    }
    return true;
}

const char* time_text(void)
{
    std::time_t now = std::time(nullptr);
    const char* text = std::ctime(&now);
    return text ? text : "Thu Jan  1 00:00:00 1970\n";
}
