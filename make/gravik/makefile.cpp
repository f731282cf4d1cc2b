#include "make/gravik/makefile.h"

#include "common/disk_name.h"
#include "make/gravik/expand.h"
#include "make/gravik/report.h"

#include "common/speicher.h"
#include "common/text.h"

#include <cctype>
#include <cstdio>
#include <new>
#include <unordered_map>
#include <vector>

namespace gravik {

macro_def* first_macro;
implicit_rule* first_implicit_rule;
explicit_rule* first_explicit_rule;
file_node* first_file_node;
text_line* first_comment;
int builtins_mark;

static macro_def* last_macro;
static implicit_rule* last_implicit_rule;
static explicit_rule* last_explicit_rule;
static file_node* last_file_node;
static text_line* last_comment;
static int id_counter;
static text_list* open_commands;  // the command list that command lines go to
static std::unordered_map<std::string, macro_def*> macro_index;
static std::unordered_map<std::string, file_node*> node_index;

// Reader limits: physical line buffer, joined line, kept comment.
static const size_t joined_line_max = 8188;
static const int line_limit_reported = 8192;
static const size_t comment_max = 250;

// Records live for the whole run; they come from speicher so that running
// out of memory ends the run with the make tool's own message. Every record
// is also listed here, so that a reset frees them all, those that a later
// line replaced (a rule's earlier command list) included.
struct record_block {
    void* block;
    void (*destroy)(void* block);
};
// Never destroyed: records stay reachable until the process ends (the exit
// handler still walks them after static objects are gone).
static std::vector<record_block>& all_records = *new std::vector<record_block>;

template <class T> static void destroy_record(void* block)
{
    static_cast<T*>(block)->~T();
    speicher_free(block);
}

template <class T> static T* new_record(void)
{
    void* block = speicher_calloc(static_cast<int32_t>(sizeof(T)));
    T* record = new (block) T();
    all_records.push_back(record_block{block, destroy_record<T>});
    return record;
}

// Appends a record to a singly linked list kept in creation order.
template <class T> static void append_record(T*& first, T*& last, T* record)
{
    if (last)
        last->next = record;
    else
        first = record;
    last = record;
}

static text_list* new_text_list(void)
{
    return new_record<text_list>();
}

static void append_text(text_list* list, const std::string& text)
{
    text_line* t = new_record<text_line>();
    t->text = text;
    append_record(list->first, list->last, t);
}

void makefile_reset(void)
{
    for (const record_block& r : all_records)
        r.destroy(r.block);
    all_records.clear();
    first_macro = last_macro = nullptr;
    first_implicit_rule = last_implicit_rule = nullptr;
    first_explicit_rule = last_explicit_rule = nullptr;
    first_file_node = last_file_node = nullptr;
    first_comment = last_comment = nullptr;
    id_counter = 0;
    builtins_mark = 0;
    open_commands = nullptr;
    macro_index.clear();
    node_index.clear();
}

bool is_path_char(char c)
{
    return is_name_char(c) || c == ':' || c == '/' || c == '\\' || c == '.';
}

std::string normalise_path(const std::string& path)
{
    std::string s = path;
    for (char& c : s) {
        if (c == '/')
            c = '\\';
        else
            c = text_lower_char(c);
    }
    return s;
}

std::string node_name(const file_node* node)
{
    return node->has_ext ? node->base + "." + node->ext : node->base;
}

// ".\" or "..\" (with either slash) at position pos.
static bool begins_relative(const std::string& s, size_t pos)
{
    if (pos < s.size() && s[pos] == '.') {
        size_t k = pos + 1;
        if (k < s.size() && s[k] == '.')
            ++k;
        return k < s.size() && (s[k] == '\\' || s[k] == '/');
    }
    return false;
}

// Finds or makes the node of a normalised name.
static file_node* node_for_name(const std::string& name)
{
    // The normalised name is the key: it splits into base and extension in
    // one way only, and is split only for a new node.
    auto found = node_index.find(name);
    if (found != node_index.end())
        return found->second;
    size_t slash = name.rfind('\\');
    size_t dot = name.rfind('.');
    bool has_ext = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    std::string base = has_ext ? name.substr(0, dot) : name;
    std::string ext = has_ext ? name.substr(dot + 1) : std::string();
    file_node* n = new_record<file_node>();
    n->base = base;
    n->has_ext = has_ext;
    n->ext = ext;
    n->id = ++id_counter;
    append_record(first_file_node, last_file_node, n);
    node_index.emplace(name, n);
    return n;
}

file_node* get_file_node(const std::string& text, size_t* pos)
{
    size_t start = *pos;
    size_t i = start;
    while (i < text.size() && is_path_char(text[i]))
        ++i;
    *pos = i;
    return node_for_name(normalise_path(text.substr(start, i - start)));
}

macro_def* find_macro(const std::string& name)
{
    auto found = macro_index.find(name);
    return found == macro_index.end() ? nullptr : found->second;
}

int macro_table_count(void)
{
    return static_cast<int>(macro_index.size());
}

const std::string* macro_table_value(const std::string& name)
{
    macro_def* m = find_macro(name);
    return m ? &m->value : nullptr;
}

void define_macro(const std::string& name, const std::string& value, const char* source)
{
    macro_def* m = find_macro(name);
    if (m) {
        if (settings.verbose >= 1)
            msg_warning("overwrite macro '%s' (already set to '%s')", name.c_str(),
                        m->value.c_str());
    } else {
        m = new_record<macro_def>();
        m->name = name;
        m->id = ++id_counter;
        append_record(first_macro, last_macro, m);
        macro_index[name] = m;
    }
    m->has_value = !value.empty();
    m->value = value;
    if (settings.verbose >= 2) {
        std::printf("Defining macro%s%s: '%s' = '%s'\n", *source ? " " : "", source, name.c_str(),
                    value.c_str());
    }
}

bool expand_rule_macros(std::string& text)
{
    std::string out;
    if (!expand_text(text, text, nullptr, &out))
        return false;
    text = out;
    return true;
}

implicit_rule* find_implicit_rule(const std::string* source_ext, const std::string* target_ext)
{
    if (source_ext && target_ext) {
        for (implicit_rule* r = first_implicit_rule; r; r = r->next)
            if (r->source_ext == *source_ext && r->target_ext == *target_ext)
                return r;
        return nullptr;
    }
    if (source_ext)
        msg_error("missing source extension in implicit rule for '.%s'", source_ext->c_str());
    else if (target_ext)
        msg_error("missing target extension in implicit rule for '.%s'", target_ext->c_str());
    else
        msg_error("missing extensions in implicit rule");
    return nullptr;
}

// ".src.dst:" alone on the line.
static std::string parse_implicit_rule(const std::string& line)
{
    size_t i = 1;
    size_t start = i;
    while (i < line.size() && is_name_char(line[i]))
        ++i;
    std::string source_ext = text_lower(line.substr(start, i - start));
    if (i >= line.size() || line[i] != '.')
        return "'.' expected";
    start = ++i;
    while (i < line.size() && is_name_char(line[i]))
        ++i;
    std::string target_ext = text_lower(line.substr(start, i - start));
    if (i >= line.size() || line[i] != ':')
        return "':' expected";
    if (i + 1 != line.size())
        return "unexpected character";

    std::string error;
    implicit_rule* rule = nullptr;
    for (implicit_rule* r = first_implicit_rule; r; r = r->next)
        if (r->source_ext == source_ext && r->target_ext == target_ext)
            rule = r;
    if (rule) {
        error = "overwrite implicit rule '." + source_ext + "." + target_ext + ":'";
    } else {
        rule = new_record<implicit_rule>();
        rule->source_ext = source_ext;
        rule->target_ext = target_ext;
        rule->id = ++id_counter;
        append_record(first_implicit_rule, last_implicit_rule, rule);
    }
    rule->commands = new_text_list();
    open_commands = rule->commands;
    return error;
}

// Length of the leading run of path characters.
static size_t path_run(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && is_path_char(line[i]))
        ++i;
    return i;
}

