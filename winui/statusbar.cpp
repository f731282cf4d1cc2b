#include "winui/statusbar.h"

#include "winui/cmdui.h"
#include "winui/common_controls.h"
#include "winui/frame.h"

namespace winui {

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CFrameWnd* parent, DWORD style, UINT id)
{
    InitCommonControlClasses();
    if (m_hWnd || !parent || !parent->m_hWnd)
        return FALSE;
    // The control's own style bits share the low word with the bar styles
    // (CBRS_ALL), so they go to CreateWindowExA apart from the bar style.
    m_dwStyle = style & CBRS_ALL;
    m_pDockSite = parent;
    DWORD own = SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN;
    HWND h = CreateWindowExA(0, STATUSCLASSNAMEA, "", (style & ~CBRS_ALL) | own, 0, 0, 0, 0,
                             parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    return h && SubclassWindow(h);
}

int CStatusBar::TextWidth(const char* text) const
{
    HDC dc = GetDC(m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    panes_.clear();
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        if (ids[i])
            LoadStringA(GetModuleHandleA(nullptr), ids[i], text, sizeof text);
        // A pane is as wide as its text plus the borders of the control.
        int width = i == 0 ? 0 : TextWidth(text) + 8;
        panes_.push_back(Pane{ids[i], i == 0 ? UINT(SBT_NOBORDERS) : 0u, width});
    }
    SetParts();
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        if (ids[i] && i > 0)
            LoadStringA(GetModuleHandleA(nullptr), ids[i], text, sizeof text);
        SetPaneText(i, text);
    }
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < panes_.size(); ++i)
        if (panes_[i].id == id)
            return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? panes_[static_cast<size_t>(index)].id : 0;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    panes_[static_cast<size_t>(index)] = Pane{id, style, width};
    std::string text = GetPaneText(index);
    SetParts();
    SetPaneText(index, text.c_str());
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    if (index < 0 || index >= GetCount())
        return;
    const Pane& p = panes_[static_cast<size_t>(index)];
    id = p.id;
    style = p.style;
    width = p.width;
}

BOOL CStatusBar::SetPaneText(int index, const char* text)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    UINT style = panes_[static_cast<size_t>(index)].style & 0xFF00;
    return static_cast<BOOL>(
        SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index) | style, reinterpret_cast<LPARAM>(text)));
}

std::string CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetCount())
        return "";
    LRESULT length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(index)));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(lstrlenA(text.c_str()));
    return text;
}

// The first pane takes what the others leave; the others stand at the
// right edge with their widths (SB_SETPARTS takes right edges).
void CStatusBar::SetParts()
{
    if (panes_.empty())
        return;
    RECT client;
    GetClientRect(&client);
    int right = client.right - GetSystemMetrics(SM_CXVSCROLL);
    std::vector<int> edges(panes_.size());
    for (size_t i = panes_.size(); i-- > 1;) {
        edges[i] = right;
        right -= panes_[i].width;
    }
    edges[0] = right > 0 ? right : 0;
    edges.back() = -1;
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    SetParts();
}

SIZE CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    HDC dc = GetDC(m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    int borders[3] = {0, 0, 0};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    return SIZE{32767, tm.tmHeight + 2 * borders[1] + 4};
}

namespace {

// A status pane's update: SetText sets the text, Enable(FALSE) empties it.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        if (!on)
            static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), "");
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(const char* text) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), text);
    }
};

} // namespace

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    for (int i = 0; i < GetCount(); ++i) {
        UINT id = GetItemID(i);
        if (!id)
            continue;
        state.m_nID = id;
        state.m_nIndex = static_cast<UINT>(i);
        // A pane without an update handler keeps its text.
        state.DoUpdate(target, FALSE);
    }
}

} // namespace winui
