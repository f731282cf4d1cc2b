#include "convert/wendo/dump.h"

static const int hex_width = 16;
static const int text_width = 64;
static const int blanks = 66;     // after "%06X:"
static const int hex_column = 8;  // first hex digit of byte 0; 3 columns a byte
static const int char_column = 57;
static const int text_column = 8;

int dump_width(dump_kind kind)
{
    return kind == DUMP_HEX ? hex_width : text_width;
}

static char shown(unsigned char c)
{
    return c < 32 ? '.' : static_cast<char>(c);
}

std::string dump_line(dump_kind kind, unsigned long offset, const unsigned char* bytes, int count)
{
    static const char digits[] = "0123456789ABCDEF";
    char head[24];
    std::snprintf(head, sizeof head, "%06lX:", offset);
    std::string line = std::string(head) + std::string(blanks, ' ');
    for (int j = 0; j < count; j++) {
        if (kind == DUMP_HEX) {
            line[hex_column + 3 * j] = digits[bytes[j] >> 4];
            line[hex_column + 3 * j + 1] = digits[bytes[j] & 15];
            line[char_column + j] = shown(bytes[j]);
        } else {
            line[text_column + j] = shown(bytes[j]);
        }
    }
    return line;
}

void dump_stream(dump_kind kind, FILE* in, FILE* out)
{
    unsigned char bytes[text_width];
    int width = dump_width(kind);
    unsigned long offset = 0;
    for (;;) {
        int count = 0;
        int c = 0;
        while (count < width && (c = std::getc(in)) != EOF)
            bytes[count++] = static_cast<unsigned char>(c);
        std::string line = dump_line(kind, offset, bytes, count);
        std::fputs(line.c_str(), out);
        std::fputc('\n', out);
        if (count < width)
            break;
        offset += width;
    }
}
