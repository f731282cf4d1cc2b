// CNColorEditCtrl: creation, message map, recolouring, keys with
// auto-indent and bookmarks, focus bookkeeping, scroll tips, and the
// services on the control's own text.
#include "editor/syntax/window/ncoloreditctrl.h"

#include "editor/symbols/c_functions.h"
#include "editor/syntax/lexical.h"
#include "editor/syntax/line_tools.h"
#include "editor/symbols/script_parsers.h"
#include "editor/syntax/syntax_colorizer.h"
#include "editor/syntax/text_tools.h"
#include "editor/syntax/undo_step.h"
#include "winui/clipboard.h"
#include "winui/gdi.h"
#include "winui/msgbox.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

CNeutralEditorShell neutral_shell;
CEditorShell* current_shell = &neutral_shell;

} // namespace

void SetEditorShell(CEditorShell* shell)
{
    current_shell = shell ? shell : &neutral_shell;
}

CEditorShell& GetEditorShell()
{
    return *current_shell;
}

SyntaxEditSettings& GetSyntaxEditSettings()
{
    static SyntaxEditSettings settings;
    return settings;
}

BEGIN_MESSAGE_MAP(CNColorEditCtrl, CColorEdit)
    ON_MESSAGE(EDN_RECOLOUR, &CNColorEditCtrl::OnRecolour)
    ON_MESSAGE(EDM_TAKEFOCUS, &CNColorEditCtrl::OnTakeFocus)
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_INITMENUPOPUP, &CNColorEditCtrl::OnInitMenuPopup)
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_PASTE, &CNColorEditCtrl::OnPasteMessage)
    ON_MESSAGE(EDM_FINDREPLACE, &CNColorEditCtrl::OnFindRelay)
    ON_MESSAGE(WM_SETCURSOR, &CNColorEditCtrl::OnSetCursor)
END_MESSAGE_MAP()

CNColorEditCtrl::CNColorEditCtrl() = default;

CNColorEditCtrl::~CNColorEditCtrl()
{
    if (m_hWnd)
        DestroyWindow();
    for (HBITMAP bitmap : m_menuBitmaps)
        if (bitmap)
            DeleteObject(bitmap);
}

BOOL CNColorEditCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    m_hParentWnd = parent;
    if (!CColorEdit::Create(nullptr, style, rect, parent, id))
        return FALSE;
    CreateToolTip();
    return TRUE;
}

void CNColorEditCtrl::OnDestroy()
{
    if (m_infoTip.m_hWnd)
        m_infoTip.DestroyWindow();
    if (m_hToolTip) {
        ::DestroyWindow(m_hToolTip);
        m_hToolTip = nullptr;
    }
    Default();
}

// ---------------------------------------------------------------------------
// Syntax template and colouring.

void CNColorEditCtrl::SetSyntaxTemplate(const SyntaxTemplatePtr& tmpl)
{
    m_template = tmpl;
    m_hasTemplate = tmpl != nullptr;
    InvalidateText(1);
}

void CNColorEditCtrl::ChooseDefaultTemplate()
{
    SetSyntaxTemplate(FindSyntaxTemplate(Core().GetPathName().c_str()));
}

int CNColorEditCtrl::ColorizeRange(int start, int end)
{
    SyntaxTemplatePtr tmpl = m_template.lock();
    return ::ColorizeRange(Core(), tmpl.get(), start, end, &m_commentIndex);
}

LRESULT CNColorEditCtrl::OnRecolour(WPARAM wParam, LPARAM)
{
    if (g_bSyntaxColoring && State().HasBuffers()) {
        SyntaxTemplatePtr tmpl = m_template.lock();
        m_nPaintStart = RecolourForPaint(Core(), tmpl.get(), m_nPaintStart, &m_commentIndex);
    }
    if (wParam)
        Invalidate(FALSE);
    CEditorShell& shell = GetEditorShell();
    shell.SetStatusText(4, (GetEditStyle() & ES_READONLY) ? "RO" : "RW");
    shell.EditorRefreshed(*this);
    return 1;
}

LRESULT CNColorEditCtrl::OnTakeFocus(WPARAM, LPARAM)
{
    SetFocus();
    GetEditorShell().RefreshBookmarks(*this);
    return 0;
}

LRESULT CNColorEditCtrl::OnFindRelay(WPARAM wParam, LPARAM lParam)
{
    HWND frame = GetEditorShell().MainFrame();
    return frame ? ::SendMessageA(frame, EDM_FINDREPLACE, wParam, lParam) : 0;
}