static std::string parse_explicit_rule(const std::string& line, size_t run)
{
    std::string error;
    file_node* target = node_for_name(normalise_path(line.substr(0, run - 1)));
    explicit_rule* rule = target->rule;
    if (rule) {
        error = "overwrite explicit rule for target '" + node_name(target) + ":'";
    } else {
        rule = new_record<explicit_rule>();
        rule->target = target;
        append_record(first_explicit_rule, last_explicit_rule, rule);
        target->rule = rule;
    }
    rule->id = ++id_counter;
    rule->commands = new_text_list();
    open_commands = rule->commands;

    size_t i = run;
    if (i < line.size() && line[i] == ' ')
        ++i;
    std::string rest;
    if (!expand_text(line.substr(i), line, nullptr, &rest))
        return error; // the expansion has reported its own error

    dependency* first = nullptr;
    dependency* last = nullptr;
    size_t p = 0;
    while (p < rest.size() && (is_name_char(rest[p]) || begins_relative(rest, p))) {
        dependency* d = new_record<dependency>();
        d->node = get_file_node(rest, &p);
        d->node->dependency_count++;
        append_record(first, last, d);
        if (p < rest.size() && rest[p] == ' ')
            ++p;
    }
    if (first) {
        // Dependencies named again replace the earlier line's; those are no
        // longer named by this rule.
        for (dependency* d = rule->dependencies; d; d = d->next)
            d->node->dependency_count--;
        rule->dependencies = first;
    }
    if (p < rest.size() && error.empty())
        error = "unexpected characters";
    return error;
}

