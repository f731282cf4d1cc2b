// The main frame's edit, view and settings commands in the real ovanta.exe
// under Wine: each command of a table acts on a document of its own and
// the saved file shows the state after; the text operations ask before
// they change anything and do nothing on Cancel; the option toggles and
// the settings dialogs (answered through the script file) write their keys,
// and what was written comes back after a restart.
#include "testing/winprog/ovanta_fixture.h"
#include "program_session.h"
#include "system_input.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs_res.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class OvantaFrameCommands : public OvantaProgramTest {
protected:

    static int ChildCount(HWND frame)
    {
        int n = 0;
        for (HWND w = GetWindow(Client(frame), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindow(w, GW_OWNER) == nullptr)
                ++n;
        return n;
    }

};

// One document per case: its text before, what is done to it, and the
// text of its file after it has been saved.
struct CommandCase {
    const char* name;
    const char* before;
    UINT message; // WM_COMMAND when 0 is given as message and command set
    UINT command;
    const char* after;
};

TEST_F(OvantaFrameCommands, CommandsAndTextOperationsChangeTheirDocumentsAsTheTableSays)
{
    const CommandCase cases[] = {
        // The text operations by their messages (as the Operations dialog posts them).
        {"trail.c", "a  \r\n  b \r\n", 0x464, 0, "a\r\n  b\r\n"},
        {"lead.c", "  a\r\n    b\r\n", 0x465, 0, "a\r\nb\r\n"},
        {"empty.c", "a\r\n\r\n\r\nb\r\n", 0x467, 0, "a\r\nb\r\n"},
        // Cancel at "This action cannot be undone!" leaves the text alone.
        {"cancel.c", "c  \r\n", 0x464, 0, "c  \r\n"},
        // The keyboard-mapping commands of the same operations.
        {"cmdtrail.c", "x \r\ny  \r\n", 0, 32958, "x\r\ny\r\n"},
        {"cmdlead.c", "\tx\r\n", 0, 32959, "x\r\n"},
        // The Operations dialog: its first button posts the trailing-blank operation.
        {"dialog.c", "d \r\n", 0, ID_OPERATIONS, "d\r\n"},
        // "Settings for Tabs": 2 spaces per tab, soft tabs, every tab replaced.
        {"tabs.c", "\tx\r\n", 0, ID_TAB_SETTINGS, "  x\r\n"},
        // Editor commands at the caret (at the text start).
        {"lineend.c", "abc\r\ndef\r\n", 0, ID_DELETE_TO_LINE_END, "\r\ndef\r\n"},
        {"unix.c", "u\r\nv\r\n", 0, ID_SAVE_UNIX, "u\nv\n"},
        {"insert.c", "tail\r\n", 0, ID_INSERT_FILE, "ins 1\r\nins 2\r\ntail\r\n"},
    };
    std::string args;
    for (const CommandCase& c : cases) {
        ASSERT_TRUE(write_file(Work(c.name), c.before));
        args += std::string(args.empty() ? "" : " ") + c.name;
    }
    ASSERT_TRUE(write_file(Work("ins.txt"), "ins 1\nins 2\n"));

    ProgramSession s;
    // Boxes: OK for the three operations, Cancel, OK twice for the commands,
    // OK for the dialog's operation. The Operations dialog answers with its
    // first button; the open dialog of Insert File names ins.txt; the save
    // dialogs name the exported page and the new document.
    Start(s, args,
          "box ok\nbox ok\nbox ok\nbox cancel\nbox ok\nbox ok\nbox ok\n"
          "dialog " + std::to_string(IDC_OP_TRAILING) + "\n"
          "dialog ok set " + std::to_string(IDC_TAB_WIDTH) + " 2 check " + std::to_string(IDC_TAB_SOFT) +
          " 1 check " + std::to_string(IDC_TAB_REPLACE_ALL) + " 1\n"
          "open \"" + Work("ins.txt") + "\"\n"
          "save \"" + Work("page.htm") + "\"\n"
          "save \"" + Work("new.txt") + "\"\n");
    HWND frame = s.MainWindow();
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND child = Child(frame, c.name);
        ASSERT_NE(child, nullptr);
        Activate(frame, child);
        if (c.message)
            SendMessageA(frame, c.message, 0, 0);
        else
            s.Command(c.command);
        EXPECT_EQ(SaveUntil(s, c.name, c.after), c.after);
        // Done with: closed, unless a later step needs it.
        if (std::string(c.name) != "lineend.c")
            s.Command(ID_FILE_CLOSE_CMD);
    }
    // Every operation asked once with its own caption; the cancelled one
    // left its document unmodified.
    const std::string log = Log();
    EXPECT_EQ(CountOf(log, "\"Delete all spaces at line end\" \"This action cannot be undone!\""), 4) << log;
    EXPECT_EQ(CountOf(log, "\"Delete all spaces at line start\" \"This action cannot be undone!\""), 2) << log;
    EXPECT_EQ(CountOf(log, "\"Delete all empty lines in the selected range\""), 1) << log;
    EXPECT_EQ(CountOf(log, "dialog 145 \"Operations\""), 1) << log;
    EXPECT_EQ(Profile("DefaultSettings", "TabWidth"), "2");
    EXPECT_EQ(Profile("DefaultSettings", "SoftTabs"), "1");

    // The HTML export writes the page of the active document.
    Activate(frame, Child(frame, "lineend.c"));
    s.Command(ID_EXPORT_HTML);
    std::string page = read_file(Work("page.htm"));
    EXPECT_NE(page.find("def"), std::string::npos) << page;

    // Empty Clipboard empties it; Insert in new File opens a document with
    // the clipboard text.
    ASSERT_TRUE(PutClipboardText("from the clipboard"));
    const int before = ChildCount(frame);
    s.Command(ID_INSERT_IN_NEW_FILE);
    EXPECT_EQ(ChildCount(frame), before + 1);
    s.Command(ID_EMPTY_CLIPBOARD);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));

    // The new document holds the clipboard text: saved under the name the
    // save dialog gives.
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("new.txt")), "from the clipboard");
    // Close all closes every document window.
    s.Command(ID_CLOSE_ALL);
    EXPECT_EQ(ChildCount(frame), 0);
    const int boxes = CountOf(Log(), "box ");
    // Without a document window the operations ask nothing.
    SendMessageA(frame, 0x464, 0, 0);
    s.Command(32958);
    EXPECT_EQ(CountOf(Log(), "box "), boxes);
    EXPECT_TRUE(s.Close());
}

