#include "winui/toolbar.h"

#include "winui/common_controls.h"
#include "winui/cmdui.h"
#include "winui/frame.h"

#include <cstring>

namespace winui {

std::string CommandTip(UINT id)
{
    char text[512] = "";
    if (!LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text))
        return "";
    const char* tip = strchr(text, '\n');
    return tip ? tip + 1 : "";
}

BOOL CToolBar::Create(CFrameWnd* parent, DWORD style, UINT id)
{
    InitCommonControlClasses();
    if (m_hWnd || !parent || !parent->m_hWnd)
        return FALSE;
    // The control's own style bits share the low word with the bar styles
    // (CBRS_ALL), so they go to CreateWindowExA apart from the bar style.
    m_dwStyle = style & CBRS_ALL;
    m_pDockSite = parent;
    DWORD own = TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    HWND h = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", (style & ~CBRS_ALL) | own, 0, 0, 0, 0,
                             parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!h || !SubclassWindow(h))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT bitmapId, SIZE image)
{
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
    return AddBitmap(bitmapId, image) != -1;
}

int CToolBar::AddBitmap(UINT bitmapId, SIZE image)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                                     IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (!bitmap)
        return -1;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bitmap)};
    // The control keeps the bitmap for its lifetime.
    return static_cast<int>(SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(info.bmWidth / image.cx),
                                        reinterpret_cast<LPARAM>(&add)));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count)
{
    while (GetCount() > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        if (ids[i] == 0) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = 6;
        } else {
            b.iBitmap = image++;
            b.idCommand = static_cast<int>(ids[i]);
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(b);
    }
    if (!buttons.empty() &&
        !SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    for (int i = 0; i < count; ++i)
        if (ids[i]) {
            std::string tip = CommandTip(ids[i]);
            if (!tip.empty())
                SetButtonTip(ids[i], tip.c_str());
        }
    return TRUE;
}

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON b{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b)))
        return 0;
    return static_cast<UINT>(b.idCommand);
}

void CToolBar::SetButtonTip(UINT id, const char* text) const
{
    HWND tips = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
    if (!tips)
        return;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_hWnd;
    ti.uId = id;
    ti.lpszText = const_cast<char*>(text);
    ::SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

std::string CToolBar::GetButtonTip(UINT id) const
{
    HWND tips = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
    if (!tips)
        return "";
    char text[512] = "";
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_hWnd;
    ti.uId = id;
    ti.lpszText = text;
    ::SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    return ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKA ? ti.lpszText : "";
}

SIZE CToolBar::CalcFixedLayout(BOOL, BOOL horz)
{
    SIZE size{0, 0};
    SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    DWORD buttons = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    const int border = 4;
    if (horz)
        return SIZE{size.cx + border, HIWORD(buttons) + border};
    return SIZE{LOWORD(buttons) + border, size.cy + border};
}

namespace {

// A tool bar button's update: Enable and SetCheck change the button.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        static_cast<CToolBar*>(m_pOther)->EnableButton(m_nID, on);
    }
    void SetCheck(int check) override { static_cast<CToolBar*>(m_pOther)->CheckButton(m_nID, check != 0); }
    void SetRadio(BOOL on) override { SetCheck(on ? 1 : 0); }
    void SetText(const char*) override {}
};

} // namespace

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        UINT id = GetItemID(i);
        if (!id)
            continue;
        state.m_nID = id;
        state.m_nIndex = static_cast<UINT>(i);
        state.DoUpdate(target, disableIfNoHandler);
    }
}


bool AnswerToolTipText(LPARAM lParam, const std::string& text)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        lstrcpynA(info->szText, text.c_str(), sizeof info->szText);
        info->lpszText = info->szText;
        info->hinst = nullptr;
        return true;
    }
    if (hdr->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        const int size = static_cast<int>(sizeof info->szText / sizeof info->szText[0]);
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, info->szText, size);
        info->szText[size - 1] = 0;
        info->lpszText = info->szText;
        info->hinst = nullptr;
        return true;
    }
    return false;
}

int ToolTipRequestId(LPARAM lParam)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code != TTN_GETDISPINFOA && hdr->code != TTN_GETDISPINFOW)
        return -1;
    return static_cast<int>(hdr->idFrom);
}

} // namespace winui
