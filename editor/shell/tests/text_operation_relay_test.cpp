// The text operation relay chained into a window's map as the main frame
// chains it: the Operations dialog's four messages reach it and it asks
// the frame for the active view each time; other messages of the window's
// family (the project reference, 0x468) pass it by.
#include "editor/shell/frame_window.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/text_operation_relay.h"

#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A frame without documents: it counts the questions for the active view.
class CCountingFrame : public IFrameWindow {
public:
    int asked = 0;
    HWND FrameWindow() const override { return nullptr; }
    COvantaView* ActiveOvantaView() override
    {
        ++asked;
        return nullptr;
    }
    bool HasActiveDocumentWindow() override { return false; }
    HFONT EditFont() const override { return nullptr; }
    bool UseShortPathNames() const override { return false; }
    COutputBar* OutputBar() const override { return nullptr; }
    void AskGotoLine() override {}
    void ShowFileProperties(COvantaDoc*) override {}
    void OpenWorkspace(const char*) override {}
};

class CRelayHost : public winui::CWnd {
public:
    CCountingFrame frame;
    CTextOperationRelay relay{frame};
    int reference = 0;
    LRESULT OnReference(WPARAM, LPARAM)
    {
        ++reference;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRelayHost, winui::CWnd)
    CHAIN_MSG_MAP_MEMBER(relay)
    ON_MESSAGE(WM_OP_HTML_REFERENCE, &CRelayHost::OnReference)
END_MESSAGE_MAP()

TEST(TextOperationRelay, TheOperationsReachTheActiveViewAndNothingElse)
{
    CRelayHost host;
    ASSERT_TRUE(host.CreateEx(0, winui::CWnd::RegisterClass("ovanta.relay.host"), "relay", WS_OVERLAPPEDWINDOW, 0,
                              0, 200, 100, nullptr, nullptr));
    const UINT operations[] = {WM_OP_DELETE_TRAILING, WM_OP_DELETE_LEADING, WM_OP_ALIGN_C,
                               WM_OP_DELETE_EMPTY_LINES};
    int expected = 0;
    for (UINT message : operations) {
        SCOPED_TRACE(message);
        host.SendMessage(message, 0, 0);
        EXPECT_EQ(host.frame.asked, ++expected);
    }
    // The project reference is the frame's own entry after the chain.
    host.SendMessage(WM_OP_HTML_REFERENCE, 0, 0);
    EXPECT_EQ(host.reference, 1);
    EXPECT_EQ(host.frame.asked, expected);
    host.DestroyWindow();
}

} // namespace