// Commands that reach the frame (a mapped key, a menu) but belong to the
// editor go to the active one; the frame's own bars are shown and hidden
// by their View entries; the Save button's picture follows the active
// text's changed state.
TEST_F(OvantaFrameCommands, EditorCommandsThroughTheFrameBarsAndTheSaveButton)
{
    ASSERT_TRUE(write_file(Work("brace.c"), "{ab}\r\n"));
    ProgramSession s;
    Start(s, "brace.c", "");
    HWND frame = s.MainWindow();
    HWND editor = Activate(frame, Child(frame, "brace.c"));
    ASSERT_NE(editor, nullptr);

    // Goto matching brace from the caret at the opening brace.
    s.Command(32843);
    SendMessageA(editor, WM_CHAR, 'X', 1);
    EXPECT_EQ(SaveUntil(s, "brace.c", "{abX}\r\n"), "{abX}\r\n");

    HWND topDock = GetDlgItem(frame, 0xE81B);
    HWND toolBar = GetDlgItem(topDock, 0xE800);
    HWND statusBar = GetDlgItem(frame, 0xE801);
    ASSERT_NE(toolBar, nullptr);
    ASSERT_NE(statusBar, nullptr);
    // Saved: the plain Save picture; a change: the other one; saved again:
    // back.
    const LRESULT plain = SendMessageA(toolBar, TB_GETBITMAP, ID_FILE_SAVE_CMD, 0);
    EXPECT_EQ(plain, 2);
    SendMessageA(editor, WM_CHAR, 'Y', 1);
    EXPECT_NE(SendMessageA(toolBar, TB_GETBITMAP, ID_FILE_SAVE_CMD, 0), plain);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(SendMessageA(toolBar, TB_GETBITMAP, ID_FILE_SAVE_CMD, 0), plain);

    for (HWND bar : {toolBar, statusBar}) {
        const UINT command = bar == toolBar ? 59392 : 59393;
        SCOPED_TRACE(command);
        EXPECT_TRUE(IsWindowVisible(bar));
        s.Command(command);
        EXPECT_FALSE(IsWindowVisible(bar));
        s.Command(command);
        EXPECT_TRUE(IsWindowVisible(bar));
    }
    EXPECT_TRUE(s.Close());
}

