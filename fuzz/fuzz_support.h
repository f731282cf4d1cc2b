// What the fuzz targets share: a check that ends the run as a finding, the
// profile text form read into sections and keys (the INI rules the
// profile functions apply), and a private scratch folder for readers that
// take a path.
#pragma once

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

// A broken expectation is a finding: the message, then an abort that
// libFuzzer reports with the input that caused it.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

namespace fuzz {

inline std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

inline std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

// A profile text: "[section]" lines, "key=value" lines below them (blanks
// around key and value dropped), names without regard to case, the first
// of two equal keys wins, lines starting with ';' and other lines skipped.
class IniText {
public:
    explicit IniText(const std::string& text)
    {
        std::string section;
        size_t pos = 0;
        while (pos <= text.size()) {
            size_t end = text.find_first_of("\r\n", pos);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = Trim(text.substr(pos, end - pos));
            pos = end + 1;
            if (line.empty() || line[0] == ';')
                continue;
            if (line[0] == '[') {
                const size_t close = line.find(']');
                section = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
                Touch(section);
                continue;
            }
            const size_t eq = line.find('=');
            if (eq == std::string::npos)
                continue;
            Set(section, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), false);
        }
    }

    bool Has(const std::string& section) const { return sections_.count(Lower(section)) != 0; }
    bool Get(const std::string& section, const std::string& key, std::string& value) const
    {
        auto s = sections_.find(Lower(section));
        if (s == sections_.end())
            return false;
        for (const auto& kv : s->second.keys)
            if (Lower(kv.first) == Lower(key)) {
                value = kv.second;
                return true;
            }
        return false;
    }
    std::string Get(const std::string& section, const std::string& key, const std::string& def) const
    {
        std::string value;
        return Get(section, key, value) ? value : def;
    }
    std::vector<std::string> Keys(const std::string& section) const
    {
        std::vector<std::string> keys;
        auto s = sections_.find(Lower(section));
        if (s != sections_.end())
            for (const auto& kv : s->second.keys)
                keys.push_back(kv.first);
        return keys;
    }
    std::vector<std::string> SectionNames() const
    {
        std::vector<std::string> names;
        for (const auto& s : sections_)
            names.push_back(s.second.name);
        return names;
    }
    void Set(const std::string& section, const std::string& key, const std::string& value, bool replace = true)
    {
        Section& s = Touch(section);
        for (auto& kv : s.keys)
            if (Lower(kv.first) == Lower(key)) {
                if (replace)
                    kv.second = value;
                return;
            }
        s.keys.emplace_back(key, value);
    }
    void EraseSection(const std::string& section) { sections_.erase(Lower(section)); }

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    Section& Touch(const std::string& section)
    {
        Section& s = sections_[Lower(section)];
        if (s.name.empty())
            s.name = section;
        return s;
    }
    std::map<std::string, Section> sections_;
};

// A scratch folder of this process (made once, under TMPDIR or /tmp).
inline const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string path = std::string(base && *base ? base : "/tmp") + "/suite51-fuzz-XXXXXX";
        std::vector<char> buf(path.begin(), path.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data()))
            std::abort();
        return std::string(buf.data());
    }();
    return folder;
}

// Writes bytes to a file of the scratch folder; its path.
inline std::string WriteScratch(const std::string& name, const std::string& bytes)
{
    const std::string path = ScratchFolder() + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        std::abort();
    std::fclose(f);
    return path;
}

// The bytes of a file (empty when it cannot be read).
inline std::string ReadScratch(const std::string& path)
{
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

// The input split at the first line that holds only "%%" (two files in one
// input); the second part is empty when there is no such line.
inline void SplitInput(const std::string& input, std::string& first, std::string& second)
{
    size_t at = input.find("\n%%\n");
    if (input.compare(0, 3, "%%\n") == 0)
        at = 0;
    else if (at != std::string::npos)
        at += 1;
    if (at == std::string::npos) {
        first = input;
        second.clear();
        return;
    }
    first = input.substr(0, at);
    second = input.substr(at + 3);
}

} // namespace fuzz
