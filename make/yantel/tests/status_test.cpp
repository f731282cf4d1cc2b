// Yantel's windows in the test's own process: what the status bar shows
// while the make tool runs and while a menu item is selected; Find, Replace
// and Next through the real modeless dialogs.
#include "../resource.h"
#include "../yanedtfl.h"
#include "../yantelap.h"
#include "../yantelframe.h"

#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "winui/app.h"
#include "winui/msgbox.h"
#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// Records every text given to the status bar, and whether the bar was
// painted before the next text came. The bar already belongs to a winui
// object, so the recorder sits in front of it as a plain window procedure.
class StatusRecorder {
public:
    struct Shown {
        std::string text;
        bool painted = false;
    };
    std::vector<Shown> shown;

    bool SubclassWindow(HWND bar)
    {
        bar_ = bar;
        current_ = this;
        old_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
        return old_ != nullptr;
    }
    void UnsubclassWindow()
    {
        SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        current_ = nullptr;
    }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        StatusRecorder* self = current_;
        if (message == SB_SETTEXTA)
            self->shown.push_back(Shown{reinterpret_cast<const char*>(lParam), false});
        if (message == WM_PAINT && !self->shown.empty())
            self->shown.back().painted = true;
        return CallWindowProcA(self->old_, wnd, message, wParam, lParam);
    }
    static StatusRecorder* current_;
    HWND bar_ = nullptr;
    WNDPROC old_ = nullptr;
};
StatusRecorder* StatusRecorder::current_ = nullptr;

TEST(YantelStatusBar, ShowsTheCommandLinePaintedDuringTheRunAndHintsOfMenuItems)
{
    namespace fs = std::filesystem;
    std::string dir = host_path(STATUS_TEST_DIR);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    ASSERT_TRUE(make_dirs(dir + "\\bin"));
    ASSERT_TRUE(make_dirs(dir + "\\project"));
    ASSERT_TRUE(copy_file_to(host_path(FAKE_GRAVIK), dir + "\\bin\\gravik.exe"));
    std::string makefile = dir + "\\project\\app.mak";
    ASSERT_TRUE(write_file(makefile, "all: x\r\n"));
    ASSERT_TRUE(write_file(dir + "\\report.txt", "Target: 'all'\r\n"));
    SetEnvironmentVariableA("YANTEL_FAKE_REPORT", (dir + "\\report.txt").c_str());

    {
        TYantelApp app(dir + "\\bin\\yantel.exe");
        app.m_nCmdShow = SW_SHOWNORMAL;
        ASSERT_TRUE(app.InitInstance());
        TYantelFrame* frame = app.Frame();
        StatusRecorder recorder;
        ASSERT_TRUE(recorder.SubclassWindow(frame->StatusBar()));

        app.OpenFile(makefile.c_str());
        recorder.shown.clear();
        frame->SendMessage(WM_COMMAND, CM_UPDATETARGET);
        std::string command = dir + "\\bin\\gravik.exe -e -f" + makefile + " all";
        ASSERT_EQ(recorder.shown.size(), 2u);
        EXPECT_EQ(recorder.shown[0].text, command);
        EXPECT_TRUE(recorder.shown[0].painted);
        EXPECT_EQ(recorder.shown[1].text, "");

        recorder.shown.clear();
        HMENU make = GetSubMenu(GetMenu(frame->m_hWnd), 3);
        frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(CM_REMAKEALL, MF_STRING),
                           reinterpret_cast<LPARAM>(make));
        frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        ASSERT_EQ(recorder.shown.size(), 2u);
        EXPECT_EQ(recorder.shown[0].text, "Complete Remake of the main Target");
        EXPECT_EQ(recorder.shown[1].text, "");
        recorder.UnsubclassWindow();
        frame->DestroyWindow();
        winui::PumpWaitingMessages();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    SetEnvironmentVariableA("YANTEL_FAKE_REPORT", nullptr);
}

