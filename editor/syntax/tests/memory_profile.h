// An in-memory profile with the INI rules the templates rely on: section and
// key names without regard to case, missing keys give the default.
#pragma once

#include <map>
#include <string>

#include "editor/syntax/syntax_profile.h"

class MemoryProfile : public CSyntaxProfile {
public:
    std::string GetString(const std::string& section, const std::string& key, const std::string& def) override
    {
        auto s = sections.find(Lower(section));
        if (s == sections.end())
            return def;
        auto k = s->second.find(Lower(key));
        return k == s->second.end() ? def : k->second;
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override
    {
        if (failWrites)
            return false;
        sections[Lower(section)][Lower(key)] = value;
        return true;
    }
    bool EmptySection(const std::string& section) override
    {
        sections.erase(Lower(section));
        return !failWrites;
    }
    bool HasSection(const std::string& section) override { return sections.count(Lower(section)) != 0; }
    std::vector<std::string> GetKeys(const std::string& section) override
    {
        std::vector<std::string> keys;
        auto s = sections.find(Lower(section));
        if (s != sections.end())
            for (const auto& k : s->second)
                keys.push_back(k.first);
        return keys;
    }

    static std::string Lower(std::string s)
    {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }

    std::map<std::string, std::map<std::string, std::string>> sections;
    bool failWrites = false;
};
