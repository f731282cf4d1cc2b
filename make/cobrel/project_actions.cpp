#include "make/cobrel/project_actions.h"

#include "make/cobrel/makefile_writer.h"
#include "make/cobrel/report_reader.h"
#include "make/cobrel/source_touch.h"
#include "make/cobrel/wiz_paths.h"
#include "make/cobrel/workspace_writer.h"

bool is_makefile_name(const std::string& path)
{
    return has_extension(path) && equal_ignoring_case(extension_of(path), "mak");
}

void start_new_makefile(make_model& model, const std::string& path)
{
    model.dirty = false;
    reset_model(model);
    model.makefile_path = copy_trimmed(path);
    model.comment_lines = new_makefile_comments(model.makefile_path);
}

bool load_makefile(make_model& model, const std::string& path_given, const std::string& program_dir,
                   const wiz_runner& run, wiz_messages& messages)
{
    // A copy: the caller may name the model's own makefile_path, which the
    // reset below empties.
    const std::string path = path_given;
    if (!is_makefile_name(path)) {
        messages.error_box("Invalid MAKE-Filename '%s'", path.c_str());
        return false;
    }
    const std::string command = make_report_command(program_dir, path);
    if (run(command) != 0) {
        messages.error_box("Error returned from '%s'\n", command.c_str());
        return false;
    }
    model.dirty = false;
    reset_model(model);
    if (read_make_report(model, path, messages) != 0) {
        messages.error_box("Can't process '%s'\n", path.c_str());
        return false;
    }
    return true;
}

bool select_target(make_model& model, const std::string& text)
{
    if (text.empty() || equal_ignoring_case(text, model.target_name))
        return false;
    model.target_name = text;
    model.dirty = true;
    return true;
}

bool save_project(make_model& model, const std::string& program_dir, bool with_workspace,
                  wiz_messages& messages)
{
    messages.reset_errors();
    if (check_make_syntax(model, messages) != 0 || check_model(model, messages) != 0)
        return false;
    touch_sources(model);
    if (write_make_file(model, messages) != 0) {
        messages.error_box("MAKE-File '%s' not written", model.makefile_path.c_str());
        return false;
    }
    if (with_workspace)
        write_workspace(model, program_dir, messages);
    model.dirty = false;
    return true;
}
