// Find in files: MB per second of the disk search over a generated tree of
// about 100 MB of C-like text (nested folders, a few hits per file), beside
// "grep -rn" on the same tree in the same run.
//
//   bench_findfiles [folder]   (default: findfiles-tree below the current folder;
//                               the tree is made once and kept)
#include "editor/tools/find_in_files.h"
#include "editor/tools/file_finder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

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
    std::printf("tree: %.1f MB in %d files\n", mb, kFolders * kFilesPerFolder);

    // A first walk of each reads the files into the page cache.
    for (int round = 0; round < 2; ++round) {
        SearchRequest request;
        request.scope = kScopeDiskFiles;
        request.flags = kSearchForward | kSearchStandard | kSearchSubdirectories;
        request.text = "needle";
        request.fileFilter = "*.c";
        request.directory = root.c_str();
        CountingOutput out;
        auto t0 = std::chrono::steady_clock::now();
        const int hits = SearchDiskFiles(request, false, out);
        const double finder = Seconds(t0);

        t0 = std::chrono::steady_clock::now();
        const std::string command = "grep -rn -i needle '" + root + "' > /dev/null";
        const int rc = std::system(command.c_str());
        const double grep = Seconds(t0);
        if (round == 0)
            continue;
        std::printf("find in files (case-blind): %d hits, %.3f s, %.0f MB/s\n", hits, finder, mb / finder);
        std::printf("grep -rn -i:                %.3f s, %.0f MB/s%s\n", grep, mb / grep, rc > 1 ? " (failed)" : "");
        std::printf("ratio finder/grep speed:    %.2f\n", grep / finder);

        request.flags |= kSearchMatchCase | kSearchWholeWords;
        CountingOutput exact;
        t0 = std::chrono::steady_clock::now();
        SearchDiskFiles(request, false, exact);
        const double finderCase = Seconds(t0);
        std::printf("find in files (case, words): %.3f s, %.0f MB/s\n", finderCase, mb / finderCase);
    }
    return 0;
}
