#include "linker/sgraph.h"

#include "linker/messages.h"

#include <algorithm>

namespace tessel {

static int32_t extent(const link_segment* seg)
{
    return std::max(seg->used, seg->size);
}

static const char* nm(const link_segment* seg)
{
    return seg->entry->name.c_str();
}

static bool reach(void)
{
    for (long round = 0;; ++round) {
        bool changed = false;
        for (sgraph_edge* e : edges) {
            if (e->inactive)
                continue;
            if (!e->owner->in_use) {
                e->inactive = true;
                e->caller->in_use = false;
                changed = true;
            } else if (!e->caller->in_use && e->caller->root) {
                e->caller->in_use = true;
                e->callee->in_use = true;
                changed = true;
            } else if (e->caller->in_use && !e->callee->in_use) {
                e->callee->in_use = true;
                changed = true;
            }
        }
        if (!changed)
            return true;
        if (round >= 1000000)
            internal_stop();
    }
}

void sgraph_build(void)
{
    graph_roots = 0;
    graph_max_level = -1;
    reach();

    // Offsets: a callee's data starts after its caller's.
    for (sgraph_edge* e : edges) {
        if (e->inactive)
            continue;
        if (e->offset == -1)
            e->offset = std::max(e->caller->used, e->caller->size);
        if (!e->caller->in_use)
            e->inactive = true;
        else if (!e->callee->in_use)
            internal_stop();
    }

    bool any = false;
    for (sgraph_edge* e : edges) {
        if (e->inactive)
            continue;
        e->callee->graph = -1;
        any = true;
    }
    if (!any)
        return;

    for (sgraph_edge* e : edges)
        if (!e->inactive && e->caller->graph == 0)
            e->caller->graph = ++graph_roots;
    if (graph_roots == 0) {
        report(1, "cyclic dependencies, can't build call graph");
        return;
    }

    // A path through an acyclic graph visits each segment at most once, so a
    // level above the number of segments can only come from a cycle.
    const int32_t deepest = static_cast<int32_t>(segments.size());
    for (bool changed = true; changed;) {
        changed = false;
        for (sgraph_edge* e : edges) {
            if (e->inactive || e->caller->graph <= 0)
                continue;
            link_segment* caller = e->caller;
            link_segment* callee = e->callee;
            if (caller->level + 1 > callee->level) {
                callee->level = caller->level + 1;
                changed = true;
                if (callee->level > deepest) {
                    report(1, "cyclic dependencies arround '%s' and '%s', can't build call graph",
                           nm(callee), nm(caller));
                    return;
                }
                callee->parent = caller;
            }
            if (callee->graph == -1) {
                callee->graph = caller->graph;
                changed = true;
            } else if (callee->graph != caller->graph) {
                report(1, "intersecting segments '%s' and '%s', can't build call graph", nm(callee),
                       nm(caller));
                return;
            }
        }
    }

    // Base offsets grow along paths; the same bound catches cycles that no
    // root reaches.
    for (int32_t rounds = 0;; ++rounds) {
        bool changed = false;
        sgraph_edge* last = nullptr;
        for (sgraph_edge* e : edges) {
            if (e->inactive)
                continue;
            int32_t base = e->caller->base + e->offset;
            if (base > e->callee->base) {
                e->callee->base = base;
                changed = true;
                last = e;
            }
        }
        if (!changed)
            break;
        if (rounds > deepest) {
            report(1, "cyclic dependencies arround '%s' and '%s', can't build call graph",
                   nm(last->callee), nm(last->caller));
            return;
        }
    }

    // Tree tops: every callee points to the top of its tree, whose size grows
    // to hold the deepest data.
    for (sgraph_edge* e : edges) {
        if (e->inactive)
            continue;
        link_segment* top = e->callee;
        for (int32_t steps = 0; top->parent; ++steps) {
            if (steps > deepest) {
                report(1, "cyclic dependency between segments '%s' and '%s', can't build call graph",
                       nm(e->callee), nm(e->caller));
                return;
            }
            top = top->parent;
        }
        if (top != e->callee)
            e->callee->parent = top;
        int32_t need = std::max(e->caller->base + extent(e->caller), e->callee->base + extent(e->callee));
        if (need > top->size)
            top->size = need;
    }

    for (sgraph_edge* e : edges) {
        if (e->inactive)
            continue;
        link_segment* caller = e->caller;
        link_segment* callee = e->callee;
        link_segment* top = callee->parent ? callee->parent : callee;
        if (caller->level >= callee->level) {
            report(1, "cyclic dependency between segments '%s' and '%s', can't build call graph",
                   nm(callee), nm(caller));
            return;
        }
        if (top->level >= callee->level) {
            report(1, "cyclic dependency between segments '%s' and '%s', can't build call graph",
                   nm(callee), nm(top));
            return;
        }
        if (top->level > caller->level) {
            report(1, "cyclic dependency between segments '%s' and '%s', can't build call graph",
                   nm(caller), nm(top));
            return;
        }
        callee->in_use = false;
        caller->in_use = false;
        top->in_use = true;
        if (callee->level > graph_max_level)
            graph_max_level = callee->level;
    }
}

void sgraph_set_addresses(int32_t graph, int32_t address)
{
    for (sgraph_edge* e : edges) {
        if (e->inactive || e->caller->graph != graph)
            continue;
        e->caller->org = address + e->caller->base;
        e->callee->org = address + e->callee->base;
    }
}

} // namespace tessel
