// The source browser in the whole program: the real ovanta.exe under Wine
// with two C files that call each other. The project reference is built
// through its dialog, the tag search configuration is stored in section
// "TagConfig", the browser's start request asks to switch automatic
// browsing on and scans the open documents, the tag file is exported, the
// functions bar shows the files' functions and a double click on one leads
// to its line, and typing while scans run loses nothing.
#include "testing/winprog/ovanta_fixture.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>


namespace {

const UINT file_save = 57603;
const UINT function_list = 32936;
const UINT autosearch_config = 32942;
const UINT html_project = 32961;
const UINT browser_request = WM_USER + 0x20;
const UINT copy_name = 61559;

const char a_c[] =
    "/* first file */\r\n"
    "int twice(int a);\r\n"
    "int add(int a)\r\n"
    "{\r\n"
    "    return twice(a) + 1;\r\n"
    "}\r\n";
const char b_c[] =
    "int add(int a);\r\n"
    "int twice(int a)\r\n"
    "{\r\n"
    "    return add(0) * 0 + a + a;\r\n"
    "}\r\n";

HWND find_tree(HWND frame)
{
    return DescendantWhere(frame, [](HWND w) { return ClassOf(w) == "SysTreeView32" && GetDlgCtrlID(w) == 203; });
}

HTREEITEM next_item(HWND tree, HTREEITEM item, UINT code)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

// An item's label, through the bar's "Copy Name".
std::string label_of(HWND tree, HTREEITEM item)
{
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessageA(GetParent(tree), WM_COMMAND, copy_name, 0);
    return ClipboardText();
}

std::string profile_value(const std::string& ini, const char* section, const char* key)
{
    char value[1024] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, ini.c_str());
    return value;
}

class BrowserProgram : public OvantaProgramTest {
protected:
    void SetUp() override
    {
        OvantaProgramTest::SetUp();
        Setting("Ovanta", "Main", "0,0,900,700");
    }
};

