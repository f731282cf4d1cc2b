// The line-number margin of a view: a strip left of the editor control
// with the number of every visible line, where a click selects a line, a
// Shift+click or a drag a range of lines, and the small box in the
// bottom-left corner selects all or nothing.
#include "editor/shell/ovantaview.h"

#include "editor/editctl/color_table.h"
#include "editor/shell/bookmark_index.h"
#include "editor/shell/frame_links.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/shell_text.h"

#include "winui/gdi.h"

#include <cstdio>
#include <string>

namespace {

// Colour-table entries of the margin: its background, the background of a
// bookmarked line's number, and the numbers' colour.
const int kMarginBack = 30;
const int kBookmarkBack = 29;
const int kNumberText = 14;

void FillRow(HDC dc, int x0, int x1, int y, int height, COLORREF colour)
{
    if (x1 > x0)
        winui::FillSolidRect(dc, RECT{x0, y, x1, y + height}, colour);
}

} // namespace

bool COvantaView::ShowLineNumbers() const
{
    return OvantaOptions().showLineNo != 0;
}

int COvantaView::ComputeMarginWidth() const
{
    int charWidth = m_wndEdit.m_hWnd ? m_wndEdit.GetCharSize().cx : m_nDigitWidth;
    return MarginDigits(m_wndEdit.GetLineCount()) * (charWidth + 2);
}

void COvantaView::CreateMarginBox()
{
    if (m_wndMarginBox)
        return;
    m_wndMarginBox = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_DISABLED | SS_SUNKEN, 0, 0, 0,
                                       0, m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void COvantaView::DrawLineNumbers(HDC given)
{
    if (!ShowLineNumbers() || !m_wndEdit.m_hWnd)
        return;
    int width = ComputeMarginWidth();
    if (width != m_nMarginWidth) {
        // A wider or narrower strip moves the control: every view of the
        // document lays out again, which repaints the margin.
        m_nMarginWidth = width;
        if (COvantaDoc* doc = GetOvantaDoc())
            doc->UpdateAllViews(nullptr, 2);
        else
            OnUpdate(nullptr, 2, nullptr);
        return;
    }
    HDC dc = given ? given : ::GetDC(m_hWnd);
    HGDIOBJ oldFont = nullptr;
    if (winui::CFont* font = m_wndEdit.GetEditFont())
        oldFont = SelectObject(dc, font->m_hObject);
    SIZE cell = m_wndEdit.GetCharSize();
    int height = cell.cy > 0 ? cell.cy : 16;
    RECT client;
    ::GetClientRect(m_wndEdit.m_hWnd, &client);
    int visible = client.bottom / height;
    int first = m_wndEdit.GetTopLine();
    m_nMarginTopLine = first;
    int last = first + visible;
    int lines = m_wndEdit.GetLineCount();
    SetTextColor(dc, g_ColorTable[kNumberText]);
    int oldMode = SetBkMode(dc, OPAQUE);
    for (int i = first, y = 0; i <= last + 2; ++i, y += height) {
        if (i >= lines) {
            FillRow(dc, 0, m_nMarginWidth, y, height, g_ColorTable[kMarginBack]);
            continue;
        }
        COLORREF back = LineHasBookmark(i) ? g_ColorTable[kBookmarkBack] : g_ColorTable[kMarginBack];
        char number[16];
        int n = std::snprintf(number, sizeof number, "%d", i + 1);
        SetBkColor(dc, back);
        TextOutA(dc, 0, y, number, n);
        SIZE used{0, 0};
        GetTextExtentPoint32A(dc, number, n, &used);
        FillRow(dc, used.cx, m_nMarginWidth, y, height, g_ColorTable[kMarginBack]);
    }
    SetBkMode(dc, oldMode);
    if (oldFont)
        SelectObject(dc, oldFont);
    if (!given)
        ::ReleaseDC(m_hWnd, dc);
}

bool COvantaView::LineHasBookmark(int line) const
{
    IBookmarkIndex* bookmarks = OvantaFrame().bookmarks;
    return bookmarks && bookmarks->HasBookmark(m_wndEdit, line);
}

void COvantaView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    DrawLineNumbers(dc);
    ::EndPaint(m_hWnd, &ps);
}

int COvantaView::MarginLineAt(int y) const
{
    SIZE cell = m_wndEdit.GetCharSize();
    int height = cell.cy > 0 ? cell.cy : 16;
    return m_wndEdit.GetTopLine() + (y < 0 ? 0 : y / height);
}

void COvantaView::SelectLines(int from, int to)
{
    int lines = m_wndEdit.GetLineCount();
    if (lines <= 0)
        return;
    int a = from < to ? from : to;
    int b = from < to ? to : from;
    if (a >= lines)
        a = lines - 1;
    if (b >= lines)
        b = lines - 1;
    int start = m_wndEdit.GetLineOffset(a);
    int endStart = m_wndEdit.GetLineOffset(b);
    if (start < 0 || endStart < 0)
        return;
    int end = m_wndEdit.GetLineEnd(endStart);
    m_wndEdit.SetSel(start, end, false, true);
    m_wndEdit.InvalidateText(1);
}

void COvantaView::OnLButtonDown(UINT flags, POINT point)
{
    if (!m_wndEdit.m_hWnd)
        return;
    if (m_wndMarginBox && ::IsWindowVisible(m_wndMarginBox)) {
        RECT box;
        ::GetWindowRect(m_wndMarginBox, &box);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&box), 2);
        if (PtInRect(&box, point)) {
            int start = 0, end = 0;
            m_wndEdit.GetSel(start, end);
            int length = m_wndEdit.GetTextLength();
            bool all = (start == 0 && end == length) || (start == length && end == 0);
            if (all)
                m_wndEdit.SetSel(0, 0, true, true);
            else
                m_wndEdit.SetSel(0, length, false, true);
            m_wndEdit.InvalidateText(1);
            if (COvantaDoc* doc = GetOvantaDoc())
                doc->UpdateAllViews(this, 0);
            return;
        }
    }
    if (!ShowLineNumbers() || point.x >= m_nMarginWidth)
        return;
    int line = MarginLineAt(point.y);
    if (line >= m_wndEdit.GetLineCount())
        line = m_wndEdit.GetLineCount() - 1;
    if ((flags & MK_SHIFT) && m_nAnchorLine >= 0) {
        SelectLines(m_nAnchorLine, line);
    } else {
        m_nAnchorLine = line;
        SelectLines(line, line);
    }
    m_nDragLine = line;
    DrawLineNumbers(nullptr);
}

void COvantaView::OnMouseMove(UINT flags, POINT point)
{
    if (!m_wndEdit.m_hWnd || !ShowLineNumbers() || !(flags & MK_LBUTTON) || m_nAnchorLine < 0)
        return;
    int line = MarginLineAt(point.y);
    if (line >= m_wndEdit.GetLineCount())
        line = m_wndEdit.GetLineCount() - 1;
    if (line == m_nDragLine)
        return;
    m_nDragLine = line;
    SelectLines(m_nAnchorLine, line);
}

LRESULT COvantaView::OnSetCursorMsg(WPARAM window, LPARAM hitTest)
{
    COvantaApp* app = COvantaApp::Get();
    if (reinterpret_cast<HWND>(window) == m_hWnd && LOWORD(hitTest) == HTCLIENT && app &&
        app->MarginCursor()) {
        ::SetCursor(app->MarginCursor());
        return TRUE;
    }
    return ::DefWindowProcA(m_hWnd, WM_SETCURSOR, window, hitTest);
}
