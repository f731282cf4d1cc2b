// TEMPORARY: inputs that reach faults known and not mended yet in their
// readers (which the fuzz targets do not change). The targets skip exactly
// these cases, so that a fuzz run reports only new findings. Each predicate
// goes, with its use, once its reader is mended.
#pragma once

#include <cctype>
#include <cstdint>
#include <string>

namespace fuzz {
namespace known {

// The edit control's loader: bytes 0x01 and 0x02 (the text's tab fill and
// soft break codes) enter the text unchanged, are dropped by the next save,
// and in long lines count as line breaks (editor/editctl/text_file.cpp).
inline bool TextHoldsFillOrSoftBreakBytes(const std::string& bytes)
{
    return bytes.find_first_of(std::string("\x01\x02", 2)) != std::string::npos;
}

// Listings: a code line whose address lies near the top of the 32-bit
// range overflows the offset into the image (target/seriallink/listing.cpp).
// Skipped: any run of hexadecimal digits whose value (as the reader takes
// it, the last eight digits) is 0x7FFF0000 or more.
inline bool ListingHoldsAHugeAddress(const std::string& text)
{
    uint32_t value = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        const int d = (c >= '0' && c <= '9') ? c - '0'
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (d >= 0) {
            value = value * 16 + static_cast<uint32_t>(d);
            if (value >= 0x7FFF0000u)
                return true;
        } else {
            value = 0;
        }
    }
    return false;
}

} // namespace known
} // namespace fuzz
