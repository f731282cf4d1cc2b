// Yantel's windows in the test's own process: what the status bar shows
// while the make tool runs and while a menu item is selected.
#include "../resource.h"
#include "../yanedtfl.h"
#include "../yantelap.h"
#include "../yantelframe.h"

#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "winui/app.h"
#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

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
    ASSERT_TRUE(MakeFolders(dir + "\\bin"));
    ASSERT_TRUE(MakeFolders(dir + "\\project"));
    ASSERT_TRUE(CopyOneFile(host_path(FAKE_GRAVIK), dir + "\\bin\\gravik.exe"));
    std::string makefile = dir + "\\project\\app.mak";
    ASSERT_TRUE(WriteWholeFile(makefile, "all: x\r\n"));
    ASSERT_TRUE(WriteWholeFile(dir + "\\report.txt", "Target: 'all'\r\n"));
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

} // namespace
