// The download to RAM of the target tools.
#include "target/termui/download_run.h"

#include <cstdio>

#include "target/seriallink/serlink.h"
#include "target/seriallink/target_image.h"
#include "target/termui/download_dialog.h"
#include "winui/msgbox.h"

int ser_download_to_ram(HWND owner, const std::function<void(const std::string&)>& status)
{
    status("");
    int32_t address = image_load_address();
    int32_t size = image_size();
    if (address < 0x2000 || static_cast<int64_t>(address) + size > 0x10000) {
        char text[96];
        std::snprintf(text, sizeof text, "Cann't download starting at $%04x (%d Bytes)",
                      static_cast<unsigned>(address), static_cast<int>(size));
        winui::ShowMessageBox(owner, text, "Error", MB_OK | MB_TASKMODAL | MB_ICONSTOP);
        return -1;
    }
    ser_command(SC_DOWNLOAD);
    TDownload dialog(size, address, owner);
    INT_PTR answer = dialog.DoModal();
    if (answer == IDCANCEL) {
        ser_link.pending_command = 0;
        MessageBeep(0xFFFFFFFF);
        status("Download canceled!");
        return -1;
    }
    int result = ser_link.pending_command;
    if (result >= 0) {
        char text[64];
        std::snprintf(text, sizeof text, "Downloaded %d Bytes at $%04x", static_cast<int>(size),
                      static_cast<unsigned>(address));
        status(text);
        return 0;
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "Transmition Error (Code %d). Check Port (COMx:),\nCable, Reset Board and try "
                  "again...",
                  result);
    winui::ShowMessageBox(owner, text, "Error", MB_OK | MB_TASKMODAL | MB_ICONSTOP);
    ser_link.pending_command = 0;
    return -1;
}
