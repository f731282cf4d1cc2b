// Text macro files ("macro.txt") and the actualize pass over a text with
// the keys they give. Input: the file, then a "%%" line and the text.
#include "editor/shell/text_macros.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string file, text;
    fuzz::SplitInput(std::string(reinterpret_cast<const char*>(data), size), file, text);
    const std::vector<TextMacro> macros = ParseTextMacros(file);
    FUZZ_CHECK(macros.size() <= static_cast<size_t>(kMaxTextMacros));
    // The keys as the editor makes them: the names that begin with "$",
    // without it.
    std::vector<ActualizeKey> keys;
    for (const TextMacro& m : macros) {
        FUZZ_CHECK(m.name.size() <= static_cast<size_t>(kMaxTextMacroName));
        if (m.name.size() >= 2 && m.name[0] == '$')
            keys.push_back({m.name.substr(1), m.text});
    }
    const std::string before = text;
    const std::vector<ActualizeEdit> edits = PlanActualize(text, keys);
    // Hits lie in the document's own text, a key's hits at distinct places
    // of it: the edits are bounded by the input, whatever the values hold.
    FUZZ_CHECK(edits.size() <= keys.size() * before.size());
    // The edits, made on the original text in their order, give the result.
    std::string replayed = before;
    for (const ActualizeEdit& e : edits) {
        FUZZ_CHECK(e.position >= 0 && e.length >= 0);
        FUZZ_CHECK(static_cast<size_t>(e.position) + static_cast<size_t>(e.length) <= replayed.size());
        replayed.replace(static_cast<size_t>(e.position), static_cast<size_t>(e.length), e.value);
    }
    FUZZ_CHECK(replayed == text);
    return 0;
}
