#include "make/cobrel/make_model.h"

#include "make/cobrel/wiz_paths.h"

#include "common/os.h"
#include "common/text.h"

#include <cstddef>

void make_model::clear()
{
    makefile_path.clear();
    cpu_nsec = 1000;
    compiler_args.clear();
    optimise = 1;
    memory_model = 1;
    debug_level = 1;
    listing = 1;
    expand_debug = 0;
    assembler_args.clear();
    rom_start = 0;
    ram_start = 0;
    sio_type = 'K';
    linker_args.clear();
    libraries.clear();
    smart_printf = 1;
    gen_hex = 0;
    gen_omf = 0;
    strip = 0;
    comment_lines.clear();
    target_name.clear();
    sources.clear();
}

void reset_model(make_model& model)
{
    model.clear();
}

bool is_blank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string copy_trimmed(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_blank(text[begin]))
        ++begin;
    while (end > begin && is_blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Position of the last '.' in the last path element, or npos.
static size_t extension_dot(const std::string& name)
{
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return dot;
    size_t sep = last_separator(name);
    if (sep != std::string::npos && sep > dot)
        return std::string::npos;
    return dot;
}

bool has_extension(const std::string& name)
{
    return extension_dot(name) != std::string::npos;
}

std::string extension_of(const std::string& name)
{
    size_t dot = extension_dot(name);
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string base_name_of(const std::string& name)
{
    size_t dot = extension_dot(name);
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool equal_ignoring_case(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && text_equal_nocase(a.c_str(), b.c_str());
}

bool begins_ignoring_case(const std::string& text, const std::string& prefix)
{
    return text_prefix_nocase(text.c_str(), prefix.c_str()) != nullptr;
}

std::string make_file_key(const std::string& name)
{
    std::string key = name;
    for (char& c : key)
        c = c == '/' ? '\\' : text_lower_char(c);
    return key;
}

bool same_make_file(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && make_file_key(a) == make_file_key(b);
}

namespace {
struct type_row {
    const char* extension;
    int type;
};
const type_row type_table[] = {
    {"c", SOURCE_C},       {"s51", SOURCE_S51}, {"gif", SOURCE_GIF},   {"jpeg", SOURCE_JPEG},
    {"jpg", SOURCE_JPG},   {"html", SOURCE_HTML}, {"htm", SOURCE_HTM}, {"h", SOURCE_H},
    {"inc", SOURCE_INC},   {"def", SOURCE_DEF},
};
} // namespace

int source_type_of(const std::string& name)
{
    if (!has_extension(name))
        return SOURCE_UNKNOWN;
    const std::string ext = extension_of(name);
    for (const type_row& row : type_table)
        if (equal_ignoring_case(ext, row.extension))
            return row.type;
    return SOURCE_UNKNOWN;
}

bool is_primary_source(int type)
{
    return type > SOURCE_UNKNOWN && type < 100;
}

std::vector<std::string> target_candidates(const make_model& model)
{
    std::vector<std::string> items;
    for (const source_entry& s : model.sources)
        if (s.type >= SOURCE_C && s.type <= SOURCE_HTM && has_extension(s.name))
            items.push_back(base_name_of(s.name));
    return items;
}

static bool is_make_name_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

static bool begins_relative(const std::string& name, size_t dots)
{
    if (name.size() <= dots)
        return false;
    for (size_t i = 0; i < dots; ++i)
        if (name[i] != '.')
            return false;
    return name[dots] == '\\' || name[dots] == '/';
}

bool is_make_file_name(const std::string& name)
{
    if (name.empty() ||
        !(is_make_name_char(name[0]) || begins_relative(name, 1) || begins_relative(name, 2)))
        return false;
    for (char c : name)
        if (!is_make_name_char(c) && c != '.' && c != ':' && c != '\\' && c != '/')
            return false;
    return true;
}

static void report_bad_name(const std::string& name, wiz_messages& messages)
{
    messages.error_box("Sourcefile '%s' holds characters a MAKE-File cannot name "
                       "(use letters, digits, '_', '.', '\\', '/' and ':')",
                       name.c_str());
}

// Option texts are written as macro values: a '#' would cut the value, and
// a '$' makes a reference to another macro, which the wizard refuses when it
// reads the makefile again.
static void check_option_texts(const make_model& model, wiz_messages& messages)
{
    for (const std::string* text : {&model.compiler_args, &model.assembler_args,
                                    &model.linker_args, &model.libraries}) {
        if (messages.fatal_shown())
            return;
        if (text->find('#') != std::string::npos)
            messages.error_box("Option text '%s' holds '#', which starts a comment in a MAKE-File",
                               text->c_str());
        else if (text->find('$') != std::string::npos)
            messages.error_box("Option text '%s' holds '$', which refers to a Macro in a MAKE-File",
                               text->c_str());
    }
}

int check_make_syntax(const make_model& model, wiz_messages& messages)
{
    check_option_texts(model, messages);
    for (const source_entry& s : model.sources)
        if (!is_make_file_name(s.name) && !messages.fatal_shown())
            report_bad_name(s.name, messages);
    return messages.error_count();
}

int check_model(const make_model& model, wiz_messages& messages)
{
    if (model.target_name.empty()) {
        messages.error_box("No Target found in '%s'\n", model.makefile_path.c_str());
        return messages.error_count();
    }
    std::vector<const source_entry*> primary;
    for (const source_entry& s : model.sources)
        if (is_primary_source(s.type))
            primary.push_back(&s);
    if (primary.empty()) {
        messages.error_box("No Source Files (*.C/S51/GIF/JPEG/JPG/HTM/HTML) found in '%s'\n",
                           model.makefile_path.c_str());
        return messages.error_count();
    }
    bool found = false;
    for (const source_entry* s : primary)
        if (equal_ignoring_case(base_name_of(s->name), model.target_name))
            found = true;
    if (!found)
        messages.error_box(
            "No Source Files (*.C/S51/GIF/JPEG/JPG/HTM/HTML) corresponding to the Target '%s' in "
            "'%s'\n",
            model.target_name.c_str(), model.makefile_path.c_str());
    // main.c and main.s51 would both make main.obj.
    for (const source_entry* a : primary) {
        const std::string stem = base_name_of(a->name) + ".";
        for (const source_entry* b : primary) {
            if (a == b || messages.fatal_shown())
                continue;
            if (begins_ignoring_case(b->name, stem))
                messages.error_box("Name conflict for Sourcefile '%s' and '%s'", a->name.c_str(),
                                   b->name.c_str());
        }
    }
    return messages.error_count();
}

// The address the fourth comment line of a new makefile names.
static const char* const compiler_web_address = "https://rysk.example.org/c51/";

std::vector<std::string> new_makefile_comments(const std::string& makefile_path)
{
    const std::string rule(46, '#');
    return {rule, "# Project: " + makefile_path, "# (generated with Cobrel)",
            std::string("# Rysk ANSI C Compiler - ") + compiler_web_address, rule};
}

bool add_source(make_model& model, const std::string& chosen_path, wiz_messages& messages)
{
    if (model.makefile_path.empty() || model.sources.size() >= max_sources)
        return false;
    const int type = source_type_of(chosen_path);
    if (type == SOURCE_UNKNOWN) {
        messages.error_box("File '%s' is not an allowed type", chosen_path.c_str());
        return false;
    }
    const std::string name = copy_trimmed(relative_source_name(model.makefile_path, chosen_path));
    if (!is_make_file_name(name)) {
        report_bad_name(name, messages);
        return false;
    }
    const std::string dir = directory_of(model.makefile_path);
    int64_t time;
    if (os_file_time(full_source_path(model.makefile_path, name), &time) != OS_TIME_OK)
        messages.warning_box("File '%s' does not exist in Directory '%s'", name.c_str(),
                             dir.c_str());
    for (const source_entry& s : model.sources) {
        if (equal_ignoring_case(s.name, name)) {
            messages.error_box("File '%s' already added to the list", name.c_str());
            return false;
        }
    }
    model.sources.push_back({name, type});
    model.dirty = true;
    return true;
}

bool remove_source(make_model& model, size_t index)
{
    if (index >= model.sources.size())
        return false;
    model.sources.erase(model.sources.begin() + static_cast<std::ptrdiff_t>(index));
    model.dirty = true;
    return true;
}

void repair_ranges(make_model& model)
{
    if (model.cpu_nsec < 1 || model.cpu_nsec > 9999)
        model.cpu_nsec = 1000;
    if (model.debug_level < 0 || model.debug_level > 2)
        model.debug_level = 1;
    if (model.rom_start < 0 || model.rom_start > 0xFFFF)
        model.rom_start = 0;
    if (model.ram_start < 0 || model.ram_start > 0xFFFF)
        model.ram_start = 0;
}
