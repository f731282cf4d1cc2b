// The port dialog's list with the ports of the simulated board's set-up
// (both ends of the line open). The dialog runs in this process; the
// dialog hook reads its lists and cancels it. A port in use by another
// program is not shown here: Wine opens a COM port a second time.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "drenna_run.h"
#include "target/termui/com_dialog.h"
#include "target/termui/ser_settings.h"
#include "target/termui/termui_resource.h"
#include "winui/dialog_script.h"

namespace {

int board_port()
{
    return SerialBoardPort(8);
}

std::vector<std::string> combo_items(HWND combo)
{
    std::vector<std::string> items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        char text[64] = "";
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::string com(int port)
{
    return "COM" + std::to_string(port) + ":";
}

TEST(DrennaPortList, PortsThatOpenInOrderThenTheCurrentOneLast)
{
    ASSERT_LE(tool_port(), 8);
    ASSERT_LE(board_port(), 8);
    SerSettings saved = ser_settings;
    // COM1, the current port, stands last though it is the lowest.
    ser_settings.port_index = 0;
    ser_settings.baud_rate = 19200;
    std::vector<std::string> ports, rates;
    LRESULT selected = -1, rate = -1;
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        HWND list = GetDlgItem(call.dialog, IDC_PORT_LIST);
        HWND baud = GetDlgItem(call.dialog, IDC_BAUD_LIST);
        ports = combo_items(list);
        rates = combo_items(baud);
        selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
        rate = SendMessageA(baud, CB_GETCURSEL, 0, 0);
        return IDCANCEL;
    });
    TComDialog dialog;
    INT_PTR answer = dialog.DoModal();
    winui::SetDialogHook(nullptr);
    ser_settings = saved;

    EXPECT_EQ(answer, IDCANCEL);
    ASSERT_GE(ports.size(), 2u);
    EXPECT_EQ(ports.back(), "COM1:");
    EXPECT_EQ(selected, static_cast<LRESULT>(ports.size() - 1));
    // The ports that open stand before it, in order, and COM1 once.
    std::vector<std::string> others(ports.begin(), ports.end() - 1);
    EXPECT_NE(std::find(others.begin(), others.end(), com(board_port())), others.end());
    EXPECT_NE(std::find(others.begin(), others.end(), com(tool_port())), others.end());
    EXPECT_EQ(std::find(others.begin(), others.end(), "COM1:"), others.end());
    for (size_t i = 1; i < others.size(); i++)
        EXPECT_LT(std::atoi(others[i - 1].c_str() + 3), std::atoi(others[i].c_str() + 3));

    EXPECT_EQ(rates, (std::vector<std::string>{"150", "300", "600", "1200", "2400", "4800", "9600",
                                               "14400", "19200", "28800", "57600", "115200"}));
    EXPECT_EQ(rate, 8);
}

} // namespace
