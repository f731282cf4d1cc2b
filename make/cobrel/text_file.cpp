#include "make/cobrel/text_file.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

bool read_text_lines(const std::string& path, std::vector<std::string>* lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    lines->clear();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines->push_back(line);
    }
    return !in.bad();
}

static bool replace_file(const std::string& temp, const std::string& path)
{
#ifdef _WIN32
    return MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(temp.c_str(), path.c_str()) == 0;
#endif
}

bool save_text_file(const std::string& path, const std::string& text)
{
    std::string bytes;
#ifdef _WIN32
    for (char c : text) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
#else
    bytes = text;
#endif
    const std::string temp = path + ".~tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || !replace_file(temp, path)) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}
