// The Search and the Search & Replace dialogs driven as a user drives them:
// texts typed, boxes checked, buttons clicked, keys pressed; the requests
// they send reach an owner window that records them.
#include "winui/folder_dialog.h"
#include "editor/tools/search_dlg.h"
#include "editor/tools/search_replace_dlg.h"
#include "editor/tools/search_resource.h"

#include "testing/kit/test_kit.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    int32_t scope;
    uint32_t flags;
    std::string text, replacement, filter, directory;
    bool hasReplacement;
};

// The main frame's stand-in: records each request, answers a count.
struct Owner {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_FIND_REQUEST_MSG) {
            auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            if (wParam == 1) {
                ++self->closes;
                return 0;
            }
            const auto* r = reinterpret_cast<const SearchRequest*>(lParam);
            self->requests.push_back(Seen{r->scope, r->flags, r->text ? r->text : "",
                                          r->replacement ? r->replacement : "", r->fileFilter ? r->fileFilter : "",
                                          r->directory ? r->directory : "", r->replacement != nullptr});
            return self->answer;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    Owner()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SearchTestOwner";
        RegisterClassA(&wc);
        hwnd = CreateWindowA("SearchTestOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Owner() { DestroyWindow(hwnd); }
    HWND hwnd = nullptr;
    std::vector<Seen> requests;
    int closes = 0;
    int answer = 0;
};

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!winui::CWnd::WalkPreTranslateTree(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void Click(const winui::CDialog& dlg, int id)
{
    SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)));
    Pump();
}

void Check(const winui::CDialog& dlg, int id, bool on)
{
    dlg.CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED);
    Click(dlg, id);
}

void Radio(const winui::CDialog& dlg, std::initializer_list<int> group, int on)
{
    for (int id : group)
        dlg.CheckDlgButton(id, id == on ? BST_CHECKED : BST_UNCHECKED);
    Click(dlg, on);
}

std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    const int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[300] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::string Title(HWND hwnd)
{
    char text[200] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// A key press as the message loop delivers it to the focused edit of a combo.
void KeyDownIn(const CSearchCombo& combo, WPARAM key)
{
    HWND edit = GetWindow(combo.m_hWnd, GW_CHILD);
    MSG msg{edit ? edit : combo.m_hWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
    winui::CWnd::WalkPreTranslateTree(&msg);
    Pump();
}

void SetKeysDown(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int k : keys)
        state[k] = 0x80;
    SetKeyboardState(state);
}

class SearchDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg.SetSharedOptions(&options);
        dlg.SetMacroRecorder([this](uintptr_t value, uint32_t extra, uint32_t kind) {
            macro.push_back(kind == kMacroText ? std::string(reinterpret_cast<const char*>(value))
                                               : std::to_string(value) + "/" + std::to_string(extra));
        });
        ASSERT_TRUE(dlg.Create("", WM_FIND_REQUEST_MSG, owner.hwnd));
    }
    void Type(int id, const char* text)
    {
        dlg.SetDlgItemText(id, text);
        Pump();
    }

    Owner owner;
    SearchOptions options;
    CSearchDlg dlg;
    std::vector<std::string> macro;
};

} // namespace

