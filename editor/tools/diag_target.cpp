#include "editor/tools/diag_target.h"

#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cctype>

namespace diag {

namespace {

std::string Folded(std::string text)
{
    for (char& c : text) {
        if (c == '/')
            c = '\\';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string FileNamePart(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int FindDocument(const std::string& name, const std::vector<std::string>& paths, bool fullPath,
                 const std::string& shortName)
{
    std::string wanted = Folded(name);
    std::string wantedShort = Folded(shortName);
    if (!fullPath)
        wanted = FileNamePart(wanted);
    for (size_t i = 0; i < paths.size(); ++i) {
        std::string path = Folded(paths[i]);
        if (fullPath) {
            if (path == wanted || (!wantedShort.empty() && path == wantedShort))
                return static_cast<int>(i);
        } else if (FileNamePart(path) == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Place SelectTarget(CColorEditCore& editor, int line, int column, int length,
                   const std::string& searchText, int searchFlags)
{
    int lines = std::max(editor.GetLineCount(), 1);
    int index = std::clamp(line - 1, 0, lines - 1);
    int lineStart = editor.GetLineOffset(index);
    if (lineStart < 0)
        lineStart = editor.GetTextLength();
    int lineLength = editor.GetLineEnd(lineStart) - lineStart;
    column = std::clamp(column, 0, lineLength);
    if (!searchText.empty()) {
        // Forward on the line alone, whatever direction the search had: a
        // column counted in bytes of the file lies before the hit when the
        // line has tabs (the editor lays them out with fill).
        const int flags = kFindForward | (searchFlags & (kFindWholeWord | kFindMatchCase));
        int hit = editor.FindText(searchText.c_str(), flags, lineStart + column, lineStart + lineLength, false);
        if (hit > lineStart + column)
            column = hit - lineStart;
    }
    int start = lineStart + column;
    int end = length < 0 ? lineStart + lineLength : start + length;
    end = std::clamp(end, start, editor.GetTextLength());
    editor.SetSel(start, end, true, true);
    Place place;
    place.line = editor.LineFromOffset(start);
    place.column = start - editor.GetLineStart(start);
    place.offset = start;
    return place;
}

} // namespace diag
