// CNColorEditCtrl: the context menu and the command dispatcher.
#include "editor/syntax/window/ncoloreditctrl.h"

#include "editor/syntax/lexer.h"
#include "editor/syntax/lexical.h"
#include "editor/syntax/line_tools.h"
#include "editor/syntax/text_macro.h"
#include "editor/syntax/text_tools.h"
#include "editor/syntax/undo_step.h"
#include "editor/syntax/window/ncoloredit_res.h"
#include "winui/clipboard.h"
#include "winui/menu.h"
#include "winui/msgbox.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

bool IsBlankByte(unsigned char b)
{
    return b == ' ' || b == kTab || b == kFillByte;
}

const char* const kDirectiveIf = "if";
const char* const kDirectiveElse = "else";
const char* const kDirectiveEndif = "endif";

// The partner of a bracket character and whether it opens.
bool BracketPair(char c, char& open, char& close)
{
    switch (c) {
    case '(': case ')': open = '('; close = ')'; return true;
    case '[': case ']': open = '['; close = ']'; return true;
    case '{': case '}': open = '{'; close = '}'; return true;
    default: return false;
    }
}

// The bitmap beside "Goto to ... Brace" for the bracket found.
int GotoBraceBitmap(char bracket)
{
    switch (bracket) {
    case '(': return IDB_GOTO_PAREN_OPEN;
    case '[': return IDB_GOTO_SQUARE_OPEN;
    case '{': return IDB_GOTO_BRACE_OPEN;
    case ')': return IDB_GOTO_PAREN_CLOSE;
    case ']': return IDB_GOTO_SQUARE_CLOSE;
    default: return IDB_GOTO_BRACE_CLOSE;
    }
}

void SetItemBitmap(HMENU menu, UINT id, HBITMAP bitmap)
{
    SetMenuItemBitmaps(menu, id, MF_BYCOMMAND, bitmap, bitmap);
}

} // namespace

// ---------------------------------------------------------------------------
// The context menu.

// The bitmap of a resource in a slot of the control, which keeps it while
// menus may show it; the slot's earlier bitmap goes. The bitmaps' light
// grey becomes the menu's face colour.
HBITMAP CNColorEditCtrl::MenuBitmap(int slot, int resourceId)
{
    if (slot < 0 || slot >= kMenuBitmapSlots)
        return nullptr;
    HBITMAP& held = m_menuBitmaps[slot];
    if (held)
        DeleteObject(held);
    held = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP,
                                           0, 0, LR_LOADMAP3DCOLORS));
    return held;
}

void CNColorEditCtrl::OnRButtonDown(UINT flags, POINT point)
{
    if (GetColorEditSettings().autoCopy) {
        int offset = 0;
        OffsetFromPoint(point, offset);
        SetFocus();
        SetColumnMode(0);
        SelStart() = SelEnd() = std::max(0, std::min(offset, Len()));
        CaretFromOffset(SelStart());
        Paste(0);
        return;
    }
    m_ptClicked = point;
    HMENU menu = BuildContextMenu(point);
    POINT screen = point;
    ClientToScreen(m_hWnd, &screen);
    TrackContextMenu(menu, screen);
    DestroyMenu(menu);
    CColorEdit::OnRButtonDown(flags, point);
}

void CNColorEditCtrl::TrackContextMenu(HMENU menu, POINT screen)
{
    winui::CMenu::TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, m_hWnd);
}

