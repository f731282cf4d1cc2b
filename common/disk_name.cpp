#include "common/disk_name.h"
#include "common/text.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/inotify.h>
#endif

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

std::string disk_output_path(const std::string& name)
{
    return disk_path(name);
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

void disk_names_forget(void)
{
}

#else

// Folder listings and the folders that names lead to. A build runs a
// command per target and each one changes the folder it writes to; reading
// the whole folder again for every target that is not made yet would cost
// the square of the folder's size. So each listing is watched: the system
// reports the names each command added or removed, and the listing takes
// them in. A listing that cannot be watched is read again after each
// command.
//
// The names are kept by their case-folded form, each with the entries of
// that form in the order the folder listed them (then as they came).
struct folder_listing {
    std::unordered_map<std::string, std::vector<std::string>> by_folded;
    int watch = -1;
};
static std::map<std::string, folder_listing> listings;
static std::map<std::string, std::string> folders;

static std::string folded(const std::string& name)
{
    std::string f = name;
    for (char& c : f)
        c = text_lower_char(c);
    return f;
}

#ifdef __linux__
static int notify_fd = -1;      // -2: the system refused one
static std::map<int, std::vector<std::string>> watched; // watch -> the listings of that folder

static int watch_folder(const std::string& dir)
{
    if (notify_fd == -1) {
        notify_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (notify_fd < 0)
            notify_fd = -2;
    }
    if (notify_fd < 0)
        return -1;
    const uint32_t events = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                            IN_ONLYDIR;
    const int w = inotify_add_watch(notify_fd, dir.empty() ? "." : dir.c_str(), events);
    if (w >= 0)
        watched[w].push_back(dir);
    return w;
}
#else
static int watch_folder(const std::string&)
{
    return -1;
}
#endif

void disk_names_forget(void)
{
#ifdef __linux__
    if (notify_fd >= 0) {
        for (const auto& w : watched)
            inotify_rm_watch(notify_fd, w.first);
    }
    watched.clear();
#endif
    listings.clear();
    folders.clear();
}

#ifdef __linux__
// Takes one reported change into the listings of its folder; false when the
// listings can no longer be trusted.
static bool take_event(const inotify_event* e)
{
    if (e->mask & IN_Q_OVERFLOW)
        return false;
    auto w = watched.find(e->wd);
    if (w == watched.end())
        return true;
    if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED))
        return false;
    if (e->len == 0)
        return true;
    const std::string name = e->name;
    const std::string key = folded(name);
    for (const std::string& dir : w->second) {
        auto found = listings.find(dir);
        if (found == listings.end())
            continue;
        std::vector<std::string>& names = found->second.by_folded[key];
        auto at = std::find(names.begin(), names.end(), name);
        if ((e->mask & (IN_CREATE | IN_MOVED_TO)) && at == names.end())
            names.push_back(name);
        else if ((e->mask & (IN_DELETE | IN_MOVED_FROM)) && at != names.end())
            names.erase(at);
    }
    return true;
}
#endif

void disk_names_changed(void)
{
    // The folders that names lead to are found again from the listings.
    folders.clear();
    bool trusted = true;
#ifdef __linux__
    if (notify_fd >= 0) {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = read(notify_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t at = 0; at < n;) {
                const inotify_event* e = reinterpret_cast<const inotify_event*>(buffer + at);
                trusted = take_event(e) && trusted;
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
    }
#endif
    if (!trusted) {
        disk_names_forget();
        return;
    }
    for (auto l = listings.begin(); l != listings.end();) {
        if (l->second.watch < 0)
            l = listings.erase(l);
        else
            ++l;
    }
}

// The entries of "dir" that equal "name" without regard to case (itself
// among them when it exists), in the folder's order.
static const std::vector<std::string>& case_forms(const std::string& dir, const std::string& name)
{
    static const std::vector<std::string> none;
    auto found = listings.find(dir);
    if (found == listings.end()) {
        folder_listing& l = listings[dir];
        // Watched before it is read, so that no change falls between the two.
        l.watch = watch_folder(dir);
        if (DIR* d = opendir(dir.empty() ? "." : dir.c_str())) {
            while (struct dirent* e = readdir(d)) {
                const std::string entry = e->d_name;
                l.by_folded[folded(entry)].push_back(entry);
            }
            closedir(d);
        }
        found = listings.find(dir);
    }
    auto forms = found->second.by_folded.find(folded(name));
    return forms == found->second.by_folded.end() ? none : forms->second;
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
    const std::vector<std::string>& forms = case_forms(dir, part);
    return forms.empty() ? part : forms.front();
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

std::string disk_output_path(const std::string& name)
{
    std::string dir, last;
    resolve(name, &dir, &last);
    return join(dir, last);
}

os_time_status disk_file_time(const std::string& name, int64_t* time)
{
    if (name.find_first_of("\\/") == std::string::npos) {
        // A name in the current folder, the common case: asked as it is.
        os_time_status status = os_file_time(name, time);
        if (status != OS_TIME_MISSING || name.empty() || name == "." || name == "..")
            return status;
        for (const std::string& e : case_forms(std::string(), name))
            if (e != name)
                return os_file_time(e, time);
        return status;
    }
    std::string dir, last;
    resolve(name, &dir, &last);
    os_time_status status = os_file_time(join(dir, last), time);
    if (status != OS_TIME_MISSING || last.empty() || last == "." || last == "..")
        return status;
    for (const std::string& e : case_forms(dir, last))
        if (e != last)
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
