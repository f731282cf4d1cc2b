// TAdressDialog: the fixed download address. "Enable" (OK) takes a
// hexadecimal address of 0 .. FFFFF; anything else beeps and keeps the
// dialog open. "Disable" (Cancel) leaves it to the caller to switch the
// fixed address off.
#pragma once

#include <cstdint>
#include <string>

#include "winui/dialog.h"

class TAdressDialog : public winui::CDialog {
public:
    // address: the fixed address, -1 until one was set.
    TAdressDialog(int32_t* address, HWND parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    int32_t* address_;
};

// Reads the field's text as the dialog does: -1 when it is refused.
int32_t parse_load_address(const std::string& text);
