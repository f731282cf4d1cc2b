// The output pane in a test window: chunks appended, keys never changing
// the text, double clicks that go to the source place through a fake shell,
// "Next Error", and a real assembler run whose diagnostic leads to the line.
#include "editor/tools/output_edit.h"
#include "editor/tools/tool_runner.h"
#include "editor/tools/tool_shell.h"
#include "testing/kit/test_kit.h"
#include "winui/msgbox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char kFrameClass[] = "OutputPaneTestFrame";

// The shell as the pane sees it: documents are edit controls in the frame.
class CFakeShell : public CToolShell {
public:
    explicit CFakeShell(HWND frame) : frame_(frame) {}

    struct Doc {
        std::string path;
        std::unique_ptr<CColorEdit> edit;
    };
    std::vector<Doc> docs;
    std::vector<std::string> opened;   // OpenDocument calls
    std::vector<int> shownLines;        // ShowDocumentLine lines
    int active = -1;
    std::string format = "Borland";
    std::string statusBar;
    // Files the fake can open, with their texts.
    std::vector<std::pair<std::string, std::string>> disk;

    int AddDoc(const std::string& path, const std::string& text)
    {
        Doc d;
        d.path = path;
        d.edit = std::make_unique<CColorEdit>();
        RECT r{300, 10, 500, 200};
        d.edit->Create("", WS_CHILD | WS_VISIBLE | WS_VSCROLL, r, frame_, 100 + docs.size());
        d.edit->Core().SetText(text.c_str());
        docs.push_back(std::move(d));
        return static_cast<int>(docs.size()) - 1;
    }

    std::vector<std::string> DocumentPaths() override
    {
        std::vector<std::string> paths;
        for (const Doc& d : docs)
            paths.push_back(d.path);
        return paths;
    }
    CColorEdit* DocumentEditor(int index) override { return docs.at(index).edit.get(); }
    int ActiveDocument() override { return active; }
    int OpenDocument(const std::string& path) override
    {
        opened.push_back(path);
        for (const auto& f : disk)
            if (f.first == path)
                return AddDoc(path, f.second);
        return -1;
    }
    void ShowDocumentLine(int index, int line) override
    {
        active = index;
        shownLines.push_back(line);
    }
    void UpdateStatusBar(int line, int column, int offset) override
    {
        statusBar = std::to_string(line) + ":" + std::to_string(column);
    }
    std::string CurrentToolFormat() override { return format; }
    std::string ExpandToolMacros(const std::string& text) override { return text; }
    std::string ProfilePath() override { return ""; }

private:
    HWND frame_;
};

HWND Frame()
{
    static HWND frame;
    if (!frame) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kFrameClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassA(&wc);
        frame = CreateWindowExA(0, kFrameClass, "Output pane test",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 700,
                                400, nullptr, nullptr, nullptr, nullptr);
    }
    return frame;
}

class OutputPane : public ::testing::Test {
protected:
    void SetUp() override
    {
        RECT r{0, 0, 280, 300};
        ASSERT_TRUE(pane.Create("Ausgabe", 0x543010C4, r, Frame(), 1));
        pane.m_nKind = kPaneOutput;
        pane.SetShell(&shell);
        pane.SetRunner(&runner);
    }
    void Append(const char* text) { SendMessageA(pane, WM_TOOL_OUTPUT, 0, reinterpret_cast<LPARAM>(text)); }
    // A double click on the pane's row.
    void DoubleClick(int row)
    {
        int y = row * pane.GetCharSize().cy + pane.GetCharSize().cy / 2;
        SendMessageA(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, y));
    }
    std::pair<int, int> Sel(CColorEdit& e)
    {
        int s = 0, en = 0;
        e.GetSel(s, en);
        return {s, en};
    }

    CFakeShell shell{Frame()};
    CToolRunner runner;
    COutputEdit pane;
};

template <class Condition>
bool PumpUntil(Condition done, DWORD timeout = 60000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeout)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

} // namespace

