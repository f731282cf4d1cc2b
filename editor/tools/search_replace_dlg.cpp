#include "editor/tools/search_replace_dlg.h"

#include "editor/tools/replace_text.h"
#include "editor/tools/search_resource.h"

#include "winui/msgbox.h"

// On the plain dialog's map: the Search dialog's hot key, refocus, folder
// and enhanced-mode entries do not apply here.
BEGIN_MESSAGE_MAP(CSearchReplaceDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_FIND_NEXT, &CSearchReplaceDlg::OnFindNext)
    ON_MESSAGE(WM_SEARCH_ENTER, &CSearchReplaceDlg::OnEnterInCombo)
    ON_BN_CLICKED(IDC_REPLACE, &CSearchReplaceDlg::OnReplace)
    ON_BN_CLICKED(IDC_REPLACE_ALL, &CSearchReplaceDlg::OnReplaceAll)
    ON_BN_CLICKED(IDC_ALL_OPEN_FILES, &CSearchReplaceDlg::OnAllOpenFiles)
    ON_BN_CLICKED(IDC_MATCH_CASE, &CSearchReplaceDlg::OnMatchCase)
    ON_BN_CLICKED(IDC_KEEP_CASE, &CSearchReplaceDlg::OnKeepCase)
    ON_BN_CLICKED(IDC_TAKE_SELECTION, &CSearchReplaceDlg::OnTakeSelection)
    ON_BN_CLICKED(IDC_NO_COMMENT_HITS, &CSearchReplaceDlg::OnCommentOption)
    ON_BN_CLICKED(IDC_CLOSE, &CSearchReplaceDlg::OnCloseButton)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CSearchReplaceDlg::CSearchReplaceDlg() : CSearchDlg(IDD_SEARCH_REPLACE)
{
    m_bTakeSelection = FALSE;
}

BOOL CSearchReplaceDlg::Create(const char* text, UINT message, HWND owner)
{
    if (!CSearchDlg::Create(text, message, owner))
        return FALSE;
    m_cbReplace.SubclassDlgItem(IDC_REPLACE_TEXT, m_hWnd);
    m_cbReplace.SetHotKey(static_cast<uint32_t>(m_cbFind.m_wHotKey) | (static_cast<uint32_t>(m_cbFind.m_wModifiers) << 16));
    ::SetWindowTextA(m_hWnd, "Search & Replace");
    ApplyModeRule();
    return TRUE;
}

void CSearchReplaceDlg::SetComboFont(HFONT font)
{
    CSearchDlg::SetComboFont(font);
    if (m_hFont)
        m_cbReplace.SetFont(m_hFont);
}

void CSearchReplaceDlg::SetOptions(uint32_t flags)
{
    m_bNoCommentHits = (flags & kSearchSkipComments) != 0;
    Options().suppressComments = m_bNoCommentHits != 0;
    CheckDlgButton(IDC_NO_COMMENT_HITS, m_bNoCommentHits ? BST_CHECKED : BST_UNCHECKED);
    const uint32_t direction = flags & kSearchDirectionMask;
    CheckDlgButton(IDC_BACKWARD, direction == kSearchBackward ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_FORWARD, direction == 0 || direction == kSearchForward ? BST_CHECKED : BST_UNCHECKED);
    m_bTakeSelection = (flags & kSearchUseSelection) != 0;
    CheckDlgButton(IDC_TAKE_SELECTION, m_bTakeSelection ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_WHOLE_WORDS, (flags & kSearchWholeWords) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_MATCH_CASE, (flags & kSearchMatchCase) ? BST_CHECKED : BST_UNCHECKED);
    const bool keepCase = (flags & kSearchKeepCase) && !(flags & kSearchMatchCase);
    CheckDlgButton(IDC_KEEP_CASE, keepCase ? BST_CHECKED : BST_UNCHECKED);
}

// The all-open-files rule.
void CSearchReplaceDlg::ApplyModeRule()
{
    m_bAllOpenFiles = IsDlgButtonChecked(IDC_ALL_OPEN_FILES) == BST_CHECKED;
    ::SetWindowTextA(m_hWnd, m_bAllOpenFiles ? "Search & Replace in all open files" : "Search & Replace");
    for (int id : {IDC_BACKWARD, IDC_FORWARD, IDC_FIND_NEXT, IDC_REPLACE})
        EnableDlgItem(id, !m_bAllOpenFiles);
}

void CSearchReplaceDlg::OnMatchCase()
{
    if (IsDlgButtonChecked(IDC_MATCH_CASE))
        CheckDlgButton(IDC_KEEP_CASE, BST_UNCHECKED);
}

void CSearchReplaceDlg::OnKeepCase()
{
    if (IsDlgButtonChecked(IDC_KEEP_CASE))
        CheckDlgButton(IDC_MATCH_CASE, BST_UNCHECKED);
}

LRESULT CSearchReplaceDlg::OnEnterInCombo(WPARAM, LPARAM)
{
    OnFindNext();
    return 0;
}

uint32_t CSearchReplaceDlg::CommonFlags() const
{
    uint32_t flags = IsDlgButtonChecked(IDC_BACKWARD)  ? kSearchBackward
                     : IsDlgButtonChecked(IDC_FORWARD) ? kSearchForward
                                                       : kSearchBothWays;
    if (IsDlgButtonChecked(IDC_WHOLE_WORDS))
        flags |= kSearchWholeWords;
    if (IsDlgButtonChecked(IDC_MATCH_CASE))
        flags |= kSearchMatchCase;
    if (IsDlgButtonChecked(IDC_KEEP_CASE))
        flags |= kSearchKeepCase;
    return flags;
}

void CSearchReplaceDlg::TakeTexts(bool addSearchText)
{
    m_strSearchText = GetDlgItemText(IDC_SEARCH_TEXT);
    m_strReplace = ExpandReplacementEscapes(GetDlgItemText(IDC_REPLACE_TEXT));
    m_request.text = m_strSearchText.c_str();
    m_request.replacement = m_strReplace.c_str();
    AddUnique(m_cbReplace, m_strReplace, false);
    if (addSearchText)
        AddUnique(m_cbFind, m_strSearchText, false);
}

void CSearchReplaceDlg::OnReplace()
{
    m_request = SearchRequest();
    m_request.scope = kScopeReplaceNext;
    m_request.flags = CommonFlags() | kSearchStandard;
    if (GetKeyState(VK_RETURN) > 0)
        m_request.flags |= kSearchEnterToggled;
    TakeTexts(false);
    OnCommentOption();
    Send(&m_request);
}

void CSearchReplaceDlg::OnReplaceAll()
{
    m_request = SearchRequest();
    if (!m_bAllOpenFiles) {
        m_request.scope = kScopeReplaceAll;
        m_request.flags = CommonFlags() | kSearchStandard;
        TakeTexts(true);
        Send(&m_request);
        const std::string text =
            m_nLastResult != 0 ? std::to_string(m_nLastResult) + " replaces done" : "no replaces done";
        winui::ShowMessageBox(m_hWnd, text.c_str(), "Replace all..", MB_OK);
        return;
    }
    m_request.scope = kScopeReplaceAllDocuments;
    m_request.flags = (CommonFlags() & ~kSearchDirectionMask) | kSearchBothWays;
    if (IsDlgButtonChecked(IDC_NO_COMMENT_HITS))
        m_request.flags |= kSearchSkipComments;
    TakeTexts(true);
    Send(&m_request);
}
