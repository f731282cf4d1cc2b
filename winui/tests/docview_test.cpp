// A small test application in the shape of the MDI editor: an MDI frame, a
// template of text documents with their child frames and views, commands
// routed along view, document, child frame, main frame and application,
// menu and bar states from update handlers, saving, the save prompt and
// several windows of one document.
#include "winui/app.h"
#include "winui/cmdui.h"
#include "winui/controlbar.h"
#include "winui/doc.h"
#include "winui/doctemplate.h"
#include "winui/mdi.h"
#include "winui/msgbox.h"
#include "winui/recentfiles.h"
#include "winui/view.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

const UINT ID_TEST_VIEWCMD = 40001;
const UINT ID_TEST_DOCCMD = 40002;
const UINT ID_TEST_CHILDCMD = 40003;
const UINT ID_TEST_MAINCMD = 40004;
const UINT ID_TEST_APPCMD = 40005;
const UINT ID_TEST_SHARED = 40006; // view and application: the view wins
const UINT ID_TEST_NOHANDLER = 40007;
const UINT ID_TEST_MODIFIED = 40008; // checked while the document is modified

std::vector<std::string> g_log;
// The views that still had a window when a document last freed its text.
int g_liveViewsAtDelete = -1;

class CTextDoc : public winui::CDocument {
public:
    std::string text;
    void DeleteContents() override
    {
        g_liveViewsAtDelete = 0;
        for (winui::CView* view : GetViews())
            if (view->m_hWnd && IsWindow(view->m_hWnd))
                ++g_liveViewsAtDelete;
        text.clear();
    }
    // A store that writes this much and then fails, as a full disk would.
    size_t failAfter = std::string::npos;
    BOOL Serialize(HANDLE file, bool storing) override
    {
        DWORD n = 0;
        if (storing && failAfter < text.size()) {
            WriteFile(file, text.data(), static_cast<DWORD>(failAfter), &n, nullptr);
            return FALSE;
        }
        if (storing)
            return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
        char buf[4096];
        while (ReadFile(file, buf, sizeof buf, &n, nullptr) && n > 0)
            text.append(buf, n);
        return TRUE;
    }
    void Edit(const std::string& more)
    {
        text += more;
        SetModifiedFlag(TRUE);
        UpdateAllViews(nullptr, 1);
    }
    void OnDocCmd() { g_log.push_back("doc " + GetTitle()); }
    void OnUpdateModified(winui::CCmdUI* ui) { ui->SetCheck(IsModified() ? 1 : 0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextDoc, winui::CDocument)
    ON_COMMAND(ID_TEST_DOCCMD, &CTextDoc::OnDocCmd)
    ON_UPDATE_COMMAND_UI(ID_TEST_MODIFIED, &CTextDoc::OnUpdateModified)
END_MESSAGE_MAP()

class CTextView : public winui::CView {
public:
    int updates = 0;
    CTextDoc* Doc() const { return static_cast<CTextDoc*>(GetDocument()); }
    void OnUpdate(winui::CView*, LPARAM hint, winui::CCmdTarget*) override
    {
        if (hint == 1)
            ++updates;
    }
    void OnViewCmd() { g_log.push_back("view " + Doc()->GetTitle()); }
    void OnShared() { g_log.push_back("shared in view"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextView, winui::CView)
    ON_COMMAND(ID_TEST_VIEWCMD, &CTextView::OnViewCmd)
    ON_COMMAND(ID_TEST_SHARED, &CTextView::OnShared)
END_MESSAGE_MAP()

class CChildFrm : public winui::CMDIChildWnd {
public:
    void OnChildCmd()
    {
        g_log.push_back("child " + (GetActiveDocument() ? GetActiveDocument()->GetTitle() : ""));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildFrm, winui::CMDIChildWnd)
    ON_COMMAND(ID_TEST_CHILDCMD, &CChildFrm::OnChildCmd)
END_MESSAGE_MAP()

class CMainFrm : public winui::CMDIFrameWnd {
public:
    void OnMainCmd() { g_log.push_back("main"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrm, winui::CMDIFrameWnd)
    ON_COMMAND(ID_TEST_MAINCMD, &CMainFrm::OnMainCmd)
END_MESSAGE_MAP()

class CTestApp : public winui::CWinApp {
public:
    void OnAppCmd() { g_log.push_back("app"); }
    void OnShared() { g_log.push_back("shared in app"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, winui::CWinApp)
    ON_COMMAND(winui::ID_FILE_NEW, &CTestApp::OnFileNew)
    ON_COMMAND(winui::ID_FILE_OPEN, &CTestApp::OnFileOpen)
    ON_COMMAND(ID_TEST_APPCMD, &CTestApp::OnAppCmd)
    ON_COMMAND(ID_TEST_SHARED, &CTestApp::OnShared)
END_MESSAGE_MAP()

// The file dialog of the test: answers with the next prepared name.
class CTestDocManager : public winui::CDocManager {
public:
    std::vector<std::string> names;
    std::vector<std::string> titles;
    BOOL DoPromptFileName(std::string& fileName, const char* title, DWORD, BOOL,
                          winui::CDocTemplate*) override
    {
        titles.push_back(title);
        if (names.empty())
            return FALSE;
        fileName = names.front();
        names.erase(names.begin());
        return TRUE;
    }
};

HMENU popup(std::initializer_list<std::pair<UINT, const char*>> items)
{
    HMENU m = CreatePopupMenu();
    for (const auto& item : items)
        AppendMenuA(m, MF_STRING, item.first, item.second);
    return m;
}

std::string window_text(HWND h)
{
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

struct MdiApp : ::testing::Test {
    CTestApp app;
    CMainFrm* frame = nullptr;
    CTestDocManager* docs = nullptr;
    winui::CMultiDocTemplate* tmpl = nullptr;
    std::string dir = host_path(test_folder("docview"));

    void SetUp() override
    {
        g_log.clear();
        app.m_strAppName = "TestApp";
        app.m_profile.SetPath(dir + "\\test.ini");
        DeleteFileA(app.m_profile.Path().c_str());
        app.LoadStdProfileSettings(4);
        docs = new CTestDocManager;
        app.m_pDocManager.reset(docs);
        tmpl = new winui::CMultiDocTemplate(0, RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CChildFrm),
                                            RUNTIME_CLASS(CTextView));
        tmpl->m_strDocStrings = "\nText\nText\nText files (*.txt)\n.txt\nTest.Text\nText";
        HMENU childMenu = CreateMenu();
        AppendMenuA(childMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup({{winui::ID_FILE_SAVE, "&Save"}})), "&File");
        AppendMenuA(childMenu, MF_POPUP,
                    reinterpret_cast<UINT_PTR>(popup({{winui::ID_WINDOW_NEW, "&New Window"},
                                                      {winui::ID_WINDOW_CASCADE, "&Cascade"}})),
                    "&Window");
        tmpl->m_hMenuShared = childMenu;
        app.AddDocTemplate(tmpl);

        HMENU mainMenu = CreateMenu();
        AppendMenuA(mainMenu, MF_POPUP,
                    reinterpret_cast<UINT_PTR>(popup({{winui::ID_FILE_NEW, "&New"},
                                                      {winui::ID_FILE_MRU_FILE1, "Recent File"}})),
                    "&File");
        AppendMenuA(mainMenu, MF_POPUP,
                    reinterpret_cast<UINT_PTR>(popup({{winui::ID_WINDOW_CASCADE, "&Cascade"}})),
                    "&Window");
        frame = new CMainFrm;
        frame->m_strTitle = "TestApp";
        RECT rc{0, 0, 800, 600};
        ASSERT_TRUE(frame->Create(nullptr, "TestApp", WS_OVERLAPPEDWINDOW | winui::FWS_ADDTOTITLE,
                                  &rc, nullptr, mainMenu));
        app.m_hMainWnd = frame->m_hWnd;
        // The frame stays hidden: showing a top-level window costs seconds
        // under the virtual display, and only idle updates need it shown.
    }

    void TearDown() override
    {
        if (app.m_hMainWnd) {
            winui::ScriptedMessageBoxes boxes;
            for (int i = 0; i < 10; ++i)
                boxes.Answer(IDNO);
            SendMessageA(app.m_hMainWnd, WM_CLOSE, 0, 0);
        }
        winui::PumpWaitingMessages();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    CTextDoc* NewDoc()
    {
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(winui::ID_FILE_NEW, 0), 0);
        winui::CMDIChildWnd* child = frame->MDIGetActive();
        return child ? static_cast<CTextDoc*>(child->GetActiveDocument()) : nullptr;
    }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    size_t DocCount() const { return tmpl->GetDocuments().size(); }
};

TEST_F(MdiApp, TwoDocumentsRouteCommandsFromTheActiveViewToTheApplication)
{
    CTextDoc* first = NewDoc();
    CTextDoc* second = NewDoc();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetTitle(), "Text1");
    EXPECT_EQ(second->GetTitle(), "Text2");
    struct {
        UINT id;
        const char* handledBy;
    } route[] = {
        {ID_TEST_VIEWCMD, "view Text2"}, {ID_TEST_DOCCMD, "doc Text2"},
        {ID_TEST_CHILDCMD, "child Text2"}, {ID_TEST_MAINCMD, "main"},
        {ID_TEST_APPCMD, "app"},         {ID_TEST_SHARED, "shared in view"},
    };
    for (const auto& r : route) {
        g_log.clear();
        Command(r.id);
        EXPECT_EQ(g_log, (std::vector<std::string>{r.handledBy})) << r.id;
    }
    // The other window becomes active: its view and document take over.
    frame->MDIActivate(first->GetFirstView()->GetParentFrame()->m_hWnd);
    g_log.clear();
    Command(ID_TEST_VIEWCMD);
    Command(ID_TEST_DOCCMD);
    Command(ID_TEST_NOHANDLER);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view Text1", "doc Text1"}));
}

// A document that closes frees its contents only after the windows of all
// its views are gone, so that no view draws from freed storage.
TEST_F(MdiApp, ADocumentWindowWithoutAnIconOfItsOwnShowsTheProgramsIcon)
{
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516)); // IDI_INFORMATION
    ASSERT_NE(icon, nullptr);
    frame->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ASSERT_NE(NewDoc(), nullptr);
    winui::CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(child->SendMessage(WM_GETICON, ICON_SMALL, 0)), icon);
}

TEST_F(MdiApp, ClosingADocumentFreesItsContentsAfterItsViewsAreDestroyed)
{
    CTextDoc* doc = NewDoc();
    ASSERT_NE(doc, nullptr);
    Command(winui::ID_WINDOW_NEW);
    ASSERT_EQ(doc->GetViews().size(), 2u);
    g_liveViewsAtDelete = -1;
    doc->OnCloseDocument();
    EXPECT_EQ(DocCount(), 0u);
    EXPECT_EQ(g_liveViewsAtDelete, 0);
}

TEST_F(MdiApp, CommandsWithoutADocumentReachTheFrameAndTheApplicationOnly)
{
    Command(ID_TEST_VIEWCMD);
    Command(ID_TEST_SHARED);
    Command(ID_TEST_MAINCMD);
    EXPECT_EQ(g_log, (std::vector<std::string>{"shared in app", "main"}));
}

TEST_F(MdiApp, PopupMenusTakeTheirStateFromUpdateHandlersAlongTheRoute)
{
    HMENU menu = popup({{ID_TEST_MODIFIED, "Modified"},
                        {ID_TEST_NOHANDLER, "Nothing"},
                        {ID_TEST_VIEWCMD, "View"},
                        {ID_TEST_APPCMD, "App"}});
    auto state = [&](UINT id) {
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
        return GetMenuState(menu, id, MF_BYCOMMAND);
    };
    // No document: the view's command has no handler on the route.
    EXPECT_TRUE(state(ID_TEST_VIEWCMD) & MF_GRAYED);
    EXPECT_TRUE(state(ID_TEST_NOHANDLER) & MF_GRAYED);
    EXPECT_FALSE(state(ID_TEST_APPCMD) & MF_GRAYED);
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    EXPECT_FALSE(state(ID_TEST_VIEWCMD) & MF_GRAYED);
    EXPECT_FALSE(state(ID_TEST_MODIFIED) & MF_CHECKED);
    doc->Edit("x");
    EXPECT_TRUE(state(ID_TEST_MODIFIED) & MF_CHECKED);
    DestroyMenu(menu);
}

// A bar whose items are updated when the program is idle.
class CStateBar : public winui::CControlBar {
public:
    struct Item : winui::CCmdUI {
        BOOL enabled = TRUE;
        int checked = 0;
        void Enable(BOOL on) override
        {
            m_bEnableChanged = TRUE;
            enabled = on;
        }
        void SetCheck(int check) override { checked = check; }
    };
    Item items[3];
    void OnUpdateCmdUI(winui::CFrameWnd* target, BOOL disableIfNoHandler) override
    {
        const UINT ids[] = {ID_TEST_MODIFIED, ID_TEST_VIEWCMD, ID_TEST_NOHANDLER};
        for (int i = 0; i < 3; ++i) {
            items[i].m_nID = ids[i];
            items[i].m_nIndex = static_cast<UINT>(i);
            items[i].m_pOther = this;
            items[i].DoUpdate(target, disableIfNoHandler);
        }
    }
};

TEST_F(MdiApp, BarsUpdateTheirItemsWhenTheProgramIsIdle)
{
    CStateBar bar;
    ASSERT_TRUE(bar.CreateBar(0, winui::CWnd::RegisterClass("winui.test.statebar"), "",
                              WS_CHILD | WS_VISIBLE | winui::CBRS_TOP, frame,
                              winui::AFX_IDW_TOOLBAR));
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    doc->Edit("typed");
    app.OnIdle(0); // a hidden main window is not updated
    EXPECT_EQ(bar.items[0].checked, 0);
    ShowWindow(frame->m_hWnd, SW_SHOWNOACTIVATE);
    app.OnIdle(0);
    EXPECT_EQ(bar.items[0].checked, 1);
    EXPECT_TRUE(bar.items[1].enabled);
    EXPECT_FALSE(bar.items[2].enabled);
    // Idle also renews the frame's caption from the active document.
    EXPECT_EQ(window_text(frame->m_hWnd), "TestApp - Text1");
}

TEST_F(MdiApp, SaveAsksForANameOnceThenSavesInPlaceThroughATemporaryFile)
{
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    doc->Edit("first line");
    std::string path = dir + "\\saved.txt";
    DeleteFileA(path.c_str());
    docs->names = {path};
    Command(winui::ID_FILE_SAVE);
    EXPECT_EQ(docs->titles, (std::vector<std::string>{"Save As"}));
    EXPECT_EQ(read_file(path), "first line");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "saved.txt");
    EXPECT_EQ(lstrcmpiA(doc->GetPathName().c_str(), path.c_str()), 0);
    EXPECT_EQ(window_text(doc->GetFirstView()->GetParentFrame()->m_hWnd), "saved.txt");
    ASSERT_EQ(app.m_pRecentFileList->GetCount(), 1);
    EXPECT_EQ(lstrcmpiA((*app.m_pRecentFileList)[0].c_str(), path.c_str()), 0);
    doc->Edit(" more");
    Command(winui::ID_FILE_SAVE);
    EXPECT_EQ(docs->titles.size(), 1u); // no second question
    EXPECT_EQ(read_file(path), "first line more");
    EXPECT_EQ(GetFileAttributesA((path + ".~sav").c_str()), INVALID_FILE_ATTRIBUTES);
    // Save As takes the new name; the old file stays as it was.
    std::string other = dir + "\\other.txt";
    docs->names = {other};
    doc->Edit("!");
    Command(winui::ID_FILE_SAVE_AS);
    EXPECT_EQ(read_file(other), "first line more!");
    EXPECT_EQ(read_file(path), "first line more");
    EXPECT_EQ(doc->GetTitle(), "other.txt");
}

TEST_F(MdiApp, AFailedSaveKeepsTheOldFileAndTheModifiedState)
{
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    doc->Edit("new text");
    std::string path = dir + "\\kept.txt";
    {
        std::ofstream(path, std::ios::binary) << "old text";
    }
    // The document's writer fails half way.
    doc->failAfter = 3;
    winui::ScriptedMessageBoxes boxes;
    docs->names = {path};
    Command(winui::ID_FILE_SAVE);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Failed to save document.");
    EXPECT_EQ(read_file(path), "old text");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetPathName().empty());
    // Nothing of the half-written text is left beside the file.
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\kept.txt*").c_str(), &found);
    std::vector<std::string> names;
    if (find != INVALID_HANDLE_VALUE) {
        do
            names.push_back(found.cFileName);
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"kept.txt"}));
}

