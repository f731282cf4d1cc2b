#include "make/yantel/make_command.h"

#include <cstring>

static std::string quoted_if_blank(const std::string& part)
{
    if (part.find_first_of(" \t") == std::string::npos)
        return part;
    return "\"" + part + "\"";
}

std::string make_command_line(const std::string& tool, const std::string& makefile,
                              const std::string& option, const std::string& target)
{
    std::string line = quoted_if_blank(tool) + " -e -f" + quoted_if_blank(makefile);
    if (!option.empty())
        line += " " + option;
    if (!target.empty())
        line += " " + quoted_if_blank(target);
    return line;
}

std::vector<std::string> make_report_targets(const std::string& text)
{
    static const char prefix[] = "Target: '";
    const size_t prefix_len = std::strlen(prefix);
    std::vector<std::string> names;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, prefix_len, prefix) != 0)
            continue;
        size_t close = line.find('\'', prefix_len);
        if (close == std::string::npos)
            continue;
        names.push_back(line.substr(prefix_len, close - prefix_len));
    }
    return names;
}
