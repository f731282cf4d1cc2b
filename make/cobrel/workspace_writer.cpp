#include "make/cobrel/workspace_writer.h"

#include "make/cobrel/text_file.h"
#include "make/cobrel/wiz_paths.h"

#include "common/os.h"

const char* const workspace_template_name = "ovanta_tmp.dat";

// The fixed last-write time the open-file entries carry (low, high half).
static const char* const entry_time = "5BFE4860,1C41BAD";

std::string workspace_text(const make_model& model, const std::vector<std::string>& template_lines,
                           const std::string& program_dir, wiz_messages& messages)
{
    std::string text;
    for (const std::string& line : template_lines) {
        const size_t at = line.rfind('@');
        if (at == std::string::npos) {
            text += line + "\n";
            continue;
        }
        const char marker = at + 1 < line.size() ? line[at + 1] : '\0';
        std::string value;
        if (marker == '1') {
            value = model.makefile_path;
        } else if (marker == '2') {
            value = program_dir + separator_of(program_dir) + "gravik.exe";
        } else if (marker == '3') {
            const size_t sep = last_separator(model.makefile_path);
            const std::string folder =
                sep == std::string::npos ? std::string() : model.makefile_path.substr(0, sep + 1);
            value = folder + model.target_name + " $PATH";
        } else {
            messages.error_box("Illegal line: '%s' ignored", line.c_str());
            if (messages.fatal_shown())
                break;
            continue;
        }
        text += line.substr(0, at) + value + "\n";
    }
    int number = 0;
    for (const source_entry& s : model.sources)
        text += wiz_format("File%d=%s,0,0,%s\n", ++number,
                           full_source_path(model.makefile_path, s.name).c_str(), entry_time);
    return text;
}

int write_workspace(const make_model& model, const std::string& program_dir,
                    wiz_messages& messages)
{
    const std::string path = workspace_path_of(model.makefile_path);
    if (path.empty()) {
        messages.error_box("No MAKE-File: '%s'", model.makefile_path.c_str());
        return -1;
    }
    int64_t time;
    if (os_file_time(path, &time) == OS_TIME_OK &&
        !messages.ask_box("Write Ovanta-Workspace?",
                          "Ovanta-Workspace '" + path + "' already exists!\nOk to overwrite?"))
        return -1;
    const std::string template_path =
        program_dir + separator_of(program_dir) + workspace_template_name;
    std::vector<std::string> lines;
    if (!read_text_lines(template_path, &lines)) {
        messages.error_box("Can't open Ovanta-Template '%s', no Workspace written.",
                           template_path.c_str());
        return -1;
    }
    const std::string text = workspace_text(model, lines, program_dir, messages);
    if (messages.fatal_shown())
        return -1;
    if (!save_text_file(path, text)) {
        messages.error_box("Can't open '%s' for writing!", path.c_str());
        return -1;
    }
    messages.info_box("Ovanta-Workspace written",
                      "Ovanta-Workspace '" + path + "' written.\nPlease Reload Workspace in Ovanta.");
    return 0;
}