struct ToggleCase {
    UINT command;
    const char* key;
    const char* after; // the value written by one toggle from the defaults
};

TEST_F(OvantaFrameCommands, TogglesAndSettingsDialogsWriteTheirKeysAndComeBackAfterARestart)
{
    const ToggleCase toggles[] = {
        {ID_SYNTAX_COLOR, "Syntax", nullptr}, // the first start switches it on: the toggle turns it off
        {ID_LINE_NUMBERS, "ShowLineNo", "1"},
        {ID_EXT_MOV_TXT, "ExtMovTxt", "1"},
        {ID_MULTI_CLICK, "MultiClick", "1"},
        {ID_AUTO_INDENT, "AutoIndent", "1"},
        {ID_SUPPRESS_COMMENTS, "SupressComments", "1"},
        {ID_AUTO_COPY, "AutoCopy", "1"},
        {ID_ACTUALIZE_AT_SAVE, "ActualizeMacros", "0"},
        {ID_SPLIT_WINDOWS, "Split", "1"},
        {ID_FOCUS_SECOND_CLICK, "noClicks", "3"},
        {ID_HOLD_SELECTION, "SelAfterPaste", "1"},
        {ID_EXT_CONTEXT_MENU, "ExtContextMenu", "1"},
    };
    const std::string backup = "dialog ok check " + std::to_string(IDC_BACKUP_AUTOSAVE) + " 1 set " +
                               std::to_string(IDC_BACKUP_MINUTES) + " 7 check " +
                               std::to_string(IDC_BACKUP_ORIGINAL) + " 0 check " +
                               std::to_string(IDC_BACKUP_REPLACE_EXT) + " 1 set " +
                               std::to_string(IDC_BACKUP_EXTENSION) + " .old\n";
    // Wrapping is off at first: unchecking "Disable" opens the column, where
    // typing 40000 leaves 32766; the word rule is set by its click.
    const std::string wrap = "dialog ok check " + std::to_string(IDC_WRAP_DISABLE) + " 0 set " +
                             std::to_string(IDC_WRAP_COLUMN) + " 40000 check " +
                             std::to_string(IDC_WRAP_ON_WORDS) + " 1\n";
    // A click on "Save inserted line wraps" counts although Cancel follows.
    const std::string wrapCancel = "dialog cancel check " + std::to_string(IDC_WRAP_SAVE) + " 1\n";
    {
        ProgramSession s;
        Start(s, "", backup + wrap + wrapCancel + "font \"Courier New\" 12\nfont cancel\n");
        ASSERT_EQ(Profile("DefaultSettings", "Syntax"), "1");
        for (const ToggleCase& t : toggles) {
            SCOPED_TRACE(t.key);
            s.Command(t.command);
            EXPECT_EQ(Profile("DefaultSettings", t.key), t.after ? t.after : "0");
        }
        s.Command(ID_BACKUP_OPTIONS);
        s.Command(ID_LINE_WRAP);
        s.Command(ID_LINE_WRAP);
        // The font chosen is written; a cancelled chooser keeps it.
        s.Command(ID_FONT);
        EXPECT_EQ(Profile("Font", "FaceName"), "Courier New");
        WritePrivateProfileStringA("Font", "FaceName", nullptr, ini_.c_str());
        s.Command(ID_FONT);
        EXPECT_EQ(Profile("Font", "FaceName"), "Courier New");
        EXPECT_TRUE(s.Close());
    }
    // Saving all settings at the end (and after the font chooser) keeps
    // what the toggles wrote.
    for (const ToggleCase& t : toggles)
        EXPECT_EQ(Profile("DefaultSettings", t.key), t.after ? t.after : "0") << t.key;
    EXPECT_EQ(Profile("DefaultSettings", "AutoSaveTime"), "7");
    EXPECT_EQ(Profile("DefaultSettings", "OrgBackup"), "0");
    EXPECT_EQ(Profile("DefaultSettings", "SaveBackup"), "1");
    EXPECT_EQ(Profile("DefaultSettings", "ReplaceFileExt"), "1");
    EXPECT_EQ(Profile("DefaultSettings", "BackupFileExt"), ".old");
    // The dialog cut the typed column to 32766; a column above 32765 is
    // stored as 0 (no wrapping) when the settings are saved at the end.
    EXPECT_EQ(Profile("DefaultSettings", "LineWrap"), "0");
    EXPECT_EQ(Profile("DefaultSettings", "WrapOnWords"), "1");
    EXPECT_EQ(Profile("DefaultSettings", "SaveLineWrap"), "1");

    // After the restart the dialogs show what was stored: OK without a
    // change writes the same values; unchecking "Automatic save all" stores
    // 0 minutes. The view toggles flip from the stored values.
    {
        ProgramSession s;
        Start(s, "",
              "dialog ok\n"
              "dialog ok check " + std::to_string(IDC_BACKUP_AUTOSAVE) + " 0\n"
              "dialog ok check " + std::to_string(IDC_WRAP_DISABLE) + " 1\n"
              "open \"" + Work("indent.txt") + "\"\n");
        s.Command(ID_BACKUP_OPTIONS);
        EXPECT_EQ(Profile("DefaultSettings", "AutoSaveTime"), "7");
        EXPECT_EQ(Profile("DefaultSettings", "OrgBackup"), "0");
        EXPECT_EQ(Profile("DefaultSettings", "BackupFileExt"), ".old");
        s.Command(ID_BACKUP_OPTIONS);
        EXPECT_EQ(Profile("DefaultSettings", "AutoSaveTime"), "0");
        s.Command(ID_LINE_WRAP);
        EXPECT_EQ(Profile("DefaultSettings", "LineWrap"), "0");
        s.Command(ID_SYNTAX_COLOR);
        EXPECT_EQ(Profile("DefaultSettings", "Syntax"), "1");
        s.Command(ID_LINE_NUMBERS);
        EXPECT_EQ(Profile("DefaultSettings", "ShowLineNo"), "0");
        // The editing options came back into the editors: auto-indent
        // indents a new line like the one before.
        ASSERT_TRUE(write_file(Work("indent.txt"), "    x\r\n"));
        s.Command(ID_FILE_OPEN_CMD);
        HWND editor = Activate(s.MainWindow(), Child(s.MainWindow(), "indent.txt"));
        ASSERT_NE(editor, nullptr);
        SendMessageA(editor, WM_KEYDOWN, VK_END, 1);
        SendMessageA(editor, WM_CHAR, '\r', 1);
        SendMessageA(editor, WM_CHAR, 'y', 1);
        EXPECT_EQ(SaveUntil(s, "indent.txt", "    x\r\n    y\r\n"), "    x\r\n    y\r\n");
        EXPECT_TRUE(s.Close());
    }
    for (const ToggleCase& t : toggles) {
        if (t.command != ID_SYNTAX_COLOR && t.command != ID_LINE_NUMBERS) {
            EXPECT_EQ(Profile("DefaultSettings", t.key), t.after ? t.after : "0") << t.key;
        }
    }
}

