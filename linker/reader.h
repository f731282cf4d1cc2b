// reader: the text object files of the command line and the members of the
// libraries, with every check of their lines.
#pragma once

#include "linker/model.h"

#include <cstdio>

namespace tessel {

enum read_mode { READ_FULL, READ_INDEX };

// Reads one object's lines up to "objectend" or the end of the file. In index
// mode only the imports and exports are taken.
void read_object(object_module* obj, FILE* f, read_mode mode);

void read_object_files(void);
void library_pass1(void);
void mark_members(void);
void library_pass2(void);

} // namespace tessel