LRESULT CNColorEditCtrl::OnPasteMessage(WPARAM, LPARAM)
{
    Paste(0);
    return 0;
}

// ---------------------------------------------------------------------------
// Keys.

void CNColorEditCtrl::OnChar(UINT c, UINT, UINT)
{
    ProcessChar(static_cast<int>(c), GetKeyModifiers());
    Default();
}

void CNColorEditCtrl::OnKeyDown(UINT key, UINT, UINT)
{
    ProcessKeyDown(static_cast<int>(key), GetKeyModifiers());
    Default();
}

void CNColorEditCtrl::AfterEdit(int fromOffset)
{
    RecomputeLines();
    CaretFromOffset(SelStart());
    MakeColumnVisible(SelStart());
    m_nGoalColumn = m_nCaretColumn + HPos();
    if (m_dwScrollStyle & WS_VSCROLL)
        UpdateVScrollBar(Core().m_nVisibleLines < Lines());
    if (fromOffset < 0 || fromOffset <= Core().m_nTopOffset) {
        InvalidateText(1);
    } else {
        m_nPaintStart = Core().GetLineStart(fromOffset);
        m_nPaintEnd = -1;
        Invalidate(FALSE);
    }
    NotifyParent();
}

namespace {
const UINT_PTR kMultiClickTimer = 4;
} // namespace

void CNColorEditCtrl::ProcessChar(int c, int modifiers)
{
    GetEditorShell().RecordMacroEvent(c, modifiers, kMacroKey);
    if ((modifiers & KEYMOD_CTRL) && !(modifiers & KEYMOD_ALT))
        return;
    const SyntaxEditSettings& settings = GetSyntaxEditSettings();
    CColorEditCore& core = Core();

    if (c == 27) {
        m_bOverSelection = 0;
        if (m_bDragging) {
            EndDrag();
            SetCursor(DragCursor(kCursorDefault));
        }
        if (m_bIndentMove) {
            m_bIndentMove = 0;
            if (m_bIndentPressed)
                ReleaseCapture();
            m_bIndentPressed = false;
            DrawIndentGuide(true);
            HideSelection(0);
        }
        CColorEdit::ProcessChar(c, modifiers);
        return;
    }
    if (c == '\r' && settings.autoIndent && !ColumnMode() && !State().readOnly) {
        const int caret = SelStart();
        const int lineStart = core.GetLineStart(caret);
        int indent = 0;
        if (caret > 0 && ByteAt(caret - 1) == '{')
            indent = core.GetTabWidth();
        for (int i = lineStart; i < Len(); ++i) {
            const unsigned char b = ByteAt(i);
            if (b != ' ' && b != kTab && b != kFillByte)
                break;
            ++indent;
        }
        CColorEdit::ProcessChar(c, modifiers);
        if (indent > 0 && SelStart() == SelEnd()) {
            std::string blanks(static_cast<size_t>(indent), ' ');
            int length = indent;
            InsertStatus status;
            core.InsertText(reinterpret_cast<const uint8_t*>(blanks.data()), length, nullptr,
                            kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret, &status);
            if (status == kInsertDone)
                SelStart() = SelEnd() = std::min(SelStart() + length, Len());
            AfterEdit(core.GetLineStart(SelStart()));
        }
        return;
    }
    if (c == '\t' && !ColumnMode() && (SelEnd() > SelStart() || (modifiers & KEYMOD_SHIFT))) {
        int first = core.LineFromOffset(SelStart());
        int last = core.LineFromOffset(SelEnd());
        if (last > first && SelEnd() == core.GetLineStart(SelEnd()))
            --last;
        if (last > first || (modifiers & KEYMOD_SHIFT)) {
            ShiftSelectedLines(first, last, (modifiers & KEYMOD_SHIFT) ? -1 : 1);
            return;
        }
    }
    if (c == '}' && settings.autoIndent && !ColumnMode()) {
        CColorEdit::ProcessChar(c, modifiers);
        AlignClosingBrace();
        return;
    }
    CColorEdit::ProcessChar(c, modifiers);
}

