// listing: the assembler listings of all objects in use again, with final
// addresses and final bytes. Later tools read it by column: the ':' that
// separates address and bytes from the text stands in column 24.
#pragma once

#include <string>

namespace tessel {

void write_listing(const std::string& path);

} // namespace tessel
