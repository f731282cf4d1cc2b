#include "editor/tools/search_dlg.h"

#include "editor/tools/file_finder.h"
#include "winui/folder_dialog.h"
#include "editor/tools/search_resource.h"

#include <cstdio>
#include <cstring>

namespace {

const int kHistoryLimit = 10;

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return std::string();
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// The modifier keys down at this moment, as the key table writes them.
uint16_t ModifiersDown()
{
    uint16_t m = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        m |= 0x04;
    if (GetKeyState(VK_CONTROL) < 0)
        m |= 0x08;
    if (GetKeyState(VK_MENU) < 0)
        m |= 0x10;
    return m;
}

} // namespace

// ---- CSearchCombo

void CSearchCombo::SetHotKey(uint32_t keyAndModifiers)
{
    m_wHotKey = static_cast<uint16_t>(keyAndModifiers & 0xFFFF);
    m_wModifiers = static_cast<uint16_t>((keyAndModifiers >> 16) & 0x1C);
}

BOOL CSearchCombo::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || !m_hWnd)
        return FALSE;
    // Both keys are used up here: neither the dialog's default button nor
    // the frame's accelerator of the same key must search a second time.
    if (msg->wParam == VK_RETURN) {
        ::SendMessageA(GetParent(), WM_SEARCH_ENTER, static_cast<WPARAM>(GetDlgCtrlID()), 0);
        return TRUE;
    }
    if (m_wHotKey != 0 && msg->wParam == m_wHotKey && ModifiersDown() == m_wModifiers) {
        ::SendMessageA(GetParent(), WM_SEARCH_HOTKEY, 0, 0);
        return TRUE;
    }
    return FALSE;
}

// ---- CSearchDlg

BEGIN_MESSAGE_MAP(CSearchDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_FIND_NEXT, &CSearchDlg::OnFindNext)
    ON_BN_CLICKED(IDC_CLOSE, &CSearchDlg::OnCloseButton)
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_TAKE_SELECTION, &CSearchDlg::OnTakeSelection)
    ON_BN_CLICKED(IDC_ENHANCED, &CSearchDlg::OnEnhanced)
    ON_BN_CLICKED(IDC_BROWSE_FOLDER, &CSearchDlg::OnBrowseFolder)
    ON_BN_CLICKED(IDC_NO_COMMENT_HITS, &CSearchDlg::OnCommentOption)
    ON_BN_CLICKED(IDC_ACTUAL_FILE, &CSearchDlg::OnActualFile)
    ON_MESSAGE(WM_SEARCH_REFOCUS, &CSearchDlg::OnRefocus)
    ON_MESSAGE(WM_SEARCH_HOTKEY, &CSearchDlg::OnHotKey)
    ON_MESSAGE(WM_SEARCH_ENTER, &CSearchDlg::OnEnterInCombo)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg(UINT templateId) : winui::CDialog(templateId), m_nTemplate(templateId) {}

CSearchDlg::~CSearchDlg()
{
    if (m_hFont)
        DeleteObject(m_hFont);
    if (m_hWnd)
        DestroyWindow();
}

SearchOptions& CSearchDlg::Options() { return m_pOptions ? *m_pOptions : m_ownOptions; }

const char* CSearchDlg::BaseTitle() const { return m_nTemplate == IDD_SEARCH ? "Search" : "Search & Replace"; }

void CSearchDlg::SetHotKey(uint32_t keyAndModifiers)
{
    m_cbFind.SetHotKey(keyAndModifiers);
    m_cbFilter.SetHotKey(keyAndModifiers);
}

BOOL CSearchDlg::OnInitDialog() { return TRUE; }

BOOL CSearchDlg::Create(const char* text, UINT message, HWND owner)
{
    if (!winui::CDialog::Create(owner))
        return FALSE;
    if (m_nTemplate == IDD_SEARCH)
        FitHeightTo(IDC_ENHANCED);
    m_cbFind.SubclassDlgItem(IDC_SEARCH_TEXT, m_hWnd);
    if (GetDlgItem(IDC_FILE_FILTER))
        m_cbFilter.SubclassDlgItem(IDC_FILE_FILTER, m_hWnd);

    m_cbFind.LimitText(kMaxSearchText);
    const std::string place =
        m_pProfile ? Trim(m_pProfile->GetString("Ovanta", m_nTemplate == IDD_SEARCH ? "FIND" : "REPLACE")) : "";
    int left = 0, top = 0;
    if (!place.empty() && std::sscanf(place.c_str(), "%d ,%d", &left, &top) == 2)
        SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (text && *text)
        SetSearchText(text, TRUE);
    UpdateTitle(SW_SHOW);
    m_hOwner = owner;
    m_nMessage = message;
    CheckDlgButton(IDC_FORWARD, BST_CHECKED);
    CheckDlgButton(IDC_TAKE_SELECTION, m_bTakeSelection ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_NO_COMMENT_HITS, m_bNoCommentHits ? BST_CHECKED : BST_UNCHECKED);
    GotoDlgCtrl(m_cbFind.m_hWnd);
    return TRUE;
}

