// The source view: painting the listing, following the PC, breakpoints.
#include "target/quibex/quibex_window.h"

#include <cstdio>
#include <cstring>

#include "common/report_error.h"
#include "target/quibex/quibex_look.h"
#include "target/quibex/quibex_messages.h"
#include "target/quibex/cpu_window.h"
#include "target/quibex/source_model.h"
#include "target/quibex/sym_search.h"
#include "target/seriallink/listing.h"
#include "target/seriallink/serlink.h"
#include "target/seriallink/target_image.h"
#include "winui/gdi.h"

static TQuibexWindow* open_view = nullptr;
static RECT remembered_child{0, 0, 0, 0};

static const COLORREF pc_background = RGB(255, 255, 192);
static const COLORREF echo_colour = RGB(0, 128, 255);

BEGIN_MESSAGE_MAP(TQuibexWindow, winui::CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_SHOWPC, &TQuibexWindow::OnShowPc)
    ON_MESSAGE(WM_GETTEXT, &TQuibexWindow::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &TQuibexWindow::OnGetTextLength)
END_MESSAGE_MAP()

TQuibexWindow::TQuibexWindow()
{
    if (open_view)
        report_error(-1, "QuibexWindow open!");
    open_view = this;
}

TQuibexWindow::~TQuibexWindow()
{
    if (m_hWnd)
        DestroyWindow();
    if (open_view != this)
        report_error(-1, "QuibexWindow not open!");
    open_view = nullptr;
}

TQuibexWindow* TQuibexWindow::Open()
{
    return open_view;
}

RECT TQuibexWindow::ChildRect()
{
    RECT r = remembered_child;
    if (r.right - r.left < 100 || r.bottom - r.top < 50) {
        int frameX = 2 * GetSystemMetrics(SM_CXFIXEDFRAME) + GetSystemMetrics(SM_CXVSCROLL);
        int frameY = 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION);
        r = RECT{0, 0, 80 * quibex_look.cell_width + frameX, 25 * quibex_look.cell_height + frameY};
    }
    return r;
}

