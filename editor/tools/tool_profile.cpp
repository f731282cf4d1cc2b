#include "editor/tools/tool_profile.h"

#include <windows.h>

bool CProfileToolStore::SectionExists(const std::string& section) const
{
    return !profile_.GetSection(section.c_str()).empty();
}

std::vector<std::string> CProfileToolStore::SectionNames() const
{
    return profile_.GetSectionNames();
}

std::string CProfileToolStore::GetString(const std::string& section, const char* key,
                                         const char* def) const
{
    return profile_.GetString(section.c_str(), key, def);
}

int CProfileToolStore::GetInt(const std::string& section, const char* key, int def) const
{
    return profile_.GetInt(section.c_str(), key, def);
}

void CProfileToolStore::WriteString(const std::string& section, const char* key,
                                    const std::string& value)
{
    profile_.WriteString(section.c_str(), key, value.c_str());
}

void CProfileToolStore::WriteInt(const std::string& section, const char* key, int value)
{
    profile_.WriteInt(section.c_str(), key, value);
}

void CProfileToolStore::DeleteSection(const std::string& section)
{
    profile_.DeleteSection(section.c_str());
}

std::string ShortenPathName(const std::string& path)
{
    if (path.empty())
        return path;
    DWORD size = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (size == 0)
        return path;
    std::string shortPath(size, '\0');
    DWORD length = GetShortPathNameA(path.c_str(), &shortPath[0], size);
    if (length == 0 || length >= size)
        return path;
    shortPath.resize(length);
    return shortPath;
}
