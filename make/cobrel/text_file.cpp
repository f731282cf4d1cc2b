#include "make/cobrel/text_file.h"

#include "common/safe_file.h"

#include <fstream>

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

bool save_text_file(const std::string& path, const std::string& text)
{
    return safe_file_write_all(path, text.data(), text.size(), false);
}
