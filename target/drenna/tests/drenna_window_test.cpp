// Drenna's window as a user sees it: the frame around the terminal and its
// two bars, the tool bar's buttons clicked with the mouse, the status
// texts, the recent files kept across a restart, and the terminal's picture
// in both colour schemes and after a font change.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <sstream>
#include <string>
#include <vector>

#include "drenna_run.h"
#include "testing/winprog/mouse_input.h"
#include "target/drenna/resource.h"
#include "winui/picture.h"

namespace {

int window_height(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

// The terminal's cell for a font, as the program measures it.
SIZE cell_size(const char* face, int height, int weight)
{
    HFONT font = CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return SIZE{tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}

// The rectangle of a tool bar button, read through memory in the
// program's process (TB_GETITEMRECT writes to a pointer).
// A click of the left mouse button at the centre of a tool bar button.
void click_button(HWND toolbar, UINT id)
{
    RECT r = ToolButtonRect(toolbar, id);
    MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&r), 2);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(toolbar, WM_MOUSEMOVE, 0, at);
    PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(toolbar, WM_LBUTTONUP, 0, at);
}

bool button_enabled(HWND toolbar, UINT id)
{
    return SendMessageA(toolbar, TB_ISBUTTONENABLED, id, 0) != 0;
}

// Row and column of a text in the terminal, or {-1, -1}.
POINT find_in_terminal(const std::string& screen, const std::string& text)
{
    std::istringstream rows(screen);
    std::string row;
    for (int r = 0; std::getline(rows, row); r++) {
        size_t at = row.find(text);
        if (at != std::string::npos)
            return POINT{static_cast<LONG>(at), r};
    }
    return POINT{-1, -1};
}

// The pixels of one colour in a rectangle of cells, and their horizontal
// extent.
struct Ink {
    int count = 0;
    int left = 1 << 30;
    int right = -1;
};

Ink ink_in(const winui::CWindowPicture& picture, RECT area, COLORREF colour)
{
    Ink ink;
    for (int y = area.top; y < area.bottom; y++)
        for (int x = area.left; x < area.right; x++)
            if (picture.Pixel(x, y) == colour) {
                ink.count++;
                ink.left = x < ink.left ? x : ink.left;
                ink.right = x > ink.right ? x : ink.right;
            }
    return ink;
}

RECT cells(POINT at, int columns, SIZE cell)
{
    return RECT{at.x * cell.cx, at.y * cell.cy, (at.x + columns) * cell.cx, (at.y + 1) * cell.cy};
}

const char reset_text[] = "<Internal Reset>";

TEST(DrennaWindow, TheFrameHoldsTheGridBetweenToolBarAndStatusBar)
{
    DrennaRun run("frame");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    HWND bar = run.ToolBar(), status = run.StatusBar(), term = run.Terminal();
    ASSERT_TRUE(bar && status && term);
    char caption[32] = "";
    GetWindowTextA(bar, caption, sizeof caption);
    EXPECT_STREQ(caption, "Toolbar");
    GetWindowTextA(run.Frame(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Drenna");

    SIZE cell = cell_size("Fixedsys", -12, 400);
    SIZE grid{80 * cell.cx, 25 * cell.cy};
    SIZE frame = ClientSize(run.Frame());
    EXPECT_EQ(ClientSize(term).cx, grid.cx);
    EXPECT_EQ(ClientSize(term).cy, grid.cy);
    EXPECT_EQ(frame.cx, grid.cx);
    EXPECT_EQ(frame.cy, window_height(bar) + grid.cy + window_height(status));
    RECT termRect{};
    GetWindowRect(term, &termRect);
    MapWindowPoints(nullptr, run.Frame(), reinterpret_cast<POINT*>(&termRect), 2);
    EXPECT_EQ(termRect.top, window_height(bar));

    // A larger frame is brought back around the grid.
    RECT outer{};
    GetWindowRect(run.Frame(), &outer);
    SetWindowPos(run.Frame(), nullptr, 0, 0, outer.right - outer.left + 100,
                 outer.bottom - outer.top + 80, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(WaitUntil([&] {
        SIZE now = ClientSize(run.Frame());
        return now.cx == frame.cx && now.cy == frame.cy;
    }));
    EXPECT_EQ(run.Close(), 0);
}

TEST(DrennaWindow, ToolBarButtonsFollowTheirCommands)
{
    DrennaRun run("toolbar");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    HWND bar = run.ToolBar();
    ASSERT_NE(bar, nullptr);
    // Exit, a separator, then the board's commands.
    const UINT order[] = {CM_EXIT, CM_FILEOPEN, CM_RESETBOARD, CM_RESETAUTOSTART, CM_BOARDID,
                          CM_RUNINRAM};
    int last = -1;
    for (UINT id : order) {
        int index = static_cast<int>(SendMessageA(bar, TB_COMMANDTOINDEX, id, 0));
        EXPECT_GT(index, last) << id;
        last = index;
    }
    EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 7);

    // Autostart starts disabled; reset with autostart is offered only then.
    EXPECT_TRUE(WaitUntil([&] { return button_enabled(bar, CM_RESETAUTOSTART); }));
    run.Command(CM_AUTOSTART);
    EXPECT_TRUE(run.WaitForStatus("Flash Autostart enabled")) << run.StatusText();
    EXPECT_TRUE(WaitUntil([&] { return !button_enabled(bar, CM_RESETAUTOSTART); }));
    run.Command(CM_AUTOSTART);
    EXPECT_TRUE(run.WaitForStatus("Flash Autostart disabled")) << run.StatusText();
    EXPECT_TRUE(WaitUntil([&] { return button_enabled(bar, CM_RESETAUTOSTART); }));

    click_button(bar, CM_RESETBOARD);
    EXPECT_TRUE(run.WaitForTerminal(reset_text));
    // Identification is offered once the board is reset.
    EXPECT_TRUE(WaitUntil([&] { return button_enabled(bar, CM_BOARDID); }));
    click_button(bar, CM_BOARDID);
    EXPECT_TRUE(run.WaitForTerminal("<Board Id: "));

    click_button(bar, CM_EXIT);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_TRUE(file_exists(run.Path("drenna.INI")));
}

std::vector<uint8_t> pattern(size_t size, int seed)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; i++)
        bytes[i] = static_cast<uint8_t>((i * 5 + static_cast<size_t>(seed)) & 0xFF);
    return bytes;
}

std::string profile_value(const std::string& ini, const char* section, const char* key)
{
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, ini.c_str());
    return value;
}

