// Keyboard macros, text macros and the keyboard mapping in the real
// ovanta.exe under Wine: a recording made with the recorder's commands is
// saved as a "*.mcr", added as a tool and replayed into another document;
// a file of the old word form replays its characters; "macro.txt" is
// inserted with its placeholders and actualized; keys assigned in the
// mapping dialog (answered through the script file) are saved and come
// back after a restart.
#include "testing/winprog/ovanta_fixture.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/keyboard_macro.h"
#include "editor/shell/macros_res.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs_res.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class OvantaMacroProgram : public OvantaProgramTest {
protected:

    // The macro recorder's bar ("MacroRec") among the frame's windows.
    static HWND RecorderBar(HWND frame)
    {
        return DescendantWhere(frame, [](HWND w) { return WindowTextOf(w) == "MacroRec"; });
    }

    // A key posted to the document's editor as the system queue brings it
    // (through the frame's accelerators); then the document is saved until
    // its file reads expected.
    bool PressAndSave(ProgramSession& s, const std::string& name, UINT vk, const std::string& expected)
    {
        HWND editor = Activate(s.MainWindow(), Child(s.MainWindow(), name));
        PostMessageA(editor, WM_KEYDOWN, vk, 1);
        PostMessageA(editor, WM_KEYUP, vk, 0xC0000001);
        return SaveUntil(s, name, expected) == expected;
    }

};

TEST_F(OvantaMacroProgram, ARecordingReplaysIntoAnotherDocumentAndOldFilesStayReadable)
{
    const std::string text = "first line\r\nsecond line\r\nthird\r\n";
    ASSERT_TRUE(write_file(Work("a.c"), text));
    ASSERT_TRUE(write_file(Work("b.c"), text));
    // A macro file of the old form: characters above 127 sign-extended.
    ASSERT_TRUE(write_file(Work("old.mcr"), MacroFileBytes({0xFFFFFFE4u, 0xFFFFFFFCu})));
    Setting("ExecApplication", "Toolname", "old");
    Setting("ExecApplication", "AppExe", Work("old.mcr"));

    ProgramSession s;
    // Finish: the file, "Add a new tool for this macro?" Yes, the tool
    // dialog (preset with the macro) OK.
    Start(s, "a.c b.c", "save \"" + Work("m.mcr") + "\"\nbox yes\ndialog ok\n");
    HWND a = Child(s.MainWindow(), "a.c");
    HWND b = Child(s.MainWindow(), "b.c");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);

    HWND editor = Activate(s.MainWindow(), a);
    s.Command(ID_MACRO_RECORDER);
    ASSERT_NE(RecorderBar(s.MainWindow()), nullptr);
    EXPECT_TRUE(IsWindowVisible(RecorderBar(s.MainWindow())));
    s.Command(ID_MACRO_RECORD);
    Type(editor, "X\xE4");
    Key(editor, VK_END);
    Key(editor, 'Q'); // a key that types is recorded by its character only
    Type(editor, "!");
    Key(editor, VK_DOWN);
    s.Command(ID_DELETE_LINE);
    s.Command(ID_MACRO_STOP); // pause: typing is not recorded
    Type(editor, "Z\b");
    s.Command(ID_MACRO_RECORD);
    Type(editor, "\xF6");
    s.Command(ID_MACRO_PLAY);

    // The words as recorded, the non-ASCII characters as themselves.
    EXPECT_EQ(MacroWordsOfBytes(read_file(Work("m.mcr"))),
              (std::vector<uint32_t>{'X', 0xE4, 0x8000 | VK_END, '!', 0x8000 | VK_DOWN,
                                     0x80000000u | ID_DELETE_LINE, 0xF6}));

    // The new tool (the second) replays into the other document.
    Activate(s.MainWindow(), b);
    s.Command(ID_TOOL_FIRST + 1);
    s.Command(ID_FILE_SAVE_ALL);
    const std::string recorded = read_file(Work("a.c"));
    EXPECT_EQ(read_file(Work("b.c")), recorded);
    EXPECT_EQ(recorded.find("second"), std::string::npos) << recorded;
    EXPECT_EQ(recorded.substr(0, 15), "X\xE4" "first line!\r\n");
    EXPECT_NE(recorded.find("\xF6"), std::string::npos) << recorded;

    // The old file types its characters where the caret stands.
    s.Command(ID_TOOL_FIRST);
    s.Command(ID_FILE_SAVE_ALL);
    std::string replayed = read_file(Work("b.c"));
    EXPECT_NE(replayed.find("\xF6\xE4\xFC"), std::string::npos) << replayed;

    ASSERT_TRUE(s.Close());
    // The bar was shown at closing: the next start makes it again, hidden,
    // and the command shows it.
    EXPECT_EQ(Profile("DefaultSettings", "MacroBar"), "1");
    ProgramSession again;
    Start(again, "", "");
    HWND bar = RecorderBar(again.MainWindow());
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(IsWindowVisible(bar));
    again.Command(ID_MACRO_RECORDER);
    EXPECT_TRUE(IsWindowVisible(bar));
    ASSERT_TRUE(again.Close());
}

