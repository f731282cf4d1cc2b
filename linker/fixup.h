// fixup: evaluates the postfix expression of each reference line and patches
// the result into the content bytes of its subsegment.
#pragma once

#include "linker/model.h"

#include <string>

namespace tessel {

// Value of a postfix expression of object obj; 0 after any error (each error
// is reported with the reference line's source position).
int32_t evaluate(object_module* obj, const char* expression);

// A location "@N:O" or "@m:O" at p: the subsegment (none for "m") and offset.
// Returns the text after it, or nullptr when it is malformed.
const char* scan_location(object_module* obj, const char* p, subsegment** sub, int32_t* offset);

void apply_fixup(object_module* obj, const std::string& ref);
void apply_all_fixups(void);

} // namespace tessel