// Tab and Shift+Tab over selected lines: one tab width of blanks more, or
// up to one tab width of leading blanks (and tab fill) less, on each line.
void CNColorEditCtrl::ShiftSelectedLines(int first, int last, int direction)
{
    CColorEditCore& core = Core();
    if (State().readOnly)
        return;
    const int tab = core.GetTabWidth();
    int selStart = SelStart(), selEnd = SelEnd();
    const int firstStart = core.GetLineOffset(first);
    CSingleUndoStep step(core);
    for (int line = last; line >= first; --line) {
        const int start = core.GetLineOffset(line);
        if (start < 0)
            continue;
        if (direction > 0) {
            std::string blanks(static_cast<size_t>(tab), ' ');
            int length = tab;
            core.SetSel(start, start, false, false);
            InsertStatus status;
            core.InsertText(reinterpret_cast<const uint8_t*>(blanks.data()), length, nullptr,
                            kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret, &status);
            if (status != kInsertDone)
                break;
            if (start < selStart)
                selStart += length;
            selEnd += length;
        } else {
            int n = 0;
            while (n < tab && start + n < Len()) {
                const unsigned char b = ByteAt(start + n);
                if (b != ' ' && b != kTab && b != kFillByte)
                    break;
                ++n;
            }
            if (n == 0)
                continue;
            core.SetSel(start, start + n, false, false);
            const int before = Len();
            if (core.DeleteText(true, true, 0) < 0)
                break;
            const int removed = before - Len();
            if (start < selStart)
                selStart = std::max(start, selStart - removed);
            selEnd = std::max(selStart, selEnd - removed);
        }
    }
    SelStart() = std::min(std::max(selStart, firstStart), Len());
    SelEnd() = std::min(std::max(selEnd, SelStart()), Len());
    step.End();
    AfterEdit(firstStart);
}

// After a typed "}": the brace goes to the column of its "{" when that
// stands on an earlier line.
void CNColorEditCtrl::AlignClosingBrace()
{
    CColorEditCore& core = Core();
    const int close = SelStart() - 1;
    if (close < 0 || ByteAt(close) != '}' || State().readOnly)
        return;
    const char* text = reinterpret_cast<const char*>(Buf());
    const char* open = FindOpeningBracket(text + close, false, text);
    if (!open)
        return;
    const int openOffset = static_cast<int>(open - text);
    if (core.LineFromOffset(openOffset) >= core.LineFromOffset(close))
        return;
    const int openColumn = openOffset - core.GetLineStart(openOffset);
    const int lineStart = core.GetLineStart(close);
    const int closeColumn = close - lineStart;
    if (closeColumn < openColumn) {
        int length = openColumn - closeColumn;
        std::string blanks(static_cast<size_t>(length), ' ');
        core.SetSel(close, close, false, false);
        InsertStatus status;
        core.InsertText(reinterpret_cast<const uint8_t*>(blanks.data()), length, nullptr,
                        kInsertRecordUndo | kInsertKeepCaret, &status);
        SelStart() = SelEnd() = std::min(close + (status == kInsertDone ? length : 0) + 1, Len());
    } else if (closeColumn > openColumn) {
        const int n = closeColumn - openColumn;
        for (int i = close - n; i < close; ++i)
            if (ByteAt(i) != ' ')
                return;
        core.SetSel(close - n, close, false, false);
        if (core.DeleteText(true, true, 0) < 0) {
            SelStart() = SelEnd() = close + 1;
            return;
        }
        SelStart() = SelEnd() = std::min(close - n + 1, Len());
    } else {
        return;
    }
    AfterEdit(lineStart);
}

void CNColorEditCtrl::ProcessKeyDown(int key, int modifiers)
{
    GetEditorShell().RecordMacroEvent(key, modifiers, kMacroKeyDown);
    if (key != VK_SHIFT)
        m_bOverSelection = 0;
    else if (m_bDragging)
        SetCursor(DragCursor(CursorKind()));
    if (key == VK_F12) {
        const int line = Core().LineFromOffset(SelStart());
        CEditorShell& shell = GetEditorShell();
        if (shell.HasBookmark(*this, line))
            shell.RemoveBookmark(*this, line);
        else
            shell.AddBookmark(*this, line, BookmarkName(line));
        NotifyParent();
        return;
    }
    ProcessKey(key, modifiers);
}

// "%s Line: %d": the title without its " *" mark, cut to its last 35
// characters behind "...", and the 1-based line.
std::string CNColorEditCtrl::BookmarkName(int line)
{
    std::string title = GetEditorShell().DocumentTitle(*this);
    if (title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0)
        title.erase(title.size() - 2);
    if (title.size() > 35)
        title = "..." + title.substr(title.size() - 35);
    return title + " Line: " + std::to_string(line + 1);
}

