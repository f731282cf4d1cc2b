#include "linker/model.h"

#include "linker/messages.h"

namespace tessel {

sclass_entry sclass_table[SCLASS_COUNT + 1] = {
    {"text", "co", 0, -1, -1}, {"xram", "xr", 1, -1, -1}, {"bit", "bi", 2, -1, -1},
    {"dram", "dr", 3, -1, -1}, {"iram", "ir", 4, -1, -1}, {nullptr, nullptr, 0, 0, 0},
};

link_options options;
std::vector<object_module*> objects;
std::vector<library_file*> libraries;
std::vector<link_segment*> segments;
std::vector<subsegment*> subsegments;
std::vector<public_symbol*> publics;
std::vector<source_file*> source_files;
std::deque<sgraph_edge*> edges;
int32_t graph_roots;
int32_t graph_max_level = -1;
std::vector<link_segment*> placed;
int32_t total_used;
int32_t binary_size;
int crc_mode;

int32_t clamp_int32(int64_t value)
{
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

int sclass_index(const link_segment* seg)
{
    return seg->sclass < 0 ? SCLASS_TEXT : seg->sclass;
}

const char* sclass_name(const link_segment* seg)
{
    return sclass_table[sclass_index(seg)].name;
}

subsegment* subsegment_of(const object_module* obj, uint32_t number)
{
    if (number >= obj->subs.size())
        return nullptr;
    return obj->subs[number];
}

template <class T> static void delete_all(T& list)
{
    for (auto* p : list)
        delete p;
    list.clear();
}

// Nothing but this list points at the call graph's edges, so when the program
// ends (normally or through a fatal error) they would be lost the moment the
// list itself is destroyed. Defined after the list, this owner is destroyed
// first and frees them.
static struct edge_owner {
    ~edge_owner() { delete_all(edges); }
} edges_freed_at_exit;

void link_reset(void)
{
    messages_reset();
    name_reset();
    delete_all(objects);
    delete_all(libraries);
    delete_all(segments);
    delete_all(subsegments);
    delete_all(publics);
    delete_all(source_files);
    delete_all(edges);
    placed.clear();
    options = link_options();
    options.binary = true;
    for (int i = 0; i < SCLASS_COUNT; ++i)
        sclass_table[i].start = sclass_table[i].cursor = -1;
    graph_roots = 0;
    graph_max_level = -1;
    total_used = 0;
    binary_size = 0;
    crc_mode = 0;
}

} // namespace tessel
