// The macro part's settings as settings and workspaces read and write
// them: "MacroBar" (and "ExtContextMenu" reading "macro.txt"), and the
// text macros read once they are needed.
#pragma once

class IMacroSettings {
public:
    virtual void LoadSettings() = 0;
    virtual void SaveSettings() = 0;
    // 1 when the recorder bar is to be made at the next start.
    virtual int MacroBarSetting() const = 0;
    // Reads "macro.txt" unless its macros are read already.
    virtual void EnsureTextMacros() = 0;

protected:
    ~IMacroSettings() = default;
};
