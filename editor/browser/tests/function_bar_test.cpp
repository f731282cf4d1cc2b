// The functions bar in a frame of its own, with a stand-in for the editor
// around it: the tree of C, Perl and Verilog documents, caret tracking, a
// double click that shows the definition, the Delete key (also on items
// that went away before its message arrived), the bar menu's "Copy Name",
// the browser's scan of the documents started from the bar, and with a
// workspace: its root, the project files not yet open, their context menu
// and its commands.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editor/browser/function_bar.h"
#include "editor/browser/browser_resource.h"
#include "editor/docking/dockframe.h"
#include "testing/kit/test_kit.h"

namespace {

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct FakeDoc {
    std::string path, title, text;
};

class FakeShell : public CBrowserShell {
public:
    CFunctionBar* bar = nullptr;
    std::vector<std::unique_ptr<FakeDoc>> docs;
    std::vector<std::pair<COvantaDoc*, int>> shown;
    std::vector<std::string> opened;
    std::vector<std::pair<COvantaDoc*, bool>> readOnly;
    bool showFiles = true;
    bool openSucceeds = false;
    bool refuseClose = false;
    // The open workspace: its file, its project files and those not open.
    std::string workspace;
    std::vector<std::string> project, unopened;

    COvantaDoc* Add(const std::string& path, const std::string& text)
    {
        docs.push_back(std::make_unique<FakeDoc>(FakeDoc{path, path.substr(path.find_last_of('\\') + 1), text}));
        return Doc(docs.size() - 1);
    }
    COvantaDoc* Doc(size_t i) const { return reinterpret_cast<COvantaDoc*>(docs[i].get()); }
    static FakeDoc* Of(COvantaDoc* d) { return reinterpret_cast<FakeDoc*>(d); }

