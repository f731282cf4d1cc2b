// The tool sections in an INI file (the program's profile or a workspace),
// and the short form of a path.
#pragma once

#include "editor/tools/tool_info.h"
#include "winui/profile.h"

class CProfileToolStore : public ToolStore {
public:
    explicit CProfileToolStore(const winui::CProfile& profile) : profile_(profile) {}

    // A section exists when reading it gives something, as the profile
    // functions tell (an empty section counts as missing).
    bool SectionExists(const std::string& section) const override;
    std::vector<std::string> SectionNames() const override;
    std::string GetString(const std::string& section, const char* key,
                          const char* def) const override;
    int GetInt(const std::string& section, const char* key, int def) const override;
    void WriteString(const std::string& section, const char* key,
                     const std::string& value) override;
    void WriteInt(const std::string& section, const char* key, int value) override;
    void DeleteSection(const std::string& section) override;

private:
    winui::CProfile profile_;
};

// The short (8.3) form of a path (GetShortPathNameA); the path unchanged
// when the system gives none (a path that does not exist).
std::string ShortenPathName(const std::string& path);