TEST_F(SearchDialog, FindNextSendsTheRequestOfTheControls)
{
    EXPECT_EQ(Title(dlg.m_hWnd), "Search");
    EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
    EXPECT_FALSE(IsWindowVisible(dlg.GetDlgItem(IDC_ENHANCED)));
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FORWARD), BST_CHECKED);

    // An empty search text sends nothing.
    Click(dlg, IDC_FIND_NEXT);
    EXPECT_TRUE(owner.requests.empty());

    owner.answer = 3;
    Type(IDC_SEARCH_TEXT, "needle");
    Check(dlg, IDC_WHOLE_WORDS, true);
    Check(dlg, IDC_MATCH_CASE, true);
    Radio(dlg, {IDC_FORWARD, IDC_BACKWARD, IDC_SEARCH_ALL_DIRECTIONS}, IDC_BACKWARD);
    Click(dlg, IDC_FIND_NEXT);
    ASSERT_EQ(owner.requests.size(), 1u);
    const Seen& r = owner.requests[0];
    EXPECT_EQ(r.scope, kScopeFindInDocument);
    EXPECT_EQ(r.flags & ~kSearchEnterToggled,
              kSearchBackward | kSearchWholeWords | kSearchMatchCase | kSearchStandard | kSearchUseSelection);
    EXPECT_EQ(r.text, "needle");
    EXPECT_FALSE(r.hasReplacement);
    EXPECT_EQ(dlg.m_nLastResult, 3);

    // Both ways and the comment option.
    Radio(dlg, {IDC_FORWARD, IDC_BACKWARD, IDC_SEARCH_ALL_DIRECTIONS}, IDC_SEARCH_ALL_DIRECTIONS);
    Check(dlg, IDC_NO_COMMENT_HITS, true);
    EXPECT_TRUE(options.suppressComments);
    Click(dlg, IDC_FIND_NEXT);
    ASSERT_EQ(owner.requests.size(), 2u);
    EXPECT_EQ(owner.requests[1].flags & kSearchDirectionMask, kSearchBothWays);
    EXPECT_TRUE(owner.requests[1].flags & kSearchSkipComments);

    // The text is kept once in the history; the macro has command and text.
    EXPECT_EQ(ComboItems(dlg.m_cbFind.m_hWnd), (std::vector<std::string>{"needle"}));
    ASSERT_GE(macro.size(), 2u);
    EXPECT_EQ(macro[1], "needle");
    const uint32_t recorded = owner.requests[0].flags << 16 | 0x04000000u;
    EXPECT_EQ(macro[0], std::to_string(kFindCommandId) + "/" + std::to_string(recorded));

    // "Search only in the actual file".
    Check(dlg, IDC_ACTUAL_FILE, true);
    EXPECT_EQ(Title(dlg.m_hWnd), "Search in current file..");
    EXPECT_FALSE(IsWindowEnabled(dlg.GetDlgItem(IDC_FORWARD)));
    Click(dlg, IDC_FIND_NEXT);
    EXPECT_EQ(owner.requests.back().scope, kScopeCurrentDocument);
}

TEST_F(SearchDialog, MultiFileModeSearchesForwardAndEnhancedSearchesTheDisk)
{
    dlg.m_bMultiFile = TRUE;
    dlg.UpdateTitle(SW_SHOW);
    dlg.ShowEnhanced(TRUE);
    EXPECT_EQ(Title(dlg.m_hWnd), "Search in files..");
    EXPECT_FALSE(IsWindowEnabled(dlg.GetDlgItem(IDC_BACKWARD)));
    EXPECT_TRUE(IsWindowVisible(dlg.GetDlgItem(IDC_ENHANCED)));

    Type(IDC_SEARCH_TEXT, "x");
    dlg.CheckDlgButton(IDC_FORWARD, BST_UNCHECKED);
    dlg.CheckDlgButton(IDC_BACKWARD, BST_CHECKED); // whatever the buttons show
    Click(dlg, IDC_FIND_NEXT);
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_EQ(owner.requests[0].scope, kScopeOpenDocuments);
    EXPECT_EQ(owner.requests[0].flags & kSearchDirectionMask, kSearchForward);

    RECT normal, enhanced;
    GetWindowRect(dlg.m_hWnd, &normal);
    Click(dlg, IDC_ENHANCED);
    GetWindowRect(dlg.m_hWnd, &enhanced);
    EXPECT_GT(enhanced.bottom - enhanced.top, normal.bottom - normal.top);
    EXPECT_EQ(Title(dlg.m_hWnd), "Search in files..");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_ENHANCED), "<< Normal");
    EXPECT_FALSE(IsWindowEnabled(dlg.GetDlgItem(IDC_ACTUAL_FILE)));

    Check(dlg, IDC_SUBDIRECTORIES, true);
    // Eleven searches in eleven folders: the newest folder first, ten kept.
    for (int i = 0; i < 11; ++i) {
        Type(IDC_SEARCH_DIRECTORY, ("C:\\dir" + std::to_string(i)).c_str());
        Type(IDC_FILE_FILTER, ("*.c" + std::to_string(i)).c_str());
        Click(dlg, IDC_FIND_NEXT);
    }
    const Seen& r = owner.requests.back();
    EXPECT_EQ(r.scope, kScopeDiskFiles);
    EXPECT_TRUE(r.flags & kSearchSubdirectories);
    EXPECT_TRUE(r.flags & kSearchForward); // the frame searches the disk forward
    EXPECT_EQ(r.directory, "C:\\dir10");
    EXPECT_EQ(r.filter, "*.c10");
    const auto dirs = ComboItems(dlg.GetDlgItem(IDC_SEARCH_DIRECTORY));
    ASSERT_EQ(dirs.size(), 10u);
    EXPECT_EQ(dirs.front(), "C:\\dir10");
    EXPECT_EQ(dirs.back(), "C:\\dir1");
    EXPECT_EQ(ComboItems(dlg.GetDlgItem(IDC_FILE_FILTER)).size(), 10u);

    // Back to the open documents.
    Click(dlg, IDC_ENHANCED);
    EXPECT_EQ(Title(dlg.m_hWnd), "Search in all open files..");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_ENHANCED), "Enhanced >>");
}

