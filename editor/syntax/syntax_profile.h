// The profile that syntax templates are read from and written to.
//
// The program keeps its settings in an INI profile; the Windows side
// implements this interface with the profile functions, tests use an
// in-memory one. Section and key names are compared without regard to case,
// as the profile functions do.
#pragma once

#include <string>
#include <vector>

class CSyntaxProfile {
public:
    virtual ~CSyntaxProfile() = default;

    // The value, or def when the key is missing.
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& def) = 0;
    // false when the value could not be written.
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    // Removes every key of the section; false when that failed.
    virtual bool EmptySection(const std::string& section) = 0;
    // True when the section exists in the profile.
    virtual bool HasSection(const std::string& section) = 0;
    // The names of the keys the section holds (none when it is missing).
    virtual std::vector<std::string> GetKeys(const std::string& section) = 0;

    // Decimal numbers, read as the profile functions read them: leading
    // blanks skipped, an optional "-", digits up to the first other byte;
    // nothing readable gives 0, a missing key def.
    int GetInt(const std::string& section, const std::string& key, int def);
    bool WriteInt(const std::string& section, const std::string& key, int value);
};

// The decimal reading of the profile functions (see GetInt).
int ParseProfileInt(const std::string& text);