TEST_F(OvantaMacroProgram, TextMacrosAreInsertedWithTheirPlaceholdersAndActualized)
{
    ASSERT_TRUE(write_file(bin_ + "\\macro.txt", "$macro Header\r\n/* $FILE */\r\n$endmacro\r\n"
                                                 "$macro $Version \r\n2.0\r\n$endmacro\r\n"));
    Setting("DefaultSettings", "ExtContextMenu", "1");
    Setting("DefaultSettings", "ActualizeMacros", "0");
    ASSERT_TRUE(write_file(Work("c.c"), "Version 1.0 of c\r\n"));
    ProgramSession s;
    Start(s, "c.c", "box yes\n");
    HWND c = Child(s.MainWindow(), "c.c");
    HWND editor = Activate(s.MainWindow(), c);
    ASSERT_NE(editor, nullptr);
    // The first text macro, then "Actualize Macros" from the context menu.
    SendMessageA(editor, WM_COMMAND, 32850, 0);
    SendMessageA(editor, WM_COMMAND, ID_ACTUALIZE_MACROS, 0);
    s.Command(ID_FILE_SAVE_CMD);
    // "$FILE" keeps the column of the text behind it.
    EXPECT_EQ(read_file(Work("c.c")), "/* c.c   */Version 2.0 of c\r\n");

    // With "Actualize Macros at save" switched on, saving actualizes.
    s.Command(ID_ACTUALIZE_AT_SAVE);
    EXPECT_EQ(Profile("DefaultSettings", "ActualizeMacros"), "1");
    Key(editor, VK_END);
    Type(editor, "\rVersion 0");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("c.c")), "/* c.c   */Version 2.0 of c\r\nVersion 2.0\r\n");

    // The macro file opens for editing; saved after a change, it is read
    // again ("Reload Macros?" Yes) and its new first macro is inserted.
    s.Command(ID_EDIT_MACRO_FILE);
    HWND macros = Child(s.MainWindow(), "macro.txt");
    ASSERT_NE(macros, nullptr);
    Type(Activate(s.MainWindow(), macros), "$macro Footer\r// end\r$endmacro\r");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_NE(read_file(log_).find("\"Macro file has been changed\" \"Reload Macros?\" 6"),
              std::string::npos);
    editor = Activate(s.MainWindow(), c);
    Key(editor, VK_HOME);
    SendMessageA(editor, WM_COMMAND, 32850, 0);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("c.c")), "/* c.c   */Version 2.0 of c\r\n// endVersion 2.0\r\n");
    ASSERT_TRUE(s.Close());
}

// Actualizing writes every key's value; one Undo takes them all back.
TEST_F(OvantaMacroProgram, ActualizingIsUndoneWithOneUndo)
{
    ASSERT_TRUE(write_file(bin_ + "\\macro.txt", "$macro $Version \r\n2.0\r\n$endmacro\r\n"));
    Setting("DefaultSettings", "ActualizeMacros", "0");
    const std::string before = "Version 1.0\r\nVersion 1.1\r\nVersion 1.2\r\n";
    ASSERT_TRUE(write_file(Work("v.c"), before));
    ProgramSession s;
    Start(s, "v.c", "");
    HWND editor = Activate(s.MainWindow(), Child(s.MainWindow(), "v.c"));
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, WM_COMMAND, ID_ACTUALIZE_MACROS, 0);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("v.c")), "Version 2.0\r\nVersion 2.0\r\nVersion 2.0\r\n");
    s.Command(ID_EDIT_UNDO);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("v.c")), before);
    ASSERT_TRUE(s.Close());
}

