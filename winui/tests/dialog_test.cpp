#include "winui/app.h"
#include "winui/ddx.h"
#include "winui/dialog.h"
#include "winui/dialog_script.h"
#include "winui/msgbox.h"

#include "test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A settings dialog with every kind of exchange the programs use.
class CSettingsDlg : public winui::CDialog {
public:
    CSettingsDlg() : CDialog(IDD_SETTINGS) {}
    int width = 8;
    std::string name = "first";
    bool soft = true;
    int radio = 1;
    std::string port = "COM2:";
    std::string baud = "9600";
    int listIndex = 1;
    unsigned count = 3;
    int applyClicks = 0;
    std::string widthSeen; // the edit text when the hook first saw the dialog

    BOOL OnInitDialog() override
    {
        for (const char* p : {"COM1:", "COM2:", "COM3:"})
            SendDlgItemMessage(IDC_PORT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
        for (const char* b : {"1200", "9600", "19200"})
            SendDlgItemMessage(IDC_BAUD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(b));
        for (const char* l : {"red", "green", "blue"})
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(winui::CDataExchange* dx) override
    {
        winui::DDX_Text(dx, IDC_WIDTH, width);
        winui::DDV_MinMaxInt(dx, width, 1, 100);
        winui::DDX_Text(dx, IDC_NAME, name);
        winui::DDV_MaxChars(dx, name, 15);
        winui::DDX_Check(dx, IDC_SOFT, soft);
        winui::DDX_Radio(dx, IDC_RADIO_A, radio);
        winui::DDX_CBString(dx, IDC_PORT, port);
        winui::DDX_CBString(dx, IDC_BAUD, baud);
        winui::DDX_LBIndex(dx, IDC_LIST, listIndex);
        winui::DDX_Text(dx, IDC_COUNT, count);
    }
    void OnApply() { ++applyClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsDlg, winui::CDialog)
    ON_COMMAND(IDC_APPLY, &CSettingsDlg::OnApply)
END_MESSAGE_MAP()

std::string item_text(HWND dlg, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

TEST(Dialog, ModalDialogShowsTheMembersAndTakesTheFilledControlsOnOk)
{
    winui::ScriptedDialogs dialogs;
    CSettingsDlg dlg;
    std::vector<std::string> shown;
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        // What the data exchange put into the controls.
        shown = {item_text(call.dialog, IDC_WIDTH), item_text(call.dialog, IDC_NAME),
                 std::to_string(IsDlgButtonChecked(call.dialog, IDC_SOFT)),
                 std::to_string(IsDlgButtonChecked(call.dialog, IDC_RADIO_B)),
                 item_text(call.dialog, IDC_PORT), item_text(call.dialog, IDC_BAUD),
                 std::to_string(SendDlgItemMessageA(call.dialog, IDC_LIST, LB_GETCURSEL, 0, 0)),
                 item_text(call.dialog, IDC_COUNT),
                 std::to_string(SendDlgItemMessageA(call.dialog, IDC_NAME, EM_GETLIMITTEXT, 0, 0))};
        return winui::DialogAnswer()
            .SetText(IDC_WIDTH, " 42 ")
            .SetText(IDC_NAME, "second name")
            .Check(IDC_SOFT, BST_UNCHECKED)
            .Check(IDC_RADIO_C, BST_CHECKED)
            .Select(IDC_PORT, "COM3")
            .SetText(IDC_BAUD, "38400")
            .Select(IDC_LIST, "blue")
            .SetText(IDC_COUNT, "4000000000")
            .Click(IDC_APPLY)
            .Press(IDOK)
            .ApplyTo(call.dialog);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>{"8", "first", "1", "1", "COM2:", "9600", "1", "3",
                                               "15"}));
    EXPECT_EQ(dlg.width, 42);
    EXPECT_EQ(dlg.name, "second name");
    EXPECT_FALSE(dlg.soft);
    EXPECT_EQ(dlg.radio, 2);
    EXPECT_EQ(dlg.port, "COM3:");
    EXPECT_EQ(dlg.baud, "38400");
    EXPECT_EQ(dlg.listIndex, 2);
    EXPECT_EQ(dlg.count, 4000000000u);
    EXPECT_EQ(dlg.applyClicks, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, UnchangedControlsGiveTheSameValuesBack)
{
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(IDOK);
    CSettingsDlg dlg;
    dlg.radio = -1; // no button of the group checked
    dlg.port = "COM9:"; // not in the list: nothing selected
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.width, 8);
    EXPECT_EQ(dlg.name, "first");
    EXPECT_TRUE(dlg.soft);
    EXPECT_EQ(dlg.radio, -1);
    EXPECT_EQ(dlg.port, "");
    EXPECT_EQ(dlg.baud, "9600");
    EXPECT_EQ(dlg.listIndex, 1);
    EXPECT_EQ(dlg.count, 3u);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].templateId, static_cast<UINT>(IDD_SETTINGS));
    EXPECT_EQ(dialogs.Calls()[0].caption, "Settings for Tests");
}