HMENU CNColorEditCtrl::BuildContextMenu(POINT point)
{
    CColorEditCore& core = Core();
    const SyntaxEditSettings& settings = GetSyntaxEditSettings();
    const bool selection = SelEnd() > SelStart();
    const bool readOnly = State().readOnly != 0;
    m_ptClicked = point;

    m_strWord.clear();
    m_nWordOffset = -1;
    if (selection) {
        m_strWord = core.GetSelText();
        m_nWordOffset = SelStart();
    } else {
        GetWordAtPoint(point, m_nWordOffset, m_strWord);
    }

    HMENU menu = CreatePopupMenu();
    auto add = [menu](UINT id, const std::string& text, bool enabled = true) {
        AppendMenuA(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), id, text.c_str());
    };
    add(ID_EDIT_CUT_CMD, "Cut", selection && !readOnly);
    add(ID_EDIT_COPY_CMD, "Copy", selection);
    add(ID_EDIT_COPYAPPEND, "Copy++", selection);
    bool clipText = false;
    {
        winui::CClipboard clip(m_hWnd);
        clipText = clip.IsOpen() && IsClipboardFormatAvailable(CF_TEXT);
    }
    add(ID_EDIT_PASTE_CMD, "Paste", clipText && !readOnly);
    std::string search = "Search";
    if (!m_strWord.empty())
        search = m_strWord.size() >= 16 ? "Search for:  " + m_strWord.substr(0, 12) + "..."
                                        : "Search for:  " + m_strWord;
    add(ID_EDIT_SEARCH, search);
    const bool severalLines = selection && !ColumnMode() &&
                              core.LineFromOffset(SelEnd()) > core.LineFromOffset(SelStart());
    add(ID_EDIT_INDENTMOVE, "Indent Move Text", severalLines && !readOnly);
    SetMenuItemBitmaps(menu, ID_EDIT_INDENTMOVE, MF_BYCOMMAND, MenuBitmap(kSlotIndentMove, IDB_INDENTMOVE),
                       MenuBitmap(kSlotIndentMoveChecked, IDB_INDENTMOVE_CHECKED));
    if (m_bIndentMove)
        CheckMenuItem(menu, ID_EDIT_INDENTMOVE, MF_CHECKED);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);

    // Brace and bracket before the caret on its line.
    std::string gotoText = "Goto Brace";
    bool gotoEnabled = true;
    char gotoBracket = 0;
    if (!selection) {
        const int caret = SelStart();
        const int lineStart = core.GetLineStart(caret);
        m_braceState.brace = BraceGotoTarget{0, caret};
        if (!settings.supressComments) {
            for (int i = std::min(caret, Len() - 1); i >= lineStart; --i) {
                const unsigned char b = ByteAt(i);
                if (b == '{') {
                    m_braceState.brace = BraceGotoTarget{1, i + 1};
                    break;
                }
                if (b == '}') {
                    m_braceState.brace = BraceGotoTarget{-1, i};
                    break;
                }
            }
        }
        gotoEnabled = false;
        for (int i = std::min(caret, Len() - 1); i >= lineStart; --i) {
            const char b = static_cast<char>(ByteAt(i));
            char open, close;
            if (!BracketPair(b, open, close))
                continue;
            char buffer[40];
            if (b == open) {
                m_braceState.bracket = BraceGotoTarget{1, i + 1};
                std::snprintf(buffer, sizeof buffer, "Goto to closing %c-Brace", b);
            } else {
                m_braceState.bracket = BraceGotoTarget{-1, i};
                std::snprintf(buffer, sizeof buffer, "Goto to opening %c-Brace", b);
            }
            gotoText = buffer;
            gotoEnabled = true;
            gotoBracket = b;
            break;
        }
    }
    add(ID_EDIT_SELECTBRACE, "Select Brace Range ");
    add(ID_EDIT_GOTOBRACE, gotoText, gotoEnabled);
    if (!selection) {
        const int direction = m_braceState.brace.direction;
        const int brace = direction > 0 ? IDB_BRACE_OPEN : direction < 0 ? IDB_BRACE_CLOSE : IDB_BRACE_NONE;
        SetItemBitmap(menu, ID_EDIT_SELECTBRACE, MenuBitmap(kSlotBrace, brace));
        if (gotoEnabled)
            SetItemBitmap(menu, ID_EDIT_GOTOBRACE, MenuBitmap(kSlotGotoBrace, GotoBraceBitmap(gotoBracket)));
    }

    const int caretLine = core.LineFromOffset(SelStart());
    const bool hasBookmark = GetEditorShell().HasBookmark(*this, caretLine);
    m_nBookmarkMode = hasBookmark ? 2 : 1;
    add(ID_EDIT_BOOKMARK, hasBookmark ? "Remove bookmark" : "Add Bookmark");
    SetItemBitmap(menu, ID_EDIT_BOOKMARK,
                  MenuBitmap(kSlotBookmark, hasBookmark ? IDB_BOOKMARK_REMOVE : IDB_BOOKMARK_ADD));
    add(ID_EDIT_CHANGEDIR, "Change to File Directory");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    add(ID_EDIT_UPPER, "Convert to Upper", selection);
    add(ID_EDIT_LOWER, "Convert to Lower", selection);
    add(ID_EDIT_CAPITALIZE, "Capitalize", selection);
    HMENU syntax = CreatePopupMenu();
    AppendMenuA(syntax, MF_STRING, ID_SYNTAX_NONE, "None");
    AppendMenuA(syntax, MF_STRING, ID_SYNTAX_DEFAULT, "Default");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(syntax), "Syntaxcolors");

    // Go to Definition Of: the browser's copies of the word's records.
    m_haveDefinition = false;
    if (!m_strWord.empty() && !selection && m_nWordOffset >= 0) {
        std::string name = m_strWord;
        const int s = m_nWordOffset;
        if ((s >= 1 && ByteAt(s - 1) == '.') || (s >= 2 && ByteAt(s - 2) == '-' && ByteAt(s - 1) == '>'))
            name = "." + m_strWord;
        CSymbolHitLists hits;
        if (GetEditorShell().LookupSymbols(name, hits) > 0) {
            if (const CSymbolHit* hit = ChooseDefinition(hits, core.LineFromOffset(s), core.GetPathName())) {
                m_definition = *hit;
                m_haveDefinition = true;
                const std::string text = "Go to Definition Of " + m_strWord;
                InsertMenuA(menu, 6, MF_BYPOSITION | MF_STRING, ID_EDIT_GOTODEFINITION, text.c_str());
            }
        }
    }
    InsertMenuA(menu, 11, MF_BYPOSITION | MF_STRING, ID_EDIT_RELOAD, "Reload file");

    if (settings.extContextMenu)
        AddExtendedEntries(menu, point);
    return menu;
}

