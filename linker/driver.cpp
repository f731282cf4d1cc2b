#include "linker/driver.h"

#include "linker/fixup.h"
#include "linker/image.h"
#include "linker/lineio.h"
#include "linker/listing.h"
#include "linker/memmap.h"
#include "linker/messages.h"
#include "common/text.h"
#include "linker/model.h"
#include "linker/place.h"
#include "linker/reader.h"
#include "linker/sgraph.h"
#include "linker/strip.h"
#include "common/speicher.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace tessel {

enum { MAX_ARGUMENTS = 199, MAX_WORD = 99 };

void (*link_phase_hook)(const char* phase);

static void phase_done(const char* phase)
{
    if (link_phase_hook)
        link_phase_hook(phase);
}

static void add_argument(std::vector<std::string>& args, const std::string& word)
{
    if (args.size() >= MAX_ARGUMENTS)
        fatal("too many arguments");
    args.push_back(word);
}

std::vector<std::string> expand_arguments(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg[0] != '@') {
            add_argument(args, arg);
            continue;
        }
        FILE* f = open_file(arg + 1, "rb");
        if (!f)
            fatal("unable to open argument file '%s'", arg + 1);
        std::string word;
        int c;
        while ((c = std::fgetc(f)) != EOF) {
            if (c > 0x20) {
                if (word.size() >= MAX_WORD)
                    fatal("argument too long");
                word += static_cast<char>(c);
            } else if (!word.empty()) {
                add_argument(args, word);
                word.clear();
            }
        }
        if (!word.empty())
            add_argument(args, word);
        std::fclose(f);
    }
    return args;
}

static void print_usage(const char* program)
{
    FILE* out = diag_stream();
    std::fprintf(out, "*** '%s': linker for '%s'\n*** ", program, "i8051");
    std::fputs("V2.26 suite51 linker, free software without warranty\n", out);
    std::fputs("arguments (objectfiles and options):\n"
               "-lLIBFILE:     scan library for unresolved externals (multiple allowed)\n"
               "-oOUTFILE:     name of binary output file (default: 'A' for 'a.bin')\n"
               "-o-:           suppress binary output file\n"
               "-rTEXT[,XRAM]: start offset for segment 'text' and 'xram'\n"
               "-e:            redirect errors and warnings to 'error.out' (append)\n"
               "-s:            generate listing (OUTFILE.lst), needs assembler source info\n"
               "-m:            generate memory map (OUTFILE.mem) and print short overview\n"
               "-d:            generate complete definition file (OUTFILE.def)\n"
               "-dl:           generate definition file (OUTFILE.den), only labels\n"
               "-dd:           generate definition file (OUTFILE.den), only definitions\n"
               "-n:            don't strip unused segments & subsegments\n"
               "-c:            force added CRC16-$A001 (for IAP-downloads, etc..)\n"
               "-c2:           force added CRC16-$8005 (XMODEM/USB-CRC)\n"
               "@ARGFILE:      additional arguments file\n",
               out);
}

// "$" and hexadecimal digits, or a number in C notation.
static bool scan_number(const char*& p, uint32_t& value)
{
    char* end = nullptr;
    if (*p == '$') {
        // Hexadecimal digits only: strtoul would also take a "0x" after '$'.
        ++p;
        return scan_hex(p, value);
    } else {
        if (!std::isdigit(static_cast<unsigned char>(*p)))
            return false;
        value = static_cast<uint32_t>(std::strtoul(p, &end, 0));
    }
    p = end;
    return true;
}

static bool parse_offsets(const char* p)
{
    uint32_t text = 0, xram = 0;
    if (!scan_number(p, text))
        return false;
    if (*p == ',') {
        ++p;
        if (!scan_number(p, xram))
            return false;
    }
    if (*p)
        return false;
    options.text_offset = static_cast<int32_t>(text);
    options.xram_offset = xram;
    return true;
}

// A file name as given, with the extension appended when it has no '.';
// one that has another extension is fatal. Enters the name in the table.
static name_entry* file_name(const std::string& text, const char* extension, uint8_t state, void* payload)
{
    std::string name = text;
    size_t dot = text.rfind('.');
    if (dot == std::string::npos)
        name += extension;
    else if (text_lower(text.substr(dot)) != extension)
        fatal("extension must be '*%s'", extension);
    name_entry* e = name_find(name.c_str(), false);
    if (e->state != NAME_NEW)
        fatal("'%s' already in use", name.c_str());
    e->state = state;
    e->payload = payload;
    return e;
}

void add_object_file(const std::string& arg)
{
    // Listed before its name is checked, so that a refused name leaves no
    // record behind that nothing frees.
    object_module* obj = new object_module();
    obj->in_use = 1;
    objects.push_back(obj);
    obj->entry = file_name(arg, ".obj", NAME_OBJECT, obj);
}

