// The target tools' listing reader against an image given by its bytes.
// Input: two bytes of load address (big-endian), the image bytes up to a
// "%%" line, the listing text.
#include "fuzz/fuzz_support.h"
#include "target/seriallink/listing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int32_t load = (data[0] << 8) | data[1];
    std::string image, text;
    fuzz::SplitInput(std::string(reinterpret_cast<const char*>(data) + 2, size - 2), image, text);
    const std::string path = fuzz::WriteScratch("image.lst", text);
    std::vector<uint8_t> bytes(image.begin(), image.end());
    std::vector<uint8_t> flags(bytes.size() + 1, 0);
    ListingIndex index{};
    std::string error;
    const int result = listing_read(path.c_str(), bytes.data(), load, static_cast<int32_t>(bytes.size()),
                                    flags.data(), &index, &error);
    FUZZ_CHECK(result == 0 || !error.empty());
    FUZZ_CHECK(flags[bytes.size()] == 0);
    if (result == 0)
        for (int32_t i = 0; i < index.line_count; ++i)
            (void)listing_find(&index, index.lines[i]->address, index.lines[i]->mem_kind);
    listing_release(&index);
    return 0;
}
