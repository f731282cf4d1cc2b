// The one message-box function of all window programs (MessageBoxA), with a
// hook through which tests answer boxes and read what they said.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace winui {

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Returns the box's result (IDOK, IDYES, ...).
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// When a hook is set, ShowMessageBox calls it instead of showing a box and
// returns its answer. The hook is process-wide (boxes on any thread) and
// also answers the boxes of common/report_error.
using MessageBoxHook = std::function<int(const MessageBoxCall&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// A test's scripted answers: while alive it answers the next boxes from a
// queue (IDOK when the queue is empty) and records every call.
class ScriptedMessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void Answer(int result) { answers_.push_back(result); }
    const std::vector<MessageBoxCall>& Calls() const { return calls_; }

private:
    std::deque<int> answers_;
    std::vector<MessageBoxCall> calls_;
};

} // namespace winui
