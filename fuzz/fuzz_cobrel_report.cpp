// Cobrel's readers: the make report lines that fill its model (the input,
// one line each), and its reader of text files as whole lines. A model read
// that the wizard would save (its checks before saving pass) is written as
// a makefile and loaded again as the wizard loads one: the make tool
// reports on it and the report is read. It loads back with the same values.
#include "common/os.h"
#include "fuzz/fuzz_support.h"
#include "make/cobrel/make_model.h"
#include "make/cobrel/makefile_writer.h"
#include "make/cobrel/project_actions.h"
#include "make/cobrel/report_reader.h"
#include "make/cobrel/text_file.h"
#include "make/cobrel/wiz_messages.h"
#include "make/cobrel/wiz_paths.h"

#include <fcntl.h>
#include <map>

namespace {
class QuietSink : public wiz_sink {
public:
    void show(wiz_level, const std::string&, const std::string&) override {}
    bool ask(const std::string&, const std::string&) override { return false; }
};

// Runs the make tool's command line, as the wizard does, with the tool's
// output (a banner each run) sent nowhere.
int RunQuietly(const std::string& command)
{
    std::fflush(stdout);
    const int saved = dup(1);
    const int quiet = open("/dev/null", O_WRONLY);
    if (saved >= 0 && quiet >= 0)
        dup2(quiet, 1);
    int code = -1;
    if (os_run_command_line(command, &code) != OS_RUN_OK)
        code = -1;
    if (saved >= 0 && quiet >= 0)
        dup2(saved, 1);
    if (quiet >= 0)
        close(quiet);
    if (saved >= 0)
        close(saved);
    return code;
}

// The sources of one kind in model order: the report lists primary sources
// in their order and included files in theirs, but not the two interleaved.
std::vector<std::string> SourcesOfKind(const make_model& m, bool primary)
{
    std::vector<std::string> out;
    for (const source_entry& s : m.sources)
        if (is_primary_source(s.type) == primary)
            out.push_back(make_file_key(s.name) + "/" + std::to_string(s.type));
    return out;
}

// The make tool reads a makefile line with its tabs as blanks; outside
// comments it joins runs of blanks into one. The reader and the form trim
// the texts they take (bytes up to 32 are blanks to them).
std::string Blanks(const std::string& text, bool join)
{
    std::string out;
    for (char c : text) {
        if (c == '\t')
            c = ' ';
        if (join && c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return copy_trimmed(out);
}

// An option text as it counts: the same before saving and after loading.
std::string Option(const std::string& text) { return Blanks(text, true); }

// A comment line as it reads back: written with a '#' in front when it has
// none; the make tool keeps the first 250 bytes of it.
std::string Comment(const std::string& line)
{
    const std::string written = !line.empty() && line[0] == '#' ? line : "#" + line;
    return Blanks(written.substr(0, 250), false);
}

// A zero byte ends a line of the make tool's report: no text that holds
// one reads back (nor can the wizard's form hold one).
bool HasZeroByte(const make_model& m)
{
    std::vector<const std::string*> texts = {&m.compiler_args, &m.assembler_args, &m.linker_args,
                                             &m.libraries, &m.target_name};
    for (const std::string& line : m.comment_lines)
        texts.push_back(&line);
    for (const source_entry& s : m.sources)
        texts.push_back(&s.name);
    for (const std::string* t : texts)
        if (t->find('\0') != std::string::npos)
            return true;
    return false;
}

void CheckSame(const make_model& a, const make_model& b)
{
    FUZZ_CHECK(a.cpu_nsec == b.cpu_nsec);
    FUZZ_CHECK(Option(a.compiler_args) == Option(b.compiler_args));
    FUZZ_CHECK(a.optimise == b.optimise);
    FUZZ_CHECK(a.memory_model == b.memory_model);
    FUZZ_CHECK(a.debug_level == b.debug_level);
    FUZZ_CHECK(a.listing == b.listing);
    FUZZ_CHECK(a.expand_debug == b.expand_debug);
    FUZZ_CHECK(Option(a.assembler_args) == Option(b.assembler_args));
    FUZZ_CHECK(a.rom_start == b.rom_start);
    FUZZ_CHECK(a.ram_start == b.ram_start);
    FUZZ_CHECK(a.sio_type == b.sio_type);
    FUZZ_CHECK(Option(a.linker_args) == Option(b.linker_args));
    FUZZ_CHECK(Option(a.libraries) == Option(b.libraries));
    FUZZ_CHECK(a.smart_printf == b.smart_printf);
    FUZZ_CHECK(a.gen_hex == b.gen_hex);
    FUZZ_CHECK(a.gen_omf == b.gen_omf);
    // Stripping is a step of the HEX or OMF file; without one it is not written.
    FUZZ_CHECK((a.strip && (a.gen_hex || a.gen_omf)) == b.strip);
    FUZZ_CHECK(a.comment_lines.size() == b.comment_lines.size());
    for (size_t i = 0; i < a.comment_lines.size(); ++i)
        FUZZ_CHECK(Comment(a.comment_lines[i]) == b.comment_lines[i]);
    FUZZ_CHECK(make_file_key(a.target_name) == make_file_key(b.target_name));
    for (bool primary : {true, false})
        FUZZ_CHECK(SourcesOfKind(a, primary) == SourcesOfKind(b, primary));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string path = fuzz::WriteScratch("error.out", input);
    std::vector<std::string> lines;
    FUZZ_CHECK(read_text_lines(path, &lines));
    for (const std::string& line : lines)
        FUZZ_CHECK(line.find('\n') == std::string::npos);
    QuietSink sink;
    wiz_messages messages(sink);
    make_model model;
    reset_model(model);
    model.makefile_path = fuzz::ScratchFolder() + "/project.mak";
    const int errors = read_make_report_lines(model, lines, messages);
    FUZZ_CHECK(errors >= -1);
    FUZZ_CHECK(model.sources.size() <= max_sources);
    FUZZ_CHECK(model.comment_lines.size() <= max_comment_lines);
    (void)make_file_text(model);

    // What the wizard saves: read without errors, and passing the checks
    // made before saving.
    if (errors != 0 || messages.fatal_shown() || HasZeroByte(model))
        return 0;
    messages.reset_errors();
    if (check_make_syntax(model, messages) != 0 || check_model(model, messages) != 0)
        return 0;
    // The make tool is a process of its own, slow to start under the
    // sanitizers; a makefile text already loaded is not loaded again, but
    // what it loaded is compared with this model.
    static std::map<std::string, make_model> loaded;
    const std::string text = make_file_text(model);
    auto known = loaded.find(text);
    if (known == loaded.end()) {
        FUZZ_CHECK(write_make_file(model, messages) == 0);
        make_model back;
        const std::string gravik = GRAVIK_PATH;
        FUZZ_CHECK(load_makefile(back, model.makefile_path, directory_of(gravik), RunQuietly, messages));
        FUZZ_CHECK(back.makefile_path == model.makefile_path);
        if (loaded.size() >= 10000)
            loaded.clear();
        known = loaded.emplace(text, back).first;
    }
    CheckSame(model, known->second);
    return 0;
}