void add_library(const std::string& text)
{
    library_file* lib = new library_file();
    libraries.push_back(lib);
    lib->entry = file_name(text, ".lib", NAME_LIBRARY, lib);
}

// The image's name within its folder, up to its last '.', with the side
// file's extension: a '.' in a folder name does not count.
static std::string side_file(const std::string& output, const char* extension)
{
    size_t dot = output.rfind('.');
    size_t folder = output.find_last_of("\\/");
    if (dot != std::string::npos && folder != std::string::npos && dot < folder)
        dot = std::string::npos;
    return (dot == std::string::npos ? output : output.substr(0, dot)) + extension;
}

void link_start(void)
{
    link_reset();
    messages_install_allocator();
    // The storage-class names come first, so that no file may take one.
    for (int i = 0; i < SCLASS_COUNT; ++i) {
        name_entry* e = name_find(sclass_table[i].name, false);
        e->state = NAME_SCLASS;
        e->payload = &sclass_table[i];
    }
}

int tessel_main(int argc, char** argv)
{
    link_start();
    std::vector<std::string> args = expand_arguments(argc, argv);
    const char* program = args.empty() ? "tessel" : args[0].c_str();

    bool abort_run = false, output_given = false, no_binary_seen = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string low = text_lower(arg);
        if (arg.empty() || arg[0] != '-') {
            add_object_file(arg);
        } else if (low == "-h" || low == "-?") {
            print_usage(program);
            diag_exit(0);
        } else if (low == "-e") {
            options.error_file = true;
            if (!diag_open_error_out(true))
                fatal("unable to open 'error.out'");
        } else if (low == "-m") {
            options.map = true;
        } else if (low == "-c2") {
            options.crc = 2;
        } else if (low == "-c") {
            options.crc = 1;
        } else if (low == "-n") {
            options.no_strip = true;
        } else if (low == "-d") {
            options.definitions = 3;
        } else if (low == "-dl") {
            options.definitions = 2;
        } else if (low == "-dd") {
            options.definitions = 1;
        } else if (low == "-x") {
            options.memory_report = true;
        } else if (low == "-s") {
            options.listing = true;
        } else if (low.compare(0, 2, "-r") == 0) {
            if (!parse_offsets(arg.c_str() + 2)) {
                report(1, "format error option '%s'", arg.c_str());
                abort_run = true;
            }
        } else if (low.compare(0, 2, "-l") == 0) {
            add_library(arg.substr(2));
        } else if (low == "-o-") {
            options.binary = false;
            no_binary_seen = true;
        } else if (low.compare(0, 2, "-o") == 0) {
            if (output_given) {
                report(1, "only one output file allowed");
                abort_run = true;
            } else if (no_binary_seen) {
                report(1, "mutually exclusive options");
                abort_run = true;
            } else {
                options.output = arg.substr(2);
                output_given = true;
                if (options.output.empty())
                    fatal("illegal output filename");
                if (options.output.find('.') == std::string::npos)
                    report(0, "output filename without extension");
            }
        } else {
            report(1, "invalid option '%s'", arg.c_str());
            abort_run = true;
        }
    }

    if (!output_given)
        options.output = "a.bin";
    if (objects.empty()) {
        report(1, "no objectfiles");
        abort_run = true;
    }
    if (abort_run)
        fatal("'%s' aborted... ('-?' for help)", program);
    return link_run();
}

int link_run(void)
{
    read_object_files();
    phase_done("read objects");
    library_pass1();
    phase_done("library pass 1");
    mark_members();
    phase_done("mark members");
    library_pass2();
    phase_done("library pass 2");
    if (!options.no_strip)
        strip_unused();
    phase_done("strip");
    collect_segments();
    phase_done("collect and sort");
    sgraph_build();
    phase_done("call graph");
    place_segments();
    phase_done("place");
    assign_load_addresses();
    define_linker_symbols();
    phase_done("load addresses and symbols");
    apply_all_fixups();
    phase_done("fixups");

    if (error_count)
        fatal("%d errors found", error_count);

    const std::string& output = options.output;
    if (options.binary)
        write_binary(output);
    phase_done("binary image");
    if (options.listing)
        write_listing(side_file(output, ".lst"));
    if (options.map) {
        write_memory_map(side_file(output, ".mem"), output);
        print_overview(output, options.error_file ? diag_stream() : stdout);
    }
    if (options.definitions)
        write_definition_file(side_file(output, ".den"), options.definitions);
    phase_done("listing, map, definitions");

    if (error_count)
        fatal("%d errors found", error_count);
    if (options.memory_report)
        report(0, "memory used: %ld bytes\n", static_cast<long>(speicher_total()));
    std::fflush(diag_stream());
    std::fflush(stdout);
    return 0;
}

} // namespace tessel
