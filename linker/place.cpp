#include "linker/place.h"

#include "linker/messages.h"
#include "linker/sgraph.h"

#include <algorithm>

namespace tessel {

static const int32_t code_limit = 0x1FFFE0;
static int last_started;   // the internal-RAM row that was started last

static const char* nm(const link_segment* seg)
{
    return seg->entry->name.c_str();
}

bool segment_before(const link_segment* a, const link_segment* b)
{
    int sa = sclass_index(a), sb = sclass_index(b);
    if (sa != sb)
        return sa < sb;
    bool ma = a->org == -1, mb = b->org == -1;
    if (ma && mb) {
        if (a->page || b->page)
            return a->page < b->page;
        if (a->align || b->align)
            return a->align < b->align;
        return false;
    }
    if (ma != mb)
        return mb;
    return a->org < b->org;
}

void collect_segments(void)
{
    if (segments.empty())
        fatal("no segments found");
    for (link_segment* seg : segments) {
        if (seg->sclass == -1)
            seg->sclass = SCLASS_TEXT;
        if (seg->org != -1) {
            if (seg->sclass == SCLASS_TEXT) {
                seg->org = clamp_int32(int64_t{seg->org} + options.text_offset);
            } else if (seg->sclass == SCLASS_XRAM) {
                seg->org = clamp_int32(int64_t{seg->org} + options.xram_offset);
                if (options.xram_offset != 0)
                    report(0, "external XRAM org and segment org set in sclass '%s' (segment '%s')",
                           sclass_name(seg), nm(seg));
            }
        }
        if (seg->size != -1 && seg->used > seg->size)
            report(1, "segment '%s' full (maxsize: %d)", nm(seg), seg->size);
    }
    placed = segments;
    std::stable_sort(placed.begin(), placed.end(), segment_before);
}

// Where an internal-RAM row starts when its first segment is movable: after
// the bit-addressable bytes in use, or after direct RAM for indirect RAM.
static int32_t new_sclass_start(int row)
{
    int before = last_started;
    if ((row == SCLASS_DRAM || row == SCLASS_IRAM) && before == SCLASS_BIT)
        return clamp_int32(32 + (int64_t{sclass_table[SCLASS_BIT].cursor} + 7) / 8);
    if (row == SCLASS_IRAM && before == SCLASS_DRAM)
        return sclass_table[SCLASS_DRAM].cursor;
    if (row == SCLASS_DRAM)
        return 32;
    return 0;
}

static int32_t placed_size(link_segment* seg)
{
    if (!seg->fill)
        return seg->used;
    if (seg->size == -1) {
        report(1, "%s: segment classsified 'fill' but without size set", nm(seg));
        seg->size = 0;
    }
    return seg->size;
}

static bool crosses_page(int64_t start, int64_t size, int64_t page)
{
    return page > 0 && size != 0 && start / page != (start + size - 1) / page;
}

void place_segments(void)
{
    last_started = -1;
    link_segment* first = placed[0];
    if (sclass_index(first) != SCLASS_TEXT) {
        report(1, "wrong sclass '%s' for first segment", sclass_name(first));
        return;
    }
    if (first->org == -1) {
        report(1, "no entry point (org $0) in sclass '%s'", sclass_name(first));
        first->org = 0;
        return;
    }
    if (first->org > 0 && first->org != options.text_offset) {
        if (options.text_offset != 0) {
            report(1, "option '-r..' and entry point not $0 in sclass '%s' (segment '%s')",
                   sclass_name(first), nm(first));
            return;
        }
        options.text_offset = first->org;
    }
    sclass_table[SCLASS_TEXT].start = sclass_table[SCLASS_TEXT].cursor = options.text_offset;
    sclass_table[SCLASS_XRAM].start = sclass_table[SCLASS_XRAM].cursor =
        static_cast<int32_t>(options.xram_offset);

    const size_t n = placed.size();
    for (size_t i = 0; i < n; ++i) {
        if (!placed[i]->in_use)
            continue;
        int s = sclass_index(placed[i]);
        sclass_entry& row = sclass_table[s];
        size_t best = n;
        int64_t best_start = 0, best_size = 0;
        for (size_t j = i; j < n && sclass_index(placed[j]) == s; ++j) {
            link_segment* c = placed[j];
            if (!c->in_use)
                continue;
            if (row.start == -1) {
                row.start = row.cursor = c->org != -1 ? c->org : new_sclass_start(s);
                last_started = s;
            }
            int64_t start = c->org != -1 ? c->org : row.cursor;
            int64_t size = placed_size(c);
            if (c->org == -1) {
                if (c->align > 0)
                    start = (start + c->align - 1) / c->align * c->align;
                if (crosses_page(start, size, c->page))
                    start = (start / c->page + 1) * c->page;
            }
            if (best == n || start + size < best_start) {
                best = j;
                best_start = start;
                best_size = size;
            }
        }
        link_segment* chosen = placed[best];
        if (chosen->align > 0 && best_start % chosen->align != 0)
            report(1, "can't align segment '%s', sclass '%s' to $%x", nm(chosen), row.name,
                   static_cast<unsigned>(chosen->align));
        if (crosses_page(best_start, best_size, chosen->page))
            report(1, "segment '%s', sclass '%s', size $%x doesn't fit in page $%x", nm(chosen),
                   row.name, static_cast<unsigned>(best_size), static_cast<unsigned>(chosen->page));
        if (best_start < row.cursor)
            report(chosen->kind == KIND_NOTEXT && s != SCLASS_TEXT ? 0 : 1,
                   "segment '%s' overlay in sclass '%s' at address $%x", nm(chosen), row.name,
                   static_cast<unsigned>(best_start));
        chosen->org = clamp_int32(best_start);
        row.cursor = clamp_int32(best_start + best_size);
        chosen->load = s == SCLASS_TEXT ? chosen->org : -1;
        std::rotate(placed.begin() + static_cast<long>(i), placed.begin() + static_cast<long>(best),
                    placed.begin() + static_cast<long>(best) + 1);
        if (chosen->graph > 0)
            sgraph_set_addresses(chosen->graph, chosen->org);
    }
}

void assign_load_addresses(void)
{
    if (placed.empty())
        return;
    int64_t a = placed[0]->load;
    for (size_t i = 0; i < placed.size(); ++i) {
        link_segment* seg = placed[i];
        if (!seg->in_use || seg->kind == KIND_NOTEXT)
            continue;
        if (sclass_index(seg) == SCLASS_TEXT) {
            if (seg->load > a) {
                // Initial data that fits fills the gap before this segment.
                int64_t gap = seg->load - a;
                for (;;) {
                    size_t j = i + 1;
                    for (; j < placed.size(); ++j) {
                        link_segment* m = placed[j];
                        if (m->in_use && m->kind != KIND_NOTEXT && m->load == -1 && m->used <= gap)
                            break;
                    }
                    if (j == placed.size())
                        break;
                    link_segment* m = placed[j];
                    std::rotate(placed.begin() + static_cast<long>(i),
                                placed.begin() + static_cast<long>(j),
                                placed.begin() + static_cast<long>(j) + 1);
                    ++i;
                    m->load = clamp_int32(a);
                    a += m->used;
                    gap -= m->used;
                    total_used = clamp_int32(int64_t{total_used} + m->used);
                }
            }
            a = int64_t{seg->org} + seg->used;
            total_used = clamp_int32(int64_t{total_used} + seg->used);
        } else if (seg->load == -1) {
            seg->load = clamp_int32(a);
            a += seg->used;
            sclass_entry& text = sclass_table[SCLASS_TEXT];
            text.cursor = clamp_int32(int64_t{text.cursor} + seg->used);
            total_used = clamp_int32(int64_t{total_used} + seg->used);
        }
    }
}

void set_linker_symbol(const std::string& name, int32_t value)
{
    name_entry* e = name_find(name.c_str(), true);
    if (!e)
        return;
    if (e->state == NAME_PUBLIC) {
        public_symbol* sym = static_cast<public_symbol*>(e->payload);
        if (sym->owner) {
            report(1, "identifier '%s' already exported in '%s'", name.c_str(),
                   sym->owner->entry->name.c_str());
            return;
        }
        sym->value = value;
        sym->defined = true;
    } else if (e->state != NAME_NEW) {
        report(1, "identifier '%s' already in use", name.c_str());
    }
}

static void check_limits(void)
{
    int64_t stack = 32;
    for (link_segment* seg : placed) {
        if (!seg->in_use)
            continue;
        if (seg->org < 0)
            report(1, "%s: negative org", nm(seg));
        int64_t extent = std::max(seg->used, seg->size);
        int64_t end = int64_t{seg->org} + extent;
        int64_t load_end = int64_t{seg->load} + extent;
        int64_t limit = code_limit;
        switch (sclass_index(seg)) {
        case SCLASS_BIT:
            limit = 128;
            if (extent != 0)
                stack = std::max(stack, 32 + (end + 7) / 8);
            break;
        case SCLASS_DRAM:
            limit = 128;
            stack = std::max(stack, end);
            break;
        case SCLASS_IRAM:
            limit = 256;
            stack = std::max(stack, end);
            break;
        default:
            break;
        }
        if (end > limit || load_end > code_limit + 1)
            report(1, "%s: out of memory (full), sclass '%s' at address $%x (max. addr. $%x)", nm(seg),
                   sclass_name(seg), static_cast<unsigned>(seg->org), static_cast<unsigned>(limit));
    }
    set_linker_symbol("__stack_org__", clamp_int32(stack));
}

void define_linker_symbols(void)
{
    for (link_segment* seg : placed) {
        const std::string& name = seg->entry->name;
        set_linker_symbol("__" + name + "_org__", seg->org);
        set_linker_symbol("__" + name + "_size__", seg->used);
        set_linker_symbol("__" + name + "_maxsize__", seg->size);
        if (seg->in_use && seg->kind != KIND_NOTEXT)
            set_linker_symbol("__" + name + "_load__", seg->load);
    }

    sclass_entry& text = sclass_table[SCLASS_TEXT];
    int64_t high = text.cursor;
    for (link_segment* seg : placed)
        if (seg->in_use && seg->kind != KIND_NOTEXT && seg->load > 0)
            high = std::max(high, int64_t{seg->load} + seg->used);
    binary_size = clamp_int32(high - text.start);

    name_entry* safe = name_find("__bin_safe", true);
    bool safe_exported = safe && safe->state == NAME_PUBLIC &&
                         static_cast<public_symbol*>(safe->payload)->owner &&
                         static_cast<public_symbol*>(safe->payload)->owner->in_use;
    if (options.crc || safe_exported) {
        crc_mode = options.crc == 2 ? 2 : 1;
        binary_size = clamp_int32(int64_t{binary_size} + 2);
        total_used = clamp_int32(int64_t{total_used} + 2);
    }
    set_linker_symbol("__bin_size__", binary_size);

    for (int i = 0; i < SCLASS_COUNT; ++i) {
        const sclass_entry& row = sclass_table[i];
        set_linker_symbol(std::string("__") + row.name + "_size__", clamp_int32(int64_t{row.cursor} - row.start));
        set_linker_symbol(std::string("__") + row.name + "_org__", row.start);
    }

    check_limits();

    for (link_segment* seg : placed) {
        seg->offset = 0;
        for (subsegment* sub : seg->subs) {
            if (!sub->references)
                continue;
            sub->address = clamp_int32(int64_t{seg->org} + seg->offset);
            sub->load = seg->kind == KIND_NOTEXT ? -1 : clamp_int32(int64_t{seg->load} + seg->offset);
            seg->offset = clamp_int32(int64_t{seg->offset} + sub->used);
        }
    }

    for (public_symbol* sym : publics) {
        if (!sym->owner || !sym->owner->in_use)
            continue;
        subsegment* sub = subsegment_of(sym->owner, static_cast<uint32_t>(sym->segment));
        if (sub && sub->references) {
            sym->value = clamp_int32(int64_t{sym->offset} + sub->address);
            sym->defined = true;
        }
    }
}

} // namespace tessel
