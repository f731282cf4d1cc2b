#include "asm/sources.h"

#include "common/disk_name.h"
#include "common/speicher.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace morrin {

static char* source_table[MAX_SOURCE_FILES];
static int32_t source_count;
static std::map<std::string, std::string> virtual_files;

const char* source_file_name(int32_t index)
{
    return index >= 1 && index <= source_count ? source_table[index - 1] : nullptr;
}

int32_t source_file_count(void) { return source_count; }

int32_t add_source_file(const char* name)
{
    if (source_count >= MAX_SOURCE_FILES)
        return 0;
    size_t len = std::strlen(name);
    char* copy = static_cast<char*>(speicher_alloc(static_cast<int32_t>(len + 1)));
    std::memcpy(copy, name, len + 1);
    source_table[source_count++] = copy;
    return source_count;
}

void sources_add_virtual_file(const char* name, const std::string& content) { virtual_files[name] = content; }

void sources_reset(void)
{
    for (int32_t i = 0; i < source_count; i++)
        speicher_free(source_table[i]);
    source_count = 0;
    virtual_files.clear();
}

static bool readable(const std::string& name)
{
    FILE* f = std::fopen(name.c_str(), "rb");
    if (f)
        std::fclose(f);
    return f != nullptr;
}

std::string source_output_base(const std::string& name)
{
    if (virtual_files.find(name) != virtual_files.end() || readable(name))
        return name;
    return disk_output_path(name);
}

bool load_source_file(const char* name, std::string& data)
{
    auto v = virtual_files.find(name);
    if (v != virtual_files.end()) {
        data = v->second;
        return true;
    }
    FILE* f = std::fopen(name, "rb");
    if (!f) {
        // Sources written for Windows name their files in any case and
        // their folders with '\'.
        f = std::fopen(disk_path(name).c_str(), "rb");
    }
    if (!f)
        return false;
    data.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    std::fclose(f);
    return true;
}

bool open_line_reader(line_reader& r, const char* name)
{
    r.pos = 0;
    r.open = load_source_file(name, r.data);
    return r.open;
}

void close_line_reader(line_reader& r)
{
    r.data.clear();
    r.pos = 0;
    r.open = false;
}

// A line ends with LF, CR LF or a lone CR (old Mac files). The rest of a
// longer line is dropped, not read as a line of its own: a piece of a long
// comment must never be assembled, and the line numbers must stay those of
// the file.
bool next_raw_line(line_reader& r, std::string& out, bool* too_long)
{
    if (r.pos >= r.data.size())
        return false;
    const char* d = r.data.data();
    size_t n = r.data.size();
    size_t start = r.pos;
    size_t end = start;
    while (end < n && d[end] != '\n' && d[end] != '\r')
        ++end;
    r.pos = end;
    if (r.pos < n && d[r.pos] == '\r')
        ++r.pos;
    if (r.pos < n && d[r.pos] == '\n')
        ++r.pos;
    size_t len = end - start;
    *too_long = len > MAX_RAW_LINE;
    out.assign(d + start, *too_long ? static_cast<size_t>(MAX_RAW_LINE) : len);
    return true;
}

} // namespace morrin