TEST_F(MdiApp, OpeningReadsTheFileOnceAndReportsAMissingOne)
{
    std::string path = dir + "\\open.txt";
    {
        std::ofstream(path, std::ios::binary) << "content";
    }
    auto* doc = static_cast<CTextDoc*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->text, "content");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "open.txt");
    EXPECT_EQ(app.OpenDocumentFile(path.c_str()), doc); // already open
    EXPECT_EQ(DocCount(), 1u);
    winui::ScriptedMessageBoxes boxes;
    EXPECT_EQ(app.OpenDocumentFile((dir + "\\missing.txt").c_str()), nullptr);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Failed to open document.");
    EXPECT_EQ(boxes.Calls()[0].caption, "TestApp");
    EXPECT_EQ(DocCount(), 1u);
    EXPECT_EQ(frame->MDIGetActive()->GetActiveDocument(), doc);
}

TEST_F(MdiApp, ClosingAModifiedDocumentAsksAndCancelKeepsIt)
{
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    doc->Edit("unsaved");
    HWND child = doc->GetFirstView()->GetParentFrame()->m_hWnd;
    {
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(IDCANCEL);
        SendMessageA(child, WM_CLOSE, 0, 0);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "Save changes to Text1?");
        EXPECT_EQ(boxes.Calls()[0].type & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
    }
    EXPECT_TRUE(IsWindow(child));
    EXPECT_EQ(DocCount(), 1u);
    {
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(IDNO);
        SendMessageA(child, WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(DocCount(), 0u);
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
}

TEST_F(MdiApp, AnsweringYesSavesBeforeClosing)
{
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    doc->Edit("keep me");
    std::string path = dir + "\\yes.txt";
    docs->names = {path};
    winui::ScriptedMessageBoxes boxes;
    boxes.Answer(IDYES);
    SendMessageA(doc->GetFirstView()->GetParentFrame()->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(read_file(path), "keep me");
    EXPECT_EQ(DocCount(), 0u);
}

TEST_F(MdiApp, ADocumentInTwoWindowsAsksOnlyWhenItsLastWindowCloses)
{
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    Command(winui::ID_WINDOW_NEW);
    ASSERT_EQ(doc->GetViews().size(), 2u);
    winui::CFrameWnd* one = doc->GetViews()[0]->GetParentFrame();
    winui::CFrameWnd* two = doc->GetViews()[1]->GetParentFrame();
    ASSERT_NE(one, two);
    EXPECT_EQ(window_text(one->m_hWnd), "Text1:1");
    EXPECT_EQ(window_text(two->m_hWnd), "Text1:2");
    doc->Edit("shared");
    for (winui::CView* v : doc->GetViews())
        EXPECT_EQ(static_cast<CTextView*>(v)->updates, 1);
    winui::ScriptedMessageBoxes boxes;
    boxes.Answer(IDNO);
    SendMessageA(two->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(boxes.Calls().empty());
    ASSERT_EQ(doc->GetViews().size(), 1u);
    EXPECT_EQ(window_text(one->m_hWnd), "Text1");
    SendMessageA(one->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(DocCount(), 0u);
}

TEST_F(MdiApp, TheMainFrameAsksForEveryModifiedDocumentAndCancelKeepsAll)
{
    NewDoc()->Edit("a");
    NewDoc()->Edit("b");
    {
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(IDNO);
        boxes.Answer(IDCANCEL);
        frame->SendMessage(WM_CLOSE);
        EXPECT_EQ(boxes.Calls().size(), 2u);
    }
    EXPECT_EQ(DocCount(), 2u);
    ASSERT_TRUE(IsWindow(app.m_hMainWnd));
    {
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(IDNO);
        boxes.Answer(IDNO);
        frame->SendMessage(WM_CLOSE);
    }
    EXPECT_EQ(DocCount(), 0u);
    EXPECT_EQ(app.m_hMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MdiApp, TheWindowMenuListsTheChildrenAndArrangesThem)
{
    CTextDoc* first = NewDoc();
    CTextDoc* second = NewDoc();
    ASSERT_TRUE(first && second);
    // While a child is active the frame shows the template's menu.
    HMENU bar = GetMenu(frame->m_hWnd);
    EXPECT_EQ(bar, tmpl->m_hMenuShared);
    HMENU window = winui::CMDIFrameWnd::FindWindowMenu(bar);
    bool listed[2] = {false, false};
    for (int i = 0; i < GetMenuItemCount(window); ++i) {
        char text[64] = {};
        GetMenuStringA(window, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        listed[0] = listed[0] || std::string(text).find("Text1") != std::string::npos;
        listed[1] = listed[1] || std::string(text).find("Text2") != std::string::npos;
    }
    EXPECT_TRUE(listed[0] && listed[1]);
    ShowWindow(frame->m_hWnd, SW_SHOWNOACTIVATE); // the client arranges visible windows only
    Command(winui::ID_WINDOW_TILE_VERT);
    RECT a, b;
    GetWindowRect(first->GetFirstView()->GetParentFrame()->m_hWnd, &a);
    GetWindowRect(second->GetFirstView()->GetParentFrame()->m_hWnd, &b);
    EXPECT_EQ(a.top, b.top);
    EXPECT_NE(a.left, b.left);
    Command(winui::ID_WINDOW_CASCADE);
    GetWindowRect(first->GetFirstView()->GetParentFrame()->m_hWnd, &a);
    GetWindowRect(second->GetFirstView()->GetParentFrame()->m_hWnd, &b);
    EXPECT_NE(a.top, b.top);
    // The last child gone, the frame's own menu returns.
    winui::ScriptedMessageBoxes boxes;
    SendMessageA(first->GetFirstView()->GetParentFrame()->m_hWnd, WM_CLOSE, 0, 0);
    SendMessageA(second->GetFirstView()->GetParentFrame()->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
}

TEST_F(MdiApp, RecentFilesAreListedInTheMenuAndOpenedByTheirCommand)
{
    std::string a = dir + "\\a.txt", b = dir + "\\b.txt";
    std::ofstream(a) << "A";
    std::ofstream(b) << "B";
    CTextDoc* docA = static_cast<CTextDoc*>(app.OpenDocumentFile(a.c_str()));
    ASSERT_TRUE(docA);
    ASSERT_TRUE(app.OpenDocumentFile(b.c_str()));
    HMENU file = GetSubMenu(frame->m_hMenuDefault, 0);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    char text[64] = {};
    GetMenuStringA(file, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_NE(std::string(text).find("b.txt"), std::string::npos);
    EXPECT_EQ(std::string(text).substr(0, 3), "&1 ");
    EXPECT_EQ(GetMenuItemID(file, 2), winui::ID_FILE_MRU_FILE1 + 1);
    // Closing a.txt and choosing its entry opens it again and moves it up.
    winui::ScriptedMessageBoxes boxes;
    docA->OnCloseDocument();
    Command(winui::ID_FILE_MRU_FILE1 + 1);
    ASSERT_EQ(DocCount(), 2u);
    EXPECT_EQ(lstrcmpiA((*app.m_pRecentFileList)[0].c_str(), a.c_str()), 0);
    // An entry whose file is gone leaves the list after its message.
    winui::CDocument* docB = tmpl->FindOpenDocument(b.c_str());
    ASSERT_TRUE(docB);
    docB->OnCloseDocument();
    DeleteFileA(b.c_str());
    Command(winui::ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(app.m_pRecentFileList->GetCount(), 1);
}

TEST_F(MdiApp, AcceleratorsOfTheActiveChildWorkThroughTheMessageLoop)
{
    CTextDoc* doc = NewDoc();
    ASSERT_TRUE(doc);
    ACCEL accel{FVIRTKEY, VK_F5, static_cast<WORD>(ID_TEST_VIEWCMD)};
    winui::CFrameWnd* child = frame->MDIGetActive();
    child->m_hAccelTable = CreateAcceleratorTableA(&accel, 1);
    g_log.clear();
    PostMessageA(doc->GetFirstView()->m_hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    winui::PumpWaitingMessages();
    EXPECT_EQ(g_log, (std::vector<std::string>{"view Text1"}));
    DestroyAcceleratorTable(child->m_hAccelTable);
    child->m_hAccelTable = nullptr;
}

TEST_F(MdiApp, ControlF6GoesToTheNextChildThroughTheSystemAccelerators)
{
    CTextDoc* first = NewDoc();
    CTextDoc* second = NewDoc();
    ASSERT_TRUE(first && second);
    winui::CMDIChildWnd* before = frame->MDIGetActive();
    ASSERT_EQ(before->GetActiveDocument(), second);
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80; // held down for TranslateMDISysAccel
    SetKeyboardState(keys);
    PostMessageA(second->GetFirstView()->m_hWnd, WM_KEYDOWN, VK_F6, 0x00400001);
    winui::PumpWaitingMessages();
    keys[VK_CONTROL] = saved;
    SetKeyboardState(keys);
    winui::CMDIChildWnd* after = frame->MDIGetActive();
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->GetActiveDocument(), first);
}

} // namespace