TEST_F(SearchDialog, EscapeWhileBusyKeepsTheDialogAndCloseHidesIt)
{
    dlg.m_bBusy = TRUE;
    Click(dlg, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
    EXPECT_FALSE(dlg.m_bBusy);
    EXPECT_EQ(owner.closes, 0);
    Click(dlg, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dlg.m_hWnd));
    EXPECT_EQ(owner.closes, 1);
    dlg.UpdateTitle(SW_SHOW);
    SendMessageA(dlg.m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dlg.m_hWnd));
    EXPECT_EQ(owner.closes, 2);
    ASSERT_NE(dlg.m_hWnd, nullptr); // hidden, not destroyed
}

TEST_F(SearchDialog, SearchTextFromTheEditor)
{
    dlg.SetSearchText("first", FALSE);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_TEXT), "first");
    dlg.SetSearchText("   ", FALSE);                      // blanks only: ignored
    dlg.SetSearchText(std::string(101, 'x').c_str(), FALSE); // too long: ignored
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_TEXT), "first");
    // Take-over off while the dialog is visible: only a forced text counts.
    Check(dlg, IDC_TAKE_SELECTION, false);
    EXPECT_FALSE(options.findUseSelection);
    dlg.SetSearchText("second", FALSE);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_TEXT), "first");
    dlg.SetSearchText("second", TRUE);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_TEXT), "second");
}

TEST_F(SearchDialog, EnterAndTheHotKeyInTheComboRunFindNext)
{
    dlg.SetHotKey(VK_F3 | (0x08u << 16)); // Ctrl+F3
    Type(IDC_SEARCH_TEXT, "key");
    SetKeysDown({});
    KeyDownIn(dlg.m_cbFind, VK_RETURN);
    EXPECT_EQ(owner.requests.size(), 1u);
    SetKeysDown({VK_CONTROL});
    KeyDownIn(dlg.m_cbFind, VK_F3);
    EXPECT_EQ(owner.requests.size(), 2u);
    SetKeysDown({VK_CONTROL, VK_SHIFT}); // not exactly the stored modifiers
    KeyDownIn(dlg.m_cbFind, VK_F3);
    SetKeysDown({});
    KeyDownIn(dlg.m_cbFind, VK_F3);
    EXPECT_EQ(owner.requests.size(), 2u);
    // In multi-file mode the hot key does nothing.
    dlg.m_bMultiFile = TRUE;
    SetKeysDown({VK_CONTROL});
    KeyDownIn(dlg.m_cbFind, VK_F3);
    SetKeysDown({});
    EXPECT_EQ(owner.requests.size(), 2u);
}

