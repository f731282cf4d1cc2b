#include "editor/shell/color_select_dlg.h"

#include "editor/editctl/color_table.h"
#include "editor/editctl/edit_core.h"
#include "editor/syntax/syntax_template.h"
#include "winui/commdlg.h"
#include "winui/gdi.h"
#include "winui/msgbox.h"

#include <cstring>

namespace {
const int kCells = 16;
const int kMaxIndex = 255;

struct OptionBit {
    int CColorSelectDlg::*flag;
    int id;
    uint32_t bit;
};
// "case sensitive" stands for the ignore-case bit inverted (see ApplyFlags).
const OptionBit kOptions[] = {
    {&CColorSelectDlg::m_bToLineEnd, IDC_TO_LINE_END, SYNTAX_TO_LINE_END},
    {&CColorSelectDlg::m_bWholeWord, IDC_WHOLE_WORD, SYNTAX_WHOLE_WORD},
    {&CColorSelectDlg::m_bCaseSensitive, IDC_CASE_SENSITIVE, SYNTAX_IGNORE_CASE},
    {&CColorSelectDlg::m_bToWordEnd, IDC_TO_WORD_END, SYNTAX_TO_WORD_END},
    {&CColorSelectDlg::m_bBetweenStrings, IDC_BETWEEN_STRINGS, SYNTAX_BETWEEN_STRINGS},
};
} // namespace

