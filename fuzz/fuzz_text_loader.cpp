// The edit control's file loader and writer (the input is the file, its
// first byte the tab width). A file loaded and saved loads again as the
// same text, line count included.
#include "editor/editctl/edit_core.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/known_faults.h"

namespace {

struct Loaded {
    std::string text;
    int lines = 0;
};

bool Load(const std::string& path, int tabWidth, Loaded& out)
{
    CUndoList undo;
    CTextState state;
    state.hasModified = true;
    state.undo = &undo;
    CColorEditCore core;
    core.AttachState(&state);
    core.SetTabWidth(tabWidth);
    if (core.LoadFile(path.c_str()) != 1)
        return false;
    out.text.assign(reinterpret_cast<const char*>(core.GetTextBuffer()), static_cast<size_t>(core.GetTextLength()));
    out.lines = core.GetLineCount();
    const std::string saved = path + ".saved";
    FUZZ_CHECK(core.SaveFile(saved.c_str(), false, false, false) == 1);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int tabWidth = 1 + data[0] % 16;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (fuzz::known::TextHoldsFillOrSoftBreakBytes(bytes))
        return 0;
    const std::string path = fuzz::WriteScratch("text.c", bytes);
    Loaded first, again;
    if (!Load(path, tabWidth, first))
        return 0;
    FUZZ_CHECK(Load(path + ".saved", tabWidth, again));
    FUZZ_CHECK(again.text == first.text);
    // An empty text counts no line after an empty file and one after a
    // file whose only line the loader drops (it stops a line at a zero
    // byte): both are the empty text.
    if (!first.text.empty())
        FUZZ_CHECK(again.lines == first.lines);
    return 0;
}
