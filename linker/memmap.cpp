#include "linker/memmap.h"

#include "linker/lineio.h"
#include "linker/messages.h"
#include "linker/model.h"

namespace tessel {

static unsigned hex(int32_t v)
{
    return static_cast<unsigned>(v);
}

void write_memory_map(const std::string& path, const std::string& binary_name)
{
    safe_file out;
    if (!out_open(out, path))
        fatal("unable to open '%s'", path.c_str());
    const sclass_entry& text = sclass_table[SCLASS_TEXT];
    out_printf(out, "binary:%s start:%x end:%x size:%x\n", binary_name.c_str(), hex(text.start),
               hex(text.start + binary_size - 1), hex(binary_size));
    for (int i = 0; i < SCLASS_COUNT; ++i) {
        const sclass_entry& row = sclass_table[i];
        if (row.start < row.cursor)
            out_printf(out, "sclass:%s start:%x end:%x size:%x\n", row.name, hex(row.start),
                       hex(row.cursor - 1), hex(row.cursor - row.start));
    }
    // The overlaid segments are listed again with their derived addresses.
    for (sgraph_edge* e : edges) {
        if (e->inactive)
            continue;
        e->callee->in_use = true;
        e->callee->load = -1;
    }
    for (link_segment* seg : placed) {
        if (!seg->in_use)
            continue;
        out_printf(out, "segment:%s sclass:%s start:%x", seg->entry->name.c_str(), sclass_name(seg),
                   hex(seg->org));
        if (seg->used > 0)
            out_printf(out, " end:%x size:%x", hex(seg->org + seg->used - 1), hex(seg->used));
        if (seg->load != -1 && seg->load != seg->org)
            out_printf(out, " load:%x", hex(seg->load));
        if (seg->size != -1)
            out_printf(out, " maxsize:%x", hex(seg->size));
        if (seg->kind == KIND_NOTEXT)
            out_printf(out, " notext");
        if (seg->fill)
            out_printf(out, " fill");
        out_printf(out, "\n");
    }
    if (graph_max_level >= 0) {
        out_printf(out, "sgraphmaxlevel:%x roots:%x\n", hex(graph_max_level), hex(graph_roots));
        for (int32_t g = 0; g < graph_roots; ++g)
            for (int32_t level = 0; level <= graph_max_level; ++level)
                for (link_segment* seg : placed)
                    if (seg->in_use && seg->graph == g + 1 && seg->level == level)
                        out_printf(out, "sgraph:%d segment:%s level:%d%s\n", g, seg->entry->name.c_str(),
                                   level, seg->root ? " explicitroot" : "");
    }
    if (!out_close(out))
        fatal("unable to write '%s'", path.c_str());
}

void print_overview(const std::string& binary_name, FILE* stream)
{
    const sclass_entry& text = sclass_table[SCLASS_TEXT];
    std::fprintf(stream,
                 "Binary '%s': start: $%x, end: $%x, total size: $%x/(dec.)%d bytes, used (dec.)%d bytes\n",
                 binary_name.c_str(), hex(text.start), hex(text.start + binary_size - 1), hex(binary_size),
                 binary_size, total_used);
    for (int i = 0; i < SCLASS_COUNT; ++i) {
        const sclass_entry& row = sclass_table[i];
        if (row.start < row.cursor)
            std::fprintf(stream, "Sclass '%s': start: $%x, end: $%x size: $%x/(dec.)%d Bytes\n", row.name,
                         hex(row.start), hex(row.cursor - 1), hex(row.cursor - row.start),
                         row.cursor - row.start);
    }
}

struct definition_walk {
    safe_file* out;
    bool absolute;
};

static int write_definition(name_entry* e, void* context)
{
    definition_walk* walk = static_cast<definition_walk*>(context);
    if (e->state != NAME_PUBLIC)
        return 0;
    const public_symbol* sym = static_cast<const public_symbol*>(e->payload);
    if (!sym->defined || sym->absolute != walk->absolute)
        return 0;
    if (walk->absolute)
        out_printf(*walk->out, "#define %s %d\n", e->name.c_str(), sym->value);
    else
        out_printf(*walk->out, "#define %s 0x%x\n", e->name.c_str(), hex(sym->value));
    return 0;
}

void write_definition_file(const std::string& path, int mode)
{
    safe_file out;
    if (!out_open(out, path))
        fatal("unable to open '%s'", path.c_str());
    out_printf(out, "// Definitions and labels file '%s' (generated)\n\n", path.c_str());
    if (mode & 1) {
        out_printf(out, "// Definitions:\n");
        definition_walk walk{&out, true};
        name_walk(write_definition, &walk);
        out_printf(out, "\n");
    }
    if (mode & 2) {
        out_printf(out, "// Labels:\n");
        definition_walk walk{&out, false};
        name_walk(write_definition, &walk);
        out_printf(out, "\n// End\n");
    }
    if (!out_close(out))
        fatal("unable to write '%s'", path.c_str());
}

} // namespace tessel
