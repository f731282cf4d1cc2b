// makefile: the records of a read makefile (macros, implicit and explicit
// rules, file nodes, commands, kept comments) and the reader that builds
// them from "builtins.mak" and the project's makefile.
#pragma once

#include <cstdint>
#include <string>

namespace gravik {

// One text: a command of a rule or a kept comment line.
struct text_line {
    text_line* next;
    std::string text;
};

// A command list; implicit rules share theirs with the explicit rules they
// complete, so rules point to lists.
struct text_list {
    text_line* first;
    text_line* last;
};

struct macro_def {
    macro_def* next;
    std::string name;     // case-sensitive
    bool has_value;       // false: the macro is empty
    std::string value;
    int id;
};

struct implicit_rule {
    implicit_rule* next;
    std::string source_ext;  // lower case
    std::string target_ext;  // lower case
    text_list* commands;
    int id;
};

struct explicit_rule;

struct file_node {
    file_node* next;
    std::string base;     // lower case, '\' as separator
    bool has_ext;         // false when the name has no '.' after its last '\'
    std::string ext;
    int id;
    int status;           // 0; 1 made; -1 failed
    explicit_rule* rule;  // none for a source
    int dependency_count; // rules that name the node as a dependency
    int time_state;       // the file's time as read once per run: 0 not read
                          // yet, else 1 + the os_time_status found
    int64_t time;
};

struct dependency {
    dependency* next;
    file_node* node;
};

struct explicit_rule {
    explicit_rule* next;
    file_node* target;
    dependency* dependencies;
    text_list* commands;
    int id;
    int depth_mark;       // walk depth at the first visit (0: not visited)
    bool in_progress;     // being made further up the current chain
    bool made;            // examined (and its commands run) in this run
    int made_result;      // the dirty count its examination found
};

// The lists, in creation order.
extern macro_def* first_macro;
extern implicit_rule* first_implicit_rule;
extern explicit_rule* first_explicit_rule;
extern file_node* first_file_node;
extern text_line* first_comment;

// The id counter's value after "builtins.mak": records with a larger id
// belong to the project's makefile.
extern int builtins_mark;

// Forgets every record (start of a run).
void makefile_reset(void);

// Reads and parses one file; a file that cannot be opened is fatal, and
// the message names it as "shown" (the path as the user gave it; empty:
// the path opened).
void read_makefile(const std::string& path, bool keep_comments,
                   const std::string& shown = std::string());

// Reads "builtins.mak" from the given directory (empty: the current one),
// then marks where the makefile's own records begin.
void read_builtins(const std::string& program_dir);

// Parses one normalised makefile line; returns an empty text or the error.
std::string parse_line(const std::string& line);

// Expands macro references in a rule line; false after a reported error.
bool expand_rule_macros(std::string& text);

// Reads a path token at *pos and returns its node, made when new.
file_node* get_file_node(const std::string& text, size_t* pos);

macro_def* find_macro(const std::string& name);

// Defines or overwrites a macro (empty value: an empty macro); "source"
// names where it came from in the -v -v trace ("" or "from environment
// variable").
void define_macro(const std::string& name, const std::string& value, const char* source);

// Looks up the implicit rule for a pair of extensions (null for a missing
// one, which is reported); null when none exists.
implicit_rule* find_implicit_rule(const std::string* source_ext, const std::string* target_ext);

// "base", "." or nothing, "ext": the name of a node as reports show it.
std::string node_name(const file_node* node);

// Characters of a path in the makefile language (macro names: expand.h).
bool is_path_char(char c);

// Lower-cases a path and turns '/' into '\'.
std::string normalise_path(const std::string& path);

} // namespace gravik