TEST_F(OutputPane, ChunksAreAppendedAndKeysChangeNothing)
{
    Append("gravik\r\r");
    Append("main.a51 3: Error: x\r");
    EXPECT_EQ(pane.GetPaneText(), "gravik\r\rmain.a51 3: Error: x\r");
    // No tool runs: typed keys go nowhere, the text stays.
    SendMessageA(pane, WM_CHAR, 'a', 0);
    SendMessageA(pane, WM_CHAR, '\r', 0);
    SendMessageA(pane, WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(pane, WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(pane.GetPaneText(), "gravik\r\rmain.a51 3: Error: x\r");
    // A search filler's long line shows its first 800 characters.
    pane.AppendLine(std::string(1000, 'x'));
    std::string text = pane.GetPaneText();
    EXPECT_EQ(text.size() - text.rfind('\r') - 1, 800u);
}

TEST_F(OutputPane, DoubleClickGoesToTheDiagnosticsLine)
{
    int doc = shell.AddDoc("C:\\prj\\main.a51", "l1\rl2\rline three\rl4");
    Append("gravik\r\rMAIN.A51 3: Error: unknown mnemonic\rmain.a51 99: Error: far\r");
    DoubleClick(2);
    ASSERT_EQ(shell.shownLines, std::vector<int>{3});
    EXPECT_EQ(shell.active, doc);
    EXPECT_EQ(Sel(*shell.docs[doc].edit), std::make_pair(6, 16)); // the whole line
    EXPECT_EQ(shell.statusBar, "3:1");
    EXPECT_TRUE(shell.docs[doc].edit->HasFocus());
    EXPECT_TRUE(shell.opened.empty());
    // The clicked line is selected in the pane.
    EXPECT_EQ(Sel(pane), std::make_pair(8, 43));

    // A line beyond the document's end: the caret goes to its last line.
    DoubleClick(3);
    EXPECT_EQ(Sel(*shell.docs[doc].edit), std::make_pair(17, 19));
}

TEST_F(OutputPane, AFileNotOpenIsOpenedFromTheRunsFolder)
{
    winui::ScriptedMessageBoxes boxes;
    pane.m_strBaseDir = "C:\\prj";
    shell.disk.push_back({"C:\\prj\\util.a51", "a\rb\rc"});
    Append("gravik\r\rutil.a51 2: Warning: w\rgone.a51 1: Error: e\r");
    DoubleClick(2);
    ASSERT_EQ(shell.opened, std::vector<std::string>{"C:\\prj\\util.a51"});
    ASSERT_EQ(shell.docs.size(), 1u);
    EXPECT_EQ(Sel(*shell.docs[0].edit), std::make_pair(2, 3));
    // A file that cannot be opened: nothing more happens.
    DoubleClick(3);
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.shownLines.size(), 1u);
}

TEST_F(OutputPane, WithoutAKnownFormatOnlyTheLineIsSelected)
{
    shell.AddDoc("C:\\prj\\main.a51", "l1\rl2\rl3");
    shell.format = "None";
    Append("cmd\r\rmain.a51 2: Error: x\r");
    DoubleClick(2);
    EXPECT_TRUE(shell.shownLines.empty());
    EXPECT_EQ(Sel(pane), std::make_pair(5, 25));
    // "Clear" while no tool runs: the pane has no kind, a double click does nothing.
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_CLEAR, 0);
    EXPECT_EQ(pane.GetPaneText(), "");
    EXPECT_EQ(pane.m_nKind, kPaneNone);
    shell.format = "Borland";
    Append("main.a51 2: Error: x\r");
    DoubleClick(0);
    EXPECT_TRUE(shell.shownLines.empty());
}

TEST_F(OutputPane, SearchResultsSelectTheHit)
{
    int doc = shell.AddDoc("C:\\a\\b.c", "zero\rone\rtwo x y\r");
    pane.m_nKind = kPaneSearchResults;
    pane.m_strSearchText = "y";
    pane.m_nSearchFlags = kFindForward;
    pane.AppendLine("c:\\A\\B.C(3,5): two x y");
    pane.AppendLine("c:\\A\\B.C(3,0): column 0");
    DoubleClick(0);
    EXPECT_EQ(Sel(*shell.docs[doc].edit), std::make_pair(15, 16)); // the "y" after column 4
    DoubleClick(1);
    EXPECT_EQ(Sel(*shell.docs[doc].edit), std::make_pair(15, 16)); // column -1 kept in the line
}

TEST_F(OutputPane, NextErrorFindsWholeWordsAndWraps)
{
    Append("Error one\rerrors\rwarning\rsecond error\r");
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_NEXT_ERROR, 0);
    EXPECT_EQ(Sel(pane), std::make_pair(0, 5));
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_NEXT_ERROR, 0);
    EXPECT_EQ(Sel(pane), std::make_pair(32, 37));
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_NEXT_ERROR, 0);
    EXPECT_EQ(Sel(pane), std::make_pair(0, 5));
    SendMessageA(pane, WM_COMMAND, ID_OUTPUT_NEXT_WARNING, 0);
    EXPECT_EQ(Sel(pane), std::make_pair(17, 24));
}

#ifdef MORRIN_PATH
TEST_F(OutputPane, AssemblerRunToTheSourceLine)
{
    std::string dir = test_folder("asm");
    write_file(dir + "/bad.a51", "        .segment reset,org 0\n        nop\n        movx @dptr\n");
    pane.m_strBaseDir = host_path(dir);
    std::string path = host_path(dir) + "\\bad.a51";
    shell.disk.push_back({path, "        .segment reset,org 0\r        nop\r        movx @dptr\r"});
    std::string morrin = host_path(MORRIN_PATH);
    std::string command = morrin + " bad.a51";
    pane.SetPaneText((command + "\r\r").c_str());
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kCapture, morrin, command, host_path(dir), pane,
                             pane));
    ASSERT_TRUE(PumpUntil([&] { return !runner.IsRunning(); }));
    runner.Wait(5000);
    std::string text = pane.GetPaneText();
    size_t at = text.find("bad.a51 3: Error");
    ASSERT_NE(at, std::string::npos) << text;
    int row = 0;
    for (size_t i = 0; i < at; ++i)
        row += text[i] == '\r';
    DoubleClick(row);
    ASSERT_EQ(shell.docs.size(), 1u);
    EXPECT_EQ(shell.shownLines, std::vector<int>{3});
    EXPECT_EQ(Sel(*shell.docs[0].edit).first, 41);
}
#endif

TEST_F(OutputPane, LoadsTheRedirectFile)
{
    write_file(CToolRunner::RedirectFilePath(), "first\r\nsecond\nthird\r\n");
    pane.m_nNextMessage = 7;
    Append("old text\r");
    SendMessageA(pane, WM_TOOL_LOADREDIRECT, 0, 0);
    EXPECT_EQ(pane.GetPaneText().substr(0, 18), "first\rsecond\rthird");
    EXPECT_EQ(pane.m_nNextMessage, -1);
    int start = 0, end = 0;
    pane.GetSel(start, end);
    EXPECT_EQ(start, pane.GetTextLength());
}