TEST(DrennaWindow, RecentFilesSurviveARestart)
{
    DrennaRun run("recent");
    std::string one = run.Path("one.bin"), two = run.Path("two.bin");
    write_image(one, pattern(500, 1), 0x7000);
    run.Script("dialog wait\ndialog wait\ndialog wait\nopen \"" + two + "\"\nbox ok\n");
    // Named relative to the program's folder on the command line; the list
    // keeps the whole path, since a later start works in another folder.
    ASSERT_TRUE(run.Start(port_argument() + " one.bin"));
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x7000, 500) == pattern(500, 1); }));
    EXPECT_TRUE(run.WaitForStatus("Downloaded 500 Bytes at $7000")) << run.StatusText();
    EXPECT_EQ(run.Close(), 0);
    std::string ini = run.Path("drenna.INI");
    EXPECT_EQ(profile_value(ini, "Recent File List", "File1"), one);

    // Started again without a file: the entry downloads the file as it is now.
    write_image(one, pattern(500, 2), 0x7000);
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_RECENTFILE1);
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x7000, 500) == pattern(500, 2); }));
    // (The program takes no other file while the progress dialog is up.)
    EXPECT_TRUE(run.WaitForStatus("Downloaded 500 Bytes at $7000")) << run.StatusText();
    // A file downloaded through the open dialog goes to the top.
    write_image(two, pattern(400, 3), 0x7000);
    run.Command(CM_FILEOPEN);
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x7000, 400) == pattern(400, 3); }));
    EXPECT_TRUE(run.WaitForStatus("Downloaded 400 Bytes at $7000")) << run.StatusText();
    // The recent-file message does what the menu does, for any sender.
    PostMessageA(run.Frame(), RegisterWindowMessageA("MRUFILEMESSAGE"), CM_RECENTFILE1 + 1, 0);
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x7000, 500) == pattern(500, 2); }));
    EXPECT_TRUE(run.WaitForStatus("Downloaded 500 Bytes at $7000")) << run.StatusText();
    EXPECT_EQ(run.Close(), 0);
    EXPECT_EQ(profile_value(ini, "Recent File List", "File1"), one);
    EXPECT_EQ(profile_value(ini, "Recent File List", "File2"), two);

    // A file that is gone leaves the list after the loader said so.
    DeleteFileA(two.c_str());
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_RECENTFILE1 + 1);
    EXPECT_TRUE(run.WaitForLog("box ")) << run.Log();
    EXPECT_EQ(run.Close(), 0);
    EXPECT_EQ(profile_value(ini, "Recent File List", "File1"), one);
    EXPECT_EQ(profile_value(ini, "Recent File List", "File2"), "");
}

// Waits until the terminal shows the text in its picture: ink of the text
// colour in the text's cells, the background colour elsewhere.
bool capture_text(HWND term, POINT at, SIZE cell, COLORREF text, COLORREF back,
                  winui::CWindowPicture* picture)
{
    return WaitUntil([&] {
        if (!picture->CaptureFromScreen(term))
            return false;
        Ink ink = ink_in(*picture, cells(at, 16, cell), text);
        return ink.count > 16 && picture->Pixel(picture->Width() - 2, picture->Height() - 2) == back;
    }, 10000);
}