void CNColorEditCtrl::AddExtendedEntries(HMENU menu, POINT point)
{
    CColorEditCore& core = Core();
    const bool selection = SelEnd() > SelStart();
    const bool readOnly = State().readOnly != 0;
    CEditorShell& shell = GetEditorShell();

    HMENU macros = CreatePopupMenu();
    AppendMenuA(macros, MF_STRING, ID_MACRO_DATEGERMAN, "Date (german)");
    AppendMenuA(macros, MF_STRING, ID_MACRO_DATEENGLISH, "Date (eng)");
    AppendMenuA(macros, MF_STRING, ID_MACRO_FILENAME, "File name");
    const int count = std::min(shell.TextMacroCount(), static_cast<int>(ID_MACRO_LAST - ID_MACRO_FIRST + 1));
    for (int i = 0; i < count; ++i) {
        std::string name, text;
        if (shell.GetTextMacro(i, name, text))
            AppendMenuA(macros, MF_STRING, ID_MACRO_FIRST + i, name.c_str());
    }
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(macros), "Insert Macro...");
    AppendMenuA(menu, MF_STRING, ID_MACRO_ACTUALIZE, "Actualize Macros");
    AppendMenuA(menu, MF_STRING, ID_MACRO_EDIT, "Edit Macros");
    std::string clip;
    if (GetClipboardText(clip))
        m_strFillText = clip.substr(0, clip.find_first_of("\r\n"));
    AppendMenuA(menu, MF_STRING, ID_EDIT_FILLCOLUMN, "Fill selected Column");
    AppendMenuA(menu, MF_STRING, ID_EDIT_NUMBERCOLUMN, "Number selected Column (Strg=HEX)");
    if (selection && !readOnly && !IsInComment(reinterpret_cast<const char*>(Buf()) + SelStart()))
        AppendMenuA(menu, MF_STRING, ID_EDIT_SETCCOMMENT, "Set C-comment");
    AppendMenuA(menu, MF_STRING, ID_EDIT_PROPERTIES, "Properties");

    // Right of the end of an existing line.
    const int line = core.m_nTopLine + point.y / std::max(1, m_nCharHeight);
    if (line < Lines()) {
        const int start = core.GetLineOffset(line);
        const int column = point.x / std::max(1, m_nCharWidth) + HPos();
        if (start >= 0 && column > core.GetLineLength(start))
            AppendMenuA(menu, MF_STRING, ID_EDIT_LINEENDTOMOUSE, "Set line end to mouse position");
    }

    // A conditional directive on the caret's line.
    const int lineStart = core.GetLineStart(SelStart());
    int i = lineStart;
    while (i < Len() && IsBlankByte(ByteAt(i)))
        ++i;
    if (ByteAt(i) == '#') {
        int w = i + 1;
        while (w < Len() && IsBlankByte(ByteAt(w)))
            ++w;
        const char a = static_cast<char>(ByteAt(w)), b = static_cast<char>(ByteAt(w + 1));
        m_nDirectiveOffset = i;
        if (a == 'i') {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_ENDIF, "Search matching #endif");
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_NEXTELSE, "Search next #else");
        } else if (a == 'e' && b == 'l') {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_IF, "Search matching #if");
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_NEXTELSE, "Search next #else");
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_PREVELSE, "Search backward for #else");
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_ENDIF, "Search matching #endif");
        } else if (a == 'e' && b == 'n') {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_IF, "Search matching #if");
            AppendMenuA(menu, MF_STRING, ID_DIRECTIVE_PREVELSE, "Search backward for #else");
        }
    }
    if (selection) {
        const int kind = ClassifyNumber(core.GetSelText());
        if (kind == 1) {
            AppendMenuA(menu, MF_STRING, ID_NUMBER_TOHEX, "Convert to Hex-number");
            AppendMenuA(menu, MF_STRING, ID_NUMBER_TODEC, "Convert to Dec-number");
        } else if (kind == 2 || kind == 3) {
            AppendMenuA(menu, MF_STRING, ID_NUMBER_TODEC, "Convert to Dec-number");
        }
    }
}

