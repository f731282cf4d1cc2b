#include "make/yantel/yantel_paths.h"

std::string yantel_settings_path(const std::string& program_path)
{
    size_t slash = program_path.find_last_of('\\');
    size_t dot = program_path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return program_path + ".ini";
    return program_path.substr(0, dot) + ".ini";
}

std::string yantel_folder_of(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string yantel_start_folder(const std::string& program_path)
{
    std::string folder = yantel_folder_of(program_path);
    if (folder.find('\\') == std::string::npos)
        return std::string();
    std::string above = yantel_folder_of(folder);
    // "C:\bin" has "C:" above it: the drive's root is meant.
    if (above.size() == 2 && above[1] == ':')
        above += '\\';
    return above;
}

std::string yantel_tool_path(const std::string& program_path)
{
    return yantel_folder_of(program_path) + "\\gravik.exe";
}
