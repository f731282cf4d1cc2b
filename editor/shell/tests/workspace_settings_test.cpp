// The option table and the workspace file's text forms: every key written
// and read back, hand-edited values, open-file entries with commas in their
// paths, the closed files' order and the recent lists' name rule.
#include "editor/shell/project_files.h"
#include "editor/shell/settings_store.h"
#include "editor/shell/workspace_file.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

namespace {

// An INI file in memory: section and key compared as written.
class MemoryProfile : public SettingsSource, public SettingsSink {
public:
    bool Read(const char* section, const char* key, std::string& value) override
    {
        auto it = values.find(std::string(section) + "/" + key);
        if (it == values.end())
            return false;
        value = it->second;
        return true;
    }
    void Write(const char* section, const char* key, const std::string& value) override
    {
        values[std::string(section) + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

// Values that differ from every default and stay in range.
SettingsValues changed_values()
{
    SettingsValues v;
    for (const SettingKey& k : SettingKeys()) {
        if (k.intValue) {
            int d = v.*k.intValue;
            v.*k.intValue = d + 1 <= k.high ? d + 1 : d - 1;
        } else {
            v.*k.textValue = std::string("x:\\some, dir\\") + k.key;
        }
    }
    for (FontValues* f : {&v.font, &v.printFont}) {
        f->height = -13;
        f->weight = 700;
        f->italic = 1;
        f->charSet = 204;
        f->pitchAndFamily = 49;
        f->faceName = f == &v.font ? "Lucida Console" : "Arial";
    }
    return v;
}

// Compares the keys that one use writes and the other reads.
void expect_same(const SettingsValues& a, const SettingsValues& b, unsigned write, unsigned read,
                 const char* what)
{
    for (const SettingKey& k : SettingKeys()) {
        if (!(k.use & write) || !(k.use & read))
            continue;
        if (k.intValue)
            EXPECT_EQ(a.*k.intValue, b.*k.intValue) << what << " " << k.key;
        else
            EXPECT_EQ(a.*k.textValue, b.*k.textValue) << what << " " << k.key;
    }
}

TEST(SettingsStore, EveryKeyRoundTripsThroughTheProfileAndTheWorkspace)
{
    const SettingsValues written = changed_values();
    struct Case {
        unsigned write, read;
        const char* what;
    } cases[] = {
        {kProfileWrite, kProfileRead, "profile"},
        {kWorkspaceWrite, kWorkspaceRead, "workspace"},
    };
    for (const Case& c : cases) {
        MemoryProfile file;
        WriteSettings(file, written, c.write);
        SettingsValues read;
        ReadSettings(file, read, c.read);
        expect_same(written, read, c.write, c.read, c.what);
        EXPECT_EQ(read.font.faceName, "Lucida Console") << c.what;
        EXPECT_EQ(read.font.charSet, 204) << c.what;
        EXPECT_EQ(read.font.weight, 700) << c.what;
    }
}

TEST(SettingsStore, EachOperationWritesItsOwnKeys)
{
    MemoryProfile profile, workspace;
    SettingsValues v;
    WriteSettings(profile, v, kProfileWrite);
    WriteSettings(workspace, v, kWorkspaceWrite, kGroupOptions | kGroupFont);
    for (const char* key : {"HelpPath", "AutoCopy", "ReplaceFileExt", "BackupFileExt", "SendToServer",
                            "SendToPort", "DefaultDir"})
        EXPECT_EQ(workspace.values.count(std::string("DefaultSettings/") + key), 0u) << key;
    EXPECT_EQ(workspace.values.count("DefaultSettings/ActiveSyntax"), 1u);
    EXPECT_EQ(profile.values.count("DefaultSettings/ActiveSyntax"), 0u);
    EXPECT_EQ(profile.values.count("DefaultSettings/DefaultDir"), 0u);
    EXPECT_EQ(profile.values.count("PrintFont/FaceName"), 1u);
    EXPECT_EQ(workspace.values.count("PrintFont/FaceName"), 0u);
    EXPECT_EQ(profile.values.count("Print/LineNo"), 1u);
    // Written by their own commands only; the single-instance mode is the
    // program's and never goes into a workspace.
    for (const char* key : {"MultipleInstances", "OutWndHeight", "BrowseWndHeight"}) {
        EXPECT_EQ(profile.values.count(std::string("DefaultSettings/") + key), 0u) << key;
        EXPECT_EQ(workspace.values.count(std::string("DefaultSettings/") + key), 0u) << key;
    }
}

TEST(SettingsStore, AnEmptyProfileGivesTheDefaults)
{
    MemoryProfile empty;
    SettingsValues v = changed_values();
    ReadSettings(empty, v, kProfileRead);
    EXPECT_EQ(v.toolBar, 1);
    EXPECT_EQ(v.execBar, 1);
    EXPECT_EQ(v.bookmarkBar, 3);
    EXPECT_EQ(v.tabWidth, 4);
    EXPECT_EQ(v.softTabs, 1);
    EXPECT_EQ(v.orgBackup, 1);
    EXPECT_EQ(v.saveBackup, 1);
    EXPECT_EQ(v.backupFileExt, ".bak");
    EXPECT_EQ(v.sendToPort, 9000);
    EXPECT_EQ(v.tcpPortNo, 9000);
    EXPECT_EQ(v.noClicks, 2);
    EXPECT_EQ(v.font.faceName, "");
}

TEST(SettingsStore, HandEditedValuesFallBackToTheirDefaults)
{
    struct Case {
        const char* key;
        const char* text;
        int expected;
    } cases[] = {
        {"TabWidth", "0", 4},         {"TabWidth", "101", 4},      {"TabWidth", "12", 12},
        {"TabWidth", " 8 ", 8},       {"TabWidth", "8 spaces", 4}, {"TabWidth", "", 4},
        {"LineWrap", "40000", 0},     {"LineWrap", "-1", 0},       {"LineWrap", "72", 72},
        {"TcpPortNo", "0", 9000},     {"TcpPortNo", "70000", 9000}, {"SendToPort", "8080", 8080},
        {"noClicks", "5", 2},         {"noClicks", "3", 3},        {"BackColor", "0xFF", 255},
        {"BackColor", "-5", 0xFFFFFF}, {"ToolBar", "99", 1},       {"ToolBar", "0x12", 0x12},
        {"AutoSaveTime", "99999999999999", 0}, {"SoftTabs", "yes", 1},
        {"OutWndHeight", "-20", 0},   {"OutWndHeight", "300", 300}, {"MultipleInstances", "2", 1},
        {"MultipleInstances", "0", 0}, {"MacroBar", "7", 0},
    };
    for (const Case& c : cases) {
        MemoryProfile file;
        file.Write("DefaultSettings", c.key, c.text);
        SettingsValues v;
        ReadSettings(file, v, kProfileRead);
        for (const SettingKey& k : SettingKeys()) {
            if (std::string(k.key) == c.key) {
                EXPECT_EQ(v.*k.intValue, c.expected) << c.key << "=" << c.text;
            }
        }
    }
}

TEST(SettingsStore, TheTabClickSwitchIsReadFromSpecialsAndNeverWritten)
{
    for (auto [text, expected] : {std::pair<const char*, int>{"0", 0}, {"1", 1}, {"2", 1}, {"no", 1}}) {
        MemoryProfile file;
        file.Write("Specials", "AltWndSize", text);
        SettingsValues v;
        ReadSettings(file, v, kProfileRead);
        EXPECT_EQ(v.altWndSize, expected) << text;
        MemoryProfile written;
        WriteSettings(written, v, kProfileWrite);
        EXPECT_EQ(written.values.count("Specials/AltWndSize"), 0u);
    }
}

TEST(SettingsStore, OverlongStringsAreNotTakenAndFaceNamesAreCut)
{
    MemoryProfile file;
    file.Write("DefaultSettings", "LastDir", std::string(5000, 'd'));
    file.Write("DefaultSettings", "BackupFileExt", std::string(300, 'e'));
    file.Write("Font", "FaceName", std::string(40, 'f'));
    file.Write("Font", "Weight", "100000");
    SettingsValues v;
    ReadSettings(file, v, kProfileRead);
    EXPECT_EQ(v.lastDir, "");
    EXPECT_EQ(v.backupFileExt, ".bak");
    EXPECT_EQ(v.font.faceName, std::string(31, 'f'));
    EXPECT_EQ(v.font.weight, 0);
}

TEST(SettingsStore, WritingKeepsTheStoredFormsInRange)
{
    SettingsValues v;
    v.lineWrap = 40000;
    v.font.italic = 0x1FF;
    MemoryProfile file;
    WriteSettings(file, v, kProfileWrite);
    EXPECT_EQ(file.values["DefaultSettings/LineWrap"], "0");
    EXPECT_EQ(file.values["Font/Italic"], "255");
    v.lineWrap = -1;
    WriteSettings(file, v, kWorkspaceWrite);
    EXPECT_EQ(file.values["DefaultSettings/LineWrap"], "0");

    SettingsValues wild;
    wild.tabWidth = 500;
    wild.bookmarkBar = -3;
    wild.helpPath = std::string(1000, 'h');
    ClampSettings(wild);
    EXPECT_EQ(wild.tabWidth, 4);
    EXPECT_EQ(wild.bookmarkBar, 3);
    EXPECT_EQ(wild.helpPath, "");
}

// A single option written on its own goes through its key's rules: the
// key and section of the table, and a value out of range as the default,
// which the option set then holds too.
TEST(SettingsStore, OneOptionIsWrittenUnderItsKeyAndInItsRange)
{
    struct Case {
        int SettingsValues::*field;
        int value;
        const char* key;
        const char* written;
    };
    const Case cases[] = {
        {&SettingsValues::verilog, 1, "DefaultSettings/Verilog", "1"},
        {&SettingsValues::showFilesInTree, 0, "DefaultSettings/ShowFilesInTree", "0"},
        {&SettingsValues::functionList, 0x13, "DefaultSettings/FunctionList", "19"},
        {&SettingsValues::browseWndHeight, 99999, "DefaultSettings/BrowseWndHeight", "0"},
        {&SettingsValues::perl, 7, "DefaultSettings/Perl", "0"},
        {&SettingsValues::compressLines, 1, "Print/CompressLines", "1"},
    };
    for (const Case& c : cases) {
        MemoryProfile file;
        SettingsValues v;
        v.*c.field = c.value;
        EXPECT_TRUE(WriteSettingKey(file, v, c.field)) << c.key;
        EXPECT_EQ(file.values, (std::map<std::string, std::string>{{c.key, c.written}})) << c.key;
        EXPECT_EQ(std::to_string(v.*c.field), c.written) << c.key;
    }
}

TEST(SettingsStore, OneTextOptionIsWrittenUnderItsKeyAndInItsLength)
{
    MemoryProfile file;
    SettingsValues v;
    v.defaultDir = "C:\\work";
    EXPECT_TRUE(WriteSettingKey(file, v, &SettingsValues::defaultDir));
    EXPECT_EQ(file.values, (std::map<std::string, std::string>{{"DefaultSettings/DefaultDir", "C:\\work"}}));
    v.backupFileExt = std::string(40, 'x');
    EXPECT_TRUE(WriteSettingKey(file, v, &SettingsValues::backupFileExt));
    EXPECT_EQ(file.values["DefaultSettings/BackupFileExt"], ".bak");
    EXPECT_EQ(v.backupFileExt, ".bak");
}

// --- workspace file -----------------------------------------------------------

TEST(WorkspaceFile, OpenFileEntriesRoundTripAlsoWithCommasInTheirPaths)
{
    // Among them paths whose own end looks like position fields or a state.
    const char* paths[] = {".\\src\\a.c", "c:\\proj,old\\b.c", ".\\a -b\\c,d,e.h", "d:\\x.c,",
                           "c:\\dir,12\\f.c", "a,1,2", "a,1,2,3", "a,1,2,3,4", "a,1,2,3,4,m",
                           "b,0,0,0,0,M", "c,x", "d:\\y.c,m", ""};
    struct Fields {
        long top, caret;
        uint32_t low, high;
    } fieldSets[] = {{17, 1234, 0x5BFE4860, 0x1C41BAD}, {0, 0, 0, 0}, {-1, 7, 0xFFFFFFFF, 0xA}};
    const char states[] = {0, 'm', 'M'};
    for (const char* p : paths) {
        for (const Fields& f : fieldSets) {
            for (char state : states) {
                OpenFileEntry e;
                e.path = p;
                e.topLine = f.top;
                e.caret = f.caret;
                e.timeLow = f.low;
                e.timeHigh = f.high;
                e.state = state;
                const std::string text = FormatOpenFileEntry(e);
                OpenFileEntry r = ParseOpenFileEntry(text);
                EXPECT_FALSE(r.bare) << text;
                EXPECT_EQ(r.path, p) << text;
                EXPECT_EQ(r.topLine, f.top) << text;
                EXPECT_EQ(r.caret, f.caret) << text;
                EXPECT_EQ(r.timeLow, f.low) << text;
                EXPECT_EQ(r.timeHigh, f.high) << text;
                EXPECT_EQ(r.state, state) << text;
                EXPECT_EQ(r.fields, state ? 5 : 4) << text;
            }
        }
    }
    OpenFileEntry e;
    e.path = "x.c";
    EXPECT_EQ(FormatOpenFileEntry(e), "x.c,0,0,0,0");
    e.timeLow = 0xABCDEF01;
    EXPECT_EQ(FormatOpenFileEntry(e), "x.c,0,0,ABCDEF01,0");
}

TEST(WorkspaceFile, HandWrittenAndWizardEntries)
{
    struct Case {
        const char* value;
        const char* path;
        bool bare;
        long top, caret;
    } cases[] = {
        {"c:\\p\\main.c", "c:\\p\\main.c", true, 0, 0},
        {"c:\\p\\main.c,0,0,5BFE4860,1C41BAD", "c:\\p\\main.c", false, 0, 0},
        {"c:\\p\\main.c,12", "c:\\p\\main.c", false, 12, 0},
        {"c:\\p\\main.c,", "c:\\p\\main.c", false, 0, 0},
        {"c:\\a,b.c", "c:\\a,b.c", true, 0, 0},
        {"c:\\p\\main.c,12,zz", "c:\\p\\main.c,12,zz", true, 0, 0},
        {",1,2,3,4", "", false, 1, 2},
        {"c:\\p\\main.c,3,4,0,0,x", "c:\\p\\main.c", false, 3, 4},
    };
    for (const Case& c : cases) {
        OpenFileEntry e = ParseOpenFileEntry(c.value);
        EXPECT_EQ(e.path, c.path) << c.value;
        EXPECT_EQ(e.bare, c.bare) << c.value;
        EXPECT_EQ(e.topLine, c.top) << c.value;
        EXPECT_EQ(e.caret, c.caret) << c.value;
    }
}

TEST(WorkspaceFile, ActFileTimesAndPaths)
{
    std::string path;
    char state = 0;
    // Every name comes back whole, also one whose end looks like a state.
    for (const char* name : {".\\a,b\\main.c", ".\\main.c,v", "c:\\rcs\\x.h,", ".\\a,,", ".\\a,M", ","}) {
        for (bool maximized : {true, false}) {
            ParseActFile(FormatActFile(name, maximized), path, state);
            EXPECT_EQ(path, name) << maximized;
            EXPECT_EQ(state, maximized ? 'M' : 0) << name;
        }
    }

    uint32_t low = 0, high = 0;
    EXPECT_EQ(FormatFileTime(0x5BFE4860, 0x1C41BAD), "5BFE4860,1C41BAD");
    EXPECT_TRUE(ParseFileTime("5bfe4860,1C41BAD", low, high));
    EXPECT_EQ(low, 0x5BFE4860u);
    EXPECT_EQ(high, 0x1C41BADu);
    for (const char* bad : {"", "12", "x,y", "1,2,3", "123456789,1"})
        EXPECT_FALSE(ParseFileTime(bad, low, high)) << bad;

    EXPECT_EQ(WorkspaceDirectoryOf("C:\\Proj\\Board.wsp"), "c:\\proj");
    EXPECT_EQ(ExpandStoredPath("c:\\proj", ".\\src\\a.c"), "c:\\proj\\src\\a.c");
    EXPECT_EQ(ExpandStoredPath("c:\\proj", "d:\\b.c"), "d:\\b.c");
    EXPECT_EQ(WithWorkspaceExtension("c:\\w\\board"), "c:\\w\\board.wsp");
    EXPECT_EQ(WithWorkspaceExtension("c:\\w.d\\board"), "c:\\w.d\\board");
}

TEST(WorkspaceFile, ClosedFilesKeepTheirOrderAndTheTabBarCodeDoesNotPileUp)
{
    const std::vector<std::string> list = {".\\a.c", ".\\b.c", ".\\c.c", "d:\\x.c"};
    const std::vector<std::string> closed = {".\\c.c", ".\\A.c", "e:\\gone.c", "d:\\x.c"};
    EXPECT_EQ(ClosedFilesToWrite(closed, list), (std::vector<std::string>{".\\c.c", ".\\A.c", "d:\\x.c"}));
    // Saving a load of what was saved gives the same order again.
    EXPECT_EQ(ClosedFilesToWrite(ClosedFilesToWrite(closed, list), list), ClosedFilesToWrite(closed, list));

    int held = 0;
    held = StoredFileBarCode(1, held);
    held = StoredFileBarCode(2, held);
    EXPECT_EQ(held, 2);
    struct {
        int barCode, held, stored;
    } cases[] = {
        {0x12, 0x00, 0x02}, // hidden because no document is open: shown next time
        {0x12, 0x21, 0x12}, // hidden by the user when the last document closed
        {0x01, 0x20, 0x01}, // the mark of a bar shown again
        {0x11, 0x10, 0x11}, // turned off with the "File Bar" command
        {0x02, 0x11, 0x12}, // the user's choice stays with the bar moved
    };
    for (const auto& c : cases)
        EXPECT_EQ(StoredFileBarCode(c.barCode, c.held), c.stored) << c.barCode << " " << c.held;
}

TEST(WorkspaceFile, PositionsComeBackOnlyForFilesUnchangedSinceTheSave)
{
    EXPECT_TRUE(RestoresPosition(true, 100, true, 100));
    EXPECT_TRUE(RestoresPosition(true, 100, true, 99));
    EXPECT_FALSE(RestoresPosition(true, 100, true, 101));
    EXPECT_FALSE(RestoresPosition(false, 0, true, 0));
    // A file whose time cannot be read counts as changed.
    EXPECT_FALSE(RestoresPosition(true, 100, false, 0));
}

// The project's closed files follow the documents that open and close;
// files outside the project never join, and paths match without case.
TEST(ProjectFiles, ClosedFilesFollowOpeningAndClosingOfProjectFilesOnly)
{
    CProjectFiles project;
    project.Add(".\\src\\main.c");
    project.Add(".\\src\\util.c");
    project.Add(".\\SRC\\MAIN.C"); // the same file once more
    EXPECT_EQ(project.Files(), (std::vector<std::string>{".\\src\\main.c", ".\\src\\util.c"}));

    project.TrackClosed(".\\src\\util.c", true);
    project.TrackClosed("c:\\elsewhere\\notes.txt", true);
    project.TrackClosed(".\\SRC\\UTIL.C", true); // already closed
    EXPECT_EQ(project.Closed(), (std::vector<std::string>{".\\src\\util.c"}));

    project.TrackClosed(".\\Src\\Util.c", false);
    EXPECT_TRUE(project.Closed().empty());

    project.TrackClosed(".\\src\\main.c", true);
    project.TrackClosed(".\\src\\util.c", true);
    project.Remove(".\\SRC\\MAIN.C");
    EXPECT_EQ(project.Files(), (std::vector<std::string>{".\\src\\util.c"}));
    EXPECT_EQ(project.Closed(), (std::vector<std::string>{".\\src\\util.c"}));
    project.ForgetClosed(".\\src\\util.c");
    EXPECT_TRUE(project.Closed().empty());
    EXPECT_TRUE(project.Contains(".\\src\\UTIL.c"));

    project.TrackClosed(".\\src\\util.c", true);
    project.Clear();
    EXPECT_TRUE(project.Files().empty());
    EXPECT_TRUE(project.Closed().empty());
}

TEST(RecentLists, OnlyUntitledNamesStayOut)
{
    for (const char* name : {"unknown", "unknown1", "Unknown12"})
        EXPECT_TRUE(IsUntitledDocumentName(name)) << name;
    for (const char* name : {"c:\\unknown\\a.c", "c:\\src\\unknown1", "unknown.c", "unknowns", "a.c"})
        EXPECT_FALSE(IsUntitledDocumentName(name)) << name;
}

} // namespace
