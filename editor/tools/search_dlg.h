// The modeless Search dialog and the combo box its texts are typed into.
// The dialog builds a SearchRequest from its controls and sends it with
// WM_FIND_REQUEST to its owner (the main frame), which carries it out and
// returns a count. In multi-file mode ("Find in Files..") it searches the
// open documents, the current file only, or (enhanced) files on disk below
// a directory. It is created once, then hidden and shown again.
#pragma once

#include "editor/tools/search_request.h"

#include "editor/syntax/window/editor_shell.h"
#include "editor/syntax/window/frame_messages.h"

#include "winui/controls.h"
#include "winui/dialog.h"
#include "winui/profile.h"

#include <cstdint>
#include <functional>
#include <string>

// Dialog -> owner (sent): wParam 0, lParam the SearchRequest: carry it out,
// return a count; wParam 1, lParam 0: the dialog closes.
const UINT WM_FIND_REQUEST_MSG = WM_FIND_REQUEST;
// Dialog -> itself (posted) after a request: take the focus back.
const UINT WM_SEARCH_REFOCUS = 0x414;
// Combo box -> its dialog (sent): the hot key ("Find again") was pressed.
const UINT WM_SEARCH_HOTKEY = 0x41D;
// Combo box -> its dialog (sent): Enter pressed; wParam the control id.
const UINT WM_SEARCH_ENTER = 0x422;

// Command id of "Find" as a keyboard macro records it.
const uint32_t kFindCommandId = 57636;
// Command id of "Find again", whose key is the combo boxes' hot key.
const uint32_t kFindAgainCommandId = 57632;

// The options of [DefaultSettings] the dialogs change in memory; the shell
// loads and saves them.
struct SearchOptions {
    bool findUseSelection = true;     // "FndUseSel"
    bool replaceUseSelection = false; // "RepUseSel"
    bool suppressComments = false;    // "SupressComments"
};

// Records a keyboard-macro event (value, extra word, kind word).
using MacroRecorder = std::function<void(uintptr_t value, uint32_t extra, uint32_t kind)>;
// The event kinds are the editor's (kMacroText, kMacroCommandFlags).
const uint32_t kMacroCommandWithFlags = kMacroCommandFlags;

class CSearchCombo : public winui::CComboBox {
public:
    // key | modifiers << 16 as the key table gives it (Shift 0x04, Ctrl
    // 0x08, Alt 0x10); 0: no hot key.
    void SetHotKey(uint32_t keyAndModifiers);
    // Enter and the hot key (with exactly its modifiers) are told to the
    // parent; the key is then handled as usual.
    BOOL PreTranslateMessage(MSG* msg) override;

    uint16_t m_wHotKey = 0;
    uint16_t m_wModifiers = 0;
};

class CSearchDlg : public winui::CDialog {
public:
    explicit CSearchDlg(UINT templateId = 138);

    // What the dialog needs of the shell; set before Create.
    void SetProfile(const winui::CProfile* profile) { m_pProfile = profile; }
    void SetSharedOptions(SearchOptions* options) { m_pOptions = options; }
    void SetMacroRecorder(MacroRecorder recorder) { m_recordMacro = std::move(recorder); }
    void SetHotKey(uint32_t keyAndModifiers);

    // Creates and shows the modeless dialog; non-zero on success.
    virtual BOOL Create(const char* text, UINT message, HWND owner);
    void SetSearchText(const char* text, BOOL force);
    virtual void SetComboFont(HFONT font);
    void UpdateTitle(int showCommand);
    void ShowNormal();
    void ShowEnhanced(BOOL show);
    // Only the disk search is offered (no document is open): enhanced mode
    // on, the direction buttons and the "Enhanced" button disabled. Off
    // enables them again.
    void SetDiskOnly(BOOL on);
    void SyncCommentOption();
    SearchRequest* GetSearchOptions();
    virtual void SetOptions(uint32_t flags);
    void LoadHistory();

    // The search flag word of the check boxes, as [FIND] "Searchflags" keeps it.
    uint32_t Flags() const { return m_request.flags; }

    UINT m_nTemplate;
    BOOL m_bBusy = FALSE;
    BOOL m_bMultiFile = FALSE;
    BOOL m_bTakeSelection = TRUE;
    BOOL m_bNoCommentHits = FALSE;
    BOOL m_bEnhanced = FALSE;
    std::string m_strFileFilter;
    CSearchCombo m_cbFind;
    CSearchCombo m_cbFilter;
    int m_nLastResult = 0;
    HFONT m_hFont = nullptr;
    HWND m_hOwner = nullptr;
    UINT m_nMessage = 0;
    SearchRequest m_request;
    std::string m_strSearchText;
    char m_szDirectory[260] = "";

    ~CSearchDlg() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    // Applies the mode rule of the dialog when it is shown.
    virtual void ApplyModeRule();
    // Title "Search" or "Search & Replace".
    const char* BaseTitle() const;

    void OnFindNext();
    void OnCloseButton();
    void OnClose();
    void OnTakeSelection();
    void OnEnhanced();
    void OnBrowseFolder();
    void OnCommentOption();
    void OnActualFile();
    LRESULT OnRefocus(WPARAM, LPARAM);
    LRESULT OnHotKey(WPARAM, LPARAM);
    LRESULT OnEnterInCombo(WPARAM, LPARAM);

    // The dialog's bottom at the bottom of a control plus 10 pixels.
    void FitHeightTo(int controlId);
    void EnableDirections(BOOL enable);
    void Send(SearchRequest* request);
    void AddUnique(const winui::CComboBox& combo, const std::string& text, bool atTop);
    SearchOptions& Options();

    const winui::CProfile* m_pProfile = nullptr;
    SearchOptions* m_pOptions = nullptr;
    SearchOptions m_ownOptions;
    MacroRecorder m_recordMacro;
    std::string m_strReplacement;

    DECLARE_MESSAGE_MAP()
};

// The shell's saving of the search settings when the main frame closes
// (either dialog may be null when it was never made):
// [FIND] "FileFilter", "searchdir%d" and "searchfilter%d" for every entry of
// the directory and filter combo boxes, and "Searchflags" (the Search
// dialog's flag word, 0x80 added when the Search & Replace dialog's request
// has it; not written when that dialog exists and its request lacks 0x80).
void SaveSearchSettings(const winui::CProfile& profile, CSearchDlg* search, const CSearchDlg* replace);
// [Ovanta] "FIND" and "REPLACE": the dialogs' left and top as "%d,%d".
void SaveSearchDialogPlaces(const winui::CProfile& profile, const CSearchDlg* search, const CSearchDlg* replace);
