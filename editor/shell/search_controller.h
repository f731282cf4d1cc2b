// CSearchController: the main frame's find and replace. It owns the Search
// and Search & Replace dialogs and takes "Find", "Replace", "Find again"
// and find in files, with its lines in the output bar's "Search results"
// pane; it carries out the find requests of the dialogs, the editors and
// macro playback, keeps the search settings, and runs the TCP link's
// commands and data message.
#pragma once

#include "editor/shell/frame_bases.h"
#include "editor/shell/editor_search_host.h"
#include "editor/shell/search_host.h"
#include "editor/shell/search_settings.h"

#include "winui/cmdtarget.h"

#include <memory>
#include <string>
#include <vector>

class COvantaView;
class COutputEdit;
class CNColorEditCtrl;
class CSearchDlg;
class CFindInFilesOutput;
struct CFrameSearch;
struct SearchRequest;
struct SettingsValues;

namespace winui {
class CCmdUI;
}

class CSearchController : public winui::CCmdTarget, public IEditorSearchHost, public ISearchSettings {
public:
    CSearchController(CMainFrameBase& frame, ISearchHost& host);
    ~CSearchController() override;

    // The editor's "Search" command: the find dialog takes the word; the
    // direction bits of its options (0 without a dialog). Then the options
    // are posted to the frame as a find request.
    int PrepareEditorSearch(const std::string& word) override;
    void PostEditorSearch() override;
    // [DefaultSettings] "FndUseSel", "RepUseSel", "SupressComments" and the
    // TCP link's keys; at closing also [FIND] and the dialogs' places.
    // The search options from the option set, and back into it.
    void LoadSettings() override;
    void CollectOptions(SettingsValues& options) override;
    void SetSuppressComments(bool on);
    void SaveSettings() override;
    // The open search dialogs take the [FIND] history and their places of
    // the settings now in force (after a workspace opened or closed).
    void ReloadDialogs() override;
    // With no document left the open dialog takes its plain title and goes.
    void LastDocumentClosed();
    // Stops the TCP reader and destroys the search dialogs.
    void Close();

private:
    CFrameSearch& Search();
    COutputEdit* SearchResultsPane();
    void PrepareSearchDialog(CSearchDlg& dlg, bool takeSelection);
    CSearchDlg* EnsureSearchDialog(const std::string& text);
    void RefreshSearchDialog(CSearchDlg& dlg, const std::string& text);
    void FrameRedraw(bool on);
    // Moves the visible search dialogs off the editor's caret line.
    void KeepSearchDialogsClear(CNColorEditCtrl& editor);
    int RunMultiFileSearch(SearchRequest request, bool suppressComments);
    int SearchCurrentDocumentIn(const SearchRequest& request, bool suppressComments, CFindInFilesOutput& output);
    int ReplaceInAllDocuments(const SearchRequest& request);

    void OnEditFind();
    void OnUpdateEditFind(winui::CCmdUI* ui);
    void OnEditReplace();
    void OnUpdateEditReplace(winui::CCmdUI* ui);
    void OnEditRepeat();
    void OnFindInFiles();
    void OnUpdateFindInFiles(winui::CCmdUI* ui);
    LRESULT OnFindRequest(WPARAM closing, LPARAM request);
    LRESULT OnEditorSelection(WPARAM, LPARAM editor);
    void OnTcpSend();
    void OnTcpReceive();
    LRESULT OnTcpData(WPARAM buffer, LPARAM count);

    CMainFrameBase& frame_;
    ISearchHost& host_;
    // The dialogs, the shared options and the TCP link, whose header must
    // not reach the frame's (it brings Windows Sockets before <windows.h>).
    std::unique_ptr<CFrameSearch> search_;

    DECLARE_MESSAGE_MAP()
};
