// CNColorEditCtrl: identifier tips. While the mouse rests on a name, the
// tool-tip control asks for a text; the control looks the name up through
// the shell (copies of the browser's records) and describes it.
#include "editor/syntax/window/ncoloreditctrl.h"

#include <algorithm>

namespace {

// Shared by every control, as the tool-tip support keeps them: the last
// mouse point seen and the tool counter.
POINT last_point{-1, -1};
int tool_counter = 0;

} // namespace

void CNColorEditCtrl::CreateToolTip()
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    m_hToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (m_hToolTip)
        ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 600);
}

int CNColorEditCtrl::OnToolHitTest(POINT point, TOOLINFOA* info)
{
    if (!info || !GetEditorShell().AutoBrowserEnabled())
        return -1;
    if (point.x != last_point.x || point.y != last_point.y) {
        ++tool_counter;
        last_point = point;
        m_ptLastTip = point;
        info->cbSize = TTTOOLINFOA_V1_SIZE;
        info->uFlags = 0;
        info->hwnd = m_hWnd;
        info->uId = kIdentifierToolId;
        info->rect = RECT{point.x, point.y, point.x + 2 * m_nCharWidth, point.y + m_nCharHeight};
        info->lpszText = LPSTR_TEXTCALLBACKA;
    }
    if (tool_counter >= 0xfffe)
        tool_counter = 0;
    return tool_counter;
}

void CNColorEditCtrl::RelayToolTip(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hToolTip)
        return;
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    TOOLINFOA ti{};
    const int hit = OnToolHitTest(pt, &ti);
    TOOLINFOA old{};
    old.cbSize = TTTOOLINFOA_V1_SIZE;
    old.hwnd = m_hWnd;
    old.uId = kIdentifierToolId;
    if (hit < 0) {
        ::SendMessageA(m_hToolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&old));
        m_nShownTool = -1;
        return;
    }
    if (hit != m_nShownTool && ti.cbSize) {
        ::SendMessageA(m_hToolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&old));
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        m_nShownTool = hit;
    }
    MSG msg{m_hWnd, message, wParam, lParam, 0, {pt.x, pt.y}};
    ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CNColorEditCtrl::OnMouseMove(UINT flags, POINT point)
{
    if (m_bIndentMove && m_bIndentPressed) {
        const int x = std::max(0L, point.x) / std::max(1, m_nCharWidth) * m_nCharWidth;
        if (x != m_nPointerX) {
            m_nPointerX = x;
            DrawIndentGuide(false);
        }
        return;
    }
    if (GetSyntaxEditSettings().extMovTxt) {
        TrackPointerOverSelection(point);
        if (m_bDragging) {
            if ((flags & MK_LBUTTON) && !GetColorEditSettings().autoCopy)
                DragMouseMove(point);
            return;
        }
    }
    CColorEdit::OnMouseMove(flags, point);
    RelayToolTip(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
    if (flags & MK_LBUTTON) {
        const int caret = SelStart();
        GetEditorShell().ShowCaretPosition(Core().LineFromOffset(caret) + 1,
                                           caret - Core().GetLineStart(caret) + 1, caret);
    }
}

bool CNColorEditCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header && (header->code == TTN_NEEDTEXTA || header->code == TTN_NEEDTEXTW)) {
        *result = OnToolTipText(header);
        return true;
    }
    return CColorEdit::OnNotify(wParam, lParam, result);
}

LRESULT CNColorEditCtrl::OnToolTipText(NMHDR* header)
{
    if (!header || header->idFrom != kIdentifierToolId)
        return 0;
    int start = -1;
    std::string word;
    if (GetWordAtPoint(m_ptLastTip, start, word) <= 0)
        return -1;
    std::string name = word;
    if ((start >= 1 && ByteAt(start - 1) == '.') || (start >= 2 && ByteAt(start - 2) == '-' && ByteAt(start - 1) == '>'))
        name = "." + word;

    CEditorShell& shell = GetEditorShell();
    CSymbolHitLists hits;
    if (shell.LookupSymbols(name, hits) <= 0 || hits.empty())
        return 0;
    const IdentifierTip tip = BuildIdentifierTip(word, Core().LineFromOffset(start), hits, shell.OutputBarVisible());
    if (tip.showTags) {
        shell.ShowAndClearPane(kPaneTags);
        for (const std::string& line : tip.tags)
            shell.AppendPaneLine(kPaneTags, line);
    }
    CopyTipText(tip.text, m_tipText, kTipTextSize);
    if (header->code == TTN_NEEDTEXTA) {
        NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->lpszText = m_tipText;
    } else {
        NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        const int room = static_cast<int>(sizeof info->szText / sizeof info->szText[0]);
        char cut[sizeof info->szText / sizeof info->szText[0]];
        CopyTipText(tip.text, cut, room);
        const int n = MultiByteToWideChar(CP_ACP, 0, cut, -1, info->szText, room);
        info->szText[n > 0 ? std::min(n, room) - 1 : 0] = 0;
        info->lpszText = info->szText;
    }
    return 1;
}
