#include "editor/tools/find_in_files.h"

#include "editor/syntax/lexical.h"
#include "editor/tools/file_finder.h"

#include <cstdio>
#include <cstring>

namespace {

const ptrdiff_t kLongLine = 32767;
const size_t kLongLineShown = 40;

} // namespace

std::string SearchHeaderLine(const char* text)
{
    return std::string("Search for \"") + (text ? text : "") + "\"...";
}

std::string DiskHitLine(const std::string& path, int line, int column, const char* hit, const char* data,
                        const char* dataEnd)
{
    const char* start = hit;
    while (start > data && start[-1] != '\r' && start[-1] != '\n')
        --start;
    // In binary data a zero byte before the hit would cut the hit off its
    // own line: the text then starts behind it.
    for (const char* p = hit; p > start; --p) {
        if (p[-1] == '\0') {
            start = p;
            break;
        }
    }
    const char* end = hit;
    while (end < dataEnd && *end != '\r' && *end != '\n' && *end != '\0')
        ++end;
    // The stretch counts the line end before the line as well.
    size_t length = static_cast<size_t>(end - start);
    if (static_cast<ptrdiff_t>(length) + 1 >= kLongLine)
        length = kLongLineShown;
    char numbers[40];
    std::snprintf(numbers, sizeof numbers, "(%d,%d):", line, column);
    return path + numbers + std::string(start, length);
}

std::string DocumentSummaryLine(int hits)
{
    if (hits == 0)
        return "Not any matches found!";
    return "Found " + std::to_string(hits) + " matches.";
}

int SearchDiskFiles(const SearchRequest& request, bool suppressComments, CFindInFilesOutput& output)
{
    output.AppendLine(SearchHeaderLine(request.text), true);
    const std::string text = request.text ? request.text : "";
    if (text.empty()) {
        output.AppendLine(DocumentSummaryLine(0), true);
        output.SearchFinished();
        return 0;
    }
    CRecursiveFileFind finder;
    // Only the bits the finder knows; never text mode, so offsets are the file's.
    const uint32_t finderFlags =
        request.flags & (kSearchWholeWords | kSearchMatchCase | kSearchSubdirectories | kSearchSkipComments);
    finder.Init(text.c_str(), request.directory, request.fileFilter, finderFlags);
    finder.SetCancelTest([&output] { return output.CancelRequested(); });

    int hits = 0;
    int files = 0;
    std::string lastPath;
    std::string path;
    int r = finder.FindNextFile(&path, 0);
    while (r == 1) {
        int documentHits = 0;
        if (output.SearchOpenDocument(path, &documentHits)) {
            hits += documentHits;
            if (documentHits > 0)
                ++files;
        } else {
            int line, column;
            while (const char* hit = finder.FindNextHit(&line, &column)) {
                if (output.CancelRequested()) {
                    output.AppendLine("Canceled by the operator", true);
                    return hits;
                }
                if (path != lastPath) {
                    lastPath = path;
                    ++files;
                }
                if (suppressComments && IsInsideComment(hit, finder.GetFileBuffer()))
                    continue;
                output.AppendLine(DiskHitLine(path, line, column, hit, finder.GetFileBuffer(), finder.GetDataEnd()),
                                  false);
                ++hits;
            }
        }
        r = finder.FindNextFile(&path, 1);
    }
    if (r < 0) {
        output.AppendLine("Canceled by the operator", true);
        return hits;
    }
    if (hits == 0) {
        output.AppendLine("Not any matches found!", true);
    } else {
        output.AppendLine("Found " + std::to_string(hits) + " matches in " + std::to_string(files) + " files.",
                          true);
    }
    output.SearchFinished();
    return hits;
}
