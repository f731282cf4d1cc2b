// CColorEdit: window class, creation, message map, notifications, focus,
// size, caret placement and the host side of the text core.
#include "editor/editctl/window/coloredit.h"

#include "editor/editctl/color_table.h"
#include "winui/app.h"
#include "winui/msgbox.h"

#include <algorithm>
#include <cstring>

static const char edit_class[] = "CEDIT";

ColorEditSettings& GetColorEditSettings()
{
    static ColorEditSettings settings;
    return settings;
}

BEGIN_MESSAGE_MAP(CColorEdit, winui::CWnd)
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_TIMER()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYUP()
    ON_WM_SYSKEYDOWN()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CColorEdit::CColorEdit()
{
    m_crText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindow = GetSysColor(COLOR_WINDOW);
    m_core.m_crBackground = m_crWindow;
    m_core.SetHost(this);
    // An existing class (a second control) is simply used again.
    winui::CWnd::RegisterClass(edit_class, CS_OWNDC | CS_DBLCLKS, LoadCursor(nullptr, IDC_IBEAM),
                               nullptr, nullptr);
    // The click count setting starts at 2 (GetColorEditSettings); a new
    // window leaves the user's choice alone.
}

CColorEdit::~CColorEdit()
{
    // The window goes before the font it draws with; the core frees its own
    // buffers (never a document's) in its destructor.
    if (m_hWnd)
        DestroyWindow();
    m_pFont = nullptr;
    m_core.SetHost(nullptr);
}

BOOL CColorEdit::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = edit_class;
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CColorEdit::Create(const char* windowName, DWORD style, const RECT& rect, HWND parent,
                        UINT id)
{
    CREATESTRUCTA cs{};
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    PreCreateWindow(cs);
    BOOL created = CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                            cs.cy, cs.hwndParent, cs.hMenu);
    if (!created)
        return FALSE;

    SetScrollRange(SB_HORZ, 0, 0x7fff, TRUE);
    if (style & WS_HSCROLL) {
        ShowScrollBar(SB_HORZ, TRUE);
        m_dwScrollStyle |= WS_HSCROLL;
    } else {
        ShowScrollBar(SB_HORZ, FALSE);
    }

    m_font.CreateFont(-10, 0, 0, 0, 400, 0, 0, 0, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, 48, "Courier");
    m_pFont = &m_font;
    MeasureFont();

    if (style & WS_VSCROLL) {
        m_dwScrollStyle |= WS_VSCROLL;
        UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
    } else {
        ShowScrollBar(SB_VERT, FALSE);
    }
    m_bCreated = 1;
    SetFocus();
    return created;
}