// One Yantel in this process with a makefile open; the tool is the
// recording stand-in.
class YantelSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        dir_ = host_path(STATUS_TEST_DIR) + "\\search";
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        ASSERT_TRUE(make_dirs(dir_ + "\\bin"));
        ASSERT_TRUE(make_dirs(dir_ + "\\project"));
        ASSERT_TRUE(copy_file_to(host_path(FAKE_GRAVIK), dir_ + "\\bin\\gravik.exe"));
        makefile_ = dir_ + "\\project\\app.mak";
        ASSERT_TRUE(write_file(makefile_, "all: main.bin\r\nmain.bin: main.obj MAIN.obj\r\n"
                                          "mainly: x\r\n"));
        ASSERT_TRUE(write_file(dir_ + "\\report.txt", "Target: 'all'\r\n"));
        SetEnvironmentVariableA("YANTEL_FAKE_REPORT", (dir_ + "\\report.txt").c_str());
        app_.reset(new TYantelApp(dir_ + "\\bin\\yantel.exe"));
        app_->m_nCmdShow = SW_SHOWNORMAL;
        ASSERT_TRUE(app_->InitInstance());
        app_->OpenFile(makefile_.c_str());
    }
    void TearDown() override
    {
        if (app_ && app_->Frame() && app_->Frame()->m_hWnd)
            app_->Frame()->DestroyWindow();
        winui::PumpWaitingMessages();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        app_.reset();
        SetEnvironmentVariableA("YANTEL_FAKE_REPORT", nullptr);
    }

    TYantelFrame* Frame() { return app_->Frame(); }
    TYanEditFile& View() { return Frame()->View(); }
    HWND Dialog() { return View().SearchDialog().m_hWnd; }
    void Command(UINT id) { Frame()->SendMessage(WM_COMMAND, id); }
    // The dialog's fields set as a user types them, then a button pressed.
    void Press(int button, const char* what, const char* with = nullptr, bool wholeWord = false,
               bool matchCase = false)
    {
        SetDlgItemTextA(Dialog(), edt1, what);
        if (with)
            SetDlgItemTextA(Dialog(), edt2, with);
        CheckDlgButton(Dialog(), chx1, wholeWord ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Dialog(), chx2, matchCase ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(Dialog(), button)));
    }
    std::string Selected()
    {
        int start = 0, end = 0;
        View().GetSel(start, end);
        return WindowTextOf(View().m_hWnd).substr(static_cast<size_t>(start),
                                                  static_cast<size_t>(end - start));
    }
    int SelStart()
    {
        int start = 0, end = 0;
        View().GetSel(start, end);
        return start;
    }
    bool MenuEnabled(UINT id)
    {
        HMENU search = GetSubMenu(GetMenu(Frame()->m_hWnd), 2);
        Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(search), 2);
        return (GetMenuState(search, id, MF_BYCOMMAND) & MF_GRAYED) == 0;
    }

    std::string dir_, makefile_;
    std::unique_ptr<TYantelApp> app_;
};

TEST_F(YantelSearch, FindAndNextWorkOnTheReadOnlyTextAndSayWhenNothingIsFound)
{
    winui::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(MenuEnabled(CM_EDITFIND));
    EXPECT_FALSE(MenuEnabled(CM_EDITFINDNEXT)); // nothing searched yet
    EXPECT_FALSE(MenuEnabled(CM_EDITREPLACE));  // read-only
    Command(CM_EDITFIND);
    ASSERT_NE(Dialog(), nullptr);
    Press(IDOK, "main");
    EXPECT_EQ(SelStart(), 5);
    EXPECT_EQ(Selected(), "main");
    // The same word in another case, then as a whole word only.
    Press(IDOK, "main");
    EXPECT_EQ(SelStart(), 15);
    Press(IDOK, "main", nullptr, false, true);
    EXPECT_EQ(SelStart(), 25);
    // "MAIN" differs in case, "mainly" is no whole word.
    Press(IDOK, "main", nullptr, true, true);
    EXPECT_EQ(SelStart(), 25); // not found: the selection stays
    EXPECT_EQ(Selected(), "main");
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Cannot find \"main\".");

    // Next (F3) goes on with the last search without the dialog, which
    // Cancel closed; its options stay.
    SendMessageA(Dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(Dialog(), nullptr);
    View().SetSel(10, 10);
    EXPECT_TRUE(MenuEnabled(CM_EDITFINDNEXT));
    Command(CM_EDITFINDNEXT);
    EXPECT_EQ(SelStart(), 15);
    EXPECT_EQ(Selected(), "main");
    View().SetSel(30, 30);
    Command(CM_EDITFINDNEXT);
    EXPECT_EQ(boxes.Calls().size(), 2u);
    // Read-only all the while: nothing was changed.
    EXPECT_EQ(WindowTextOf(View().m_hWnd),
              "all: main.bin\r\nmain.bin: main.obj MAIN.obj\r\nmainly: x\r\n");
    EXPECT_FALSE(View().GetModify());
}

