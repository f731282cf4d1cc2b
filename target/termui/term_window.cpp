// The terminal window: grid, cursor, painting, keys, caret and the board
// state in the status bar.
#include "target/termui/term_window.h"

#include <atomic>
#include <cstring>

#include "common/report_error.h"
#include "target/seriallink/serlink.h"
#include "winui/commdlg.h"

SerSettings ser_settings;

// The one terminal of the process; the reader thread prints into it.
static std::atomic<TTermWindow*> open_terminal{nullptr};

void term_putc(int c)
{
    if (TTermWindow* term = open_terminal)
        term->PutChar(c);
}

void term_puts(const char* text)
{
    for (const char* p = text; *p; p++)
        term_putc(static_cast<unsigned char>(*p));
}

BEGIN_MESSAGE_MAP(TTermWindow, winui::CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_CHAR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_GETTEXT, &TTermWindow::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &TTermWindow::OnGetTextLength)
END_MESSAGE_MAP()

TTermWindow::TTermWindow()
{
    for (std::string& r : rows_)
        r.assign(TERM_COLUMNS, ' ');
}

TTermWindow::~TTermWindow()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL TTermWindow::Create(HWND parent, UINT id)
{
    if (open_terminal)
        report_error(-1, "TermWindow open!");
    MakeFont();
    RegisterClass("TTermWindow", CS_DBLCLKS, LoadCursor(nullptr, IDC_IBEAM));
    SIZE size = GridSize();
    return CreateEx(0, "TTermWindow", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, size.cx,
                    size.cy, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void TTermWindow::MakeFont()
{
    const SerSettings& s = ser_settings;
    font_.DeleteObject();
    font_.CreateFont(s.font_height, 0, 0, 0, s.font_weight, static_cast<BYTE>(s.italic ? 1 : 0), 0,
                     0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, s.font_face.c_str());
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    cellWidth_ = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 8;
    cellHeight_ = tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading : 16;
}

int TTermWindow::OnCreate(LPCREATESTRUCTA)
{
    open_terminal = this;
    ser_link.text_callback = term_putc;
    dirty_ = 0;
    SetTimer(TERM_TIMER, TERM_TIMER_MS);
    return 0;
}

void TTermWindow::OnDestroy()
{
    KillTimer(TERM_TIMER);
    ser_link.text_callback = nullptr;
    // A character the reader thread is delivering right now gets finished.
    Sleep(10);
    TTermWindow* self = this;
    open_terminal.compare_exchange_strong(self, nullptr);
}

COLORREF TTermWindow::TextColour() const
{
    return ser_settings.inverse ? GetSysColor(COLOR_WINDOWTEXT) : RGB(255, 255, 255);
}

COLORREF TTermWindow::BackColour() const
{
    return ser_settings.inverse ? GetSysColor(COLOR_WINDOW) : RGB(0, 0, 0);
}

void TTermWindow::InvalidateCell(int row, int column)
{
    RECT r{column * cellWidth_, row * cellHeight_, (column + 1) * cellWidth_,
           (row + 1) * cellHeight_};
    InvalidateRect(&r, FALSE);
}

void TTermWindow::PutChar(int c)
{
    c &= 0xFF;
    if (c == 0 || c == 7) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    bool scrolled = false;
    int cellRow = -1, cellColumn = -1;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (c == 8) {
            if (column_ > 0) {
                column_--;
                rows_[row_][column_] = ' ';
                cellRow = row_;
                cellColumn = column_;
            }
        } else if (c == 10 || c == 13) {
            if (c == 10)
                row_++;
            column_ = 0;
        } else {
            rows_[row_][column_] = static_cast<char>(c);
            cellRow = row_;
            cellColumn = column_;
            column_++;
        }
        if (column_ >= TERM_COLUMNS) {
            column_ = 0;
            row_++;
        }
        if (row_ >= TERM_ROWS) {
            // The top row is reused as the new, blank bottom row.
            std::string top = std::move(rows_[0]);
            for (int r = 1; r < TERM_ROWS; r++)
                rows_[r - 1] = std::move(rows_[r]);
            top.assign(TERM_COLUMNS, ' ');
            rows_[TERM_ROWS - 1] = std::move(top);
            row_ = TERM_ROWS - 1;
            column_ = 0;
            scrolled = true;
        }
        dirty_ = 1;
    }
    if (!m_hWnd)
        return;
    if (scrolled)
        Invalidate(FALSE);
    else if (cellRow >= 0)
        InvalidateCell(cellRow, cellColumn);
}

std::string TTermWindow::Row(int row) const
{
    std::lock_guard<std::mutex> guard(lock_);
    return row >= 0 && row < TERM_ROWS ? rows_[row] : std::string();
}

std::string TTermWindow::Text() const
{
    std::lock_guard<std::mutex> guard(lock_);
    std::string text;
    for (const std::string& r : rows_)
        text += r + "\r\n";
    return text;
}

LRESULT TTermWindow::OnGetText(WPARAM size, LPARAM buffer)
{
    if (size == 0 || !buffer)
        return 0;
    std::string text = Text();
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(reinterpret_cast<char*>(buffer), text.data(), n);
    reinterpret_cast<char*>(buffer)[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT TTermWindow::OnGetTextLength(WPARAM, LPARAM)
{
    return TERM_ROWS * (TERM_COLUMNS + 2);
}

POINT TTermWindow::Cursor() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return POINT{column_, row_};
}

BOOL TTermWindow::OnEraseBkgnd(HDC dc)
{
    RECT r;
    GetClientRect(&r);
    winui::FillSolidRect(dc, r, BackColour());
    return TRUE;
}

void TTermWindow::OnPaint()
{
    if (focus_)
        HideCaret();
    {
        winui::CPaintDC dc(m_hWnd);
        const RECT& area = dc.Info().rcPaint;
        winui::CSelectObject font(dc, font_);
        SetTextColor(dc, TextColour());
        SetBkColor(dc, BackColour());
        SetBkMode(dc, OPAQUE);
        std::string rows[TERM_ROWS];
        {
            std::lock_guard<std::mutex> guard(lock_);
            for (int r = 0; r < TERM_ROWS; r++)
                rows[r] = rows_[r];
        }
        int first = area.top / cellHeight_;
        int last = (area.bottom + cellHeight_ - 1) / cellHeight_;
        int left = area.left / cellWidth_;
        int right = (area.right + cellWidth_ - 1) / cellWidth_;
        if (right > TERM_COLUMNS)
            right = TERM_COLUMNS;
        for (int r = first; r < last && r < TERM_ROWS; r++) {
            if (left >= right)
                break;
            RECT cell{left * cellWidth_, r * cellHeight_, right * cellWidth_, (r + 1) * cellHeight_};
            ExtTextOutA(dc, cell.left, cell.top, ETO_OPAQUE | ETO_CLIPPED, &cell,
                        rows[r].c_str() + left, static_cast<UINT>(right - left), nullptr);
        }
        // Beyond the grid (a frame not yet fitted): background.
        RECT client;
        GetClientRect(&client);
        RECT below{0, TERM_ROWS * cellHeight_, client.right, client.bottom};
        if (below.top < below.bottom)
            winui::FillSolidRect(dc, below, BackColour());
        RECT beside{TERM_COLUMNS * cellWidth_, 0, client.right, TERM_ROWS * cellHeight_};
        if (beside.left < beside.right)
            winui::FillSolidRect(dc, beside, BackColour());
    }
    if (focus_) {
        PlaceCaret();
        ShowCaret();
    }
}

void TTermWindow::PlaceCaret()
{
    POINT at = Cursor();
    SetCaretPos(at.x * cellWidth_, at.y * cellHeight_);
}

void TTermWindow::OnTimer(UINT_PTR id)
{
    if (id != TERM_TIMER)
        return;
    int state = ser_link.board_state;
    if (state != shownState_) {
        shownState_ = state;
        if (showState)
            showState(board_state_name(state));
    }
    bool repaint = false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (dirty_ != 0 && ++dirty_ >= 3) {
            dirty_ = 0;
            repaint = true;
        }
    }
    if (repaint)
        Invalidate(FALSE);
    if (focus_)
        PlaceCaret();
}

void TTermWindow::OnChar(UINT key, UINT, UINT)
{
    int c = static_cast<int>(key & 0xFF);
    if (c == 13)
        c = 10;
    if (c >= 237) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    if (ser_link.queued_key != 0)
        Sleep(50);
    ser_link.queued_key = c;
}

void TTermWindow::OnSetFocus(HWND)
{
    Invalidate(FALSE);
    CreateSolidCaret(cellWidth_, cellHeight_);
    PlaceCaret();
    ShowCaret();
    focus_ = true;
    if (focusGained)
        focusGained();
}

void TTermWindow::OnKillFocus(HWND)
{
    HideCaret();
    DestroyCaret();
    focus_ = false;
}

void TTermWindow::OnLButtonDown(UINT, POINT)
{
    SetFocus();
}

bool TTermWindow::CmFont()
{
    LOGFONTA lf{};
    font_.GetLogFont(&lf);
    winui::CFontDialog dialog(&lf, CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST |
                                       CF_INITTOLOGFONTSTRUCT,
                              GetParent());
    if (dialog.DoModal() != IDOK)
        return false;
    SerSettings& s = ser_settings;
    s.font_face = dialog.m_lf.lfFaceName;
    s.font_height = dialog.m_lf.lfHeight;
    s.font_weight = dialog.m_lf.lfWeight;
    s.italic = dialog.m_lf.lfItalic ? 1 : 0;
    MakeFont();
    if (focus_) {
        DestroyCaret();
        CreateSolidCaret(cellWidth_, cellHeight_);
        PlaceCaret();
        ShowCaret();
    }
    Invalidate(TRUE);
    if (gridResized)
        gridResized();
    return true;
}