static std::string parse_macro_definition(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && is_name_char(line[i]))
        ++i;
    std::string name = line.substr(0, i);
    if (i < line.size() && line[i] == ' ')
        ++i;
    if (i >= line.size() || line[i] != '=')
        return "syntax";
    ++i;
    if (i < line.size() && line[i] == ' ')
        ++i;
    define_macro(name, line.substr(i), "");
    open_commands = nullptr;
    return std::string();
}

std::string parse_line(const std::string& line)
{
    if (line.empty())
        return std::string();
    char c = line[0];
    if (c == '.' && !begins_relative(line, 0))
        return parse_implicit_rule(line);
    if (is_name_char(c) || begins_relative(line, 0)) {
        size_t run = path_run(line);
        if (run > 0 && line[run - 1] == ':')
            return parse_explicit_rule(line, run);
    }
    if (is_name_char(c))
        return parse_macro_definition(line);
    if (c == ' ') {
        if (!open_commands)
            return "not expecting command";
        append_text(open_commands, line.substr(1));
        return std::string();
    }
    return "syntax";
}

// Tabs to blanks, '#' ends the line (a leading one makes a kept comment),
// runs of blanks to one, no blank at the end.
static std::string normalise_line(const std::string& raw, bool keep_comments)
{
    std::string s = raw;
    for (char& c : s)
        if (c == '\t')
            c = ' ';
    size_t hash = s.find('#');
    if (hash != std::string::npos) {
        size_t first = s.find_first_not_of(' ');
        if (first == hash) {
            if (keep_comments) {
                text_line* t = new_record<text_line>();
                t->text = s.substr(hash, comment_max);
                append_record(first_comment, last_comment, t);
            }
            return std::string();
        }
        s.erase(hash);
    }
    std::string out;
    for (char c : s) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The whole file, read in large blocks; false when it cannot be opened.
static bool read_whole_file(const std::string& path, std::string* text)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    text->clear();
    char block[65536];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0)
        text->append(block, n);
    std::fclose(f);
    return true;
}

// One physical line of "text" from *pos without its line end; false at the
// end of the text.
static bool next_physical_line(const std::string& text, size_t* pos, std::string* line)
{
    line->clear();
    if (*pos >= text.size())
        return false;
    size_t end = text.find('\n', *pos);
    size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos)
        end = text.size();
    if (end - *pos > joined_line_max + 3) {
        // Far too long already; the caller reports it.
        end = next = *pos + joined_line_max + 3;
    }
    line->assign(text, *pos, end - *pos);
    *pos = next;
    if (!line->empty() && line->back() == '\r')
        line->pop_back();
    return true;
}

void read_makefile(const std::string& path, bool keep_comments, const std::string& shown)
{
    std::string text;
    if (!read_whole_file(disk_path(path), &text))
        msg_fatal("can't open makefile '%s'", shown.empty() ? path.c_str() : shown.c_str());
    open_commands = nullptr;
    size_t pos = 0;
    std::string line, next;
    while (next_physical_line(text, &pos, &line)) {
        while (!line.empty() && line.back() == '\\') {
            line.back() = ' ';
            if (!next_physical_line(text, &pos, &next))
                break;
            line += next;
            if (line.size() > joined_line_max)
                break;
        }
        if (line.size() > joined_line_max)
            msg_fatal("line too long (>%d)", line_limit_reported);
        std::string error = parse_line(normalise_line(line, keep_comments));
        if (!error.empty())
            msg_error("%s in '%s'", error.c_str(), line.c_str());
    }
}

void read_builtins(const std::string& program_dir)
{
    std::string path = program_dir.empty() ? std::string("builtins.mak")
                                           : program_dir + path_separator + "builtins.mak";
    read_makefile(path, false);
    builtins_mark = id_counter;
}

} // namespace gravik
