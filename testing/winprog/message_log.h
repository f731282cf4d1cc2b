// MessageLog: the messages of one number that a program under test sends
// to its windows of one class, recorded by a hook inside the program (message_hook_dll)
// into a file. Name the message and the file before the program starts
// (its environment is inherited), then install the hook on its window
// thread; Values reads what was recorded so far.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class MessageLog {
public:
    // Sets the environment the hook reads and empties the file.
    MessageLog(UINT message, const std::string& windowClass, const std::string& logPath);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    // Hooks the thread of the window (the DLL at dllPath is loaded into
    // its process); false when it could not be hooked.
    bool Install(const std::string& dllPath, HWND window);
    // wParam and lParam of each message recorded, in order.
    std::vector<std::pair<unsigned long long, long long>> Values() const;

private:
    std::string path_;
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
};