    std::vector<COvantaDoc*> Documents() override
    {
        std::vector<COvantaDoc*> out;
        for (size_t i = 0; i < docs.size(); ++i)
            out.push_back(Doc(i));
        return out;
    }
    std::string DocumentPath(COvantaDoc* d) override { return Of(d)->path; }
    std::string DocumentTitle(COvantaDoc* d) override { return Of(d)->title; }
    std::string DocumentText(COvantaDoc* d) override { return Of(d)->text; }
    void ShowDocumentLine(COvantaDoc* d, int line) override { shown.emplace_back(d, line); }
    // As the program does: a project file opens relative to the current
    // folder, and its branch comes once the document is there.
    bool OpenFile(const std::string& path) override
    {
        opened.push_back(path);
        if (!openSucceeds)
            return false;
        char dir[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof dir, dir);
        std::string full = path.compare(0, 2, ".\\") == 0 ? std::string(dir) + path.substr(1) : path;
        bar->UpdateDocument(Add(full, "int opened_fn(void)\r{\r}\r"));
        return true;
    }
    // As the program does: the document tells the bar, then goes.
    void CloseDocument(COvantaDoc* d) override
    {
        if (refuseClose)
            return; // the save question answered with Cancel
        bar->DetachDocument(d);
        for (size_t i = 0; i < docs.size(); ++i)
            if (Doc(i) == d) {
                docs.erase(docs.begin() + static_cast<long>(i));
                break;
            }
    }
    void SetDocumentReadOnly(COvantaDoc* d, bool on) override { readOnly.emplace_back(d, on); }
    std::string WorkspacePath() override { return workspace; }
    std::vector<std::string> ProjectFiles() override { return project; }
    std::vector<std::string> UnopenedProjectFiles() override { return unopened; }
    std::string ProjectRelativePath(const std::string& path) override
    {
        std::string dir = workspace.substr(0, workspace.find_last_of('\\'));
        return !dir.empty() && path.compare(0, dir.size(), dir) == 0 ? "." + path.substr(dir.size()) : path;
    }
    void AddProjectFile(const std::string& rel) override { project.push_back(rel); }
    void RemoveProjectFile(const std::string& rel) override { Drop(project, rel); }
    void ForgetUnopenedProjectFile(const std::string& rel) override { Drop(unopened, rel); }
    static void Drop(std::vector<std::string>& list, const std::string& rel)
    {
        list.erase(std::remove(list.begin(), list.end(), rel), list.end());
    }
    bool ShowFilesInTree() override { return showFiles; }
    void SetShowFilesInTree(bool on) override { showFiles = on; }
};

class FunctionBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CVelloMDIFrameWndSizeDock;
        RECT r{0, 0, 700, 500};
        ASSERT_TRUE(frame->Create(nullptr, "Functions", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, &r));
        frame->EnableDocking(winui::CBRS_ALIGN_ANY);
        bar = std::make_unique<CFunctionBar>(&shell, frame->m_hWnd);
        shell.bar = bar.get();
    }
    void TearDown() override
    {
        bar.reset();
        if (frame && IsWindow(frame->m_hWnd))
            DestroyWindow(frame->m_hWnd);
        Pump();
    }
    void Make(FunctionListMode mode)
    {
        ASSERT_TRUE(bar->Create(frame, mode));
        frame->DockControlBar(bar.get(), winui::AFX_IDW_DOCKBAR_LEFT);
        bar->RebuildTree();
    }
    HWND Tree() const { return bar->TreeWindow(); }
    HTREEITEM Next(HTREEITEM item, UINT code) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    std::string Text(HTREEITEM item) const
    {
        char buf[256] = "";
        TVITEMA tv{};
        tv.mask = TVIF_TEXT | TVIF_IMAGE;
        tv.hItem = item;
        tv.pszText = buf;
        tv.cchTextMax = sizeof buf;
        SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return std::string(buf) + "/" + std::to_string(tv.iImage);
    }
    // The tree as lines: two blanks of indent per level, "label/image".
    void Walk(HTREEITEM parent, int level, std::vector<std::string>& out) const
    {
        for (HTREEITEM i = Next(parent, parent ? TVGN_CHILD : TVGN_ROOT); i; i = Next(i, TVGN_NEXT)) {
            out.push_back(std::string(static_cast<size_t>(level) * 2, ' ') + Text(i));
            Walk(i, level + 1, out);
        }
    }
    std::vector<std::string> TreeLines() const
    {
        std::vector<std::string> out;
        Walk(nullptr, 0, out);
        return out;
    }
    HTREEITEM Find(const std::string& label, HTREEITEM parent = nullptr) const
    {
        for (HTREEITEM i = Next(parent, parent ? TVGN_CHILD : TVGN_ROOT); i; i = Next(i, TVGN_NEXT)) {
            if (Text(i).substr(0, Text(i).rfind('/')) == label)
                return i;
            if (HTREEITEM inner = Find(label, i))
                return inner;
        }
        return nullptr;
    }
    void DoubleClick(HTREEITEM item)
    {
        SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        NMHDR nm{Tree(), IDC_FUNCTION_TREE, static_cast<UINT>(NM_DBLCLK)};
        SendMessageA(bar->m_hWnd, WM_NOTIFY, IDC_FUNCTION_TREE, reinterpret_cast<LPARAM>(&nm));
    }

    CVelloMDIFrameWndSizeDock* frame = nullptr;
    FakeShell shell;
    std::unique_ptr<CFunctionBar> bar;
};

using Lines = std::vector<std::string>;

const char kCSource[] =
    "int zeta(int a)\r{\r    return a;\r}\r"
    "class Box {\r    int w;\r};\r"
    "int Box::Width()\r{\r    return w;\r}\r"
    "Box::~Box()\r{\r}\r"
    "static void alpha(void)\r{\r}\r";

TEST_F(FunctionBarTest, TreeOfCDocuments)
{
    shell.Add("C:\\src\\main.c", kCSource);
    shell.Add("C:\\src\\empty.h", "/* nothing */\r");
    Make(FunctionListMode::kC);
    // Nodes of files outside a project (image 16); by image, so functions
    // (0) before classes (4); names without case, "~" not counted.
    EXPECT_EQ(TreeLines(), (Lines{"empty.h/16", "main.c/16", "  alpha/0", "  zeta/0", "  Box/4", "    ~Box/0",
                                  "    Width/0"}));
    char caption[64] = "";
    GetWindowTextA(bar->m_hWnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "C/C++ -Functions");
}

