#include "winui/msgbox.h"

#include "common/report_error.h"
#include "winui/script_file.h"

#include <mutex>

namespace winui {

static std::mutex hook_lock;
static MessageBoxHook hook;

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    LoadScriptFromEnvironment();
    MessageBoxHook h;
    {
        std::lock_guard<std::mutex> guard(hook_lock);
        h = hook;
    }
    if (h)
        return h(MessageBoxCall{owner, text ? text : "", caption ? caption : "", type});
    return MessageBoxA(owner, text, caption, type);
}

// The reporter's boxes (report_error) go through the same hook.
static int forward_report_box(void* owner, const char* text, const char* caption, unsigned type)
{
    return ShowMessageBox(static_cast<HWND>(owner), text, caption, type);
}

void SetMessageBoxHook(MessageBoxHook h)
{
    bool set = static_cast<bool>(h);
    {
        std::lock_guard<std::mutex> guard(hook_lock);
        hook = std::move(h);
    }
    report_error_set_box_hook(set ? forward_report_box : nullptr);
}

ScriptedMessageBoxes::ScriptedMessageBoxes()
{
    SetMessageBoxHook([this](const MessageBoxCall& call) {
        calls_.push_back(call);
        if (answers_.empty())
            return IDOK;
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    SetMessageBoxHook(nullptr);
}

} // namespace winui
