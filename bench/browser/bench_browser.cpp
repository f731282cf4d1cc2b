// Prints how fast the source browser's scans read a tree of real sources:
//   bench_browser [megabytes=30] [folder=bench_browser_tree]
// The tree is made of copies of googletest's sources and curl's examples
// (both installed by scripts/setup) until it holds the given size. The
// browser's worker scans it as one search path entry, as it does for the
// user: the files are listed and read, and the #define, enum, struct, union
// and typedef scans, the functions with their variables, and the prototypes
// run over each. The same tree is then indexed by universal-ctags, when it
// is installed (which lists and reads the files too). The tree is removed
// at the end.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "editor/browser/browse_sources.h"
#include "editor/browser/browse_worker.h"

namespace fs = std::filesystem;

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

bool IsSource(const fs::path& p)
{
    std::string e = p.extension().string();
    return e == ".c" || e == ".cc" || e == ".h" || e == ".cpp";
}

// Copies the corpora into folder/copyN/ until the tree holds bytes.
size_t MakeTree(const fs::path& folder, size_t bytes, std::vector<fs::path>& files)
{
    const char* const corpora[] = {"/usr/src/googletest", "/usr/share/doc/libcurl4/examples"};
    std::vector<std::pair<fs::path, fs::path>> sources; // file, path below the corpus
    for (const char* c : corpora) {
        std::error_code ec;
        if (!fs::is_directory(c, ec))
            continue;
        for (auto it = fs::recursive_directory_iterator(c, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_regular_file(ec) && IsSource(it->path()))
                sources.push_back({it->path(), fs::path(fs::path(c).filename()) / fs::relative(it->path(), c, ec)});
    }
    if (sources.empty())
        return 0;
    size_t total = 0;
    for (int copy = 0; total < bytes; ++copy) {
        for (const auto& s : sources) {
            fs::path target = folder / ("copy" + std::to_string(copy)) / s.second;
            std::error_code ec;
            fs::create_directories(target.parent_path(), ec);
            fs::copy_file(s.first, target, fs::copy_options::overwrite_existing, ec);
            if (ec)
                continue;
            total += static_cast<size_t>(fs::file_size(target, ec));
            files.push_back(target);
        }
    }
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    size_t megabytes = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 30;
    fs::path folder = argc > 2 ? argv[2] : "bench_browser_tree";
    std::error_code ec;
    fs::remove_all(folder, ec);
    std::vector<fs::path> files;
    size_t bytes = MakeTree(folder, megabytes << 20, files);
    if (bytes == 0) {
        std::fprintf(stderr, "bench_browser: no real sources found (run scripts/setup)\n");
        return 1;
    }
    const double mb = static_cast<double>(bytes) / (1 << 20);
    std::printf("tree: %zu files, %.1f MB (copies of googletest's sources and curl's examples)\n", files.size(), mb);

    // The scan as the browser's worker runs it over a search path: the
    // files are listed, read once each, and every kind is scanned.
    BrowseRequest request;
    request.flags = kBrowseDefines | kBrowseEnums | kBrowseTypes | kBrowseFunctions | kBrowseVariables |
        kBrowseDeclarations;
    request.searchPaths = {FormatSearchPath(folder.string(), "*.c *.cc *.h *.cpp", true)};
    auto scan = [&](CBrowserMaps& maps) {
        std::atomic<bool> stop{false};
        auto start = std::chrono::steady_clock::now();
        RunBrowseScan(request, maps, stop, {});
        return SecondsSince(start);
    };
#ifndef _WIN32
    const bool haveTool = std::system("ctags --version >/dev/null 2>&1") == 0;
    const fs::path tags = folder.string() + ".tags";
    const std::string cmd = "ctags -R --kinds-C=+pl --kinds-C++=+pl -f '" + tags.string() + "' '" +
        folder.string() + "' 2>/dev/null";
    int rc = 0;
    auto tool = [&] {
        auto start = std::chrono::steady_clock::now();
        rc = std::system(cmd.c_str());
        return SecondsSince(start);
    };
#else
    const bool haveTool = false;
    auto tool = [] { return 0.0; };
    int rc = 0;
#endif
    // Turns taken, so that both meet the same load; the medians are shown.
    const int rounds = 3;
    std::vector<double> ourTimes, toolTimes;
    std::unique_ptr<CBrowserMaps> maps;
    for (int r = 0; r < rounds; ++r) {
        maps = std::make_unique<CBrowserMaps>();
        ourTimes.push_back(scan(*maps));
        if (haveTool && rc == 0)
            toolTimes.push_back(tool());
    }
    const double ours = Median(ourTimes);
    size_t symbols = maps->defines.GetSymbolCount() + maps->enums.GetSymbolCount() + maps->types.GetSymbolCount() +
        maps->functions.GetSymbolCount() + maps->variables.GetSymbolCount() + maps->declarations.GetSymbolCount();
    std::printf("median of %d turns each\n", rounds);
    std::printf("browser scans:   %7.2f s  %7.1f MB/s  %9zu symbols  %10.0f symbols/s\n", ours, mb / ours, symbols,
                static_cast<double>(symbols) / ours);
    std::printf("  defines %zu, enumerators %zu, types and members %zu, functions %zu, variables %zu, "
                "prototypes %zu\n",
                maps->defines.GetSymbolCount(), maps->enums.GetSymbolCount(), maps->types.GetSymbolCount(),
                maps->functions.GetSymbolCount(), maps->variables.GetSymbolCount(),
                maps->declarations.GetSymbolCount());
#ifndef _WIN32
    if (!haveTool) {
        std::printf("universal-ctags: not installed, no comparison\n");
    } else if (rc != 0) {
        std::printf("universal-ctags: failed (exit %d)\n", rc);
    } else {
        const double theirs = Median(toolTimes);
        size_t count = 0;
        std::ifstream in(tags);
        for (std::string line; std::getline(in, line);)
            if (line.compare(0, 6, "!_TAG_") != 0)
                ++count;
        std::printf("universal-ctags: %7.2f s  %7.1f MB/s  %9zu tags     %10.0f tags/s\n", theirs, mb / theirs,
                    count, static_cast<double>(count) / theirs);
        std::printf("browser speed / ctags speed: %.2f (goal: at least 1)\n", theirs / ours);
    }
    fs::remove(tags, ec);
#else
    (void)tool;
    (void)haveTool;
    (void)rc;
    std::printf("universal-ctags: compared on the native build only\n");
#endif
    fs::remove_all(folder, ec);
    return 0;
}
