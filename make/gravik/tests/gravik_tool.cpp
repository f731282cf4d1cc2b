// A small program for the commands of test makefiles, the same on every
// system:
//   gravik_tool touch FILE         writes FILE anew (its time becomes now)
//   gravik_tool log FILE WORD...   appends the words as one line to FILE
//   gravik_tool fail CODE          exits with CODE
//   gravik_tool cat OUT IN...      writes the concatenation of IN... to OUT
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "touch") == 0) {
        FILE* f = std::fopen(argv[2], "w");
        if (!f)
            return 90;
        std::fputs("made\n", f);
        return std::fclose(f) == 0 ? 0 : 91;
    }
    if (argc >= 3 && std::strcmp(argv[1], "log") == 0) {
        FILE* f = std::fopen(argv[2], "a");
        if (!f)
            return 92;
        for (int i = 3; i < argc; ++i)
            std::fprintf(f, "%s%s", i > 3 ? " " : "", argv[i]);
        std::fputs("\n", f);
        return std::fclose(f) == 0 ? 0 : 93;
    }
    if (argc >= 3 && std::strcmp(argv[1], "fail") == 0)
        return std::atoi(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "cat") == 0) {
        FILE* out = std::fopen(argv[2], "wb");
        if (!out)
            return 94;
        for (int i = 3; i < argc; ++i) {
            FILE* in = std::fopen(argv[i], "rb");
            if (!in)
                return 95;
            int c;
            while ((c = std::fgetc(in)) != EOF)
                std::fputc(c, out);
            std::fclose(in);
        }
        return std::fclose(out) == 0 ? 0 : 96;
    }
    std::fputs("usage: gravik_tool touch|log|fail|cat ...\n", stderr);
    return 99;
}
