#include "make/cobrel/wiz_paths.h"

#include "make/cobrel/make_model.h"

#include "common/os.h"

#include <vector>

static bool is_separator(char c)
{
    return c == '\\' || c == '/';
}

size_t last_separator(const std::string& path)
{
    return path.find_last_of("\\/");
}

char separator_of(const std::string& path)
{
    if (path.find('\\') != std::string::npos || path.find('/') == std::string::npos)
        return '\\';
    return '/';
}

std::string directory_of(const std::string& path)
{
    size_t sep = last_separator(path);
    return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

void init_paths(const std::string& program_path, std::string* program_dir,
                std::string* settings_path)
{
    size_t sep = last_separator(program_path);
    *program_dir = sep == std::string::npos ? std::string(".") : program_path.substr(0, sep);
    *settings_path = base_name_of(program_path) + ".ini";
}

std::string relative_source_name(const std::string& makefile_path, const std::string& chosen_path)
{
    size_t common = 0; // just behind the last separator passed in both
    for (size_t i = 0; i < makefile_path.size() && i < chosen_path.size(); ++i) {
        if (makefile_path[i] != chosen_path[i])
            break;
        if (is_separator(chosen_path[i]))
            common = i + 1;
    }
    if (common == 0)
        return chosen_path;
    std::string up;
    const std::string step = std::string("..") + separator_of(makefile_path);
    for (size_t i = common; i < makefile_path.size(); ++i)
        if (is_separator(makefile_path[i]))
            up += step;
    return up + chosen_path.substr(common);
}

static bool is_absolute(const std::string& name)
{
    return (!name.empty() && is_separator(name[0])) || (name.size() >= 2 && name[1] == ':');
}

// Folds "." and ".." out of a path; a ".." never climbs above the root.
static std::string fold_path(const std::string& path, char sep)
{
    size_t root_end = 0;
    if (path.size() >= 2 && path[1] == ':')
        root_end = 2;
    while (root_end < path.size() && is_separator(path[root_end]))
        ++root_end;
    std::string root = path.substr(0, root_end);
    for (char& c : root)
        if (is_separator(c))
            c = sep;
    std::vector<std::string> parts;
    size_t i = root_end;
    while (i <= path.size()) {
        size_t j = i;
        while (j < path.size() && !is_separator(path[j]))
            ++j;
        std::string part = path.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (root.empty())
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out = root;
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k)
            out += sep;
        out += parts[k];
    }
    return out;
}

std::string full_source_path(const std::string& makefile_path, const std::string& name)
{
    const char sep = separator_of(makefile_path);
    if (is_absolute(name))
        return fold_path(name, sep);
    const std::string dir = directory_of(makefile_path);
    return fold_path(dir.empty() ? name : dir + sep + name, sep);
}

std::string make_report_command(const std::string& program_dir, const std::string& makefile_path)
{
    const std::string program = program_dir + separator_of(program_dir) + "gravik";
    return os_join_command_line({program, "-f" + makefile_path, "-a", "-e"});
}

std::string workspace_path_of(const std::string& makefile_path)
{
    if (!has_extension(makefile_path))
        return std::string();
    return base_name_of(makefile_path) + ".wsp";
}
