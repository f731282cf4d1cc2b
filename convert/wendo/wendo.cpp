#include "convert/wendo/wendo.h"

#include "convert/wendo/dump.h"

#include "common/disk_name.h"

#include <cctype>
#include <cstdio>

static const char* const version = "1.02, 2002";

static bool is_text_option(const char* a)
{
    return a[0] == '-' && std::tolower(static_cast<unsigned char>(a[1])) == 'a' && a[2] == '\0';
}

int wendo_main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "wendo";
    dump_kind kind;
    if (argc == 2) {
        kind = DUMP_HEX;
    } else if (argc == 3 && is_text_option(argv[2])) {
        kind = DUMP_TEXT;
    } else {
        std::fprintf(stderr, "*** '%s': Hex dump tool\n", program);
        std::fprintf(stderr, "*** V%s\n", version);
        std::fprintf(stderr,
                     "arguments: '%s FILENAME.XYZ (options)' (for file output \n"
                     "use pipes or I/O redirection)\n",
                     program);
        std::fprintf(stderr, "-a:    pure ASCII dump\n");
        return 0;
    }
    FILE* in = std::fopen(disk_path(argv[1]).c_str(), "rb");
    if (!in) {
        std::fprintf(stderr, "WENDO.EXE: Can't open '%s'\n", argv[1]);
        return -1;
    }
    std::printf("Hex dump of '%s':\n", argv[1]);
    dump_stream(kind, in, stdout);
    std::fclose(in);
    return 0;
}
