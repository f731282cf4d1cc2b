// Diagnostic lines of the output panes: the input is the pane text, its
// first byte picks the message format and the click offset. The target a
// line names lies within the pane's text.
#include "editor/tools/diag_parse.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int pick = data[0];
    const std::string pane(reinterpret_cast<const char*>(data) + 2, size - 2);
    const size_t offset = pane.empty() ? 0 : (data[1] * 131u) % (pane.size() + 1);
    const diag::Format format = static_cast<diag::Format>(pick % 16 - 1);
    const diag::Target t = diag::ParseOutputLine(format, pane, offset);
    FUZZ_CHECK(t.line >= 0);
    FUZZ_CHECK(t.file.size() <= pane.size());
    size_t start = 0;
    const std::string_view line = diag::LineAt(pane, offset, &start);
    FUZZ_CHECK(start <= pane.size() && start + line.size() <= pane.size());
    const diag::Target r = diag::ParseResultLine(line, pick & 1, pick >> 1);
    FUZZ_CHECK(r.file.size() <= line.size());
    (void)diag::ReadNumber(line);
    (void)diag::FormatFromName(line);
    return 0;
}
