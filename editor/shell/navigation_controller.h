// CNavigationController: the main frame's ways between documents. It owns
// the document tab bar, the stay-on-top button in the caption and the
// position history: the tabs follow the documents, the button switches the
// frame between topmost and normal stacking, the back and forward commands
// return to the places visited in the editors, and "Go to Definition Of"
// shows the defining document. It is the one navigator that opens a file
// and brings a document's line forward.
#pragma once

#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/document_navigator.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/navigation_host.h"
#include "editor/shell/position_history.h"
#include "editor/shell/position_tracker.h"
#include "editor/shell/small_toggle_button.h"

#include "winui/cmdtarget.h"

class COvantaDoc;
class CNColorEditCtrl;
struct CSymbolHit;

namespace winui {
class CCmdUI;
}

class CNavigationController : public winui::CCmdTarget,
                              public IPositionTracker,
                              public IDocumentNavigator {
public:
    CNavigationController(CMainFrameBase& frame, INavigationHost& host) : frame_(frame), host_(host) {}

    CDocTabBar& TabBar() { return tabBar_; }
    CPositionHistory& History() { return history_; }
    // The tab bar and the button are made before the frame's sides accept
    // bars; the tab bar is docked, hidden, after.
    void CreateBars();
    void DockBars();
    // The frame's size changed: a minimised frame has no button to press.
    void FrameSized();

    // Documents tell the tabs.
    void DocumentOpened(COvantaDoc* doc);
    void DocumentRenamed(COvantaDoc* doc);
    void DocumentActivated(COvantaDoc* doc);
    void DocumentClosing(COvantaDoc* doc);
    void LastDocumentClosed();
    // The tabs mark changed documents.
    void RedrawTabs();

    // The editors' places: the one left is recorded when another editor
    // takes the focus.
    void SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset) override;
    void EditorActivated(CNColorEditCtrl& editor) override;
    LRESULT GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol) override;
    // The one way the tools' output, the source browser and the frame open
    // a file and bring a document's line forward.
    COvantaDoc* OpenDocument(const std::string& path) override;
    void ShowDocumentLine(COvantaDoc* doc, int line) override;
    // Forgets every place (windows come and go).
    void ResetPositions();

private:
    bool GoToPosition(const PositionEntry& entry);
    void OnFileBar();
    void OnUpdateFileBar(winui::CCmdUI* ui);
    void OnNextDocument();
    void OnUpdateNextDocument(winui::CCmdUI* ui);
    void OnPreviousDocument();
    void OnUpdatePreviousDocument(winui::CCmdUI* ui);
    LRESULT OnNcPaintMsg(WPARAM, LPARAM);
    LRESULT OnMoveMsg(WPARAM, LPARAM);

    CMainFrameBase& frame_;
    INavigationHost& host_;
    CDocTabBar tabBar_;
    CSmallToggleButton toggleButton_;
    CPositionHistory history_{100};
    PositionEntry lastPosition_;

    DECLARE_MESSAGE_MAP()
};
