// The block all running instances of Ovanta share: the window that takes
// hand-overs (0 = none) and one hand-over text of at most 1999 characters.
// It lives in a named file mapping of 2004 bytes that every instance keeps
// open for its lifetime; the named mutex "PreventSecondInstanceOfOvanta"
// tells whether an instance runs and serialises the hand-overs of instances
// started at the same moment.
#pragma once

#include <windows.h>

#include <string>

class CInstanceBlock {
public:
    static const DWORD kSize = 2004;

    CInstanceBlock() = default;
    ~CInstanceBlock();
    CInstanceBlock(const CInstanceBlock&) = delete;
    CInstanceBlock& operator=(const CInstanceBlock&) = delete;

    // Maps the block; false when that failed (the block then reads 0).
    bool Open();
    HWND Receiver() const;
    void SetReceiver(HWND wnd);
    std::string Text() const;
    // Writes a text that fits (at most 1999 characters); false otherwise.
    bool SetText(const std::string& text);

private:
    HANDLE mapping_ = nullptr;
    unsigned char* view_ = nullptr;
};

// The one block of this process.
CInstanceBlock& InstanceBlock();