TEST(SearchDialogSettings, HistoriesFlagsAndPlaceComeFromTheProfileAndGoBack)
{
    const std::string dir = test_folder("profile");
    const std::string ini = host_path(dir + "/ovanta.ini");
    write_file(dir + "/ovanta.ini",
               "[FIND]\r\nsearchdir0=C:\\src\r\nsearchdir1=C:\\lib\r\nsearchfilter0=*.c *.h\r\n"
               "searchfilter1=*.asm\r\nFilefilter=*.asm\r\nSearchflags=141\r\n"
               "[Ovanta]\r\nFIND= 120 , 80 \r\n");
    winui::CProfile profile(ini);
    Owner owner;
    SearchOptions options;
    CSearchDlg dlg;
    dlg.SetProfile(&profile);
    dlg.SetSharedOptions(&options);
    ASSERT_TRUE(dlg.Create("", WM_FIND_REQUEST_MSG, owner.hwnd));
    dlg.LoadHistory();
    RECT r;
    GetWindowRect(dlg.m_hWnd, &r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(ComboItems(dlg.GetDlgItem(IDC_SEARCH_DIRECTORY)), (std::vector<std::string>{"C:\\src", "C:\\lib"}));
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_DIRECTORY), "C:\\src");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_FILE_FILTER), "*.asm");
    // 141 = 0x8D: skip comments, case sensitive, whole words, backward.
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_NO_COMMENT_HITS), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MATCH_CASE), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_WHOLE_WORDS), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_BACKWARD), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_TAKE_SELECTION), BST_UNCHECKED);
    EXPECT_TRUE(options.suppressComments);

    // Flags whose low 16 bits are 0 leave the boxes as they are.
    dlg.CheckDlgButton(IDC_MATCH_CASE, BST_UNCHECKED);
    profile.WriteInt("FIND", "Searchflags", 0x10000);
    dlg.LoadHistory();
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MATCH_CASE), BST_UNCHECKED);

    // Saved back: histories, filter, flags, place.
    const std::string out = host_path(dir + "/saved.ini");
    winui::CProfile saved(out);
    SaveSearchSettings(saved, &dlg, nullptr);
    SaveSearchDialogPlaces(saved, &dlg, nullptr);
    EXPECT_EQ(saved.GetString("FIND", "searchdir0"), "C:\\src");
    EXPECT_EQ(saved.GetString("FIND", "searchdir2"), "C:\\src"); // loaded twice above
    EXPECT_EQ(saved.GetString("FIND", "searchfilter1"), "*.asm");
    EXPECT_EQ(saved.GetString("FIND", "FileFilter"), "*.asm");
    EXPECT_EQ(saved.GetInt("FIND", "Searchflags", -1) & 0xFF, 0x80 | 0x10 | kSearchWholeWords | kSearchBackward);
    EXPECT_EQ(saved.GetString("Ovanta", "FIND"), "120,80");

    // With the Search & Replace dialog and no 0x80 in its request, no flags.
    CSearchReplaceDlg replace;
    ASSERT_TRUE(replace.Create("", WM_FIND_REQUEST_MSG, owner.hwnd));
    winui::CProfile again(host_path(dir + "/again.ini"));
    SaveSearchSettings(again, &dlg, &replace);
    EXPECT_EQ(again.GetInt("FIND", "Searchflags", -1), -1);
}

TEST(SearchDialogSettings, EmptyFilterHistoryOffersAllFiles)
{
    const std::string dir = test_folder("nofilter");
    winui::CProfile profile(host_path(dir + "/ovanta.ini"));
    Owner owner;
    CSearchDlg dlg;
    dlg.SetProfile(&profile);
    ASSERT_TRUE(dlg.Create("start", WM_FIND_REQUEST_MSG, owner.hwnd));
    dlg.LoadHistory();
    EXPECT_EQ(ComboItems(dlg.GetDlgItem(IDC_FILE_FILTER)), (std::vector<std::string>{"*.*"}));
    EXPECT_EQ(dlg.GetDlgItemText(IDC_FILE_FILTER), "*.*");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_TEXT), "start");
}

TEST_F(SearchDialog, FolderPickerSetsTheDirectory)
{
    winui::ScriptedCommonDialogs dialogs;
    dialogs.Answer(winui::CommonDialogAnswer::Path("C:\\chosen\\folder"));
    dialogs.Answer(winui::CommonDialogAnswer::Cancel());
    Click(dlg, IDC_BROWSE_FOLDER);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_DIRECTORY), "C:\\chosen\\folder");
    EXPECT_STREQ(dlg.m_szDirectory, "C:\\chosen\\folder");
    Click(dlg, IDC_BROWSE_FOLDER); // cancelled: the folder stays
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[1].initial, "C:\\chosen\\folder");
    EXPECT_EQ(dialogs.Calls()[1].title, "Current Selection");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_DIRECTORY), "C:\\chosen\\folder");

    CFolderDialog cancelled("C:\\start");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetFolderPath(), "C:\\start");

    EXPECT_EQ(ShortenStatusText(std::string(35, 'a')), std::string(35, 'a'));
    EXPECT_EQ(ShortenStatusText(std::string(36, 'a')), std::string(35, 'a') + "...");
}

// ---- Search & Replace

class ReplaceDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg.SetSharedOptions(&options);
        ASSERT_TRUE(dlg.Create("", WM_FIND_REQUEST_MSG, owner.hwnd));
    }
    void Type(int id, const char* text)
    {
        dlg.SetDlgItemText(id, text);
        Pump();
    }
    Owner owner;
    SearchOptions options;
    CSearchReplaceDlg dlg;
};

