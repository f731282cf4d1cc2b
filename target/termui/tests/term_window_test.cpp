// The terminal window in a hidden frame: what printed characters do to the
// grid and the cursor, what typed keys hand to the serial library, and the
// one terminal a process may have.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/report_error.h"
#include "target/seriallink/serlink.h"
#include "target/termui/term_window.h"
#include "winui/wnd.h"

namespace {

class Host : public winui::CWnd {
public:
    Host()
    {
        RegisterClass("TermTestHost");
        CreateEx(0, "TermTestHost", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr);
    }
    ~Host() override { DestroyWindow(); }
};

std::string trimmed(const TTermWindow& term, int row)
{
    std::string r = term.Row(row);
    return r.substr(0, r.find_last_not_of(' ') + 1);
}

class TermWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(term.Create(host.m_hWnd, 1));
        ser_link.queued_key = 0;
    }
    void Print(const std::string& text) { term_puts(text.c_str()); }
    Host host;
    TTermWindow term;
};

TEST_F(TermWindow, PrintedCharactersFillTheGridAndMoveTheCursor)
{
    struct Case {
        const char* name;
        std::string text;
        const char* row0;
        const char* row1;
        POINT cursor;
    };
    const Case cases[] = {
        {"plain", "abc", "abc", "", {3, 0}},
        {"line feed", "ab\ncd", "ab", "cd", {2, 1}},
        {"carriage return", "abc\rX", "Xbc", "", {1, 0}},
        {"backspace blanks the cell", "abc\b", "ab", "", {2, 0}},
        {"backspace at column 0", "\b\bx", "x", "", {1, 0}},
        {"81st character wraps", std::string(80, 'a') + "b", nullptr, "b", {1, 1}},
    };
    // One terminal at a time: each case has its own.
    term.DestroyWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTermWindow fresh;
        ASSERT_TRUE(fresh.Create(host.m_hWnd, 2));
        Print(c.text);
        if (c.row0) {
            EXPECT_EQ(trimmed(fresh, 0), c.row0);
        }
        EXPECT_EQ(trimmed(fresh, 1), c.row1);
        EXPECT_EQ(fresh.Cursor().x, c.cursor.x);
        EXPECT_EQ(fresh.Cursor().y, c.cursor.y);
        EXPECT_EQ(fresh.Row(0).size(), 80u);
    }
}

TEST_F(TermWindow, ALineFeedOnTheLastRowScrollsTheGrid)
{
    Print("first\n");
    for (int r = 1; r < TERM_ROWS; r++)
        Print("row " + std::to_string(r) + (r < TERM_ROWS - 1 ? "\n" : ""));
    EXPECT_EQ(term.Cursor().y, 24);
    Print("\n");
    EXPECT_EQ(trimmed(term, 0), "row 1");
    EXPECT_EQ(trimmed(term, 23), "row 24");
    EXPECT_EQ(trimmed(term, 24), "");
    EXPECT_EQ(term.Cursor().x, 0);
    EXPECT_EQ(term.Cursor().y, 24);
}

TEST_F(TermWindow, TypedKeysGoToTheLibrarysKeySlot)
{
    term.SendMessage(WM_CHAR, 'k');
    EXPECT_EQ(ser_link.queued_key, 'k');
    ser_link.queued_key = 0;
    // Enter is sent as a line feed.
    term.SendMessage(WM_CHAR, 13);
    EXPECT_EQ(ser_link.queued_key, 10);
    ser_link.queued_key = 0;
    // Characters from 237 up only beep.
    term.SendMessage(WM_CHAR, 237);
    EXPECT_EQ(ser_link.queued_key, 0);
    term.SendMessage(WM_CHAR, 236);
    EXPECT_EQ(ser_link.queued_key, 236);
}

TEST_F(TermWindow, TheWindowTextIsTheGrid)
{
    Print("hello");
    char text[TERM_ROWS * (TERM_COLUMNS + 2) + 1] = "";
    term.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::string grid = text;
    EXPECT_EQ(grid.size(), static_cast<size_t>(TERM_ROWS * (TERM_COLUMNS + 2)));
    EXPECT_EQ(grid.compare(0, 5, "hello"), 0);
    EXPECT_EQ(grid.compare(80, 2, "\r\n"), 0);
}

TEST_F(TermWindow, AClosedTerminalTakesNoMoreCharacters)
{
    term.DestroyWindow();
    EXPECT_EQ(ser_link.text_callback.load(), nullptr);
    term_puts("ignored");
    EXPECT_EQ(term.Row(0), std::string(80, ' '));
}

// The box's text goes to the error output, where the death test finds it.
int print_box(void*, const char* text, const char*, unsigned)
{
    std::fprintf(stderr, "%s\n", text);
    return IDOK;
}

TEST_F(TermWindow, ASecondTerminalIsFatal)
{
    EXPECT_EXIT(
        {
            report_error_set_box_hook(print_box);
            TTermWindow second;
            second.Create(host.m_hWnd, 2);
        },
        testing::ExitedWithCode(-1), "TermWindow open!");
}

} // namespace
