// The port dialog.
#include "target/termui/com_dialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "target/termui/ser_settings.h"
#include "target/termui/termui_resource.h"

const char* const com_baud_rates[12] = {"150",  "300",   "600",   "1200",  "2400",  "4800",
                                        "9600", "14400", "19200", "28800", "57600", "115200"};

TComDialog::TComDialog(HWND parent) : CDialog(IDD_COM_DIALOG, parent) {}

BOOL TComDialog::OnInitDialog()
{
    int current = ser_settings.port_index + 1;
    char name[16];
    for (int port = 1; port <= 8; port++) {
        if (port == current)
            continue;
        std::snprintf(name, sizeof name, "COM%d", port);
        HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        CloseHandle(h);
        std::snprintf(name, sizeof name, "COM%d:", port);
        SendDlgItemMessage(IDC_PORT_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    std::snprintf(name, sizeof name, "COM%d:", current);
    LRESULT index = SendDlgItemMessage(IDC_PORT_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessage(IDC_PORT_LIST, CB_SETCURSEL, static_cast<WPARAM>(index));

    char baud[24];
    std::snprintf(baud, sizeof baud, "%ld", ser_settings.baud_rate);
    int selected = -1;
    for (int i = 0; i < 12; i++) {
        SendDlgItemMessage(IDC_BAUD_LIST, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(com_baud_rates[i]));
        if (selected < 0 && std::strncmp(com_baud_rates[i], baud, std::strlen(baud)) == 0)
            selected = i;
    }
    SendDlgItemMessage(IDC_BAUD_LIST, CB_SETCURSEL, static_cast<WPARAM>(selected));
    return TRUE;
}

// The selected text of a drop-down list, empty when none is selected.
static std::string selected_text(const winui::CDialog& d, int id)
{
    LRESULT index = d.SendDlgItemMessage(id, CB_GETCURSEL);
    if (index < 0)
        return "";
    LRESULT length = d.SendDlgItemMessage(id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0)
        return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    d.SendDlgItemMessage(id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

void TComDialog::OnOK()
{
    std::string baud = selected_text(*this, IDC_BAUD_LIST);
    if (!baud.empty())
        ser_settings.baud_rate = std::atol(baud.c_str());
    std::string port = selected_text(*this, IDC_PORT_LIST);
    if (port.size() > 3)
        ser_settings.port_index = std::atoi(port.c_str() + 3) - 1;
    EndDialog(IDOK);
}