// The template list of the "Syntaxcolors" pop-up when it opens.
LRESULT CNColorEditCtrl::OnInitMenuPopup(WPARAM wParam, LPARAM)
{
    Default();
    HMENU popup = reinterpret_cast<HMENU>(wParam);
    if (GetMenuItemCount(popup) != 2 || GetMenuItemID(popup, 0) != ID_SYNTAX_NONE ||
        GetMenuItemID(popup, 1) != ID_SYNTAX_DEFAULT)
        return 0;
    SyntaxTemplatePtr current = m_template.lock();
    bool checked = false;
    const size_t count = std::min<size_t>(g_SyntaxTemplates.size(), ID_SYNTAX_LAST - ID_SYNTAX_FIRST + 1);
    for (size_t i = 0; i < count; ++i) {
        const UINT id = ID_SYNTAX_FIRST + static_cast<UINT>(i);
        AppendMenuA(popup, MF_STRING, id, g_SyntaxTemplates[i]->name.c_str());
        if (current && g_SyntaxTemplates[i]->name == current->name && !checked) {
            CheckMenuItem(popup, id, MF_CHECKED);
            checked = true;
        }
    }
    if (!checked)
        CheckMenuItem(popup, ID_SYNTAX_NONE, MF_CHECKED);
    return 0;
}

// ---------------------------------------------------------------------------
// The dispatcher.

bool CNColorEditCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    ExecuteCommand(wParam, lParam);
    return true;
}