TEST_F(FunctionBarTest, TreeOfPerlAndVerilogDocuments)
{
    shell.Add("C:\\src\\tool.pl", "sub beta {\r  return 1;\r}\rsub Alpha {\r}\r");
    Make(FunctionListMode::kPerl);
    EXPECT_EQ(TreeLines(), (Lines{"tool.pl/16", "  Alpha/17", "  beta/17"}));

    shell.docs.clear();
    shell.Add("C:\\hw\\top.v",
              "module top(clk, q);\r"
              "  input clk;\r"
              "  output q;\r"
              "  assign q = clk;\r"
              "  always @(posedge clk) begin : run\r  end\r"
              "endmodule\r"
              "task blink;\rendtask\r");
    bar->SetMode(FunctionListMode::kVerilog);
    bar->RebuildTree();
    Lines lines = TreeLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "top.v/16");
    // The module with its three groups, the task beside it.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "    top/13"), lines.end()) << ::testing::PrintToString(lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "    top/14"), lines.end()) << ::testing::PrintToString(lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "    top/15"), lines.end()) << ::testing::PrintToString(lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "      clk/10"), lines.end()) << ::testing::PrintToString(lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "      q/11"), lines.end()) << ::testing::PrintToString(lines);
    // Without file nodes the symbols stand at the top.
    shell.showFiles = false;
    bar->RebuildTree();
    lines = TreeLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("/"), std::string::npos);
    EXPECT_EQ(bar->DocumentNode(shell.Doc(0)), nullptr);
}

TEST_F(FunctionBarTest, CaretTrackingAndDoubleClick)
{
    COvantaDoc* doc = shell.Add("C:\\src\\main.c", kCSource);
    Make(FunctionListMode::kC);
    HTREEITEM node = bar->DocumentNode(doc);
    ASSERT_NE(node, nullptr);
    // Collapsed: the node holds the mark.
    bar->TrackCaret(doc, 1);
    EXPECT_EQ(bar->MarkedItem(), node);
    SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    bar->TrackCaret(doc, 2);
    EXPECT_EQ(bar->MarkedItem(), Find("zeta"));
    bar->TrackCaret(doc, 9); // in Box::Width, under its class node
    EXPECT_EQ(bar->MarkedItem(), Find("Width"));
    bar->TrackCaret(doc, 5); // between functions
    EXPECT_EQ(bar->MarkedItem(), node);

    DoubleClick(Find("zeta"));
    DoubleClick(Find("Box")); // an item with children: no line
    DoubleClick(node);
    ASSERT_EQ(shell.shown.size(), 3u);
    EXPECT_EQ(shell.shown[0], std::make_pair(doc, 0));
    EXPECT_EQ(shell.shown[1], std::make_pair(doc, -1));
    EXPECT_EQ(shell.shown[2], std::make_pair(doc, -1));
}

TEST_F(FunctionBarTest, DeleteKeyAndItemsThatWentAway)
{
    COvantaDoc* a = shell.Add("C:\\src\\a.c", "int fa(void)\r{\r}\r");
    shell.Add("C:\\src\\b.c", "int fb(void)\r{\r}\r");
    Make(FunctionListMode::kC);
    HTREEITEM fa = Find("fa");
    ASSERT_NE(fa, nullptr);
    // Before any double click the key does nothing.
    SendMessageA(bar->m_hWnd, WM_FUNCTION_DELETE_KEY, VK_DELETE, reinterpret_cast<LPARAM>(fa));
    EXPECT_EQ(shell.docs.size(), 2u);
    DoubleClick(fa);
    // The key on the tree: the document closes and its items go, once.
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(fa));
    SendMessageA(Tree(), WM_KEYDOWN, VK_DELETE, 0);
    Pump();
    ASSERT_EQ(shell.docs.size(), 1u);
    EXPECT_EQ(bar->DocumentNode(a), nullptr);
    EXPECT_EQ(bar->Record(fa), nullptr);
    // Late messages with the gone item, and a made-up one, do nothing.
    for (int i = 0; i < 3; ++i) {
        PostMessageA(bar->m_hWnd, WM_FUNCTION_DELETE_KEY, VK_DELETE, reinterpret_cast<LPARAM>(fa));
        PostMessageA(bar->m_hWnd, WM_FUNCTION_CONTEXT, 0, reinterpret_cast<LPARAM>(fa));
    }
    PostMessageA(bar->m_hWnd, WM_FUNCTION_DELETE_KEY, VK_DELETE, 0x1234);
    Pump();
    EXPECT_EQ(shell.docs.size(), 1u);
    EXPECT_EQ(TreeLines(), (Lines{"b.c/16", "  fb/0"}));
    // A rebuild, a closed document and the bar's end free the rest.
    bar->RebuildTree();
    bar->DetachDocument(shell.Doc(0));
    EXPECT_TRUE(TreeLines().empty());
}