void CSearchDlg::FitHeightTo(int controlId)
{
    HWND control = GetDlgItem(controlId);
    if (!control)
        return;
    RECT window, item;
    GetWindowRect(m_hWnd, &window);
    GetWindowRect(control, &item);
    SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, item.bottom + 10 - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSearchDlg::EnableDirections(BOOL enable)
{
    EnableDlgItem(IDC_BACKWARD, enable);
    EnableDlgItem(IDC_FORWARD, enable);
    if (m_nTemplate == IDD_SEARCH)
        EnableDlgItem(IDC_SEARCH_ALL_DIRECTIONS, enable);
}

void CSearchDlg::SetComboFont(HFONT font)
{
    LOGFONTA lf;
    if (!font || !GetObjectA(font, sizeof lf, &lf))
        return;
    if (m_hFont)
        DeleteObject(m_hFont);
    m_hFont = CreateFontIndirectA(&lf);
    m_cbFind.SetFont(m_hFont);
    if (m_cbFilter.m_hWnd)
        m_cbFilter.SetFont(m_hFont);
}

void CSearchDlg::UpdateTitle(int showCommand)
{
    if (showCommand == SW_SHOW && m_bMultiFile) {
        ::SetWindowTextA(m_hWnd, "Search in all open Files...");
        EnableDirections(FALSE);
    } else {
        ::SetWindowTextA(m_hWnd, BaseTitle());
        EnableDirections(TRUE);
    }
    CheckDlgButton(IDC_NO_COMMENT_HITS, m_bNoCommentHits ? BST_CHECKED : BST_UNCHECKED);
    if (m_nTemplate == IDD_SEARCH || showCommand == SW_SHOW)
        ApplyModeRule();
    ::ShowWindow(m_hWnd, showCommand);
}

// The actual-file rule.
void CSearchDlg::ApplyModeRule()
{
    if (IsDlgButtonChecked(IDC_ACTUAL_FILE)) {
        ::SetWindowTextA(m_hWnd, "Search in current file..");
        EnableDirections(FALSE);
    } else {
        ::SetWindowTextA(m_hWnd, m_bMultiFile ? "Search in files.." : "Search");
        EnableDirections(!m_bMultiFile);
    }
}

void CSearchDlg::OnActualFile() { ApplyModeRule(); }

void CSearchDlg::OnEnhanced()
{
    m_bEnhanced = !m_bEnhanced;
    SetDlgItemText(IDC_ENHANCED, m_bEnhanced ? "<< Normal" : "Enhanced >>");
    EnableDlgItem(IDC_ACTUAL_FILE, !m_bEnhanced);
    FitHeightTo(m_bEnhanced ? IDC_SUBDIRECTORIES : IDC_ENHANCED);
    ::SetWindowTextA(m_hWnd, m_bEnhanced ? "Search in files.." : "Search in all open files..");
    SendDlgItemMessage(IDC_SEARCH_DIRECTORY, CB_SETCURSEL, 0);
}

void CSearchDlg::ShowEnhanced(BOOL show)
{
    ::ShowWindow(GetDlgItem(IDC_ENHANCED), show ? SW_SHOW : SW_HIDE);
    if (show && m_bEnhanced) {
        FitHeightTo(IDC_SUBDIRECTORIES);
        SetDlgItemText(IDC_ENHANCED, "<< Normal");
        ::SetWindowTextA(m_hWnd, "Search in files..");
    }
}

void CSearchDlg::SetDiskOnly(BOOL on)
{
    if (on) {
        m_bEnhanced = TRUE;
        ShowEnhanced(TRUE);
    }
    for (int id : {IDC_FORWARD, IDC_BACKWARD, IDC_SEARCH_ALL_DIRECTIONS, IDC_ENHANCED})
        EnableDlgItem(id, !on);
    EnableDlgItem(IDC_ACTUAL_FILE, !m_bEnhanced);
}

void CSearchDlg::ShowNormal()
{
    FitHeightTo(IDC_ENHANCED);
    ::SetWindowTextA(m_hWnd, "Search");
}

SearchRequest* CSearchDlg::GetSearchOptions()
{
    SearchRequest& r = m_request;
    r = SearchRequest();
    if (IsDlgButtonChecked(IDC_BACKWARD))
        r.flags = kSearchBackward;
    else if (IsDlgButtonChecked(IDC_FORWARD))
        r.flags = kSearchForward;
    else
        r.flags = kSearchBothWays;
    if (Options().findUseSelection)
        r.flags |= kSearchUseSelection;
    if (m_nTemplate == IDD_SEARCH && IsDlgButtonChecked(IDC_NO_COMMENT_HITS)) {
        r.flags |= kSearchSkipComments;
        m_bNoCommentHits = TRUE;
        Options().suppressComments = true;
    }
    r.flags |= kSearchStandard;
    if (GetKeyState(VK_RETURN) > 0)
        r.flags |= kSearchEnterToggled;

    const bool actualFile = m_nTemplate == IDD_SEARCH && IsDlgButtonChecked(IDC_ACTUAL_FILE);
    if (m_bMultiFile && !m_bEnhanced) {
        r.flags = (r.flags & ~kSearchBackward) | kSearchForward;
        r.scope = actualFile ? kScopeCurrentDocument : kScopeOpenDocuments;
    } else if (m_bMultiFile && m_bEnhanced) {
        r.scope = kScopeDiskFiles;
        r.flags |= kSearchForward;
    } else {
        r.scope = actualFile ? kScopeCurrentDocument : kScopeFindInDocument;
    }

    if (IsDlgButtonChecked(IDC_WHOLE_WORDS))
        r.flags |= kSearchWholeWords;
    if (IsDlgButtonChecked(IDC_MATCH_CASE))
        r.flags |= kSearchMatchCase;
    if (m_nTemplate == IDD_SEARCH && IsDlgButtonChecked(IDC_SUBDIRECTORIES))
        r.flags |= kSearchSubdirectories;
    if (m_nTemplate != IDD_SEARCH && IsDlgButtonChecked(IDC_KEEP_CASE))
        r.flags |= kSearchKeepCase;

    if (GetDlgItem(IDC_FILE_FILTER)) {
        m_strFileFilter = GetDlgItemText(IDC_FILE_FILTER);
        r.fileFilter = m_strFileFilter.c_str();
    }
    if (GetDlgItem(IDC_SEARCH_DIRECTORY)) {
        const std::string dir = GetDlgItemText(IDC_SEARCH_DIRECTORY).substr(0, sizeof m_szDirectory - 1);
        std::memcpy(m_szDirectory, dir.c_str(), dir.size() + 1);
        r.directory = m_szDirectory;
    }
    m_strSearchText = GetDlgItemText(IDC_SEARCH_TEXT);
    r.text = m_strSearchText.c_str();
    return &r;
}

void CSearchDlg::Send(SearchRequest* request)
{
    if (m_hOwner)
        m_nLastResult = static_cast<int>(::SendMessageA(m_hOwner, m_nMessage, 0, reinterpret_cast<LPARAM>(request)));
}

void CSearchDlg::AddUnique(const winui::CComboBox& combo, const std::string& text, bool atTop)
{
    if (!combo.m_hWnd)
        return;
    // Equal means byte for byte: "Int" is another entry than "int".
    for (int i = 0, n = combo.GetCount(); i < n; ++i) {
        if (combo.GetLBText(i) == text)
            return;
    }
    if (atTop) {
        combo.InsertString(0, text.c_str());
        if (combo.GetCount() > kHistoryLimit)
            combo.DeleteString(kHistoryLimit);
    } else {
        combo.AddString(text.c_str());
    }
}

void CSearchDlg::OnFindNext()
{
    SearchRequest* request = GetSearchOptions();
    if (m_strSearchText.empty())
        return;
    Send(request);
    AddUnique(m_cbFind, m_strSearchText, false);
    if (m_bEnhanced && m_szDirectory[0]) {
        winui::CComboBox directories;
        directories.m_hWnd = GetDlgItem(IDC_SEARCH_DIRECTORY);
        AddUnique(directories, m_szDirectory, true);
        directories.m_hWnd = nullptr;
        if (!m_strFileFilter.empty())
            AddUnique(m_cbFilter, m_strFileFilter, true);
    }
    if (m_recordMacro) {
        m_recordMacro(kFindCommandId, (m_request.flags << 16) | (m_bTakeSelection ? 0x04000000u : 0u),
                      kMacroCommandWithFlags);
        m_recordMacro(reinterpret_cast<uintptr_t>(m_strSearchText.c_str()), 0, kMacroText);
    }
    if (IsWindowVisible(m_hWnd))
        PostMessage(WM_SEARCH_REFOCUS);
}

void CSearchDlg::SetSearchText(const char* text, BOOL force)
{
    if (!m_bTakeSelection && IsWindowVisible(m_hWnd) && !force)
        return;
    if (!text)
        text = "";
    const size_t length = std::strlen(text);
    if (length > static_cast<size_t>(kMaxSearchText))
        return;
    if (length > 0 && std::strspn(text, " ") == length)
        return;
    if (length > 0) {
        m_cbFind.SetWindowText(text);
        if (!m_bTakeSelection)
            m_cbFind.SetFocus();
    }
    m_cbFind.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void CSearchDlg::SetOptions(uint32_t flags)
{
    m_bNoCommentHits = (flags & kSearchSkipComments) != 0;
    Options().suppressComments = m_bNoCommentHits != 0;
    CheckDlgButton(IDC_NO_COMMENT_HITS, m_bNoCommentHits ? BST_CHECKED : BST_UNCHECKED);
    const uint32_t direction = flags & kSearchDirectionMask;
    CheckDlgButton(IDC_BACKWARD, direction == kSearchBackward ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SEARCH_ALL_DIRECTIONS, direction == kSearchBothWays ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_FORWARD,
                   direction != kSearchBackward && direction != kSearchBothWays ? BST_CHECKED : BST_UNCHECKED);
    m_bTakeSelection = (flags & kSearchUseSelection) != 0;
    CheckDlgButton(IDC_TAKE_SELECTION, m_bTakeSelection ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_WHOLE_WORDS, (flags & kSearchWholeWords) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_MATCH_CASE, (flags & kSearchMatchCase) ? BST_CHECKED : BST_UNCHECKED);
}

void CSearchDlg::LoadHistory()
{
    if (!m_pProfile)
        return;
    char key[32];
    winui::CComboBox directories;
    directories.m_hWnd = GetDlgItem(IDC_SEARCH_DIRECTORY);
    if (directories.m_hWnd) {
        for (int i = 0;; ++i) {
            std::snprintf(key, sizeof key, "searchdir%d", i);
            const std::string dir = m_pProfile->GetString("FIND", key);
            if (dir.empty())
                break;
            directories.AddString(dir.c_str());
        }
        directories.SetCurSel(0);
    }
    directories.m_hWnd = nullptr;
    const uint32_t flags = static_cast<uint32_t>(m_pProfile->GetInt("FIND", "Searchflags", 0));
    if (flags & 0xFFFF)
        SetOptions(flags);
    if (!m_cbFilter.m_hWnd)
        return;
    for (int i = 0;; ++i) {
        std::snprintf(key, sizeof key, "searchfilter%d", i);
        const std::string filter = m_pProfile->GetString("FIND", key);
        if (filter.empty())
            break;
        m_cbFilter.AddString(filter.c_str());
    }
    const std::string last = m_pProfile->GetString("FIND", "Filefilter");
    if (last.empty() && m_cbFilter.GetCount() == 0) {
        m_cbFilter.SetCurSel(m_cbFilter.AddString("*.*"));
        return;
    }
    int index = 0;
    for (int i = 0, n = m_cbFilter.GetCount(); i < n; ++i) {
        if (m_cbFilter.GetLBText(i) == last) {
            index = i;
            break;
        }
    }
    m_cbFilter.SetCurSel(index);
    if (!last.empty())
        m_cbFilter.SetWindowText(last.c_str());
}

void CSearchDlg::OnBrowseFolder()
{
    const std::string start = m_szDirectory[0] ? std::string(m_szDirectory) : CurrentDirectory();
    CFolderDialog dlg(start.c_str(), 0, m_hWnd);
    if (dlg.DoModal() != 1)
        return;
    const std::string chosen = dlg.GetFolderPath().substr(0, sizeof m_szDirectory - 1);
    SetDlgItemText(IDC_SEARCH_DIRECTORY, chosen.c_str());
    std::memcpy(m_szDirectory, chosen.c_str(), chosen.size() + 1);
}

void CSearchDlg::OnTakeSelection()
{
    m_bTakeSelection = IsDlgButtonChecked(IDC_TAKE_SELECTION) == BST_CHECKED;
    if (m_nTemplate == IDD_SEARCH)
        Options().findUseSelection = m_bTakeSelection != 0;
    else
        Options().replaceUseSelection = m_bTakeSelection != 0;
}

void CSearchDlg::OnCommentOption()
{
    m_bNoCommentHits = IsDlgButtonChecked(IDC_NO_COMMENT_HITS) == BST_CHECKED;
    Options().suppressComments = m_bNoCommentHits != 0;
}

void CSearchDlg::SyncCommentOption()
{
    m_bNoCommentHits = Options().suppressComments;
    CheckDlgButton(IDC_NO_COMMENT_HITS, m_bNoCommentHits ? BST_CHECKED : BST_UNCHECKED);
}

void CSearchDlg::OnCloseButton()
{
    if (m_hOwner)
        ::SendMessageA(m_hOwner, m_nMessage, 1, 0);
    UpdateTitle(SW_HIDE);
}

void CSearchDlg::OnClose() { OnCloseButton(); }

void CSearchDlg::OnCancel()
{
    // Escape while the frame runs a multi-file search stops that search
    // (the frame reads the key); the dialog stays.
    if (m_bBusy) {
        m_bBusy = FALSE;
        return;
    }
    OnCloseButton();
}

LRESULT CSearchDlg::OnRefocus(WPARAM, LPARAM)
{
    ::SetActiveWindow(m_hWnd);
    GotoDlgCtrl(m_cbFind.m_hWnd);
    return 0;
}

LRESULT CSearchDlg::OnHotKey(WPARAM, LPARAM)
{
    if (!m_bMultiFile)
        OnFindNext();
    return m_nLastResult;
}

LRESULT CSearchDlg::OnEnterInCombo(WPARAM, LPARAM)
{
    OnFindNext();
    return 0;
}

void SaveSearchSettings(const winui::CProfile& profile, CSearchDlg* search, const CSearchDlg* replace)
{
    if (search && search->m_hWnd) {
        const uint32_t flags = search->GetSearchOptions()->flags;
        profile.WriteString("FIND", "FileFilter", search->m_strFileFilter.c_str());
        char key[32];
        winui::CComboBox combo;
        combo.m_hWnd = search->GetDlgItem(IDC_SEARCH_DIRECTORY);
        for (int i = 0, n = combo.m_hWnd ? combo.GetCount() : 0; i < n; ++i) {
            std::snprintf(key, sizeof key, "searchdir%d", i);
            profile.WriteString("FIND", key, combo.GetLBText(i).c_str());
        }
        combo.m_hWnd = search->GetDlgItem(IDC_FILE_FILTER);
        for (int i = 0, n = combo.m_hWnd ? combo.GetCount() : 0; i < n; ++i) {
            std::snprintf(key, sizeof key, "searchfilter%d", i);
            profile.WriteString("FIND", key, combo.GetLBText(i).c_str());
        }
        combo.m_hWnd = nullptr;
        const bool replaceKeepsCase = replace && (replace->m_request.flags & kSearchKeepCase);
        if (!replace || replaceKeepsCase)
            profile.WriteInt("FIND", "Searchflags", static_cast<int>(flags | (replaceKeepsCase ? uint32_t{kSearchKeepCase} : 0u)));
    }
}

void SaveSearchDialogPlaces(const winui::CProfile& profile, const CSearchDlg* search, const CSearchDlg* replace)
{
    const struct {
        const CSearchDlg* dialog;
        const char* key;
    } places[] = {{search, "FIND"}, {replace, "REPLACE"}};
    for (const auto& p : places) {
        if (!p.dialog || !p.dialog->m_hWnd)
            continue;
        RECT r;
        GetWindowRect(p.dialog->m_hWnd, &r);
        char value[32];
        std::snprintf(value, sizeof value, "%d,%d", static_cast<int>(r.left), static_cast<int>(r.top));
        profile.WriteString("Ovanta", p.key, value);
    }
}