// ---------------------------------------------------------------------------
// Focus bookkeeping for the position history.

void CNColorEditCtrl::OnSetFocus(HWND oldFocus)
{
    HideSelection(0);
    CColorEdit::OnSetFocus(oldFocus);
    GetEditorShell().EditorActivated(*this);
}

void CNColorEditCtrl::OnKillFocus(HWND newFocus)
{
    CColorEdit::OnKillFocus(newFocus);
    CEditorShell& shell = GetEditorShell();
    if (newFocus != m_hWnd && shell.TracksPositions(*this)) {
        shell.SetPendingPosition(*this, Core().m_nTopLine, Core().LineFromOffset(SelStart()), SelStart());
    }
}

// ---------------------------------------------------------------------------
// Scrolling with the thumb tip.

void CNColorEditCtrl::OnVScroll(UINT code, UINT pos, HWND bar)
{
    CColorEdit::OnVScroll(code, pos, bar);
    m_infoTip.OnScroll(m_hWnd, code, SB_VERT, std::to_string(Core().m_nTopLine + 1),
                       GetScrollBarCtrl(SB_VERT));
}

void CNColorEditCtrl::OnHScroll(UINT code, UINT pos, HWND bar)
{
    CColorEdit::OnHScroll(code, pos, bar);
    m_infoTip.OnScroll(m_hWnd, code, SB_HORZ, std::to_string(HPos() + 1), GetScrollBarCtrl(SB_HORZ));
}

// ---------------------------------------------------------------------------
// Mouse.

void CNColorEditCtrl::OnLButtonDown(UINT flags, POINT point)
{
    if (m_bIndentMove) {
        // The press point of the move, on whole cells.
        m_nPressX = m_nPointerX = point.x / std::max(1, m_nCharWidth) * m_nCharWidth;
        m_nPressSelStart = SelStart();
        m_bIndentPressed = true;
        SetCapture();
        return;
    }
    if (m_nMultiClickTicks > 0) {
        ++m_nFurtherClicks;
        CColorEditCore& core = Core();
        if (m_nFurtherClicks == 1) {
            const int start = core.GetLineStart(SelStart());
            const int line = core.LineFromOffset(start);
            const int next = line + 1 < Lines() ? core.GetLineOffset(line + 1) : Len();
            SetSel(start, next, false, true);
            RecomputeLines();
            NotifyParent();
            return;
        }
        if (m_nFurtherClicks == 2) {
            KillTimer(kMultiClickTimer);
            SetSel(0, Len(), false, true);
            RecomputeLines();
            NotifyParent();
            return;
        }
        m_nMultiClickTicks = 0;
        m_nFurtherClicks = 0;
    }
    if (GetSyntaxEditSettings().extMovTxt && m_bOverSelection && !m_bDragging) {
        StartDrag();
        return;
    }
    CColorEdit::OnLButtonDown(flags, point);
    const int caret = SelStart();
    const int line = Core().LineFromOffset(caret);
    GetEditorShell().ShowCaretPosition(line + 1, caret - Core().GetLineStart(caret) + 1, caret);
}

void CNColorEditCtrl::OnLButtonUp(UINT flags, POINT point)
{
    if (m_bIndentMove && m_bIndentPressed) {
        ReleaseCapture();
        EndIndentMove();
    } else if (m_bDragging) {
        FinishDrag(flags, point);
    }
    NotifySplitRows();
    CColorEdit::OnLButtonUp(flags, point);
}

void CNColorEditCtrl::OnLButtonDblClk(UINT flags, POINT point)
{
    if (GetSyntaxEditSettings().multiClick && m_nMultiClickTicks == 0) {
        m_nMultiClickTicks = 1;
        m_nFurtherClicks = 0;
        SetTimer(kMultiClickTimer, 300);
    }
    CColorEdit::OnLButtonDblClk(flags, point);
}

void CNColorEditCtrl::OnTimer(UINT_PTR id)
{
    if (id == kMultiClickTimer) {
        // Further clicks count for three ticks after the double click.
        if (m_nMultiClickTicks >= 3 || m_nMultiClickTicks == 0) {
            m_nMultiClickTicks = 0;
            m_nFurtherClicks = 0;
            KillTimer(kMultiClickTimer);
        } else {
            ++m_nMultiClickTicks;
        }
        return;
    }
    if (id == kDragScrollTimer) {
        OnDragTimer();
        return;
    }
    CColorEdit::OnTimer(id);
}

