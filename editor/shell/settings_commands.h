// CSettingsCommands: the main frame's commands on how the editor and the
// program work and look: the editor font, the colours and the syntax
// colours, syntax colouring and line numbers, the option toggles, backups
// and auto-save, line wrapping, the frame's tool bar and status bar, the
// window list and emptying the clipboard. A changed setting is written at
// once and the documents' views take it.
#pragma once

#include "editor/shell/frame_bases.h"
#include "editor/shell/settings_commands_host.h"
#include "editor/shell/settings_store.h"

#include "winui/cmdtarget.h"

namespace winui {
class CCmdUI;
class CControlBar;
} // namespace winui

class CSettingsCommands : public winui::CCmdTarget {
public:
    CSettingsCommands(CMainFrameBase& frame, ISettingsCommandsHost& host) : frame_(frame), host_(host) {}

private:
    void OnEmptyClipboard();
    void OnUpdateEmptyClipboard(winui::CCmdUI* ui);
    void OnSyntaxColor();
    void OnUpdateSyntaxColor(winui::CCmdUI* ui);
    void OnLineNumbers();
    void OnUpdateLineNumbers(winui::CCmdUI* ui);
    // The options the toggles flip, by command: where each lives and its key.
    // The option behind a toggle command; null for another command.
    static int SettingsValues::*ToggleOption(UINT id);
    void OnToggleOption(UINT id);
    void OnUpdateToggleOption(winui::CCmdUI* ui);
    void OnFocusSecondClick();
    void OnUpdateFocusSecondClick(winui::CCmdUI* ui);
    // "&Tool Bar" and "Status Bar": show or hide the frame's own bars.
    winui::CControlBar& FrameBar(UINT id);
    void OnBarCheck(UINT id);
    void OnUpdateBarCheck(winui::CCmdUI* ui);
    void OnFont();
    void OnColors();
    void OnSyntaxColors();
    void OnBackupOptions();
    void OnLineWrap();
    void OnMoreWindows();

    CMainFrameBase& frame_;
    ISettingsCommandsHost& host_;

    DECLARE_MESSAGE_MAP()
};
