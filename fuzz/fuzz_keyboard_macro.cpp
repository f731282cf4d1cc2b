// Keyboard macro files (*.mcr): the words of a file and the steps a
// playback carries out; the file form of the words reads back the same.
#include "editor/shell/keyboard_macro.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<uint32_t> words = MacroWordsOfBytes(bytes);
    FUZZ_CHECK(words.size() == size / 4);
    const std::vector<MacroStep> steps = MacroStepsOfWords(words);
    FUZZ_CHECK(steps.size() <= words.size() * 4 + 1);
    FUZZ_CHECK(MacroWordsOfBytes(MacroFileBytes(words)) == words);
    return 0;
}