// ---------------------------------------------------------------------------
// Indent move: selected lines shifted sideways with the mouse.

void CNColorEditCtrl::StartIndentMove()
{
    CColorEditCore& core = Core();
    m_nFirstSelLine = core.LineFromOffset(SelStart());
    m_nLastSelLine = core.LineFromOffset(SelEnd());
    m_nIndentColumn = SelStart() - core.GetLineStart(SelStart());
    m_nPressX = m_nPointerX = (m_nIndentColumn - HPos()) * m_nCharWidth;
    m_bIndentPressed = false;
    m_bIndentMove = 1;
    HideSelection(1);
    UpdateWindow();
    DrawIndentGuide(false);
}

// The guide: a 2-pixel green line from the first to the last selected line
// at the pointer, a 1-pixel blue line inside it.
void CNColorEditCtrl::DrawIndentGuide(bool erase)
{
    if (!m_hWnd)
        return;
    if (!IsRectEmpty(&m_rcGuide)) {
        InvalidateRect(&m_rcGuide, FALSE);
        SetRectEmpty(&m_rcGuide);
        UpdateWindow();
    }
    if (erase)
        return;
    const int top = (m_nFirstSelLine - Core().m_nTopLine) * m_nCharHeight;
    const int bottom = (m_nLastSelLine - Core().m_nTopLine + 1) * m_nCharHeight;
    m_rcGuide = RECT{m_nPointerX, std::max(0, top), m_nPointerX + 2, std::max(0, bottom)};
    winui::CClientDC dc(m_hWnd);
    winui::FillSolidRect(dc, m_rcGuide, RGB(0, 160, 0));
    RECT inner{m_nPointerX, m_rcGuide.top, m_nPointerX + 1, m_rcGuide.bottom};
    winui::FillSolidRect(dc, inner, RGB(0, 0, 255));
}

void CNColorEditCtrl::EndIndentMove()
{
    m_bIndentMove = 0;
    m_bIndentPressed = false;
    DrawIndentGuide(true);
    CColorEditCore& core = Core();
    const int column = m_nIndentColumn;
    int shift = (m_nPointerX - m_nPressX) / std::max(1, m_nCharWidth);
    shift = std::max(shift, -column);
    CSingleUndoStep step(core);
    if (shift > 0)
        ShiftColumn(column, m_nFirstSelLine, m_nLastSelLine, shift, ' ');
    else if (shift < 0)
        ShiftColumn(column + shift, m_nFirstSelLine, m_nLastSelLine, shift, ' ');
    step.End();
    const int lastStart = core.GetLineOffset(m_nLastSelLine);
    const int end = lastStart < 0 ? Len() : core.GetLineEnd(lastStart);
    const int start = std::max(0, std::min(m_nPressSelStart + shift, end));
    HideSelection(0);
    SetSel(start, end, true, true);
    RecomputeLines();
    NotifyParent();
}

// ---------------------------------------------------------------------------
// Clipboard with macro recording.

int CNColorEditCtrl::Copy(int append)
{
    GetEditorShell().RecordMacroEvent(append ? ID_EDIT_COPYAPPEND : ID_EDIT_COPY_CMD, 0, kMacroCommand);
    return CColorEdit::Copy(append);
}

void CNColorEditCtrl::Cut()
{
    GetEditorShell().RecordMacroEvent(ID_EDIT_CUT_CMD, 0, kMacroCommand);
    CColorEdit::Cut();
}

void CNColorEditCtrl::Paste(int mode)
{
    if (mode != 0) {
        // A column paste writes into every line it reaches.
        CSingleUndoStep step(Core());
        CColorEdit::Paste(mode);
    } else {
        CColorEdit::Paste(mode);
    }
    NotifyParent();
    GetEditorShell().RecordMacroEvent(ID_EDIT_PASTE_CMD, 0, kMacroCommand);
}

bool CNColorEditCtrl::GetClipboardText(std::string& text) const
{
    text.clear();
    winui::CClipboard clip(m_hWnd);
    bool got = clip.IsOpen() && clip.GetText(text);
    if (!got)
        text.clear();
    return got;
}

