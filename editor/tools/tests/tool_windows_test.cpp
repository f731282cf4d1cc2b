// The output bar, the tools tool bar and the tool dialog in a dockable test
// frame on the screen; dialogs, boxes and the font dialog are answered by
// scripts.
#include "editor/docking/dockframe.h"
#include "editor/tools/app_start_dlg.h"
#include "editor/tools/output_bar.h"
#include "editor/tools/tool_runner.h"
#include "editor/tools/tool_shell.h"
#include "editor/tools/tools_bar.h"
#include "editor/tools/tools_resource.h"
#include "testing/kit/test_kit.h"
#include "winui/commdlg.h"
#include "winui/dialog_script.h"
#include "winui/msgbox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class CHostFrame : public CVelloMDIFrameWndSizeDock {
public:
    int starts = 0;
    LRESULT OnStartTool(WPARAM, LPARAM)
    {
        ++starts;
        return 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostFrame, CVelloMDIFrameWndSizeDock)
    ON_MESSAGE(WM_START_TOOL, &CHostFrame::OnStartTool)
END_MESSAGE_MAP()

class CProfileShell : public CToolShell {
public:
    std::string profile;
    std::vector<std::string> DocumentPaths() override { return {}; }
    CColorEdit* DocumentEditor(int) override { return nullptr; }
    int ActiveDocument() override { return -1; }
    int OpenDocument(const std::string&) override { return -1; }
    void ShowDocumentLine(int, int) override {}
    void UpdateStatusBar(int, int, int) override {}
    std::string CurrentToolFormat() override { return "None"; }
    std::string ExpandToolMacros(const std::string& text) override { return text; }
    std::string ProfilePath() override { return profile; }
};

void Pump()
{
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

class ToolWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = host_path(test_folder(info->name()));
        shell_.profile = dir_ + "\\ovanta.ini";
        frame_ = new CHostFrame;
        RECT r{40, 40, 840, 640};
        ASSERT_TRUE(frame_->Create(nullptr, "Tools", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, &r));
        frame_->EnableDocking(winui::CBRS_ALIGN_ANY);
        ShowWindow(frame_->m_hWnd, SW_SHOW);
        Pump();
    }
    void TearDown() override
    {
        bar_.reset();
        if (frame_ && IsWindow(frame_->m_hWnd))
            DestroyWindow(frame_->m_hWnd); // the frame deletes itself
        Pump();
    }

    COutputBar* MakeOutputBar()
    {
        bar_ = std::make_unique<COutputBar>(&shell_, &runner_);
        EXPECT_TRUE(bar_->Create(frame_, TRUE, nullptr));
        frame_->DockControlBar(bar_.get(), winui::AFX_IDW_DOCKBAR_BOTTOM);
        Pump();
        return bar_.get();
    }

    static std::string Text(HWND w)
    {
        char text[256] = "";
        GetWindowTextA(w, text, sizeof text);
        return text;
    }
    static bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::string dir_;
    CProfileShell shell_;
    CToolRunner runner_;
    CHostFrame* frame_ = nullptr;
    std::unique_ptr<COutputBar> bar_;
};

TEST_F(ToolWindows, OutputBarHoldsThreePanesAndTheirButtons)
{
    COutputBar* bar = MakeOutputBar();
    EXPECT_EQ(Text(bar->m_hWnd), "Output");
    struct {
        int kind;
        const char* window;
        const char* button;
    } panes[] = {{kPaneOutput, "Ausgabe", "Output"},
                 {kPaneSearchResults, "Suchergebnisse", "Search results"},
                 {kPaneTags, "Tags", "Tags"}};
    for (auto& p : panes) {
        SCOPED_TRACE(p.button);
        EXPECT_EQ(bar->Pane(p.kind).m_nKind, p.kind);
        EXPECT_EQ(Text(bar->Pane(p.kind).m_hWnd), p.window);
        EXPECT_EQ(Text(bar->PaneButton(p.kind)), p.button);
    }
    // "Output" in front, its button checked; "Tags" disabled.
    EXPECT_EQ(bar->VisiblePane(), kPaneOutput);
    EXPECT_TRUE(Checked(bar->PaneButton(kPaneOutput)));
    EXPECT_FALSE(IsWindowEnabled(bar->PaneButton(kPaneTags)));

    // Panes fill the bar above the button row; each pane's scroll bar
    // stands right of the buttons.
    RECT pane, button, scroll;
    GetWindowRect(bar->Pane(kPaneOutput).m_hWnd, &pane);
    GetWindowRect(bar->PaneButton(kPaneOutput), &button);
    GetWindowRect(bar->Pane(kPaneOutput).ScrollBar(), &scroll);
    EXPECT_GT(pane.bottom - pane.top, 20);
    EXPECT_EQ(button.top, pane.bottom);
    EXPECT_EQ(scroll.top, pane.bottom);
    RECT tags;
    GetWindowRect(bar->PaneButton(kPaneTags), &tags);
    EXPECT_GE(scroll.left, tags.right);
    EXPECT_TRUE(IsWindowVisible(bar->Pane(kPaneOutput).ScrollBar()));
    EXPECT_FALSE(IsWindowVisible(bar->Pane(kPaneTags).ScrollBar()));
}

