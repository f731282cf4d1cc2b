// CNColorEditCtrl: drag-and-drop of the selected text inside the window and
// onto other windows ("ExtMovTxt"), its cursors and the auto-scroll of
// timer 3.
#include "editor/syntax/window/ncoloreditctrl.h"

#include "editor/syntax/window/ncoloredit_res.h"
#include "winui/clipboard.h"
#include "winui/splitter.h"

#include <algorithm>

namespace {

// A selection larger than this is not dragged.
const int kMaxDragBytes = 61440;

HCURSOR LoadAppCursor(const char* name, const char* fallback)
{
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), name);
    return cursor ? cursor : LoadCursorA(nullptr, fallback);
}

bool LeftButtonHeld()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) || (GetKeyState(VK_LBUTTON) & 0x8000);
}

} // namespace

HCURSOR CNColorEditCtrl::DragCursor(int kind)
{
    switch (kind) {
    case kCursorDragCandidate:
        return LoadAppCursor(kCursorNameDragCandidate, IDC_ARROW);
    case kCursorDragMove:
        return LoadAppCursor(kCursorNameDragMove, IDC_ARROW);
    case kCursorDragCopy:
        return LoadAppCursor(kCursorNameDragCopy, IDC_ARROW);
    case kCursorIndentMove:
        return LoadAppCursor(kCursorNameIndentMove, IDC_SIZEWE);
    default:
        return LoadCursorA(nullptr, IDC_ARROW);
    }
}

int CNColorEditCtrl::CursorKind() const
{
    if (m_bIndentMove)
        return kCursorIndentMove;
    if (m_bDragging)
        return (GetKeyState(VK_SHIFT) & 0x8000) ? kCursorDragCopy : kCursorDragMove;
    if (GetSyntaxEditSettings().extMovTxt && m_bOverSelection)
        return kCursorDragCandidate;
    return kCursorDefault;
}

LRESULT CNColorEditCtrl::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    const int kind = LOWORD(lParam) == HTCLIENT ? CursorKind() : kCursorDefault;
    if (kind == kCursorDefault)
        return Default();
    SetCursor(DragCursor(kind));
    return TRUE;
}

// The pointer-over-selection flag: a non-empty stream selection in a
// writable editor, and the pointer on an offset inside it (ends included).
void CNColorEditCtrl::TrackPointerOverSelection(POINT point)
{
    bool over = false;
    if (SelEnd() > SelStart() && !ColumnMode() && !State().readOnly) {
        int offset = -1;
        over = OffsetFromPoint(point, offset) && offset >= SelStart() && offset <= SelEnd();
    }
    if (over != (m_bOverSelection != 0) && !m_bDragging && !m_bIndentMove) {
        // WM_SETCURSOR came before this move: the cursor changes now.
        HCURSOR cursor = over ? DragCursor(kCursorDragCandidate)
                              : reinterpret_cast<HCURSOR>(GetClassLongPtrA(m_hWnd, GCLP_HCURSOR));
        SetCursor(cursor ? cursor : DragCursor(kCursorDefault));
    }
    m_bOverSelection = over ? 1 : 0;
}

void CNColorEditCtrl::StartDrag()
{
    m_bDragging = 1;
    m_nDragStep = 0;
    SetCapture();
    // The drop caret: a character cell, 2 pixels wide in insert mode.
    CreateSolidCaret(m_bInsertMode ? 2 : m_nCharWidth, m_nCharHeight);
    ShowCaret();
    SetCursor(DragCursor(CursorKind()));
}

void CNColorEditCtrl::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = 0;
    KillTimer(kDragScrollTimer);
    m_bDragTimer = false;
    m_nDragStep = 0;
    if (HasCapture())
        ReleaseCapture();
    // The edit caret again, back at the selection.
    CreateEditCaret();
    CaretFromOffset(SelStart());
    ShowCaret();
}

// The drop caret on the offset under a client point (kept inside the rows
// shown); the offset.
int CNColorEditCtrl::DropCaretAt(POINT point)
{
    const int rows = std::max(1, Core().m_nVisibleLines);
    point.x = std::max<LONG>(0, point.x);
    point.y = std::max<LONG>(0, std::min<LONG>(point.y, rows * m_nCharHeight - 1));
    if (point.x % m_nCharWidth > m_nCharWidth / 2)
        point.x += m_nCharWidth / 2;
    HideCaret();
    const int offset = PointToCaretPos(point, 6);
    ShowCaret();
    return offset;
}

// Timer 3 runs while the drag lasts: a step of 1 or 4 lines within 20
// pixels and further beyond the text area's lower or upper edge (150 ms),
// none inside it (200 ms).
void CNColorEditCtrl::SetDragStep(int step)
{
    if (step == m_nDragStep && m_bDragTimer)
        return;
    const bool periodChanges = !m_bDragTimer || (step == 0) != (m_nDragStep == 0);
    m_nDragStep = step;
    if (periodChanges) {
        SetTimer(kDragScrollTimer, step ? 150 : 200);
        m_bDragTimer = true;
    }
}

