// CDocument: the data of one open file, shown by one or more views.
//
// - Files: OnOpenDocument opens the file for reading with FILE_SHARE_READ
//   (CreateFileA) and hands the handle to Serialize; OnSaveDocument writes
//   through Serialize into a temporary file beside the target and replaces
//   the target with MoveFileExA, so a failed save never harms the old file.
//   Failures are reported in a message box ("Failed to open document.",
//   "Failed to save document.") and answered FALSE.
// - Save prompt: SaveModified asks "Save changes to <name>?" (Yes, No,
//   Cancel) through ShowMessageBox (winui/msgbox.h); Yes saves.
// - Commands in its map: ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_CLOSE.
// - A document deletes itself when its last view is gone (m_bAutoDelete).
#pragma once

#include "winui/cmdtarget.h"

#include <windows.h>

#include <string>
#include <vector>

namespace winui {

class CDocTemplate;
class CFrameWnd;
class CView;

// Standard command ids of the file commands.
const UINT ID_FILE_NEW = 0xE100;
const UINT ID_FILE_OPEN = 0xE101;
const UINT ID_FILE_CLOSE = 0xE102;
const UINT ID_FILE_SAVE = 0xE103;
const UINT ID_FILE_SAVE_AS = 0xE104;
const UINT ID_APP_EXIT = 0xE141;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

    const std::string& GetTitle() const { return m_strTitle; }
    // Sets the title and renews the captions of the document's frames.
    virtual void SetTitle(const char* title);
    const std::string& GetPathName() const { return m_strPathName; }
    // The full path (GetFullPathNameA); the title becomes the file name.
    // With addToMRU the path goes to the top of the application's recent list.
    virtual void SetPathName(const char* path, BOOL addToMRU = TRUE);

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    const std::vector<CView*>& GetViews() const { return m_viewList; }
    CView* GetFirstView() const { return m_viewList.empty() ? nullptr : m_viewList.front(); }
    void AddView(CView* view);
    // Removes the view; the last view gone closes the document.
    void RemoveView(CView* view);
    // OnUpdate of every view but sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CCmdTarget* hintObject = nullptr);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    // Renews the captions of the document's frames (numbered ":1", ":2"
    // while it has several).
    void UpdateFrameCounts();

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* path);
    virtual BOOL OnSaveDocument(const char* path);
    // Destroys the frames of the views, DeleteContents, deletes the document.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    // Reads (storing false) or writes (storing true) the contents through
    // the open file; FALSE reports a failure. The base does nothing.
    virtual BOOL Serialize(HANDLE file, bool storing) { return TRUE; }

    // Asks to save a modified document: TRUE to go on (saved or not
    // wanted), FALSE when the user cancelled or the save failed.
    virtual BOOL SaveModified();
    // Saves to path; without a path (Save As, or no path yet) the file name
    // is asked through the document manager. replace: the document takes
    // the new path.
    virtual BOOL DoSave(const char* path, BOOL replace = TRUE);
    // DoSave to the document's path, or Save As when it has none or the
    // file is read-only (GetFileAttributesA).
    virtual BOOL DoFileSave();
    // TRUE when frame may close: another frame still shows the document,
    // or SaveModified agreed.
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    // Whether frame is the only frame showing this document.
    bool IsLastFrame(CFrameWnd* frame) const;

    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(nullptr); }
    void OnFileClose();

protected:
    std::string m_strTitle;
    std::string m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_viewList;
    bool closing_ = false;

    DECLARE_MESSAGE_MAP()
};

} // namespace winui
