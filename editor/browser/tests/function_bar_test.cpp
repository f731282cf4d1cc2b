// The functions bar in a frame of its own, with a stand-in for the editor
// around it: the tree of C, Perl and Verilog documents, caret tracking, a
// double click that shows the definition, the Delete key (also on items
// that went away before its message arrived), the bar menu's "Copy Name",
// and the browser's scan of the documents started from the bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editor/browser/function_bar.h"
#include "editor/browser/browser_resource.h"
#include "editor/docking/dockframe.h"

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
    bool showFiles = true;

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
    bool OpenFile(const std::string& path) override
    {
        opened.push_back(path);
        return false;
    }
    // As the program does: the document tells the bar, then goes.
    void CloseDocument(COvantaDoc* d) override
    {
        bar->DetachDocument(d);
        for (size_t i = 0; i < docs.size(); ++i)
            if (Doc(i) == d) {
                docs.erase(docs.begin() + static_cast<long>(i));
                break;
            }
    }
    std::string WorkspacePath() override { return std::string(); }
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
    // The status texts reach the frame as posted messages.
    MSG msg;
    bool status = false;
    while (PeekMessageA(&msg, frame->m_hWnd, WM_USER + 0x21, WM_USER + 0x21, PM_REMOVE))
        status = status || std::string(reinterpret_cast<const char*>(msg.wParam)) == "Search for functions...";
    EXPECT_TRUE(status);
}

} // namespace