TEST_F(YantelSearch, ReplaceOnlyInEditModeOneAtATimeOrAll)
{
    winui::ScriptedMessageBoxes boxes;
    Command(CM_EDITREPLACE);
    EXPECT_EQ(Dialog(), nullptr); // read-only: no Replace
    Command(CM_EDITMODE);
    ASSERT_TRUE(View().EditMode());
    EXPECT_TRUE(MenuEnabled(CM_EDITREPLACE));
    Command(CM_EDITREPLACE);
    ASSERT_NE(Dialog(), nullptr);
    // The first Replace finds, the next replaces that match and finds on.
    Press(psh1, ".obj", ".o");
    EXPECT_EQ(Selected(), ".obj");
    Press(psh1, ".obj", ".o");
    EXPECT_EQ(Selected(), ".obj");
    EXPECT_EQ(WindowTextOf(View().m_hWnd),
              "all: main.bin\r\nmain.bin: main.o MAIN.obj\r\nmainly: x\r\n");
    // Replace All: every match, as one step that Undo takes back.
    Press(psh2, "main", "prog", true);
    EXPECT_EQ(WindowTextOf(View().m_hWnd),
              "all: prog.bin\r\nprog.bin: prog.o prog.obj\r\nmainly: x\r\n");
    EXPECT_TRUE(View().GetModify());
    Press(psh2, "absent", "x");
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Cannot find \"absent\".");
    Command(CM_EDITUNDO);
    EXPECT_EQ(WindowTextOf(View().m_hWnd),
              "all: main.bin\r\nmain.bin: main.o MAIN.obj\r\nmainly: x\r\n");

    // Leaving edit mode (the changes not saved) closes the Replace dialog.
    boxes.Answer(IDNO);
    Command(CM_EDITMODE);
    EXPECT_FALSE(View().EditMode());
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(read_file(makefile_), "all: main.bin\r\nmain.bin: main.obj MAIN.obj\r\n"
                                    "mainly: x\r\n");
}

// The main window's bar as the user sees it: the target combo box in the
// bar's 10-point gadget font, and every bitmap of the bar's commands (the
// print bitmap too, though no button shows it) in the resources.
using YantelBar = YantelSearch;

TEST_F(YantelBar, TargetComboUsesTheTenPointGadgetFontAndTheBitmapsArePresent)
{
    HFONT font = reinterpret_cast<HFONT>(Frame()->Targets().SendMessage(WM_GETFONT));
    ASSERT_NE(font, nullptr);
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(font, sizeof lf, &lf), 0);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lf.lfHeight, -MulDiv(10, dpi, 72));

    const UINT ids[] = {CM_EXIT, CM_FILENEW, CM_FILEOPEN, CM_FILESAVE, CM_EDITMODE, CM_REMAKEALL,
                    CM_UPDATETARGET, CM_EDITUNDO, CM_EDITCUT, CM_EDITCOPY, CM_EDITPASTE,
                    CM_EDITFIND, CM_EDITFINDNEXT, IDB_PRINT};
    for (UINT id : ids) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        EXPECT_NE(bitmap, nullptr) << id;
        if (bitmap)
            DeleteObject(bitmap);
    }
}

} // namespace