TEST_F(OvantaMacroProgram, KeysAssignedInTheMappingDialogAreSavedAndComeBackAfterARestart)
{
    ASSERT_TRUE(write_file(Work("d.c"), "one\r\ntwo\r\nthree\r\n"));
    {
        ProgramSession s;
        Start(s, "d.c",
              // Ctrl+Q for a command without a key; Ctrl+C taken from Copy
              // (Yes); Ctrl+V for Undo refused (No); Delete line loses
              // Ctrl+Y and gets F7; Next document gets Ctrl+Back.
              "dialog ok"
              " select 1107 \"Goto matching brace\" check 1109 1 select 1112 Q click 1113"
              " select 1107 \"Select brace level\" check 1109 1 select 1112 C click 1113"
              " select 1107 Undo check 1109 1 select 1112 V click 1113"
              " select 1107 \"Delete line\" select 1112 \" not \" click 1113"
              " select 1107 \"Delete line\" select 1112 F7 click 1113"
              " select 1107 \"Next document\" check 1109 1 select 1112 Back click 1113\n"
              "box yes\nbox no\n");
        s.Command(ID_KEYBOARD_MAPPING);
        // The accelerators follow at once: F7 deletes the caret's line.
        EXPECT_TRUE(PressAndSave(s, "d.c", VK_F7, "two\r\nthree\r\n"));
        ASSERT_TRUE(s.Close());
    }
    std::string log;
    for (char c : read_file(log_))
        if (c != '\r')
            log += c;
    EXPECT_NE(log.find("\"Assign key\" \"This Key is already assigned to\n   \\\"Copy\\\"\nAssign new"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\"Assign key\" \"This Key is already assigned to\n   \\\"Paste\\\""),
              std::string::npos)
        << log;
    // In order, without gaps: Delete line in the place Copy left, the new
    // keys last.
    std::vector<std::string> keys;
    for (int i = 0; i < 62; ++i) {
        std::string v = Profile("ShortCuts", ("key" + std::to_string(i)).c_str());
        if (v == "<missing>")
            break;
        keys.push_back(v);
    }
    ASSERT_EQ(keys.size(), 30u);
    EXPECT_EQ(keys[0], "80B9,B,B");
    EXPECT_EQ(keys[2], "80B8,3,v");    // Delete line on F7
    EXPECT_EQ(keys[3], "E124,B,F");
    EXPECT_EQ(keys[11], "E125,B,V");   // Paste kept Ctrl+V
    EXPECT_EQ(keys[21], "800C,B,#08"); // Ctrl+Back: no control character
    EXPECT_EQ(keys[23], "E12B,B,Z");   // Undo kept Ctrl+Z
    EXPECT_EQ(keys[24], "80BA,9,M");
    EXPECT_EQ(keys[28], "804B,B,Q");
    EXPECT_EQ(keys[29], "8005,B,C");
    for (const std::string& k : keys)
        for (char c : k)
            EXPECT_GT(static_cast<unsigned char>(c), 0x20) << k;
    EXPECT_EQ(read_file(ini_).find("E122,"), std::string::npos); // Copy has no key

    {
        ProgramSession s;
        // Cancel after a Set keeps the keys; then the brace loses Ctrl+Q.
        Start(s, "d.c",
              "dialog cancel select 1107 Copy check 1109 1 select 1112 K click 1113\n"
              "dialog ok select 1107 \"Goto matching brace\" select 1112 \" not \" click 1113\n");
        // The table saved is the one loaded: F7 deletes a line again.
        EXPECT_TRUE(PressAndSave(s, "d.c", VK_F7, "three\r\n"));
        s.Command(ID_KEYBOARD_MAPPING);
        s.Command(ID_KEYBOARD_MAPPING);
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Profile("ShortCuts", "key2"), "80B8,3,v");
    EXPECT_EQ(Profile("ShortCuts", "key28"), "8005,B,C");
    EXPECT_EQ(Profile("ShortCuts", "key29"), "<missing>");
    EXPECT_EQ(read_file(ini_).find("E122,"), std::string::npos);
}

} // namespace
