// CDocTemplate: makes documents, their frames and views for one kind of
// file; CDocManager: the application's templates and the file commands.
//
// The resource id of a template names the child frame's menu, icon and
// accelerators (LoadFrame) and a string resource of seven fields divided by
// '\n': window title, document name, file-new name, filter name, filter
// extension, file type id, file type name. Untitled documents are named
// after the document name and a number ("unknown1", "unknown2").
//
// OpenDocumentFile(path) makes a document, its frame (the template's frame
// class, LoadFrame with the template's id inside the main frame) and view,
// then OnOpenDocument(path), or OnNewDocument for a null path, then the
// frame's initial update. A file that is already open is not opened twice:
// its frame is activated. A failed open destroys the frame and the document.
#pragma once

#include "winui/cmdtarget.h"
#include "winui/frame.h"

#include <windows.h>

#include <string>
#include <vector>

namespace winui {

class CDocument;

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    CDocTemplate(UINT resId, ObjectFactory docClass, ObjectFactory frameClass,
                 ObjectFactory viewClass);
    ~CDocTemplate() override;

    UINT m_nIDResource;
    // The menu of the template's MDI child frames (LoadMenuA of the id),
    // shown while one of them is active; null when there is none.
    HMENU m_hMenuShared = nullptr;
    // The doc string; when no string resource exists, set it directly.
    std::string m_strDocStrings;
    bool GetDocString(std::string& out, DocStringIndex index) const;

    const std::vector<CDocument*>& GetDocuments() const { return m_docList; }
    void AddDocument(CDocument* doc);
    void RemoveDocument(CDocument* doc);

    virtual CDocument* CreateNewDocument();
    // The frame of a new view of doc (a further window of it when other is
    // one of its frames).
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* doc);
    // The open document with this path (compared as full paths without
    // regard to case), or null.
    CDocument* FindOpenDocument(const char* path) const;

    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);

protected:
    ObjectFactory m_pDocClass;
    ObjectFactory m_pFrameClass;
    ObjectFactory m_pViewClass;
    std::vector<CDocument*> m_docList;
    UINT m_nUntitledCount = 0;
};

// The multi-document kind: every document in MDI child frames.
class CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
};

class CDocManager {
public:
    virtual ~CDocManager(); // deletes the templates
    CDocManager() = default;
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    void AddDocTemplate(CDocTemplate* docTemplate);
    const std::vector<CDocTemplate*>& GetTemplates() const { return m_templateList; }

    // Through the first template; an open document with the path is activated.
    virtual CDocument* OpenDocumentFile(const char* path);
    // GetOpenFileNameA / GetSaveFileNameA with the template's filter; the
    // name chosen replaces fileName. FALSE when cancelled.
    virtual BOOL DoPromptFileName(std::string& fileName, const char* title, DWORD flags,
                                  BOOL openFileDialog, CDocTemplate* docTemplate);
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL endSession);
    int GetOpenDocumentCount() const;

protected:
    std::vector<CDocTemplate*> m_templateList;
};

} // namespace winui
