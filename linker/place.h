// place: segments by storage class. Collects and sorts the segments, gives
// each in-use segment its address and initialised data its place in the code
// image, defines the linker symbols and checks the limits of each memory.
#pragma once

#include "linker/model.h"

namespace tessel {

void collect_segments(void);
void place_segments(void);
void assign_load_addresses(void);
void define_linker_symbols(void);

// Sets a linker-defined name that a program imports; names nobody uses are
// left alone.
void set_linker_symbol(const std::string& name, int32_t value);

// The order of placement: storage class, then page or align of movable
// segments, fixed before movable, fixed by org. A strict weak order.
bool segment_before(const link_segment* a, const link_segment* b);

} // namespace tessel