// The cell size from the font's metrics (average character width, height)
// and the whole cells that fit the client area.
void CColorEdit::MeasureFont()
{
    {
        winui::CClientDC dc(m_hWnd);
        winui::CSelectObject select(dc, m_font);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        m_nCharWidth = std::max<int>(1, tm.tmAveCharWidth);
        m_nCharHeight = std::max<int>(1, tm.tmHeight);
    }
    RECT rc;
    GetClientRect(&rc);
    int height = rc.bottom - ((GetStyle() & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    m_core.m_nVisibleLines = std::max(0, height / m_nCharHeight);
    m_nVisibleColumns = static_cast<unsigned short>(std::max<int>(0, rc.right / m_nCharWidth));
}

void CColorEdit::SetSharedScrollBars(HWND horizontal, HWND vertical)
{
    m_hSharedHScroll = horizontal;
    m_hSharedVScroll = vertical;
}

HWND CColorEdit::GetScrollBarCtrl(int bar) const
{
    if (bar == SB_HORZ && m_hSharedHScroll)
        return m_hSharedHScroll;
    if (bar == SB_VERT && m_hSharedVScroll)
        return m_hSharedVScroll;
    return winui::CWnd::GetScrollBarCtrl(bar);
}

DWORD CColorEdit::GetEditStyle() const
{
    DWORD style = GetStyle();
    return State().readOnly ? (style | ES_READONLY) : (style & ~static_cast<DWORD>(ES_READONLY));
}

// ---------------------------------------------------------------------------
// Notifications.

void CColorEdit::NotifyParent() const
{
    if (m_hWnd)
        ::SendMessageA(GetParent(), EDN_CARETMOVED, 0, 0);
}

void CColorEdit::NotifyScroll(int position, int code) const
{
    HWND parent = GetParent();
    HWND grand = parent ? ::GetParent(parent) : nullptr;
    if (grand)
        ::SendMessageA(grand, EDN_SHAREDSCROLL, static_cast<WPARAM>(position), code);
}

void CColorEdit::NotifyMouseSelect() const
{
    HWND main = nullptr;
    if (winui::CWinApp* app = winui::GetApp())
        main = app->m_hMainWnd;
    if (!main)
        main = ::GetAncestor(m_hWnd, GA_ROOT);
    if (main)
        ::SendMessageA(main, EDN_MOUSESELECT, 0, reinterpret_cast<LPARAM>(m_hWnd));
}

int CColorEdit::VScrollPosition() const
{
    if (Lines() <= 0)
        return 0;
    return static_cast<int>(static_cast<double>(m_core.m_nTopLine) / Lines() * 0x7fff);
}

void CColorEdit::SetVScrollFromTop(BOOL redraw)
{
    HWND bars[2];
    if (!m_hSharedVScroll && SplitterBars(bars)) {
        for (HWND bar : bars)
            if (bar)
                ::SetScrollPos(bar, SB_CTL, VScrollPosition(), redraw);
        return;
    }
    SetScrollPos(SB_VERT, VScrollPosition(), redraw);
}

// ---------------------------------------------------------------------------
// Host side of the text core.

void CColorEdit::ModifiedChanged(int flag)
{
    if (m_hWnd)
        ::SendMessageA(GetParent(), EDN_MODIFIED, static_cast<WPARAM>(flag), 0);
}

void CColorEdit::LineCountChanged(int diff, int caretLine)
{
    if (m_hWnd)
        ::SendMessageA(GetParent(), EDN_LINECOUNT, static_cast<WPARAM>(diff), caretLine);
}

void CColorEdit::Recolour(int value)
{
    if (m_hWnd)
        SendMessage(EDN_RECOLOUR, static_cast<WPARAM>(value), reinterpret_cast<LPARAM>(m_hWnd));
}

void CColorEdit::SelectionChanged()
{
    NotifyParent();
}

void CColorEdit::TextChanged(int fromOffset)
{
    if (!m_hWnd)
        return;
    if (fromOffset < 0 || fromOffset <= m_core.m_nTopOffset) {
        m_nPaintStart = -1;
        Invalidate(TRUE);
    } else {
        m_nPaintStart = fromOffset;
        m_nPaintEnd = -1;
        Invalidate(FALSE);
    }
}

void CColorEdit::ViewScrolled()
{
    if (!m_hWnd)
        return;
    if (m_bCreated && (m_dwScrollStyle & WS_VSCROLL))
        UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
    PlaceCaret();
    m_nPaintStart = -1;
    Invalidate(TRUE);
}

void CColorEdit::SelectionSet(int oldStart, int oldEnd, bool scroll, bool redraw)
{
    if (!m_hWnd)
        return;
    // The core has scrolled already; the window places the caret and
    // redraws.
    m_core.m_nCaretLine = m_core.LineFromOffset(SelStart());
    m_nSelEndLine = m_core.LineFromOffset(SelEnd());
    if (redraw) {
        if (m_dwScrollStyle & WS_VSCROLL)
            UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
        CaretFromOffset(SelStart());
        m_nGoalColumn = m_nCaretColumn + HPos();
        m_nPaintStart = -1;
        Invalidate(FALSE);
        if (SelEnd() > SelStart())
            NotifyParent();
    }
}

void CColorEdit::TakeFocus()
{
    if (m_hWnd)
        SetFocus();
}

void CColorEdit::ReportOutOfMemory()
{
    winui::ShowMessageBox(m_hWnd, kOutOfMemoryText, "", MB_OK);
}

int CColorEdit::AskYesNo(const char* text, const char* caption)
{
    return winui::ShowMessageBox(m_hWnd, text, caption, MB_YESNO | MB_ICONEXCLAMATION);
}

void CColorEdit::ReportFileRefused(const char* text, const char* path)
{
    winui::ShowMessageBox(m_hWnd, text, path, MB_OK | MB_ICONSTOP);
}

void CColorEdit::LoadProgress(int64_t, int64_t, int) {}

int CColorEdit::SaveLineWrapSetting()
{
    return 0;
}

// ---------------------------------------------------------------------------
// Caret.

void CColorEdit::CreateEditCaret()
{
    CreateSolidCaret(m_bInsertMode ? 2 : m_nCharWidth, m_nCharHeight);
}

// Places the caret on an offset: its cell column and row on the screen.
void CColorEdit::CaretFromOffset(int offset)
{
    offset = std::max(0, std::min(offset, Len()));
    int start = m_core.GetLineStart(offset);
    int line = m_core.LineFromOffset(offset);
    m_nCaretOffset = offset;
    m_nCaretColumn = offset - start - HPos();
    m_nCaretRow = line - m_core.m_nTopLine;
    SetCaretPos(m_nCaretColumn * m_nCharWidth, m_nCaretRow * m_nCharHeight);
}

void CColorEdit::PlaceCaret()
{
    CaretFromOffset(m_nCaretOffset);
}

void CColorEdit::RecomputeLines()
{
    m_core.m_nCaretLine = m_core.LineFromOffset(SelStart());
    m_nSelEndLine = m_core.LineFromOffset(SelEnd());
}

int CColorEdit::GetCaretLine() const
{
    POINT pt{m_nSavedCaretX, m_nSavedCaretY};
    if (HasFocus())
        pt = GetCaretPos();
    return std::max<LONG>(0, pt.y) / m_nCharHeight + m_core.m_nTopLine;
}

int CColorEdit::GetCaretColumn() const
{
    POINT pt{m_nSavedCaretX, m_nSavedCaretY};
    if (HasFocus())
        pt = GetCaretPos();
    return std::max<LONG>(0, pt.x) / m_nCharWidth + HPos();
}

// ---------------------------------------------------------------------------
// Focus and size.

void CColorEdit::OnSetFocus(HWND)
{
    Default();
    CreateEditCaret();
    // The caret comes back on its offset rather than its old pixels: another
    // pane of the same text may have moved the selection meanwhile.
    if (m_nCaretOffset < SelStart() || m_nCaretOffset > SelEnd() ||
        (m_nCaretOffset != SelStart() && m_nCaretOffset != SelEnd()))
        m_nCaretOffset = SelStart();
    PlaceCaret();
    ShowCaret();
    if (m_bCreated)
        UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
    if (m_nClickCount == 0)
        m_nClickCount = 1;
}

void CColorEdit::OnKillFocus(HWND)
{
    POINT pt = GetCaretPos();
    m_nSavedCaretX = pt.x;
    m_nSavedCaretY = pt.y;
    Default();
    DestroyCaret();
    m_nClickCount = 0;
    m_bKeyReleased = 1;
}

void CColorEdit::OnRButtonDown(UINT, POINT)
{
    SetFocus();
    Default();
}

void CColorEdit::OnRButtonUp(UINT, POINT)
{
    Default();
}

void CColorEdit::OnSize(UINT type, int cx, int cy)
{
    Default();
    if (!m_bCreated)
        return;
    int height = cy - ((GetStyle() & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    m_core.m_nVisibleLines = std::max(0, height / m_nCharHeight);
    UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
    int width = cx - ((m_dwScrollStyle & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    m_nVisibleColumns = static_cast<unsigned short>(std::max(0, width / m_nCharWidth));
    if (m_core.m_nVisibleLines >= Lines()) {
        m_core.m_nTopLine = 0;
        m_core.m_nTopOffset = 0;
    }
    SetVScrollFromTop(FALSE);
    // A new size lays the page out anew; the bits the system may have kept
    // from the old place (copied while the window moved, even from parts a
    // sibling covered) are not this text's, so all of it is drawn again.
    // A layout pass that leaves the size as it was costs no repaint.
    m_nPaintStart = -1;
    m_nPaintEnd = -1;
    if (cx != m_sizeClient.cx || cy != m_sizeClient.cy) {
        m_sizeClient = SIZE{cx, cy};
        Invalidate(TRUE);
    }
}

// ---------------------------------------------------------------------------
// Window-side operations of the selection and the view.

void CColorEdit::HideSelection(int hide)
{
    int was = m_core.m_bShowSelection;
    m_core.m_bShowSelection = hide ? 0 : 1;
    if (!m_hWnd || was == m_core.m_bShowSelection)
        return;
    m_nPaintStart = -1;
    Invalidate(FALSE);
    if (m_core.m_bShowSelection && SelEnd() > SelStart())
        NotifyParent();
}

void CColorEdit::InvalidateText(int all)
{
    if (!m_hWnd)
        return;
    m_nPaintStart = all ? -1 : m_core.m_nTopOffset;
    m_nPaintEnd = -1;
    Invalidate(all ? TRUE : FALSE);
}

void CColorEdit::EnsureCaretVisible()
{
    // The line of the drawn caret: after a Shift movement that is the
    // selection's moving end.
    int c = m_core.LineFromOffset(m_nCaretOffset);
    int t = m_core.m_nTopLine;
    int v = m_core.m_nVisibleLines;
    if (c < t || c > t + v + 1)
        ScrollLines(c - t, TRUE);
    else if (c >= t + v)
        // The line just below the window needs one line, the next one two,
        // so that the caret's line always ends up inside the window.
        ScrollLines(c - (t + v) + 1, TRUE);
    else
        return;
    SetVScrollFromTop();
    PlaceCaret();
}

int CColorEdit::Undo()
{
    int oldLines = Lines();
    int result = m_core.Undo();
    if (!m_hWnd)
        return result;
    int line = m_core.LineFromOffset(SelStart());
    if (line < static_cast<int>(m_core.m_nTopLine) || line >= static_cast<int>(m_core.m_nTopLine) + m_core.m_nVisibleLines)
        ScrollLines(line - static_cast<int>(m_core.m_nTopLine) - 2, FALSE);
    if (m_dwScrollStyle & WS_VSCROLL)
        UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
    SetVScrollFromTop();
    CaretFromOffset(SelStart());
    RecomputeLines();
    InvalidateText(Lines() != oldLines ? 1 : 0);
    NotifyParent();
    return result;
}

// The caret position kept for a control without the focus goes back to the
// start with the text (loading a file clears it too).
void CColorEdit::TextCleared()
{
    m_nSavedCaretX = -1;
    m_nSavedCaretY = -1;
    m_nCaretOffset = 0;
    if (m_hWnd && HasFocus())
        PlaceCaret();
}

void CColorEdit::SetEditFont(HFONT font, BOOL redraw)
{
    LOGFONTA lf{};
    if (!font || GetObjectA(font, sizeof lf, &lf) != sizeof lf)
        return;
    // The old font stays when no copy can be made.
    HFONT made = CreateFontIndirectA(&lf);
    if (!made)
        return;
    m_font.DeleteObject();
    m_font.m_hObject = made;
    m_pFont = &m_font;
    if (!m_hWnd)
        return;
    MeasureFont();
    if (HasFocus()) {
        DestroyCaret();
        CreateSolidCaret(2, m_nCharHeight);
        CaretFromOffset(m_nCaretOffset);
        ShowCaret();
    } else {
        CaretFromOffset(m_nCaretOffset);
    }
    if (redraw)
        InvalidateText(1);
}

// ---------------------------------------------------------------------------
// Text services that change the text: the window follows the core.

void CColorEdit::FollowNewText()
{
    if (!m_hWnd)
        return;
    RecomputeLines();
    if (m_dwScrollStyle & WS_VSCROLL)
        UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
    SetVScrollFromTop();
    CaretFromOffset(SelStart());
    m_nGoalColumn = m_nCaretColumn + HPos();
    InvalidateText(1);
    NotifyParent();
}

int CColorEdit::SetText(const char* text)
{
    const int result = m_core.SetText(text);
    if (result) {
        int line = m_core.LineFromOffset(SelStart());
        if (m_core.m_nVisibleLines > 0 && line >= m_core.m_nVisibleLines)
            m_core.SetTopLine(line - m_core.m_nVisibleLines + 1);
        else
            m_core.SetTopLine(0);
    }
    FollowNewText();
    return result;
}

void CColorEdit::ReplaceSel(const char* text, bool moveCaret)
{
    m_core.ReplaceSel(text, true, moveCaret);
    FollowNewText();
}

int CColorEdit::AppendLineString(const std::string& text, int attr)
{
    // An empty text takes the line without a CR in front.
    const int result = m_core.AppendLine(text.c_str(), attr, false, false, Len() > 0);
    FollowNewText();
    return result;
}

int CColorEdit::LoadFile(const char* path)
{
    const int result = m_core.LoadFile(path);
    if (result) {
        SelStart() = SelEnd() = 0;
        m_core.SetTopLine(0);
    }
    FollowNewText();
    return result;
}

// ---------------------------------------------------------------------------
// Text services that read.

int CColorEdit::GetLineAtOffset(int offset, char* buffer, int size) const
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = 0;
    if (!Buf() || offset < 0 || offset > Len())
        return 0;
    const int start = m_core.GetLineStart(offset);
    const int n = std::min(m_core.GetLineLength(start), size - 1);
    std::memcpy(buffer, Buf() + start, static_cast<size_t>(n));
    buffer[n] = 0;
    return n;
}

int CColorEdit::GetLineOffset(int line) const
{
    if (line < 0 || line >= Lines())
        return -1;
    return m_core.GetLineOffset(line);
}

void CColorEdit::GetSelText(std::string& text) const
{
    text.clear();
    for (char c : m_core.GetSelText()) {
        text += c;
        if (c == '\r')
            text += '\n';
    }
}