TEST_F(ReplaceDialog, ReplaceAndReplaceAllInTheDocument)
{
    EXPECT_EQ(Title(dlg.m_hWnd), "Search & Replace");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_TAKE_SELECTION), BST_UNCHECKED);
    Type(IDC_SEARCH_TEXT, "old");
    Type(IDC_REPLACE_TEXT, "a\\nb\\\\t");
    Check(dlg, IDC_WHOLE_WORDS, true);
    Click(dlg, IDC_REPLACE);
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_EQ(owner.requests[0].scope, kScopeReplaceNext);
    EXPECT_EQ(owner.requests[0].flags & ~kSearchEnterToggled, kSearchForward | kSearchStandard | kSearchWholeWords);
    EXPECT_EQ(owner.requests[0].text, "old");
    EXPECT_EQ(owner.requests[0].replacement, "a\rb\\t");

    // Find next from this dialog is a scope-4 request.
    Click(dlg, IDC_FIND_NEXT);
    EXPECT_EQ(owner.requests.back().scope, kScopeFindInDocument);

    winui::ScriptedMessageBoxes boxes;
    owner.answer = 4;
    Radio(dlg, {IDC_BACKWARD, IDC_FORWARD}, IDC_BACKWARD);
    Click(dlg, IDC_REPLACE_ALL);
    EXPECT_EQ(owner.requests.back().scope, kScopeReplaceAll);
    EXPECT_EQ(owner.requests.back().flags, kSearchBackward | kSearchStandard | kSearchWholeWords);
    owner.answer = 0;
    Click(dlg, IDC_REPLACE_ALL);
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(boxes.Calls()[0].text, "4 replaces done");
    EXPECT_EQ(boxes.Calls()[1].text, "no replaces done");
    EXPECT_EQ(boxes.Calls()[1].caption, "Replace all..");
    EXPECT_EQ(ComboItems(dlg.m_cbReplace.m_hWnd), (std::vector<std::string>{"a\rb\\t"}));
    EXPECT_EQ(ComboItems(dlg.m_cbFind.m_hWnd), (std::vector<std::string>{"old"}));
}

TEST_F(ReplaceDialog, ReplaceInAllOpenFilesAndKeepingCase)
{
    Type(IDC_SEARCH_TEXT, "Count");
    Type(IDC_REPLACE_TEXT, "total");
    Check(dlg, IDC_MATCH_CASE, true);
    Check(dlg, IDC_KEEP_CASE, true); // switches case sensitivity off
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MATCH_CASE), BST_UNCHECKED);
    Check(dlg, IDC_MATCH_CASE, true); // and back
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_KEEP_CASE), BST_UNCHECKED);
    Check(dlg, IDC_KEEP_CASE, true);

    Click(dlg, IDC_REPLACE);
    EXPECT_TRUE(owner.requests.back().flags & kSearchKeepCase);

    Check(dlg, IDC_ALL_OPEN_FILES, true);
    EXPECT_EQ(Title(dlg.m_hWnd), "Search & Replace in all open files");
    for (int id : {IDC_BACKWARD, IDC_FORWARD, IDC_FIND_NEXT, IDC_REPLACE})
        EXPECT_FALSE(IsWindowEnabled(dlg.GetDlgItem(id))) << id;
    winui::ScriptedMessageBoxes boxes;
    Click(dlg, IDC_REPLACE_ALL);
    const Seen& r = owner.requests.back();
    EXPECT_EQ(r.scope, kScopeReplaceAllDocuments);
    EXPECT_EQ(r.flags, kSearchBothWays | kSearchKeepCase); // no 0x10
    EXPECT_TRUE(boxes.Calls().empty());

    Check(dlg, IDC_ALL_OPEN_FILES, false);
    EXPECT_EQ(Title(dlg.m_hWnd), "Search & Replace");
    EXPECT_TRUE(IsWindowEnabled(dlg.GetDlgItem(IDC_REPLACE)));

    // Options from a flag word: keep case only without case sensitivity.
    dlg.SetOptions(kSearchKeepCase | kSearchMatchCase | kSearchBothWays);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_KEEP_CASE), BST_UNCHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FORWARD), BST_UNCHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_BACKWARD), BST_UNCHECKED);
    dlg.SetOptions(kSearchKeepCase);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_KEEP_CASE), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FORWARD), BST_CHECKED);
}
