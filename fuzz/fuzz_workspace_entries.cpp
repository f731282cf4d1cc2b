// The text forms of a workspace file: each input line is read as an
// [OpenFiles] entry, an "ActFile" value and a file time; what is written
// from what was read reads back the same.
#include "editor/shell/workspace_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t pos = 0;
    while (pos <= input.size()) {
        size_t end = input.find('\n', pos);
        if (end == std::string::npos)
            end = input.size();
        const std::string value = input.substr(pos, end - pos);
        pos = end + 1;

        const OpenFileEntry e = ParseOpenFileEntry(value);
        if (!e.bare) {
            const OpenFileEntry again = ParseOpenFileEntry(FormatOpenFileEntry(e));
            FUZZ_CHECK(again.path == e.path);
            FUZZ_CHECK(again.topLine == e.topLine && again.caret == e.caret);
            FUZZ_CHECK(again.timeLow == e.timeLow && again.timeHigh == e.timeHigh);
            FUZZ_CHECK(again.state == ((e.state == 'm' || e.state == 'M') ? e.state : 0));
        }

        std::string path;
        char state = 0;
        ParseActFile(value, path, state);
        std::string back;
        char backState = 0;
        ParseActFile(FormatActFile(path, state == 'M'), back, backState);
        FUZZ_CHECK(back == path);
        FUZZ_CHECK((backState == 'M') == (state == 'M'));

        uint32_t low = 0, high = 0;
        if (ParseFileTime(value, low, high)) {
            uint32_t l2 = 0, h2 = 0;
            FUZZ_CHECK(ParseFileTime(FormatFileTime(low, high), l2, h2));
            FUZZ_CHECK(l2 == low && h2 == high);
        }
        (void)ExpandStoredPath(WorkspaceDirectoryOf(value), value);
        (void)IsUntitledDocumentName(value);
    }
    return 0;
}
