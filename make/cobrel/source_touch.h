// source_touch: dates every source as changed now, so that the make tool
// rebuilds every object after the makefile was saved.
#pragma once

#include "make/cobrel/make_model.h"

#include <string>

// The current time becomes the file's last-write time. 0 done, -1 the file
// does not exist or cannot be opened, 1 its time could not be set.
int touch_file(const std::string& path);

// touch_file on every source (found from the makefile's folder); returns
// the number of failures.
int touch_sources(const make_model& model);
