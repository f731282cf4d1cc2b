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
#include "editor/symbols/symbol_info.h"
#include "editor/browser/tag_config.h"
#include "editor/docking/sizebar.h"
#include "winui/common_controls.h"

class CFunctionBar;
struct CFunctionTreeEntry;

// Private messages of the tree to the bar and of the docking library's bar
// menu to the bar.
const UINT WM_FUNCTION_DELETE_KEY = WM_USER + 0xDE;  // wParam key 46, lParam the item
const UINT WM_FUNCTION_CONTEXT = WM_USER + 0xDF;     // wParam the screen point, lParam the item
const UINT WM_FUNCTION_BAR_MENU = WM_SIZEBAR_EXTENDMENU;  // lParam the menu to append to

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
    // Asks the document to close (the user may still keep it open).
    virtual void CloseDocument(COvantaDoc* doc) = 0;
    // Puts the document's editor in or out of read-only mode.
    virtual void SetDocumentReadOnly(COvantaDoc* doc, bool readOnly) = 0;

    // --- the open workspace -----------------------------------------------------
    // The workspace file's full path, empty when no workspace is open (then
    // the lists below are empty and the bar shows no root and no menu).
    virtual std::string WorkspacePath() = 0;
    // The workspace's project files, as the workspace stores them (relative
    // to its folder).
    virtual std::vector<std::string> ProjectFiles() = 0;
    // The project files that are not open in the editor yet.
    virtual std::vector<std::string> UnopenedProjectFiles() = 0;
    // A full file path in the form the lists above hold.
    virtual std::string ProjectRelativePath(const std::string& path) = 0;
    // The project file list gains or loses a file (relative).
    virtual void AddProjectFile(const std::string& relative) = 0;
    virtual void RemoveProjectFile(const std::string& relative) = 0;
    // The file leaves the list of project files not yet open.
    virtual void ForgetUnopenedProjectFile(const std::string& relative) = 0;
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

    // The tree: the workspace's root, every open document with its symbols
    // and the project files not yet open.
    void RebuildTree();
    // One document parsed again, its branch replaced (after a save).
    void UpdateDocument(COvantaDoc* doc);
    // Parses an open document and adds its branch; its node (or null when
    // its symbols stand at the top, Verilog without file nodes).
    HTREEITEM AddDocumentSymbols(COvantaDoc* doc);
    // A document closes: a project file's node turns back into a file item,
    // any other document's items go.
    void DetachDocument(COvantaDoc* doc);
    // Deletes the document's items, remembering their expansion state.
    void RemoveDocument(COvantaDoc* doc, std::map<std::string, bool>* state);
    // The workspace's root (labelled with the file name), its expansion, a
    // project file's item (path as the project list holds it).
    HTREEITEM InsertRootItem(const std::string& workspacePath);
    void ExpandRoot();
    HTREEITEM AddFileItem(const std::string& path);
    // Remembers the expansion state (into state when given) and deletes all
    // items.
    void SaveStateAndClear(std::map<std::string, bool>* state);
    // Marks the symbol that holds the zero-based caret line.
    void TrackCaret(COvantaDoc* doc, int line);

    // --- the source browser ---------------------------------------------------
    // Starts a scan of the configured sources unless one runs or automatic
    // browsing is off; the open documents are copied now, on this thread.
    bool StartBrowseThread(const CTagConfig& config, bool automatic);
    CBrowseWorker& Browser() { return m_worker; }
    bool IsEmpty() const { return m_worker.Maps()->IsEmpty(); }
    // Empties the six maps (a running scan still hands over its own).
    void ClearSymbols() { m_worker.ClearSymbols(); }

    // --- what tests and the frame look at ------------------------------------
    HWND TreeWindow() const { return m_wndTree.m_hWnd; }
    // The record of a live item, null for an item the tree no longer has.
    const CSymbolInfo* Record(HTREEITEM item) const;
    // The document's node, null when it has none.
    HTREEITEM DocumentNode(COvantaDoc* doc) const;
    HTREEITEM MarkedItem() const { return m_hCaretItem; }
    HTREEITEM RootItem() const { return m_hRoot; }
    // The context menu of an item (null when it gets none): the item becomes
    // the context item that the menu's commands work on. The caller destroys
    // the menu.
    HMENU MakeContextMenu(HTREEITEM item);
    // The tip over an item: a file's full path for document nodes and file
    // items, empty for the rest.
    std::string TipText(HTREEITEM item);
    HTREEITEM ContextItem() const { return m_hContextItem; }

protected:
    void OnSizeOrStateChanged(int cx, int cy, BOOL bFloating, int nFlags) override;
    void OnUpdateButton();
    void OnCopyName();
    void OnTreeDblClk(NMHDR* header, LRESULT* result);
    void OnTreeDeleteItem(NMHDR* header, LRESULT* result);
    void OnTreeInfoTipA(NMHDR* header, LRESULT* result);
    void OnTreeInfoTipW(NMHDR* header, LRESULT* result);
    LRESULT OnDeleteKey(WPARAM key, LPARAM item);
    LRESULT OnContextMenu(WPARAM point, LPARAM item);
    LRESULT OnBarMenu(WPARAM, LPARAM menu);
    void OnAddToProject();
    void OnRemoveFromProject();
    void OnCloseFile();
    void OnSetWritable();
    void OnSetReadonly();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM Insert(HTREEITEM parent, const std::string& label, int image, std::unique_ptr<CSymbolInfo> record);
    void AddBranch(COvantaDoc* doc);
    void AddCBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path);
    void AddVerilogBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path);
    void AddPerlBranch(COvantaDoc* doc, HTREEITEM node, const std::string& text, const std::string& path);
    HTREEITEM MakeDocumentNode(COvantaDoc* doc, const std::string& path);
    HTREEITEM TopParent() const { return m_hRoot ? m_hRoot : TVI_ROOT; }
    HTREEITEM FindFileItem(const std::string& relative) const;
    bool InProjectList(const std::string& relative);
    bool InProject(const std::string& relative);
    std::string FullPath(const std::string& relative);
    std::string ItemPath(HTREEITEM item);
    void SetImage(HTREEITEM item, int image);
    int Image(HTREEITEM item) const;
    void SetContextReadOnly(bool readOnly);
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
    HTREEITEM m_hRoot = nullptr;
    winui::CImageList m_images;
    HTREEITEM m_hContextItem = nullptr;
    std::string m_strContextPath; // the context item's file, as the project list holds it
};

// The label of a document's node: the file name part of its path, or for
// an untitled document its title cut before the " *" mark.
std::string DocumentNodeLabel(const std::string& path, const std::string& title);

// The tree's order of two items: by image (2 counted as 1), then by label
// without case, a leading "~" ignored.
bool FunctionItemLess(int imageA, const std::string& labelA, int imageB, const std::string& labelB);