// A later start hands its file to the running program: a folder whose name
// holds " -" stays part of the path, and only a trailing " -<digits>" is
// the line to go to.
TEST_F(OvantaFrameCommands, AHandedOverPathInAFolderNamedWithADashOpensThatFile)
{
    ASSERT_TRUE(make_dirs(Work("a -b")));
    ASSERT_TRUE(write_file(Work("a -b\\f.c"), "one\r\ntwo\r\nthree\r\nfour\r\n"));
    ASSERT_TRUE(write_file(Work("a -b\\g.c"), "g\r\n"));
    ProgramSession first;
    Start(first, "", "");
    for (const char* args : {"\"a -b\\f.c\" -3", "\"a -b\\g.c\""}) {
        SCOPED_TRACE(args);
        ProgramSession second;
        second.SetScript(script_, log_);
        ASSERT_TRUE(second.Start(exe_, args, work_));
        ASSERT_TRUE(second.WaitForExit(30000));
    }
    HWND f = Child(first.MainWindow(), "f.c");
    ASSERT_NE(f, nullptr);
    HWND g = Child(first.MainWindow(), "g.c");
    if (!g)
        for (HWND w = GetWindow(Client(first.MainWindow()), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            ADD_FAILURE() << "window: " << WindowTextOf(w);
    ASSERT_NE(g, nullptr);
    HWND editor = Activate(first.MainWindow(), f);
    SendMessageA(editor, WM_CHAR, 'X', 1);
    first.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("a -b\\f.c")), "one\r\ntwo\r\nXthree\r\nfour\r\n");
    EXPECT_EQ(Log().find("Failed to open"), std::string::npos) << Log();
    EXPECT_TRUE(first.Close());
}

