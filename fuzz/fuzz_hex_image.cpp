// The target tools' image loaders: Intel HEX and binary images with their
// load address trailer.
#include "common/speicher.h"
#include "fuzz/fuzz_support.h"
#include "target/seriallink/target_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string hex = fuzz::WriteScratch("image.hex", bytes);
    uint8_t* buffer = nullptr;
    int32_t lowest = 0, length = 0;
    if (read_hex_file(hex.c_str(), &buffer, &lowest, &length) == 0) {
        FUZZ_CHECK(lowest >= 0 && length >= 0 && lowest + length <= 0x10000);
        if (length > 0)
            FUZZ_CHECK(buffer != nullptr);
        speicher_free(buffer);
    }
    const std::string bin = fuzz::WriteScratch("image.bin", bytes);
    std::vector<uint8_t> image;
    int32_t load = 0;
    if (read_binary_image(bin.c_str(), 0, 0, &image, &load) == 0)
        FUZZ_CHECK(image.size() + 4 == size);
    image.clear();
    if (read_binary_image(bin.c_str(), 1, 0x4000, &image, &load) == 0)
        FUZZ_CHECK(image.size() == size);
    return 0;
}
