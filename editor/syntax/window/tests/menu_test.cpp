// The context menu: its entries as the state of the editor sets them, and
// every command chosen from it, as a table of cases.
#include "menu_probe.h"
#include "syntax_host.h"

#include "editor/editctl/window/tests/test_host.h"
#include "winui/clipboard.h"

#include <gtest/gtest.h>

namespace {

struct MenuHost : CSyntaxHost {
    MenuHost() : CSyntaxHost(std::make_unique<CMenuProbe>()) {}
    CMenuProbe& Probe() { return static_cast<CMenuProbe&>(*edit); }
    // A right click on a cell, choosing the command (0: none).
    void RightClick(int column, int row, UINT choose = 0, int modifiers = 0)
    {
        Probe().choose = choose;
        POINT pt = Cell(column, row);
        CHeldModifiers held(modifiers);
        edit->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        edit->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
};

void SetClipboard(HWND owner, const std::string& text)
{
    winui::CClipboard clip(owner);
    clip.Empty();
    clip.SetText(text);
}

std::string Clipboard(HWND owner)
{
    std::string text;
    winui::CClipboard clip(owner);
    clip.GetText(text);
    return text;
}

bool Recorded(const CFakeShell& shell, UINT id)
{
    for (const auto& e : shell.macro)
        if (e.value == static_cast<intptr_t>(id) && e.kind == kMacroCommand)
            return true;
    return false;
}

struct Extended {
    Extended() { GetSyntaxEditSettings().extContextMenu = 1; }
    ~Extended() { GetSyntaxEditSettings().extContextMenu = 0; }
};

} // namespace

TEST(ContextMenu, EntriesFollowSelectionReadOnlyAndWord)
{
    MenuHost host;
    SetClipboard(host.edit->m_hWnd, "clip");
    host.SetText("int value;", 4, 9);
    host.edit->SetReadOnly(1);
    host.RightClick(5, 0);
    CMenuProbe& p = host.Probe();
    ASSERT_EQ(p.shown, 1);
    EXPECT_FALSE(p.Find(ID_EDIT_CUT_CMD)->enabled);
    EXPECT_FALSE(p.Find(ID_EDIT_PASTE_CMD)->enabled);
    EXPECT_TRUE(p.Find(ID_EDIT_COPY_CMD)->enabled);
    EXPECT_TRUE(p.Find(ID_EDIT_COPYAPPEND)->enabled);
    EXPECT_EQ(p.Find(ID_EDIT_SEARCH)->text, "Search for:  value");
    EXPECT_TRUE(p.Find(ID_EDIT_UPPER)->enabled);
    EXPECT_NE(p.Find(ID_EDIT_RELOAD), nullptr);

    host.edit->SetReadOnly(0);
    host.SetText("x = averyveryverylongname1;", 0);
    host.RightClick(6, 0);
    EXPECT_EQ(p.Find(ID_EDIT_SEARCH)->text, "Search for:  averyveryver...");
    EXPECT_FALSE(p.Find(ID_EDIT_CUT_CMD)->enabled);
    EXPECT_TRUE(p.Find(ID_EDIT_PASTE_CMD)->enabled);
    EXPECT_FALSE(p.Find(ID_EDIT_UPPER)->enabled);
    EXPECT_FALSE(p.Find(ID_EDIT_INDENTMOVE)->enabled);
    EXPECT_EQ(p.FindText("Insert Macro..."), nullptr) << "extended menu is off";

    host.SetText("a\rb\rc", 0, 3);
    host.RightClick(0, 0);
    EXPECT_TRUE(p.Find(ID_EDIT_INDENTMOVE)->enabled);
}

TEST(ContextMenu, BracketEntriesBookmarkAndAutoCopy)
{
    MenuHost host;
    CMenuProbe& p = host.Probe();
    // The bracket at the caret or the nearest before it on its line.
    host.SetText("f(a[1]) {", 4);
    host.RightClick(0, 0);
    EXPECT_EQ(p.Find(ID_EDIT_GOTOBRACE)->text, "Goto to closing [-Brace");
    host.SetText("f(a[1]) {", 6);
    host.RightClick(0, 0);
    EXPECT_EQ(p.Find(ID_EDIT_GOTOBRACE)->text, "Goto to opening )-Brace");
    host.SetText("abc", 2);
    host.RightClick(0, 0);
    EXPECT_FALSE(p.Find(ID_EDIT_GOTOBRACE)->enabled);
    EXPECT_EQ(p.Find(ID_EDIT_BOOKMARK)->text, "Add Bookmark");
    host.shell.bookmarks.emplace_back(0, "x");
    host.RightClick(0, 0);
    EXPECT_EQ(p.Find(ID_EDIT_BOOKMARK)->text, "Remove bookmark");

    // With "AutoCopy" a right click pastes at the clicked character.
    GetColorEditSettings().autoCopy = 1;
    SetClipboard(host.edit->m_hWnd, "XY");
    const int shown = p.shown;
    host.RightClick(1, 0);
    GetColorEditSettings().autoCopy = 0;
    EXPECT_EQ(p.shown, shown);
    EXPECT_EQ(host.Text(), "aXYbc");
}

namespace {

// The pixels of a bitmap, 32 bits each.
std::vector<uint32_t> Pixels(HBITMAP bitmap)
{
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm))
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixels;
}

