// macro_options: options inside the value of a makefile macro, as the
// report reader takes them apart ("-r$2000,$8000", "-dCPU_NSEC=620", "-g2").
#pragma once

#include <string>

// Looks for the first place where the prefix matches (without regard to
// case). With whole_word, a non-blank byte right behind the prefix ends the
// search without a match (a later place is not looked at). On a match the
// whole non-blank run that holds it and the blanks before it are cut out of
// the value, leading blanks of the value are removed, *argument is the
// trimmed rest of the run behind the prefix, and the result is true. No
// match: false, value unchanged.
bool extract_option(std::string& value, const std::string& prefix, bool whole_word,
                    std::string* argument);

// Reads a number at text[*pos] in C notation (decimal, "0x" hexadecimal,
// leading 0 octal), or in hexadecimal when hex is set. Leaves *pos behind
// it. False when no digit is there; a value too large for an int reads as
// one above any address.
bool read_number(const std::string& text, size_t* pos, bool hex, long long* value);
