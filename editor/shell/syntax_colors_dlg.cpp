#include "editor/shell/syntax_colors_dlg.h"

#include "editor/editctl/color_table.h"
#include "editor/shell/color_select_dlg.h"
#include "editor/shell/template_name_dlg.h"
#include "winui/gdi.h"
#include "winui/msgbox.h"

#include <algorithm>

namespace {
const char kListSection[] = "SyntaxTemplates";
const char kCommentText[] = "Comment";
const size_t kMaxTipLength = 80;

bool IsCommentText(const std::string& text) { return text == "Comment" || text == "comment"; }

// Writes one template's section as SaveSyntaxTemplates writes every one.
void SaveTemplateSection(CSyntaxProfile& profile, const CSyntaxTemplate& t)
{
    profile.EmptySection(t.name);
    profile.WriteString(t.name, "FileAssoc", t.FileAssoc);
    const int count = static_cast<int>(t.keywords.size());
    profile.WriteInt(t.name, "number", count);
    int key = count;
    for (const SyntaxKeyword& k : t.keywords)
        profile.WriteString(t.name, "syntax" + std::to_string(key--), FormatSyntaxEntry(k));
}

// SaveSyntaxTemplates rewrites each template's section from scratch; the
// section's "BackColor" (the background kept for that syntax) is not part of
// the template record, so it is read before and written back after.
void SaveTemplatesKeepingBackColor(CSyntaxProfile& profile)
{
    std::vector<std::pair<std::string, std::string>> kept;
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates) {
        const std::string back = profile.GetString(t->name, "BackColor", "");
        if (!back.empty())
            kept.emplace_back(t->name, back);
    }
    SaveSyntaxTemplates(profile);
    for (const auto& k : kept)
        profile.WriteString(k.first, "BackColor", k.second);
}

bool SameSection(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }
} // namespace

// --- CColorListBox ----------------------------------------------------------

const char CColorListBox::kDeletedMark[] = "XXXXX";

BEGIN_MESSAGE_MAP(CColorListBox, winui::CListBox)
    ON_MESSAGE(winui::WM_REFLECT_BASE + WM_DRAWITEM, &CColorListBox::OnReflectDrawItem)
END_MESSAGE_MAP()