// The bitmap shown is the program's bitmap resource of that number.
bool ShowsBitmap(HBITMAP shown, int id)
{
    HBITMAP resource = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    const std::vector<uint32_t> want = Pixels(resource);
    DeleteObject(resource);
    return !want.empty() && Pixels(shown) == want;
}

struct BitmapCase {
    const char* text;
    int caret;
    int braceBitmap;   // beside "Select Brace Range "
    int gotoBitmap;    // beside "Goto ... Brace", 0 for none
};

const BitmapCase kBitmapCases[] = {
    {"f(a) {", 6, 136, 189},
    {"} x", 2, 135, 184},
    {"a) b", 3, 137, 183},
    {"x = (1", 6, 137, 185},
    {"a[1", 3, 137, 187},
    {"a[1] ", 5, 137, 188},
    {"plain", 3, 137, 0},
};

} // namespace

TEST(ContextMenu, BitmapsBesideTheBraceBookmarkAndIndentEntries)
{
    MenuHost host;
    CMenuProbe& p = host.Probe();
    for (const BitmapCase& c : kBitmapCases) {
        host.SetText(c.text, c.caret);
        host.RightClick(0, 0);
        const MenuEntry* brace = p.Find(ID_EDIT_SELECTBRACE);
        const MenuEntry* go = p.Find(ID_EDIT_GOTOBRACE);
        EXPECT_TRUE(ShowsBitmap(brace->unchecked, c.braceBitmap)) << c.text;
        if (c.gotoBitmap)
            EXPECT_TRUE(ShowsBitmap(go->unchecked, c.gotoBitmap)) << c.text;
        else
            EXPECT_EQ(go->unchecked, nullptr) << c.text;
    }
    // "SupressComments": no brace state, the neutral bitmap.
    GetSyntaxEditSettings().supressComments = 1;
    host.SetText("f(a) {", 6);
    host.RightClick(0, 0);
    GetSyntaxEditSettings().supressComments = 0;
    EXPECT_TRUE(ShowsBitmap(p.Find(ID_EDIT_SELECTBRACE)->unchecked, 137));

    EXPECT_TRUE(ShowsBitmap(p.Find(ID_EDIT_BOOKMARK)->unchecked, 168));
    host.shell.bookmarks.emplace_back(0, "x");
    host.RightClick(0, 0);
    EXPECT_TRUE(ShowsBitmap(p.Find(ID_EDIT_BOOKMARK)->unchecked, 169));

    const MenuEntry* indent = p.Find(ID_EDIT_INDENTMOVE);
    EXPECT_TRUE(ShowsBitmap(indent->unchecked, 132));
    EXPECT_TRUE(ShowsBitmap(indent->checkedBitmap, 131));
    EXPECT_FALSE(ShowsBitmap(indent->unchecked, 131)) << "the two bitmaps differ";
}

