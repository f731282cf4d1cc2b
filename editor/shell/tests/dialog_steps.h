// What the tests of the shell's dialogs share: the steps that answer a
// dialog shown through the dialog hook, and the reading and clicking of
// its controls as the user would.
#pragma once

#include "winui/dialog_script.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

namespace dialog_steps {

// One step per round of the shown dialog: it looks at the controls, acts
// on them and names the button to press.
class Rounds {
public:
    using Step = std::function<int(HWND dialog)>;
    Rounds()
    {
        winui::SetDialogHook([this](const winui::DialogCall& call) {
            captions.push_back(call.caption);
            if (steps_.empty())
                return IDCANCEL;
            Step step = std::move(steps_.front());
            steps_.pop_front();
            return step(call.dialog);
        });
    }
    ~Rounds() { winui::SetDialogHook(nullptr); }
    Rounds(const Rounds&) = delete;
    Rounds& operator=(const Rounds&) = delete;
    Rounds& Then(Step step)
    {
        steps_.push_back(std::move(step));
        return *this;
    }
    std::deque<std::string> captions;

private:
    std::deque<Step> steps_;
};

inline void Click(HWND dlg, int id)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// A check box as a click leaves it.
inline void Check(HWND dlg, int id, bool on)
{
    CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED);
    Click(dlg, id);
}

inline std::string Text(HWND dlg, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

inline bool Checked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
inline bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }

} // namespace dialog_steps
