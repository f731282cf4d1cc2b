// A single-document frame as a small program builds it: menu and
// accelerators from resources, a view made from the creation context,
// commands routed from the view to the application, the window's place
// kept in the profile.
#include "winui/app.h"
#include "winui/doc.h"
#include "winui/frame.h"
#include "winui/msgbox.h"
#include "winui/profile.h"
#include "winui/view.h"

#include "test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT ID_SDI_VIEW = 41001;
const UINT ID_SDI_DOC = 41002;
const UINT ID_SDI_FRAME = 41003;
const UINT ID_SDI_APP = 41004;

std::vector<std::string> g_calls;

class CNoteDoc : public winui::CDocument {
public:
    void OnDoc() { g_calls.push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNoteDoc, winui::CDocument)
    ON_COMMAND(ID_SDI_DOC, &CNoteDoc::OnDoc)
    ON_COMMAND(ID_SDI_VIEW, &CNoteDoc::OnDoc) // the view comes first
END_MESSAGE_MAP()

class CNoteView : public winui::CView {
public:
    int initialUpdates = 0;
    void OnInitialUpdate() override { ++initialUpdates; }
    void OnView() { g_calls.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNoteView, winui::CView)
    ON_COMMAND(ID_SDI_VIEW, &CNoteView::OnView)
END_MESSAGE_MAP()

class CNoteFrame : public winui::CFrameWnd {
public:
    void OnFrame() { g_calls.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNoteFrame, winui::CFrameWnd)
    ON_COMMAND(ID_SDI_FRAME, &CNoteFrame::OnFrame)
    ON_COMMAND(ID_SDI_DOC, &CNoteFrame::OnFrame) // the document comes first
END_MESSAGE_MAP()

class CNoteApp : public winui::CWinApp {
public:
    void OnApp() { g_calls.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNoteApp, winui::CWinApp)
    ON_COMMAND(ID_SDI_APP, &CNoteApp::OnApp)
    ON_COMMAND(ID_SDI_FRAME, &CNoteApp::OnApp) // the frame comes first
END_MESSAGE_MAP()

struct SdiApp : ::testing::Test {
    CNoteApp app;
    CNoteDoc* doc = new CNoteDoc;
    CNoteFrame* frame = new CNoteFrame;
    void SetUp() override
    {
        g_calls.clear();
        app.m_strAppName = "Notes";
        doc->SetTitle("notes.txt");
        winui::CCreateContext context;
        context.m_pCurrentDoc = doc;
        context.m_pNewViewClass = RUNTIME_CLASS(CNoteView);
        ASSERT_TRUE(frame->LoadFrame(IDM_MAIN, WS_OVERLAPPEDWINDOW | winui::FWS_ADDTOTITLE, nullptr,
                                     &context));
        app.m_hMainWnd = frame->m_hWnd;
        frame->InitialUpdateFrame(doc, FALSE);
    }
    void TearDown() override
    {
        if (app.m_hMainWnd) {
            winui::ScriptedMessageBoxes boxes;
            boxes.Answer(IDNO);
            SendMessageA(app.m_hMainWnd, WM_CLOSE, 0, 0);
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
};

TEST_F(SdiApp, TheFrameComesFromItsResourcesWithItsView)
{
    HMENU menu = GetMenu(frame->m_hWnd);
    ASSERT_NE(menu, nullptr);
    char text[32] = {};
    GetMenuStringA(GetSubMenu(menu, 0), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Open...\tCtrl+O");
    EXPECT_NE(frame->m_hAccelTable, nullptr);
    auto* view = dynamic_cast<CNoteView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_EQ(GetDlgCtrlID(view->m_hWnd), static_cast<int>(winui::AFX_IDW_PANE_FIRST));
    char title[64] = {};
    GetWindowTextA(frame->m_hWnd, title, sizeof title);
    EXPECT_STREQ(title, "notes.txt");
    // The view fills the frame's client area.
    RECT client, placed;
    GetClientRect(frame->m_hWnd, &client);
    GetWindowRect(view->m_hWnd, &placed);
    EXPECT_EQ(placed.right - placed.left, client.right);
    EXPECT_EQ(placed.bottom - placed.top, client.bottom);
}

TEST_F(SdiApp, CommandsGoFromTheViewOverTheDocumentAndTheFrameToTheApplication)
{
    for (UINT id : {ID_SDI_VIEW, ID_SDI_DOC, ID_SDI_FRAME, ID_SDI_APP})
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"view", "doc", "frame", "app"}));
}

TEST_F(SdiApp, ClosingTheFrameAsksForTheModifiedDocumentAndEndsTheProgram)
{
    doc->SetModifiedFlag(TRUE);
    {
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(IDCANCEL);
        frame->SendMessage(WM_CLOSE);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "Save changes to notes.txt?");
        EXPECT_EQ(boxes.Calls()[0].caption, "Notes");
    }
    ASSERT_NE(app.m_hMainWnd, nullptr);
    {
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(IDNO);
        frame->SendMessage(WM_CLOSE);
    }
    EXPECT_EQ(app.m_hMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

struct Placement : SdiApp {
    winui::CProfile profile;
    void SetUp() override
    {
        SdiApp::SetUp();
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        profile.SetPath(std::string(dir) + "winui_place_" + std::to_string(GetCurrentProcessId()) +
                        ".ini");
        DeleteFileA(profile.Path().c_str());
    }
    void TearDown() override
    {
        DeleteFileA(profile.Path().c_str());
        SdiApp::TearDown();
    }
    RECT Where() const
    {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(frame->m_hWnd, &wp);
        return wp.rcNormalPosition;
    }
};

TEST_F(Placement, TheWindowReturnsToItsSavedPlace)
{
    SetWindowPos(frame->m_hWnd, nullptr, 40, 30, 420, 310, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(frame->SaveWindowPlacement(profile, "Frame", "Place"));
    std::string saved = profile.GetString("Frame", "Place");
    EXPECT_EQ(saved.substr(saved.find(',')), ",40,30,460,340") << saved;
    SetWindowPos(frame->m_hWnd, nullptr, 100, 100, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(frame->RestoreWindowPlacement(profile, "Frame", "Place"));
    RECT r = Where();
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 460);
    EXPECT_EQ(r.bottom, 340);
}

TEST_F(Placement, AValueThatIsNoPlaceLeavesTheWindowWhereItIs)
{
    SetWindowPos(frame->m_hWnd, nullptr, 50, 60, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const char* bad : {"", "M", "1,2,3", "1,10,10,5,5", "1,0,0,100,100,junk", "x,0,0,100,100"}) {
        profile.WriteString("Frame", "Place", bad);
        EXPECT_FALSE(frame->RestoreWindowPlacement(profile, "Frame", "Place")) << bad;
        RECT r = Where();
        EXPECT_EQ(r.left, 50) << bad;
        EXPECT_EQ(r.right, 350) << bad;
    }
}

} // namespace