TEST(ContextMenu, TemplateListChecksTheCurrentAndStopsAtTen)
{
    for (int i = 0; i < 11; ++i) {
        auto t = std::make_shared<CSyntaxTemplate>();
        t->name = "T" + std::to_string(i);
        t->FileAssoc = "*.t" + std::to_string(i);
        g_SyntaxTemplates.push_back(t);
    }
    MenuHost host;
    CMenuProbe& p = host.Probe();
    host.SetText("x");
    host.RightClick(0, 0);
    EXPECT_NE(p.Find(ID_SYNTAX_FIRST + 9), nullptr);
    EXPECT_EQ(p.FindText("T10"), nullptr);
    EXPECT_TRUE(p.Find(ID_SYNTAX_NONE)->checked);
    host.RightClick(0, 0, ID_SYNTAX_FIRST + 3);
    EXPECT_EQ(host.edit->GetSyntaxTemplate(), g_SyntaxTemplates[3]);
    host.RightClick(0, 0);
    EXPECT_TRUE(p.Find(ID_SYNTAX_FIRST + 3)->checked);
    EXPECT_FALSE(p.Find(ID_SYNTAX_NONE)->checked);
    host.RightClick(0, 0, ID_SYNTAX_NONE);
    EXPECT_EQ(host.edit->GetSyntaxTemplate(), nullptr);
    host.edit->Core().SetPathName("C:\\a.t7");
    host.RightClick(0, 0, ID_SYNTAX_DEFAULT);
    EXPECT_EQ(host.edit->GetSyntaxTemplate(), g_SyntaxTemplates[7]);
    FreeSyntaxTemplates();
}

// One command chosen from the menu: the text and selection it leaves,
// whether it was recorded for keyboard macros, and the forward to the view.
struct CommandCase {
    const char* name;
    const char* text;
    int selStart, selEnd;
    int column, row;         // the right click
    UINT id;
    const char* result;
    int resultStart, resultEnd; // -1: not checked
    bool recorded;
};

