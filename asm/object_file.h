// object_file: the text object file. Lines end with CR LF on every
// platform; the file is written in binary so that both builds agree byte
// for byte.
#pragma once

#include <string>

namespace morrin {

// The object file's text for the object named obj_name (its base name is
// taken after the last '\' or '/', lower-cased). Errors found while writing
// are reported and counted.
std::string object_text(const char* obj_name, const std::string& time_text);

// Writes the object file; fatal when it cannot be created or when the base
// name is longer than 37 characters.
void write_object_file(const char* obj_name);

} // namespace morrin
