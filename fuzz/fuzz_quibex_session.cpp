// Quibex's session pair: a binary image and its linker listing, read and
// checked against each other. Input: the image bytes, a "%%" line, the
// listing text.
#include "fuzz/fuzz_support.h"
#include "target/quibex/session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string image, listing;
    fuzz::SplitInput(std::string(reinterpret_cast<const char*>(data), size), image, listing);
    const std::string path = fuzz::WriteScratch("pair.bin", image);
    fuzz::WriteScratch("pair.lst", listing);
    StagedSession staged;
    if (stage_session(path, &staged) == 0) {
        FUZZ_CHECK(staged.flags.size() == staged.bytes.size());
        for (int32_t i = 0; i < staged.index.line_count; ++i)
            FUZZ_CHECK(staged.index.lines[i] != nullptr);
    }
    return 0;
}