TEST_F(BrowserProgram, ReferenceConfigurationScanTagFileAndFunctionsBar)
{
    ASSERT_TRUE(write_file(Work("a.c"), a_c));
    ASSERT_TRUE(write_file(Work("b.c"), b_c));
    std::string script =
        // Project reference: every file, with the index.
        "dialog ok check 1116 1 check 1083 1\n"
        // Tag search configuration: variables (and with them functions) and
        // declarations of the open documents whose names match "*.c".
        "dialog ok check 1130 1 check 1146 1 set 1120 *.c\n"
        // The start request finds automatic browsing off.
        "box yes\n";
    for (int i = 0; i < 20; ++i)
        script += "dialog 1143\n";
    ProgramSession s;
    Start(s, "\"" + Work("a.c") + "\" \"" + Work("b.c") + "\"", script);
    HWND frame = s.MainWindow();

    // The page lies in the active document's folder and links the two
    // functions both ways.
    s.Command(html_project);
    std::string page = read_file(Work("project.htm"));
    EXPECT_NE(page.find("<a href=\"#add\">add</a>"), std::string::npos) << page;
    EXPECT_NE(page.find("<a href=\"#twice\">twice</a>"), std::string::npos) << page;
    EXPECT_NE(page.find("<a name=\"add\">"), std::string::npos) << page;
    EXPECT_EQ(page.find("This function isn't called"), std::string::npos) << page;
    EXPECT_EQ(profile_value(ini_, "DefaultSettings", "HtmlProjectFlags"), "1");

    s.Command(autosearch_config);
    EXPECT_EQ(profile_value(ini_, "TagConfig", "flags"), std::to_string(0x01 | 0x04 | 0x20 | 0x40 | 0x80));
    EXPECT_EQ(profile_value(ini_, "TagConfig", "FileFilter"), "*.c");
    EXPECT_EQ(profile_value(ini_, "TagConfig", "tagpath0"), "");

    // The start request: the box, then a scan of the open documents; the
    // tag file is exported once the scan has handed its maps over.
    PostMessageA(frame, browser_request, 0, 0);
    const std::string tags = bin_ + "\\ovanta.tag";
    const std::string twice = "function: int twice(int a)   " + Work("b.c") + " - from line: 1 to 4";
    std::string tagText;
    for (int attempt = 0; attempt < 20 && tagText.find(twice) == std::string::npos; ++attempt) {
        Sleep(100);
        s.Command(autosearch_config);
        tagText = read_file(tags);
        PostMessageA(frame, browser_request, 0, 0);
    }
    EXPECT_NE(tagText.find(twice), std::string::npos) << tagText;
    EXPECT_NE(tagText.find("function: int add(int a)   " + Work("a.c") + " - from line: 2 to 5"), std::string::npos)
        << tagText;
    EXPECT_NE(tagText.find("Function declaration:   int twice(int a)   " + Work("a.c") + " - Line: 1"),
              std::string::npos)
        << tagText;
    std::string log = read_file(log_);
    EXPECT_NE(log.find("box \"Autobrowser\""), std::string::npos) << log;
    // The switch is stored with the flags.
    EXPECT_EQ(profile_value(ini_, "TagConfig", "flags"), std::to_string(0x80E5));

    // The functions bar (made by the start request, hidden) is shown.
    s.Command(function_list);
    HWND tree = find_tree(frame);
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(IsWindowVisible(tree));
    HTREEITEM first = next_item(tree, nullptr, TVGN_ROOT);
    HTREEITEM second = next_item(tree, first, TVGN_NEXT);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(label_of(tree, first), "a.c");
    EXPECT_EQ(label_of(tree, second), "b.c");
    HTREEITEM fn = next_item(tree, second, TVGN_CHILD);
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(label_of(tree, fn), "twice");
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(second));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(fn));
    SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));

    // b.c is active with the caret at the start of the function's line.
    HWND child = ActiveChild(frame);
    ASSERT_NE(child, nullptr);
    HWND editor = EditorOf(child);
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, WM_CHAR, 'X', 1);
    // Typing goes on while scans start again and again over copies of the
    // text.
    for (int i = 0; i < 150; ++i) {
        PostMessageA(frame, browser_request, 0, 0);
        SendMessageA(editor, WM_CHAR, 'y', 1);
    }
    s.Command(file_save);
    std::string saved = read_file(Work("b.c"));
    EXPECT_EQ(saved, "int add(int a);\r\nX" + std::string(150, 'y') + "int twice(int a)\r\n{\r\n"
                     "    return add(0) * 0 + a + a;\r\n}\r\n");
    EXPECT_TRUE(s.Close());
    // The reference's options are saved with the others at the end.
    EXPECT_EQ(profile_value(ini_, "DefaultSettings", "HtmlProjectFlags"), "1");
}

