// strip: keeps only the subsegments reachable from the fixed-address code
// through reference lines.
#pragma once

#include "linker/model.h"

#include <string>

namespace tessel {

// Calls fn(target) for every subsegment that the reference line names in its
// expression (other than the patched one); returns the patched subsegment.
// A malformed line is fatal "Stripping: corrupt line: '%s'".
subsegment* ref_targets(object_module* obj, const std::string& ref,
                        void (*fn)(subsegment* patched, subsegment* target, void* context),
                        void* context, bool scan_expression);

void strip_unused(void);

} // namespace tessel