void CNColorEditCtrl::SelectAllText()
{
    SelStart() = 0;
    SelEnd() = Len();
    SetColumnMode(0);
    Core().SetTopLine(0);
    SetScrollPos(SB_HORZ, 0, TRUE);
    SetVScrollFromTop();
    CaretFromOffset(0);
    RecomputeLines();
    InvalidateText(1);
    NotifyParent();
    GetEditorShell().ShowCaretPosition(1, 1, 0);
}

void CNColorEditCtrl::SetTopLine(int line, int repaint)
{
    line = std::max(0, std::min(line, Lines() - 1));
    Core().SetTopLine(line);
    SetVScrollFromTop();
    PlaceCaret();
    if (repaint) {
        m_nPaintStart = -1;
        Invalidate(TRUE);
    }
}

// ---------------------------------------------------------------------------
// Brace matching.

void CNColorEditCtrl::PrepareBraceGoto()
{
    ::PrepareBraceGoto(Core(), m_braceState, GetSyntaxEditSettings().supressComments != 0);
}

int CNColorEditCtrl::GoToMatchingBrace(int direction)
{
    int hit = ::GoToMatchingBrace(Core(), m_braceState, direction, GetSyntaxEditSettings().supressComments != 0);
    if (hit < 0) {
        if (direction > 0)
            winui::ShowMessageBox(m_hWnd, "No closing brace found", "Goto closing brace", MB_ICONINFORMATION);
        else
            winui::ShowMessageBox(m_hWnd, "No opening brace found", "Goto opening brace", MB_ICONINFORMATION);
        return -1;
    }
    CaretFromOffset(SelStart());
    RecomputeLines();
    EnsureCaretVisible();
    InvalidateText(0);
    return hit;
}

// ---------------------------------------------------------------------------
// Searches and lexical tests on the own text.

int CNColorEditCtrl::FindTextSkipComments(const char* text, int flags, int from, int to, bool select,
                                          bool skipComments)
{
    return ::FindTextSkipComments(Core(), text, flags, from, to, select, skipComments);
}

bool CNColorEditCtrl::IsInComment(const char* position) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text && position && IsInsideComment(position, text);
}

bool CNColorEditCtrl::IsInString(const char* position) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text && position && IsInsideString(position, text);
}

bool CNColorEditCtrl::IsPreprocessorLine(int offset) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text && offset >= 0 && offset <= Len() && ::IsPreprocessorLine(text + offset, text);
}

int CNColorEditCtrl::CountBracketBalance(int from, int to, char bracket) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    if (!text)
        return 0;
    from = std::max(0, std::min(from, Len()));
    const char* end = to < 0 ? nullptr : text + std::min(std::max(to, from), Len());
    return ::CountBracketBalance(text + from, end, bracket, text);
}

int CNColorEditCtrl::FindCommentOpen(int from, int to) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text ? ::FindCommentOpen(from, to < 0 ? Len() : to, text) : -1;
}

int CNColorEditCtrl::FindCommentClose(int from, int to) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text ? ::FindCommentClose(from, to < 0 ? Len() : to, text) : -1;
}

int CNColorEditCtrl::FindLastCommentOpen(int position, int lowerBound) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text ? ::FindLastCommentOpen(position, lowerBound, text) : -1;
}

int CNColorEditCtrl::FindLastCommentClose(int position, int lowerBound) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text ? ::FindLastCommentClose(position, lowerBound, text) : -1;
}

int CNColorEditCtrl::GetWordAtPoint(POINT point, int& start, std::string& word) const
{
    int offset = -1;
    if (!Buf() || !OffsetFromPoint(point, offset) || offset < 0 || offset >= Len())
        return -1;
    return WordAtOffset(reinterpret_cast<const char*>(Buf()), Len(), offset, start, word);
}

// ---------------------------------------------------------------------------
// Parsers on the own text.

int CNColorEditCtrl::ParseCFunctions(CSymbolMap& map, COvantaDoc* document, CSymbolMap* variables)
{
    const char* text = reinterpret_cast<const char*>(Buf());
    if (!text)
        return 0;
    return ::ParseCFunctions(text, static_cast<size_t>(Len()), map, document, Core().GetPathName(), variables);
}

bool CNColorEditCtrl::FindNextBlock(int& pos, int& blockEnd) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    if (!text || pos < 0)
        return false;
    size_t p = static_cast<size_t>(pos), end = 0;
    if (!::FindNextBlock(text, static_cast<size_t>(Len()), p, end))
        return false;
    pos = static_cast<int>(p);
    blockEnd = static_cast<int>(end);
    return true;
}

