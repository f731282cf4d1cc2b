#include "linker/image.h"

#include "linker/lineio.h"
#include "linker/messages.h"
#include "linker/model.h"

#include <algorithm>

namespace tessel {

static uint16_t crc_register = 0xFFFF;
static uint8_t crc_low[256], crc_high[256];
static bool crc_table_ready;

static void crc_make_table(void)
{
    for (unsigned i = 0; i < 256; ++i) {
        unsigned v = i;
        for (int bit = 0; bit < 8; ++bit)
            v = (v & 1) ? (v >> 1) ^ 0xA001 : v >> 1;
        crc_low[i] = static_cast<uint8_t>(v);
        crc_high[i] = static_cast<uint8_t>(v >> 8);
    }
    crc_table_ready = true;
}

void crc_reset(void)
{
    crc_register = 0xFFFF;
}

uint16_t crc_update(int mode, const uint8_t* bytes, size_t count)
{
    if (mode == 1) {
        if (!crc_table_ready)
            crc_make_table();
        uint8_t low = static_cast<uint8_t>(crc_register), high = static_cast<uint8_t>(crc_register >> 8);
        for (size_t i = 0; i < count; ++i) {
            uint8_t index = low ^ bytes[i];
            low = high ^ crc_low[index];
            high = crc_high[index];
        }
        crc_register = static_cast<uint16_t>(high << 8 | low);
    } else {
        uint16_t crc = crc_register;
        for (size_t i = 0; i < count; ++i) {
            crc ^= static_cast<uint16_t>(bytes[i] << 8);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x8005) : static_cast<uint16_t>(crc << 1);
        }
        crc_register = crc;
    }
    return crc_register;
}

void write_binary(const std::string& path)
{
    std::vector<subsegment*> items;
    for (subsegment* sub : subsegments)
        if (sub->references && sub->segment->kind != KIND_NOTEXT)
            items.push_back(sub);
    std::stable_sort(items.begin(), items.end(),
                     [](const subsegment* a, const subsegment* b) { return a->load < b->load; });
    if (items.empty())
        fatal("objectfile ist empty");

    safe_file out;
    if (!out_open(out, path))
        fatal("unable to open '%s'", path.c_str());
    if (crc_mode)
        crc_reset();

    // The image covers the code memory from the start of sclass text to the
    // binary size, like the memory map: space that a notext segment
    // reserves there, before, between or after the code, is filled like any
    // other gap.
    int32_t base = std::min(sclass_table[SCLASS_TEXT].start, items[0]->load);
    if (base > 0xFFFFFF || base < 0)
        fatal("internal error: 0x%x", static_cast<unsigned>(base));
    const int64_t image_size = int64_t{binary_size} - (crc_mode ? 2 : 0);
    int64_t written = 0;
    int32_t address = base;
    std::vector<uint8_t> gap;
    for (subsegment* sub : items) {
        // Nothing beyond the size placement computed is ever written: a
        // wrong size stops the run before the bytes go out.
        int64_t ahead = std::max<int64_t>(0, int64_t{sub->load} - address) +
                        static_cast<int64_t>(std::min(sub->content.size(), static_cast<size_t>(sub->used)));
        if (written + ahead > image_size)
            fatal("Internal error: bphas");
        if (address < sub->load) {
            gap.assign(static_cast<size_t>(sub->load - address), 0xFF);
            out_bytes(out, gap.data(), gap.size());
            if (crc_mode)
                crc_update(crc_mode, gap.data(), gap.size());
            written += static_cast<int64_t>(gap.size());
            address = sub->load;
        }
        size_t n = std::min(sub->content.size(), static_cast<size_t>(sub->used));
        out_bytes(out, sub->content.data(), n);
        if (crc_mode)
            crc_update(crc_mode, sub->content.data(), n);
        written += static_cast<int64_t>(n);
        address = clamp_int32(int64_t{address} + sub->used);
    }
    if (written < image_size) {
        gap.assign(static_cast<size_t>(image_size - written), 0xFF);
        out_bytes(out, gap.data(), gap.size());
        if (crc_mode)
            crc_update(crc_mode, gap.data(), gap.size());
        written = image_size;
    }

    if (crc_mode) {
        uint16_t crc = crc_update(crc_mode, nullptr, 0);
        uint8_t bytes[2] = {static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)};
        out_bytes(out, bytes, 2);
        written += 2;
    }
    if (written != binary_size)
        fatal("Internal error: bphas");
    uint8_t trailer[4] = {static_cast<uint8_t>(base >> 24), static_cast<uint8_t>(base >> 16),
                          static_cast<uint8_t>(base >> 8), static_cast<uint8_t>(base)};
    out_bytes(out, trailer, 4);
    if (!out_close(out))
        fatal("unable to write '%s'", path.c_str());
}

} // namespace tessel
