// sgraph: the call graph of overlaid data segments. Each tree of caller and
// callee segments is replaced by its top segment, sized for its deepest path;
// placement places the top and derives the addresses of the others.
#pragma once

#include "linker/model.h"

namespace tessel {

void sgraph_build(void);

// Gives every segment of graph `graph` the address top + its base offset.
void sgraph_set_addresses(int32_t graph, int32_t address);

} // namespace tessel
