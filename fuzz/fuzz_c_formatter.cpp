// The C formatter over an editor text (the input, with its first byte as
// the tab width): it only adds line ends and blanks and takes away blanks,
// tabs, tab fill and soft breaks, and a refused run leaves the text as it
// was.
#include "editor/syntax/c_formatter.h"
#include "fuzz/fuzz_support.h"

namespace {
std::string Kept(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r' && c != ' ' && c != '\t' && c != 1 && c != 2)
            out += c;
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int tabWidth = 1 + data[0] % 16;
    const std::string before(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string text = before;
    const align_result result = AlignCSyntax(text, tabWidth, nullptr);
    if (result != ALIGN_DONE)
        FUZZ_CHECK(text == before);
    else
        FUZZ_CHECK(Kept(text) == Kept(before));
    return 0;
}