LRESULT CColorListBox::OnReflectDrawItem(WPARAM, LPARAM lParam)
{
    DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

void CColorListBox::DrawItem(const DRAWITEMSTRUCT* dis)
{
    if (!dis || static_cast<int>(dis->itemID) < 0)
        return;
    const int item = static_cast<int>(dis->itemID);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    RECT row = dis->rcItem;
    RECT client;
    GetClientRect(&client);
    row.left = client.left;
    row.right = client.right;
    winui::FillSolidRect(dis->hDC, row, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (selected && item != m_nLastHighlighted) {
        // The item highlighted before loses its highlight at once.
        RECT old;
        if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(m_nLastHighlighted), reinterpret_cast<LPARAM>(&old)) !=
            LB_ERR)
            InvalidateRect(&old, TRUE);
        m_nLastHighlighted = item;
    }
    const int32_t value = static_cast<int32_t>(dis->itemData);
    std::string text = GetText(item);
    COLORREF colour;
    if (value == -1) {
        text = kDeletedMark + text;
        colour = kDeletedColor;
    } else {
        colour = g_ColorTable[value & 15];
    }
    const int oldMode = ::SetBkMode(dis->hDC, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dis->hDC, colour);
    RECT textRect = dis->rcItem;
    textRect.left += kTextIndent;
    ::DrawTextA(dis->hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(dis->hDC, oldColour);
    ::SetBkMode(dis->hDC, oldMode);
}

// --- CSyntaxColorsDlg -------------------------------------------------------

BEGIN_MESSAGE_MAP(CSyntaxColorsDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_EDIT_ENTRY, &CSyntaxColorsDlg::OnEditEntry)
    ON_BN_CLICKED(IDC_NEW_ENTRY, &CSyntaxColorsDlg::OnNewEntry)
    ON_BN_CLICKED(IDC_DELETE_ENTRY, &CSyntaxColorsDlg::OnDeleteEntry)
    ON_BN_CLICKED(IDC_ENTRY_UP, &CSyntaxColorsDlg::OnEntryUp)
    ON_BN_CLICKED(IDC_ENTRY_DOWN, &CSyntaxColorsDlg::OnEntryDown)
    ON_BN_CLICKED(IDC_NEW_TEMPLATE, &CSyntaxColorsDlg::OnNewTemplate)
    ON_BN_CLICKED(IDC_DELETE_TEMPLATE, &CSyntaxColorsDlg::OnDeleteTemplate)
    ON_NOTIFY(TCN_SELCHANGING, IDC_TEMPLATE_TABS, &CSyntaxColorsDlg::OnTabChanging)
    ON_NOTIFY(TCN_SELCHANGE, IDC_TEMPLATE_TABS, &CSyntaxColorsDlg::OnTabChanged)
    ON_WM_SIZE()
    ON_MESSAGE(WM_GETMINMAXINFO, &CSyntaxColorsDlg::OnGetMinMaxInfo)
END_MESSAGE_MAP()

CSyntaxColorsDlg::CSyntaxColorsDlg(const winui::CProfile& profile, HWND parent)
    : winui::CDialog(IDD_SYNTAX_COLORS, parent), profile_(profile), ini_(profile)
{
    // The tab control and the tips are common controls.
    winui::InitCommonControlClasses();
}

CSyntaxColorsDlg::~CSyntaxColorsDlg()
{
    if (m_bmpDown)
        ::DeleteObject(m_bmpDown);
    if (m_bmpUp)
        ::DeleteObject(m_bmpUp);
}

void CSyntaxColorsDlg::PostNcDestroy()
{
    // Templates deleted in the dialog are freed now; editors that used them
    // see their weak references expire.
    keepAlive_.clear();
    savedList_.clear();
}

BOOL CSyntaxColorsDlg::OnInitDialog()
{
    TakeSnapshot();
    m_bModified = 0;
    SetupToolTips();
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    m_bmpUp = static_cast<HBITMAP>(::LoadImageA(inst, MAKEINTRESOURCEA(IDB_ENTRY_UP), IMAGE_BITMAP, 0, 0, 0));
    m_bmpDown = static_cast<HBITMAP>(::LoadImageA(inst, MAKEINTRESOURCEA(IDB_ENTRY_DOWN), IMAGE_BITMAP, 0, 0, 0));
    SendDlgItemMessage(IDC_ENTRY_UP, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpUp));
    SendDlgItemMessage(IDC_ENTRY_DOWN, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpDown));
    m_listEntries.SubclassDlgItem(IDC_ENTRY_LIST, m_hWnd);
    m_tabTemplates.SubclassDlgItem(IDC_TEMPLATE_TABS, m_hWnd);

    // The layout the resizing keeps.
    RECT client, apply, tab;
    GetClientRect(&client);
    ::GetWindowRect(GetDlgItem(IDOK), &apply);
    ::GetWindowRect(m_tabTemplates, &tab);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&apply), 2);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&tab), 2);
    m_nButtonOffset = client.right - apply.left;
    m_nTabBottomGap = client.bottom - tab.bottom;
    ::GetWindowRect(m_hWnd, &m_rectInitial);
    lastCx_ = client.right;
    lastCy_ = client.bottom;
    m_bLayoutMeasured = true;

    if (profile_.GetInt(kListSection, "number", 0) != 0) {
        int select = 0;
        for (const SyntaxTemplatePtr& t : g_SyntaxTemplates) {
            if (t->name.empty())
                continue;
            const int index = m_tabTemplates.GetItemCount();
            m_tabTemplates.InsertItem(index, t->name.c_str(), -1, reinterpret_cast<LPARAM>(t.get()));
            if (t.get() == m_pCurrentTemplate)
                select = index;
        }
        m_tabTemplates.SetCurSel(select);
    }
    FillList(SelectedTemplate());
    return TRUE;
}