TEST(ContextMenu, EveryCommand)
{
    Extended ext;
    const CommandCase cases[] = {
        {"upper", "abc def", 0, 7, 1, 0, ID_EDIT_UPPER, "ABC DEF", 0, 7, true},
        {"lower", "ABC Def", 0, 7, 1, 0, ID_EDIT_LOWER, "abc def", 0, 7, true},
        {"capitalize", "hello wORLD 2nd", 0, 15, 1, 0, ID_EDIT_CAPITALIZE, "Hello World 2nd", 0, 15, true},
        {"capitalize inside a word", "hello world", 2, 11, 1, 0, ID_EDIT_CAPITALIZE, "hello World", -1, -1, true},
        {"to hex", "65536", 0, 5, 1, 0, ID_NUMBER_TOHEX, "0x010000", 0, 8, false},
        {"to hex negative", "-1", 0, 2, 0, 0, ID_NUMBER_TOHEX, "0xFFFFFFFF", 0, 10, false},
        {"to hex word", "300", 0, 3, 0, 0, ID_NUMBER_TOHEX, "0x012C", 0, 6, false},
        {"to dec", "ff", 0, 2, 0, 0, ID_NUMBER_TODEC, "255", 0, 3, false},
        {"select brace range", "f() { a; }", 6, 6, 0, 0, ID_EDIT_SELECTBRACE, "f() { a; }", 4, 10, true},
        {"goto brace", "f(a, b)", 2, 2, 0, 0, ID_EDIT_GOTOBRACE, "f(a, b)", 6, 6, true},
        {"c-comment one line", "x = 1;", 0, 6, 0, 0, ID_EDIT_SETCCOMMENT, " /*x = 1;*/ ", 0, 12, false},
        {"c-comment over a comment", "a // b", 0, 6, 0, 0, ID_EDIT_SETCCOMMENT,
         "\r#ifdef 0\ra // b\r#endif // 0\r", 0, 29, false},
        {"c-comment lines", "a\rb\r", 0, 4, 0, 0, ID_EDIT_SETCCOMMENT, "/*\ra\rb\r*/\r", 0, 10, false},
        {"line end to mouse", "ab\rcd", 0, 0, 6, 0, ID_EDIT_LINEENDTOMOUSE, "ab    \rcd", 6, 6, false},
        {"cut", "abc", 0, 1, 0, 0, ID_EDIT_CUT_CMD, "bc", 0, 0, true},
        {"copy", "abc", 0, 2, 0, 0, ID_EDIT_COPY_CMD, "abc", 0, 2, true},
        {"copy++", "abc", 1, 3, 0, 0, ID_EDIT_COPYAPPEND, "abc", 1, 3, true},
        {"paste", "ab", 1, 1, 0, 0, ID_EDIT_PASTE_CMD, "aCLIPb", 5, 5, true},
        {"matching endif", "#if A\r#if B\r#endif\r#endif\rx", 0, 0, 0, 0, ID_DIRECTIVE_ENDIF,
         "#if A\r#if B\r#endif\r#endif\rx", 0, 25, false},
        {"matching if", "#if A\r#else\r#endif", 12, 12, 0, 2, ID_DIRECTIVE_IF, "#if A\r#else\r#endif", 0, 18, false},
        {"file name", "", 0, 0, 0, 0, ID_MACRO_FILENAME, "main.c", 6, 6, false},
        {"text macro named $", "x", 1, 1, 0, 0, ID_MACRO_FIRST, "xNAME", 5, 5, false},
        {"fill column", "ab\rcd\ref", 1, 7, 0, 0, ID_EDIT_FILLCOLUMN, "aXb\rcXd\reXf", -1, -1, false},
        {"number column", "a\rb\rc", 0, 5, 0, 0, ID_EDIT_NUMBERCOLUMN, "5a\r6b\r7c", -1, -1, false},
        {"text macro expanded and indented", "  ", 2, 2, 0, 0, ID_MACRO_FIRST + 1, "  a\r  b", 7, 7, false},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuHost host;
        host.shell.title = "main.c *";
        host.shell.textMacros = {{"$NAME", ""}, {"two", "a\rb"}};
        host.shell.askAnswer = c.id == ID_EDIT_FILLCOLUMN ? "X" : "5";
        GetSyntaxEditSettings().autoIndent = 1;
        SetClipboard(host.edit->m_hWnd, "CLIP");
        host.SetText(c.text, c.selStart, c.selEnd);
        host.RightClick(c.column, c.row, c.id);
        GetSyntaxEditSettings().autoIndent = 0;
        EXPECT_TRUE(host.Probe().chosen);
        EXPECT_EQ(host.Text(), c.result);
        if (c.resultStart >= 0) {
            EXPECT_EQ(host.SelStart(), c.resultStart);
            EXPECT_EQ(host.SelEnd(), c.resultEnd);
        }
        EXPECT_EQ(Recorded(host.shell, c.id), c.recorded);
        // The view carries out Cut, Copy and Paste itself: the control's
        // part is all of it, and forwarding would do it a second time.
        const bool viewActs = c.id == ID_EDIT_CUT_CMD || c.id == ID_EDIT_COPY_CMD || c.id == ID_EDIT_PASTE_CMD;
        if (viewActs) {
            EXPECT_TRUE(host.viewLog.commands.empty() || host.viewLog.commands.back() != c.id)
                << "not forwarded to the view";
        } else {
            ASSERT_FALSE(host.viewLog.commands.empty());
            EXPECT_EQ(host.viewLog.commands.back(), c.id) << "forwarded to the view";
        }
    }
}

TEST(ContextMenu, ClipboardCommandsAndUndoOfACaseChange)
{
    MenuHost host;
    SetClipboard(host.edit->m_hWnd, "1");
    host.SetText("abc", 1, 3);
    host.RightClick(0, 0, ID_EDIT_COPYAPPEND);
    EXPECT_EQ(Clipboard(host.edit->m_hWnd), "1\r\nbc");
    host.RightClick(0, 0, ID_EDIT_COPY_CMD);
    EXPECT_EQ(Clipboard(host.edit->m_hWnd), "bc");
    host.RightClick(0, 0, ID_EDIT_UPPER);
    EXPECT_EQ(host.Text(), "aBC");
    EXPECT_TRUE(host.edit->Core().GetModify());
    host.edit->Undo();
    EXPECT_EQ(host.Text(), "abc");
    // Read-only: the case commands change nothing.
    host.edit->SetReadOnly(1);
    host.SetText("abc", 0, 3);
    host.RightClick(0, 0, ID_EDIT_UPPER);
    EXPECT_EQ(host.Text(), "abc");
}

