// Scripted answers for modal dialogs, in the spirit of the message-box hook
// (winui/msgbox.h): while a hook is set, a modal CDialog is shown for real,
// and once it has initialised (OnInitDialog has run) the hook is called with
// it. The hook fills controls and names the button to press; the dialog then
// gets that button's click (WM_COMMAND, BN_CLICKED) as if the user had
// pressed it. A dialog that stays open after the click (a data check failed)
// calls the hook again for its next answer. After 16 rounds without closing,
// the dialog is ended with IDCANCEL so that no test waits forever.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace winui {

struct DialogCall {
    HWND dialog;
    UINT templateId;
    std::string caption;
    int round; // 0 for the first call of a dialog, 1 for the next...
};

// Returns the id of the button to press (IDOK, IDCANCEL, any button id), or
// DialogWait: press nothing and ask no more, for a dialog that closes by
// itself (a progress dialog ending with its work).
const int DialogWait = 0;
using DialogHook = std::function<int(const DialogCall&)>;
void SetDialogHook(DialogHook hook);
bool HasDialogHook();

// Called by CDialog for each round; true when the hook ran. *wait (when
// given) tells whether the hook chose DialogWait.
bool RunDialogHook(HWND dialog, UINT templateId, int round, bool* wait = nullptr);

// One scripted answer: actions on controls in order, then a button.
//   SetText  SetDlgItemTextA (edit fields; an EN_CHANGE follows as usual)
//   Check    BM_SETCHECK, then a BN_CLICKED to the dialog as a click gives
//   Select   CB_SELECTSTRING / LB_SELECTSTRING by the text's start (in a
//            list box of several selections LB_FINDSTRING and LB_SETSEL: the
//            item joins the selection), then CBN_SELCHANGE / LBN_SELCHANGE
//            to the dialog
//   Click    BN_CLICKED of a button that does not close the dialog
struct DialogAnswer {
    enum class Action { SetText, Check, Select, Click };
    struct Step {
        Action action;
        int id;
        std::string text;
        int state;
    };
    std::vector<Step> steps;
    int button = IDOK;

    DialogAnswer& SetText(int id, std::string text)
    {
        steps.push_back(Step{Action::SetText, id, std::move(text), 0});
        return *this;
    }
    DialogAnswer& Check(int id, int state)
    {
        steps.push_back(Step{Action::Check, id, "", state});
        return *this;
    }
    DialogAnswer& Select(int id, std::string text)
    {
        steps.push_back(Step{Action::Select, id, std::move(text), 0});
        return *this;
    }
    DialogAnswer& Click(int id)
    {
        steps.push_back(Step{Action::Click, id, "", 0});
        return *this;
    }
    DialogAnswer& Press(int id)
    {
        button = id;
        return *this;
    }
    // Carries out the steps on a dialog; returns the button to press.
    int ApplyTo(HWND dialog) const;
};

// A test's scripted dialogs: while alive it answers modal dialogs from a
// queue (IDCANCEL when the queue is empty) and records every call.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void Answer(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
    void Answer(int button) { answers_.push_back(DialogAnswer().Press(button)); }
    struct Seen {
        UINT templateId;
        std::string caption;
        int round;
    };
    const std::vector<Seen>& Calls() const { return calls_; }

private:
    std::deque<DialogAnswer> answers_;
    std::vector<Seen> calls_;
};

} // namespace winui