TEST_F(ToolWindows, PanesComeToTheFrontByKindAndByTheirButtons)
{
    COutputBar* bar = MakeOutputBar();
    bar->ShowPane(kPaneSearchResults);
    EXPECT_EQ(bar->VisiblePane(), kPaneSearchResults);
    EXPECT_TRUE(Checked(bar->PaneButton(kPaneSearchResults)));
    EXPECT_FALSE(Checked(bar->PaneButton(kPaneOutput)));
    bar->ShowPane(7); // not a kind: nothing changes
    EXPECT_EQ(bar->VisiblePane(), kPaneSearchResults);

    // A press on the "Output" button: that pane, the kinds stay.
    bar->Pane(kPaneOutput).m_nKind = kPaneNone; // after a "Clear"
    RECT r;
    GetWindowRect(bar->PaneButton(kPaneOutput), &r);
    MapWindowPoints(nullptr, bar->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    SendMessageA(bar->m_hWnd, WM_PARENTNOTIFY, WM_LBUTTONDOWN,
                 MAKELPARAM(r.left + 3, r.top + 3));
    EXPECT_EQ(bar->VisiblePane(), kPaneOutput);
    EXPECT_TRUE(Checked(bar->PaneButton(kPaneOutput)));
    EXPECT_EQ(bar->Pane(kPaneOutput).m_nKind, kPaneNone);

    bar->EnableTagsTab(true);
    EXPECT_TRUE(IsWindowEnabled(bar->PaneButton(kPaneTags)));
    bar->ShowPane(kPaneTags);
    EXPECT_EQ(bar->VisiblePane(), kPaneTags);
    bar->EnableTagsTab(false);
    EXPECT_FALSE(IsWindowVisible(bar->PaneButton(kPaneTags)));
    EXPECT_EQ(bar->VisiblePane(), kPaneSearchResults);
    // The scroll bars move left over the room of the hidden button.
    RECT scroll, search;
    GetWindowRect(bar->Pane(kPaneSearchResults).ScrollBar(), &scroll);
    GetWindowRect(bar->PaneButton(kPaneSearchResults), &search);
    EXPECT_EQ(scroll.left, search.right);
}

TEST_F(ToolWindows, ColoursAndFontComeFromTheProfileAndFontChoiceIsWritten)
{
    winui::CProfile profile(shell_.profile);
    profile.WriteString("Specials", "OutWndFontColor", "FF");
    profile.WriteString("Specials", "OutWndBkgndColor", "102030");
    profile.WriteString("OutWndFont", "FaceName", "Courier New");
    profile.WriteInt("OutWndFont", "Height", -13);
    COutputBar* bar = MakeOutputBar();
    EXPECT_EQ(bar->Pane(kPaneOutput).m_crPaneText, 0xFFu);
    EXPECT_EQ(bar->Pane(kPaneTags).m_crPaneBack, 0x102030u);
    LOGFONTA lf = bar->PaneFont();
    EXPECT_EQ(lf.lfHeight, -13);

    winui::ScriptedCommonDialogs dialogs;
    dialogs.Answer(winui::CommonDialogAnswer::Font("Courier New", 12, true));
    SendMessageA(bar->Pane(kPaneSearchResults).m_hWnd, WM_COMMAND, ID_OUTPUT_FONT, 0);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].kind, winui::CommonDialogKind::Font);
    LOGFONTA chosen = bar->PaneFont();
    EXPECT_EQ(chosen.lfWeight, FW_BOLD);
    EXPECT_EQ(profile.GetString("OutWndFont", "FaceName"), "Courier New");
    EXPECT_EQ(profile.GetInt("OutWndFont", "Weight"), FW_BOLD);
    EXPECT_EQ(profile.GetInt("OutWndFont", "Height"), chosen.lfHeight);
    EXPECT_EQ(profile.GetKeys("OutWndFont").size(), 14u);
    // Every pane draws with it.
    winui::CFont* tags = bar->Pane(kPaneTags).GetEditFont();
    LOGFONTA tagsFont{};
    GetObjectA(static_cast<HFONT>(*tags), sizeof tagsFont, &tagsFont);
    EXPECT_EQ(tagsFont.lfWeight, FW_BOLD);

    // Cancel changes nothing.
    SendMessageA(bar->Pane(kPaneOutput).m_hWnd, WM_COMMAND, ID_OUTPUT_FONT, 0);
    EXPECT_EQ(bar->PaneFont().lfWeight, FW_BOLD);
}

