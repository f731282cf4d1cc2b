// What the tests of the main frame's controllers share: a dockable frame of
// the test process (a class with the controllers under test chained into
// its map) made and destroyed around each test, commands sent to its
// window, and the state its update handlers give a menu item.
#pragma once

#include "editor/shell/document_navigator.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/status_sink.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// The frame's navigator as the controllers' fakes hand it out: it records
// the files asked for and the lines shown.
class RecordingNavigator : public IDocumentNavigator {
public:
    COvantaDoc* OpenDocument(const std::string& path) override
    {
        opened.push_back(path);
        return nullptr;
    }
    void ShowDocumentLine(COvantaDoc*, int line) override { shownLines.push_back(line); }

    std::vector<std::string> opened;
    std::vector<int> shownLines;
};

// The frame's status as the controllers' fakes hand it out: it records the
// texts of the message pane and how often the caret's place was shown.
class RecordingStatus : public IStatusSink {
public:
    void UpdateStatusBar(int, int, int) override { ++caretUpdates; }
    void ShowModifiedState(int) override {}
    void SetReadOnlyPane(bool) override {}
    void ShowProgress(bool) override {}
    void SetProgressPos(int) override {}
    void SetProgressMode(int) override {}
    void SetMessageText(const char* text) override { messages.push_back(text ? text : "(null)"); }
    void SetPaneText(int, const char*) override {}

    std::vector<std::string> messages;
    int caretUpdates = 0;
};

inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

template <class Frame>
class ControllerFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_ = new Frame; // the frame deletes itself with its window
        RECT place{0, 0, 800, 500};
        ASSERT_TRUE(frame_->Create(nullptr, "controllers", WS_OVERLAPPEDWINDOW | WS_VISIBLE, &place));
        hwnd_ = frame_->m_hWnd;
        MakeBars(*frame_);
        frame_->EnableDocking(winui::CBRS_ALIGN_ANY);
        DockBars(*frame_);
        PumpMessages();
    }
    void TearDown() override
    {
        if (IsWindow(hwnd_)) {
            Closing(*frame_);
            DestroyWindow(hwnd_);
        }
        PumpMessages();
    }
    // The bars a test needs, made before the frame's sides take bars and
    // docked after; what a test stops before the frame goes.
    virtual void MakeBars(Frame&) {}
    virtual void DockBars(Frame&) {}
    virtual void Closing(Frame&) {}

    void Command(UINT id) { SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The state the update handlers give a menu item, as a popup shows it.
    UINT MenuState(UINT id)
    {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, id, "item");
        SendMessageA(hwnd_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
        const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
        DestroyMenu(menu);
        return state;
    }
    bool Checked(UINT id) { return (MenuState(id) & MF_CHECKED) != 0; }
    bool Greyed(UINT id) { return (MenuState(id) & MF_GRAYED) != 0; }

    Frame* frame_ = nullptr;
    HWND hwnd_ = nullptr;
};
