#include "editor/browser/browse_sources.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "editor/syntax/file_mask.h"

namespace fs = std::filesystem;

SearchPathEntry ParseSearchPath(const std::string& entry)
{
    SearchPathEntry e;
    size_t first = entry.find(';');
    if (first == std::string::npos) {
        e.directory = entry;
    } else {
        e.directory = entry.substr(0, first);
        size_t second = entry.find(';', first + 1);
        if (second == std::string::npos) {
            e.masks = entry.substr(first + 1);
        } else {
            e.masks = entry.substr(first + 1, second - first - 1);
            e.subdirectories = second + 1 < entry.size() && entry[second + 1] == 'X';
        }
    }
    if (e.masks.find_first_not_of(' ') == std::string::npos) {
        // One file: its name is the mask.
        size_t slash = e.directory.rfind('\\');
        if (slash == std::string::npos)
            slash = e.directory.rfind('/');
        if (slash == std::string::npos) {
            e.masks = e.directory;
            e.directory = ".";
        } else {
            e.masks = e.directory.substr(slash + 1);
            e.directory.erase(slash);
            if (e.directory.empty())
                e.directory = "/";
        }
    }
    return e;
}

std::string FormatSearchPath(const std::string& path, const std::string& masks, bool subdirectories)
{
    return path + ";" + masks + ";" + (subdirectories ? "X" : "");
}

namespace {

bool Stopped(const std::atomic<bool>* stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

void ListDirectory(const fs::path& dir, const SearchPathEntry& entry, const std::atomic<bool>* stop,
                   std::vector<std::string>& out)
{
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec)
        return;
    std::vector<fs::path> files, dirs;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec || Stopped(stop))
            break;
        std::error_code ec2;
        if (it->is_directory(ec2)) {
            if (entry.subdirectories && !it->is_symlink(ec2))
                dirs.push_back(it->path());
        } else if (MatchFileMask(it->path().filename().string().c_str(), entry.masks.c_str())) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    std::sort(dirs.begin(), dirs.end());
    for (const fs::path& f : files)
        out.push_back(f.string());
    for (const fs::path& d : dirs) {
        if (Stopped(stop))
            return;
        ListDirectory(d, entry, stop, out);
    }
}

} // namespace

std::vector<std::string> ListSearchFiles(const SearchPathEntry& entry, const std::atomic<bool>* stop)
{
    std::vector<std::string> out;
    if (!entry.directory.empty())
        ListDirectory(fs::path(entry.directory), entry, stop, out);
    return out;
}

bool LoadSourceFile(const std::string& path, std::string& text)
{
    std::ifstream f(path, std::ios::binary | std::ios::ate);
    if (!f)
        return false;
    // One read of the size the file has now; a file that changes meanwhile
    // gives what could be read.
    const std::streamoff size = f.tellg();
    if (size < 0)
        return false;
    text.resize(static_cast<size_t>(size));
    f.seekg(0);
    f.read(&text[0], size);
    text.resize(static_cast<size_t>(f.gcount()));
    return !f.bad();
}
