#include "linker/names.h"

namespace tessel {

static name_entry* buckets[NAME_BUCKETS];
static int entered;

unsigned name_hash(const char* name)
{
    uint32_t h = 0;
    for (const signed char* p = reinterpret_cast<const signed char*>(name); *p >= 0x20; ++p)
        h = (h << 1) ^ static_cast<uint32_t>(static_cast<int32_t>(*p));
    return h % NAME_BUCKETS;
}

name_entry* name_find(const char* name, bool lookup_only)
{
    unsigned b = name_hash(name);
    for (name_entry* e = buckets[b]; e; e = e->next)
        if (e->name == name)
            return e;
    if (lookup_only)
        return nullptr;
    name_entry* e = new name_entry{buckets[b], name, NAME_NEW, nullptr};
    buckets[b] = e;
    ++entered;
    return e;
}

void name_walk(int (*fn)(name_entry* entry, void* context), void* context)
{
    for (int b = 0; b < NAME_BUCKETS; ++b)
        for (name_entry* e = buckets[b]; e; e = e->next)
            if (fn(e, context))
                return;
}

int name_count(void)
{
    return entered;
}

void name_reset(void)
{
    for (int b = 0; b < NAME_BUCKETS; ++b) {
        while (buckets[b]) {
            name_entry* e = buckets[b];
            buckets[b] = e->next;
            delete e;
        }
    }
    entered = 0;
}

} // namespace tessel
