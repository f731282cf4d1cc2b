#include "editor/shell/ini_syntax_profile.h"

#include <windows.h>

bool CIniSyntaxProfile::HasSection(const std::string& section)
{
    for (const std::string& name : profile_.GetSectionNames())
        if (lstrcmpiA(name.c_str(), section.c_str()) == 0)
            return true;
    return false;
}
