#include "make/gravik/diskname.h"
#include "common/text.h"

#include <cctype>
#include <map>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace gravik {

std::string split_directory(const std::string& path, std::string* rest)
{
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) {
        if (rest)
            *rest = path;
        return std::string();
    }
    if (rest)
        *rest = path.substr(cut + 1);
    return path.substr(0, cut);
}

#ifdef _WIN32

std::string disk_path(const std::string& name)
{
    std::string p = name;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

std::string disk_base(const std::string& base, const std::string&)
{
    return disk_path(base);
}

os_time_status disk_file_time(const std::string& name, int64_t* time)
{
    return os_file_time(disk_path(name), time);
}

// The system matches names without regard to case itself.
std::string disk_existing(const std::string&)
{
    return std::string();
}

void disk_names_changed(void)
{
}

#else

// Folder listings and the folders that names lead to, kept until a command
// may have changed them.
static std::map<std::string, std::vector<std::string>> listings;
static std::map<std::string, std::string> folders;

void disk_names_changed(void)
{
    listings.clear();
    folders.clear();
}

static const std::vector<std::string>& listing(const std::string& dir)
{
    auto found = listings.find(dir);
    if (found != listings.end())
        return found->second;
    std::vector<std::string>& names = listings[dir];
    if (DIR* d = opendir(dir.empty() ? "." : dir.c_str())) {
        while (struct dirent* e = readdir(d))
            names.push_back(e->d_name);
        closedir(d);
    }
    return names;
}

static bool same_ignoring_case(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && text_equal_nocase(a.c_str(), b.c_str());
}

static bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// The entry of "dir" that matches "part" without regard to case: the exact
// name first, else the first entry that differs only in case, else "part".
static std::string match_entry(const std::string& dir, const std::string& part)
{
    if (part.empty() || part == "." || part == "..")
        return part;
    std::string exact = dir.empty() ? part : dir + "/" + part;
    if (exists(exact))
        return part;
    for (const std::string& e : listing(dir))
        if (same_ignoring_case(e, part))
            return e;
    return part;
}

// Splits at '\' and '/' and matches each part in the folder before it.
static void resolve_parts(const std::string& name, std::string* dir_out, std::string* last_out)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : name) {
        if (c == '\\' || c == '/') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    std::string dir;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        if (i == 0 && parts[0].empty()) {
            dir = "/"; // absolute path
            continue;
        }
        std::string m = match_entry(dir, parts[i]);
        if (dir.empty())
            dir = m;
        else if (dir == "/")
            dir = "/" + m;
        else
            dir += "/" + m;
        if (dir.empty())
            dir = ".";
    }
    if (dir_out)
        *dir_out = dir;
    if (last_out)
        *last_out = parts.back();
}

// As resolve_parts, with the folder of each folder part looked up once.
static void resolve(const std::string& name, std::string* dir_out, std::string* last_out)
{
    size_t cut = name.find_last_of("\\/");
    if (cut == std::string::npos) {
        dir_out->clear();
        *last_out = name;
        return;
    }
    std::string written = name.substr(0, cut);
    *last_out = name.substr(cut + 1);
    auto found = folders.find(written);
    if (found != folders.end()) {
        *dir_out = found->second;
        return;
    }
    std::string ignored;
    resolve_parts(name, dir_out, &ignored);
    folders[written] = *dir_out;
}

static std::string join(const std::string& dir, const std::string& last)
{
    if (dir.empty())
        return last;
    if (dir == "/")
        return "/" + last;
    return dir + "/" + last;
}

std::string disk_path(const std::string& name)
{
    std::string dir, last;
    resolve(name, &dir, &last);
    return join(dir, match_entry(dir, last));
}

os_time_status disk_file_time(const std::string& name, int64_t* time)
{
    if (name.find_first_of("\\/") == std::string::npos) {
        // A name in the current folder, the common case: asked as it is.
        os_time_status status = os_file_time(name, time);
        if (status != OS_TIME_MISSING || name.empty() || name == "." || name == "..")
            return status;
        for (const std::string& e : listing(std::string()))
            if (e != name && same_ignoring_case(e, name))
                return os_file_time(e, time);
        return status;
    }
    std::string dir, last;
    resolve(name, &dir, &last);
    os_time_status status = os_file_time(join(dir, last), time);
    if (status != OS_TIME_MISSING || last.empty() || last == "." || last == "..")
        return status;
    for (const std::string& e : listing(dir))
        if (e != last && same_ignoring_case(e, last))
            return os_file_time(join(dir, e), time);
    return status;
}

std::string disk_existing(const std::string& name)
{
    std::string dir, last;
    resolve(name, &dir, &last);
    std::string path = join(dir, match_entry(dir, last));
    return exists(path) ? path : std::string();
}

std::string disk_base(const std::string& base, const std::string& ext_hint)
{
    std::string dir, last;
    resolve(base, &dir, &last);
    if (!ext_hint.empty()) {
        std::string m = match_entry(dir, last + "." + ext_hint);
        return join(dir, m.substr(0, last.size()));
    }
    return join(dir, match_entry(dir, last));
}

#endif

} // namespace gravik
