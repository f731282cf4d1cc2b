// The small settings dialogs shown for real and driven through the dialog
// hook: what each shows on opening, what its clicks change at once, and
// what it hands back on OK and on Cancel.
#include "editor/shell/ovantaapp.h"
#include "editor/shell/settings_dialogs.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/shell/settings_store.h"

#include "winui/dialog_script.h"
#include "winui/msgbox.h"

#include "editor/shell/tests/dialog_steps.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

namespace {

using namespace dialog_steps;

TEST(FieldNumbers, AreReadFromTheTextStartAndNoNumberIsZero)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"12", 12}, {" 7 min", 7}, {"abc", 0}, {"", 0}, {"-3", -3}, {"99999999999", 0x7FFFFFFF}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseFieldNumber(c.text), c.value) << c.text;

    struct Wrap {
        const char* text;
        const char* after;
    } wraps[] = {{"40000", "32766"}, {"32767", "32766"}, {"32766", "32766"}, {"80", "80"},
                 {"0000000040000", "0000000040000"}, {"x", "x"}};
    for (const Wrap& w : wraps) {
        std::string text = w.text;
        ClampWrapColumnText(text);
        EXPECT_EQ(text, w.after) << w.text;
    }
}

TEST(BackupOptionsDialog, ShowsTheOptionsAndReadsThemBack)
{
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        EXPECT_TRUE(Checked(dlg, IDC_BACKUP_AUTOSAVE));
        EXPECT_TRUE(Enabled(dlg, IDC_BACKUP_MINUTES));
        EXPECT_EQ(Text(dlg, IDC_BACKUP_MINUTES), "5");
        EXPECT_EQ(Text(dlg, IDC_BACKUP_EXTENSION), ".bak");
        EXPECT_TRUE(Checked(dlg, IDC_BACKUP_ORIGINAL));
        EXPECT_FALSE(Checked(dlg, IDC_BACKUP_AT_SAVE));
        SetDlgItemTextA(dlg, IDC_BACKUP_MINUTES, "12");
        SetDlgItemTextA(dlg, IDC_BACKUP_EXTENSION, ".old");
        Check(dlg, IDC_BACKUP_ORIGINAL, false);
        Check(dlg, IDC_BACKUP_AT_SAVE, true);
        Check(dlg, IDC_BACKUP_REPLACE_EXT, true);
        return IDOK;
    });
    CBackupOptionsDlg dlg(nullptr);
    dlg.m_nAutoSaveMinutes = 5;
    dlg.m_bBackupFromOriginal = 1;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nAutoSaveMinutes, 12);
    EXPECT_EQ(dlg.m_strExtension, ".old");
    EXPECT_EQ(dlg.m_bBackupFromOriginal, 0);
    EXPECT_EQ(dlg.m_bBackupAtSave, 1);
    EXPECT_EQ(dlg.m_bReplaceExt, 1);
    EXPECT_EQ(rounds.captions.front(), "Backup Options");
}

TEST(BackupOptionsDialog, UncheckedAutoSaveAndTextThatIsNoNumberGiveZeroMinutes)
{
    struct Case {
        bool autosave;
        const char* minutes;
        int stored;
    } cases[] = {{false, "30", 0}, {true, "soon", 0}, {true, "-4", 0}, {true, "3", 3}};
    for (const Case& c : cases) {
        Rounds rounds;
        rounds.Then([&](HWND dlg) {
            EXPECT_FALSE(Enabled(dlg, IDC_BACKUP_MINUTES)) << "0 minutes: the field is off";
            Check(dlg, IDC_BACKUP_AUTOSAVE, true);
            EXPECT_TRUE(Enabled(dlg, IDC_BACKUP_MINUTES));
            SetDlgItemTextA(dlg, IDC_BACKUP_MINUTES, c.minutes);
            Check(dlg, IDC_BACKUP_AUTOSAVE, c.autosave);
            EXPECT_EQ(Enabled(dlg, IDC_BACKUP_MINUTES), c.autosave);
            return IDOK;
        });
        CBackupOptionsDlg dlg(nullptr);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_nAutoSaveMinutes, c.stored) << c.minutes;
    }
}

