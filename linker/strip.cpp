#include "linker/strip.h"

#include "linker/lineio.h"
#include "linker/messages.h"

#include <cctype>
#include <cstring>

namespace tessel {

[[noreturn]] static void strip_corrupt(const std::string& ref)
{
    fatal("Stripping: corrupt line: '%s'", ref.c_str());
}

static subsegment* named_sub(object_module* obj, const std::string& ref, const char*& p)
{
    uint32_t number = 0;
    if (!scan_hex(p, number))
        strip_corrupt(ref);
    subsegment* sub = subsegment_of(obj, number);
    if (!sub)
        internal_stop();
    return sub;
}

subsegment* ref_targets(object_module* obj, const std::string& ref,
                        void (*fn)(subsegment* patched, subsegment* target, void* context),
                        void* context, bool scan_expression)
{
    const char* p = std::strchr(ref.c_str(), '@');
    if (!p)
        strip_corrupt(ref);
    ++p;
    subsegment* patched = named_sub(obj, ref, p);
    // Skip the offset of the location.
    while (*p && *p != ' ')
        ++p;
    if (!scan_expression)
        return patched;
    while (*p) {
        if (*p != ' ')
            strip_corrupt(ref);
        ++p;
        const char* start = p;
        while (*p && *p != ' ')
            ++p;
        std::string token(start, p);
        if (token.empty())
            strip_corrupt(ref);
        if (token[0] == '@') {
            const char* q = token.c_str() + 1;
            if (*q == 'm')
                continue;
            subsegment* target = named_sub(obj, ref, q);
            fn(patched, target, context);
        } else if (std::isalpha(static_cast<unsigned char>(token[0])) || token[0] == '_') {
            name_entry* e = name_find(token.c_str(), true);
            if (!e)
                strip_corrupt(ref);
            if (e->state != NAME_PUBLIC)
                continue;
            public_symbol* sym = static_cast<public_symbol*>(e->payload);
            if (!sym->owner || !sym->owner->read_full)
                continue;
            subsegment* target = subsegment_of(sym->owner, static_cast<uint32_t>(sym->segment));
            if (!target)
                internal_stop();
            fn(patched, target, context);
        }
    }
    return patched;
}

struct mark_context {
    std::vector<subsegment*>* work;
};

static void mark_target(subsegment* patched, subsegment* target, void* context)
{
    if (target == patched)
        return;
    if (target->references++ == 0)
        static_cast<mark_context*>(context)->work->push_back(target);
}

static bool any_in_use(const link_segment* seg)
{
    for (const subsegment* sub : seg->subs)
        if (sub->references)
            return true;
    return false;
}

void strip_unused(void)
{
    if (subsegments.empty())
        internal_stop();

    // Reference lines grouped by the subsegment they patch: a line marks
    // only once its own subsegment is in use, so each line is scanned once
    // and the result equals repeated rounds over all lines.
    std::vector<std::vector<std::pair<object_module*, const std::string*>>> lines(subsegments.size());
    for (object_module* obj : objects) {
        if (obj->refs.empty())
            continue;
        if (!obj->in_use)
            internal_stop();
        for (const std::string& ref : obj->refs) {
            subsegment* patched = ref_targets(obj, ref, nullptr, nullptr, false);
            lines[static_cast<size_t>(patched->global)].push_back({obj, &ref});
        }
    }

    std::vector<subsegment*> work;
    for (subsegment* sub : subsegments)
        if (sub->references)
            work.push_back(sub);
    mark_context context{&work};
    while (!work.empty()) {
        subsegment* sub = work.back();
        work.pop_back();
        for (auto& line : lines[static_cast<size_t>(sub->global)])
            ref_targets(line.first, *line.second, mark_target, &context, true);
    }

    for (subsegment* sub : subsegments) {
        if (sub->references)
            continue;
        link_segment* seg = sub->segment;
        if (seg->fill && seg->size > 0) {
            if (++seg->dropped == static_cast<int32_t>(seg->subs.size()))
                seg->size = 0;
        } else {
            seg->used -= sub->used;
            if (seg->used < 0)
                internal_stop();
            // An empty piece that something references keeps its segment
            // (an end mark, say); dropping it would leave that piece without
            // an address.
            if (seg->used == 0 && !any_in_use(seg)) {
                seg->org = -1;
                seg->in_use = false;
            }
        }
        sub->used = 0;
    }
}

} // namespace tessel