TEST(Dialog, CancelAndAnUnansweredDialogChangeNothing)
{
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_WIDTH, "50").Press(IDCANCEL));
    CSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.width, 8);
    // The queue is empty now: the next dialog is cancelled, not left open.
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dialogs.Calls().size(), 2u);
}

struct BadEntry {
    int field;
    const char* text;
    const char* message;
};

const BadEntry bad_entries[] = {
    {IDC_WIDTH, "0", "Please enter an integer between 1 and 100."},
    {IDC_WIDTH, "101", "Please enter an integer between 1 and 100."},
    {IDC_WIDTH, "-5", "Please enter an integer between 1 and 100."},
    {IDC_WIDTH, "abc", "Please enter an integer."},
    {IDC_WIDTH, "", "Please enter an integer."},
    {IDC_WIDTH, "12x", "Please enter an integer."},
    {IDC_WIDTH, "99999999999", "Please enter an integer."},
    {IDC_NAME, "sixteen chars!!!", "Please enter no more than 15 characters."},
    {IDC_COUNT, "-1", "Please enter a positive integer."},
    {IDC_COUNT, "4294967296", "Please enter a positive integer."},
};

class DialogRangeError : public testing::TestWithParam<BadEntry> {};

TEST_P(DialogRangeError, KeepsTheDialogOpenWithTheMessageAndTheFieldFocused)
{
    const BadEntry& bad = GetParam();
    winui::ScriptedMessageBoxes boxes;
    winui::ScriptedDialogs dialogs;
    CSettingsDlg dlg;
    int focusAfterError = 0;
    int round = 0;
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        if (call.round != round++)
            return IDCANCEL;
        if (call.round == 0)
            return winui::DialogAnswer().SetText(IDC_WIDTH, "20").SetText(bad.field, bad.text)
                .ApplyTo(call.dialog);
        focusAfterError = GetDlgCtrlID(GetFocus());
        // The second answer mends the field and confirms.
        SetDlgItemTextA(call.dialog, IDC_WIDTH, "30");
        SetDlgItemTextA(call.dialog, IDC_NAME, "ok");
        SetDlgItemTextA(call.dialog, IDC_COUNT, "7");
        return IDOK;
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(round, 2);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, bad.message);
    EXPECT_EQ(boxes.Calls()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.Calls()[0].caption, "winui_tests");
    EXPECT_EQ(focusAfterError, bad.field);
    EXPECT_EQ(dlg.width, 30);
    EXPECT_EQ(dlg.count, 7u);
}

INSTANTIATE_TEST_SUITE_P(Entries, DialogRangeError, testing::ValuesIn(bad_entries));

TEST(Dialog, ADialogThatNeverClosesIsCancelledAfterItsRounds)
{
    winui::ScriptedMessageBoxes boxes;
    int rounds = 0;
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        ++rounds;
        SetDlgItemTextA(call.dialog, IDC_WIDTH, "1000");
        return IDOK;
    });
    CSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(rounds, 16);
}