LRESULT CNColorEditCtrl::ExecuteCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int keys = GetKeyModifiers();
    CEditorShell& shell = GetEditorShell();
    auto record = [&shell, id] { shell.RecordMacroEvent(id, 0, kMacroCommand); };

    switch (id) {
    case ID_EDIT_FILLCOLUMN:
        FillSelectedColumn();
        break;
    case ID_EDIT_NUMBERCOLUMN:
        NumberSelectedColumn(keys);
        break;
    case ID_EDIT_SETCCOMMENT:
        SetCCommentWithKeys(keys);
        break;
    case ID_EDIT_SELECTBRACE:
        record();
        HighlightBracePair('{');
        break;
    case ID_EDIT_INDENTMOVE:
        StartIndentMove();
        break;
    case ID_EDIT_PROPERTIES:
        shell.ShowProperties(*this);
        break;
    case ID_EDIT_COPYAPPEND:
        Copy(1);
        break;
    case ID_EDIT_BOOKMARK: {
        const int line = Core().LineFromOffset(SelStart());
        if (m_nBookmarkMode == 2)
            shell.RemoveBookmark(*this, line);
        else
            shell.AddBookmark(*this, line, BookmarkName(line) + " ");
        NotifyParent();
        break;
    }
    case ID_EDIT_RELOAD:
        ReloadFile();
        break;
    case ID_EDIT_CHANGEDIR:
        ChangeToFileDirectory();
        break;
    case ID_EDIT_UPPER:
    case ID_EDIT_LOWER:
    case ID_EDIT_CAPITALIZE:
        record();
        ConvertSelectionCase(id == ID_EDIT_UPPER ? kCaseUpper : id == ID_EDIT_LOWER ? kCaseLower : kCaseCapitals);
        break;
    case ID_MACRO_DATEGERMAN:
    case ID_MACRO_DATEENGLISH: {
        std::time_t t = std::time(nullptr);
        std::tm now = *std::localtime(&t);
        std::string date;
        InsertDateText(date, now, id == ID_MACRO_DATEGERMAN ? 1 : 2);
        InsertMacroText(date);
        break;
    }
    case ID_MACRO_FILENAME: {
        std::string title = shell.DocumentTitle(*this);
        if (title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0)
            title.erase(title.size() - 2);
        InsertMacroText(title);
        break;
    }
    case ID_MACRO_ACTUALIZE:
        shell.ReloadTextMacros(*this);
        InvalidateText(1);
        break;
    case ID_EDIT_GOTOBRACE:
        record();
        GoToMatchingBrace(m_braceState.bracket.direction);
        if (keys & KEYMOD_SHIFT)
            HighlightBracePair(static_cast<char>(ByteAt(SelStart())));
        NotifyParent();
        break;
    case ID_MACRO_EDIT: {
        HWND frame = shell.MainFrame();
        return frame ? ::SendMessageA(frame, WM_COMMAND, wParam, lParam) : 0;
    }
    case ID_EDIT_GOTODEFINITION:
        if (m_haveDefinition)
            shell.GoToDefinition(*this, m_definition);
        break;
    case ID_SYNTAX_NONE:
        SetSyntaxTemplate(nullptr);
        break;
    case ID_SYNTAX_DEFAULT:
        ChooseDefaultTemplate();
        break;
    case ID_EDIT_LINEENDTOMOUSE:
        SetLineEndToMouse();
        break;
    // The view carries out Cut, Copy and Paste itself when they come from
    // the menu or a key; forwarded, they would act (and record) twice.
    case ID_EDIT_COPY_CMD:
        Copy(0);
        return 0;
    case ID_EDIT_CUT_CMD:
        Cut();
        return 0;
    case ID_EDIT_SEARCH: {
        HWND frame = shell.MainFrame();
        const LRESULT result = frame ? ::SendMessageA(frame, WM_COMMAND, wParam, lParam) : 0;
        if (!m_strWord.empty()) {
            const int direction = shell.PrepareSearch(m_strWord);
            if (direction) {
                int caret = (direction & 2) ? m_nWordOffset + 1 : m_nWordOffset - 1;
                caret = std::max(0, std::min(caret, Len()));
                SetSel(caret, caret, true, true);
            }
            shell.PostSearch();
        }
        return result;
    }
    case ID_EDIT_PASTE_CMD:
        Paste((keys & KEYMOD_ALT) ? 1 : (keys & KEYMOD_SHIFT) ? 2 : 0);
        return 0;
    case ID_DIRECTIVE_IF:
    case ID_DIRECTIVE_ENDIF:
    case ID_DIRECTIVE_NEXTELSE:
    case ID_DIRECTIVE_PREVELSE:
        SelectDirective(id);
        break;
    case ID_NUMBER_TOHEX:
    case ID_NUMBER_TODEC:
        ConvertNumber(id == ID_NUMBER_TOHEX);
        break;
    default:
        if (id >= ID_SYNTAX_FIRST && id <= ID_SYNTAX_LAST) {
            const size_t index = id - ID_SYNTAX_FIRST;
            if (index < g_SyntaxTemplates.size())
                SetSyntaxTemplate(g_SyntaxTemplates[index]);
        } else if (id >= ID_MACRO_FIRST && id <= ID_MACRO_LAST) {
            InsertTextMacro(static_cast<int>(id - ID_MACRO_FIRST));
        }
        break;
    }
    return m_hParentWnd ? ::SendMessageA(m_hParentWnd, WM_COMMAND, wParam, lParam) : 0;
}

// ---------------------------------------------------------------------------
// Commands.

