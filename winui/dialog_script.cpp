#include "winui/dialog_script.h"

#include "winui/script_file.h"

#include <mutex>

namespace winui {

static std::mutex hook_lock;
static DialogHook hook;

void SetDialogHook(DialogHook h)
{
    std::lock_guard<std::mutex> guard(hook_lock);
    hook = std::move(h);
}

bool HasDialogHook()
{
    LoadScriptFromEnvironment();
    std::lock_guard<std::mutex> guard(hook_lock);
    return static_cast<bool>(hook);
}

static std::string window_text(HWND wnd)
{
    char text[512] = "";
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

bool RunDialogHook(HWND dialog, UINT templateId, int round, bool* wait)
{
    if (wait)
        *wait = false;
    DialogHook h;
    {
        std::lock_guard<std::mutex> guard(hook_lock);
        h = hook;
    }
    if (!h)
        return false;
    int button = h(DialogCall{dialog, templateId, window_text(dialog), round});
    if (button == DialogWait) {
        if (wait)
            *wait = true;
        return true;
    }
    if (IsWindow(dialog))
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return true;
}

static void notify(HWND dialog, int id, WORD code)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

static bool is_class(HWND wnd, const char* name)
{
    char cls[64] = "";
    GetClassNameA(wnd, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

int DialogAnswer::ApplyTo(HWND dialog) const
{
    for (const Step& step : steps) {
        HWND ctrl = GetDlgItem(dialog, step.id);
        switch (step.action) {
        case Action::SetText:
            SetDlgItemTextA(dialog, step.id, step.text.c_str());
            break;
        case Action::Check: {
            // A radio button checked by a click unchecks the rest of its group.
            LONG type = GetWindowLongA(ctrl, GWL_STYLE) & BS_TYPEMASK;
            if (step.state == BST_CHECKED && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON))
                for (HWND w = GetNextDlgGroupItem(dialog, ctrl, FALSE); w && w != ctrl;
                     w = GetNextDlgGroupItem(dialog, w, FALSE))
                    SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
            SendMessageA(ctrl, BM_SETCHECK, static_cast<WPARAM>(step.state), 0);
            notify(dialog, step.id, BN_CLICKED);
            break;
        }
        case Action::Select:
            if (is_class(ctrl, "ListBox")) {
                // A list box of several selections has no single one to
                // set: the item found joins the selection.
                if (GetWindowLongA(ctrl, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
                    LRESULT item = SendMessageA(ctrl, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(step.text.c_str()));
                    if (item != LB_ERR)
                        SendMessageA(ctrl, LB_SETSEL, TRUE, item);
                } else {
                    SendMessageA(ctrl, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(step.text.c_str()));
                }
                notify(dialog, step.id, LBN_SELCHANGE);
            } else {
                SendMessageA(ctrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(step.text.c_str()));
                notify(dialog, step.id, CBN_SELCHANGE);
            }
            break;
        case Action::Click:
            notify(dialog, step.id, BN_CLICKED);
            break;
        }
        if (!IsWindow(dialog))
            break;
    }
    return button;
}

ScriptedDialogs::ScriptedDialogs()
{
    SetDialogHook([this](const DialogCall& call) {
        calls_.push_back(Seen{call.templateId, call.caption, call.round});
        if (answers_.empty())
            return IDCANCEL;
        DialogAnswer answer = std::move(answers_.front());
        answers_.pop_front();
        return answer.ApplyTo(call.dialog);
    });
}

ScriptedDialogs::~ScriptedDialogs()
{
    SetDialogHook(nullptr);
}

} // namespace winui