TEST_F(FunctionBarTest, BarMenuGetsCopyName)
{
    shell.Add("C:\\src\\a.c", "int fa(void)\r{\r}\r");
    Make(FunctionListMode::kC);
    auto items = [&] {
        HMENU menu = CreatePopupMenu();
        SendMessageA(bar->m_hWnd, WM_FUNCTION_BAR_MENU, 0, reinterpret_cast<LPARAM>(menu));
        std::vector<std::string> out;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = "";
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            out.push_back(text + std::string("=") + std::to_string(GetMenuItemID(menu, i)));
        }
        DestroyMenu(menu);
        return out;
    };
    EXPECT_TRUE(items().empty()); // nothing selected
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Find("fa")));
    EXPECT_EQ(items(), (std::vector<std::string>{"Copy Name=61559"}));
    // The docking library's own menu passes through the bar too.
    HMENU menu = CreatePopupMenu();
    SendMessageA(bar->m_hWnd, WM_SIZEBAR_EXTENDMENU, 0, reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    DestroyMenu(menu);
    SendMessageA(bar->m_hWnd, WM_COMMAND, ID_COPY_NAME, 0);
    std::string copied;
    if (OpenClipboard(nullptr)) {
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            copied = static_cast<const char*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
    }
    EXPECT_EQ(copied, "fa");
}

TEST_F(FunctionBarTest, BrowserScansCopiesOfTheDocuments)
{
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "#define D" + std::to_string(i) + " 1\rint f" + std::to_string(i) + "(int a)\r{\r    return a;\r}\r";
    shell.Add("C:\\src\\big.c", text);
    Make(FunctionListMode::kC);
    CTagConfig config;
    config.flags = kBrowseDefines | kBrowseFunctions;
    EXPECT_FALSE(bar->StartBrowseThread(config, false)); // automatic browsing off
    // Start, let the document change under it (the scan has its copy), stop
    // and start again many times.
    for (int round = 0; round < 30; ++round) {
        bar->StartBrowseThread(config, true);
        shell.docs[0]->text += "int g" + std::to_string(round) + "(void)\r{\r}\r";
        if (round % 3 == 0)
            bar->Browser().Stop();
    }
    bar->Browser().Stop();
    ASSERT_TRUE(bar->StartBrowseThread(config, true));
    while (!bar->Browser().IsIdle())
        Sleep(5);
    std::shared_ptr<CBrowserMaps> maps = bar->Browser().Maps();
    EXPECT_EQ(maps->functions.GetKeyCount(), 430u);
    EXPECT_EQ(maps->defines.GetKeyCount(), 400u);
    EXPECT_FALSE(bar->IsEmpty());
    // Emptied maps come in; a reader keeps the ones it holds.
    bar->ClearSymbols();
    EXPECT_TRUE(bar->IsEmpty());
    EXPECT_EQ(maps->functions.GetKeyCount(), 430u);
    // The status texts reach the frame as posted messages.
    MSG msg;
    bool status = false;
    while (PeekMessageA(&msg, frame->m_hWnd, WM_USER + 0x21, WM_USER + 0x21, PM_REMOVE))
        status = status || std::string(reinterpret_cast<const char*>(msg.wParam)) == "Search for functions...";
    EXPECT_TRUE(status);
}