TEST(DrennaWindow, TheInverseOptionKeepsTheSystemColours)
{
    struct Case {
        const char* option;
        COLORREF text;
        COLORREF back;
    };
    const Case cases[] = {
        {"", RGB(255, 255, 255), RGB(0, 0, 0)},
        {" -i", GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)},
    };
    SIZE cell = cell_size("Fixedsys", -12, 400);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        DrennaRun run("colours");
        ASSERT_TRUE(run.Start(port_argument() + c.option));
        ASSERT_TRUE(run.WaitForWindow());
        run.Command(CM_RESETBOARD);
        ASSERT_TRUE(run.WaitForTerminal(reset_text));
        POINT at = find_in_terminal(run.TerminalText(), reset_text);
        winui::CWindowPicture picture;
        EXPECT_TRUE(capture_text(run.Terminal(), at, cell, c.text, c.back, &picture));
        // For a person to look at.
        picture.SaveBmp(run.Path("terminal.bmp"));
        // The text's cells: ink of the text colour on the background (with
        // smoothed edges between them); a row without text: background only.
        Ink text = ink_in(picture, cells(at, 16, cell), c.text);
        Ink back = ink_in(picture, cells(at, 16, cell), c.back);
        EXPECT_GT(text.count, 16);
        EXPECT_GT(back.count, 16 * cell.cx * cell.cy / 2);
        POINT empty{0, 20};
        EXPECT_EQ(ink_in(picture, cells(empty, 80, cell), c.back).count, 80 * cell.cx * cell.cy);
        EXPECT_EQ(run.Close(), 0);
    }
}

int CALLBACK take_fixed_face(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM data)
{
    if ((type & TRUETYPE_FONTTYPE) && (lf->lfPitchAndFamily & 3) == FIXED_PITCH &&
        lf->lfFaceName[0] != '@') {
        *reinterpret_cast<std::string*>(data) = lf->lfFaceName;
        return 0;
    }
    return 1;
}

// A fixed-pitch scalable face of this system.
std::string scalable_fixed_face()
{
    std::string found;
    HDC dc = GetDC(nullptr);
    LOGFONTA want{};
    want.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &want, take_fixed_face, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found.empty() ? "Courier" : found;
}

TEST(DrennaWindow, TheFontDialogChangesTheGridAndThePicture)
{
    DrennaRun run("font");
    std::string face = scalable_fixed_face();
    run.Script("font \"" + face + "\" 14 bold\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_RESETBOARD);
    ASSERT_TRUE(run.WaitForTerminal(reset_text));
    POINT at = find_in_terminal(run.TerminalText(), reset_text);
    SIZE before = cell_size("Fixedsys", -12, 400);
    winui::CWindowPicture picture;
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    ASSERT_TRUE(capture_text(run.Terminal(), at, before, white, black, &picture));
    Ink small = ink_in(picture, cells(at, 16, before), white);

    run.Command(CM_FONT);
    EXPECT_TRUE(run.WaitForLog("font \"" + face + "\" 14 bold")) << run.Log();
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(14, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    SIZE after = cell_size(face.c_str(), height, FW_BOLD);
    ASSERT_GT(after.cx, before.cx);
    // The grid takes the new cells, the frame fits around it.
    EXPECT_TRUE(WaitUntil([&] {
        SIZE term = ClientSize(run.Terminal());
        return term.cx == 80 * after.cx && term.cy == 25 * after.cy;
    })) << ClientSize(run.Terminal()).cx << " " << after.cx;
    EXPECT_TRUE(WaitUntil([&] {
        return ClientSize(run.Frame()).cy ==
               window_height(run.ToolBar()) + 25 * after.cy + window_height(run.StatusBar());
    }));
    // The same text, drawn wider in the same cells of the new grid.
    EXPECT_TRUE(WaitUntil([&] {
        if (!picture.CaptureFromScreen(run.Terminal()))
            return false;
        Ink large = ink_in(picture, cells(at, 16, after), white);
        return large.count > small.count && large.right - large.left > small.right - small.left &&
               large.left >= at.x * after.cx && large.right < (at.x + 16) * after.cx;
    }, 10000)) << "cell " << after.cx << " x " << after.cy;
    picture.SaveBmp(run.Path("terminal.bmp"));
    EXPECT_EQ(run.Close(), 0);
    std::string ini = run.Path("drenna.INI");
    EXPECT_EQ(profile_value(ini, "FONT", "Font"), face);
    EXPECT_EQ(profile_value(ini, "FONT", "Bold"), "700");
    EXPECT_EQ(profile_value(ini, "FONT", "Height"), std::to_string(height));
}

} // namespace
