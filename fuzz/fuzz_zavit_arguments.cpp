// Zavit's "@" argument files: the input is the file that an "@" argument
// names; its words replace the argument.
#include "fuzz/fuzz_support.h"
#include "smalledit/zavit_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::WriteScratch("args.txt", std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> out;
    std::string error;
    if (zavit_expand_arguments({"zavit.exe", "first.c", "@" + path, "last.c"}, out, &error)) {
        FUZZ_CHECK(out.size() >= 3 && out.size() < 512);
        for (const std::string& word : out) {
            FUZZ_CHECK(!word.empty());
            for (char c : word)
                FUZZ_CHECK(static_cast<unsigned char>(c) > ' ');
        }
    } else {
        FUZZ_CHECK(!error.empty());
    }
    for (const std::string& word : out) {
        ZavitNameAt at;
        (void)zavit_parse_name_at(word, at);
        (void)zavit_print_line(word.data(), word.size());
    }
    return 0;
}