BEGIN_MESSAGE_MAP(CColorSelectDlg, winui::CDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_EN_CHANGE(IDC_TEXT_INDEX, &CColorSelectDlg::OnTextIndexChange)
    ON_EN_CHANGE(IDC_BACK_INDEX, &CColorSelectDlg::OnBackIndexChange)
    ON_BN_CLICKED(IDC_CHANGE_TEXT, &CColorSelectDlg::OnChangeText)
    ON_BN_CLICKED(IDC_CHANGE_BACK, &CColorSelectDlg::OnChangeBack)
    ON_BN_CLICKED(IDC_DEFAULT_BACK, &CColorSelectDlg::OnDefaultBackground)
    ON_BN_CLICKED(IDC_BETWEEN_STRINGS, &CColorSelectDlg::OnBetweenStrings)
    ON_BN_CLICKED(IDC_TO_LINE_END, &CColorSelectDlg::OnOtherOption)
    ON_BN_CLICKED(IDC_TO_WORD_END, &CColorSelectDlg::OnOtherOption)
    ON_BN_CLICKED(IDC_WHOLE_WORD, &CColorSelectDlg::OnOtherOption)
    ON_BN_CLICKED(IDC_COLOR_OK, &CColorSelectDlg::OnOK)
    ON_MESSAGE(WM_CTLCOLOREDIT, &CColorSelectDlg::OnCtlColorEdit)
END_MESSAGE_MAP()

CColorSelectDlg::CColorSelectDlg(COLORREF background, HWND parent)
    : winui::CDialog(IDD_COLOR_SELECT, parent), m_clrBackground(background)
{
}

CColorSelectDlg::~CColorSelectDlg()
{
    if (editBrush_)
        ::DeleteObject(editBrush_);
}

void CColorSelectDlg::SetFlagsFromValue(int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    for (const OptionBit& o : kOptions)
        this->*o.flag = (v & o.bit) ? 1 : 0;
    m_bCaseSensitive = !m_bCaseSensitive;
    if (m_bBetweenStrings)
        m_bToLineEnd = m_bWholeWord = m_bCaseSensitive = m_bToWordEnd = 0;
}

int32_t CColorSelectDlg::ApplyFlags(int32_t value) const
{
    uint32_t v = static_cast<uint32_t>(value);
    for (const OptionBit& o : kOptions) {
        bool set = this->*o.flag != 0;
        if (o.bit == SYNTAX_IGNORE_CASE)
            set = !set;
        v = set ? (v | o.bit) : (v & ~o.bit);
    }
    return static_cast<int32_t>(v);
}

BOOL CColorSelectDlg::OnInitDialog()
{
    // The table as it was when the dialog opened, for Cancel.
    std::memcpy(savedTable_, g_ColorTable, sizeof savedTable_);
    m_nValue &= 0xFF;
    SetDlgItemInt(IDC_TEXT_INDEX, 0);
    SetDlgItemInt(IDC_BACK_INDEX, 0);
    keywordMode_ = !m_strKeyword.empty();
    if (keywordMode_) {
        SetDlgItemText(IDC_KEYWORD, m_strKeyword.c_str());
        for (int id : {IDC_BACK_PALETTE, IDC_CHANGE_BACK, IDC_BACK_INDEX})
            EnableDlgItem(id, FALSE);
        SetDlgItemInt(IDC_TEXT_INDEX, static_cast<UINT>(m_nValue));
    } else {
        // Only the colour table is edited: the entry's own controls go and
        // the window ends above them.
        for (int id : {IDC_KEYWORD, IDC_WHOLE_WORD, IDC_TO_LINE_END, IDC_CASE_SENSITIVE})
            ::ShowWindow(GetDlgItem(id), SW_HIDE);
        RECT cut, wnd;
        ::GetWindowRect(GetDlgItem(IDC_TO_LINE_END), &cut);
        ::GetWindowRect(m_hWnd, &wnd);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, wnd.right - wnd.left, cut.top - wnd.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const OptionBit& o : kOptions)
        CheckDlgButton(o.id, this->*o.flag ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CColorSelectDlg::OnOK()
{
    for (const OptionBit& o : kOptions)
        this->*o.flag = IsDlgButtonChecked(o.id) == BST_CHECKED ? 1 : 0;
    if (keywordMode_) {
        std::string keyword = GetDlgItemText(IDC_KEYWORD);
        std::string problem = keyword.empty() ? std::string("A keyword entry needs a text.")
                                              : CheckSyntaxKeyword(keyword);
        if (!problem.empty()) {
            winui::ShowMessageBox(m_hWnd, problem.c_str(), "COLOR Select", MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(IDC_KEYWORD));
            return;
        }
        m_strKeyword = keyword;
    }
    // The index shown is the index returned, typed or clicked.
    m_nValue = IndexOf(IDC_TEXT_INDEX);
    EndDialog(IDOK);
}

void CColorSelectDlg::OnCancel()
{
    // Colours changed with "Change" or "Default Background" go back.
    std::memcpy(g_ColorTable, savedTable_, sizeof savedTable_);
    EndDialog(IDCANCEL);
}

RECT CColorSelectDlg::PaletteArea(int paletteId) const
{
    RECT r{0, 0, 0, 0};
    HWND frame = GetDlgItem(paletteId);
    if (!frame)
        return r;
    ::GetWindowRect(frame, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    ::InflateRect(&r, -3, -3);
    return r;
}

RECT CColorSelectDlg::PaletteCell(int paletteId, int index) const
{
    RECT area = PaletteArea(paletteId);
    const int cell = (area.right - area.left) / kCells;
    RECT r{area.left + index * cell, area.top, area.left + (index + 1) * cell, area.bottom};
    return r;
}

int CColorSelectDlg::PaletteIndexAt(int paletteId, POINT pt) const
{
    RECT area = PaletteArea(paletteId);
    const int width = (area.right - area.left) / kCells * kCells;
    if (width <= 0 || pt.x < area.left || pt.x >= area.left + width || pt.y < area.top || pt.y >= area.bottom)
        return -1;
    return (pt.x - area.left) * kCells / width;
}

int CColorSelectDlg::IndexOf(int editId) const
{
    BOOL ok = FALSE;
    int v = static_cast<int>(GetDlgItemInt(editId, &ok, FALSE));
    if (!ok || v < 0)
        return 0;
    return v > kMaxIndex ? kMaxIndex : v;
}

void CColorSelectDlg::ClampIndex(int editId)
{
    BOOL ok = FALSE;
    UINT v = GetDlgItemInt(editId, &ok, FALSE);
    // A text too long for a number does not translate either: it is too big.
    if ((ok && v > static_cast<UINT>(kMaxIndex)) || (!ok && GetDlgItemText(editId).size() > 3))
        SetDlgItemInt(editId, kMaxIndex, FALSE);
    Repaint();
}

void CColorSelectDlg::Repaint()
{
    Invalidate(FALSE);
    ::InvalidateRect(GetDlgItem(IDC_KEYWORD), nullptr, TRUE);
}

void CColorSelectDlg::OnPaint()
{
    winui::CPaintDC dc(m_hWnd);
    struct Palette {
        int id;
        int edit;
        int base;
    };
    for (const Palette& p : {Palette{IDC_TEXT_PALETTE, IDC_TEXT_INDEX, 0}, Palette{IDC_BACK_PALETTE, IDC_BACK_INDEX, 16}}) {
        const int current = IndexOf(p.edit);
        for (int i = 0; i < kCells; ++i) {
            const RECT cell = PaletteCell(p.id, i);
            const COLORREF c = g_ColorTable[p.base + i];
            winui::FillSolidRect(dc, cell, c);
            if (i == (current & 15)) {
                // An outline that shows on dark and light cells alike.
                const bool dark = c < 0x8100 || (c & 0xFFFF) < 0x8001;
                HPEN pen = ::CreatePen(PS_SOLID, 1, dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
                winui::CSelectObject usePen(dc, pen);
                winui::CSelectObject useBrush(dc, ::GetStockObject(NULL_BRUSH));
                ::Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
                ::DeleteObject(pen);
            }
        }
    }
    RECT sample = PaletteArea(IDC_BACK_SAMPLE);
    winui::FillSolidRect(dc, sample, m_clrBackground);
}

void CColorSelectDlg::OnLButtonDown(UINT, POINT pt)
{
    int index = PaletteIndexAt(IDC_TEXT_PALETTE, pt);
    if (index >= 0) {
        m_nValue = index;
        SetDlgItemInt(IDC_TEXT_INDEX, static_cast<UINT>(index), FALSE);
    } else if (!keywordMode_ && (index = PaletteIndexAt(IDC_BACK_PALETTE, pt)) >= 0) {
        SetDlgItemInt(IDC_BACK_INDEX, static_cast<UINT>(index), FALSE);
    }
    Repaint();
}

bool CColorSelectDlg::AskColour(COLORREF initial, COLORREF& chosen)
{
    winui::CColorDialog dlg(initial, CC_RGBINIT | CC_FULLOPEN, m_hWnd);
    if (dlg.DoModal() != IDOK)
        return false;
    chosen = dlg.GetColor();
    return true;
}

void CColorSelectDlg::OnChangeText()
{
    const int index = IndexOf(IDC_TEXT_INDEX) & 15;
    COLORREF c;
    if (AskColour(g_ColorTable[index], c)) {
        g_ColorTable[index] = c;
        Repaint();
    }
}

void CColorSelectDlg::OnChangeBack()
{
    const int index = 16 + (IndexOf(IDC_BACK_INDEX) & 15);
    COLORREF c;
    if (AskColour(g_ColorTable[index], c)) {
        g_ColorTable[index] = c;
        Repaint();
    }
}

void CColorSelectDlg::OnDefaultBackground()
{
    COLORREF c;
    if (AskColour(g_ColorTable[16 + (IndexOf(IDC_BACK_INDEX) & 15)], c)) {
        m_clrBackground = c;
        g_ColorTable[16] = c;
        Repaint();
    }
}

void CColorSelectDlg::OnBetweenStrings()
{
    if (IsDlgButtonChecked(IDC_BETWEEN_STRINGS) != BST_CHECKED)
        return;
    for (int id : {IDC_TO_LINE_END, IDC_TO_WORD_END, IDC_WHOLE_WORD, IDC_CASE_SENSITIVE})
        CheckDlgButton(id, BST_UNCHECKED);
}

void CColorSelectDlg::OnOtherOption()
{
    for (int id : {IDC_TO_LINE_END, IDC_TO_WORD_END, IDC_WHOLE_WORD})
        if (IsDlgButtonChecked(id) == BST_CHECKED)
            CheckDlgButton(IDC_BETWEEN_STRINGS, BST_UNCHECKED);
}

LRESULT CColorSelectDlg::OnCtlColorEdit(WPARAM wParam, LPARAM lParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND ctrl = reinterpret_cast<HWND>(lParam);
    if (ctrl != GetDlgItem(IDC_KEYWORD))
        return DefWindowProc(WM_CTLCOLOREDIT, wParam, lParam);
    // The keyword shows in the colour it will have in the editor.
    ::SetTextColor(dc, g_ColorTable[IndexOf(IDC_TEXT_INDEX) & 15]);
    ::SetBkColor(dc, m_clrBackground);
    if (editBrush_)
        ::DeleteObject(editBrush_);
    editBrush_ = ::CreateSolidBrush(m_clrBackground);
    return reinterpret_cast<LRESULT>(editBrush_);
}