// Commands that change many lines go back whole with one Ctrl+Z: each
// document has more lines than the undo history holds records, and its file
// saved after the Undo is the file before the command again.
TEST_F(OvantaFrameCommands, ManyLineCommandsGoBackWithOneUndo)
{
    const UINT fill_column = 32769, number_column = 32797;
    auto lines = [](const std::string& line) {
        std::string text;
        for (int i = 0; i < 450; ++i)
            text += line + "\r\n";
        return text;
    };
    struct UndoCase {
        const char* name;
        std::string before;
        UINT message; // a text operation's frame message, or 0
        UINT command; // else an editor command (as its context menu sends it) on the whole text
    };
    const UndoCase cases[] = {
        {"trail.c", lines("a  "), 0x464, 0},
        {"lead.c", lines("  a"), 0x465, 0},
        {"empty.c", lines("b\r\n"), 0x467, 0},
        {"fill.c", lines("ab"), 0, fill_column},
        {"number.c", lines("cd"), 0, number_column},
    };
    std::string args;
    for (const UndoCase& c : cases) {
        ASSERT_TRUE(write_file(Work(c.name), c.before));
        args += std::string(args.empty() ? "" : " ") + c.name;
    }
    ProgramSession s;
    Start(s, args, "box ok\nbox ok\nbox ok\ndialog ok set 1040 X\ndialog ok set 1040 5\n");
    HWND frame = s.MainWindow();
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND child = Child(frame, c.name);
        ASSERT_NE(child, nullptr);
        HWND editor = Activate(frame, child);
        ASSERT_NE(editor, nullptr);
        if (c.message) {
            SendMessageA(frame, c.message, 0, 0);
        } else {
            s.Command(ID_EDIT_SELECT_ALL);
            SendMessageA(editor, WM_COMMAND, c.command, 0);
        }
        s.Command(ID_FILE_SAVE_CMD);
        ASSERT_NE(read_file(Work(c.name)), c.before);
        SetForegroundWindow(frame);
        Sleep(200);
        PlayInput({KeyDown(VK_CONTROL), KeyDown('Z'), KeyUp('Z'), KeyUp(VK_CONTROL)}, nullptr, 300);
        EXPECT_EQ(SaveUntil(s, c.name, c.before), c.before);
        s.Command(ID_FILE_CLOSE_CMD);
    }
    ASSERT_TRUE(s.Close());
}

} // namespace
