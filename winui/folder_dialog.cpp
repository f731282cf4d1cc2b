#include "winui/folder_dialog.h"

#include "winui/commdlg.h"

#include <cstring>

std::string ShortenStatusText(const std::string& text)
{
    const size_t kShown = 35;
    return text.size() > kShown ? text.substr(0, kShown) + "..." : text;
}

CFolderDialog::CFolderDialog(const char* initialFolder, UINT flags, HWND parent)
    : m_strInitial(initialFolder ? initialFolder : "")
{
    std::memset(&m_bi, 0, sizeof m_bi);
    m_bi.hwndOwner = parent;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_szDisplayName;
    m_bi.lpszTitle = "Current Selection";
    m_bi.ulFlags = flags | BIF_STATUSTEXT;
    m_bi.lpfn = BrowseCallback;
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CFolderDialog::DoModal()
{
    m_strFolder = m_strInitial;
    winui::CommonDialogAnswer answer;
    if (winui::AskCommonDialogHook(
            winui::CommonDialogCall{winui::CommonDialogKind::Folder, m_bi.hwndOwner, m_bi.lpszTitle, m_strInitial},
            answer)) {
        if (!answer.ok || answer.paths.empty())
            return IDCANCEL;
        m_strFolder = answer.paths.front();
        return m_strFolder.empty() ? 7 : IDOK;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INT_PTR result = IDCANCEL;
    if (LPITEMIDLIST item = SHBrowseForFolderA(&m_bi)) {
        if (SHGetPathFromIDListA(item, m_szPath)) {
            m_strFolder = m_szPath;
            result = IDOK;
        } else {
            m_strFolder.clear();
            result = 7;
        }
        CoTaskMemFree(item);
    } else {
        m_strFolder = m_strInitial; // a selection made before the cancel does not count
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}

int CALLBACK CFolderDialog::BrowseCallback(HWND wnd, UINT message, LPARAM param, LPARAM data)
{
    return reinterpret_cast<CFolderDialog*>(data)->OnBrowseCallback(wnd, message, param);
}

int CFolderDialog::OnBrowseCallback(HWND wnd, UINT message, LPARAM param)
{
    m_hBrowseWnd = wnd;
    if (message == BFFM_INITIALIZED)
        OnInitialized();
    else if (message == BFFM_SELCHANGED)
        OnSelChanged(reinterpret_cast<LPITEMIDLIST>(param));
    return 0;
}

void CFolderDialog::OnInitialized()
{
    if (m_strInitial.empty())
        return;
    SendMessageA(m_hBrowseWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_strInitial.c_str()));
    const std::string status = ShortenStatusText(m_strInitial);
    SendMessageA(m_hBrowseWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(status.c_str()));
}

void CFolderDialog::OnSelChanged(LPITEMIDLIST item)
{
    char path[MAX_PATH] = "";
    if (!item || !SHGetPathFromIDListA(item, path))
        path[0] = '\0';
    m_strFolder = path;
    const std::string status = ShortenStatusText(m_strFolder);
    SendMessageA(m_hBrowseWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(status.c_str()));
}
