#include "editor/tools/doc_search.h"

#include "editor/editctl/edit_core.h"
#include "editor/syntax/lexical.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const int kLineTextLimit = 32767;

// The editor's search flags of a request: direction, whole words, case.
int EditorFlags(uint32_t flags)
{
    return static_cast<int>(flags & (kSearchDirectionMask | kSearchWholeWords | kSearchMatchCase));
}

} // namespace

int SearchEditorView(const SearchView& view, const SearchRequest& request, bool suppressComments,
                     CFindInFilesOutput& output)
{
    CColorEditCore& core = *view.editor;
    const std::string text = request.text ? request.text : "";
    if (text.empty())
        return 0;
    int selStart = 0, selEnd = 0;
    core.GetSel(selStart, selEnd);
    std::vector<char> line(kLineTextLimit + 1);
    int hits = 0;
    int pos = 0;
    while (pos != -1) {
        core.SetSel(pos, pos, false, false);
        const int hit = core.FindText(text.c_str(), EditorFlags(request.flags) | kFindNoFocus, pos, -1, false);
        if (hit < 0)
            break;
        const char* buffer = reinterpret_cast<const char*>(core.GetTextBuffer());
        if (!(suppressComments && IsInsideComment(buffer + hit, buffer))) {
            const int length = core.GetLineAtOffset(hit, line.data(), static_cast<int>(line.size()));
            std::string lineText;
            for (int i = 0; i < length; ++i) {
                if (line[static_cast<size_t>(i)] != 1) // the fill behind a tab
                    lineText += line[static_cast<size_t>(i)];
            }
            char numbers[40];
            std::snprintf(numbers, sizeof numbers, "(%d,%d):", core.LineFromOffset(hit) + 1,
                          hit - core.GetLineStart(hit) + 1);
            output.AppendLine(view.path + numbers + lineText, false);
            ++hits;
        }
        pos = hit + static_cast<int>(text.size());
    }
    core.SetSel(selStart, selEnd, false, false);
    return hits;
}

int SearchOpenDocuments(const std::vector<SearchView>& views, const SearchRequest& request,
                        bool suppressComments, CFindInFilesOutput& output)
{
    output.AppendLine(SearchHeaderLine(request.text), false);
    int hits = 0;
    for (const SearchView& view : views) {
        if (view.editor)
            hits += SearchEditorView(view, request, suppressComments, output);
    }
    output.AppendLine(DocumentSummaryLine(hits), true);
    output.SearchFinished();
    return hits;
}

int SearchCurrentDocument(const SearchView& active, const SearchRequest& request, bool suppressComments,
                          CFindInFilesOutput& output)
{
    if (!active.editor) {
        output.AppendLine(SearchHeaderLine(request.text), false);
        return 0;
    }
    return SearchOpenDocuments({active}, request, suppressComments, output);
}
