#include "make/cobrel/report_reader.h"

#include "make/cobrel/macro_options.h"
#include "make/cobrel/text_file.h"
#include "make/cobrel/wiz_paths.h"

namespace {

enum line_result { LINE_DONE, LINE_STOP };

const char* const builtins_suffix = "' (default from 'builtins.mak')";

bool begins_with(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

line_result read_target(make_model& model, const std::string& line, wiz_messages& messages)
{
    const size_t start = std::string("Target: '").size();
    const size_t quote = line.find('\'', start);
    if (quote == std::string::npos)
        return LINE_DONE; // no report line: a piece of a macro value with a line end
    if (line.compare(quote, std::string::npos, builtins_suffix) == 0)
        return LINE_DONE;
    const std::string name = line.substr(start, quote - start);
    if (!has_extension(name)) {
        messages.warning_box(
            "Rule for (explicit and unqualfied) Target '%s' ignored.\nCobrel is only able to "
            "mange qualified Targets (*.BIN and *.HEX).\nPlease use Yantel for Multi-Target "
            "MAKE-Files.",
            name.c_str());
        return LINE_DONE;
    }
    const std::string ext = extension_of(name);
    int* flag = nullptr;
    if (equal_ignoring_case(ext, "hex"))
        flag = &model.gen_hex;
    else if (equal_ignoring_case(ext, "omf"))
        flag = &model.gen_omf;
    else if (!equal_ignoring_case(ext, "bin")) {
        messages.error_box(
            "Don't know how to make Target '%s': Extension '%s' unknown.\nPlease use Yantel for "
            "this MAKE-File.",
            name.c_str(), ("." + ext).c_str());
        return LINE_STOP;
    }
    if (!model.target_name.empty()) {
        messages.error_box(
            "Found more than one (qualified) Targets ('%s', '%s', ...).\nPlease use Yantel for "
            "this MAKE-File.",
            model.target_name.c_str(), name.c_str());
        return LINE_STOP;
    }
    if (flag)
        *flag = 1;
    model.target_name = base_name_of(name);
    return LINE_DONE;
}

line_result read_source(make_model& model, const std::string& line, wiz_messages& messages)
{
    const size_t start = std::string("Source: '").size();
    const size_t quote = line.find('\'', start);
    if (quote == std::string::npos)
        return LINE_DONE;
    const std::string name = line.substr(start, quote - start);
    const int type = source_type_of(name);
    if (!has_extension(name) || type == SOURCE_UNKNOWN) {
        messages.error_box(
            "Unknown Extension for Source File '%s'.\nPlease use Yantel for this MAKE-File.",
            name.c_str());
        return LINE_STOP;
    }
    // The make tool lists each file once; a line naming one again adds
    // nothing (a second entry would be written twice and read back once).
    for (const source_entry& s : model.sources)
        if (same_make_file(s.name, copy_trimmed(name)))
            return LINE_DONE;
    if (model.sources.size() >= max_sources) {
        messages.error_box("Too many Source Files, use Yantel for this MAKE-File.");
        return LINE_STOP;
    }
    model.sources.push_back({copy_trimmed(name), type});
    return LINE_DONE;
}

// A start address behind an optional '$' ('$': hexadecimal).
bool read_address(const std::string& text, size_t* pos, long long* value)
{
    bool hex = *pos < text.size() && text[*pos] == '$';
    if (hex)
        ++*pos;
    return read_number(text, pos, hex, value);
}

bool only_blanks(const std::string& text, size_t pos)
{
    for (; pos < text.size(); ++pos)
        if (!is_blank(text[pos]))
            return false;
    return true;
}

void read_tessel_flags(make_model& model, std::string& value, wiz_messages& messages)
{
    std::string arg;
    if (extract_option(value, "-r", false, &arg)) {
        long long rom = 0;
        long long ram = model.ram_start;
        size_t pos = 0;
        read_address(arg, &pos, &rom);
        if (pos < arg.size() && arg[pos] == ',') {
            ++pos;
            read_address(arg, &pos, &ram);
        }
        if (!only_blanks(arg, pos))
            messages.warning_box("Ilegal options: In Macro 'TESSELFLAGS': '%s' ('-r%s') ignored",
                                 arg.substr(pos).c_str(), arg.c_str());
        if (rom < 0 || rom > 0xFFFF || ram < 0 || ram > 0xFFFF) {
            messages.warning_box("Ilegal Addresses in Macro 'TESSELFLAGS': '-r%s' ('%s') ignored",
                                 arg.c_str(), value.c_str());
            rom = 0;
            ram = 0;
        }
        model.rom_start = static_cast<int>(rom);
        model.ram_start = static_cast<int>(ram);
    }
    model.linker_args = value;
}

void read_morrin_flags(make_model& model, std::string& value)
{
    std::string arg;
    model.expand_debug = extract_option(value, "-d", true, &arg) ? 1 : 0;
    model.listing = extract_option(value, "-g", true, &arg) ? 1 : 0;
    model.assembler_args = value;
}

// Takes every place of a compiler option out of the value (true when there
// was one); *argument is that of the last place, which counts on the
// compiler's command line. A place left in the compiler's own options would
// be written back behind the wizard's options and taken for the field when
// the makefile is read again.
bool extract_every(std::string& value, const char* prefix, bool whole_word, std::string* argument)
{
    bool found = false;
    std::string arg;
    while (extract_option(value, prefix, whole_word, &arg)) {
        found = true;
        *argument = arg;
    }
    return found;
}

void read_c51_flags(make_model& model, std::string& value, wiz_messages& messages)
{
    std::string arg;
    if (extract_every(value, "-dCPU_NSEC=", false, &arg)) {
        size_t pos = 0;
        long long nsec = 0;
        if (!read_number(arg, &pos, false, &nsec) || pos != arg.size() || nsec < 1 ||
            nsec > 9999) {
            messages.warning_box("Ilegal CPU-Speed in Macro 'C51FLAGS' ignored ('-dCPU_NSEC=%s').",
                                 arg.c_str());
            nsec = 1000;
        }
        model.cpu_nsec = static_cast<int>(nsec);
    }
    if (extract_every(value, "-g", false, &arg)) {
        size_t pos = 0;
        long long level = 0;
        if (!read_number(arg, &pos, false, &level) || pos != arg.size() || level > 2) {
            messages.warning_box("Ilegal Debug Level in Macro 'C51FLAGS' ignored ('-g%s').",
                                 arg.c_str());
            level = 1;
        }
        model.debug_level = static_cast<int>(level);
    }
    if (extract_every(value, "-small", true, &arg))
        model.memory_model = 1;
    if (extract_every(value, "-large", true, &arg))
        model.memory_model = 2;
    if (extract_every(value, "-size", true, &arg))
        model.optimise = 1;
    if (extract_every(value, "-speed", true, &arg))
        model.optimise = 2;
    model.compiler_args = value;
}

struct word_choice {
    const char* word;
    int value;
};

// A macro whose whole value is one of a few words (without regard to case).
bool choose(const std::string& value, const word_choice* choices, size_t count, int* field)
{
    for (size_t i = 0; i < count; ++i) {
        if (equal_ignoring_case(value, choices[i].word)) {
            *field = choices[i].value;
            return true;
        }
    }
    return false;
}

const word_choice model_words[] = {{"small", 1}, {"large", 2}};
const word_choice printf_words[] = {{"SMART_PRINTF", 1}, {"FULL_PRINTF", 0}};
const word_choice sio_words[] = {{"k", 'K'}, {"d", 'D'}, {"p", 'P'}};

struct read_state {
    bool morrin_flags_seen = false;
};

void read_macro(make_model& model, const std::string& line, read_state& state,
                wiz_messages& messages)
{
    const size_t start = std::string("Macro: '").size();
    const size_t name_end = line.find('\'', start);
    if (name_end == std::string::npos)
        return;
    const size_t value_quote = line.find('\'', name_end + 1);
    const size_t value_end = line.rfind('\'');
    if (value_quote == std::string::npos || value_end <= value_quote)
        return;
    const std::string name = line.substr(start, name_end - start);
    std::string value = line.substr(value_quote + 1, value_end - value_quote - 1);

    if (equal_ignoring_case(name, "TESSELFLAGS")) {
        read_tessel_flags(model, value, messages);
    } else if (equal_ignoring_case(name, "TESSELLIBS")) {
        model.libraries = copy_trimmed(value);
    } else if (equal_ignoring_case(name, "MORRINFLAGS")) {
        state.morrin_flags_seen = true;
        read_morrin_flags(model, value);
    } else if (equal_ignoring_case(name, "C51FLAGS")) {
        read_c51_flags(model, value, messages);
    } else if (equal_ignoring_case(name, "MODEL")) {
        if (!choose(value, model_words, 2, &model.memory_model))
            messages.warning_box("Unknown options: Macro 'MODEL': '%s' ignored", value.c_str());
    } else if (equal_ignoring_case(name, "PFLAGS")) {
        if (!choose(value, printf_words, 2, &model.smart_printf))
            messages.warning_box("Unknown options: Macro 'PFLAGS': '%s' ignored", value.c_str());
    } else if (equal_ignoring_case(name, "SIOTYPE")) {
        if (!choose(value, sio_words, 3, &model.sio_type))
            messages.warning_box("Unknown options: Macro 'SIOTYPE': '%s' ignored", value.c_str());
    } else if (equal_ignoring_case(name, "B2HFLAGS")) {
        if (value == "-s")
            model.strip = 1;
        else
            messages.warning_box("Unknown options: Macro 'B2HFLAGS': '%s' ignored", value.c_str());
    } else {
        return; // the environment, the tools' names and other macros of no field
    }
    if (value.find('$') != std::string::npos)
        messages.error_box(
            "Illegal option: Macro '%s' contains other Macro ('%s'),\nuse Yantel for this "
            "MAKE-File",
            name.c_str(), value.c_str());
}

line_result read_comment(make_model& model, const std::string& line, wiz_messages& messages)
{
    const size_t start = std::string("Comment: '").size();
    // The comment ends at the line's last quote: it may hold quotes itself.
    const size_t end = line.rfind('\'');
    if (end == std::string::npos || end < start)
        return LINE_DONE;
    if (model.comment_lines.size() >= max_comment_lines) {
        messages.error_box("Too many Comments, use Yantel for this MAKE-File.");
        return LINE_STOP;
    }
    model.comment_lines.push_back(copy_trimmed(line.substr(start, end - start)));
    return LINE_DONE;
}

} // namespace

int read_make_report_lines(make_model& model, const std::vector<std::string>& lines,
                           wiz_messages& messages)
{
    read_state state;
    bool stopped = false;
    for (const std::string& line : lines) {
        if (messages.fatal_shown())
            return messages.error_count();
        line_result r = LINE_DONE;
        if (begins_with(line, "Target: '"))
            r = read_target(model, line, messages);
        else if (begins_with(line, "Source: '"))
            r = read_source(model, line, messages);
        else if (begins_with(line, "Macro: '"))
            read_macro(model, line, state, messages);
        else if (begins_with(line, "Comment: '"))
            r = read_comment(model, line, messages);
        if (r == LINE_STOP) {
            stopped = true;
            break;
        }
    }
    // The report lists only macros with a value: no MORRINFLAGS line means
    // the makefile emptied it, so the assembler gets no -g.
    if (!stopped && !state.morrin_flags_seen)
        model.listing = 0;
    check_model(model, messages);
    return messages.error_count();
}

int read_make_report(make_model& model, const std::string& makefile_path, wiz_messages& messages)
{
    messages.reset_errors();
    model.makefile_path = copy_trimmed(makefile_path);
    const std::string dir = directory_of(model.makefile_path);
    const std::string report =
        dir.empty() ? std::string("error.out") : dir + separator_of(model.makefile_path) + "error.out";
    std::vector<std::string> lines;
    if (!read_text_lines(report, &lines)) {
        messages.fatal_box("Can't read '%s'", report.c_str());
        return -1;
    }
    return read_make_report_lines(model, lines, messages);
}
