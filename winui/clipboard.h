// The clipboard's CF_TEXT format: OpenClipboard, EmptyClipboard,
// GetClipboardData / GlobalLock, GlobalAlloc + SetClipboardData,
// CloseClipboard. The clipboard is open while a CClipboard lives.
#pragma once

#include <windows.h>

#include <string>

namespace winui {

class CClipboard {
public:
    // OpenClipboard(owner); IsOpen tells whether it succeeded. A few retries
    // cover another program holding the clipboard for a moment.
    explicit CClipboard(HWND owner);
    ~CClipboard() { Close(); }
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    bool IsOpen() const { return open_; }
    // CloseClipboard; the result of the call (false when it was not open).
    bool Close();
    bool Empty() { return open_ && ::EmptyClipboard(); }
    // The CF_TEXT data up to its zero byte; false when there is none.
    bool GetText(std::string& text) const;
    // Puts text (and a zero byte) as CF_TEXT into a movable global block;
    // false, with the clipboard unchanged, when the block cannot be made.
    bool SetText(const std::string& text);

private:
    bool open_ = false;
};

} // namespace winui