BOOL TQuibexWindow::Create(HWND parent, UINT id)
{
    RegisterClass("TQuibexWindow", CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    return CreateEx(0, "TQuibexWindow", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS, 0,
                    0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

int TQuibexWindow::OnCreate(LPCREATESTRUCTA)
{
    ser_link.view_window = reinterpret_cast<intptr_t>(m_hWnd);
    return 0;
}

void TQuibexWindow::OnDestroy()
{
    // The child's place is kept for the next source view.
    HWND child = GetParent();
    HWND client = child ? ::GetParent(child) : nullptr;
    if (child && client && !IsIconic(child)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        remembered_child = r;
    }
    intptr_t self = reinterpret_cast<intptr_t>(m_hWnd);
    ser_link.view_window.compare_exchange_strong(self, 0);
}

void TQuibexWindow::Status(const std::string& text)
{
    if (setStatus)
        setStatus(text);
}

void TQuibexWindow::ShowAnimationSpeed()
{
    uint32_t now = ser_tick();
    uint32_t elapsed = now - ser_link.command_tick;
    int steps = ser_link.anim_steps;
    if (elapsed > 2000 && steps > 10) {
        char text[64];
        std::snprintf(text, sizeof text, "Animation Speed: %d Steps/sec",
                      static_cast<int>(static_cast<int64_t>(steps) * 1000 / elapsed));
        Status(text);
        ser_link.anim_steps = 0;
        ser_link.command_tick = now;
    }
}

BOOL TQuibexWindow::OnEraseBkgnd(HDC)
{
    return TRUE; // every row is painted whole
}

void TQuibexWindow::OnPaint()
{
    winui::CPaintDC dc(m_hWnd);
    pcDrawn_ = false;
    ShowAnimationSpeed();
    if (minimised_)
        return;
    PaintLines(dc, dc.Info().rcPaint);
}

void TQuibexWindow::PaintLines(HDC dc, const RECT& area)
{
    HDC bitmaps = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(bitmaps, quibex_look.markers[MARKER_ASSNO]);
    HGDIOBJ oldFont = SelectObject(dc, quibex_look.font);
    int h = quibex_look.cell_height;
    for (int row = 0; row <= visibleLines_; row++) {
        RECT line{0, row * h, width_, (row + 1) * h};
        if (line.bottom <= area.top || line.top >= area.bottom)
            continue;
        int index = topLine_ + row;
        if (index < listing.line_count) {
            DrawLine(dc, bitmaps, index);
        } else {
            SetBkColor(dc, RGB(255, 255, 255));
            ExtTextOutA(dc, 0, line.top, ETO_OPAQUE, &line, "", 0, nullptr);
        }
    }
    SelectObject(dc, oldFont);
    SelectObject(bitmaps, oldBitmap);
    DeleteDC(bitmaps);
}

void TQuibexWindow::DrawLine(HDC dc, HDC bitmaps, int index)
{
    const ListingLine* line = listing.lines[index];
    int h = quibex_look.cell_height;
    int y = (index - topLine_) * h;
    LineLook look = line_look(line, ser_link.current_pc);
    RECT rest{h, y, width_ > h ? width_ : h, y + h};
    const char* text = line->text ? line->text : "";
    int x = h;
    if (look.echo)
        x = 26 * quibex_look.cell_width + h;
    SetTextColor(dc, look.echo ? echo_colour : RGB(0, 0, 0));
    SetBkColor(dc, look.pc_line ? pc_background : RGB(255, 255, 255));
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rest, text, static_cast<UINT>(strlen(text)),
                nullptr);
    RECT marker{0, y, h, y + h};
    if (look.marker == MARKER_NONE) {
        ExtTextOutA(dc, 0, y, ETO_OPAQUE, &marker, "", 0, nullptr);
    } else {
        SelectObject(bitmaps, quibex_look.markers[look.marker]);
        BitBlt(dc, 0, y, h, h, bitmaps, 0, 0, SRCCOPY);
    }
    if (look.pc_line) {
        pcDrawn_ = true;
        pcRow_ = index - topLine_;
    }
}

void TQuibexWindow::UpdateScrollBar()
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = listing.line_count > 0 ? listing.line_count - 1 : 0;
    info.nPage = static_cast<UINT>(visibleLines_);
    info.nPos = topLine_;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

void TQuibexWindow::ShowLine(int top)
{
    int clamped = clamp_top_line(top, listing.line_count, visibleLines_);
    bool changed = clamped != topLine_;
    topLine_ = clamped;
    UpdateScrollBar();
    if (changed)
        Invalidate(FALSE);
}

LRESULT TQuibexWindow::OnShowPc(WPARAM, LPARAM)
{
    int32_t pc = ser_link.current_pc;
    if (!minimised_) {
        int found = find_pc_line(topLine_, visibleLines_, pc);
        if (found >= 0) {
            int h = quibex_look.cell_height;
            if (pcDrawn_) {
                RECT old{0, pcRow_ * h, width_, (pcRow_ + 1) * h};
                InvalidateRect(&old, FALSE);
                RECT now{0, (found - topLine_) * h, width_, (found - topLine_ + 1) * h};
                InvalidateRect(&now, FALSE);
            } else {
                Invalidate(FALSE);
            }
        } else {
            ListingLine* line = pc >= 0 ? listing_node(pc, MK_CODE, 1) : nullptr;
            if (line) {
                topLine_ = quarter_top_line(line->line_number, visibleLines_);
            } else {
                topLine_ = 0;
                char text[64];
                if (pc < 0)
                    std::snprintf(text, sizeof text, "No Sourcecode");
                else
                    std::snprintf(text, sizeof text, "No Sourcecode found for Adr. $%04x",
                                  static_cast<unsigned>(pc));
                Status(text);
            }
            Invalidate(FALSE);
            UpdateScrollBar();
        }
    }
    if (HWND cpu = TCPUWindow::Handle())
        ::PostMessageA(cpu, WM_CPUREFRESH, 0, 0);
    int outstanding = ser_link.notifications;
    while (outstanding > 0 &&
           !ser_link.notifications.compare_exchange_weak(outstanding, outstanding - 1)) {
    }
    return 0;
}

void TQuibexWindow::OnVScroll(UINT code, UINT thumb, HWND)
{
    int top = scrolled_top_line(static_cast<int>(code), topLine_, static_cast<int>(thumb),
                                listing.line_count, visibleLines_);
    if ((code == SB_THUMBTRACK || code == SB_THUMBPOSITION) && listing.line_count > 0xFFFF) {
        // The 16-bit thumb of the message is too short for long listings.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(SB_VERT, &info))
            top = clamp_top_line(info.nTrackPos, listing.line_count, visibleLines_);
    }
    ShowLine(top);
}

void TQuibexWindow::OnKeyDown(UINT key, UINT, UINT)
{
    switch (key) {
    case VK_PRIOR: OnVScroll(SB_PAGEUP, 0, nullptr); break;
    case VK_NEXT: OnVScroll(SB_PAGEDOWN, 0, nullptr); break;
    case VK_END: OnVScroll(SB_BOTTOM, 0, nullptr); break;
    case VK_HOME: OnVScroll(SB_TOP, 0, nullptr); break;
    case VK_UP: OnVScroll(SB_LINEUP, 0, nullptr); break;
    case VK_DOWN: OnVScroll(SB_LINEDOWN, 0, nullptr); break;
    default: SendMessage(WM_SHOWPC); break;
    }
}

void TQuibexWindow::OnSize(UINT type, int cx, int cy)
{
    if (type == SIZE_MINIMIZED) {
        minimised_ = true;
        UpdateScrollBar();
        return;
    }
    minimised_ = false;
    width_ = cx;
    height_ = cy;
    visibleLines_ = cy / quibex_look.cell_height;
    if (visibleLines_ < 1)
        visibleLines_ = 1;
    topLine_ = clamp_top_line(topLine_, listing.line_count, visibleLines_);
    UpdateScrollBar();
}

void TQuibexWindow::OnLButtonDown(UINT, POINT pt)
{
    int state = ser_link.board_state;
    if (state != BS_MONITOR && state != BS_RESET) {
        ser_beep();
        Status("Board is busy...");
        return;
    }
    Status("");
    SetFocus();
    int row = pt.y / quibex_look.cell_height;
    int index = topLine_ + row;
    if (row > visibleLines_ || index >= listing.line_count)
        return;
    const ListingLine* line = listing.lines[index];
    int column = pt.x / quibex_look.cell_width;
    BreakAction action = breakpoint_action(line, column, ser_link.current_pc);
    if (action == BREAK_IGNORE)
        return;
    int32_t address = line->address;
    int32_t offset = address - image_load_address();
    bool changed = false;
    char text[64];
    if (action == BREAK_CLEAR) {
        ser_link.command_address = address;
        if (ser_command(SC_CLEAR_BREAK) == 0) {
            image_set_flags(offset, 0, IF_BREAK);
            std::snprintf(text, sizeof text, "Breakpoint cleared at Adr. $%04x",
                          static_cast<unsigned>(address));
            Status(text);
            changed = true;
        }
    } else if (action == BREAK_NO_SPACE) {
        Status("Not enough Space for Breakpoint!");
    } else if (action == BREAK_SET) {
        ser_link.command_address = address;
        if (ser_command(SC_SET_BREAK) == 0) {
            std::snprintf(text, sizeof text, "Breakpoint set at Adr. $%04x",
                          static_cast<unsigned>(address));
            Status(text);
            image_set_flags(offset, IF_BREAK, 0);
            changed = true;
        }
    }
    if (changed)
        Invalidate(FALSE);
    else
        ser_beep();
}

void TQuibexWindow::CmFind()
{
    TSymSearch dialog(this, GetParent());
    dialog.DoModal();
    SetFocus();
}

std::string TQuibexWindow::VisibleText() const
{
    std::string text;
    for (int i = topLine_; i < topLine_ + visibleLines_ && i < listing.line_count; i++) {
        const ListingLine* line = listing.lines[i];
        if (line->kind == LK_ECHO)
            text += std::string(26, ' ') + ">";
        text += line->text ? line->text : "";
        text += "\r\n";
    }
    return text;
}

LRESULT TQuibexWindow::OnGetText(WPARAM size, LPARAM buffer)
{
    std::string text = VisibleText();
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0)
        return 0;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT TQuibexWindow::OnGetTextLength(WPARAM, LPARAM)
{
    return static_cast<LRESULT>(VisibleText().size());
}
