// The syntax colour commands of Ovanta's frame in the real program: a
// keyword added through "Syntax colors..." is in the profile when the
// program ends and is listed, in its colour, when the next start opens the
// dialog again; "Colors..." changes the background and the colour table.
#include "testing/winprog/ovanta_fixture.h"
#include "winui/picture.h"

#include "editor/editctl/color_table.h"
#include "editor/shell/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>


namespace {

const char frame_class[] = "winui.Frame";

class OvantaSyntaxProgram : public OvantaProgramTest {
protected:
    // Starts the program in its own folder with the answers of script.
    void Start(ProgramSession& s, const std::string& script)
    {
        ASSERT_TRUE(write_file(script_, script));
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, "", bin_));
        ASSERT_NE(s.WaitForMainWindow(frame_class), nullptr);
    }
};

TEST_F(OvantaSyntaxProgram, AKeywordAddedInTheDialogIsKeptAndShownInItsColourAfterARestart)
{
    {
        ProgramSession s;
        // "&New entry", then the entry: text, colour index 4; then "&Apply".
        Start(s, "dialog ok click 1007\n"
                 "dialog 1011 set 1015 zork set 1008 4\n");
        s.Command(ID_SYNTAX_COLORS);
        ASSERT_TRUE(s.Close());
    }
    // The built-in template, written at the first start, now holds the new
    // keyword: no entry starts with it, so it was added at the list's end,
    // which is the template's front (the profile's last entry).
    const int count = std::stoi(Profile("C/C++", "number"));
    EXPECT_GT(count, 40);
    const std::string last = "syntax" + std::to_string(count);
    EXPECT_EQ(Profile("C/C++", last.c_str()), "zork,4");
    EXPECT_EQ(Profile("SyntaxTemplates", "template0"), "C/C++");
    std::string log = read_file(log_);
    EXPECT_NE(log.find("dialog 142 \"Syntax Colors\" 1"), std::string::npos) << log;
    EXPECT_NE(log.find("dialog 133 \"COLOR Select\" 1011"), std::string::npos) << log;

    // The next start reads it back: the dialog lists it last, in colour 4.
    ProgramSession s;
    Start(s, "dialog wait\n");
    PostMessageA(s.MainWindow(), WM_COMMAND, ID_SYNTAX_COLORS, 0);
    HWND dlg = WaitForProcessDialog(s.ProcessId(), "Syntax Colors");
    ASSERT_NE(dlg, nullptr);
    HWND list = GetDlgItem(dlg, IDC_ENTRY_LIST);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), count);
    const WPARAM index = static_cast<WPARAM>(count - 1);
    // Across processes the list's text arrives whole only as wide text.
    wchar_t text[64] = L"";
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"zork");
    SendMessageA(list, LB_SETTOPINDEX, index, 0);
    SetForegroundWindow(dlg);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Sleep(300);
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    winui::CWindowPicture pic;
    ASSERT_TRUE(pic.CaptureFromScreen(list));
    int coloured = 0;
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = 0; x < pic.Width(); ++x)
            if (pic.Pixel(x, y) == kDefaultColorTable[4])
                ++coloured;
    EXPECT_GT(coloured, 10);
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
    WaitUntil([&] { return !IsWindow(dlg); }, 5000);
    EXPECT_FALSE(IsWindow(dlg));
    ASSERT_TRUE(s.Close());
    EXPECT_EQ(Profile("C/C++", last.c_str()), "zork,4");
}

TEST_F(OvantaSyntaxProgram, ColorsChangesTheDefaultBackgroundAndTheColourTable)
{
    ProgramSession s;
    // "Default Background" and "Change" (text colour 2), each with a colour.
    Start(s, "dialog 1011 click 1014 set 1008 2 click 1010\n"
             "colour 10 20 30\n"
             "colour 1 2 3\n");
    s.Command(ID_COLORS);
    ASSERT_TRUE(s.Close());
    EXPECT_EQ(Profile("DefaultSettings", "BackColor"), std::to_string(RGB(10, 20, 30)));
    EXPECT_EQ(Profile("ColorTable", "color16"), std::to_string(RGB(10, 20, 30)));
    EXPECT_EQ(Profile("ColorTable", "color2"), std::to_string(RGB(1, 2, 3)));
}

} // namespace
