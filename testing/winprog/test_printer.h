// A printer for tests under Wine: Wine's PostScript driver with a small A4
// PPD, on the port "FILE:", made the default printer. Pages printed to it
// with an output file name become a PostScript file with one showpage per
// page.
#pragma once

#include <string>

// Adds the printer once per prefix (an existing one is kept); false with
// the reason in why when the prefix cannot have it.
bool AddTestPrinter(const std::string& name, std::string& why);
