// Quibex as a user runs it: the real program under Wine, the simulated
// board on the other end of its COM port, answers from a script file, and
// images with listings built by the suite's own assembler and linker.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core_fixture.h"
#include "quibex_run.h"
#include "target/quibex/resource.h"
#include "winui/picture.h"
#include "winui/script_file.h"

#include <commctrl.h>

namespace {

std::vector<uint8_t> image_data(const std::string& bin)
{
    std::string data = read_file(bin);
    return std::vector<uint8_t>(data.begin(), data.end() - (data.size() >= 4 ? 4 : 0));
}

TEST(QuibexProgram, StartsWithItsMenuAndLoadsTheExampleWithItsListing)
{
    QuibexRun run("demo");
    std::string report;
    ASSERT_TRUE(build_demo(run.Folder(), &report)) << report;
    run.Script("dialog ok\nopen \"" + run.Path("main.bin") + "\"\ndialog wait\n");
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_EQ(WindowTextOf(run.Frame()), "Quibex");
    EXPECT_NE(GetMenu(run.Frame()), nullptr);
    EXPECT_NE(run.Find("ToolbarWindow32"), nullptr);
    EXPECT_NE(run.Find("msctls_statusbar32"), nullptr);
    run.Command(CM_HELPABOUT);
    EXPECT_TRUE(run.WaitForLog("dialog 22000 \"About Quibex\"")) << run.Log();
    EXPECT_NE(run.Find("TCPUWindow"), nullptr);
    EXPECT_NE(run.Find("TTermWindow"), nullptr);
    EXPECT_EQ(run.SourceView(), nullptr);

    run.Command(CM_FILEOPEN);
    ASSERT_TRUE(WaitUntil([&] { return run.SourceView() != nullptr; })) << run.Log();
    EXPECT_EQ(WindowTextOf(GetParent(run.SourceView())), run.Path("main.lst"));
    std::vector<uint8_t> image = image_data(run.Path("main.bin"));
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x8000, static_cast<int>(image.size())) == image; }))
        << run.Log();
    EXPECT_TRUE(run.WaitForLog("dialog 2 \"Download...\""));
    EXPECT_EQ(run.Close(), 0);
    // The recent-file list keeps the image.
    std::string ini = read_file(run.Path("bin\\quibex.INI"));
    EXPECT_NE(ini.find("main.bin"), std::string::npos) << ini;
}

// An image opened without its listing beside it: the message names the
// listing, the image is downloaded all the same, no source view opens, and
// the status bar says why.
TEST(QuibexProgram, AnImageWithoutItsListingIsDownloadedWithoutASourceView)
{
    QuibexRun run("alone");
    std::string report;
    ASSERT_TRUE(build_demo(run.Folder(), &report)) << report;
    write_file(run.Path("alone.bin"), read_file(run.Path("main.bin")));
    run.Script("open \"" + run.Path("alone.bin") + "\"\nbox ok\ndialog wait\n");
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_FILEOPEN);
    EXPECT_TRUE(run.WaitForLog(winui::QuoteScriptText("File '" + run.Path("alone.lst") + "' does not exist!")))
        << run.Log();
    std::vector<uint8_t> image = image_data(run.Path("alone.bin"));
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x8000, static_cast<int>(image.size())) == image; }))
        << run.Log();
    HWND status = run.Find("msctls_statusbar32");
    EXPECT_TRUE(WaitUntil([&] {
        return WindowTextOf(status).find("without listing") != std::string::npos;
    })) << WindowTextOf(status);
    EXPECT_EQ(run.SourceView(), nullptr);
    EXPECT_EQ(run.Close(), 0);
}

// The listing's lines as the program reads them.
std::vector<std::string> listing_lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string text = without_cr(read_file(path));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The first code line whose text holds the needle: its index and address.
int code_line(const std::vector<std::string>& lines, const std::string& needle, int* address)
{
    for (size_t i = 0; i < lines.size(); i++)
        if (lines[i].compare(0, 3, "co:") == 0 && lines[i].find(needle) != std::string::npos) {
            *address = static_cast<int>(std::stoul(lines[i].substr(3, 4), nullptr, 16));
            return static_cast<int>(i);
        }
    return -1;
}

