// The syntax colour dialogs run modally and driven as a user would drive
// them: each shown dialog is handed to the next step of a script, which
// fills controls, clicks buttons (opening the nested dialogs, which take the
// following steps) and names the button that closes it.
#include "editor/editctl/color_table.h"
#include "editor/shell/color_select_dlg.h"
#include "editor/shell/ini_syntax_profile.h"
#include "editor/shell/syntax_colors_dlg.h"
#include "editor/shell/template_name_dlg.h"
#include "editor/syntax/syntax_template.h"
#include "testing/kit/test_kit.h"
#include "winui/commdlg.h"
#include "winui/dialog_script.h"
#include "winui/msgbox.h"
#include "winui/picture.h"

#include "editor/shell/tests/dialog_steps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace dialog_steps;

// The steps of a test, one per dialog shown (nested dialogs included), in
// the order the dialogs come up.
class DialogSteps {
public:
    using Step = std::function<int(HWND dialog, UINT templateId)>;
    DialogSteps()
    {
        winui::SetDialogHook([this](const winui::DialogCall& call) {
            seen.push_back(call.templateId);
            if (steps_.empty())
                return IDCANCEL;
            Step step = std::move(steps_.front());
            steps_.pop_front();
            return step(call.dialog, call.templateId);
        });
    }
    ~DialogSteps() { winui::SetDialogHook(nullptr); }
    void Then(Step step) { steps_.push_back(std::move(step)); }
    size_t Left() const { return steps_.size(); }
    std::vector<UINT> seen;

private:
    std::deque<Step> steps_;
};

HWND List(HWND dlg) { return GetDlgItem(dlg, IDC_ENTRY_LIST); }