// --- with a workspace ------------------------------------------------------------

class WorkspaceBarTest : public FunctionBarTest {
protected:
    void SetUp() override
    {
        FunctionBarTest::SetUp();
        dir = host_path(TEST_TMP_DIR) + "\\ws";
        std::error_code ignored;
        std::filesystem::create_directories(dir, ignored);
        for (const char* name : {"a.c", "other.c", "notopen.c"}) {
            std::string file = dir + "\\" + name;
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE);
            CloseHandle(h);
        }
        DeleteFileA((dir + "\\gone.c").c_str());
        shell.workspace = dir + "\\demo.wsp";
        shell.project = {".\\a.c", ".\\notopen.c", ".\\gone.c"};
        shell.unopened = {".\\notopen.c", ".\\gone.c"};
        a = shell.Add(dir + "\\a.c", "int fa(void)\r{\r}\r");
        other = shell.Add(dir + "\\other.c", "int fo(void)\r{\r}\r");
    }
    void TearDown() override
    {
        SetFileAttributesA((dir + "\\other.c").c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA((dir + "\\a.c").c_str(), FILE_ATTRIBUTE_NORMAL);
        FunctionBarTest::TearDown();
    }
    // The context menu's entries as "text=id", greyed ones marked "-".
    std::vector<std::string> MenuOf(HTREEITEM item)
    {
        std::vector<std::string> out;
        HMENU menu = bar->MakeContextMenu(item);
        if (!menu)
            return out;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = "";
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            out.push_back(std::string(state & MF_GRAYED ? "-" : "") + text + "=" +
                          std::to_string(GetMenuItemID(menu, i)));
        }
        DestroyMenu(menu);
        return out;
    }
    void Command(UINT id) { SendMessageA(bar->m_hWnd, WM_COMMAND, id, 0); }
    bool ReadOnlyOnDisk(const char* name) const
    {
        return (GetFileAttributesA((dir + "\\" + name).c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
    }

    std::string dir;
    COvantaDoc* a = nullptr;
    COvantaDoc* other = nullptr;
};

using Files = std::vector<std::string>;

TEST_F(WorkspaceBarTest, RootOpenDocumentsAndProjectFiles)
{
    Make(FunctionListMode::kC);
    // The project's files (1 when open, 2 when not) before the other file.
    EXPECT_EQ(TreeLines(), (Lines{"demo.wsp/3", "  a.c/1", "    fa/0", "  gone.c/2", "  notopen.c/2", "  other.c/16",
                                  "    fo/0"}));
    EXPECT_EQ(bar->RootItem(), Next(nullptr, TVGN_ROOT));
    EXPECT_NE(bar->DocumentNode(a), nullptr);
    // Tips: the full path over files, nothing over symbols and the root; the
    // tree asks the bar through its notification.
    auto tip = [&](HTREEITEM item) {
        char text[MAX_PATH] = "x";
        NMTVGETINFOTIPA nm{};
        nm.hdr = {Tree(), IDC_FUNCTION_TREE, static_cast<UINT>(TVN_GETINFOTIPA)};
        nm.pszText = text;
        nm.cchTextMax = sizeof text;
        nm.hItem = item;
        SendMessageA(bar->m_hWnd, WM_NOTIFY, IDC_FUNCTION_TREE, reinterpret_cast<LPARAM>(&nm));
        return std::string(text);
    };
    EXPECT_EQ(tip(Find("a.c")), dir + "\\a.c");
    EXPECT_EQ(tip(Find("notopen.c")), dir + "\\notopen.c");
    EXPECT_EQ(tip(Find("fa")), "");
    EXPECT_EQ(tip(bar->RootItem()), "");
    EXPECT_NE(GetWindowLongA(Tree(), GWL_STYLE) & TVS_INFOTIP, 0);

    // A project file that opens: its item becomes the document's node.
    shell.openSucceeds = true;
    DoubleClick(Find("notopen.c"));
    EXPECT_EQ(shell.opened, (Files{".\\notopen.c"}));
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(std::string(cwd), dir);
    EXPECT_EQ(shell.unopened, (Files{".\\gone.c"}));
    // One that cannot be opened leaves the tree and the project.
    shell.openSucceeds = false;
    DoubleClick(Find("gone.c"));
    EXPECT_TRUE(shell.unopened.empty());
    EXPECT_EQ(shell.project, (Files{".\\a.c", ".\\notopen.c"}));
    EXPECT_EQ(TreeLines(), (Lines{"demo.wsp/3", "  a.c/1", "    fa/0", "  notopen.c/1", "    opened_fn/0",
                                  "  other.c/16", "    fo/0"}));

    // Closing: a project file stays as a file item, the other file goes.
    shell.CloseDocument(a);
    shell.CloseDocument(other);
    EXPECT_EQ(TreeLines(), (Lines{"demo.wsp/3", "  a.c/2", "  notopen.c/1", "    opened_fn/0"}));
    const CSymbolInfo* r = bar->Record(Find("a.c"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->document, nullptr);
    EXPECT_EQ(r->file.value_or(""), ".\\a.c");
    // The same with the symbols kept apart from the file nodes.
    shell.showFiles = false;
    shell.CloseDocument(shell.Doc(0));
    EXPECT_EQ(TreeLines(), (Lines{"demo.wsp/3", "  a.c/2", "  notopen.c/2"}));
}

TEST_F(WorkspaceBarTest, ContextMenuAndItsCommands)
{
    SetFileAttributesA((dir + "\\other.c").c_str(), FILE_ATTRIBUTE_READONLY);
    Make(FunctionListMode::kC);
    // Symbols and the root get no menu.
    EXPECT_TRUE(MenuOf(Find("fa")).empty());
    EXPECT_TRUE(MenuOf(bar->RootItem()).empty());
    EXPECT_EQ(MenuOf(Find("a.c")), (Files{"-Add file to the project=32953", "Remove file from project=32954",
                                          "Copy Name=61559", "Close File=32992", "Set Readonly=32994"}));
    EXPECT_EQ(MenuOf(Find("other.c")), (Files{"Add file to the project=32953", "-Remove file from project=32954",
                                              "Copy Name=61559", "Close File=32992", "Set Writable=32993"}));
    EXPECT_EQ(MenuOf(Find("notopen.c")), (Files{"-Add file to the project=32953", "Remove file from project=32954",
                                                "Copy Name=61559", "Set Readonly=32994"}));

    // Add: the node shows a project file.
    MenuOf(Find("other.c"));
    Command(ID_ADD_TO_PROJECT);
    EXPECT_EQ(shell.project, (Files{".\\a.c", ".\\notopen.c", ".\\gone.c", ".\\other.c"}));
    EXPECT_EQ(Text(Find("other.c")), "other.c/1");
    EXPECT_EQ(bar->ContextItem(), nullptr);
    // Read-only on disk and in the editor, and back.
    MenuOf(Find("other.c"));
    Command(ID_SET_WRITABLE);
    EXPECT_FALSE(ReadOnlyOnDisk("other.c"));
    MenuOf(Find("a.c"));
    Command(ID_SET_READONLY);
    EXPECT_TRUE(ReadOnlyOnDisk("a.c"));
    EXPECT_EQ(shell.readOnly, (std::vector<std::pair<COvantaDoc*, bool>>{{other, false}, {a, true}}));
    // Remove: an open document's node stays, outside the project; a file not
    // open leaves the tree.
    MenuOf(Find("a.c"));
    Command(ID_REMOVE_FROM_PROJECT);
    EXPECT_EQ(Text(Find("a.c")), "a.c/16");
    MenuOf(Find("notopen.c"));
    Command(ID_REMOVE_FROM_PROJECT);
    EXPECT_EQ(Find("notopen.c"), nullptr);
    EXPECT_EQ(shell.project, (Files{".\\gone.c", ".\\other.c"}));
    EXPECT_EQ(shell.unopened, (Files{".\\gone.c"}));
    // Copy Name takes the item under the click; Close File its document.
    MenuOf(Find("other.c"));
    Command(ID_COPY_NAME);
    std::string copied;
    if (OpenClipboard(nullptr)) {
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            copied = static_cast<const char*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
    }
    EXPECT_EQ(copied, "other.c");
    MenuOf(Find("other.c"));
    Command(ID_CLOSE_FILE);
    EXPECT_EQ(shell.docs.size(), 1u);
    EXPECT_EQ(Text(Find("other.c")), "other.c/2");

    // A context item that went before its command: nothing happens.
    MenuOf(Find("a.c"));
    bar->RebuildTree();
    Command(ID_ADD_TO_PROJECT);
    Command(ID_CLOSE_FILE);
    EXPECT_EQ(shell.project, (Files{".\\gone.c", ".\\other.c"}));
    EXPECT_EQ(shell.docs.size(), 1u);
}

bool g_menuShown = false;

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR, DWORD)
{
    g_menuShown = true;
    EndMenu();
}

// The menu that a right click brings shows at the click and goes when
// dismissed; the click's item was live, so nothing else changes.
TEST_F(WorkspaceBarTest, RightClickShowsTheMenu)
{
    Make(FunctionListMode::kC);
    g_menuShown = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, EndMenuLater);
    RECT r{};
    HTREEITEM item = Find("a.c");
    std::memcpy(&r, &item, sizeof item); // the message takes the item in the rectangle
    ASSERT_TRUE(SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    SendMessageA(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
    Pump();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_menuShown);
    EXPECT_EQ(bar->ContextItem(), nullptr);
    EXPECT_EQ(shell.project.size(), 3u);
}

TEST_F(WorkspaceBarTest, DeleteKeyTakesTheFileOutOfTheProject)
{
    Make(FunctionListMode::kC);
    DoubleClick(Find("fa"));
    // The user keeps the document open: all stays.
    shell.refuseClose = true;
    SendMessageA(bar->m_hWnd, WM_FUNCTION_DELETE_KEY, VK_DELETE, reinterpret_cast<LPARAM>(Find("fa")));
    EXPECT_EQ(shell.docs.size(), 2u);
    EXPECT_NE(Find("fa"), nullptr);
    EXPECT_EQ(shell.project.size(), 3u);
    shell.refuseClose = false;
    SendMessageA(bar->m_hWnd, WM_FUNCTION_DELETE_KEY, VK_DELETE, reinterpret_cast<LPARAM>(Find("fa")));
    EXPECT_EQ(shell.docs.size(), 1u);
    EXPECT_EQ(shell.project, (Files{".\\notopen.c", ".\\gone.c"}));
    EXPECT_EQ(Find("a.c"), nullptr);
    // A project file not open: it leaves both lists.
    DoubleClick(Find("fo"));
    SendMessageA(bar->m_hWnd, WM_FUNCTION_DELETE_KEY, VK_DELETE, reinterpret_cast<LPARAM>(Find("gone.c")));
    EXPECT_EQ(shell.project, (Files{".\\notopen.c"}));
    EXPECT_EQ(shell.unopened, (Files{".\\notopen.c"}));
    EXPECT_EQ(TreeLines(), (Lines{"demo.wsp/3", "  notopen.c/2", "  other.c/16", "    fo/0"}));
}

// Verilog without file nodes: the modules stand under the root and the
// open document's project file item goes.
TEST_F(WorkspaceBarTest, VerilogSymbolsUnderTheRoot)
{
    shell.docs.clear();
    shell.project = {".\\top.v", ".\\notopen.c"};
    shell.unopened = {".\\top.v", ".\\notopen.c"};
    shell.showFiles = false;
    Make(FunctionListMode::kVerilog);
    EXPECT_EQ(TreeLines(), (Lines{"demo.wsp/3", "  notopen.c/2", "  top.v/2"}));
    COvantaDoc* v = shell.Add(dir + "\\top.v", "module top(clk);\r  input clk;\rendmodule\r");
    bar->UpdateDocument(v);
    Lines lines = TreeLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Find("top.v"), nullptr) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[1], "  notopen.c/2");
    EXPECT_EQ(lines[2], "  top/5");
    EXPECT_EQ(shell.unopened, (Files{".\\notopen.c"}));
}

} // namespace