void CSyntaxColorsDlg::SetupToolTips()
{
    if (!m_toolTip.Create(m_hWnd))
        return;
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    for (int id : {IDC_ENTRY_UP, IDC_ENTRY_DOWN, IDC_EDIT_ENTRY, IDC_NEW_ENTRY, IDC_DELETE_ENTRY, IDC_NEW_TEMPLATE,
                   IDC_DELETE_TEMPLATE}) {
        char text[256] = "";
        if (::LoadStringA(inst, static_cast<UINT>(id), text, sizeof text) <= 0)
            continue;
        std::string tip = text;
        const size_t brk = tip.find('\n');
        tip = brk == std::string::npos ? std::string() : tip.substr(brk + 1);
        if (tip.size() > kMaxTipLength)
            tip.resize(kMaxTipLength);
        m_toolTip.AddTool(GetDlgItem(id), tip.c_str());
    }
    ::SetWindowPos(m_toolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_toolTip.Activate(TRUE);
}

CSyntaxTemplate* CSyntaxColorsDlg::SelectedTemplate() const
{
    const int sel = m_tabTemplates.GetCurSel();
    if (sel < 0)
        return nullptr;
    return reinterpret_cast<CSyntaxTemplate*>(m_tabTemplates.GetItemData(sel));
}

SyntaxTemplatePtr CSyntaxColorsDlg::Shared(CSyntaxTemplate* tmpl) const
{
    for (const SyntaxTemplatePtr& t : keepAlive_)
        if (t.get() == tmpl)
            return t;
    return nullptr;
}

void CSyntaxColorsDlg::EnableDeleteTemplate()
{
    EnableDlgItem(IDC_DELETE_TEMPLATE, m_tabTemplates.GetItemCount() > 1);
}

void CSyntaxColorsDlg::FillList(CSyntaxTemplate* tmpl)
{
    m_listEntries.ResetContent();
    m_listEntries.m_nLastHighlighted = 0;
    if (tmpl) {
        // The newest keyword on top.
        for (const SyntaxKeyword& k : tmpl->keywords) {
            m_listEntries.InsertString(0, k.text.empty() ? kCommentText : k.text.c_str());
            m_listEntries.SetItemData(0, static_cast<LPARAM>(k.value));
        }
        SetDlgItemText(IDC_ASSOCIATIONS, tmpl->FileAssoc.c_str());
    } else {
        SetDlgItemText(IDC_ASSOCIATIONS, "");
    }
    m_bModified = 0;
    EnableDeleteTemplate();
}

void CSyntaxColorsDlg::RebuildFromList(CSyntaxTemplate& tmpl)
{
    tmpl.keywords.clear();
    tmpl.FileAssoc = GetDlgItemText(IDC_ASSOCIATIONS);
    tmpl.commentValue = -1;
    for (int i = m_listEntries.GetCount() - 1; i >= 0; --i) {
        const int32_t value = static_cast<int32_t>(m_listEntries.GetItemData(i));
        if (value == -1)
            continue;
        const std::string text = m_listEntries.GetText(i);
        AddSyntaxKeyword(tmpl, IsCommentText(text) ? std::string() : text, value);
    }
}

void CSyntaxColorsDlg::StoreList(CSyntaxTemplate& tmpl)
{
    // The same rebuild as "&Apply": an entry renamed, moved or deleted in the
    // list is stored as the list shows it.
    RebuildFromList(tmpl);
    SaveTemplatesKeepingBackColor(ini_);
    const std::string active = profile_.GetString("DefaultSettings", "ActiveSyntax", "C/C++");
    ini_.WriteInt(active, "BackColor", static_cast<int>(m_clrFrameBackground));
}

void CSyntaxColorsDlg::OnOK()
{
    if (CSyntaxTemplate* t = SelectedTemplate()) {
        RebuildFromList(*t);
        SaveTemplatesKeepingBackColor(ini_);
    }
    EndDialog(IDOK);
}

void CSyntaxColorsDlg::OnCancel()
{
    Rollback();
    EndDialog(IDCANCEL);
}

void CSyntaxColorsDlg::OnEditEntry()
{
    if (m_listEntries.GetCount() == 0)
        return;
    int sel = m_listEntries.GetCurSel();
    if (sel < 0) {
        sel = 0;
        m_listEntries.SetCurSel(0);
    }
    const int32_t value = static_cast<int32_t>(m_listEntries.GetItemData(sel));
    CColorSelectDlg dlg(m_clrEditorBackground, m_hWnd);
    dlg.m_strKeyword = m_listEntries.GetText(sel);
    dlg.m_nValue = value;
    dlg.SetFlagsFromValue(value);
    if (dlg.DoModal() != IDOK)
        return;
    if (dlg.m_clrBackground != m_clrEditorBackground) {
        m_clrEditorBackground = dlg.m_clrBackground;
        m_bEditorBackgroundChanged = true;
    }
    const int32_t newValue = dlg.ApplyFlags(dlg.m_nValue);
    m_listEntries.DeleteString(sel);
    m_listEntries.InsertString(sel, dlg.m_strKeyword.c_str());
    m_listEntries.SetItemData(sel, static_cast<LPARAM>(newValue));
    m_listEntries.SetCurSel(-1);
    m_bModified = 1;
}

void CSyntaxColorsDlg::OnNewEntry()
{
    CColorSelectDlg dlg(m_clrEditorBackground, m_hWnd);
    dlg.m_strKeyword = "XXXXXXXXX";
    dlg.m_nValue = 0;
    if (dlg.DoModal() != IDOK)
        return;
    if (dlg.m_clrBackground != m_clrEditorBackground) {
        m_clrEditorBackground = dlg.m_clrBackground;
        m_bEditorBackgroundChanged = true;
    }
    const int32_t value = dlg.ApplyFlags(dlg.m_nValue);
    m_bModified = 1;
    const std::string& text = dlg.m_strKeyword;
    for (int i = 0; i < m_listEntries.GetCount(); ++i) {
        if (m_listEntries.GetText(i) == text) {
            m_listEntries.SetItemData(i, static_cast<LPARAM>(value));
            m_listEntries.Invalidate();
            return;
        }
    }
    int index;
    if (m_listEntries.FindString(-1, text.c_str()) == LB_ERR)
        index = m_listEntries.AddString(text.c_str());
    else
        index = m_listEntries.InsertString(0, text.c_str());
    m_listEntries.SetItemData(index, static_cast<LPARAM>(value));
}

void CSyntaxColorsDlg::OnDeleteEntry()
{
    m_bModified = 1;
    const int sel = m_listEntries.GetCurSel();
    if (sel < 0)
        return;
    m_listEntries.SetItemData(sel, -1);
    m_listEntries.SetCurSel(-1);
    m_listEntries.Invalidate();
}

void CSyntaxColorsDlg::MoveEntry(int step)
{
    const int sel = m_listEntries.GetCurSel();
    const int other = sel + step;
    if (sel < 0 || other < 0 || other >= m_listEntries.GetCount())
        return;
    const std::string text = m_listEntries.GetText(sel);
    const LPARAM data = m_listEntries.GetItemData(sel);
    m_listEntries.DeleteString(sel);
    m_listEntries.InsertString(other, text.c_str());
    m_listEntries.SetItemData(other, data);
    m_listEntries.SetCurSel(other);
    m_bModified = 1;
}

void CSyntaxColorsDlg::OnNewTemplate()
{
    CSyntaxTemplateDlg dlg(profile_, m_hWnd);
    dlg.m_strName = "new";
    dlg.m_checkName = [this](const std::string& name) { return CheckSyntaxTemplateName(name, ini_); };
    if (dlg.DoModal() != IDOK)
        return;
    auto tmpl = std::make_shared<CSyntaxTemplate>();
    tmpl->name = dlg.m_strName;
    tmpl->keywords.reserve(10);
    g_SyntaxTemplates.push_back(tmpl);
    keepAlive_.push_back(tmpl);
    createdNames_.push_back(tmpl->name);
    m_tabTemplates.InsertItem(m_tabTemplates.GetItemCount(), tmpl->name.c_str(), -1,
                              reinterpret_cast<LPARAM>(tmpl.get()));

    const std::string& from = dlg.m_strCopyFrom;
    if (!from.empty() && from != "leer" && from != "empty") {
        SyntaxTemplatePtr source = g_SyntaxTemplates.back();
        for (const SyntaxTemplatePtr& t : g_SyntaxTemplates) {
            if (t->name == from) {
                source = t;
                break;
            }
        }
        if (source != tmpl) {
            tmpl->commentValue = source->commentValue;
            tmpl->FileAssoc = source->FileAssoc;
            tmpl->keywords = source->keywords;
        }
        const std::string back = ini_.GetString(source->name, "BackColor", std::to_string(0xFFFFFF));
        SaveTemplateSection(ini_, *tmpl);
        ini_.WriteString(tmpl->name, "BackColor", back);
    } else {
        tmpl->commentValue = -1;
        tmpl->FileAssoc = "*.*";
        SaveTemplateSection(ini_, *tmpl);
    }
    SaveSyntaxTemplateList(ini_);
    EnableDeleteTemplate();
}

void CSyntaxColorsDlg::OnDeleteTemplate()
{
    if (m_tabTemplates.GetItemCount() <= 1)
        return;
    if (winui::ShowMessageBox(m_hWnd, "Really delete this template?", "Delete template", MB_YESNO) != IDYES)
        return;
    m_listEntries.ResetContent();
    const int sel = m_tabTemplates.GetCurSel();
    CSyntaxTemplate* tmpl = SelectedTemplate();
    if (!tmpl)
        return;
    ini_.EmptySection(tmpl->name);
    m_tabTemplates.DeleteItem(sel);
    DeleteSyntaxTemplate(Shared(tmpl));
    if (m_pCurrentTemplate == tmpl)
        m_pCurrentTemplate = nullptr;
    ini_.EmptySection(kListSection);
    SaveSyntaxTemplateList(ini_);
    m_tabTemplates.SetCurSel(0);
    FillList(SelectedTemplate());
}

void CSyntaxColorsDlg::OnTabChanging(NMHDR*, LRESULT* result)
{
    *result = FALSE; // the change is never refused
    CSyntaxTemplate* old = SelectedTemplate();
    if (!old)
        return;
    if (!m_bModified && GetDlgItemText(IDC_ASSOCIATIONS) == old->FileAssoc)
        return;
    if (winui::ShowMessageBox(m_hWnd, "Store the settings for syntax coloring?", "Syntax colors",
                              MB_YESNO | MB_ICONQUESTION) == IDYES)
        StoreList(*old);
}

void CSyntaxColorsDlg::OnTabChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    FillList(SelectedTemplate());
}