// A dialog that ends by itself (a progress dialog) once its work is done.
class CSelfClosingDlg : public winui::CDialog {
public:
    CSelfClosingDlg() : CDialog(IDD_MODELESS) {}
    int ticks = 0;
    BOOL OnInitDialog() override
    {
        SetTimer(1, 20);
        return TRUE;
    }
    void OnTimer(UINT_PTR)
    {
        if (++ticks == 5)
            EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClosingDlg, winui::CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Dialog, AWaitAnswerPressesNothingAndLetsTheDialogEndByItself)
{
    int calls = 0;
    winui::SetDialogHook([&](const winui::DialogCall&) {
        ++calls;
        return winui::DialogWait;
    });
    CSelfClosingDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(dlg.ticks, 5);
    EXPECT_EQ(calls, 1);
}

TEST(Dialog, MissingTemplateFails)
{
    winui::ScriptedDialogs dialogs;
    winui::CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(dialogs.Calls().empty());
}

class CModelessDlg : public winui::CDialog {
public:
    CModelessDlg() : CDialog(IDD_MODELESS) {}
    std::string name = "start";
    bool destroyed = false;
    void DoDataExchange(winui::CDataExchange* dx) override { winui::DDX_Text(dx, IDC_NAME, name); }
    void PostNcDestroy() override { destroyed = true; }
};

TEST(Dialog, ModelessDialogLivesBesideTheCallerAndEndsByDestroyingItself)
{
    winui::ScriptedDialogs dialogs; // a modeless dialog is never scripted
    CModelessDlg dlg;
    ASSERT_TRUE(dlg.Create());
    ASSERT_NE(dlg.m_hWnd, nullptr);
    EXPECT_FALSE(dlg.IsModal());
    EXPECT_EQ(dlg.GetDlgItemText(IDC_NAME), "start");
    dlg.SetDlgItemText(IDC_NAME, "typed");
    winui::PumpWaitingMessages();
    EXPECT_TRUE(dialogs.Calls().empty());
    // Enter in the dialog: the dialog manager's default button.
    HWND h = dlg.m_hWnd;
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(dlg.destroyed);
    EXPECT_EQ(dlg.name, "typed");
}

TEST(Dialog, ModelessDialogCancelledByEscapeThroughIsDialogMessage)
{
    CModelessDlg dlg;
    ASSERT_TRUE(dlg.Create());
    ShowWindow(dlg.m_hWnd, SW_SHOW);
    SetFocus(dlg.GetDlgItem(IDC_NAME));
    dlg.SetDlgItemText(IDC_NAME, "not taken");
    MSG msg{};
    msg.hwnd = dlg.GetDlgItem(IDC_NAME);
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_ESCAPE;
    HWND h = dlg.m_hWnd;
    EXPECT_TRUE(IsDialogMessageA(h, &msg));
    winui::PumpWaitingMessages();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(dlg.name, "start");
}

TEST(Dialog, CheckingARadioButtonThroughTheHookUnchecksTheRestOfItsGroup)
{
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().Check(IDC_RADIO_A, BST_CHECKED).Press(IDOK));
    CSettingsDlg dlg;
    dlg.radio = 2;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.radio, 0);
}

} // namespace

namespace {

// The other exchange of the lists: a combo box by index, a list box by text.
class CListsDlg : public winui::CDialog {
public:
    CListsDlg() : CDialog(IDD_SETTINGS) {}
    int portIndex = 2;
    std::string colour = "green";
    BOOL OnInitDialog() override
    {
        for (const char* p : {"COM1:", "COM2:", "COM3:"})
            SendDlgItemMessage(IDC_PORT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
        for (const char* l : {"red", "green", "blue"})
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(winui::CDataExchange* dx) override
    {
        winui::DDX_CBIndex(dx, IDC_PORT, portIndex);
        winui::DDX_LBString(dx, IDC_LIST, colour);
    }
};

TEST(Dialog, ListsExchangeByIndexAndByText)
{
    winui::ScriptedDialogs dialogs;
    std::string shown;
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        shown = item_text(call.dialog, IDC_PORT) + " " +
                std::to_string(SendDlgItemMessageA(call.dialog, IDC_LIST, LB_GETCURSEL, 0, 0));
        return winui::DialogAnswer().Select(IDC_PORT, "COM1").Select(IDC_LIST, "blue").ApplyTo(call.dialog);
    });
    CListsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(shown, "COM3: 1");
    EXPECT_EQ(dlg.portIndex, 0);
    EXPECT_EQ(dlg.colour, "blue");
    // Nothing selected reads as -1 and an empty text.
    dialogs.Answer(winui::DialogAnswer().Press(IDOK));
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        SendDlgItemMessageA(call.dialog, IDC_PORT, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SendDlgItemMessageA(call.dialog, IDC_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return IDOK;
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(dlg.portIndex, -1);
    EXPECT_EQ(dlg.colour, "");
}

} // namespace
