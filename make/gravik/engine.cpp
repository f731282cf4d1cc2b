#include "make/gravik/engine.h"

#include "common/disk_name.h"
#include "make/gravik/expand.h"
#include "make/gravik/report.h"

#include "common/os.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace gravik {

static int depth;
static std::string program_dir;
static int commands_run;   // commands started (or echoed with -n) in this run

void engine_reset(void)
{
    depth = 0;
    commands_run = 0;
    program_dir.clear();
}

void engine_set_program_dir(const std::string& dir)
{
    program_dir = dir;
}

void bind_implicit_rules(void)
{
    for (explicit_rule* r = first_explicit_rule; r; r = r->next) {
        file_node* t = r->target;
        dependency* same = nullptr;
        for (dependency* d = r->dependencies; d && !same; d = d->next)
            if (d->node->base == t->base)
                same = d;
        if (same && !r->commands->first) {
            implicit_rule* i = find_implicit_rule(same->node->has_ext ? &same->node->ext : nullptr,
                                                  t->has_ext ? &t->ext : nullptr);
            if (i)
                r->commands = i->commands;
        }
        if (!r->commands->first && t->has_ext)
            msg_error("don't know how to make '%s.%s'", t->base.c_str(), t->ext.c_str());
    }
}

// A file's time is read from the disk once per run; only the commands of
// its own rule can change it, and they drop what was read.
static os_time_status node_time(file_node* n, int64_t* time)
{
    if (n->time_state == 0) {
        n->time = 0;
        n->time_state = 1 + disk_file_time(node_name(n), &n->time);
    }
    *time = n->time;
    return static_cast<os_time_status>(n->time_state - 1);
}

// -1 symbolic, 0 up to date, 1 dirty.
static int compare_times(file_node* t, file_node* d)
{
    if (!t->has_ext || !d->has_ext)
        return -1;
    int64_t dt = 0, tt = 0;
    os_time_status ds = node_time(d, &dt);
    if (ds != OS_TIME_OK) {
        // With -n the commands that would have made it did not run.
        if (settings.no_execute && d->rule && ds == OS_TIME_MISSING)
            return 1;
        if (ds == OS_TIME_MISSING)
            msg_error("file '%s' does not exist", node_name(d).c_str());
        else
            msg_error("can't read file time of '%s'", node_name(d).c_str());
        return 1;
    }
    if (node_time(t, &tt) != OS_TIME_OK || settings.force_all || tt < dt)
        return 1;
    return 0;
}

static void indent(int n)
{
    for (int i = 0; i < n; ++i)
        std::putchar(' ');
}

int make_target(explicit_rule* rule)
{
    file_node* t = rule->target;
    ++depth;
    if (rule->depth_mark == 0)
        rule->depth_mark = depth;
    if (depth > depth_limit)
        msg_fatal("unresolveable dependency within '%s'", node_name(t).c_str());
    if (rule->in_progress)
        msg_fatal("cyclic or recursive dependency within '%s'", node_name(t).c_str());
    if (rule->made) {
        // Reached again by another path: examined once per run, its
        // commands run at most once, and it answers as it did the first time.
        --depth;
        return rule->made_result;
    }
    rule->in_progress = true;
    const int mark = rule->depth_mark;
    if (settings.verbose) {
        indent(mark - 1);
        std::printf("Examining '%s':\n", node_name(t).c_str());
    }
    int dirty = 0, symbolic = 0;
    for (dependency* d = rule->dependencies; d; d = d->next) {
        if (d->node->rule && make_target(d->node->rule) != 0)
            ++dirty;
        int result = compare_times(t, d->node);
        if (settings.verbose) {
            indent(mark);
            std::printf("'%s' (depending from '%s') %s", node_name(t).c_str(),
                        node_name(d->node).c_str(),
                        result < 0 ? "symbolic\n" : result ? "is dirty\n" : "up-to-date\n");
        }
        if (result < 0)
            ++symbolic;
        else if (result > 0)
            ++dirty;
    }
    if (!rule->dependencies) {
        if (settings.verbose) {
            indent(mark);
            std::printf("commands (depending from '%s')\n", node_name(t).c_str());
        }
        ++symbolic;
    }
    if (error_count == 0 && (dirty > 0 || symbolic > 0)) {
        int result = execute_rule(rule);
        if (rule->dependencies && t->has_ext)
            t->status = result < 0 ? -1 : 1;
        t->time_state = 0;   // the commands may have made or touched it
    }
    rule->in_progress = false;
    rule->made = true;
    rule->made_result = dirty;
    --depth;
    return dirty;
}

