// The edit control's file loader and writer (the input is the file, its
// first byte the tab width). A file is either refused, leaving the text as
// it was, or loaded and saved with every byte but its line ends as it was,
// and loads again as the same text, line count included.
#include "editor/editctl/edit_core.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>

namespace {

struct Loaded {
    std::string text;
    int lines = 0;
    std::string saved; // the file it was saved as
};

std::string TextOf(CColorEditCore& core)
{
    return std::string(reinterpret_cast<const char*>(core.GetTextBuffer()),
                       static_cast<size_t>(core.GetTextLength()));
}

std::string WithoutLineEnds(std::string bytes)
{
    bytes.erase(std::remove_if(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; }),
                bytes.end());
    return bytes;
}

// Loads path over a text already held; false when it was refused.
bool Load(const std::string& path, int tabWidth, Loaded& out)
{
    CUndoList undo;
    CTextState state;
    state.hasModified = true;
    state.undo = &undo;
    CColorEditCore core;
    core.AttachState(&state);
    core.SetTabWidth(tabWidth);
    const std::string kept = fuzz::WriteScratch("kept.c", "kept\r\ntext");
    FUZZ_CHECK(core.LoadFile(kept.c_str()) == 1);
    const std::string keptText = TextOf(core);
    const int keptLines = core.GetLineCount();
    if (core.LoadFile(path.c_str()) != 1) {
        FUZZ_CHECK(TextOf(core) == keptText && core.GetLineCount() == keptLines);
        return false;
    }
    out.text = TextOf(core);
    out.lines = core.GetLineCount();
    const std::string saved = path + ".saved";
    FUZZ_CHECK(core.SaveFile(saved.c_str(), false, false, false) == 1);
    out.saved = fuzz::ReadScratch(saved);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int tabWidth = 1 + data[0] % 16;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string path = fuzz::WriteScratch("text.c", bytes);
    // Only the bytes the text model keeps for itself make a refusal.
    const bool reserved = bytes.find_first_of(std::string("\0\x01\x02", 3)) != std::string::npos;
    Loaded first, again;
    const bool loaded = Load(path, tabWidth, first);
    FUZZ_CHECK(loaded != reserved);
    if (!loaded)
        return 0;
    FUZZ_CHECK(WithoutLineEnds(first.saved) == WithoutLineEnds(bytes));
    FUZZ_CHECK(Load(path + ".saved", tabWidth, again));
    FUZZ_CHECK(again.text == first.text);
    // An empty text counts no line after an empty file and one after a
    // file of one empty line ("\n\r": its lone CR is dropped), which
    // saves as the empty file.
    if (!first.text.empty())
        FUZZ_CHECK(again.lines == first.lines);
    return 0;
}
