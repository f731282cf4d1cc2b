#include "editor/shell/workspace_file.h"

#include <cctype>
#include <cstdio>

namespace {

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool is_number(const std::string& text, bool hex, unsigned long long limit, unsigned long long& out)
{
    size_t i = 0;
    bool negative = false;
    if (!hex && !text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i >= text.size() || text.size() - i > (hex ? 8u : 10u))
        return false;
    unsigned long long v = 0;
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (hex ? !std::isxdigit(c) : !std::isdigit(c))
            return false;
        v = v * (hex ? 16 : 10) + static_cast<unsigned>(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    if (v > limit)
        return false;
    out = negative ? static_cast<unsigned long long>(-static_cast<long long>(v)) : v;
    return true;
}

std::vector<std::string> split_commas(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

// The first count parts, joined again by their commas.
std::string join_commas(const std::vector<std::string>& parts, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += (i ? "," : "") + parts[i];
    return text;
}

// Whether fields are the position fields of an entry (a prefix of them);
// fills entry when they are.
bool read_fields(const std::vector<std::string>& fields, size_t from, OpenFileEntry& entry)
{
    const size_t count = fields.size() - from;
    if (count > 5)
        return false;
    OpenFileEntry e;
    for (size_t i = 0; i < count; ++i) {
        const std::string& f = fields[from + i];
        unsigned long long v = 0;
        if (i < 2) {
            if (!is_number(f, false, 0x7FFFFFFFull, v))
                return false;
            (i == 0 ? e.topLine : e.caret) = static_cast<long>(static_cast<long long>(v));
        } else if (i < 4) {
            if (!is_number(f, true, 0xFFFFFFFFull, v))
                return false;
            (i == 2 ? e.timeLow : e.timeHigh) = static_cast<uint32_t>(v);
        } else {
            if (f.size() != 1)
                return false;
            e.state = f[0];
        }
    }
    e.fields = static_cast<int>(count);
    e.bare = false;
    entry = e;
    return true;
}

} // namespace

std::string FormatOpenFileEntry(const OpenFileEntry& entry)
{
    char tail[80];
    std::snprintf(tail, sizeof tail, ",%ld,%ld,%lX,%lX", entry.topLine, entry.caret,
                  static_cast<unsigned long>(entry.timeLow), static_cast<unsigned long>(entry.timeHigh));
    std::string text = entry.path + tail;
    if (entry.state == 'm' || entry.state == 'M')
        text += std::string(",") + entry.state;
    return text;
}

OpenFileEntry ParseOpenFileEntry(const std::string& value)
{
    OpenFileEntry entry;
    const std::vector<std::string> parts = split_commas(value);
    // The writer puts four fields behind the path, and a fifth only for the
    // states "m" and "M": read from the right, its own fields are found
    // whatever the path's end looks like.
    for (size_t count : {size_t(5), size_t(4)}) {
        if (parts.size() <= count || (count == 5 && parts.back() != "m" && parts.back() != "M"))
            continue;
        const size_t at = parts.size() - count;
        OpenFileEntry e;
        if (!read_fields(parts, at, e))
            continue;
        e.path = join_commas(parts, at);
        return e;
    }
    if (parts.size() > 1) {
        // Other forms (entries edited by hand): a split that gives four or
        // five fields wins; a shorter tail only when none has.
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t at = 1; at < parts.size(); ++at) {
                const size_t count = parts.size() - at;
                if (pass == 0 && count < 4)
                    break;
                OpenFileEntry e;
                // An empty tail (a value ending in a comma) is a path with no fields.
                bool ok = (count == 1 && parts[at].empty()) ? (e.bare = false, true)
                                                             : read_fields(parts, at, e);
                if (!ok)
                    continue;
                e.path = join_commas(parts, at);
                return e;
            }
        }
    }
    entry.path = value;
    return entry;
}

std::string FormatActFile(const std::string& path, bool maximized)
{
    if (maximized)
        return path + ",M";
    // A name that ends in "," or in "," and a letter ("main.c,v") would be
    // read with its end taken for the state: an empty state follows it.
    const size_t comma = path.rfind(',');
    if (comma != std::string::npos && (comma + 1 == path.size() || comma + 2 == path.size()))
        return path + ",";
    return path;
}

void ParseActFile(const std::string& value, std::string& path, char& state)
{
    state = 0;
    path = value;
    size_t comma = value.rfind(',');
    if (comma != std::string::npos && comma + 2 == value.size() &&
        std::isalpha(static_cast<unsigned char>(value[comma + 1]))) {
        state = value[comma + 1];
        path = value.substr(0, comma);
    } else if (comma != std::string::npos && comma + 1 == value.size()) {
        path = value.substr(0, comma);
    }
}

std::string FormatFileTime(uint32_t low, uint32_t high)
{
    char text[40];
    std::snprintf(text, sizeof text, "%lX,%lX", static_cast<unsigned long>(low),
                  static_cast<unsigned long>(high));
    return text;
}

bool ParseFileTime(const std::string& value, uint32_t& low, uint32_t& high)
{
    std::string text = value;
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    std::vector<std::string> parts = split_commas(text);
    unsigned long long l = 0, h = 0;
    if (parts.size() != 2 || !is_number(parts[0], true, 0xFFFFFFFFull, l) ||
        !is_number(parts[1], true, 0xFFFFFFFFull, h))
        return false;
    low = static_cast<uint32_t>(l);
    high = static_cast<uint32_t>(h);
    return true;
}

std::string WorkspaceDirectoryOf(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : lower(path.substr(0, slash));
}

std::string ExpandStoredPath(const std::string& workspaceDir, const std::string& entry)
{
    if (!entry.empty() && entry[0] == '.')
        return workspaceDir + entry.substr(1);
    return entry;
}

bool ContainsPath(const std::vector<std::string>& list, const std::string& path)
{
    const std::string wanted = lower(path);
    for (const std::string& p : list)
        if (lower(p) == wanted)
            return true;
    return false;
}

void ErasePath(std::vector<std::string>& list, const std::string& path)
{
    const std::string unwanted = lower(path);
    for (size_t i = list.size(); i-- > 0;)
        if (lower(list[i]) == unwanted)
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
}

std::vector<std::string> ClosedFilesToWrite(const std::vector<std::string>& closed,
                                            const std::vector<std::string>& fileList)
{
    std::vector<std::string> out;
    for (const std::string& c : closed)
        if (ContainsPath(fileList, c) && !ContainsPath(out, c))
            out.push_back(c);
    return out;
}

int StoredFileBarCode(int barCode, int held)
{
    const bool userHidden = (held & 0x10) || ((held & 0x20) && (barCode & 0x10));
    return (barCode & 7) | (userHidden ? 0x10 : 0);
}

bool RestoresPosition(bool haveSaveTime, uint64_t saveTime, bool haveFileTime, uint64_t fileTime)
{
    return haveSaveTime && haveFileTime && fileTime <= saveTime;
}

std::string WithWorkspaceExtension(const std::string& path)
{
    return path.find('.') == std::string::npos ? path + ".wsp" : path;
}

bool IsUntitledDocumentName(const std::string& path)
{
    if (path.find_first_of("\\/:") != std::string::npos)
        return false;
    if (lower(path).compare(0, 7, "unknown") != 0)
        return false;
    for (size_t i = 7; i < path.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(path[i])))
            return false;
    return true;
}