void CNColorEditCtrl::DragMouseMove(POINT point)
{
    // Sideways at the left and right edges.
    if (point.x > (m_nVisibleColumns - 1) * m_nCharWidth)
        ScrollColumns(1);
    else if (point.x < m_nCharWidth && HPos() > 0)
        ScrollColumns(-1);
    const int bottom = Core().m_nVisibleLines * m_nCharHeight;
    int step = 0;
    if (point.y >= bottom)
        step = point.y < bottom + 20 ? 1 : 4;
    else if (point.y < 0)
        step = point.y >= -20 ? -1 : -4;
    SetDragStep(step);
    SetVScrollFromTop();
    DropCaretAt(point);
    SetCursor(DragCursor(CursorKind()));
}

void CNColorEditCtrl::OnDragTimer()
{
    if (!m_bDragging || !LeftButtonHeld()) {
        KillTimer(kDragScrollTimer);
        m_bDragTimer = false;
        m_nDragStep = 0;
        ShowCaret();
        return;
    }
    if (m_nDragStep) {
        HideCaret();
        ScrollLines(m_nDragStep, TRUE);
        SetVScrollFromTop();
        ShowCaret();
        NotifyParent();
    }
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(m_hWnd, &point);
    DropCaretAt(point);
}

// The button went up during a drag: cancel over the selection, drop onto
// another window, or move (copy with Shift) the text inside this one.
void CNColorEditCtrl::FinishDrag(UINT flags, POINT point)
{
    const bool copy = (flags & MK_SHIFT) || (GetKeyState(VK_SHIFT) & 0x8000);
    EndDrag();
    if (SelEnd() <= SelStart())
        m_bOverSelection = 0;
    RECT client;
    GetClientRect(&client);
    const bool inside = PtInRect(&client, point) != 0;
    if (inside)
        TrackPointerOverSelection(point);
    if (inside && m_bOverSelection) {
        // Released over the selection itself: the caret goes there.
        if (m_nMultiClickTicks == 0) {
            const int offset = DropCaretAt(point);
            SetSel(offset, offset, false, true);
            RecomputeLines();
            InvalidateText(0);
            NotifyParent();
        }
        return;
    }
    const int length = SelEnd() - SelStart();
    if (length <= 0 || length > kMaxDragBytes || ColumnMode())
        return;
    if (!inside) {
        POINT screen = point;
        ClientToScreen(m_hWnd, &screen);
        HWND target = WindowFromPoint(screen);
        if (target && target != m_hWnd)
            DropOnWindow(target);
        return;
    }
    MoveSelectionTo(DropCaretAt(point), copy);
}

// The selection as a paste into another window; the clipboard's text is
// put back afterwards.
void CNColorEditCtrl::DropOnWindow(HWND target)
{
    std::string saved;
    const bool hadText = GetClipboardText(saved);
    CColorEdit::Copy(0);
    ::SendMessageA(target, WM_PASTE, 0, 0);
    winui::CClipboard clip(m_hWnd);
    if (!clip.IsOpen())
        return;
    clip.Empty();
    if (hadText)
        clip.SetText(saved);
}

void CNColorEditCtrl::MoveSelectionTo(int drop, bool copy)
{
    CColorEditCore& core = Core();
    const int start = SelStart(), end = SelEnd();
    // The selected bytes without tab fill and soft breaks: the insertion
    // lays tabs and wrapping out anew at the drop point.
    std::string text;
    text.reserve(static_cast<size_t>(end - start));
    for (int i = start; i < end; ++i) {
        const unsigned char b = ByteAt(i);
        if (b != kFillByte && b != kSoftBreak)
            text += static_cast<char>(b);
    }
    drop = std::max(0, std::min(drop, Len()));
    core.BeginUndoStep();
    if (!copy) {
        if (core.DeleteText(true, true, 0) < 0) {
            core.EndUndoStep();
            return;
        }
        if (drop >= end)
            drop = std::max(0, drop - (end - start));
        else if (drop > start)
            drop = start;
    }
    SelStart() = SelEnd() = drop;
    int length = static_cast<int>(text.size());
    InsertStatus status;
    core.InsertText(reinterpret_cast<const uint8_t*>(text.data()), length, nullptr,
                    kInsertExpandTabs | kInsertRecordUndo, &status);
    core.EndUndoStep();
    if (status != kInsertDone) {
        // Nothing may be lost: the deletion goes back.
        if (!copy)
            core.Undo();
        SelStart() = std::min(start, Len());
        SelEnd() = std::min(end, Len());
        AfterEdit(-1);
        return;
    }
    const int from = std::min(drop, start);
    m_commentIndex.TextChanged(from);
    SelStart() = drop;
    SelEnd() = std::min(drop + length, Len());
    AfterEdit(core.GetLineStart(from));
    core.ScrollToOffset(SelStart());
    SetVScrollFromTop();
    CaretFromOffset(SelStart());
    InvalidateText(1);
    NotifyParent();
}

// Split panes: the other rows show the same text and follow a change made
// with the mouse in this one.
void CNColorEditCtrl::NotifySplitRows()
{
    HWND view = GetParent();
    HWND splitter = view ? ::GetParent(view) : nullptr;
    if (splitter && ::GetDlgItem(splitter, winui::CSplitterWnd::IdFromRowCol(1, 0)))
        NotifyParent();
}
