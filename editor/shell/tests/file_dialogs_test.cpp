// "Properties" and "Project files" shown for real and driven through the
// dialog hook: what "Properties" shows of a file on disk and what "Close"
// does with edited times; how "Project files" changes the workspace's
// lists with each button, and what Cancel leaves.
#include "editor/shell/file_dialogs_res.h"
#include "editor/shell/file_properties_dlg.h"
#include "editor/shell/project_files_dlg.h"

#include "testing/kit/test_kit.h"

#include "winui/commdlg.h"
#include "winui/dialog_script.h"
#include "winui/msgbox.h"

#include "editor/shell/tests/dialog_steps.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace dialog_steps;

// Shows the dialog; step looks at it, acts on it and names the button to press.
INT_PTR RunWith(winui::CDialog& dlg, std::function<int(HWND)> step)
{
    winui::SetDialogHook([&step](const winui::DialogCall& call) { return call.round == 0 ? step(call.dialog) : IDCANCEL; });
    INT_PTR result = dlg.DoModal();
    winui::SetDialogHook(nullptr);
    return result;
}

std::vector<std::string> ListItems(HWND dlg)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendDlgItemMessageA(dlg, IDC_PROJECT_FILE_LIST, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[512] = "";
        SendDlgItemMessageA(dlg, IDC_PROJECT_FILE_LIST, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

void Select(HWND dlg, const std::string& item)
{
    LRESULT index = SendDlgItemMessageA(dlg, IDC_PROJECT_FILE_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(item.c_str()));
    ASSERT_NE(index, LB_ERR) << item;
    SendDlgItemMessageA(dlg, IDC_PROJECT_FILE_LIST, LB_SETSEL, TRUE, index);
}

FILETIME LastWrite(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// --- the texts ------------------------------------------------------------------

TEST(FilePropertiesTexts, NameFolderSizeAndAttributes)
{
    struct PathCase {
        const char* path;
        const char* name;
        const char* folder;
    } paths[] = {{"C:\\src\\main.c", "main.c", "C:\\src\\"},
                 {"C:\\src\\main.c*", "main.c", "C:\\src\\"},
                 {"C:\\top.c", "top.c", "C:\\"},
                 {"unknown1", "", ""},
                 {"", "", ""}};
    for (const PathCase& c : paths) {
        std::string name = "x", folder = "x";
        SplitPropertiesPath(c.path, name, folder);
        EXPECT_EQ(name, c.name) << c.path;
        EXPECT_EQ(folder, c.folder) << c.path;
    }

    struct SizeCase {
        int length, lines;
        bool unix;
        const char* text;
    } sizes[] = {{10, 3, true, "size:  10 Bytes (UNIX)"},
                 {10, 3, false, "size:  12 Bytes (DOS)"},
                 {5, 1, false, "size:  5 Bytes (DOS)"},
                 {0, 1, false, "Size:  0 Bytes"},
                 {0, 1, true, "Size:  0 Bytes"}};
    for (const SizeCase& c : sizes)
        EXPECT_EQ(FileSizeText(c.length, c.lines, c.unix), c.text) << c.length << " " << c.unix;

    EXPECT_EQ(FileAttributesText(0x21), "File attributes:\n/readonly/archive");
    EXPECT_EQ(FileAttributesText(0x27), "File attributes:\n/readonly/hidden/system/archive");
    EXPECT_EQ(FileAttributesText(0x80), "File attributes:\n");
    // A file whose status cannot be read shows no attribute at all.
    EXPECT_EQ(FileAttributesText(INVALID_FILE_ATTRIBUTES), "File attributes:\n");
}

TEST(FilePropertiesTexts, TimesReadBackAsTheyAreShownAndNothingElseReadsAsATime)
{
    const FILETIME untouched{0x12345678, 0x01D00000};
    FILETIME time = untouched;
    ASSERT_TRUE(ParseFileTimeText("01/02/2020 , 03:04:05", time));
    EXPECT_EQ(FileTimeText(time), "01/02/2020 , 03:04:05");
    // Blanks around the comma are optional, as for the format's reader.
    FILETIME tight = untouched;
    ASSERT_TRUE(ParseFileTimeText("1/2/2020,3:4:5", tight));
    EXPECT_TRUE(SameTime(tight, time));
    FILETIME leap = untouched;
    EXPECT_TRUE(ParseFileTimeText("02/29/2024 , 23:59:59", leap));

    for (const char* text : {"", "hello", "01/02/2020", "01/02/2020 , 03:04", "13/01/2020 , 10:00:00",
                             "02/30/2021 , 10:00:00", "02/29/2023 , 10:00:00", "01/01/2020 , 24:00:00",
                             "01/01/2020 , 10:60:00", "00/10/2020 , 10:00:00", "01/01/99 , 10:00:00"}) {
        FILETIME t = untouched;
        EXPECT_FALSE(ParseFileTimeText(text, t)) << text;
        EXPECT_TRUE(SameTime(t, untouched)) << text;
    }
}

// --- "Properties" -----------------------------------------------------------------

class PropertiesDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = host_path(test_folder("props"));
        path_ = dir_ + "\\small.c";
        write_file(path_, "int a;\r\n// note\r\n\r\nint b;\r\n");
    }
    void TearDown() override { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }

    FilePropertiesSource Source(const std::string& path, bool unix = false)
    {
        FilePropertiesSource s;
        s.path = path;
        // The editor holds the four lines with one byte per line break.
        s.textLength = 26;
        s.lineCount = 5;
        s.unixFormat = unix;
        s.countLinesOfCode = [this] {
            ++counted_;
            return 2;
        };
        return s;
    }

    std::string dir_, path_;
    int counted_ = 0;
};

TEST_F(PropertiesDialog, ShowsTheFileAndCountsItsCodeLinesOnRequest)
{
    ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data));
    for (bool unix : {false, true}) {
        SCOPED_TRACE(unix ? "UNIX" : "DOS");
        winui::ScriptedMessageBoxes boxes;
        CFilePropertiesDlg dlg(Source(path_, unix), nullptr);
        counted_ = 0;
        INT_PTR result = RunWith(dlg, [&](HWND h) {
            char caption[64] = "";
            GetWindowTextA(h, caption, sizeof caption);
            EXPECT_STREQ(caption, "Properties");
            EXPECT_EQ(Text(h, IDC_PROPERTIES_NAME), "small.c");
            EXPECT_EQ(Text(h, IDC_PROPERTIES_PATH), dir_ + "\\");
            EXPECT_EQ(Text(h, IDC_PROPERTIES_SIZE), unix ? "size:  26 Bytes (UNIX)" : "size:  30 Bytes (DOS)");
            EXPECT_EQ(Text(h, IDC_PROPERTIES_LINES), "Lines:  5");
            EXPECT_EQ(Text(h, IDC_PROPERTIES_CREATED), FileTimeText(data.ftCreationTime));
            EXPECT_EQ(Text(h, IDC_PROPERTIES_CHANGED), FileTimeText(data.ftLastWriteTime));
            EXPECT_FALSE(Text(h, IDC_PROPERTIES_CHANGED).empty());
            EXPECT_TRUE(Enabled(h, IDC_PROPERTIES_CHANGED));
            EXPECT_EQ(Text(h, IDC_PROPERTIES_ATTRIBUTES).rfind("File attributes:\n/readonly", 0), 0u)
                << Text(h, IDC_PROPERTIES_ATTRIBUTES);
            // Counting takes a pass over the text: only on request.
            EXPECT_EQ(Text(h, IDC_PROPERTIES_CODE_LINES), "Lines of code:  ");
            EXPECT_EQ(counted_, 0);
            Click(h, IDC_PROPERTIES_COUNT);
            EXPECT_EQ(Text(h, IDC_PROPERTIES_CODE_LINES), "Lines of code:  2");
            EXPECT_EQ(counted_, 1);
            return IDOK;
        });
        EXPECT_EQ(result, IDOK);
        // Nothing edited: "Close" asks nothing.
        EXPECT_TRUE(boxes.Calls().empty());
    }
}

