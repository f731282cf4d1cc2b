#include "test_files.h"

#include <cstdio>

void write_binary(const std::string& path, const std::vector<uint8_t>& bytes, uint32_t address)
{
    std::string content(bytes.begin(), bytes.end());
    for (int shift = 24; shift >= 0; shift -= 8)
        content += static_cast<char>((address >> shift) & 0xFF);
    write_file(path, content);
}

std::string hex_record(int type, int address, const std::vector<uint8_t>& data)
{
    char text[16];
    int sum = static_cast<int>(data.size()) + (address >> 8) + (address & 0xFF) + type;
    std::snprintf(text, sizeof text, ":%02X%04X%02X", static_cast<unsigned>(data.size()),
                  static_cast<unsigned>(address), static_cast<unsigned>(type));
    std::string record = text;
    for (uint8_t b : data) {
        std::snprintf(text, sizeof text, "%02X", b);
        record += text;
        sum += b;
    }
    std::snprintf(text, sizeof text, "%02X\n", static_cast<unsigned>((-sum) & 0xFF));
    return record + text;
}
