#include "editor/tools/output_bar.h"

#include "editor/docking/dockframe.h"
#include "editor/tools/tool_shell.h"
#include "editor/tools/tools_resource.h"
#include "winui/commdlg.h"
#include "winui/profile.h"

#include <cstdlib>

namespace {

const char kFontSection[] = "OutWndFont";
const char* const kFontKeys[13] = {"Height",    "Width",         "Escapement", "Orientation",
                                   "Weight",    "Italic",        "Underline",  "StrikeOut",
                                   "CharSet",   "OutPrecision",  "ClipPrecision", "Quality",
                                   "PitchAndFamily"};
// The pane buttons' child ids: no frame command has them.
const UINT kFirstButtonId = 0x7E01;

// The LOGFONT fields in the order of kFontKeys.
void FontFields(LOGFONTA& lf, long* values[13], bool toFont)
{
    long* longs[5] = {&lf.lfHeight, &lf.lfWidth, &lf.lfEscapement, &lf.lfOrientation, &lf.lfWeight};
    BYTE* bytes[8] = {&lf.lfItalic,  &lf.lfUnderline,     &lf.lfStrikeOut, &lf.lfCharSet,
                      &lf.lfOutPrecision, &lf.lfClipPrecision, &lf.lfQuality,
                      &lf.lfPitchAndFamily};
    for (int i = 0; i < 13; ++i) {
        if (i < 5) {
            if (toFont)
                *longs[i] = *values[i];
            else
                *values[i] = *longs[i];
        } else {
            if (toFont)
                *bytes[i - 5] = static_cast<BYTE>(*values[i]);
            else
                *values[i] = *bytes[i - 5];
        }
    }
}

winui::CProfile ShellProfile(CToolShell* shell)
{
    return winui::CProfile(shell ? shell->ProfilePath() : std::string());
}

} // namespace

COLORREF ColorFromHexText(const std::string& text, COLORREF def)
{
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str(), &end, 16);
    if (text.empty() || end == text.c_str())
        return def;
    return static_cast<COLORREF>(value);
}

BEGIN_MESSAGE_MAP(COutputBar, CVelloSizeDialogBar)
    ON_MESSAGE(WM_PARENTNOTIFY, &COutputBar::OnParentNotify)
    ON_MESSAGE(WM_HSCROLL, &COutputBar::OnHScrollMsg)
END_MESSAGE_MAP()

COutputBar::COutputBar(CToolShell* shell, CToolRunner* runner)
    : CVelloSizeDialogBar(SIZEBAR_CONTEXT_MENU), shell_(shell), runner_(runner)
{
}

COutputBar::~COutputBar()
{
    // The panes go before the bar's window; their scroll bars are children
    // of the bar and go with it.
    for (COutputEdit& pane : panes_)
        if (pane.m_hWnd)
            pane.DestroyWindow();
}

int COutputBar::Slot(int kind)
{
    switch (kind) {
    case kPaneOutput: return 0;
    case kPaneSearchResults: return 1;
    case kPaneTags: return 2;
    }
    return -1;
}

COutputEdit& COutputBar::Pane(int kind)
{
    int slot = Slot(kind);
    return panes_[slot < 0 ? 0 : slot];
}

HWND COutputBar::PaneButton(int kind) const
{
    int slot = Slot(kind);
    return slot < 0 ? nullptr : buttons_[slot];
}

