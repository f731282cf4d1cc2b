#include "make/gravik/driver.h"

#include "common/disk_name.h"
#include "make/gravik/engine.h"
#include "make/gravik/expand.h"
#include "make/gravik/makefile.h"
#include "make/gravik/report.h"

#include "common/speicher.h"
#include "common/text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#define environ _environ
#else
#include <climits>
#include <unistd.h>
extern char** environ;
#endif

namespace gravik {

static const char* const version = "1.08 2005";

static const char* program_path;  // as started (argv[0])
static std::string program_dir;   // where builtins.mak lives
static int exit_code_of_run;

static const char* const usage_lines[] = {
    "arguments (one targetname and options):\n",
    "(for no targetname, first targetname will be used)\n",
    "-e:          redirect errors and warnings to 'error.out'\n",
    "-ex:         same as -e, but dump 'error.out'\n",
    "-b:          force remake of each node\n",
    "-t:          only list final (root) targets\n",
    "-a:          list all (targets, sources, comments, macros\n",
    "-n:          just show, but don't execute commands\n",
    "-v:          verbose make\n",
    "-v -v:       more verbose make\n",
    "-fNAME:      use file NAME (default is 'makefile')\n",
    "-dMACRO=xxx: define macro MACRO\n",
};

static void out_of_memory(void)
{
    msg_fatal("Out of memory");
}

// The path of the running executable; argv[0] may hold no directory, and
// it would not survive the change to the makefile's directory.
static std::string executable_path(const char* argv0)
{
#ifdef _WIN32
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer)
        return std::string(buffer, n);
#else
    char buffer[PATH_MAX + 1];
    ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n > 0)
        return std::string(buffer, static_cast<size_t>(n));
#endif
    return argv0;
}


// Reads the options into the settings and takes the target and makefile
// names; help ends the program at once.
static void read_options(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (a[0] != '-') {
            if (settings.has_target)
                msg_error("only one target allowed");
            settings.has_target = true;
            settings.target = a;
        } else if (text_equal_nocase(a, "-v")) {
            settings.verbose++;
        } else if (text_equal_nocase(a, "-e")) {
            settings.error_file_mode = 1;
        } else if (text_equal_nocase(a, "-ex")) {
            settings.error_file_mode = 2;
        } else if (text_equal_nocase(a, "-n")) {
            settings.no_execute = true;
        } else if (text_equal_nocase(a, "-a")) {
            settings.list_targets = settings.list_sources = true;
            settings.list_comments = settings.list_macros = true;
        } else if (text_equal_nocase(a, "-b")) {
            settings.force_all = true;
        } else if (text_equal_nocase(a, "-t")) {
            settings.list_targets = true;
        } else if (text_prefix_nocase(a, "-f") && a[2]) {
            if (settings.has_makefile) {
                msg_error("only one makefile allowed");
            } else {
                settings.has_makefile = true;
                settings.makefile = a + 2;
            }
        } else if (text_prefix_nocase(a, "-d") && a[2]) {
            std::string error = parse_line(a + 2);
            if (!error.empty())
                msg_error("%s in argument '%s'", error.c_str(), a + 2);
        } else if (text_equal_nocase(a, "-h") || text_equal_nocase(a, "-?")) {
            std::fprintf(stderr, "*** '%s': small 'make'\n", program_path);
            for (const char* line : usage_lines)
                std::fputs(line, stderr);
            std::fflush(stderr);
            diag_exit(0);
        } else {
            msg_error("invalid option '%s'", a);
        }
    }
}

// NAME=value entries of the environment become macros.
static void read_environment(void)
{
    for (char** e = environ; e && *e; ++e) {
        const std::string entry = *e;
        size_t i = 0;
        while (i < entry.size() && is_name_char(entry[i]))
            ++i;
        if (i == 0)
            continue;
        size_t k = i;
        if (k < entry.size() && entry[k] == ' ')
            ++k;
        if (k >= entry.size() || entry[k] != '=')
            continue;
        ++k;
        if (k < entry.size() && entry[k] == ' ')
            ++k;
        define_macro(entry.substr(0, i), entry.substr(k), "from environment variable");
    }
}

// A root target: made by a rule, named by none as a dependency.
static bool is_root(const file_node* n)
{
    return n->rule && n->dependency_count == 0;
}

static bool from_makefile(const file_node* n)
{
    return n->rule->id > builtins_mark;
}

// One report line: "long" form to the error file, "short" to the console.
static void report_line(const std::string& to_file, const std::string& to_console)
{
    std::printf("%s", to_console.c_str());
    if (err_file_in_use())
        err_write(to_file);
}

