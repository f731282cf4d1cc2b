// The fixed-address dialog.
#include "target/termui/address_dialog.h"

#include <cstdio>

#include "target/termui/termui_resource.h"
#include "target/seriallink/target_image.h"

TAdressDialog::TAdressDialog(int32_t* address, HWND parent)
    : CDialog(IDD_ADDRESS, parent), address_(address)
{
}

BOOL TAdressDialog::OnInitDialog()
{
    SendDlgItemMessage(IDC_ADDRESS, EM_LIMITTEXT, 5);
    if (*address_ >= 0) {
        char text[16];
        std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(*address_));
        SetDlgItemText(IDC_ADDRESS, text);
    }
    return TRUE;
}

int32_t parse_load_address(const std::string& text)
{
    std::string field = text.substr(0, 19);
    size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        i++;
    int64_t value = 0;
    size_t digits = 0;
    for (; i < field.size(); i++, digits++) {
        int d = hex_digit(static_cast<unsigned char>(field[i]));
        if (d < 0)
            break;
        value = value * 16 + d;
        if (value > 0xFFFFF)
            return -1;
    }
    if (digits == 0)
        return -1;
    // Nothing but blanks may follow the number.
    for (; i < field.size(); i++)
        if (static_cast<unsigned char>(field[i]) > ' ')
            return -1;
    return static_cast<int32_t>(value);
}

void TAdressDialog::OnOK()
{
    int32_t value = parse_load_address(GetDlgItemText(IDC_ADDRESS));
    if (value < 0) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    *address_ = value;
    EndDialog(IDOK);
}