// The source view as a user sees and clicks it.
struct SourceView {
    const QuibexRun& run;
    int lineCount;
    SIZE cell = default_cell();

    HWND Handle() const { return run.SourceView(); }
    int Visible() const
    {
        RECT r;
        GetClientRect(Handle(), &r);
        return r.bottom / cell.cy;
    }
    // Scrolls the line into view (at the top where it can); its row.
    int Show(int index) const
    {
        SendMessageA(Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, index), 0);
        int top = index;
        if (top > lineCount - Visible())
            top = lineCount - Visible();
        if (top < 0)
            top = 0;
        return index - top;
    }
    void Click(int index) const
    {
        // The view follows the PC when the board reports it: the line is
        // scrolled into view again once such a report had its time.
        Show(index);
        Sleep(300);
        int row = Show(index);
        POINT pt{cell.cx * 3, row * cell.cy + cell.cy / 2};
        PostMessageA(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PostMessageA(Handle(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    // The visible lines.
    std::string Text() const { return WindowTextOf(Handle()); }
};

std::string pc_text(int address)
{
    char text[16];
    std::snprintf(text, sizeof text, "PC=$%04x", static_cast<unsigned>(address));
    return text;
}

// A planted breakpoint is a long call into the monitor in the board's RAM.
bool planted(int address)
{
    return BoardRam(address, 3) == std::vector<uint8_t>{0x12, 0x00, 0x03};
}

// The program loaded and downloaded to the simulated board; the script
// answers the download and whatever the test adds.
class Debugging : public testing::Test {
protected:
    explicit Debugging(const std::string& program = "main", const std::string& answers = "")
        : program_(program), answers_(answers), run(program)
    {
    }
    void SetUp() override
    {
        std::string report;
        ASSERT_TRUE(program_ == "hll" ? build_hll(run.Folder(), &report)
                                      : build_demo(run.Folder(), &report))
            << report;
        lines = listing_lines(run.Path(program_ + ".lst"));
        image = image_data(run.Path(program_ + ".bin"));
        run.Script("open \"" + run.Path(program_ + ".bin") + "\"\ndialog wait\n" + answers_);
        ASSERT_TRUE(run.Start());
        ASSERT_TRUE(run.WaitForWindow());
        run.Command(CM_FILEOPEN);
        ASSERT_TRUE(WaitUntil([&] { return run.SourceView() != nullptr; })) << run.Log();
        ASSERT_TRUE(WaitUntil(
            [&] { return BoardRam(0x8000, static_cast<int>(image.size())) == image; }))
            << run.Log();
        ASSERT_TRUE(run.WaitForLog("dialog 2 \"Download...\""));
    }
    void TearDown() override { EXPECT_EQ(run.Close(), 0); }

    // Whether the tool bar's button of the command can be pressed.
    bool ButtonEnabled(int id) const
    {
        HWND bar = run.Find("ToolbarWindow32");
        LRESULT state = SendMessageA(bar, TB_GETSTATE, static_cast<WPARAM>(id), 0);
        return state != -1 && (state & TBSTATE_ENABLED) != 0;
    }

    std::string program_, answers_;
    QuibexRun run;
    std::vector<std::string> lines;
    std::vector<uint8_t> image;
};

TEST_F(Debugging, BreakpointsStepsAnimationAndRegisters)
{
    SourceView view{run, static_cast<int>(lines.size())};
    int fill = 0;
    int fillLine = code_line(lines, "fill:", &fill);
    ASSERT_GE(fillLine, 0);
    std::vector<uint8_t> original = BoardRam(fill, 3);

    // A click on the line plants the breakpoint in the board's RAM.
    view.Click(fillLine);
    ASSERT_TRUE(WaitUntil([&] { return planted(fill); })) << run.Log();

    // Run: the board stops there, and the CPU view shows its registers.
    run.Command(CM_EXECUTE);
    EXPECT_TRUE(WaitUntil([&] { return run.CpuText().find(pc_text(fill)) != std::string::npos; }))
        << run.CpuText();
    EXPECT_NE(run.CpuText().find("SP=$"), std::string::npos);
    EXPECT_EQ(run.CpuText().find("????"), std::string::npos) << run.CpuText();
    // The view shows the PC's line.
    EXPECT_NE(view.Text().find(lines[static_cast<size_t>(fillLine)]), std::string::npos);

    // On a breakpoint the board does not step; the breakpoint is cleared
    // first (a click on the PC's own line), which writes the program's
    // bytes back.
    view.Click(fillLine);
    ASSERT_TRUE(WaitUntil([&] { return BoardRam(fill, 3) == original; })) << run.Log();
    // Another line takes a breakpoint and gives it back the same way.
    int djnz = 0;
    int djnzLine = code_line(lines, "djnz    r7,fill", &djnz);
    ASSERT_GE(djnzLine, 0);
    std::vector<uint8_t> djnzBytes = BoardRam(djnz, 3);
    view.Click(djnzLine);
    EXPECT_TRUE(WaitUntil([&] { return planted(djnz); })) << run.Log();
    view.Click(djnzLine);
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(djnz, 3) == djnzBytes; })) << run.Log();

    // One instruction on: "mov @r0,a" is one byte long.
    run.Command(CM_STEPCPU);
    EXPECT_TRUE(WaitUntil([&] { return run.CpuText().find(pc_text(fill + 1)) != std::string::npos; }))
        << run.CpuText();
    // The example is assembler alone: no source echoes, so stepping by
    // source line is greyed and its command does nothing.
    EXPECT_TRUE(WaitUntil([&] { return ButtonEnabled(CM_STEPCPU); }));
    EXPECT_FALSE(ButtonEnabled(CM_STEPLINE));
    EXPECT_FALSE(ButtonEnabled(CM_ANIMATELINE));
    run.SendCommand(CM_STEPLINE);
    Sleep(500);
    EXPECT_NE(run.CpuText().find(pc_text(fill + 1)), std::string::npos) << run.CpuText();

    // Animation runs until it is stopped; then stepping works again.
    run.Command(CM_ANIMATECPU);
    Sleep(1500);
    run.Command(CM_STOP);
    Sleep(500);
    std::string stopped = run.CpuText();
    run.Command(CM_STEPCPU);
    EXPECT_TRUE(WaitUntil([&] { return run.CpuText() != stopped; })) << stopped;
}

