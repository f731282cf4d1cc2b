// CFolderDialog: the shell's folder browser (SHBrowseForFolderA) with a
// status line that shows the current selection, shortened. Under a common
// dialog hook (tests, scripted runs) the hook answers instead.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

// A text of more than 35 characters as its first 35 and "...".
std::string ShortenStatusText(const std::string& text);

class CFolderDialog {
public:
    // The initial folder (or null), browse flags added to BIF_STATUSTEXT,
    // the parent window (or null).
    CFolderDialog(const char* initialFolder = nullptr, UINT flags = 0, HWND parent = nullptr);
    virtual ~CFolderDialog() = default;

    // 1 a folder with a file-system path was chosen, 2 cancelled, 7 the
    // chosen item has no file-system path (the chosen folder is then empty).
    virtual INT_PTR DoModal();
    // The chosen folder (the initial folder after a cancel).
    std::string GetFolderPath() const { return m_strFolder; }

protected:
    virtual void OnInitialized();
    virtual void OnSelChanged(LPITEMIDLIST item);
    virtual int OnBrowseCallback(HWND wnd, UINT message, LPARAM param);

    BROWSEINFOA m_bi;
    char m_szDisplayName[MAX_PATH] = "";
    std::string m_strInitial;
    std::string m_strFolder;
    char m_szPath[MAX_PATH] = "";
    HWND m_hBrowseWnd = nullptr;

private:
    static int CALLBACK BrowseCallback(HWND wnd, UINT message, LPARAM param, LPARAM data);
};
