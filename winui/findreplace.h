// CFindReplaceDialog: the common Find and Replace dialogs, modeless, over
// FindTextA and ReplaceTextA. The dialog reports each button through the
// registered message FINDMSGSTRINGA sent to its owner, lParam pointing at
// the object's FINDREPLACEA (m_fr); FromMessage turns it back into the
// object. The owner's message loop must pass the dialog's messages to
// IsDialogMessageA. The object outlives its window: it is told of the
// window's end by IsTerminating (FR_DIALOGTERM).
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace winui {

class CFindReplaceDialog {
public:
    CFindReplaceDialog();
    CFindReplaceDialog(const CFindReplaceDialog&) = delete;
    CFindReplaceDialog& operator=(const CFindReplaceDialog&) = delete;
    ~CFindReplaceDialog();

    // The registered message of the dialogs (RegisterWindowMessageA).
    static UINT Message();
    // The dialog of a FINDMSGSTRINGA message's lParam.
    static CFindReplaceDialog* FromMessage(LPARAM lParam);

    // FindTextA (findOnly) or ReplaceTextA with the texts and FR_ flags;
    // false when a dialog of this object is open already or it failed.
    bool Create(bool findOnly, const char* findWhat, const char* replaceWith, DWORD flags,
                HWND owner);
    // DestroyWindow of an open dialog.
    void Close();

    HWND m_hWnd = nullptr;
    FINDREPLACEA m_fr;

    bool IsFindOnly() const { return findOnly_; }
    std::string GetFindString() const { return findWhat_; }
    std::string GetReplaceString() const { return replaceWith_; }
    bool SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    bool MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    bool MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    bool FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    bool ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    bool ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    // The dialog is closing: m_hWnd is cleared here.
    bool IsTerminating();

private:
    static const WORD text_size = 256;
    char findWhat_[text_size];
    char replaceWith_[text_size];
    bool findOnly_ = true;
};

} // namespace winui