int execute_rule(explicit_rule* rule)
{
    for (text_line* c = rule->commands->first; c; c = c->next)
        if (run_command(rule, c->text) != 0)
            return -1;
    return 0;
}

// Starts the command line; programs in gravik's own directory come first.
static os_run_status start_process(const std::string& line, int* code)
{
#ifndef _WIN32
    std::vector<std::string> words = os_split_command_line(line);
    if (!words.empty() && !program_dir.empty() && words[0].find('/') == std::string::npos &&
        words[0].find('\\') == std::string::npos) {
        std::string own = program_dir + "/" + words[0];
        if (access(own.c_str(), X_OK) == 0) {
            words[0] = own;
            return os_run(words, code);
        }
    }
#endif
    return os_run_command_line(line, code);
}

// Runs one expanded command line; returns its exit code.
static int run_process(const std::string& line)
{
    if (settings.no_execute)
        return 0;
    std::fflush(stdout);
    if (err_file_in_use())
        err_file_close();
    int code = 0;
    bool processed = true;
    if (start_process(line, &code) != OS_RUN_OK) {
        // Not a program: perhaps a command of the command interpreter.
        processed = os_system(line) == 0;
        code = 0;
    }
    disk_names_changed();
    if (err_file_in_use() && !err_file_reopen())
        msg_error("unable to reopen 'error.out'");
    if (!processed)
        msg_fatal("Can't process command '%s'", line.c_str());
    return code;
}

int run_command(explicit_rule* rule, const std::string& command)
{
    file_node* t = rule->target;
    automatic_values autos;
    std::string ext_hint;
    for (dependency* d = rule->dependencies; d; d = d->next) {
        if (d->node->base == t->base && d->node->has_ext && ext_hint.empty())
            ext_hint = d->node->ext;
        if (!autos.dependencies.empty())
            autos.dependencies += ' ';
        autos.dependencies += disk_path(node_name(d->node));
    }
    autos.base = disk_base(t->base, ext_hint);
    autos.node_base = t->base;
    autos.target = disk_path(node_name(t));
    std::string line;
    if (!expand_text(command, command, &autos, &line))
        return -1;
    bool quiet = !line.empty() && line[0] == '@';
    if (quiet)
        line.erase(0, 1);
    if (!quiet || settings.verbose) {
        std::printf("%s\n", line.c_str());
        if (!quiet && err_file_in_use())
            err_write("Gravik: '" + line + "'...\n");
    }
    ++commands_run;
    int code = run_process(line);
    if (code != 0)
        msg_error("returncode: %d", code);
    return code;
}

static bool same_ignoring_case(const std::string& a, const std::string& b)
{
    return normalise_path(a) == normalise_path(b);
}

void make_final_target(const std::string* name)
{
    file_node* found = nullptr;
    for (file_node* n = first_file_node; n && !found; n = n->next) {
        if (!n->rule)
            continue;
        if (name ? same_ignoring_case(node_name(n), *name) : n->rule->id > builtins_mark)
            found = n;
    }
    if (!found) {
        if (name)
            msg_error("no rule for target '%s'", name->c_str());
        else
            msg_error("no final target found");
        return;
    }
    int dirty = make_target(found->rule);
    if (dirty == 0 && error_count == 0 && commands_run == 0) {
        err_write("Target '" + node_name(found) + "' is up-to-date!\n");
    }
}

} // namespace gravik
