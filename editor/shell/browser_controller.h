// CBrowserController: the main frame's source browser. It owns the
// functions bar, the tag search configuration (section "TagConfig") and the
// automatic browsing switch, follows the documents and the caret, and
// handles the function-list, auto-search and project reference commands
// and the browser's messages.
#pragma once

#include "editor/shell/browser_host.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/symbol_source.h"

#include "editor/browser/function_bar.h"
#include "editor/browser/tag_config.h"

#include "winui/cmdtarget.h"

#include <memory>

class COvantaDoc;
class CProjectFiles;

namespace winui {
class CCmdUI;
}

// The [Bars] key of the functions bar.
inline constexpr const char* kFunctionBarKey = "Functions";

class CBrowserController : public winui::CCmdTarget, public ISymbolSource {
public:
    CBrowserController(CMainFrameBase& frame, CBrowserHost& host, CProjectFiles& project);
    ~CBrowserController() override;

    // [TagConfig] and the browser's [DefaultSettings] keys; a workspace
    // shows the functions bar.
    void LoadBrowserSettings(bool workspace = false);
    void SaveBrowserSettings();
    // The automatic bit into [TagConfig] "flags".
    void WriteTagFlags();
    // Documents and the caret tell the functions bar.
    void DocumentOpened(COvantaDoc* doc);
    void DocumentClosing(COvantaDoc* doc);
    void LastDocumentClosed();
    void CaretMoved(int line);
    // The output bar's "Tags" pane follows the automatic switch.
    void SyncTagsPane();
    // The functions bar's place code as the settings store it ("FunctionList").
    int FunctionListCode() const { return m_nFunctionList; }
    // Stops the browser's worker (before the frame goes).
    void StopBrowser();
    // The project's symbols go with its documents.
    void ClearSymbols();

    CFunctionBar* FunctionBar() const { return m_pFunctionBar.get(); }
    bool AutoSearch() const { return m_bAutoSearch; }
    // What the editor controls ask of the browser's maps.
    int LookupSymbols(const std::string& name, CSymbolHitLists& hits) override;
    bool AutoBrowserEnabled() override { return m_bAutoSearch; }
    const CTagConfig& TagConfig() const { return m_tagConfig; }
    // What the functions bar needs of the editor.
    CBrowserShell* BrowserShell();

private:
    // "Project reference": the dialog, then the HTML pages of the chosen
    // documents (also the Operations dialog's HTML reference message).
    void OnProjectReference();
    LRESULT OnHtmlReferenceMessage(WPARAM, LPARAM)
    {
        OnProjectReference();
        return 0;
    }
    bool CreateFunctionBar(FunctionListMode mode, bool visible, bool right);
    FunctionListMode FunctionListModeSetting() const;
    void OnFunctionListCommand(UINT id);
    void OnUpdateFunctionListCommand(winui::CCmdUI* ui);
    void OnAutoSearch();
    void OnUpdateAutoSearch(winui::CCmdUI* ui);
    void OnAutoSearchConfig();
    void WriteProjectReference();
    LRESULT OnBrowserRequest(WPARAM, LPARAM);
    LRESULT OnBrowserStatus(WPARAM text, LPARAM);
    LRESULT OnFunctionUpdateDocument(WPARAM, LPARAM doc);

    CMainFrameBase& frame_;
    CBrowserHost& host_;
    CProjectFiles& project_;
    std::unique_ptr<CBrowserShell> m_pBrowserShell;
    std::unique_ptr<CFunctionBar> m_pFunctionBar;
    CTagConfig m_tagConfig;
    bool m_bAutoSearch = false;
    int m_nFunctionList = 0;
    bool functionBarParked_ = false; // hidden with the last document

    DECLARE_MESSAGE_MAP()
};