TEST_F(ToolWindows, PaneMenuCommandsFloatDockAndHideTheBar)
{
    COutputBar* bar = MakeOutputBar();
    HWND pane = bar->Pane(kPaneOutput).m_hWnd;
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_FLOAT, 0);
    Pump();
    EXPECT_TRUE(bar->IsBarFloating());
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_DOCK, 0);
    Pump();
    EXPECT_FALSE(bar->IsBarFloating());
    EXPECT_EQ(CDockSite::DockBarOf(bar), frame_->GetDockBar(winui::AFX_IDW_DOCKBAR_BOTTOM));
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(bar->m_hWnd));
}

// --- tool dialog ------------------------------------------------------------

TEST_F(ToolWindows, ToolDialogShowsAndTakesBackATool)
{
    CAppStartDlg dlg(frame_->m_hWnd);
    dlg.m_tool.AppExe = "C:\\bin\\gravik.exe";
    dlg.m_tool.Compiler = "keil"; // begins "Keil C", case ignored
    dlg.m_tool.CaptureOut = 1;
    bool redirectEnabled = true;
    std::string format;
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        redirectEnabled = IsWindowEnabled(GetDlgItem(call.dialog, IDC_TOOL_REDIRECT)) != 0;
        char text[64] = "";
        GetDlgItemTextA(call.dialog, IDC_TOOL_FORMAT, text, sizeof text);
        format = text;
        // The macro goes in at the caret, in the middle of the parameters.
        SetDlgItemTextA(call.dialog, IDC_TOOL_PARMS, "-f  -v");
        SendDlgItemMessageA(call.dialog, IDC_TOOL_PARMS, EM_SETSEL, 3, 3);
        return winui::DialogAnswer()
            .SetText(IDC_TOOL_NAME, "")
            .Select(IDC_TOOL_MACROS, "$FILE")
            .Select(IDC_TOOL_FORMAT, "GNU166")
            .Check(IDC_TOOL_CAPTURE, 0)
            .Check(IDC_TOOL_REDIRECT, 1)
            .ApplyTo(call.dialog);
    });
    INT_PTR result = dlg.DoModal();
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(format, "Keil C");
    EXPECT_FALSE(redirectEnabled); // capturing excludes redirecting
    EXPECT_EQ(dlg.m_tool.Toolname, "gravik.exe");
    EXPECT_EQ(dlg.m_tool.AppParms, "-f $FILE -v");
    EXPECT_EQ(dlg.m_tool.Compiler, "GNU166");
    EXPECT_EQ(dlg.m_tool.CaptureOut, 0);
    EXPECT_EQ(dlg.m_tool.RedirToFile, 1);
}