TEST_F(PropertiesDialog, CloseSetsAnEditedTimeOnlyOnYesAndOnlyWhenItReadsAsATime)
{
    struct Case {
        const char* name;
        bool readOnly;
        const char* typed;
        int answer;
        bool changes;
    } cases[] = {
        {"yes", false, "01/02/2020 , 03:04:05", IDYES, true},
        {"no", false, "01/02/2020 , 03:04:05", IDNO, false},
        // Only the file's attributes are written: a read-only file takes them.
        {"read-only", true, "06/15/2019 , 12:30:00", IDYES, true},
        {"unparsable", false, "next tuesday", IDYES, false},
        {"no such date", false, "02/30/2021 , 10:00:00", IDYES, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write_file(path_, "int a;\r\n");
        ASSERT_TRUE(SetFileAttributesA(path_.c_str(), c.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
        const FILETIME before = LastWrite(path_);
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(c.answer);
        CFilePropertiesDlg dlg(Source(path_), nullptr);
        RunWith(dlg, [&](HWND h) {
            SetDlgItemTextA(h, IDC_PROPERTIES_CHANGED, c.typed);
            return IDOK;
        });
        ASSERT_GE(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "Set the changed file times?");
        EXPECT_EQ(boxes.Calls()[0].caption, "File time has been changed");
        EXPECT_EQ(boxes.Calls()[0].type & 0xF, static_cast<UINT>(MB_YESNO));
        EXPECT_EQ(boxes.Calls()[0].type & 0xF0, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(boxes.Calls().size(), 1u) << "no failure to report";
        EXPECT_EQ(dlg.TimesSet(), c.changes);
        const FILETIME after = LastWrite(path_);
        if (c.changes)
            EXPECT_EQ(FileTimeText(after), c.typed);
        else
            EXPECT_TRUE(SameTime(after, before)) << FileTimeText(after);
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(PropertiesDialog, AFileThatCannotBeReadLeavesTheTimesEmptyAndAsksNothing)
{
    for (const std::string& path : {dir_ + "\\gone.c", std::string("unknown1")}) {
        SCOPED_TRACE(path);
        winui::ScriptedMessageBoxes boxes;
        CFilePropertiesDlg dlg(Source(path), nullptr);
        RunWith(dlg, [&](HWND h) {
            EXPECT_EQ(Text(h, IDC_PROPERTIES_CREATED), "");
            EXPECT_EQ(Text(h, IDC_PROPERTIES_CHANGED), "");
            EXPECT_FALSE(Enabled(h, IDC_PROPERTIES_CREATED));
            EXPECT_FALSE(Enabled(h, IDC_PROPERTIES_CHANGED));
            EXPECT_EQ(Text(h, IDC_PROPERTIES_ATTRIBUTES), "File attributes:\n");
            return IDOK;
        });
        EXPECT_TRUE(boxes.Calls().empty());
    }
}

// --- "Project files" --------------------------------------------------------------

class ProjectFilesDialog : public ::testing::Test {
protected:
    // The workspace C:\Proj\app.wsp with one file inside its folder and one
    // outside, the second of them not open.
    std::vector<std::string> files_{".\\main.c", "D:\\lib\\util.c"};
    std::vector<std::string> closed_{"D:\\lib\\util.c"};
    const std::string workspace_ = "C:\\Proj\\app.wsp";
    std::vector<std::string> treeAdded_;

    void Prepare(CProjectFilesDlg& dlg)
    {
        dlg.m_openPaths = {"C:\\Proj\\main.c", "C:\\PROJ\\src\\open.c", ""};
        dlg.m_strInitialDir = "C:\\Proj";
        dlg.m_onClosedFileAdded = [this](const std::string& stored) { treeAdded_.push_back(stored); };
    }
};

TEST_F(ProjectFilesDialog, AddFileAddsEachFileOnceInItsStoredForm)
{
    winui::ScriptedCommonDialogs files;
    files.Answer(winui::CommonDialogAnswer::Paths({"C:\\Proj\\src\\a.c", "C:\\Proj\\src\\open.c"}));
    // The same file again (other case), one already listed, one outside
    // the workspace's folder, then the dialog cancelled.
    files.Answer(winui::CommonDialogAnswer::Paths({"c:\\PROJ\\SRC\\A.C"}));
    files.Answer(winui::CommonDialogAnswer::Paths({"C:\\proj\\Main.c"}));
    files.Answer(winui::CommonDialogAnswer::Paths({"E:\\other\\b.c"}));
    files.Answer(winui::CommonDialogAnswer::Cancel());
    CProjectFilesDlg dlg(files_, closed_, workspace_, nullptr);
    Prepare(dlg);
    INT_PTR result = RunWith(dlg, [&](HWND h) {
        EXPECT_EQ(ListItems(h), (std::vector<std::string>{".\\main.c", "D:\\lib\\util.c"}));
        for (int i = 0; i < 5; ++i)
            Click(h, IDC_PROJECT_ADD_FILE);
        EXPECT_EQ(ListItems(h), (std::vector<std::string>{".\\main.c", ".\\src\\a.c", ".\\src\\open.c",
                                                          "D:\\lib\\util.c", "E:\\other\\b.c"}));
        return IDOK;
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(files.Calls().size(), 5u);
    EXPECT_EQ(files.Calls()[0].kind, winui::CommonDialogKind::Open);
    EXPECT_EQ(files_, (std::vector<std::string>{".\\main.c", "D:\\lib\\util.c", ".\\src\\a.c", ".\\src\\open.c",
                                                "E:\\other\\b.c"}));
    // The open file is not among the closed ones (nor a file item of the tree).
    EXPECT_EQ(closed_, (std::vector<std::string>{"D:\\lib\\util.c", ".\\src\\a.c", "E:\\other\\b.c"}));
    EXPECT_EQ(treeAdded_, (std::vector<std::string>{".\\src\\a.c", "E:\\other\\b.c"}));
}

TEST_F(ProjectFilesDialog, TooManyFilesForTheNameBufferAreReportedAndNoneIsAdded)
{
    std::vector<std::string> many;
    for (int i = 0; i < 400; ++i)
        many.push_back("C:\\Proj\\src\\" + std::string(90, 'n') + std::to_string(i) + ".c");
    winui::ScriptedCommonDialogs files;
    files.Answer(winui::CommonDialogAnswer::Paths(many));
    winui::ScriptedMessageBoxes boxes;
    CProjectFilesDlg dlg(files_, closed_, workspace_, nullptr);
    Prepare(dlg);
    RunWith(dlg, [&](HWND h) {
        Click(h, IDC_PROJECT_ADD_FILE);
        EXPECT_EQ(ListItems(h).size(), 2u);
        return IDOK;
    });
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Too many files were chosen at once; no file was added.");
    EXPECT_EQ(files_.size(), 2u);
    EXPECT_EQ(closed_.size(), 1u);
}

TEST_F(ProjectFilesDialog, RemoveFileTakesTheSelectedFilesOutOfBothLists)
{
    files_.push_back(".\\src\\x.c");
    files_.push_back(".\\src\\y.c");
    closed_.push_back(".\\src\\x.c");
    CProjectFilesDlg dlg(files_, closed_, workspace_, nullptr);
    Prepare(dlg);
    RunWith(dlg, [&](HWND h) {
        Select(h, ".\\main.c");
        Select(h, ".\\src\\x.c");
        Select(h, "D:\\lib\\util.c");
        Click(h, IDC_PROJECT_REMOVE_FILE);
        EXPECT_EQ(ListItems(h), (std::vector<std::string>{".\\src\\y.c"}));
        // Nothing selected any more: a second click removes nothing.
        Click(h, IDC_PROJECT_REMOVE_FILE);
        EXPECT_EQ(ListItems(h).size(), 1u);
        return IDOK;
    });
    EXPECT_EQ(files_, (std::vector<std::string>{".\\src\\y.c"}));
    EXPECT_TRUE(closed_.empty());
}

TEST_F(ProjectFilesDialog, AddAllOpenFilesAddsThoseNotListedAndCancelKeepsTheChanges)
{
    CProjectFilesDlg dlg(files_, closed_, workspace_, nullptr);
    Prepare(dlg);
    INT_PTR result = RunWith(dlg, [&](HWND h) {
        Click(h, IDC_PROJECT_ADD_OPEN);
        Click(h, IDC_PROJECT_ADD_OPEN);
        EXPECT_EQ(ListItems(h), (std::vector<std::string>{".\\main.c", ".\\src\\open.c", "D:\\lib\\util.c"}));
        return IDCANCEL;
    });
    EXPECT_EQ(result, IDCANCEL);
    // The untitled document (no path) is left out; main.c was listed already.
    EXPECT_EQ(files_, (std::vector<std::string>{".\\main.c", "D:\\lib\\util.c", ".\\src\\open.c"}));
    EXPECT_EQ(closed_, (std::vector<std::string>{"D:\\lib\\util.c"}));
}

} // namespace
