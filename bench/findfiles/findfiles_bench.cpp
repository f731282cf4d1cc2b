// Find in files: MB per second of the disk search over a generated tree of
// about 100 MB of C-like text (nested folders, a few hits per file), beside
// grep doing the same search on the same tree in the same run (case-blind
// beside "grep -rn -i", whole words with case beside "grep -rnw"), with
// grep's output read through a pipe and its line count checked against the
// finder's hits.
//
//   bench_findfiles [folder]   (default: findfiles-tree below the current folder;
//                               the tree is made once and kept)
#include "editor/tools/find_in_files.h"
#include "editor/tools/file_finder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const int kFolders = 20;
const int kFilesPerFolder = 50;
const size_t kFileSize = 100 * 1024; // 20 * 50 * 100 KB = about 100 MB

struct CountingOutput : CNeutralFindInFilesOutput {
    long lines = 0;
    void AppendLine(const std::string&, bool) override { ++lines; }
};

bool MakeTree(const std::string& root, size_t* bytes)
{
    mkdir(root.c_str(), 0777);
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const char* words[] = {"int", "char", "return", "while", "buffer", "count", "value", "static", "void", "if"};
    *bytes = 0;
    for (int d = 0; d < kFolders; ++d) {
        std::string dir = root + "/dir" + std::to_string(d);
        mkdir(dir.c_str(), 0777);
        if (d % 2) {
            dir += "/nested";
            mkdir(dir.c_str(), 0777);
        }
        for (int f = 0; f < kFilesPerFolder; ++f) {
            std::string text;
            text.reserve(kFileSize + 100);
            while (text.size() < kFileSize) {
                std::string line = "    ";
                for (int w = 0; w < 8; ++w) {
                    line += words[(next() >> 8) % 10];
                    line += ' ';
                }
                if ((next() >> 8) % 97 == 0)
                    line += "needle ";
                text += line + "\n";
            }
            const std::string path = dir + "/file" + std::to_string(f) + ".c";
            FILE* out = std::fopen(path.c_str(), "wb");
            if (!out)
                return false;
            std::fwrite(text.data(), 1, text.size(), out);
            std::fclose(out);
            *bytes += text.size();
        }
    }
    return true;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Runs a grep command line and reads all it prints, as a user's pipe would
// (GNU grep stops at a file's first hit when its output is /dev/null, so
// that would not be the same work). Returns the lines read, -1 on failure.
long GrepLines(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[1 << 16];
    long lines = 0;
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        for (size_t i = 0; i < n; ++i)
            lines += buffer[i] == '\n';
    }
    const int rc = pclose(pipe);
    return rc == 0 ? lines : -1;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One way of searching, beside the grep command doing the same work.
struct Pairing {
    const char* name;
    uint32_t flags;
    const char* grepOptions;
    double goal; // grep's time / the finder's at least this
};

const int kRounds = 7;

} // namespace

int main(int argc, char** argv)
{
    const std::string root = argc > 1 ? argv[1] : JoinPath(CurrentDirectory(), "findfiles-tree");
    size_t bytes = 0;
    std::printf("making the tree in %s...\n", root.c_str());
    if (!MakeTree(root, &bytes)) {
        std::fprintf(stderr, "cannot write the tree in %s\n", root.c_str());
        return 1;
    }
    const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    std::printf("tree: %.1f MB in %d files; medians of %d rounds, the finder and grep taking turns\n", mb,
                kFolders * kFilesPerFolder, kRounds);

    const Pairing pairings[] = {
        {"case-blind", 0, "-rn -i", 1.3},
        {"case, whole words", kSearchMatchCase | kSearchWholeWords, "-rnw", 1.0},
    };
    int failures = 0;
    for (const Pairing& p : pairings) {
        SearchRequest request;
        request.scope = kScopeDiskFiles;
        request.flags = kSearchForward | kSearchStandard | kSearchSubdirectories | p.flags;
        request.text = "needle";
        request.fileFilter = "*.c";
        request.directory = root.c_str();
        const std::string command = std::string("grep ") + p.grepOptions + " needle '" + root + "'";
        std::vector<double> finderTimes, grepTimes;
        int hits = 0;
        long grepLines = 0;
        // The first round reads the files into the page cache and is not counted.
        for (int round = 0; round <= kRounds; ++round) {
            CountingOutput out;
            auto t0 = std::chrono::steady_clock::now();
            hits = SearchDiskFiles(request, false, out);
            const double finder = Seconds(t0);
            t0 = std::chrono::steady_clock::now();
            grepLines = GrepLines(command);
            const double grep = Seconds(t0);
            if (round > 0) {
                finderTimes.push_back(finder);
                grepTimes.push_back(grep);
            }
        }
        const double finder = Median(finderTimes);
        const double grep = Median(grepTimes);
        // Every hit line holds the text once, so hits and grep's lines agree.
        const bool same = grepLines == hits;
        std::printf("%s:\n", p.name);
        std::printf("  find in files     %d hits, %.3f s, %.0f MB/s\n", hits, finder, mb / finder);
        std::printf("  grep %-12s %ld lines, %.3f s, %.0f MB/s%s\n", p.grepOptions, grepLines, grep, mb / grep,
                    grepLines < 0 ? " (failed)" : "");
        std::printf("  grep's time / the finder's: %.2f (goal at least %.2f)%s\n", grep / finder, p.goal,
                    same ? "" : "  HITS DIFFER");
        if (!same)
            ++failures;
    }
    return failures ? 1 : 0;
}
