// CFunctionBar: the functions bar, a sizeable docking dialog bar of the main
// frame (template 203) with a tree of the open documents and the functions
// (Verilog modules, Perl subs) that the editor's parsers find in them. A
// double click opens the symbol's line, the caret marks the function it
// stands in. The bar also owns the source browser's worker, whose maps the
// identifier tips, the tag file and the tag search configuration read.
//
// Tree items carry a record that the bar owns in one table keyed by the
// item; a record is freed only when the tree reports its item deleted, so
// every path that deletes items (Delete key, rebuild, closing a document,
// destruction) frees each record exactly once. Messages that carry an item
// and arrive later (the Delete key, the context menu) find it in that table
// or do nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/browser/browse_worker.h"
#include "editor/browser/symbol_info.h"
#include "editor/browser/tag_config.h"
#include "editor/docking/sizebar.h"
#include "winui/common_controls.h"

class CFunctionBar;
struct CFunctionTreeEntry;

// Private messages of the tree to the bar and of the docking library's bar
// menu to the bar.
const UINT WM_FUNCTION_DELETE_KEY = WM_USER + 0xDE;  // wParam key 46, lParam the item
const UINT WM_FUNCTION_CONTEXT = WM_USER + 0xDF;     // wParam the screen point, lParam the item
const UINT WM_FUNCTION_BAR_MENU = WM_USER + 0x30;    // lParam the menu to append to

// Modes of the tree.
enum class FunctionListMode { kC, kVerilog, kPerl };

// What the bar needs of the editor around it.
class CBrowserShell {
public:
    virtual ~CBrowserShell() = default;
    // The open documents in the document manager's order.
    virtual std::vector<COvantaDoc*> Documents() = 0;
    virtual std::string DocumentPath(COvantaDoc* doc) = 0;
    virtual std::string DocumentTitle(COvantaDoc* doc) = 0;
    // A copy of the text of the document's first editor, taken now.
    virtual std::string DocumentText(COvantaDoc* doc) = 0;
    // Activates the document's window (maximised or normal as it was),
    // focuses its editor and, for a line other than -1, puts the caret at
    // the start of that zero-based line.
    virtual void ShowDocumentLine(COvantaDoc* doc, int line) = 0;
    // Opens a file; false when it could not be opened.
    virtual bool OpenFile(const std::string& path) = 0;
    virtual void CloseDocument(COvantaDoc* doc) = 0;
    // The open workspace's path, empty without one.
    virtual std::string WorkspacePath() = 0;
    // [DefaultSettings] "ShowFilesInTree" read and written.
    virtual bool ShowFilesInTree() = 0;
    virtual void SetShowFilesInTree(bool on) = 0;
};

// The tree control: tells the bar of the Delete key and of right clicks.
class CFunctionTreeCtrl : public winui::CTreeCtrl {
public:
    POINT m_ptMenu{0, 0}; // the last right click, screen coordinates

protected:
    void OnKeyDown(NMHDR* header, LRESULT* result);
    void OnRButtonDown(UINT flags, POINT point);

    DECLARE_MESSAGE_MAP()
};

class CFunctionBar : public CVelloSizeDialogBar {
public:
    // notify: the window that receives the browser's status texts (0x421).
    CFunctionBar(CBrowserShell* shell, HWND notify);
    ~CFunctionBar() override; // stops and joins the browser's worker

    // Creates the bar from template 203 in the frame, with its tree, image
    // list and caption "C/C++ -Functions"; docking left and right allowed.
    BOOL Create(winui::CFrameWnd* frame, FunctionListMode mode);

    FunctionListMode Mode() const { return m_mode; }
    void SetMode(FunctionListMode mode);

    // The tree: every open document with its symbols.
    void RebuildTree();
    // One document parsed again, its branch replaced (after a save).
    void UpdateDocument(COvantaDoc* doc);
    // A document closes: its items go.
    void DetachDocument(COvantaDoc* doc);
    // Marks the symbol that holds the zero-based caret line.
    void TrackCaret(COvantaDoc* doc, int line);

    // --- the source browser ---------------------------------------------------
    // Starts a scan of the configured sources unless one runs or automatic
    // browsing is off; the open documents are copied now, on this thread.
    bool StartBrowseThread(const CTagConfig& config, bool automatic);
    CBrowseWorker& Browser() { return m_worker; }
    bool IsEmpty() const { return m_worker.Maps()->IsEmpty(); }

    // --- what tests and the frame look at ------------------------------------
    HWND TreeWindow() const { return m_wndTree.m_hWnd; }
    // The record of a live item, null for an item the tree no longer has.
    const CSymbolInfo* Record(HTREEITEM item) const;
    // The document's node, null when it has none.
    HTREEITEM DocumentNode(COvantaDoc* doc) const;
    HTREEITEM MarkedItem() const { return m_hCaretItem; }

protected:
    void OnSizeOrStateChanged(int cx, int cy, BOOL bFloating, int nFlags) override;
    void OnUpdateButton();
    void OnCopyName();
    void OnTreeDblClk(NMHDR* header, LRESULT* result);
    void OnTreeDeleteItem(NMHDR* header, LRESULT* result);
    LRESULT OnDeleteKey(WPARAM key, LPARAM item);
    LRESULT OnContextMenu(WPARAM point, LPARAM item);
    LRESULT OnBarMenu(WPARAM, LPARAM menu);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM Insert(HTREEITEM parent, const std::string& label, int image, std::unique_ptr<CSymbolInfo> record);
    void AddBranch(COvantaDoc* doc);
    void AddCBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path);
    void AddVerilogBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path);
    void AddPerlBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path);
    HTREEITEM MakeDocumentNode(COvantaDoc* doc, const std::string& path);
    void SortChildren(HTREEITEM parent);
    void RememberExpansion(HTREEITEM parent);
    void RestoreExpansion(HTREEITEM parent);
    void DeleteItem(HTREEITEM item);
    void ClearMark();
    void PlaceTree(int cx, int cy);

    CBrowserShell* m_shell;
    HWND m_hNotify;
    FunctionListMode m_mode = FunctionListMode::kC;
    CFunctionTreeCtrl m_wndTree;
    CBrowseWorker m_worker;
    std::map<HTREEITEM, std::unique_ptr<CFunctionTreeEntry>> m_records;
    std::map<std::string, bool> m_expanded;
    HTREEITEM m_hActivated = nullptr;
    HTREEITEM m_hCaretItem = nullptr;
    COvantaDoc* m_pCaretDoc = nullptr;
    int m_nCaretLine = -1;
    winui::CImageList m_images;
};

// The label of a document's node: the file name part of its path, or for
// an untitled document its title cut before the " *" mark.
std::string DocumentNodeLabel(const std::string& path, const std::string& title);

// The tree's order of two items: by image (2 counted as 1), then by label
// without case, a leading "~" ignored.
bool FunctionItemLess(int imageA, const std::string& labelA, int imageB, const std::string& labelB);
