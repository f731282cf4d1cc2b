// Zavit's settings file. The list reads back in the reverse order of the
// file, so a text written, read and written twice more is the first one
// written.
#include "fuzz/fuzz_support.h"
#include "smalledit/zavit_settings.h"

namespace {
std::string ReadAndWrite(const std::string& text)
{
    ZavitSettings settings;
    FileWindowList list;
    zavit_read_settings(text, settings, list, [] {});
    return zavit_settings_text(settings, list);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string first = ReadAndWrite(std::string(reinterpret_cast<const char*>(data), size));
    const std::string second = ReadAndWrite(first);
    FUZZ_CHECK(ReadAndWrite(second) == first);
    return 0;
}