// Text of the date, file-name and text-macro commands goes in at the caret;
// with "SelAfterPaste" it stays selected, else the caret goes behind it.
void CNColorEditCtrl::InsertMacroText(const std::string& text)
{
    if (text.empty() || State().readOnly || ColumnMode())
        return;
    const int at = SelStart();
    int length = static_cast<int>(text.size());
    InsertStatus status;
    // Tabs are laid out with their fill, as the text model needs them.
    Core().InsertText(reinterpret_cast<const uint8_t*>(text.data()), length, nullptr,
                      kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret, &status);
    if (status != kInsertDone)
        return;
    if (GetColorEditSettings().selAfterPaste) {
        SelStart() = at;
        SelEnd() = std::min(at + length, Len());
    } else {
        SelStart() = SelEnd() = std::min(at + length, Len());
    }
    AfterEdit(at);
}

TextMacroContext CNColorEditCtrl::PlaceholderContext()
{
    CEditorShell& shell = GetEditorShell();
    TextMacroContext context;
    std::time_t t = std::time(nullptr);
    context.now = *std::localtime(&t);
    context.title = shell.DocumentTitle(*this);
    context.path = Core().GetPathName();
    char user[256];
    DWORD size = sizeof user;
    context.haveUser = GetUserNameA(user, &size) != 0;
    if (context.haveUser)
        context.user = user;
    context.workspace = shell.WorkspacePath();
    return context;
}

void CNColorEditCtrl::InsertTextMacro(int index)
{
    CEditorShell& shell = GetEditorShell();
    std::string name, text;
    if (index >= shell.TextMacroCount() || !shell.GetTextMacro(index, name, text))
        return;
    if (!name.empty() && name[0] == '$') {
        InsertMacroText(name.substr(1));
    } else {
        ExpandTextMacro(text, PlaceholderContext());
        if (GetSyntaxEditSettings().autoIndent)
            IndentTextLines(text, SelStart() - Core().GetLineStart(SelStart()));
        InsertMacroText(text);
    }
    NotifyParent();
}

void CNColorEditCtrl::ConvertSelectionCase(int mode)
{
    if (ColumnMode()) {
        ConvertColumnCase(mode);
    } else if (SelEnd() > SelStart()) {
        const int from = ConvertRangeCase(Core(), SelStart(), SelEnd(), mode);
        if (from < 0)
            return;
    } else {
        return;
    }
    SetModify(1);
    SendMessage(EDN_RECOLOUR, 1, 0);
}

void CNColorEditCtrl::ConvertNumber(bool toHex)
{
    if (SelEnd() <= SelStart() || State().readOnly || ColumnMode())
        return;
    const std::string selected = Core().GetSelText();
    size_t i = 0;
    while (i < selected.size() && IsBlankByte(static_cast<unsigned char>(selected[i])))
        ++i;
    const char* digits = selected.c_str() + i;
    const bool negative = *digits == '-';
    char out[32];
    if (toHex) {
        const unsigned long value = negative ? static_cast<unsigned long>(std::strtol(digits, nullptr, 10))
                                             : std::strtoul(digits, nullptr, 10);
        const unsigned v = static_cast<unsigned>(value);
        if (v >= 0x1000000u)
            std::snprintf(out, sizeof out, "0x%.8X", v);
        else if (v > 0xFFFFu)
            std::snprintf(out, sizeof out, "0x%.6X", v);
        else if (v > 255u)
            std::snprintf(out, sizeof out, "0x%.4X", v);
        else
            std::snprintf(out, sizeof out, "0x%.2X", v);
    } else {
        const long value = negative ? std::strtol(digits, nullptr, 16)
                                    : static_cast<long>(static_cast<unsigned>(std::strtoul(digits, nullptr, 16)));
        std::snprintf(out, sizeof out, "%ld", value);
    }
    const int at = SelStart();
    int length = static_cast<int>(std::strlen(out));
    InsertStatus status;
    Core().InsertText(reinterpret_cast<const uint8_t*>(out), length, nullptr,
                      kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret, &status);
    if (status != kInsertDone)
        return;
    SelStart() = at;
    SelEnd() = std::min(at + length, Len());
    AfterEdit(at);
}

void CNColorEditCtrl::SelectDirective(UINT id)
{
    const char* text = reinterpret_cast<const char*>(Buf());
    if (!text)
        return;
    CColorEditCore& core = Core();
    const bool forward = id == ID_DIRECTIVE_ENDIF || id == ID_DIRECTIVE_NEXTELSE;
    const char* target = id == ID_DIRECTIVE_IF ? kDirectiveIf : id == ID_DIRECTIVE_ENDIF ? kDirectiveEndif : kDirectiveElse;
    const int found = FindMatchingDirective(m_nDirectiveOffset, text, Len(), target, forward ? 1 : -1);
    if (found < 0)
        return;
    if (forward)
        SetSel(core.GetLineStart(m_nDirectiveOffset), core.GetLineEnd(found), true, true);
    else
        SetSel(core.GetLineStart(found), core.GetLineEnd(m_nDirectiveOffset), true, true);
    RecomputeLines();
    NotifyParent();
}