BOOL COutputBar::Create(winui::CFrameWnd* frame, BOOL visible, HFONT editorFont)
{
    DWORD style = WS_CHILD | WS_VISIBLE | winui::CBRS_BOTTOM;
    if (!CreateFromId(frame, IDD_OUTPUT_BAR, style, kOutputBarId))
        return FALSE;
    DWORD windowStyle = GetStyle() | WS_CLIPCHILDREN;
    if (!visible)
        windowStyle &= ~static_cast<DWORD>(WS_VISIBLE);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(windowStyle));

    winui::CProfile profile = ShellProfile(shell_);
    COLORREF text = ColorFromHexText(profile.GetString("Specials", "OutWndFontColor", "0"), 0);
    COLORREF back =
        ColorFromHexText(profile.GetString("Specials", "OutWndBkgndColor", "C0C0C0"), 0xC0C0C0);

    RECT client;
    GetClientRect(&client);
    const DWORD paneStyle = 0x543010C4;
    struct {
        int slot;
        const char* text;
        int kind;
        bool shown;
    } order[3] = {{2, "Tags", kPaneTags, false},
                  {0, "Ausgabe", kPaneOutput, true},
                  {1, "Suchergebnisse", kPaneSearchResults, false}};
    for (auto& o : order) {
        COutputEdit& pane = panes_[o.slot];
        pane.m_crPaneText = text;
        pane.m_crPaneBack = back;
        pane.SetShell(shell_);
        pane.SetRunner(runner_);
        DWORD s = o.shown ? paneStyle : (paneStyle & ~static_cast<DWORD>(WS_VISIBLE));
        if (!pane.Create(o.text, s, client, m_hWnd, 0xE900 + o.slot))
            return FALSE;
        ::SetWindowLongA(pane.m_hWnd, GWL_EXSTYLE,
                         ::GetWindowLongA(pane.m_hWnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        ::SetWindowPos(pane.m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        pane.m_nKind = o.kind;
    }

    // Font: the editor's when no face is stored, else the stored one, else
    // "Courier".
    std::string face = profile.GetString(kFontSection, "FaceName", "");
    if (face.empty()) {
        if (editorFont)
            ApplyFont(editorFont);
    } else {
        LOGFONTA lf{};
        long values[13];
        long* ptrs[13];
        for (int i = 0; i < 13; ++i) {
            values[i] = profile.GetInt(kFontSection, kFontKeys[i], 0);
            ptrs[i] = &values[i];
        }
        FontFields(lf, ptrs, true);
        lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        HFONT font = CreateFontIndirectA(&lf);
        if (!font)
            font = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 48, "Courier");
        if (font) {
            ApplyFont(font);
            DeleteObject(font); // each pane keeps its own copy
        }
    }

    m_dwStyle |= winui::CBRS_FLYBY | winui::CBRS_BORDER_3D | winui::CBRS_BORDER_ANY;
    SetWindowTextA(m_hWnd, "Output");
    EnableDocking(winui::CBRS_ALIGN_BOTTOM);
    RECT main;
    ::GetWindowRect(frame->m_hWnd, &main);
    m_sizeFloating = SIZE{main.right / 2 - 50, main.bottom / 2 - 50};

    HFONT barFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    const char* labels[3] = {"Output", "Search results", "Tags"};
    for (int slot : {2, 0, 1}) {
        buttons_[slot] = CreateWindowExA(0, "BUTTON", labels[slot], 0x50001002, 0, 0, 10, 10,
                                         m_hWnd, reinterpret_cast<HMENU>(
                                                     static_cast<UINT_PTR>(kFirstButtonId + slot)),
                                         GetModuleHandleA(nullptr), nullptr);
        if (barFont)
            ::SendMessageA(buttons_[slot], WM_SETFONT, reinterpret_cast<WPARAM>(barFont), TRUE);
    }
    ::EnableWindow(buttons_[2], FALSE);
    {
        HDC dc = ::GetDC(m_hWnd);
        HGDIOBJ old = barFont ? SelectObject(dc, barFont) : nullptr;
        SIZE zero{8, 8};
        GetTextExtentPoint32A(dc, "0", 1, &zero);
        if (old)
            SelectObject(dc, old);
        ::ReleaseDC(m_hWnd, dc);
        buttonWidth_ = 12 * zero.cx;
    }
    ::SendMessageA(buttons_[0], BM_SETCHECK, BST_CHECKED, 0);
    Layout();
    return TRUE;
}

void COutputBar::ApplyFont(HFONT font)
{
    for (COutputEdit& pane : panes_) {
        if (!pane.m_hWnd)
            continue;
        pane.SetEditFont(font, TRUE);
        pane.InvalidateText(1);
    }
}

LOGFONTA COutputBar::PaneFont() const
{
    LOGFONTA lf{};
    if (winui::CFont* font = panes_[0].GetEditFont())
        GetObjectA(static_cast<HFONT>(*font), sizeof lf, &lf);
    return lf;
}

void COutputBar::ChooseFont()
{
    LOGFONTA current = PaneFont();
    winui::CFontDialog dlg(&current, CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_INITTOLOGFONTSTRUCT,
                           m_hWnd);
    if (dlg.DoModal() != IDOK)
        return;
    HFONT font = CreateFontIndirectA(&dlg.m_lf);
    if (!font)
        return;
    ApplyFont(font);
    DeleteObject(font);
    winui::CProfile profile = ShellProfile(shell_);
    long values[13];
    long* ptrs[13];
    for (int i = 0; i < 13; ++i)
        ptrs[i] = &values[i];
    LOGFONTA lf = dlg.m_lf;
    FontFields(lf, ptrs, false);
    for (int i = 0; i < 13; ++i)
        profile.WriteInt(kFontSection, kFontKeys[i], static_cast<int>(values[i]));
    profile.WriteString(kFontSection, "FaceName", lf.lfFaceName);
}

void COutputBar::ShowOnly(int slot)
{
    for (int i = 0; i < 3; ++i) {
        panes_[i].ShowPane(i == slot);
        if (buttons_[i])
            ::SendMessageA(buttons_[i], BM_SETCHECK, i == slot ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void COutputBar::ShowPane(int kind)
{
    int slot = Slot(kind);
    if (slot < 0 || !m_hWnd)
        return;
    ShowOnly(slot);
    panes_[slot].m_nKind = kind;
}

int COutputBar::VisiblePane() const
{
    const int kinds[3] = {kPaneOutput, kPaneSearchResults, kPaneTags};
    for (int i = 0; i < 3; ++i)
        if (panes_[i].m_hWnd && ::IsWindowVisible(panes_[i].m_hWnd))
            return kinds[i];
    return kPaneNone;
}

void COutputBar::EnableTagsTab(bool on)
{
    if (!m_hWnd)
        return;
    buttonCount_ = on ? 3 : 2;
    ::ShowWindow(buttons_[2], on ? SW_SHOW : SW_HIDE);
    ::EnableWindow(buttons_[2], on);
    if (!on) {
        panes_[2].ShowPane(false);
        ShowPane(kPaneSearchResults);
    }
    Layout();
}

void COutputBar::Layout()
{
    if (!m_hWnd || !panes_[0].m_hWnd)
        return;
    RECT r;
    GetClientRect(&r);
    int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    r.bottom -= barHeight;
    if (IsBarFloating()) {
        r.left += 1;
        r.right -= 2;
        r.bottom -= 2;
    } else {
        r.top += 2;
        r.left += 2;
        r.right -= 2;
        r.bottom -= 2;
    }
    if (r.bottom < r.top)
        r.bottom = r.top;
    if (r.right < r.left)
        r.right = r.left;
    for (COutputEdit& pane : panes_)
        ::MoveWindow(pane.m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    // "Output", "Search results", "Tags" from the left.
    for (int i = 0; i < 3; ++i)
        ::MoveWindow(buttons_[i], r.left + i * buttonWidth_, r.bottom, buttonWidth_, barHeight,
                     TRUE);
    for (COutputEdit& pane : panes_)
        pane.PlaceScrollBar(buttonCount_ * buttonWidth_);
}

void COutputBar::OnSizeOrStateChanged(int cx, int cy, BOOL bFloating, int nFlags)
{
    CVelloSizeDialogBar::OnSizeOrStateChanged(cx, cy, bFloating, nFlags);
    Layout();
}

LRESULT COutputBar::OnParentNotify(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != WM_LBUTTONDOWN)
        return Default();
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    for (int i = 0; i < 3; ++i) {
        if (!buttons_[i] || !::IsWindowVisible(buttons_[i]))
            continue;
        RECT r;
        ::GetWindowRect(buttons_[i], &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        if (PtInRect(&r, p)) {
            // The pane's kind stays as it is.
            ShowOnly(i);
            break;
        }
    }
    return 0;
}

LRESULT COutputBar::OnHScrollMsg(WPARAM wParam, LPARAM lParam)
{
    for (COutputEdit& pane : panes_)
        if (pane.m_hWnd && ::IsWindowVisible(pane.m_hWnd))
            return ::SendMessageA(pane.m_hWnd, WM_HSCROLL, wParam, lParam);
    return 0;
}

bool COutputBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0) {
        CDockSite* site = GetDockSite();
        switch (LOWORD(wParam)) {
        case ID_OUTPUT_FLOAT:
            if (site) {
                RECT main;
                ::GetWindowRect(site->DockFrame()->m_hWnd, &main);
                site->FloatControlBar(this, POINT{main.right / 2 - 50, main.bottom / 2 - 50});
            }
            return true;
        case ID_OUTPUT_DOCK:
            if (site)
                site->DockControlBar(this, winui::AFX_IDW_DOCKBAR_BOTTOM);
            return true;
        case ID_OUTPUT_CLOSE:
            if (site)
                site->ShowControlBar(this, FALSE, FALSE);
            return true;
        case ID_OUTPUT_FONT:
            ChooseFont();
            return true;
        }
    }
    return CVelloSizeDialogBar::OnCommand(wParam, lParam);
}
