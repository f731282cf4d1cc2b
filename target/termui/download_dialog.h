// TDownload: the progress of a download to the board's RAM. It shows the
// library's download percentage every 300 ms and closes by itself (OK)
// once the download command is no longer pending; Cancel closes it with
// Cancel, and the caller cancels the download.
#pragma once

#include <cstdint>

#include "winui/controls.h"
#include "winui/common_controls.h"
#include "winui/dialog.h"

class TDownload : public winui::CDialog {
public:
    TDownload(int32_t size, int32_t address, HWND parent = nullptr);
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnTimer(UINT_PTR id);
    void OnDestroy();

private:
    int32_t size_;
    int32_t address_;
};