TEST(ContextMenu, BookmarkEntryAddsAndRemoves)
{
    MenuHost host;
    host.shell.title = "C:\\a\\very\\long\\folder\\name\\for\\the\\file\\main.c *";
    host.SetText("a\rb", 2);
    host.RightClick(0, 1, ID_EDIT_BOOKMARK);
    ASSERT_EQ(host.shell.bookmarks.size(), 1u);
    EXPECT_EQ(host.shell.bookmarks[0].first, 1);
    EXPECT_EQ(host.shell.bookmarks[0].second, "...ong\\folder\\name\\for\\the\\file\\main.c Line: 2 ");
    host.RightClick(0, 1, ID_EDIT_BOOKMARK);
    EXPECT_TRUE(host.shell.bookmarks.empty());
    // F12 toggles as well, without the trailing blank.
    host.Key(VK_F12);
    ASSERT_EQ(host.shell.bookmarks.size(), 1u);
    EXPECT_EQ(host.shell.bookmarks[0].second, "...ong\\folder\\name\\for\\the\\file\\main.c Line: 2");
}

TEST(ContextMenu, ColumnCommandsAskAndReadTheKeys)
{
    Extended ext;
    MenuHost host;
    SetClipboard(host.edit->m_hWnd, "fill\r\nmore");
    host.SetText("a\rb\rc", 0, 5);
    host.shell.askAnswer = "e";
    host.shell.askKeys = KEYMOD_CTRL;
    host.RightClick(0, 0, ID_EDIT_NUMBERCOLUMN);
    EXPECT_EQ(host.Text(), "0Ea\r0Fb\r10c");
    ASSERT_FALSE(host.shell.asked.empty());
    EXPECT_EQ(host.shell.asked.back(), "Number block..|0");
    // The fill text starts as the clipboard's first line.
    host.SetText("ab\rcd", 0, 4);
    host.shell.askAnswer = "-";
    host.shell.askKeys = KEYMOD_CTRL;
    host.RightClick(0, 0, ID_EDIT_FILLCOLUMN);
    EXPECT_EQ(host.shell.asked.back(), "Fill selected Column..|fill");
    EXPECT_EQ(host.Text(), "ab-\rcd-") << "Ctrl: at the line ends";
}

namespace {

// Commands that change many lines go back whole with one Undo, also when
// they make more edits than the undo history holds records.
TEST(ContextMenu, ManyLineCommandsGoBackWithOneUndo)
{
    std::string lines, indented;
    for (int i = 0; i < 450; ++i) {
        lines += "ab\r";
        indented += "    ab\r";
    }
    struct Case {
        const char* name;
        const std::string& text;
        void (*run)(MenuHost&);
    };
    const Case cases[] = {
        {"fill column", lines, [](MenuHost& h) { h.RightClick(0, 0, ID_EDIT_FILLCOLUMN); }},
        {"number column", lines, [](MenuHost& h) { h.RightClick(0, 0, ID_EDIT_NUMBERCOLUMN); }},
        {"line comments", lines, [](MenuHost& h) { h.RightClick(0, 0, ID_EDIT_SETCCOMMENT, KEYMOD_CTRL); }},
        {"tab on lines", lines, [](MenuHost& h) { h.Char('\t'); }},
        {"shift+tab on lines", indented,
         [](MenuHost& h) {
             CHeldModifiers shift(KEYMOD_SHIFT);
             h.edit->SendMessage(WM_CHAR, '\t', 1);
         }},
        {"column block paste", lines, [](MenuHost& h) { h.edit->Paste(1); }},
    };
    Extended ext;
    MenuHost host;
    host.edit->Core().SetTabWidth(4);
    host.shell.askAnswer = "X";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetClipboard(host.edit->m_hWnd, "p\r\nq\r\nr");
        host.SetText(c.text.c_str(), 0, static_cast<int>(c.text.size()));
        host.edit->Core().EmptyUndoBuffer();
        host.shell.askKeys = 0;
        c.run(host);
        ASSERT_NE(host.Text(), c.text);
        host.edit->Undo();
        EXPECT_EQ(host.Text(), c.text);
        EXPECT_FALSE(host.edit->Core().CanUndo());
    }
}

} // namespace