TEST(LineWrapDialog, ClampsTheColumnAndDisablingStoresZero)
{
    SettingsValues settings;
    settings.lineWrap = 72;
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        EXPECT_EQ(Text(dlg, IDC_WRAP_COLUMN), "72");
        EXPECT_FALSE(Checked(dlg, IDC_WRAP_DISABLE));
        EXPECT_TRUE(Enabled(dlg, IDC_WRAP_ON_WORDS));
        SetDlgItemTextA(dlg, IDC_WRAP_COLUMN, "40000");
        EXPECT_EQ(Text(dlg, IDC_WRAP_COLUMN), "32766");
        return IDOK;
    });
    {
        CLineWrapDlg dlg(settings, nullptr);
        ASSERT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_EQ(settings.lineWrap, 32766);

    rounds.Then([](HWND dlg) {
        Check(dlg, IDC_WRAP_DISABLE, true);
        EXPECT_FALSE(Enabled(dlg, IDC_WRAP_COLUMN));
        EXPECT_FALSE(Enabled(dlg, IDC_WRAP_SAVE));
        return IDOK;
    });
    {
        CLineWrapDlg dlg(settings, nullptr);
        ASSERT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_EQ(settings.lineWrap, 0);

    // With wrapping off the dialog opens disabled; unchecking it brings the
    // fields back.
    rounds.Then([](HWND dlg) {
        EXPECT_TRUE(Checked(dlg, IDC_WRAP_DISABLE));
        EXPECT_FALSE(Enabled(dlg, IDC_WRAP_COLUMN));
        Check(dlg, IDC_WRAP_DISABLE, false);
        EXPECT_TRUE(Enabled(dlg, IDC_WRAP_COLUMN));
        SetDlgItemTextA(dlg, IDC_WRAP_COLUMN, "60");
        return IDOK;
    });
    {
        CLineWrapDlg dlg(settings, nullptr);
        ASSERT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_EQ(settings.lineWrap, 60);
}

TEST(LineWrapDialog, ItsCheckBoxesTakeEffectAtOnceAndCancelKeepsThem)
{
    SettingsValues settings;
    settings.lineWrap = 80;
    settings.saveLineWrap = 1;
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        EXPECT_TRUE(Checked(dlg, IDC_WRAP_SAVE));
        Check(dlg, IDC_WRAP_SAVE, false);
        Check(dlg, IDC_WRAP_ON_WORDS, true);
        SetDlgItemTextA(dlg, IDC_WRAP_COLUMN, "20");
        return IDCANCEL;
    });
    CLineWrapDlg dlg(settings, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(settings.saveLineWrap, 0);
    EXPECT_EQ(settings.wrapOnWords, 1);
    EXPECT_EQ(settings.lineWrap, 80) << "the column counts only on OK";
}

// A window that records the messages posted to it.
struct Receiver {
    Receiver()
    {
        wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~Receiver() { DestroyWindow(wnd); }
    std::vector<UINT> Posted()
    {
        std::vector<UINT> out;
        MSG msg;
        while (PeekMessageA(&msg, wnd, WM_USER, 0x7FFF, PM_REMOVE))
            out.push_back(msg.message);
        return out;
    }
    HWND wnd;
};

TEST(OperationsDialog, EachButtonPostsItsMessageAndCloseNone)
{
    struct Case {
        int button;
        std::vector<UINT> posted;
    } cases[] = {{IDC_OP_TRAILING, {0x464}}, {IDC_OP_LEADING, {0x465}}, {IDC_OP_ALIGN_C, {0x466}},
                 {IDC_OP_EMPTY_LINES, {0x467}}, {IDOK, {}}};
    Receiver receiver;
    for (const Case& c : cases) {
        Rounds rounds;
        rounds.Then([&](HWND) { return c.button; });
        COperationsDlg dlg(receiver.wnd);
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.button;
        EXPECT_EQ(receiver.Posted(), c.posted) << c.button;
    }
}

TEST(TabSettingsDialog, RefusesWidthsOutsideOneToHundredAndFollowsSoftTabs)
{
    winui::ScriptedMessageBoxes boxes;
    Rounds rounds;
    rounds
        .Then([](HWND dlg) {
            EXPECT_EQ(Text(dlg, IDC_TAB_WIDTH), "4");
            EXPECT_FALSE(Enabled(dlg, IDC_TAB_REPLACE_ALL));
            Check(dlg, IDC_TAB_SOFT, true);
            EXPECT_TRUE(Enabled(dlg, IDC_TAB_REPLACE_ALL));
            Check(dlg, IDC_TAB_REPLACE_ALL, true);
            SetDlgItemTextA(dlg, IDC_TAB_WIDTH, "101");
            return IDOK;
        })
        .Then([](HWND dlg) {
            // Still open after the refusal.
            SetDlgItemTextA(dlg, IDC_TAB_WIDTH, "8");
            return IDOK;
        });
    CTabSettingsDlg dlg(nullptr);
    dlg.m_nSpaces = 4;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Please enter an integer between 1 and 100.");
    EXPECT_EQ(dlg.m_nSpaces, 8);
    EXPECT_EQ(dlg.m_bSoftTabs, 1);
    EXPECT_EQ(dlg.m_bReplaceAll, 1);
}

TEST(MoreWindowsDialog, ListsTheWindowsAndNamesTheChosenOne)
{
    HWND first = reinterpret_cast<HWND>(0x10);
    HWND second = reinterpret_cast<HWND>(0x20);
    std::vector<CMoreWindowsDlg::Entry> entries = {{"C:\\work\\b.c", first}, {"unknown1", second}};
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        HWND list = GetDlgItem(dlg, IDC_MORE_WINDOWS_LIST);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
        SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("unknown1"));
        return IDOK;
    });
    {
        CMoreWindowsDlg dlg(entries, nullptr);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_hChosen, second);
    }
    // Nothing selected: nothing chosen, and the dialog still ends with OK.
    rounds.Then([](HWND) { return IDOK; });
    CMoreWindowsDlg dlg(entries, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_hChosen, nullptr);
}

} // namespace
