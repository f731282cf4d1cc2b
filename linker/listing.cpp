#include "linker/listing.h"

#include "linker/fixup.h"
#include "linker/lineio.h"
#include "linker/messages.h"
#include "common/text.h"
#include "linker/model.h"

#include <cstring>

namespace tessel {

static int indentation;   // keeps text under the ':' of rows above 0xFFFF

static const char* const indents[] = {"", " ", "  "};
static const char* const blank24 = "                        ";

static bool starts_with(const std::string& line, const char* key)
{
    return line.compare(0, std::strlen(key), key) == 0;
}

static void list_code_line(safe_file& out, object_module* obj, const std::string& line)
{
    subsegment* sub = nullptr;
    int32_t offset = 0;
    const char* p = scan_location(obj, line.c_str() + 4, &sub, &offset);
    if (!p || !sub || std::strncmp(p, " u:", 3) != 0)
        corrupt_line(line.c_str());
    p += 3;
    uint32_t count = 0;
    if (!scan_hex(p, count))
        corrupt_line(line.c_str());
    if (count == 0)
        internal_stop();
    if (*p == ' ')
        ++p;
    else if (*p)
        corrupt_line(line.c_str());
    const char* text = p;

    if (!sub->references) {
        out_printf(out, "%s%s: %s\n", indents[indentation], blank24, text);
        return;
    }
    const char* short_name = sclass_table[sclass_index(sub->segment)].short_name;
    bool notext = sub->segment->kind == KIND_NOTEXT;
    uint32_t address = static_cast<uint32_t>(sub->address) + static_cast<uint32_t>(offset);
    // Reserved space shows no bytes, only its extent: however large, it is
    // listed as its first row, a text row with its size and its last row.
    const uint64_t rows = (uint64_t{count} + 4) / 5;
    for (uint64_t r = 0; r < rows; ++r) {
        if (notext && rows > 3 && r == 1) {
            out_printf(out, "%s%s: ... %lu bytes reserved\n", indents[indentation], blank24,
                       static_cast<unsigned long>(count));
            r = rows - 2;
            continue;
        }
        uint32_t row = static_cast<uint32_t>(r * 5);
        out_printf(out, "%s:%04x: ", short_name, address + row);
        for (uint32_t col = 0; col < 5; ++col) {
            uint64_t i = uint64_t{row} + col;
            if (i >= count) {
                out_printf(out, "   ");
            } else if (notext) {
                out_printf(out, "xx ");
            } else {
                size_t at = static_cast<size_t>(offset) + static_cast<size_t>(i);
                if (at >= sub->content.size())
                    internal_stop();
                out_printf(out, "%02x ", sub->content[at]);
            }
        }
        if (row == 0)
            out_printf(out, ": %s\n", text);
        else
            out_printf(out, ":\n");
    }
    uint32_t after = address + count;
    indentation = after > 0xFFFFF ? 2 : after > 0xFFFF ? 1 : 0;
}

static void list_definition(safe_file& out, object_module* obj, const std::string& line)
{
    const char* p = line.c_str() + 4;
    const char* blank = std::strchr(p, ' ');
    if (!blank)
        corrupt_line(line.c_str());
    std::string name(p, blank);
    subsegment* sub = nullptr;
    int32_t offset = 0;
    const char* rest = scan_location(obj, blank + 1, &sub, &offset);
    if (!rest || *rest)
        corrupt_line(line.c_str());
    if (sub && !sub->references)
        return;
    out_printf(out, "=  %20.20s = ", name.c_str());
    if (sub) {
        int32_t value = static_cast<int32_t>(static_cast<uint32_t>(sub->address) + static_cast<uint32_t>(offset));
        out_printf(out, "%5x (hex), %6d (dez), %s\n", static_cast<unsigned>(value), value,
                   sclass_name(sub->segment));
    } else {
        out_printf(out, "%5x (hex), %6d (dez)\n", static_cast<unsigned>(offset), offset);
    }
}

void write_listing(const std::string& path)
{
    safe_file out;
    if (!out_open(out, path))
        fatal("unable to open '%s'", path.c_str());
    out_printf(out, "listing:%s, %s", path.c_str(), text_run_time().c_str());
    indentation = 0;
    for (object_module* obj : objects) {
        if (!obj->in_use)
            continue;
        current_object = obj;
        current_object_name = obj->entry->name.c_str();
        if (obj->library)
            out_printf(out, "objectfile:%s: (in %s):\n", obj->entry->name.c_str(),
                       obj->library->entry->name.c_str());
        else
            out_printf(out, "objectfile:%s:\n", obj->entry->name.c_str());
        for (const std::string& line : obj->debug) {
            if (starts_with(line, "dtx "))
                out_printf(out, "%s%s: %s\n", indents[indentation], blank24, line.c_str() + 4);
            else if (starts_with(line, "dhl "))
                out_printf(out, "%s%s:>%s\n", indents[indentation], blank24, line.c_str() + 4);
            else if (starts_with(line, "dco "))
                list_code_line(out, obj, line);
            else if (starts_with(line, "def:"))
                list_definition(out, obj, line);
            else
                corrupt_line(line.c_str());
        }
        out_printf(out, "\n");
    }
    if (!out_close(out))
        fatal("unable to write '%s'", path.c_str());
}

} // namespace tessel
