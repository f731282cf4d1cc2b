// Downloading the loaded image into the board's RAM with the progress
// dialog, as both target tools do it: the address check, the download
// command, the dialog, and the result shown in the status bar or a box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// 0 after a complete download; -1 when it was refused, cancelled or failed
// (each told to the user).
int ser_download_to_ram(HWND owner, const std::function<void(const std::string&)>& status);
