// The register view.
#include "target/quibex/cpu_window.h"

#include <cstdio>
#include <cstring>

#include "target/quibex/quibex_look.h"
#include "target/quibex/quibex_messages.h"
#include "target/seriallink/serlink.h"
#include "winui/gdi.h"

static HWND cpu_window = nullptr;

static const COLORREF label_colour = RGB(0, 128, 255);
static const COLORREF changed_background = RGB(192, 255, 255);

BEGIN_MESSAGE_MAP(TCPUWindow, winui::CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_MESSAGE(WM_CPUREFRESH, &TCPUWindow::OnRefresh)
    ON_MESSAGE(WM_GETTEXT, &TCPUWindow::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &TCPUWindow::OnGetTextLength)
END_MESSAGE_MAP()

TCPUWindow::TCPUWindow()
{
    for (CpuRegister& r : cpu_registers)
        r.value = -1;
}

TCPUWindow::~TCPUWindow()
{
    if (m_hWnd)
        DestroyWindow();
}

HWND TCPUWindow::Handle()
{
    return cpu_window;
}

SIZE TCPUWindow::GridSize() const
{
    return SIZE{CPU_COLUMNS * quibex_look.cell_width, CPU_ROWS * quibex_look.cell_height};
}

BOOL TCPUWindow::Create(HWND parent, UINT id)
{
    RegisterClass("TCPUWindow", CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    SIZE size = GridSize();
    return CreateEx(0, "TCPUWindow", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, size.cx,
                    size.cy, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

int TCPUWindow::OnCreate(LPCREATESTRUCTA)
{
    minimised_ = false;
    cpu_window = m_hWnd;
    return 0;
}

void TCPUWindow::OnDestroy()
{
    if (cpu_window == m_hWnd)
        cpu_window = nullptr;
}

// The text a register's value shows: the last `digits` characters of
// "%04x" of its low 16 bits, or of "????" while unknown.
static std::string value_text(const CpuRegister& r)
{
    int32_t value = r.value;
    char text[8];
    if (value == -1)
        std::snprintf(text, sizeof text, "????");
    else
        std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(value & 0xFFFF));
    int digits = r.digits < 4 ? r.digits : 4;
    return std::string(text + 4 - digits);
}

void TCPUWindow::OnPaint()
{
    winui::CPaintDC dc(m_hWnd);
    if (minimised_)
        return;
    HGDIOBJ old = SelectObject(dc, quibex_look.font);
    SetTextColor(dc, label_colour);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    for (CpuRegister& r : cpu_registers) {
        int length = static_cast<int>(std::strlen(r.text));
        TextOutA(dc, r.column * quibex_look.cell_width, r.row * quibex_look.cell_height, r.text,
                 length);
        r.value_column = r.column + length;
    }
    SelectObject(dc, old);
    DrawValues(dc);
}

void TCPUWindow::DrawValues(HDC dc)
{
    HGDIOBJ old = SelectObject(dc, quibex_look.font);
    SetTextColor(dc, RGB(0, 0, 0));
    for (CpuRegister& r : cpu_registers) {
        if (r.digits == 0)
            continue;
        r.value_column = r.column + static_cast<int>(std::strlen(r.text));
        std::string text = value_text(r);
        SetBkColor(dc, r.changed && r.value != -1 ? changed_background : GetSysColor(COLOR_WINDOW));
        TextOutA(dc, r.value_column * quibex_look.cell_width, r.row * quibex_look.cell_height,
                 text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, old);
}

void TCPUWindow::OnSize(UINT type, int, int)
{
    if (type == SIZE_MINIMIZED) {
        minimised_ = true;
        ser_link.read_registers = 0;
        return;
    }
    if (type == SIZE_RESTORED && minimised_) {
        // Back from the icon: the grid again; values come with the next stop.
        HWND child = GetParent();
        SIZE size = GridSize();
        RECT r{0, 0, size.cx, size.cy};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)));
        SetWindowPos(child, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(TRUE);
    }
    minimised_ = false;
    ser_link.read_registers = 1;
}

LRESULT TCPUWindow::OnRefresh(WPARAM, LPARAM)
{
    if (minimised_) {
        for (CpuRegister& r : cpu_registers)
            r.value = -1;
        return 0;
    }
    winui::CClientDC dc(m_hWnd);
    DrawValues(dc);
    return 0;
}

std::string TCPUWindow::GridText()
{
    std::string rows[CPU_ROWS];
    for (std::string& row : rows)
        row.assign(CPU_COLUMNS, ' ');
    for (const CpuRegister& r : cpu_registers) {
        if (r.row < 0 || r.row >= CPU_ROWS)
            continue;
        std::string cell = r.text;
        if (r.digits > 0)
            cell += value_text(r);
        for (size_t i = 0; i < cell.size(); i++)
            if (r.column + static_cast<int>(i) < CPU_COLUMNS)
                rows[r.row][static_cast<size_t>(r.column) + i] = cell[i];
    }
    std::string text;
    for (const std::string& row : rows)
        text += row + "\r\n";
    return text;
}

LRESULT TCPUWindow::OnGetText(WPARAM size, LPARAM buffer)
{
    std::string text = GridText();
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0)
        return 0;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT TCPUWindow::OnGetTextLength(WPARAM, LPARAM)
{
    return static_cast<LRESULT>(GridText().size());
}