TEST_F(ToolWindows, ToolDialogKeepsALongNameOutAndKnowsMacroFiles)
{
    winui::ScriptedMessageBoxes boxes;
    CAppStartDlg dlg(frame_->m_hWnd);
    dlg.m_tool.AppExe = "C:\\macros\\build.MCR";
    dlg.m_tool.Compiler = "Borland";
    std::vector<int> enabled;
    int rounds = 0;
    winui::SetDialogHook([&](const winui::DialogCall& call) {
        ++rounds;
        if (call.round == 0) {
            for (int id : {IDC_TOOL_MACROS, IDC_TOOL_FORMAT, IDC_TOOL_CAPTURE, IDC_TOOL_SHORTPATH,
                           IDC_TOOL_REDIRECT, IDC_TOOL_PARMS, IDC_TOOL_SAVE})
                enabled.push_back(IsWindowEnabled(GetDlgItem(call.dialog, id)) ? 1 : 0);
            return winui::DialogAnswer().SetText(IDC_TOOL_NAME, "sixteen chars xx").ApplyTo(call.dialog);
        }
        return winui::DialogAnswer().SetText(IDC_TOOL_NAME, "fifteen chars x").ApplyTo(call.dialog);
    });
    INT_PTR result = dlg.DoModal();
    winui::SetDialogHook(nullptr);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(rounds, 2);
    EXPECT_EQ(enabled, (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Please enter no more than 15 characters.");
    EXPECT_EQ(dlg.m_tool.Toolname, "fifteen chars x");

    winui::ScriptedDialogs deleting;
    deleting.Answer(IDC_TOOL_DELETE);
    CAppStartDlg again(frame_->m_hWnd);
    EXPECT_EQ(again.DoModal(), kToolDialogDelete);
}

TEST(ToolDialog, ProgramFolderKeepsTheRootOfADrive)
{
    EXPECT_EQ(ProgramFolder("C:\\bin\\make.exe"), "C:\\bin");
    EXPECT_EQ(ProgramFolder("C:\\make.exe"), "C:\\");
    EXPECT_EQ(ProgramFolder("make.exe"), "");
}

// --- tools tool bar ------------------------------------------------------------

class ToolsBarTest : public ToolWindows {
protected:
    void SetUp() override
    {
        ToolWindows::SetUp();
        ASSERT_TRUE(tools_.Create(frame_));
        tools_.EnableDocking(winui::CBRS_ALIGN_ANY);
        frame_->DockControlBar(&tools_, winui::AFX_IDW_DOCKBAR_TOP);
        frame_->ShowControlBar(&tools_, FALSE, FALSE);
        tools_.m_pCurrentTool = &current_;
    }
    void TearDown() override
    {
        if (tools_.m_hWnd)
            DestroyWindow(tools_.m_hWnd);
        ToolWindows::TearDown();
    }
    static CToolInfo Tool(const std::string& name, const std::string& exe = "C:\\bin\\x.exe")
    {
        CToolInfo t;
        t.Toolname = name;
        t.AppExe = exe;
        t.Compiler = "Borland";
        t.CaptureOut = 1;
        return t;
    }
    std::string Label(int index) const
    {
        char text[64] = "";
        TBBUTTON b{};
        SendMessageA(tools_.m_hWnd, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b));
        SendMessageA(tools_.m_hWnd, TB_GETBUTTONTEXTA, b.idCommand, reinterpret_cast<LPARAM>(text));
        return text;
    }
    POINT Centre(int index) const
    {
        RECT r;
        tools_.GetItemRect(index, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    CToolsBar tools_;
    CCurrentTool current_;
};

TEST_F(ToolsBarTest, ButtonsFollowTheToolsUpToTwenty)
{
    EXPECT_FALSE(tools_.IsVisible());
    EXPECT_EQ(tools_.AddTool(Tool("make")), 1);
    EXPECT_TRUE(tools_.IsVisible()); // the first tool shows the bar
    EXPECT_EQ(tools_.AddTool(Tool("sixteen chars xx")), 2);
    EXPECT_EQ(Label(0), " make");
    EXPECT_EQ(Label(1), " sixteen chars ...");
    for (int i = 2; i < 20; ++i)
        EXPECT_EQ(tools_.AddTool(Tool("t" + std::to_string(i))), i + 1);
    EXPECT_EQ(tools_.AddTool(Tool("too many")), -1);
    EXPECT_EQ(tools_.GetCount(), 20);
    EXPECT_EQ(tools_.GetItemID(19), 32889u);

    tools_.RemoveAllTools();
    EXPECT_EQ(tools_.GetCount(), 0);
    EXPECT_EQ(tools_.GetToolCount(), 0);
    EXPECT_FALSE(tools_.IsVisible());
}

TEST_F(ToolsBarTest, DeletingAndDraggingRenumberTheButtons)
{
    for (const char* name : {"one", "two", "three"})
        tools_.AddTool(Tool(name));
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(IDC_TOOL_DELETE);
    EXPECT_EQ(tools_.EditTool(1), kToolDialogDelete);
    ASSERT_EQ(tools_.GetCount(), 2);
    EXPECT_EQ(tools_.GetItemID(0), 32870u);
    EXPECT_EQ(tools_.GetItemID(1), 32871u);
    EXPECT_EQ(tools_.Tools()[1].Toolname, "three");
    EXPECT_EQ(Label(1), " three");

    tools_.AddTool(Tool("four"));
    // The first button dropped on the third: it moves there; nothing starts.
    POINT from = Centre(0), to = Centre(2);
    SendMessageA(tools_.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(tools_.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
    EXPECT_EQ(frame_->starts, 0);
    EXPECT_EQ(tools_.Tools()[0].Toolname, "three");
    EXPECT_EQ(tools_.Tools()[2].Toolname, "one");
    EXPECT_EQ(Label(2), " one");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tools_.GetItemID(i), 32870u + i);
        EXPECT_EQ(tools_.Tools()[i].CommandId, 32870 + i);
    }
}

TEST_F(ToolsBarTest, AButtonMakesItsToolCurrentAndAsksTheFrameToStartIt)
{
    CToolInfo t = Tool("make", "C:\\bin\\gravik.exe");
    t.AppParms = "-f $NAME.mak";
    t.Compiler = "MS C/C++";
    tools_.AddTool(Tool("other"));
    tools_.AddTool(t);
    EXPECT_EQ(tools_.StartToolByCommand(32871), 7);
    EXPECT_EQ(frame_->starts, 1);
    EXPECT_EQ(current_.AppExe, "C:\\bin\\gravik.exe");
    EXPECT_EQ(current_.AppParms, "-f $NAME.mak");
    EXPECT_EQ(current_.Compiler, "MS C/C++");
    EXPECT_EQ(tools_.StartToolByCommand(32880), -1);

    // A tool without a program opens its settings; Cancel starts nothing,
    // a program given there starts it.
    tools_.AddTool(Tool("empty", ""));
    {
        winui::ScriptedDialogs dialogs;
        dialogs.Answer(IDCANCEL);
        EXPECT_EQ(tools_.StartToolByCommand(32872), IDCANCEL);
        EXPECT_EQ(frame_->starts, 1);
    }
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_TOOL_EXE, "C:\\bin\\tessel.exe"));
    EXPECT_EQ(tools_.StartToolByCommand(32872), 7);
    EXPECT_EQ(frame_->starts, 2);
    EXPECT_EQ(current_.AppExe, "C:\\bin\\tessel.exe");
}

TEST_F(ToolsBarTest, TipsNameTheProgram)
{
    tools_.AddTool(Tool("make", "C:\\bin\\gravik.exe"));
    tools_.AddTool(Tool("none", ""));
    for (auto [id, tip] : {std::pair<UINT, const char*>{32870, "C:\\bin\\gravik.exe"},
                           {32871, "No Application configured"}}) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = tools_.m_hWnd;
        info.hdr.idFrom = id;
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(tools_.m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(info.lpszText, tip);
    }
}

TEST_F(ToolsBarTest, ToolsLoadFromAndSaveToAProfile)
{
    std::string ini = dir_ + "\\tools.ini";
    winui::CProfile profile(ini);
    profile.WriteString("ExecApplication", "AppExe", "C:\\bin\\gravik.exe");
    profile.WriteString("ExecApplication1", "Toolname", "asm");
    profile.WriteString("ExecApplication1", "AppExe", "C:\\bin\\morrin.exe");
    tools_.AddTool(Tool("old"));
    tools_.LoadTools(ini, 2);
    ASSERT_EQ(tools_.GetToolCount(), 2);
    EXPECT_EQ(tools_.Tools()[0].Toolname, "gravik.exe");
    EXPECT_EQ(Label(1), " asm");
    EXPECT_EQ(CDockSite::DockBarOf(&tools_), frame_->GetDockBar(winui::AFX_IDW_DOCKBAR_BOTTOM));

    // A file without the first section leaves the tools as they are.
    std::string other = dir_ + "\\other.ini";
    winui::CProfile(other).WriteString("ExecApplication1", "AppExe", "x.exe");
    tools_.LoadTools(other, 0);
    EXPECT_EQ(tools_.GetToolCount(), 2);

    tools_.SaveTools(other);
    EXPECT_EQ(winui::CProfile(other).GetString("ExecApplication", "AppExe"), "C:\\bin\\gravik.exe");
    EXPECT_EQ(winui::CProfile(other).GetString("ExecApplication1", "Toolname"), "asm");
}

} // namespace