void CNColorEditCtrl::CollectCalls(std::vector<std::string>& names, int from, int to, bool multiple) const
{
    const char* text = reinterpret_cast<const char*>(Buf());
    if (!text)
        return;
    from = std::max(0, std::min(from, Len()));
    to = std::max(from, std::min(to, Len()));
    ::CollectCalls(text, static_cast<size_t>(from), static_cast<size_t>(to), multiple, names);
}

int CNColorEditCtrl::ParsePerlSubs(CSymbolMap& map, COvantaDoc* document)
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text ? ::ParsePerlSubs(text, static_cast<size_t>(Len()), map, document, Core().GetPathName()) : 0;
}

int CNColorEditCtrl::ParseVerilogBlocks(CSymbolMap& map, COvantaDoc* document, const char* begin, const char* end)
{
    const char* text = reinterpret_cast<const char*>(Buf());
    return text ? ::ParseVerilogBlocks(text, static_cast<size_t>(Len()), map, document, Core().GetPathName(),
                                       begin, end)
                : 0;
}

void CNColorEditCtrl::ParseVerilogNamedBlocks(const CSymbolInfo& module, std::vector<CSymbolInfo>& list) const
{
    if (const char* text = reinterpret_cast<const char*>(Buf()))
        ::ParseVerilogNamedBlocks(text, static_cast<size_t>(Len()), module, list);
}

void CNColorEditCtrl::ParseVerilogAssigns(const CSymbolInfo& module, std::vector<CSymbolInfo>& list) const
{
    if (const char* text = reinterpret_cast<const char*>(Buf()))
        ::ParseVerilogAssigns(text, static_cast<size_t>(Len()), module, list);
}

void CNColorEditCtrl::ParseVerilogPorts(const CSymbolInfo& module, std::vector<CSymbolInfo>& list, int kind) const
{
    if (const char* text = reinterpret_cast<const char*>(Buf()))
        ::ParseVerilogPorts(text, static_cast<size_t>(Len()), module, list, kind);
}

// ---------------------------------------------------------------------------
// Line, column and case tools.

namespace {

// Runs a line tool of the syntax core and repaints from where it changed.
template <class Tool>
void RunLineTool(CNColorEditCtrl& ctrl, Tool tool, void (CNColorEditCtrl::*after)(int))
{
    const int from = tool();
    if (from >= 0)
        (ctrl.*after)(from);
}

} // namespace

void CNColorEditCtrl::DeleteLine()
{
    GetEditorShell().RecordMacroEvent(ID_EDIT_DELETELINE, 0, kMacroCommand);
    RunLineTool(*this, [this] { return ::DeleteLine(Core()); }, &CNColorEditCtrl::RepaintFrom);
}

void CNColorEditCtrl::DeleteToLineEnd()
{
    RunLineTool(*this, [this] { return ::DeleteToLineEnd(Core()); }, &CNColorEditCtrl::RepaintFrom);
}

void CNColorEditCtrl::ColumnInsertBlank()
{
    RunLineTool(*this, [this] { return ::ColumnInsertBlank(Core()); }, &CNColorEditCtrl::RepaintFrom);
}

void CNColorEditCtrl::ColumnDeleteBlank()
{
    RunLineTool(*this, [this] { return ::ColumnDeleteBlank(Core()); }, &CNColorEditCtrl::RepaintFrom);
}

void CNColorEditCtrl::IndentLinesByBlank()
{
    RunLineTool(*this, [this] { return ::IndentLinesByBlank(Core()); }, &CNColorEditCtrl::RepaintFrom);
}

void CNColorEditCtrl::UnindentLinesByBlank()
{
    RunLineTool(*this, [this] { return ::UnindentLinesByBlank(Core()); }, &CNColorEditCtrl::RepaintFrom);
}

void CNColorEditCtrl::ConvertColumnCase(int mode)
{
    const CTextRect& block = ColumnRect();
    const int left = block.left / std::max(1, m_nCharWidth);
    const int right = block.right / std::max(1, m_nCharWidth);
    const int first = block.top / std::max(1, m_nCharHeight);
    const int last = std::max(first, block.bottom / std::max(1, m_nCharHeight) - 1);
    RunLineTool(*this, [&] { return ::ConvertColumnCase(Core(), first, last, left, right, mode); },
                &CNColorEditCtrl::RepaintFrom);
}