std::vector<std::string> ListTexts(HWND dlg)
{
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageA(List(dlg), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[512] = "";
        SendMessageA(List(dlg), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}

int32_t ItemData(HWND dlg, int index)
{
    return static_cast<int32_t>(SendMessageA(List(dlg), LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void SelectItem(HWND dlg, int index) { SendMessageA(List(dlg), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

// A click on a tab, as the mouse gives it: the tab control asks before and
// tells after the change.
void ClickTab(HWND dlg, int index)
{
    HWND tab = GetDlgItem(dlg, IDC_TEMPLATE_TABS);
    RECT r;
    SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tab, WM_LBUTTONUP, 0, at);
}

int CurrentTab(HWND dlg)
{
    return static_cast<int>(SendDlgItemMessageA(dlg, IDC_TEMPLATE_TABS, TCM_GETCURSEL, 0, 0));
}

int TabCount(HWND dlg)
{
    return static_cast<int>(SendDlgItemMessageA(dlg, IDC_TEMPLATE_TABS, TCM_GETITEMCOUNT, 0, 0));
}

std::vector<std::pair<std::string, int32_t>> Keywords(const CSyntaxTemplate& t)
{
    std::vector<std::pair<std::string, int32_t>> out;
    for (const SyntaxKeyword& k : t.keywords)
        out.emplace_back(k.text, k.value);
    return out;
}

using Words = std::vector<std::pair<std::string, int32_t>>;

// Every section of a profile with its keys, for comparing whole profiles.
std::map<std::string, std::vector<std::pair<std::string, std::string>>> WholeProfile(const winui::CProfile& p)
{
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> out;
    for (const std::string& s : p.GetSectionNames()) {
        auto keys = p.GetSection(s.c_str());
        if (!keys.empty())
            out[s] = keys;
    }
    return out;
}

class SyntaxDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string dir = test_folder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        profile.SetPath(host_path(dir + "/ovanta.ini"));
        std::memcpy(g_ColorTable, kDefaultColorTable, sizeof g_ColorTable);
        FreeSyntaxTemplates();
        c = Add("C/C++", "*.c *.h", {{"a", 1}, {"b", 2}, {"c", 0x1000003}});
        asmT = Add("asm", "*.a51", {{"mov", 5}});
        CIniSyntaxProfile ini(profile);
        SaveSyntaxTemplates(ini);
        SaveSyntaxTemplateList(ini);
    }
    void TearDown() override { FreeSyntaxTemplates(); }

    SyntaxTemplatePtr Add(const std::string& name, const std::string& assoc, const Words& words)
    {
        auto t = std::make_shared<CSyntaxTemplate>();
        t->name = name;
        t->FileAssoc = assoc;
        for (const auto& w : words)
            AddSyntaxKeyword(*t, w.first, w.second);
        g_SyntaxTemplates.push_back(t);
        return t;
    }

    // The templates as the next start of the program reads them.
    std::vector<SyntaxTemplatePtr> Reload()
    {
        std::vector<SyntaxTemplatePtr> kept = g_SyntaxTemplates;
        g_SyntaxTemplates.clear();
        CIniSyntaxProfile ini(profile);
        LoadSyntaxTemplates(ini);
        std::vector<SyntaxTemplatePtr> loaded = g_SyntaxTemplates;
        g_SyntaxTemplates = kept;
        return loaded;
    }

    INT_PTR Run(CSyntaxTemplate* current = nullptr)
    {
        dlg = std::make_unique<CSyntaxColorsDlg>(profile);
        dlg->m_pCurrentTemplate = current ? current : c.get();
        return dlg->DoModal();
    }

    winui::CProfile profile;
    SyntaxTemplatePtr c, asmT;
    std::unique_ptr<CSyntaxColorsDlg> dlg;
};

TEST_F(SyntaxDialogs, ListsTheKeywordsNewestFirstAndApplyWithoutChangeStoresThemAgain)
{
    DialogSteps steps;
    std::vector<std::string> shown;
    std::vector<int32_t> data;
    std::string assoc;
    int tab = -1;
    steps.Then([&](HWND d, UINT) {
        shown = ListTexts(d);
        for (int i = 0; i < 3; ++i)
            data.push_back(ItemData(d, i));
        assoc = Text(d, IDC_ASSOCIATIONS);
        tab = CurrentTab(d);
        return IDOK;
    });
    const Words before = Keywords(*c);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(shown, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(data, (std::vector<int32_t>{0x1000003, 2, 1}));
    EXPECT_EQ(assoc, "*.c *.h");
    EXPECT_EQ(tab, 0);
    EXPECT_EQ(Keywords(*c), before);
    auto loaded = Reload();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(Keywords(*loaded[0]), before);
}

TEST_F(SyntaxDialogs, OpensOnTheTabOfTheCurrentTemplateWithToolTipsAndTheCommentEntry)
{
    AddSyntaxKeyword(*asmT, "", 4);
    DialogSteps steps;
    std::vector<std::string> shown;
    std::map<int, std::string> tips;
    bool deleteEnabled = false;
    steps.Then([&](HWND d, UINT) {
        shown = ListTexts(d);
        for (int id : {IDC_ENTRY_UP, IDC_ENTRY_DOWN, IDC_EDIT_ENTRY, IDC_NEW_ENTRY, IDC_DELETE_ENTRY,
                       IDC_NEW_TEMPLATE, IDC_DELETE_TEMPLATE})
            tips[id] = dlg->m_toolTip.GetText(GetDlgItem(d, id));
        deleteEnabled = IsWindowEnabled(GetDlgItem(d, IDC_DELETE_TEMPLATE)) != FALSE;
        return IDOK;
    });
    EXPECT_EQ(Run(asmT.get()), IDOK);
    EXPECT_EQ(shown, (std::vector<std::string>{"Comment", "mov"}));
    EXPECT_TRUE(deleteEnabled);
    EXPECT_EQ(tips[IDC_ENTRY_UP], "Moves the entry one line up");
    EXPECT_EQ(tips[IDC_ENTRY_DOWN], "Moves the entry one line down");
    EXPECT_EQ(tips[IDC_EDIT_ENTRY], "Changes the settings for this Keyword");
    EXPECT_EQ(tips[IDC_NEW_ENTRY], "new keyword entry");
    EXPECT_EQ(tips[IDC_DELETE_ENTRY], "Delete this keyword");
    EXPECT_EQ(tips[IDC_NEW_TEMPLATE], "Creats a new syntax template");
    EXPECT_EQ(tips[IDC_DELETE_TEMPLATE], "Delete the current template");
    // Apply keeps the comment entry as the comment value.
    EXPECT_EQ(asmT->commentValue, 4);
    EXPECT_EQ(Keywords(*asmT), (Words{{"mov", 5}, {"", 4}}));
}

TEST_F(SyntaxDialogs, ADeletedEntryIsDrawnCrossedOutInLightGreyUntilApplyDropsIt)
{
    DialogSteps steps;
    std::vector<std::string> shown;
    int32_t data = 0;
    int inkRight = -1, ink = 0, darkInk = 0, greyInk = 0;
    int markWidth = 0;
    steps.Then([&](HWND d, UINT) {
        SelectItem(d, 1); // "b"
        Click(d, IDC_DELETE_ENTRY);
        shown = ListTexts(d);
        data = ItemData(d, 1);
        HWND list = List(d);
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        winui::CWindowPicture pic;
        if (!pic.Capture(list))
            return IDOK;
        pic.SaveBmp(std::string(TEST_TMP_DIR) + "/deleted_entry.bmp");
        RECT item;
        SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
        const COLORREF paper = GetSysColor(COLOR_WINDOW);
        // The ink of the deleted entry's row: light grey only, and it
        // reaches beyond the "XXXXX" mark to the entry's own text.
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = 0; x < pic.Width(); ++x) {
                const COLORREF px = pic.Pixel(x, y);
                if (px == paper)
                    continue;
                ++ink;
                inkRight = std::max(inkRight, x);
                if (px == RGB(0xE0, 0xE0, 0xE0))
                    ++greyInk;
                if (GetRValue(px) < 0xC0 || GetGValue(px) < 0xC0 || GetBValue(px) < 0xC0)
                    ++darkInk;
            }
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
        SIZE size;
        GetTextExtentPoint32A(dc, "XXXXX", 5, &size);
        markWidth = size.cx;
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        return IDOK;
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(shown, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(data, -1);
    EXPECT_GT(ink, 20);
    EXPECT_GT(greyInk, 0);
    EXPECT_EQ(darkInk, 0);
    EXPECT_GT(inkRight, CColorListBox::kTextIndent + markWidth);
    EXPECT_EQ(Keywords(*c), (Words{{"a", 1}, {"c", 0x1000003}}));
    EXPECT_EQ(Keywords(*Reload()[0]), (Words{{"a", 1}, {"c", 0x1000003}}));
}

TEST_F(SyntaxDialogs, EditingABetweenStringsEntryShowsTheOtherOptionsOffAndKeepsOnlyThatBit)
{
    const int32_t between = static_cast<int32_t>(SYNTAX_BETWEEN_STRINGS | SYNTAX_WHOLE_WORD | SYNTAX_TO_LINE_END);
    AddSyntaxKeyword(*c, "\";\"", between | 6);
    DialogSteps steps;
    std::map<int, UINT> checks;
    std::string keyword;
    std::vector<int32_t> values;
    steps.Then([&](HWND d, UINT) {
        SelectItem(d, 0); // the new entry is on top
        Click(d, IDC_EDIT_ENTRY);
        values.push_back(ItemData(d, 0));
        // Again, now checking "whole word": between strings goes off.
        SelectItem(d, 0);
        Click(d, IDC_EDIT_ENTRY);
        values.push_back(ItemData(d, 0));
        return IDOK;
    });
    steps.Then([&](HWND e, UINT id) {
        EXPECT_EQ(id, static_cast<UINT>(IDD_COLOR_SELECT));
        for (int c : {IDC_BETWEEN_STRINGS, IDC_TO_LINE_END, IDC_WHOLE_WORD, IDC_CASE_SENSITIVE, IDC_TO_WORD_END})
            checks[c] = IsDlgButtonChecked(e, c);
        keyword = Text(e, IDC_KEYWORD);
        return IDC_COLOR_OK;
    });
    steps.Then([&](HWND e, UINT) {
        winui::DialogAnswer().Check(IDC_WHOLE_WORD, BST_CHECKED).ApplyTo(e);
        EXPECT_EQ(IsDlgButtonChecked(e, IDC_BETWEEN_STRINGS), static_cast<UINT>(BST_UNCHECKED));
        return IDC_COLOR_OK;
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(keyword, "\";\"");
    EXPECT_EQ(checks[IDC_BETWEEN_STRINGS], static_cast<UINT>(BST_CHECKED));
    for (int c : {IDC_TO_LINE_END, IDC_WHOLE_WORD, IDC_CASE_SENSITIVE, IDC_TO_WORD_END})
        EXPECT_EQ(checks[c], static_cast<UINT>(BST_UNCHECKED)) << c;
    ASSERT_EQ(values.size(), 2u);
    // "case sensitive" off is the ignore-case bit.
    EXPECT_EQ(values[0], static_cast<int32_t>(6 | SYNTAX_BETWEEN_STRINGS | SYNTAX_IGNORE_CASE));
    EXPECT_EQ(values[1], static_cast<int32_t>(6 | SYNTAX_WHOLE_WORD | SYNTAX_IGNORE_CASE));
    EXPECT_EQ(c->keywords.back().value, values[1]);
}

TEST_F(SyntaxDialogs, EditingAnEntryReplacesItInPlaceAndABadKeywordIsRefused)
{
    DialogSteps steps;
    winui::ScriptedMessageBoxes boxes;
    std::vector<std::string> shown;
    int rounds = 0;
    steps.Then([&](HWND d, UINT) {
        SelectItem(d, 1); // "b"
        Click(d, IDC_EDIT_ENTRY);
        shown = ListTexts(d);
        return IDOK;
    });
    steps.Then([&](HWND e, UINT) {
        ++rounds;
        // A LF-free text holding backslash n would read back as a line break.
        SetDlgItemTextA(e, IDC_KEYWORD, "x\\ny");
        return IDC_COLOR_OK;
    });
    steps.Then([&](HWND e, UINT) {
        ++rounds;
        SetDlgItemTextA(e, IDC_KEYWORD, "beta");
        SetDlgItemTextA(e, IDC_TEXT_INDEX, "7");
        return IDC_COLOR_OK;
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(rounds, 2);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_NE(boxes.Calls()[0].text.find("backslash"), std::string::npos);
    EXPECT_EQ(shown, (std::vector<std::string>{"c", "beta", "a"}));
    // The entry's colour index is the one typed; "b" is gone, not kept beside it.
    ASSERT_EQ(c->keywords.size(), 3u);
    EXPECT_EQ(c->keywords[1].text, "beta");
    EXPECT_EQ(c->keywords[1].value & 0xFF, 7);
}

TEST_F(SyntaxDialogs, NewEntryUpdatesAnExactMatchAppendsANewWordAndPutsAPrefixMatchOnTop)
{
    DialogSteps steps;
    std::vector<std::string> shown;
    std::vector<int32_t> data;
    std::string offered;
    steps.Then([&](HWND d, UINT) {
        for (int i = 0; i < 3; ++i)
            Click(d, IDC_NEW_ENTRY);
        shown = ListTexts(d);
        for (int i = 0; i < static_cast<int>(shown.size()); ++i)
            data.push_back(ItemData(d, i));
        return IDOK;
    });
    steps.Then([&](HWND e, UINT) {
        offered = Text(e, IDC_KEYWORD);
        SetDlgItemTextA(e, IDC_KEYWORD, "b");
        SetDlgItemTextA(e, IDC_TEXT_INDEX, "9");
        return IDC_COLOR_OK;
    });
    steps.Then([&](HWND e, UINT) {
        SetDlgItemTextA(e, IDC_KEYWORD, "zz");
        return IDC_COLOR_OK;
    });
    steps.Then([&](HWND e, UINT) {
        SetDlgItemTextA(e, IDC_KEYWORD, "A"); // "a" starts with it, ignoring case
        return IDC_COLOR_OK;
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(offered, "XXXXXXXXX");
    EXPECT_EQ(shown, (std::vector<std::string>{"A", "c", "b", "a", "zz"}));
    EXPECT_EQ(data[2], 9);
    // The new entries are case sensitive unless the box is cleared.
    EXPECT_EQ(data[4], 0);
    EXPECT_EQ(Keywords(*c), (Words{{"zz", 0}, {"a", 1}, {"b", 9}, {"c", 0x1000003}, {"A", 0}}));
}

TEST_F(SyntaxDialogs, UpAndDownMoveTheSelectedEntryAndApplyStoresTheNewOrder)
{
    DialogSteps steps;
    std::vector<std::string> afterDown, afterUp;
    int sel = -1;
    steps.Then([&](HWND d, UINT) {
        SelectItem(d, 0); // "c"
        Click(d, IDC_ENTRY_DOWN);
        afterDown = ListTexts(d);
        sel = static_cast<int>(SendMessageA(List(d), LB_GETCURSEL, 0, 0));
        Click(d, IDC_ENTRY_DOWN);
        Click(d, IDC_ENTRY_DOWN); // the last one stays
        SelectItem(d, 0);
        Click(d, IDC_ENTRY_UP); // the first one stays
        afterUp = ListTexts(d);
        return IDOK;
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(afterDown, (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(sel, 1);
    EXPECT_EQ(afterUp, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(Keywords(*c), (Words{{"c", 0x1000003}, {"a", 1}, {"b", 2}}));
}

TEST_F(SyntaxDialogs, ColourSelectClampsTypedIndexesPicksFromThePaletteAndUndoesColoursOnCancel)
{
    DialogSteps steps;
    winui::ScriptedCommonDialogs colours;
    colours.Answer(winui::CommonDialogAnswer::Colour(RGB(1, 2, 3)));
    std::string typed;
    int clicked = -1;
    uint32_t during = 0;
    CColorSelectDlg* sel = nullptr;
    steps.Then([&](HWND e, UINT) {
        SetDlgItemTextA(e, IDC_TEXT_INDEX, "300");
        typed = Text(e, IDC_TEXT_INDEX);
        RECT cell = sel->PaletteCell(IDC_TEXT_PALETTE, 5);
        SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        clicked = static_cast<int>(GetDlgItemInt(e, IDC_TEXT_INDEX, nullptr, FALSE));
        Click(e, IDC_CHANGE_TEXT);
        during = g_ColorTable[5];
        return IDCANCEL;
    });
    CColorSelectDlg dlg(0xFFFFFF);
    sel = &dlg;
    dlg.m_strKeyword = "kw";
    dlg.m_nValue = 0x1000002;
    const uint32_t before = g_ColorTable[5];
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(typed, "255");
    EXPECT_EQ(clicked, 5);
    EXPECT_EQ(during, static_cast<uint32_t>(RGB(1, 2, 3)));
    EXPECT_EQ(g_ColorTable[5], before);

    // Typed and confirmed: 300 comes back as 255.
    steps.Then([&](HWND e, UINT) {
        SetDlgItemTextA(e, IDC_TEXT_INDEX, "300");
        return IDC_COLOR_OK;
    });
    CColorSelectDlg again(0xFFFFFF);
    again.m_strKeyword = "kw";
    EXPECT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(again.m_nValue, 255);
}

TEST_F(SyntaxDialogs, ColourTableModeHidesTheEntryControlsAndSetsTheDefaultBackground)
{
    DialogSteps steps;
    winui::ScriptedCommonDialogs colours;
    colours.Answer(winui::CommonDialogAnswer::Colour(RGB(0x10, 0x20, 0x30)));
    colours.Answer(winui::CommonDialogAnswer::Colour(RGB(0x40, 0x50, 0x60)));
    std::map<int, bool> visible;
    bool cut = false;
    std::string backIndex;
    CColorSelectDlg* sel = nullptr;
    steps.Then([&](HWND e, UINT) {
        for (int id : {IDC_KEYWORD, IDC_WHOLE_WORD, IDC_TO_LINE_END, IDC_CASE_SENSITIVE, IDC_TO_WORD_END,
                       IDC_BETWEEN_STRINGS})
            visible[id] = IsWindowVisible(GetDlgItem(e, id)) != FALSE;
        RECT wnd, line;
        GetWindowRect(e, &wnd);
        GetWindowRect(GetDlgItem(e, IDC_TO_LINE_END), &line);
        cut = wnd.bottom <= line.top + 1;
        RECT cell = sel->PaletteCell(IDC_BACK_PALETTE, 3);
        SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        backIndex = Text(e, IDC_BACK_INDEX);
        Click(e, IDC_CHANGE_BACK);
        Click(e, IDC_DEFAULT_BACK);
        return IDC_COLOR_OK;
    });
    CColorSelectDlg dlg(0xFFFFFF);
    sel = &dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(visible[IDC_KEYWORD]);
    EXPECT_FALSE(visible[IDC_WHOLE_WORD]);
    EXPECT_FALSE(visible[IDC_TO_LINE_END]);
    EXPECT_FALSE(visible[IDC_CASE_SENSITIVE]);
    EXPECT_TRUE(visible[IDC_TO_WORD_END]);
    EXPECT_TRUE(cut);
    EXPECT_EQ(backIndex, "3");
    EXPECT_EQ(g_ColorTable[16 + 3], static_cast<uint32_t>(RGB(0x10, 0x20, 0x30)));
    EXPECT_EQ(dlg.m_clrBackground, static_cast<COLORREF>(RGB(0x40, 0x50, 0x60)));
    EXPECT_EQ(g_ColorTable[16], static_cast<uint32_t>(RGB(0x40, 0x50, 0x60)));
}

TEST_F(SyntaxDialogs, NewTemplateFromEmptyOrCopiedAndABadNameIsRefused)
{
    profile.WriteInt("C/C++", "BackColor", 0x123456);
    DialogSteps steps;
    winui::ScriptedMessageBoxes boxes;
    int tabs = 0, tab = -1;
    bool deleteEnabled = false;
    std::vector<std::string> offered;
    steps.Then([&](HWND d, UINT) {
        Click(d, IDC_NEW_TEMPLATE);
        Click(d, IDC_NEW_TEMPLATE);
        tabs = TabCount(d);
        tab = CurrentTab(d);
        deleteEnabled = IsWindowEnabled(GetDlgItem(d, IDC_DELETE_TEMPLATE)) != FALSE;
        return IDOK;
    });
    steps.Then([&](HWND t, UINT id) {
        EXPECT_EQ(id, static_cast<UINT>(IDD_SYNTAX_TEMPLATE));
        EXPECT_EQ(Text(t, IDC_TEMPLATE_NAME), "new");
        HWND combo = GetDlgItem(t, IDC_COPY_FROM);
        const int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[128] = "";
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            offered.push_back(text);
        }
        SetDlgItemTextA(t, IDC_TEMPLATE_NAME, "asm"); // taken
        return IDOK;
    });
    steps.Then([&](HWND t, UINT) {
        winui::DialogAnswer().SetText(IDC_TEMPLATE_NAME, "plain").Select(IDC_COPY_FROM, "empty").ApplyTo(t);
        return IDOK;
    });
    steps.Then([&](HWND t, UINT) {
        winui::DialogAnswer().SetText(IDC_TEMPLATE_NAME, "copy").Select(IDC_COPY_FROM, "C/C++").ApplyTo(t);
        return IDOK;
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(offered, (std::vector<std::string>{"C/C++", "asm", "empty"}));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_NE(boxes.Calls()[0].text.find("exists already"), std::string::npos);
    EXPECT_EQ(tabs, 4);
    EXPECT_EQ(tab, 0);
    EXPECT_TRUE(deleteEnabled);
    ASSERT_EQ(g_SyntaxTemplates.size(), 4u);
    const CSyntaxTemplate& plain = *g_SyntaxTemplates[2];
    EXPECT_EQ(plain.name, "plain");
    EXPECT_TRUE(plain.keywords.empty());
    EXPECT_EQ(plain.commentValue, -1);
    EXPECT_EQ(plain.FileAssoc, "*.*");
    const CSyntaxTemplate& copy = *g_SyntaxTemplates[3];
    EXPECT_EQ(Keywords(copy), Keywords(*c));
    EXPECT_EQ(copy.FileAssoc, "*.c *.h");
    EXPECT_EQ(profile.GetInt("copy", "BackColor", 0), 0x123456);
    // Saving the templates on Apply keeps each syntax's background.
    EXPECT_EQ(profile.GetInt("C/C++", "BackColor", 0), 0x123456);
    EXPECT_EQ(profile.GetInt("SyntaxTemplates", "number", 0), 4);
    EXPECT_EQ(profile.GetString("SyntaxTemplates", "template2"), "plain");
    EXPECT_EQ(profile.GetString("SyntaxTemplates", "template3"), "copy");
    auto loaded = Reload();
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded[2]->FileAssoc, "*.*");
    EXPECT_TRUE(loaded[2]->keywords.empty());
    EXPECT_EQ(Keywords(*loaded[3]), Keywords(*c));
}

TEST_F(SyntaxDialogs, DeleteTemplateAsksUnlinksItAndAnEditorsReferenceExpiresAfterApply)
{
    SyntaxTemplateRef editor = asmT; // an open editor colouring with "asm"
    CSyntaxTemplate* asmRaw = asmT.get();
    asmT.reset();
    DialogSteps steps;
    winui::ScriptedMessageBoxes boxes;
    boxes.Answer(IDNO);
    boxes.Answer(IDYES);
    int tabsAfterNo = 0, tabsAfterYes = 0, tab = -1;
    bool deleteEnabled = true, aliveDuring = false;
    std::vector<std::string> shown;
    steps.Then([&](HWND d, UINT) {
        Click(d, IDC_DELETE_TEMPLATE);
        tabsAfterNo = TabCount(d);
        Click(d, IDC_DELETE_TEMPLATE);
        tabsAfterYes = TabCount(d);
        tab = CurrentTab(d);
        shown = ListTexts(d);
        deleteEnabled = IsWindowEnabled(GetDlgItem(d, IDC_DELETE_TEMPLATE)) != FALSE;
        aliveDuring = !editor.expired();
        Click(d, IDC_DELETE_TEMPLATE); // disabled, and nothing happens when reached
        return IDOK;
    });
    EXPECT_EQ(Run(asmRaw), IDOK);
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(boxes.Calls()[0].text, "Really delete this template?");
    EXPECT_EQ(boxes.Calls()[0].caption, "Delete template");
    EXPECT_EQ(tabsAfterNo, 2);
    EXPECT_EQ(tabsAfterYes, 1);
    EXPECT_EQ(tab, 0);
    EXPECT_EQ(shown, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_FALSE(deleteEnabled);
    EXPECT_TRUE(aliveDuring);
    ASSERT_EQ(g_SyntaxTemplates.size(), 1u);
    EXPECT_EQ(g_SyntaxTemplates[0], c);
    dlg.reset();
    EXPECT_TRUE(editor.expired());
    EXPECT_EQ(profile.GetInt("SyntaxTemplates", "number", 0), 1);
    EXPECT_EQ(profile.GetString("SyntaxTemplates", "template1", "none"), "none");
    EXPECT_TRUE(profile.GetSection("asm").empty());
    EXPECT_EQ(Reload().size(), 1u);
}

TEST_F(SyntaxDialogs, ChangingTabsAsksWhetherToStoreTheChangedList)
{
    profile.WriteString("DefaultSettings", "ActiveSyntax", "asm");
    DialogSteps steps;
    winui::ScriptedMessageBoxes boxes;
    boxes.Answer(IDNO);
    boxes.Answer(IDYES);
    std::vector<std::string> onAsm, backOnC;
    int32_t afterNo = 0;
    Words stored, storedInProfile;
    std::string storedAssoc;
    int back = 0;
    steps.Then([&](HWND d, UINT) {
        ClickTab(d, 1); // unchanged: no question
        onAsm = ListTexts(d);
        ClickTab(d, 0);
        SelectItem(d, 0);
        Click(d, IDC_DELETE_ENTRY); // "c"
        ClickTab(d, 1);             // No: forgotten
        ClickTab(d, 0);
        afterNo = ItemData(d, 0);
        SelectItem(d, 1);
        Click(d, IDC_ENTRY_DOWN); // b below a
        SetDlgItemTextA(d, IDC_ASSOCIATIONS, "*.c");
        ClickTab(d, 1); // Yes: stored as the list shows it
        stored = Keywords(*c);
        storedAssoc = c->FileAssoc;
        storedInProfile = Keywords(*Reload()[0]);
        back = profile.GetInt("asm", "BackColor", 0);
        ClickTab(d, 0);
        backOnC = ListTexts(d);
        return IDOK;
    });
    dlg = std::make_unique<CSyntaxColorsDlg>(profile);
    dlg->m_pCurrentTemplate = c.get();
    dlg->m_clrFrameBackground = 0xABCDEF;
    EXPECT_EQ(dlg->DoModal(), IDOK);
    EXPECT_EQ(onAsm, (std::vector<std::string>{"mov"}));
    EXPECT_EQ(afterNo, 0x1000003);
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(boxes.Calls()[0].text, "Store the settings for syntax coloring?");
    EXPECT_EQ(boxes.Calls()[0].caption, "Syntax colors");
    EXPECT_EQ(boxes.Calls()[0].type & MB_ICONQUESTION, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(stored, (Words{{"b", 2}, {"a", 1}, {"c", 0x1000003}}));
    EXPECT_EQ(storedInProfile, stored);
    EXPECT_EQ(storedAssoc, "*.c");
    EXPECT_EQ(back, 0xABCDEF);
    EXPECT_EQ(backOnC, (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(SyntaxDialogs, CancelPutsTemplatesListAndProfileBackAfterStoreNewAndDelete)
{
    SyntaxTemplateRef editorOnAsm = asmT;
    SyntaxTemplateRef editorOnC = c;
    const auto listBefore = g_SyntaxTemplates;
    const Words cBefore = Keywords(*c), asmBefore = Keywords(*asmT);
    const auto profileBefore = WholeProfile(profile);
    DialogSteps steps;
    winui::ScriptedMessageBoxes boxes;
    boxes.Answer(IDYES); // store "C/C++"
    boxes.Answer(IDYES); // delete "asm"
    size_t during = 0;
    steps.Then([&](HWND d, UINT) {
        SelectItem(d, 0);
        Click(d, IDC_DELETE_ENTRY);
        SetDlgItemTextA(d, IDC_ASSOCIATIONS, "*.x");
        ClickTab(d, 1);
        Click(d, IDC_NEW_TEMPLATE);
        Click(d, IDC_DELETE_TEMPLATE); // "asm", the selected tab
        ClickTab(d, 1);                // the new one
        Click(d, IDC_NEW_ENTRY);
        during = g_SyntaxTemplates.size();
        return IDCANCEL;
    });
    steps.Then([&](HWND t, UINT) {
        SetDlgItemTextA(t, IDC_TEMPLATE_NAME, "fresh");
        return IDOK;
    });
    steps.Then([&](HWND e, UINT) {
        SetDlgItemTextA(e, IDC_KEYWORD, "kw");
        return IDC_COLOR_OK;
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(steps.Left(), 0u);
    EXPECT_EQ(during, 2u);
    EXPECT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(g_SyntaxTemplates, listBefore);
    EXPECT_EQ(Keywords(*c), cBefore);
    EXPECT_EQ(c->FileAssoc, "*.c *.h");
    EXPECT_EQ(Keywords(*g_SyntaxTemplates[1]), asmBefore);
    EXPECT_EQ(WholeProfile(profile), profileBefore);
    dlg.reset();
    // The editors still point at live templates, the same as before.
    EXPECT_EQ(editorOnAsm.lock(), listBefore[1]);
    EXPECT_EQ(editorOnC.lock(), c);
}

TEST_F(SyntaxDialogs, TheWindowGrowsWithItsControlsAndDoesNotShrinkBelowItsFirstSize)
{
    DialogSteps steps;
    RECT first{}, shrunk{}, applyBefore{}, applyAfter{}, listBefore{}, listAfter{}, assocBefore{}, assocAfter{};
    auto at = [](HWND d, int id) {
        RECT r;
        GetWindowRect(GetDlgItem(d, id), &r);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    steps.Then([&](HWND d, UINT) {
        GetWindowRect(d, &first);
        applyBefore = at(d, IDOK);
        listBefore = at(d, IDC_ENTRY_LIST);
        assocBefore = at(d, IDC_ASSOCIATIONS);
        SetWindowPos(d, nullptr, 0, 0, first.right - first.left + 40, first.bottom - first.top + 30,
                     SWP_NOMOVE | SWP_NOZORDER);
        applyAfter = at(d, IDOK);
        listAfter = at(d, IDC_ENTRY_LIST);
        assocAfter = at(d, IDC_ASSOCIATIONS);
        SetWindowPos(d, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(d, &shrunk);
        return IDOK;
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(applyAfter.left - applyBefore.left, 40);
    EXPECT_EQ(applyAfter.top, applyBefore.top);
    EXPECT_EQ(listAfter.right - listBefore.right, 40);
    EXPECT_EQ(listAfter.bottom - listBefore.bottom, 30);
    EXPECT_EQ(assocAfter.top - assocBefore.top, 30);
    EXPECT_EQ(assocAfter.left - assocBefore.left, 40);
    EXPECT_GE(shrunk.right - shrunk.left, first.right - first.left);
    EXPECT_GE(shrunk.bottom - shrunk.top, first.bottom - first.top);
}

TEST(TemplateNameDlg, TakesTheNameWithTitleLimitAndWithoutPrompt)
{
    DialogSteps steps;
    std::string title;
    bool promptShown = true;
    UINT limit = 0;
    steps.Then([&](HWND d, UINT id) {
        EXPECT_EQ(id, static_cast<UINT>(IDD_TEMPLATE_NAME));
        title = [&] {
            char t[128] = "";
            GetWindowTextA(d, t, sizeof t);
            return std::string(t);
        }();
        promptShown = IsWindowVisible(GetDlgItem(d, IDC_NAME_PROMPT)) != FALSE;
        limit = static_cast<UINT>(SendDlgItemMessageA(d, IDC_TEMPLATE_NAME, EM_GETLIMITTEXT, 0, 0));
        SetDlgItemTextA(d, IDC_TEMPLATE_NAME, "mark");
        return IDOK;
    });
    CTemplateNameDlg dlg;
    dlg.m_strTitle = "Bookmark name";
    dlg.m_nMaxLength = 20;
    dlg.m_strName = "old";
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(title, "Bookmark name");
    EXPECT_FALSE(promptShown);
    EXPECT_EQ(limit, 20u);
    EXPECT_EQ(dlg.m_strName, "mark");
}

} // namespace
