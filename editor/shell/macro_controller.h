// CMacroController: the main frame's macros. It owns the keyboard macro
// recorder bar and its commands, replays "*.mcr" files into the active
// editor (a playback that waits for the TCP link is suspended with its
// steps and goes on at the next call), keeps the text macros of
// "macro.txt" with the actualize pass, the "MacroBar" setting, and opens
// the keyboard mapping dialog.
#pragma once

#include "editor/shell/frame_bases.h"
#include "editor/shell/keyboard_macro.h"
#include "editor/shell/macro_host.h"
#include "editor/shell/macro_recorder.h"
#include "editor/shell/macro_settings.h"
#include "editor/shell/text_macro_host.h"
#include "editor/shell/text_macros.h"

#include "winui/cmdtarget.h"

#include <memory>
#include <string>
#include <vector>

class CNColorEditCtrl;

namespace winui {
class CCmdUI;
}

class CMacroController : public winui::CCmdTarget, public ITextMacroHost, public IMacroSettings {
public:
    CMacroController(CMainFrameBase& frame, IMacroHost& host) : frame_(frame), host_(host) {}

    // Replays a "*.mcr" file into the active editor (a suspended playback
    // continues, path then unused); 1 when it replayed or suspended, 0 when
    // there was nothing to do.
    int PlayKeyboardMacro(const char* path);

    // The text macros of "macro.txt" beside the program.
    const std::vector<TextMacro>& TextMacros() const override { return textMacros_; }
    void LoadTextMacros() override;
    // Rewrites the values behind the "$" text macros' names in the editor.
    void ActualizeMacros(CNColorEditCtrl& editor) override;
    // Before a document is saved: its "$" text macros are actualized
    // (setting "ActualizeMacros"), or for a changed "macro.txt" the user is
    // asked whether to read it again; true when it is to be read after the
    // save.
    bool MacrosBeforeSave(const std::string& path, CNColorEditCtrl& editor) override;

    // "MacroBar" of the settings: read (a bar that was shown is made again,
    // hidden) and written; "ExtContextMenu" on reads "macro.txt".
    void LoadSettings() override;
    void SaveSettings() override;
    // 1 when the recorder bar is to be made at the next start.
    int MacroBarSetting() const override { return macroBar_; }
    void EnsureTextMacros() override;

    // Writes each item's current key from the shortcut table behind a tab.
    static void ShowMenuShortcuts(HMENU menu);

private:
    // Makes the recorder bar (docked at the top, left of the main tool bar).
    bool CreateMacroBar(bool show);
    void OnMacroRecorder();
    void OnUpdateMacroRecorder(winui::CCmdUI* ui);
    void OnMacroStart();
    void OnUpdateMacroStart(winui::CCmdUI* ui);
    void OnMacroPause();
    void OnUpdateMacroPause(winui::CCmdUI* ui);
    void OnMacroFinish();
    void OnUpdateMacroFinish(winui::CCmdUI* ui);
    void OnEditMacroFile();
    void OnKeyboardMapping();

    CMainFrameBase& frame_;
    IMacroHost& host_;
    std::vector<TextMacro> textMacros_;
    std::unique_ptr<CMacroRecorderBar> recorderBar_;
    int macroBar_ = 0;
    // A playback suspended by a receive command: its steps and where it goes on.
    std::vector<MacroStep> steps_;
    size_t resume_ = 0;
    bool suspended_ = false;

    DECLARE_MESSAGE_MAP()
};
