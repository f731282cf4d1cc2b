// What the settings commands need of the main frame: the active view, the
// editor font, saving the settings in force, the search's comment option,
// the auto-save timer and the frame's own bars.
#pragma once

#include <windows.h>

class COvantaView;
class CEditorStatusBar;

namespace winui {
class CToolBar;
}

class ISettingsCommandsHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    // An active view, and no print preview shown.
    virtual bool ViewUsable() = 0;
    // The editor font; swapping hands the old one back for the caller to
    // delete once the views have taken the new one.
    virtual HFONT EditFont() const = 0;
    virtual HFONT SwapEditFont(HFONT font) = 0;
    // The settings in force written where they belong (the open workspace
    // or the program's profile).
    virtual void SaveSettings() = 0;
    // "Suppress comments" changed: the search follows it.
    virtual void SetSuppressComments(bool on) = 0;
    // The auto-save timer starts again with the minutes (none for 0).
    virtual void RestartAutoSave(int minutes) = 0;
    // The frame's own bars, which "&Tool Bar" and "Status Bar" show and hide.
    virtual winui::CToolBar& MainToolBar() = 0;
    virtual CEditorStatusBar& StatusBar() = 0;

protected:
    ~ISettingsCommandsHost() = default;
};
