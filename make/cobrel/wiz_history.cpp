#include "make/cobrel/wiz_history.h"

#include "make/cobrel/make_model.h"
#include "make/cobrel/text_file.h"

#include <cstdlib>

namespace {

const char settings_section[] = "Settings";

bool is_section_line(const std::string& line, std::string* name)
{
    std::string t = copy_trimmed(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']')
        return false;
    *name = copy_trimmed(t.substr(1, t.size() - 2));
    return true;
}

// Splits "key=value"; false for lines without '=' and comments.
bool key_value(const std::string& line, std::string* key, std::string* value)
{
    std::string t = copy_trimmed(line);
    if (t.empty() || t[0] == ';' || t[0] == '#')
        return false;
    size_t eq = t.find('=');
    if (eq == std::string::npos)
        return false;
    *key = copy_trimmed(t.substr(0, eq));
    *value = copy_trimmed(t.substr(eq + 1));
    return true;
}

std::string file_key(size_t i) { return "FILE" + std::to_string(i); }

} // namespace

std::vector<std::string> history_from_lines(const std::vector<std::string>& lines)
{
    std::vector<std::pair<std::string, std::string>> keys;
    bool in_settings = false;
    for (const std::string& line : lines) {
        std::string name, key, value;
        if (is_section_line(line, &name))
            in_settings = equal_ignoring_case(name, settings_section);
        else if (in_settings && key_value(line, &key, &value))
            keys.emplace_back(key, value);
    }
    auto find = [&keys](const std::string& key) -> const std::string* {
        for (const auto& kv : keys)
            if (equal_ignoring_case(kv.first, key))
                return &kv.second;
        return nullptr;
    };
    const std::string* count_text = find("HIST_CNT");
    long count = count_text ? std::strtol(count_text->c_str(), nullptr, 10) : 0;
    std::vector<std::string> items;
    for (long i = 0; i < count && i < max_history_read; ++i) {
        const std::string* value = find(file_key(static_cast<size_t>(i)));
        if (!value || value->empty())
            continue;
        bool listed = false;
        for (const std::string& item : items)
            listed = listed || equal_ignoring_case(item, *value);
        if (!listed)
            items.push_back(*value);
    }
    return items;
}

std::vector<std::string> history_into_lines(const std::vector<std::string>& lines,
                                            const std::vector<std::string>& items)
{
    std::vector<std::pair<std::string, std::string>> wanted;
    wanted.emplace_back("HIST_CNT", std::to_string(items.size()));
    for (size_t i = 0; i < items.size(); ++i)
        wanted.emplace_back(file_key(i), items[i]);
    std::vector<bool> done(wanted.size(), false);

    std::vector<std::string> out;
    bool in_settings = false;
    bool had_section = false;
    auto add_missing = [&]() {
        for (size_t i = 0; i < wanted.size(); ++i)
            if (!done[i]) {
                out.push_back(wanted[i].first + "=" + wanted[i].second);
                done[i] = true;
            }
    };
    for (const std::string& line : lines) {
        std::string name, key, value;
        if (is_section_line(line, &name)) {
            if (in_settings)
                add_missing();
            in_settings = equal_ignoring_case(name, settings_section);
            had_section = had_section || in_settings;
            out.push_back(line);
            continue;
        }
        if (in_settings && key_value(line, &key, &value)) {
            bool replaced = false;
            for (size_t i = 0; i < wanted.size() && !replaced; ++i)
                if (equal_ignoring_case(key, wanted[i].first)) {
                    if (!done[i])
                        out.push_back(wanted[i].first + "=" + wanted[i].second);
                    done[i] = true;
                    replaced = true;
                }
            if (replaced)
                continue;
        }
        out.push_back(line);
    }
    if (in_settings)
        add_missing();
    if (!had_section) {
        out.push_back(std::string("[") + settings_section + "]");
        add_missing();
    }
    return out;
}

std::vector<std::string> load_history(const std::string& settings_path)
{
    std::vector<std::string> lines;
    if (!read_text_lines(settings_path, &lines))
        return {};
    return history_from_lines(lines);
}

bool save_history(const std::string& settings_path, const std::vector<std::string>& items)
{
    std::vector<std::string> lines;
    if (!read_text_lines(settings_path, &lines))
        lines.clear();
    std::string text;
    for (const std::string& line : history_into_lines(lines, items))
        text += line + "\n";
    return save_text_file(settings_path, text);
}