void CSyntaxColorsDlg::OnSize(UINT, int cx, int cy)
{
    if (!m_bLayoutMeasured || cx == 0 || cy == 0)
        return;
    const int dx = cx - lastCx_;
    const int dy = cy - lastCy_;
    lastCx_ = cx;
    lastCy_ = cy;
    auto place = [this](int id) {
        RECT r;
        HWND w = GetDlgItem(id);
        ::GetWindowRect(w, &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    for (int id : {IDOK, IDC_NEW_ENTRY, IDC_EDIT_ENTRY, IDC_DELETE_ENTRY, IDCANCEL, IDC_NEW_TEMPLATE,
                   IDC_DELETE_TEMPLATE}) {
        RECT r = place(id);
        ::SetWindowPos(GetDlgItem(id), nullptr, cx - m_nButtonOffset, r.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
    }
    for (int id : {IDC_ENTRY_UP, IDC_ENTRY_DOWN}) {
        RECT r = place(id);
        ::SetWindowPos(GetDlgItem(id), nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    {
        RECT r = place(IDC_ASSOCIATIONS);
        ::SetWindowPos(GetDlgItem(IDC_ASSOCIATIONS), nullptr, r.left + dx, r.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
        r = place(IDC_ASSOC_LABEL);
        ::SetWindowPos(GetDlgItem(IDC_ASSOC_LABEL), nullptr, r.left, r.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
    }
    for (int id : {IDC_TEMPLATE_TABS, IDC_ENTRY_LIST}) {
        RECT r = place(id);
        ::SetWindowPos(GetDlgItem(id), nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
                       SWP_NOMOVE | SWP_NOZORDER);
    }
    ::InvalidateRect(GetDlgItem(IDC_ENTRY_UP), nullptr, TRUE);
    ::InvalidateRect(GetDlgItem(IDC_ENTRY_DOWN), nullptr, TRUE);
    Invalidate();
}

LRESULT CSyntaxColorsDlg::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam)
{
    if (m_bLayoutMeasured) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = m_rectInitial.right - m_rectInitial.left;
        info->ptMinTrackSize.y = m_rectInitial.bottom - m_rectInitial.top;
        return 0;
    }
    return DefWindowProc(WM_GETMINMAXINFO, wParam, lParam);
}

// --- Cancel -----------------------------------------------------------------

void CSyntaxColorsDlg::TakeSnapshot()
{
    savedList_ = g_SyntaxTemplates;
    keepAlive_ = g_SyntaxTemplates;
    savedContents_.clear();
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates)
        savedContents_.push_back(*t);
    std::vector<std::string> names{kListSection, profile_.GetString("DefaultSettings", "ActiveSyntax", "C/C++")};
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates)
        names.push_back(t->name);
    savedSections_.clear();
    for (const std::string& name : names) {
        bool known = false;
        for (const SavedSection& s : savedSections_)
            known = known || SameSection(s.name, name);
        if (known || name.empty())
            continue;
        savedSections_.push_back(SavedSection{name, ini_.HasSection(name), profile_.GetSection(name.c_str())});
    }
    createdNames_.clear();
}

void CSyntaxColorsDlg::Rollback()
{
    for (const std::string& name : createdNames_) {
        bool original = false;
        for (const SavedSection& s : savedSections_)
            original = original || SameSection(s.name, name);
        if (!original)
            profile_.DeleteSection(name.c_str());
    }
    for (const SavedSection& s : savedSections_) {
        profile_.DeleteSection(s.name.c_str());
        if (s.existed)
            for (const auto& kv : s.keys)
                profile_.WriteString(s.name.c_str(), kv.first.c_str(), kv.second.c_str());
    }
    for (size_t i = 0; i < savedList_.size(); ++i)
        *savedList_[i] = savedContents_[i];
    g_SyntaxTemplates = savedList_;
    createdNames_.clear();
}
