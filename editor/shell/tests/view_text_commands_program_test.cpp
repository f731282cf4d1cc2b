// The commands on the active text in the real ovanta.exe under Wine: they
// are the view's, so the tool bar's edit buttons follow the active
// document (its selection, its read-only state, the clipboard, its undo
// steps) and are off without a document; the clipboard variants and the
// comment reach the active editor from the frame's menu.
#include "testing/winprog/ovanta_fixture.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

namespace {

const UINT top_dock = 0xE81B;
const UINT main_tool_bar = 0xE800;

class OvantaViewTextCommands : public OvantaProgramTest {
protected:
    static HWND ToolBar(HWND frame) { return GetDlgItem(GetDlgItem(frame, top_dock), main_tool_bar); }
    // The tool bar takes its states when the program is idle.
    // Whether each of the edit buttons comes to the given state (1 on,
    // 0 off, -1 not looked at).
    static void ExpectButtons(HWND bar, int cut, int copy, int paste, int undo)
    {
        const struct {
            UINT id;
            int enabled;
            const char* name;
        } buttons[] = {{ID_EDIT_CUT, cut, "cut"},
                       {ID_EDIT_COPY, copy, "copy"},
                       {ID_EDIT_PASTE, paste, "paste"},
                       {ID_EDIT_UNDO, undo, "undo"}};
        for (const auto& b : buttons) {
            if (b.enabled < 0)
                continue;
            EXPECT_TRUE(WaitUntil([&] {
                return (SendMessageA(bar, TB_ISBUTTONENABLED, b.id, 0) != 0) == (b.enabled == 1);
            }, 5000)) << b.name << " should be " << (b.enabled ? "enabled" : "disabled");
        }
    }
};

TEST_F(OvantaViewTextCommands, EditButtonsFollowTheActiveDocument)
{
    ASSERT_TRUE(write_file(Work("w.c"), "word\r\n"));
    ASSERT_TRUE(write_file(Work("ro.c"), "locked\r\n"));
    ASSERT_TRUE(SetFileAttributesA(Work("ro.c").c_str(), FILE_ATTRIBUTE_READONLY));
    PutClipboardText("clip");
    ProgramSession s;
    // The changed w.c is not saved at the end.
    Start(s, "w.c ro.c", "box no\n");
    HWND frame = s.MainWindow();
    HWND bar = ToolBar(frame);
    ASSERT_NE(bar, nullptr);

    // Nothing selected in the text: paste, no cut or copy.
    HWND editor = Activate(frame, Child(frame, "w.c"));
    ASSERT_NE(editor, nullptr);
    ExpectButtons(bar, 0, 0, 1, -1);
    // A selection enables cut and copy; a change enables undo.
    s.Command(ID_EDIT_SELECT_ALL);
    ExpectButtons(bar, 1, 1, 1, -1);
    SendMessageA(editor, WM_CHAR, 'x', 1);
    ExpectButtons(bar, 0, 0, 1, 1);

    // A read-only text may be copied from, not cut or pasted into.
    HWND locked = Activate(frame, Child(frame, "ro.c"));
    ASSERT_NE(locked, nullptr);
    s.Command(ID_EDIT_SELECT_ALL);
    ExpectButtons(bar, 0, 1, 0, -1);

    // Without a document window every edit button is off.
    s.Command(ID_CLOSE_ALL);
    ExpectButtons(bar, 0, 0, 0, 0);
    EXPECT_TRUE(s.Close());
    SetFileAttributesA(Work("ro.c").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(read_file(Work("w.c")), "word\r\n");
}

TEST_F(OvantaViewTextCommands, ClipboardVariantsAndTheCommentReachTheActiveEditor)
{
    ASSERT_TRUE(write_file(Work("one.c"), "first"));
    ASSERT_TRUE(write_file(Work("two.c"), "second"));
    ProgramSession s;
    Start(s, "one.c two.c", "");
    HWND frame = s.MainWindow();

    // Copy append adds the selection of the active text below the
    // clipboard's text.
    PutClipboardText("held");
    ASSERT_NE(Activate(frame, Child(frame, "one.c")), nullptr);
    s.Command(ID_EDIT_SELECT_ALL);
    s.Command(ID_COPY_APPEND);
    EXPECT_EQ(ClipboardText(), "held\r\nfirst");

    // The other document is the active one now: its text is appended.
    ASSERT_NE(Activate(frame, Child(frame, "two.c")), nullptr);
    s.Command(ID_EDIT_SELECT_ALL);
    s.Command(ID_COPY_APPEND);
    EXPECT_EQ(ClipboardText(), "held\r\nfirst\r\nsecond");

    // Set comment puts a C comment at the caret of the active text, and
    // only there.
    s.Command(ID_EDIT_SELECT_ALL);
    s.Command(ID_SET_COMMENT);
    s.Command(ID_FILE_SAVE_CMD);
    const std::string commented = read_file(Work("two.c"));
    EXPECT_NE(commented, "second");
    EXPECT_NE(commented.find("/*"), std::string::npos) << commented;
    EXPECT_EQ(read_file(Work("one.c")), "first");
    EXPECT_TRUE(s.Close());
}

} // namespace
