// expand: macro references "$(NAME)" in rule lines and commands, rescanned
// until a pass replaces nothing. In commands "$*", "$@" and "$<" stand for
// the rule's target base name, target and dependencies. "$*" followed by
// an extension (as the built-in rules write "$*.a51") names the file on disk
// with that base and extension whatever the case of either, when one exists.
#pragma once

#include <string>

namespace gravik {

// The automatic values of a command's rule.
struct automatic_values {
    std::string base;          // $*
    std::string target;        // $@
    std::string dependencies;  // $<
    std::string node_base;     // the target's base name as the makefile gave it
};

// Longest expanded text; longer is fatal.
const size_t expand_limit = 8192;

// Characters of a macro name.
bool is_name_char(char c);

// The macro table that expansion reads, kept by the makefile module: the
// number of macros, and the value of one (null when none has the name; an
// empty macro has an empty value).
int macro_table_count(void);
const std::string* macro_table_value(const std::string& name);

// Expands "text" into "*out". "rule_text" names the line in messages.
// Errors are reported and give false; a text that grows past the limit is
// fatal. "autos" is null for rule lines (no automatic values).
bool expand_text(const std::string& text, const std::string& rule_text,
                 const automatic_values* autos, std::string* out);

} // namespace gravik