// A document shown with word wrap is re-wrapped at every key while scans
// of the open documents run over copies of its text: the scans find its
// symbols on their real lines (soft breaks are no lines) and the text saved
// is the text typed.
TEST_F(BrowserProgram, WrappedDocumentScannedWhileTyping)
{
    const std::string source = "int compute_total(int first, int second)\r\n{\r\n"
                               "    return first + second + first * second;\r\n}\r\n"
                               "#define LONG_NAME_ONE 12345678\r\n";
    ASSERT_TRUE(write_file(Work("c.c"), source));
    WritePrivateProfileStringA("DefaultSettings", "LineWrap", "12", ini_.c_str());
    WritePrivateProfileStringA("TagConfig", "flags", std::to_string(0x8000 | 0x01 | 0x04 | 0x20).c_str(),
                               ini_.c_str());
    WritePrivateProfileStringA("TagConfig", "FileFilter", "*.c", ini_.c_str());
    std::string script;
    for (int i = 0; i < 20; ++i)
        script += "dialog 1143\n";
    ProgramSession s;
    Start(s, "\"" + Work("c.c") + "\"", script);
    HWND frame = s.MainWindow();
    HWND child = ActiveChild(frame);
    ASSERT_NE(child, nullptr);
    HWND editor = EditorOf(child);
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, WM_CHAR, '/', 1);
    SendMessageA(editor, WM_CHAR, '/', 1);
    for (int i = 0; i < 200; ++i) {
        PostMessageA(frame, browser_request, 0, 0);
        SendMessageA(editor, WM_CHAR, i % 7 == 6 ? ' ' : 'y', 1);
    }
    SendMessageA(editor, WM_CHAR, '\r', 1);

    const std::string tags = bin_ + "\\ovanta.tag";
    const std::string function = "function: int compute_total(int first, int second)   " + Work("c.c") +
                                 " - from line: 1 to 4";
    std::string tagText;
    for (int attempt = 0; attempt < 20 && tagText.find(function) == std::string::npos; ++attempt) {
        PostMessageA(frame, browser_request, 0, 0);
        Sleep(150);
        s.Command(autosearch_config);
        tagText = read_file(tags);
    }
    EXPECT_NE(tagText.find(function), std::string::npos) << tagText;
    EXPECT_NE(tagText.find("#define LONG_NAME_ONE 12345678   " + Work("c.c") + " - Line: 5"), std::string::npos)
        << tagText;

    std::string typed = "//";
    for (int i = 0; i < 200; ++i)
        typed += i % 7 == 6 ? ' ' : 'y';
    s.Command(file_save);
    EXPECT_EQ(read_file(Work("c.c")), typed + "\r\n" + source);
    EXPECT_TRUE(s.Close());
}

} // namespace


BOOL CALLBACK find_show_files(HWND w, LPARAM data)
{
    if (GetDlgCtrlID(w) == 1163) {
        *reinterpret_cast<HWND*>(data) = w;
        return FALSE;
    }
    return TRUE;
}

// The language of the functions bar chosen by its command, and its "Show
// Files" switch, are written at once and still stand after the program has
// saved its settings at the end, so that the next start lists functions the
// same way.
TEST_F(BrowserProgram, ChosenFunctionListLanguageOutlastsTheClose)
{
    const UINT verilog_function_list = 32988;
    ASSERT_TRUE(write_file(Work("top.v"), "module top;\r\nendmodule\r\n"));
    {
        ProgramSession s;
        ASSERT_TRUE(s.Start(exe_, "\"" + Work("top.v") + "\"", work_));
        HWND frame = s.WaitForMainWindow(kFrameClass);
        ASSERT_NE(frame, nullptr);
        s.Command(verilog_function_list);
        EXPECT_EQ(profile_value(ini_, "DefaultSettings", "Verilog"), "1");
        EXPECT_EQ(profile_value(ini_, "DefaultSettings", "Perl"), "0");
        HWND showFiles = nullptr;
        EnumChildWindows(frame, find_show_files, reinterpret_cast<LPARAM>(&showFiles));
        ASSERT_NE(showFiles, nullptr);
        ASSERT_EQ(SendMessageA(showFiles, BM_GETCHECK, 0, 0), BST_CHECKED);
        SendMessageA(showFiles, BM_CLICK, 0, 0);
        EXPECT_EQ(profile_value(ini_, "DefaultSettings", "ShowFilesInTree"), "0");
        EXPECT_TRUE(s.Close());
    }
    EXPECT_EQ(profile_value(ini_, "DefaultSettings", "Verilog"), "1");
    EXPECT_EQ(profile_value(ini_, "DefaultSettings", "Perl"), "0");
    EXPECT_EQ(profile_value(ini_, "DefaultSettings", "ShowFilesInTree"), "0");

    // Back to C, again across the close.
    {
        ProgramSession s;
        ASSERT_TRUE(s.Start(exe_, "\"" + Work("top.v") + "\"", work_));
        ASSERT_NE(s.WaitForMainWindow(kFrameClass), nullptr);
        s.Command(function_list);
        EXPECT_TRUE(s.Close());
    }
    EXPECT_EQ(profile_value(ini_, "DefaultSettings", "Verilog"), "0");
}
