// The search part's settings as settings and workspaces read and write
// them: [DefaultSettings] "FndUseSel", "RepUseSel", "SupressComments" and
// the TCP link's keys, [FIND] and the search dialogs' places.
#pragma once

struct SettingsValues;

class ISearchSettings {
public:
    virtual void LoadSettings() = 0;
    // The search options from the option set, and back into it.
    virtual void CollectOptions(SettingsValues& options) = 0;
    virtual void SaveSettings() = 0;
    // The open search dialogs take the [FIND] history and their places of
    // the settings now in force.
    virtual void ReloadDialogs() = 0;

protected:
    ~ISearchSettings() = default;
};