void CNColorEditCtrl::SetLineEndToMouse()
{
    CColorEditCore& core = Core();
    const int line = core.m_nTopLine + m_ptClicked.y / std::max(1, m_nCharHeight);
    if (line >= Lines() || State().readOnly)
        return;
    const int start = core.GetLineOffset(line);
    if (start < 0)
        return;
    const int length = core.GetLineLength(start);
    const int column = m_ptClicked.x / std::max(1, m_nCharWidth) + HPos();
    if (column <= length)
        return;
    const int at = start + length;
    std::string blanks(static_cast<size_t>(column - length), ' ');
    int n = static_cast<int>(blanks.size());
    core.SetSel(at, at, false, false);
    InsertStatus status;
    core.InsertText(reinterpret_cast<const uint8_t*>(blanks.data()), n, nullptr,
                    kInsertRecordUndo | kInsertKeepCaret, &status);
    SelStart() = SelEnd() = std::min(at + (status == kInsertDone ? n : 0), Len());
    AfterEdit(at);
}

void CNColorEditCtrl::ReloadFile()
{
    if (GetModify() &&
        winui::ShowMessageBox(m_hWnd, "Do you really want to reject all changes?", "Reload file",
                              MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    const int top = Core().m_nTopLine;
    int start = 0, end = 0;
    GetSel(start, end);
    if (!LoadFile(nullptr))
        return;
    SetTopLine(top, 0);
    SetSel(std::min(start, Len()), std::min(end, Len()), false, true);
    SetModify(0);
}

void CNColorEditCtrl::ChangeToFileDirectory()
{
    const std::string& path = Core().GetPathName();
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return;
    const std::string dir = path.substr(0, slash);
    if (path.find(':') != std::string::npos) {
        const std::string drive = path.substr(0, 2);
        SetCurrentDirectoryA((drive + "\\").c_str());
    }
    if (SetCurrentDirectoryA(dir.c_str()))
        GetEditorShell().DirectoryChanged(dir);
}

// The caret's column and the lines of the selection, for the column
// commands.
void CNColorEditCtrl::SelectedLines(int& column, int& first, int& last)
{
    CColorEditCore& core = Core();
    column = SelStart() - core.GetLineStart(SelStart());
    first = core.LineFromOffset(SelStart());
    last = core.LineFromOffset(SelEnd());
}

void CNColorEditCtrl::FillSelectedColumn()
{
    std::string text = m_strFillText;
    int keys = 0;
    if (!GetEditorShell().AskLine("Fill selected Column..",
                                  "ALT+OK  - fills shorter lines too\nCTRL+OK - append at line end\n"
                                  "SHIFT+OK - fills always in this column",
                                  text, keys))
        return;
    m_strFillText = text;
    if (text.empty())
        return;
    int column, first, last;
    SelectedLines(column, first, last);
    CSingleUndoStep step(Core());
    FillColumn(column, first, last, text.c_str(), (keys & KEYMOD_ALT) != 0, (keys & KEYMOD_CTRL) != 0,
               (keys & KEYMOD_SHIFT) != 0);
}

void CNColorEditCtrl::NumberSelectedColumn(int keysAtStart)
{
    std::string text = "0";
    int keys = 0;
    if (!GetEditorShell().AskLine("Number block..", "Ctrl = HEX", text, keys))
        return;
    const bool hex = (keys & KEYMOD_CTRL) != 0;
    const int start = static_cast<int>(std::strtol(text.c_str(), nullptr, hex ? 16 : 10));
    int column, first, last;
    SelectedLines(column, first, last);
    CSingleUndoStep step(Core());
    NumberColumn(column, first, last, hex, (keysAtStart & KEYMOD_ALT) != 0, start);
}

// ---------------------------------------------------------------------------
// Brace pairs.

int CNColorEditCtrl::HighlightBracePair(char bracket)
{
    const char* text = reinterpret_cast<const char*>(Buf());
    char open, close;
    if (!text || !BracketPair(bracket, open, close))
        return -1;
    const bool skip = GetSyntaxEditSettings().supressComments != 0;
    const BraceGotoTarget& state = m_braceState.brace;
    int first = -1, last = -1;
    auto closing = [&](int at) {
        const char* p = FindClosingBracket(text + at, skip, text);
        return p ? static_cast<int>(p - text) : -1;
    };
    if (state.direction > 0 && state.offset > 0 && state.offset <= Len() && text[state.offset - 1] == open) {
        first = state.offset - 1;
        last = closing(first);
    } else if (state.direction < 0 && state.offset >= 0 && state.offset < Len() && text[state.offset] == close) {
        last = state.offset;
        const char* p = FindOpeningBracket(text + last, skip, text);
        first = p ? static_cast<int>(p - text) : -1;
    } else {
        // The innermost pair around the position: the brackets still open
        // there, found in one pass from the text start.
        std::vector<int> opened;
        const int to = std::max(0, std::min(state.offset, Len()));
        LexScan(text, text + to, text + Len(), LexState{}, [&](const char* p, LexClass c) {
            if (IsLexLiteral(c) || (skip && IsLexComment(c)))
                return;
            if (*p == open)
                opened.push_back(static_cast<int>(p - text));
            else if (*p == close && !opened.empty())
                opened.pop_back();
        });
        if (!opened.empty()) {
            first = opened.back();
            last = closing(first);
        }
    }
    if (first < 0 || last < 0)
        return -1;
    SetSel(first, last + 1, true, true);
    RecomputeLines();
    return first;
}

// ---------------------------------------------------------------------------
// Set C-comment.

void CNColorEditCtrl::SetCComment()
{
    SetCCommentWithKeys(GetKeyModifiers());
}

void CNColorEditCtrl::SetCCommentWithKeys(int keys)
{
    if (State().readOnly || ColumnMode())
        return;
    const char* text = reinterpret_cast<const char*>(Buf());
    if (!text)
        return;
    CColorEditCore& core = Core();
    const int start = SelStart(), end = SelEnd();
    const bool ctrl = (keys & KEYMOD_CTRL) != 0, alt = (keys & KEYMOD_ALT) != 0;
    // A comment inside the selection already?
    bool inner = end > start && ::FindCommentOpen(start, end, text) >= 0;
    for (int i = start; !inner && i + 1 < end; ++i)
        if (text[i] == '/' && text[i + 1] == '/' && !IsInsideString(text + i, text))
            inner = true;
    const int firstLine = core.LineFromOffset(start);
    int lastLine = core.LineFromOffset(end);
    if (lastLine > firstLine && end == core.GetLineStart(end))
        --lastLine;
    const bool several = lastLine > firstLine;

    auto insertAt = [&](int at, const std::string& piece, int flags) {
        int n = static_cast<int>(piece.size());
        core.SetSel(at, at, false, false);
        InsertStatus status;
        core.InsertText(reinterpret_cast<const uint8_t*>(piece.data()), n, nullptr, flags, &status);
        return status == kInsertDone ? n : 0;
    };
    const int flags = kInsertRecordUndo | kInsertKeepCaret;
    // The comment marks of all lines go back with one Undo.
    CSingleUndoStep step(core);
    if (several && ctrl && !alt) {
        for (int line = lastLine; line >= firstLine; --line)
            insertAt(core.GetLineOffset(line), "//", kInsertExpandTabs | flags);
        core.SetSel(start, start, false, false);
    } else if (several && alt && !ctrl) {
        return;
    } else {
        std::string before, after;
        if (several) {
            if (inner || (ctrl && alt)) {
                before = "\r#ifdef __DONT_USE_THIS__\r";
                after = "\r#endif /*__DONT_USE_THIS__*/\r";
            } else {
                before = "/*\r";
                after = "*/\r";
            }
        } else if (inner) {
            before = "\r#ifdef 0\r";
            after = "\r#endif // 0\r";
        } else {
            before = " /*";
            after = "*/ ";
        }
        const int a = insertAt(end, after, flags);
        const int b = insertAt(start, before, flags);
        core.SetSel(start, end + a + b, false, false);
    }
    m_commentIndex.TextChanged(start);
    SendMessage(EDN_RECOLOUR, 0, 0);
    SetModify(1);
    AfterEdit(core.GetLineStart(start));
}
