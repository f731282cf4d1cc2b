// TComDialog: chooses the COM port and the baud rate of the settings. The
// port list holds the ports that can be opened now and, last, the current
// one; the caller opens the port again after OK.
#pragma once

#include <string>

#include "winui/dialog.h"

class TComDialog : public winui::CDialog {
public:
    explicit TComDialog(HWND parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;
};

// The baud rates the dialog offers, in order.
extern const char* const com_baud_rates[12];
