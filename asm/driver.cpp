#include "asm/driver.h"

#include "asm/datei.h"
#include "asm/listing.h"
#include "asm/messages.h"
#include "asm/mnemonic.h"
#include "asm/object_file.h"
#include "asm/segment.h"
#include "asm/settings.h"
#include "asm/sources.h"
#include "asm/symbol.h"
#include "common/speicher.h"
#include "common/text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace morrin {

static const char* const VERSION_TEXT = "1.14, Sep 23 2003";

void asm_reset(void)
{
    listing_close();
    listing_reset();
    datei_reset();
    segment_reset();
    symbol_reset();
    messages_reset();
    g_settings = asm_settings();
}

void end_of_pass_checks(void)
{
    asm_set_position(0, 0);
    asm_set_line_text(nullptr);
    if (segment_count() == 0)
        asm_message(MSG_WARNING, "sourcefile is empty");
    check_all_symbols();
}

std::string replace_extension(const std::string& name, const char* ext)
{
    size_t base = name.find_last_of("\\/");
    size_t start = base == std::string::npos ? 0 : base + 1;
    size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot < start)
        return name + ext;
    return name.substr(0, dot) + ext;
}

static bool has_extension(const std::string& name)
{
    size_t base = name.find_last_of("\\/");
    size_t start = base == std::string::npos ? 0 : base + 1;
    return name.find('.', start) != std::string::npos;
}

static void print_help(const char* program)
{
    char buf[1024];
    std::snprintf(buf, sizeof buf, "*** '%s': macro assembler for '%s'\n", program, "i8051");
    asm_write_error_stream(buf);
    std::snprintf(buf, sizeof buf, "*** V%s\n", VERSION_TEXT);
    asm_write_error_stream(buf);
    static const char* const lines[] = {
        "arguments (one filename and options):\n",
        "-c:     ignore case of identifiers (use lowercase)\n",
        "-g:     include hll & assembler source info\n",
        "-ga:    include only assembler source info\n",
        "-axxx:  assembler directives/mnemonics (i.e. '-a\".include \\\"test\\\"\"')\n",
        "-s:     generate listing (*.lst)\n",
        "-tx:    tabsize for the listing (default is 8)\n",
        "-wxxx:  linewidth for the listing (default is 120)\n",
        "-d:     expand macro '__line' on '.line' directive\n",
        "-e:     redirect errors and warnings to 'error.out' (append)\n",
        "-iPATH: additional search path for 'include <...>' files\n",
    };
    for (const char* l : lines)
        asm_write_error_stream(l);
}

int morrin_main(int argc, char** argv)
{
    asm_install_memory_reporter();
    const char* program = argc > 0 && argv[0] ? argv[0] : "morrin";
    bool abort_mark = false;
    bool have_path = false;
    bool source_clash = false;
    std::string source;

    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        if (a[0] != '-') {
            if (!source.empty()) {
                asm_message(MSG_ERROR, "only one sourcefile allowed");
                abort_mark = true;
                continue;
            }
            // A name without extension gets ".s51"; a '.' in a folder name
            // is no extension.
            source = a;
            if (!has_extension(source))
                source += ".s51";
            continue;
        }
        std::string l = text_lower(a);
        if (l == "-c") {
            g_settings.ignore_case = true;
        } else if (l == "-e") {
            if (!diag_open_error_out(true))
                asm_message(MSG_FATAL, "unable to open 'error.out'");
        } else if (l == "-x") {
            g_settings.mem_stats = true;
        } else if (l == "-s") {
            g_settings.listing = true;
        } else if (l == "-g") {
            g_settings.debug_lines = 3;
        } else if (l == "-ga") {
            g_settings.debug_lines = 1;
        } else if (l == "-d") {
            g_settings.expand_line = true;
        } else if (l == "-h" || l == "-?") {
            print_help(program);
            diag_exit(0);
        } else if (l.compare(0, 2, "-t") == 0) {
            int n = std::atoi(a + 2);
            if (n < 1 || n > 16) {
                asm_message(MSG_ERROR, "tabsize %d out of range", n);
                abort_mark = true;
            } else {
                g_settings.tab_size = n;
            }
        } else if (l.compare(0, 2, "-w") == 0) {
            int n = std::atoi(a + 2);
            if (n - 26 < 27 || n - 26 > 240) {
                asm_message(MSG_ERROR, "linewidth %d out of range", n);
                abort_mark = true;
            } else {
                g_settings.list_width = n - 26;
            }
        } else if (l.compare(0, 2, "-a") == 0) {
            add_cmdarg_statement(a + 2);
        } else if (l.compare(0, 2, "-i") == 0) {
            if (have_path) {
                asm_message(MSG_ERROR, "only one include path allowed");
                abort_mark = true;
            } else {
                have_path = true;
                std::string path = a + 2;
                if (path.empty() || (path.back() != '\\' && path.back() != '/')) {
#ifdef _WIN32
                    path += '\\';
#else
                    path += '/';
#endif
                }
                g_settings.include_path = path;
            }
        } else {
            asm_message(MSG_ERROR, "invalid option '%s'", a);
            abort_mark = true;
        }
    }

    if (source.empty()) {
        asm_message(MSG_ERROR, "no sourcefile specified");
        abort_mark = true;
    }

    // The outputs go beside the file actually read.
    const std::string output_base = source_output_base(source);

    // An output named like the source would destroy it (the listing only
    // when one is written).
    for (const char* ext : {".lst", ".obj"}) {
        if (ext[1] == 'l' && !g_settings.listing)
            continue;
        if (!source.empty() && replace_extension(output_base, ext) == output_base) {
            asm_message(MSG_ERROR, "'%s' would be overwritten by its %s file", source.c_str(),
                        ext[1] == 'l' ? "listing" : "object");
            abort_mark = true;
            source_clash = true;
        }
    }

    if (g_settings.listing && !source.empty() && !source_clash) {
        std::string list_name = replace_extension(output_base, ".lst");
        FILE* f = std::fopen(list_name.c_str(), "wb");
        if (!f) {
            asm_message(MSG_ERROR, "unable to open '%s'", list_name.c_str());
            abort_mark = true;
        } else {
            std::string t = text_run_time();
            if (!t.empty() && t.back() == '\n')
                t.pop_back();
            std::string head = list_name + ", " + t + "\r\n";
            std::fwrite(head.data(), 1, head.size(), f);
            listing_open(f);
        }
    }

    if (abort_mark)
        asm_message(MSG_FATAL, "'%s' aborted... ('-?' for help)", program);

    register_mnemonics();
    listing_snapshot();

    if (have_cmdarg_statements())
        assemble_file("<cmdarg>");
    assemble_file(source.c_str());

    end_of_pass_checks();

    if (asm_error_count > 0)
        asm_message(MSG_FATAL, "%d errors found - no object file written", static_cast<int>(asm_error_count));

    std::string obj_name = replace_extension(output_base, ".obj");
    listing_close();
    write_object_file(obj_name.c_str());

    if (asm_error_count > 0)
        asm_message(MSG_FATAL, "%d errors found", static_cast<int>(asm_error_count));

    if (g_settings.mem_stats) {
        std::printf("memory used: %ld bytes\n", static_cast<long>(speicher_total()));
        std::fflush(stdout);
    }
    return 0;
}

} // namespace morrin
