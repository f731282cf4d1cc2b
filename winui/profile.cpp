#include "winui/profile.h"

#include <windows.h>

#include <cstdio>

namespace winui {

std::string CProfile::BesideExecutable(const char* fileName)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n < sizeof path ? n : 0);
    size_t slash = dir.find_last_of("\\/");
    dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
    return dir + fileName;
}

// Calls fetch with a growing buffer until the result fits: the profile
// functions answer size - 1 (or size - 2 for lists) when they had to cut.
template <class Fetch>
static std::string fetch_grown(Fetch fetch, DWORD cutMargin)
{
    std::vector<char> buffer(512);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD n = fetch(buffer.data(), size);
        if (n + cutMargin < size || size >= (1u << 24))
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 4);
    }
}

// Splits a list of zero-terminated strings.
static std::vector<std::string> split_list(const std::string& list)
{
    std::vector<std::string> items;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('\0', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            items.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::string CProfile::GetString(const char* section, const char* key, const char* def) const
{
    if (path_.empty())
        return def ? def : "";
    return fetch_grown(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileStringA(section, key, def ? def : "", buf, size, path_.c_str());
        },
        1);
}

int CProfile::GetInt(const char* section, const char* key, int def) const
{
    if (path_.empty())
        return def;
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, path_.c_str()));
}

static bool needs_quotes(const std::string& v)
{
    if (v.empty())
        return false;
    auto odd = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    return odd(v.front()) || odd(v.back());
}

bool CProfile::WriteString(const char* section, const char* key, const char* value) const
{
    if (path_.empty())
        return false;
    if (!value)
        return DeleteKey(section, key);
    std::string v = value;
    if (v.find_first_of("\r\n") != std::string::npos)
        return false;
    if (needs_quotes(v))
        v = "\"" + v + "\"";
    return WritePrivateProfileStringA(section, key, v.c_str(), path_.c_str()) != FALSE;
}

bool CProfile::WriteInt(const char* section, const char* key, int value) const
{
    if (path_.empty())
        return false;
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    return WritePrivateProfileStringA(section, key, text, path_.c_str()) != FALSE;
}

bool CProfile::DeleteKey(const char* section, const char* key) const
{
    if (path_.empty())
        return false;
    return WritePrivateProfileStringA(section, key, nullptr, path_.c_str()) != FALSE;
}

bool CProfile::DeleteSection(const char* section) const
{
    if (path_.empty())
        return false;
    return WritePrivateProfileStringA(section, nullptr, nullptr, path_.c_str()) != FALSE;
}

std::vector<std::string> CProfile::GetKeys(const char* section) const
{
    if (path_.empty())
        return {};
    return split_list(fetch_grown(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileStringA(section, nullptr, "", buf, size, path_.c_str());
        },
        2));
}

// The value as GetPrivateProfileStringA gives it: one pair of surrounding
// quotes removed.
static std::string unquote(std::string v)
{
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
        return v.substr(1, v.size() - 2);
    return v;
}

std::vector<std::pair<std::string, std::string>> CProfile::GetSection(const char* section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    if (path_.empty())
        return entries;
    std::string list = fetch_grown(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileSectionA(section, buf, size, path_.c_str());
        },
        2);
    for (const std::string& line : split_list(list)) {
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            entries.emplace_back(line, std::string());
        else
            entries.emplace_back(line.substr(0, eq), unquote(line.substr(eq + 1)));
    }
    return entries;
}

std::vector<std::string> CProfile::GetSectionNames() const
{
    if (path_.empty())
        return {};
    return split_list(fetch_grown(
        [&](char* buf, DWORD size) {
            return GetPrivateProfileSectionNamesA(buf, size, path_.c_str());
        },
        2));
}

} // namespace winui
