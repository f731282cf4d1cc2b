// CProfile: settings in an INI file at a given path (the program's own file
// beside its executable, a workspace file, any other path). Every call goes
// to the profile functions of Win32 with that path:
//   GetString       GetPrivateProfileStringA (buffer grown until the value fits)
//   GetInt          GetPrivateProfileIntA
//   WriteString     WritePrivateProfileStringA
//   WriteInt        WritePrivateProfileStringA with "%d"
//   DeleteKey       WritePrivateProfileStringA(section, key, null)
//   DeleteSection   WritePrivateProfileStringA(section, null, null)
//   GetKeys         GetPrivateProfileStringA(section, null): the key names
//   GetSection      GetPrivateProfileSectionA: "key=value" lines split, values
//                   unquoted as GetString gives them
//   GetSectionNames GetPrivateProfileSectionNamesA
// The profile functions strip blanks around a value and one pair of quotes
// around it; WriteString therefore puts quotes around a value that begins
// or ends with a blank or a quote, so that it reads back as written. A value
// holding a line break cannot be stored and is refused (false). A profile
// without a path reads defaults and writes nothing (the profile functions
// would otherwise fall back to WIN.INI).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace winui {

class CProfile {
public:
    CProfile() = default;
    explicit CProfile(std::string path) : path_(std::move(path)) {}

    // The path of fileName in the directory of the running executable
    // (GetModuleFileNameA).
    static std::string BesideExecutable(const char* fileName);

    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }

    std::string GetString(const char* section, const char* key, const char* def = "") const;
    int GetInt(const char* section, const char* key, int def = 0) const;
    bool WriteString(const char* section, const char* key, const char* value) const;
    bool WriteInt(const char* section, const char* key, int value) const;
    bool DeleteKey(const char* section, const char* key) const;
    bool DeleteSection(const char* section) const;
    std::vector<std::string> GetKeys(const char* section) const;
    std::vector<std::pair<std::string, std::string>> GetSection(const char* section) const;
    std::vector<std::string> GetSectionNames() const;

private:
    std::string path_;
};

} // namespace winui