// The row of a line among the view's visible lines; -1 when not shown.
int visible_row(const std::string& text, const std::string& line)
{
    int row = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (text.compare(start, end - start, line) == 0)
            return row;
        row++;
        start = end + 2;
    }
    return -1;
}

bool near_colour(COLORREF c, int r, int g, int b)
{
    return std::abs(GetRValue(c) - r) < 24 && std::abs(GetGValue(c) - g) < 24 &&
           std::abs(GetBValue(c) - b) < 24;
}

TEST_F(Debugging, ThePictureShowsThePcAndTheBreakpointMarkers)
{
    SourceView view{run, static_cast<int>(lines.size())};
    int fill = 0, call = 0;
    int fillLine = code_line(lines, "fill:", &fill);
    int callLine = code_line(lines, "acall   delay", &call);
    ASSERT_GE(fillLine, 0);
    ASSERT_GT(callLine, fillLine + 1);
    view.Click(callLine);
    ASSERT_TRUE(WaitUntil([&] { return planted(call); })) << run.Log();
    view.Click(fillLine);
    ASSERT_TRUE(WaitUntil([&] { return planted(fill); })) << run.Log();
    run.Command(CM_EXECUTE);
    ASSERT_TRUE(WaitUntil([&] { return run.CpuText().find(pc_text(fill)) != std::string::npos; }))
        << run.CpuText();

    std::string text = view.Text();
    int pcRow = visible_row(text, lines[static_cast<size_t>(fillLine)]);
    int breakRow = visible_row(text, lines[static_cast<size_t>(callLine)]);
    ASSERT_GE(pcRow, 0) << text;
    ASSERT_GE(breakRow, 0) << text;

    SIZE cell = view.cell;
    int h = cell.cy;
    // The screen as it shows the program (another process's window is
    // read back from the desktop), in the view's client coordinates.
    winui::CWindowPicture screen;
    POINT origin{0, 0};
    RECT client;
    GetClientRect(view.Handle(), &client);
    auto pixel = [&](int x, int y) { return screen.Pixel(origin.x + x, origin.y + y); };
    bool ok = WaitUntil([&] {
        RedrawWindow(view.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Sleep(300);
        origin = POINT{0, 0};
        ClientToScreen(view.Handle(), &origin);
        if (!screen.Capture(GetDesktopWindow()))
            return false;
        return near_colour(pixel(client.right - 4, pcRow * h + h / 2), 255, 255, 192);
    }, 10000);
    screen.SaveBmp(run.Path("screen.bmp"));
    ASSERT_TRUE(ok) << "no picture of the PC line";
    // The PC line: light yellow behind its text, and the marker of a PC on
    // a breakpoint (a green arrow on a red disc).
    int y = pcRow * h;
    EXPECT_TRUE(near_colour(pixel(h / 2, y + h / 2), 0, 160, 0));
    EXPECT_TRUE(near_colour(pixel(h / 4 + 1, y + h / 4 + 1), 220, 0, 0));
    // The breakpoint line: a red disc, white behind its text.
    y = breakRow * h;
    EXPECT_TRUE(near_colour(pixel(h / 2, y + h / 2), 220, 0, 0));
    EXPECT_TRUE(near_colour(pixel(client.right - 4, y + h / 2), 255, 255, 255));
    // A plain code line between them: neither.
    y = (pcRow + 1) * h;
    EXPECT_FALSE(near_colour(pixel(h / 2, y + h / 2), 220, 0, 0));
    EXPECT_TRUE(near_colour(pixel(client.right - 4, y + h / 2), 255, 255, 255));
}

// A program with its C source in the listing: stepping by source line.
class HllDebugging : public Debugging {
protected:
    HllDebugging() : Debugging("hll") {}
};

TEST_F(HllDebugging, SingleLineStepsFromTheBreakpoint)
{
    SourceView view{run, static_cast<int>(lines.size())};
    int loop = 0;
    int loopLine = code_line(lines, "loop:", &loop);
    ASSERT_GE(loopLine, 0);
    view.Click(loopLine);
    ASSERT_TRUE(WaitUntil([&] { return planted(loop); })) << run.Log();
    run.Command(CM_EXECUTE);
    ASSERT_TRUE(WaitUntil([&] { return run.CpuText().find(pc_text(loop)) != std::string::npos; }))
        << run.CpuText();
    view.Click(loopLine);
    ASSERT_TRUE(WaitUntil([&] { return !planted(loop); })) << run.Log();

    EXPECT_TRUE(WaitUntil([&] { return ButtonEnabled(CM_STEPLINE); }));
    // "inc r7" is one byte, "mov 90h,r7" two.
    run.Command(CM_STEPLINE);
    EXPECT_TRUE(WaitUntil([&] { return run.CpuText().find(pc_text(loop + 1)) != std::string::npos; }))
        << run.CpuText();
    run.Command(CM_STEPLINE);
    EXPECT_TRUE(WaitUntil([&] { return run.CpuText().find(pc_text(loop + 3)) != std::string::npos; }))
        << run.CpuText();
}

// The symbol list answered through the script: a label far down the
// listing, a name that is not in the list, and two labels whose long names
// differ only after their first hundred characters.
class SymbolSearch : public Debugging {
protected:
    SymbolSearch()
        : Debugging("hll", "dialog ok select 101 " + winui::QuoteScriptText(long_label("second")) +
                               "\ndialog ok select 101 no_such_label\n"
                               "dialog ok select 101 " + winui::QuoteScriptText(long_label("first")) +
                               "\n")
    {
    }
    // The line whose text holds the label's definition.
    int LabelLine(const std::string& name) const
    {
        for (size_t i = 0; i < lines.size(); i++)
            if (lines[i].compare(0, 3, "co:") == 0 && lines[i].find(name + ":") != std::string::npos)
                return static_cast<int>(i);
        return -1;
    }
};

TEST_F(SymbolSearch, ChoosingALabelPlacesItsLineAQuarterDownTheView)
{
    SourceView view{run, static_cast<int>(lines.size())};
    int first = LabelLine(long_label("first"));
    int second = LabelLine(long_label("second"));
    ASSERT_GT(first, 0);
    ASSERT_GT(second, first);
    int quarter = view.Visible() / 4;
    ASSERT_GT(second - quarter, 0) << "the label must lie below the first view";
    // The board's first report of its PC puts the view back to the top:
    // it comes before the search.
    Sleep(1000);

    run.SendCommand(CM_FIND);
    EXPECT_EQ(visible_row(view.Text(), lines[static_cast<size_t>(second)]), quarter) << view.Text();
    std::string shown = view.Text();
    // A name the list does not hold moves nothing.
    run.SendCommand(CM_FIND);
    EXPECT_EQ(view.Text(), shown);
    run.SendCommand(CM_FIND);
    EXPECT_EQ(visible_row(view.Text(), lines[static_cast<size_t>(first)]), quarter) << view.Text();

    std::string log = run.Log();
    size_t answered = 0;
    for (size_t at = log.find("dialog 3 \"Symbol List: Definition\" 1"); at != std::string::npos;
         at = log.find("dialog 3 \"Symbol List: Definition\" 1", at + 1))
        answered++;
    EXPECT_EQ(answered, 3u) << log;
}

// The image and its listing on disk change under the program: it asks,
// and loads both or, when they do not belong together, neither.
class Reloading : public Debugging {
protected:
    Reloading() : Debugging("main", "box ok\nbox ok\nbox ok\ndialog wait\ndialog wait\n") {}
    // Makes the program look at the files again, as when it gets the focus.
    void Refocus() const { SendMessageA(run.Client(), WM_SETFOCUS, 0, 0); }
};

TEST_F(Reloading, AChangedPairLoadsWholeOrNotAtAll)
{
    std::string report;
    ASSERT_TRUE(build_overlaid(run.Folder(), &report)) << report;
    std::vector<uint8_t> other = image_data(run.Path("ovl.bin"));
    ASSERT_NE(BoardRam(0x8000, static_cast<int>(other.size())), other);
    std::string title = WindowTextOf(GetParent(run.SourceView()));
    std::string shown = WindowTextOf(run.SourceView());
    // Unchanged files: no question.
    Refocus();
    EXPECT_EQ(run.Log().find("Reload Binary"), std::string::npos) << run.Log();

    // Another link's image beside the old listing: the program asks, finds
    // that they do not belong together, and keeps the pair it had.
    Sleep(1100);
    write_file(run.Path("main.bin"), read_file(run.Path("ovl.bin")));
    Refocus();
    EXPECT_TRUE(run.WaitForLog("box \"Reload Binary\"")) << run.Log();
    EXPECT_TRUE(run.WaitForLog("different at Adr. $8000")) << run.Log();
    EXPECT_EQ(WindowTextOf(GetParent(run.SourceView())), title);
    EXPECT_EQ(WindowTextOf(run.SourceView()), shown);
    // Downloading again sends the image that is loaded: the old one.
    run.SendCommand(CM_RELOAD);
    Sleep(1000);
    EXPECT_EQ(BoardRam(0x8000, static_cast<int>(image.size())), image) << run.Log();

    // The listing of that link follows: now the pair loads, and its image
    // goes to the board.
    Sleep(1100);
    write_file(run.Path("main.lst"), read_file(run.Path("ovl.lst")));
    Refocus();
    EXPECT_TRUE(WaitUntil([&] {
        return BoardRam(0x8000, static_cast<int>(other.size())) == other;
    })) << run.Log();
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(run.SourceView()).find("f_local") != std::string::npos; }))
        << WindowTextOf(run.SourceView());
}

} // namespace
