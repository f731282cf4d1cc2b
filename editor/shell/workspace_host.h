// What the workspace and settings controller needs of the frame it serves:
// the editor font, the frame's place and bars, the status bar's progress,
// the auto-save timer, and the settings of the parts that the frame still
// keeps itself (search and macros). Every method is the frame's to
// implement: a binding left out does not build.
#pragma once

#include <windows.h>

#include <string>

class COvantaView;
class IMacroSettings;
class ISearchSettings;
class IStatusSink;
class WorkspaceHooks;
struct SettingsValues;

namespace winui {
class CControlBar;
}

class CWorkspaceHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    // The editor font; swapping hands the old one back for the caller to
    // delete once the views have taken the new one.
    virtual HFONT EditFont() const = 0;
    virtual HFONT SwapEditFont(HFONT font) = 0;
    // [Ovanta] "Main": "M" maximises the frame, four numbers move it.
    virtual void MoveToStoredPlace(const std::string& place) = 0;
    // The code of a bar's place (1 top, 2 bottom, 3 right, 4 left, +0x10
    // hidden), and docking a bar on a side.
    virtual int GetBarState(HWND bar) = 0;
    virtual void DockBarAtSide(winui::CControlBar& bar, int side) = 0;
    virtual winui::CControlBar& MainToolBar() = 0;
    // The status bar's progress control.
    virtual IStatusSink& Status() = 0;
    // The bars of the other parts that take part in settings and workspaces.
    virtual WorkspaceHooks& Hooks() = 0;
    // Settings without "AutoSaveTime" end the running auto-save timer.
    virtual void StopAutoSave() = 0;
    // The search part's and the macro part's settings.
    virtual ISearchSettings& SearchSettings() = 0;
    virtual IMacroSettings& MacroSettings() = 0;

protected:
    ~CWorkspaceHost() = default;
};
