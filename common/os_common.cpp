#include "common/os.h"

std::vector<std::string> os_split_command_line(const std::string& line)
{
    std::vector<std::string> words;
    size_t i = 0;
    const size_t n = line.size();
    for (;;) {
        while (i < n && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= n)
            break;
        std::string word;
        bool quoted = false;
        while (i < n && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            if (line[i] == '\\') {
                size_t slashes = 0;
                while (i < n && line[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && line[i] == '"') {
                    word.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        word += '"';
                        ++i;
                    }
                } else {
                    word.append(slashes, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                word += line[i++];
            }
        }
        words.push_back(word);
    }
    return words;
}

std::string os_join_command_line(const std::vector<std::string>& argv)
{
    std::string line;
    for (size_t k = 0; k < argv.size(); ++k) {
        const std::string& a = argv[k];
        if (k)
            line += ' ';
        if (!a.empty() && a.find_first_of(" \t\"") == std::string::npos) {
            line += a;
            continue;
        }
        line += '"';
        size_t slashes = 0;
        for (char c : a) {
            if (c == '\\') {
                ++slashes;
                continue;
            }
            if (c == '"') {
                line.append(slashes * 2 + 1, '\\');
            } else {
                line.append(slashes, '\\');
            }
            slashes = 0;
            line += c;
        }
        line.append(slashes * 2, '\\');
        line += '"';
    }
    return line;
}

os_run_status os_run(const std::vector<std::string>& argv, int* exit_code)
{
    if (argv.empty())
        return OS_RUN_NOT_STARTED;
    return os_run_command_line(os_join_command_line(argv), exit_code);
}