void CNColorEditCtrl::DeleteTrailingSpaces(int first, int last)
{
    GetEditorShell().SetStatusText(0, "Delete apces at line end...");
    const int top = Core().m_nTopLine;
    if (::DeleteTrailingSpaces(Core(), first, last) > 0) {
        Core().SetTopLine(std::min(top, Lines() - 1));
        AfterEdit(-1);
    }
    GetEditorShell().SetStatusText(0, "");
}

void CNColorEditCtrl::DeleteLeadingSpaces(int first, int last, int keepCommentBlanks)
{
    GetEditorShell().SetStatusText(0, "Delete spaces at line start...");
    const int top = Core().m_nTopLine;
    if (::DeleteLeadingSpaces(Core(), first, last, keepCommentBlanks != 0) > 0) {
        Core().SetTopLine(std::min(top, Lines() - 1));
        AfterEdit(-1);
    }
    GetEditorShell().SetStatusText(0, "");
}

void CNColorEditCtrl::DeleteEmptyLines(int first, int last)
{
    const int top = Core().m_nTopLine;
    if (::DeleteEmptyLines(Core(), first, last) > 0) {
        Core().SetTopLine(std::min(top, Lines() - 1));
        AfterEdit(-1);
    }
}

int CNColorEditCtrl::CountLinesOfCode() const
{
    return ::CountLinesOfCode(Core());
}

bool CNColorEditCtrl::ReadTextFile(const char* path, std::string& text)
{
    return path && ::ReadTextFile(path, text);
}

int CNColorEditCtrl::MatchLetterCase(std::string& text, const std::string& model)
{
    return ::MatchLetterCase(text, model);
}

bool CNColorEditCtrl::IsAllUpper(const std::string& text)
{
    return ::IsAllUpper(text);
}

bool CNColorEditCtrl::IsAllLower(const std::string& text)
{
    return ::IsAllLower(text);
}

int CNColorEditCtrl::ClassifyNumber(const std::string& text)
{
    return ::ClassifyNumber(text);
}

void CNColorEditCtrl::IndentTextLines(std::string& text, int count) const
{
    ::IndentTextLines(text, count, WrapOn());
}

// ---------------------------------------------------------------------------
// Files.

void CNColorEditCtrl::LoadProgress(int64_t bytesRead, int64_t total, int lines)
{
    CEditorShell& shell = GetEditorShell();
    shell.SetProgress(total > 0 ? static_cast<int>(bytesRead * 100 / total) : 0);
    shell.SetStatusText(2, std::to_string(lines));
}

int CNColorEditCtrl::SaveLineWrapSetting()
{
    return GetEditorShell().SaveLineWrap() ? 1 : 0;
}

int CNColorEditCtrl::LoadFile(const char* path)
{
    const std::string file = path && *path ? std::string(path) : Core().GetPathName();
    if (file.empty())
        return 0;
    // The first block tells the line ends; the size whether there is
    // anything to show progress for.
    std::vector<uint8_t> probe;
    long long size = 0;
    if (FILE* f = std::fopen(file.c_str(), "rb")) {
        probe.resize(32777);
        probe.resize(std::fread(probe.data(), 1, probe.size(), f));
        if (std::fseek(f, 0, SEEK_END) == 0)
            size = std::ftell(f);
        std::fclose(f);
    }
    CEditorShell& shell = GetEditorShell();
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const bool progress = size > 0;
    if (progress) {
        shell.SetProgress(0);
        shell.SetStatusText(0, "Load and Reformatting...");
    }
    const int loaded = Core().LoadFile(path && *path ? path : nullptr);
    if (progress) {
        shell.SetProgress(0);
        shell.SetStatusText(0, "");
    }
    SetCursor(old);
    if (!loaded)
        return 0;
    if (progress)
        State().unixFormat = HasLfOnlyLineEnds(probe.data(), probe.size()) ? 1 : 0;
    SelStart() = SelEnd() = 0;
    Core().SetTopLine(0);
    if (g_bSyntaxColoring) {
        m_commentIndex.TextChanged(0);
        ColorizeRange(0, Core().GetPageEndOffset());
    }
    SetModify(0);
    if (m_hWnd) {
        CaretFromOffset(0);
        RecomputeLines();
        if (m_dwScrollStyle & WS_VSCROLL)
            UpdateVScrollBar(Core().m_nVisibleLines < Lines());
        SetVScrollFromTop();
        InvalidateText(1);
    }
    return 1;
}
