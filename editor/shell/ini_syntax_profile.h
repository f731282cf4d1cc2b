// The syntax templates' profile over the program's INI file (the profile
// target the caller gives), for the dialogs that edit the templates.
#pragma once

#include "editor/syntax/syntax_profile.h"
#include "winui/profile.h"

class CIniSyntaxProfile : public CSyntaxProfile {
public:
    explicit CIniSyntaxProfile(const winui::CProfile& profile) : profile_(profile) {}

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) override
    {
        return profile_.GetString(section.c_str(), key.c_str(), def.c_str());
    }
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override
    {
        return profile_.WriteString(section.c_str(), key.c_str(), value.c_str());
    }
    bool EmptySection(const std::string& section) override
    {
        return profile_.DeleteSection(section.c_str());
    }
    bool HasSection(const std::string& section) override;
    std::vector<std::string> GetKeys(const std::string& section) override
    {
        return profile_.GetKeys(section.c_str());
    }

    const winui::CProfile& Profile() const { return profile_; }

private:
    const winui::CProfile& profile_;
};
