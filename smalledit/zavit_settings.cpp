#include "smalledit/zavit_settings.h"

#include "common/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

FileWindowEntry* FileWindowList::Peek(const std::string& name)
{
    for (FileWindowEntry& e : entries_)
        if (text_equal_nocase(e.name.c_str(), name.c_str()))
            return &e;
    return nullptr;
}

FileWindowEntry* FileWindowList::Find(const std::string& name)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (text_equal_nocase(it->name.c_str(), name.c_str())) {
            entries_.splice(entries_.begin(), entries_, it);
            return &entries_.front();
        }
    }
    entries_.push_front(FileWindowEntry());
    entries_.front().name = name;
    return &entries_.front();
}

// Reads the next optionally signed decimal number, blanks skipped; a
// missing number reads as 0.
static int next_number(const char*& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    char* end = nullptr;
    long value = std::strtol(p, &end, 10);
    if (end == p)
        return 0;
    p = end;
    return static_cast<int>(value);
}

// A quoted name: the text up to the last quote of the line, so that a name
// holding a quote reads back (numbers never hold one). False without a
// closing quote.
static bool quoted_text(const char* start, std::string& text, const char*& rest)
{
    const char* close = nullptr;
    for (const char* p = start; *p; ++p)
        if (*p == '\'')
            close = p;
    if (!close)
        return false;
    text.assign(start, close);
    rest = close + 1;
    return true;
}

void zavit_read_settings(const std::string& text, ZavitSettings& s, FileWindowList& list,
                         const std::function<void()>& formatError)
{
    size_t pos = 0;
    auto next_line = [&](std::string& line) {
        if (pos >= text.size())
            return false;
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos = end + 1;
        return true;
    };
    // Each "Window= '" line finds its entry as FileWindowList::Find does,
    // through an index of the names (case folded), so that a long file reads
    // in one pass.
    std::list<FileWindowEntry>& entries = list.Entries();
    std::unordered_map<std::string, std::list<FileWindowEntry>::iterator> index;
    for (auto it = entries.begin(); it != entries.end(); ++it)
        index.emplace(text_lower(it->name), it);
    auto find_entry = [&](const std::string& name) {
        auto known = index.emplace(text_lower(name), entries.end());
        if (known.second) {
            entries.push_front(FileWindowEntry());
            entries.front().name = name;
        } else {
            entries.splice(entries.begin(), entries, known.first->second);
        }
        known.first->second = entries.begin();
        return &entries.front();
    };
    std::string line;
    if (!next_line(line) || line != "[Zavit]") {
        formatError();
        return;
    }
    while (next_line(line)) {
        const char* p = line.c_str();
        if (const char* rest = line.compare(0, 7, "Font= '") == 0 ? p + 7 : nullptr) {
            std::string face;
            if (!quoted_text(rest, face, rest))
                return;
            s.face = face.substr(0, 39);
            s.height = next_number(rest);
            s.weight = next_number(rest);
            s.italic = next_number(rest) != 0;
        } else if (line.compare(0, 9, "Desktop= ") == 0) {
            const char* q = p + 9;
            s.x = next_number(q);
            s.y = next_number(q);
            s.w = next_number(q);
            s.h = next_number(q);
            s.minimized = next_number(q) != 0;
            s.maximized = next_number(q) != 0;
            s.persistent = next_number(q) != 0;
            s.classic = next_number(q) != 0;
        } else if (line.compare(0, 9, "Window= '") == 0) {
            std::string name;
            const char* q = nullptr;
            if (!quoted_text(p + 9, name, q))
                return;
            FileWindowEntry* e = find_entry(name);
            int x = next_number(q), y = next_number(q), w = next_number(q), h = next_number(q);
            e->x = x < 0 ? 0 : x;
            e->y = y < 0 ? 0 : y;
            e->w = w < 160 ? 160 : w;
            e->h = h < 40 ? 40 : h;
            e->minimized = next_number(q) != 0;
            e->maximized = next_number(q) != 0;
            e->open = next_number(q) != 0;
            e->column = next_number(q);
            e->line = next_number(q);
        } else {
            formatError();
        }
    }
}

static std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
static std::string format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    char buffer[160];
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

std::string zavit_window_lines(const FileWindowList& list)
{
    std::string out;
    int n = 0;
    for (const FileWindowEntry& e : list.Entries()) {
        if (n++ >= ZAVIT_WINDOW_LINES)
            break;
        out += "Window= '" + e.name + "'";
        out += format(" %d %d %d %d %d %d %d %d %d\n", e.x, e.y, e.w, e.h, e.minimized ? 1 : 0,
                      e.maximized ? 1 : 0, e.open ? 1 : 0, e.column, e.line);
    }
    return out;
}

std::string zavit_settings_text(const ZavitSettings& s, const FileWindowList& list)
{
    std::string out = "[Zavit]\n";
    out += "Font= '" + s.face + "'" +
           format(" %d %d %d\n", s.height, s.weight, s.italic ? 1 : 0);
    out += format("Desktop= %d %d %d %d %d %d %d %d\n", s.x, s.y, s.w, s.h, s.minimized ? 1 : 0,
                  s.maximized ? 1 : 0, s.persistent ? 1 : 0, s.classic ? 1 : 0);
    return out + zavit_window_lines(list);
}

std::string zavit_settings_path(const std::string& programPath)
{
    size_t base = programPath.find_last_of("\\/");
    size_t dot = programPath.rfind('.');
    if (dot == std::string::npos || (base != std::string::npos && dot < base))
        return programPath + ".INI";
    return programPath.substr(0, dot + 1) + "INI";
}

std::string zavit_start_folder(const std::string& settingsPath)
{
    size_t last = settingsPath.rfind('\\');
    if (last == std::string::npos || last == 0)
        return std::string();
    size_t before = settingsPath.rfind('\\', last - 1);
    if (before == std::string::npos)
        return std::string();
    std::string folder = settingsPath.substr(0, before);
    // "C:" alone would name the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return folder;
}