static void list_report(void)
{
    if (settings.list_targets) {
        for (file_node* n = first_file_node; n; n = n->next)
            if (is_root(n) && from_makefile(n))
                report_line("Target: '" + node_name(n) + "'\n", "Target '" + node_name(n) + "'\n");
        for (file_node* n = first_file_node; n; n = n->next)
            if (is_root(n) && !from_makefile(n))
                report_line("Target: '" + node_name(n) + "' (default from 'builtins.mak')\n",
                            "Target '" + node_name(n) + "' (default from 'builtins.mak')\n");
    }
    if (settings.list_sources) {
        for (file_node* n = first_file_node; n; n = n->next)
            if (!n->rule && n->dependency_count > 0) {
                std::string line = "Source: '" + node_name(n) + "'\n";
                report_line(line, line);
            }
    }
    if (settings.list_macros) {
        for (macro_def* m = first_macro; m; m = m->next)
            if (m->has_value) {
                std::string line = "Macro: '" + m->name + "' = '" + m->value + "'\n";
                report_line(line, line);
            }
    }
    if (settings.list_comments) {
        for (text_line* c = first_comment; c; c = c->next) {
            std::string line = "Comment: '" + c->text + "'\n";
            report_line(line, line);
        }
    }
}

// The exit handler; returns the exit code.
static int exit_handler(void)
{
    for (file_node* n = first_file_node; n; n = n->next) {
        if (n->status != -1)
            continue;
        std::string path = disk_path(node_name(n));
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            continue;
        std::fclose(f);
        if (settings.verbose)
            std::printf("Removing file '%s'\n", path.c_str());
        if (std::remove(path.c_str()) != 0)
            msg_error("can't remove '%s'", path.c_str());
    }
    if (error_count) {
        msg_error("Errors found: *** TARGET NOT GENERATED ***");
    } else {
        err_write("Gravik: *** OK ***");
    }
    std::fflush(stdout);
    if (settings.error_file_mode == 2) {
        err_file_close();
        FILE* f = std::fopen("error.out", "r");
        if (!f) {
            msg_error("unable to open 'error.out'");
        } else {
            char line[1024];
            while (std::fgets(line, sizeof line, f))
                std::fputs(line, stdout);
            std::fclose(f);
            std::fflush(stdout);
        }
    }
    return exit_code_of_run;
}

static int fatal_end(void)
{
    exit_code_of_run = 1;
    return exit_handler();
}

// Many errors must never wrap round to a code that reads as success.
static int clamp_exit_code(int errors)
{
    return errors > 255 ? 255 : errors;
}

static bool change_directory(const std::string& dir)
{
#ifdef _WIN32
    return _chdir(dir.c_str()) == 0;
#else
    return chdir(dir.c_str()) == 0;
#endif
}

// The directory part of a path, after a '\' or '/' (empty when none).
static std::string parent_of(const std::string& path)
{
    return split_directory(path, nullptr);
}

int gravik_main(int argc, char** argv)
{
    report_reset();
    makefile_reset();
    engine_reset();
    disk_names_forget(); // a run learns the folders afresh
    speicher_set_fatal(out_of_memory);
    std::set_new_handler(out_of_memory);
    exit_code_of_run = 0;

    program_path = argc > 0 ? argv[0] : "gravik";
    const std::string exe = executable_path(program_path);
    program_dir = parent_of(exe);
    engine_set_program_dir(program_dir);

    std::printf("*** '%s' V%s - make tool of the suite51 8051 development suite\n", program_path,
                version);
    read_options(argc, argv);

    // Commands run in the makefile's directory; the makefile is then opened
    // there by its own name.
    std::string makefile = settings.has_makefile ? settings.makefile : std::string("makefile");
    std::string makefile_name;
    std::string makefile_dir = split_directory(makefile, &makefile_name);
    if (settings.has_makefile && makefile.find_first_of("\\/") != std::string::npos) {
        std::string dir = makefile_dir.empty() ? std::string(1, path_separator) : makefile_dir;
        if (!change_directory(disk_path(dir)))
            msg_error("can't open makefile '%s'", makefile.c_str());
        disk_names_forget(); // listings were read from the folder before
    }

    if (settings.error_file_mode && !err_file_open())
        msg_error("unable to open 'error.out'");

    // The program's directory and the one above it.
    std::string root = parent_of(program_dir);
    if (root.empty())
        root = program_dir;
    std::string root_error = parse_line("__GRAVIK_ROOT = " + root);
    if (!root_error.empty())
        msg_error("%s in argument '__GRAVIK_ROOT = %s'", root_error.c_str(), root.c_str());

    if (error_count)
        msg_fatal("'%s' aborted... ('-?' for help)", program_path);

    report_set_fatal_end(fatal_end);

    read_environment();
    read_builtins(program_dir);
    read_makefile(makefile_name, true, makefile);
    bind_implicit_rules();

    if (settings.list_targets) {
        list_report();
    } else if (settings.has_target) {
        make_final_target(&settings.target);
    } else {
        file_node* first_root = nullptr;
        for (file_node* n = first_file_node; n && !first_root; n = n->next)
            if (is_root(n) && from_makefile(n))
                first_root = n;
        if (first_root) {
            std::string name = node_name(first_root);
            make_final_target(&name);
        } else {
            make_final_target(nullptr);
        }
    }

    err_write("\n");
    exit_code_of_run = clamp_exit_code(error_count);
    report_set_fatal_end(nullptr);
    int code = exit_handler();
    std::fflush(stdout);
    err_file_close();
    return code;
}

} // namespace gravik
