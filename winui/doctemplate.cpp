#include "winui/doctemplate.h"

#include "winui/app.h"
#include "winui/doc.h"
#include "winui/mdi.h"
#include "winui/view.h"

#include <algorithm>
#include <cstdio>

namespace winui {

CDocTemplate::CDocTemplate(UINT resId, ObjectFactory docClass, ObjectFactory frameClass,
                           ObjectFactory viewClass)
    : m_nIDResource(resId), m_pDocClass(docClass), m_pFrameClass(frameClass),
      m_pViewClass(viewClass)
{
    m_strDocStrings = LoadResourceString(resId);
    m_hMenuShared = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resId));
}

CDocTemplate::~CDocTemplate()
{
    // The documents outlive no template: close what is left without asking.
    while (!m_docList.empty()) {
        CDocument* doc = m_docList.back();
        doc->OnCloseDocument();
        if (!m_docList.empty() && m_docList.back() == doc) {
            m_docList.pop_back(); // a document that does not delete itself
            doc->m_pDocTemplate = nullptr;
        }
    }
    // A menu still shown by a frame went with the frame's window.
    if (m_hMenuShared && IsMenu(m_hMenuShared))
        DestroyMenu(m_hMenuShared);
}

bool CDocTemplate::GetDocString(std::string& out, DocStringIndex index) const
{
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_strDocStrings.find('\n', start);
        if (start == std::string::npos) {
            out.clear();
            return false;
        }
        ++start;
    }
    size_t end = m_strDocStrings.find('\n', start);
    out = m_strDocStrings.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return !out.empty();
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    m_docList.push_back(doc);
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), doc), m_docList.end());
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    CCmdTarget* object = m_pDocClass();
    CDocument* doc = dynamic_cast<CDocument*>(object);
    if (!doc) {
        delete object;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd*)
{
    if (!m_pFrameClass)
        return nullptr;
    CCmdTarget* object = m_pFrameClass();
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (auto* child = dynamic_cast<CMDIChildWnd*>(frame))
        if (!child->m_hMenuShared)
            child->m_hMenuShared = m_hMenuShared;
    CWinApp* app = GetApp();
    HWND mainWnd = app ? app->m_hMainWnd : nullptr;
    if (!frame->LoadFrame(m_nIDResource,
                          WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, mainWnd,
                          &context)) {
        delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* doc)
{
    std::string name;
    if (!GetDocString(name, docName))
        name = "Untitled";
    char number[16];
    snprintf(number, sizeof number, "%u", ++m_nUntitledCount);
    doc->SetTitle((name + number).c_str());
}

CDocument* CDocTemplate::FindOpenDocument(const char* path) const
{
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    std::string wanted = n > 0 && n < sizeof full ? full : path;
    for (CDocument* doc : m_docList) {
        if (!doc->GetPathName().empty() && lstrcmpiA(doc->GetPathName().c_str(), wanted.c_str()) == 0)
            return doc;
    }
    return nullptr;
}

CDocument* CDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible)
{
    // A relative name is resolved once, here: opening may change the
    // current folder (to the document's own), and the name set afterwards
    // must still be the file that was opened.
    char full[MAX_PATH];
    if (path) {
        DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
        if (n > 0 && n < sizeof full)
            path = full;
    }
    if (path) {
        if (CDocument* open = FindOpenDocument(path)) {
            if (CView* view = open->GetFirstView())
                if (CFrameWnd* frame = view->GetParentFrame())
                    frame->ActivateFrame();
            return open;
        }
    }
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    // The document lives while its frame does: the frame's last view
    // closes it, also when the opening below fails.
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        if (doc->GetViews().empty())
            delete doc;
        return nullptr;
    }
    BOOL ok;
    if (!path) {
        SetDefaultTitle(doc);
        ok = doc->OnNewDocument();
    } else {
        ok = doc->OnOpenDocument(path);
        if (ok)
            doc->SetPathName(path);
    }
    if (!ok) {
        frame->DestroyWindow(); // its view goes, and the document with it
        return nullptr;
    }
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

BOOL CDocTemplate::SaveAllModified()
{
    std::vector<CDocument*> docs = m_docList;
    for (CDocument* doc : docs) {
        if (!doc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    std::vector<CDocument*> docs = m_docList;
    for (CDocument* doc : docs)
        doc->OnCloseDocument();
}

CDocManager::~CDocManager()
{
    for (CDocTemplate* t : m_templateList)
        delete t;
}

void CDocManager::AddDocTemplate(CDocTemplate* docTemplate)
{
    m_templateList.push_back(docTemplate);
}

CDocument* CDocManager::OpenDocumentFile(const char* path)
{
    for (CDocTemplate* t : m_templateList) {
        if (CDocument* open = t->FindOpenDocument(path)) {
            if (CView* view = open->GetFirstView())
                if (CFrameWnd* frame = view->GetParentFrame())
                    frame->ActivateFrame();
            return open;
        }
    }
    return m_templateList.empty() ? nullptr : m_templateList.front()->OpenDocumentFile(path);
}

BOOL CDocManager::DoPromptFileName(std::string& fileName, const char* title, DWORD flags,
                                   BOOL openFileDialog, CDocTemplate* docTemplate)
{
    std::string filter;
    std::string name, ext;
    if (docTemplate && docTemplate->GetDocString(name, CDocTemplate::filterName) &&
        docTemplate->GetDocString(ext, CDocTemplate::filterExt)) {
        filter += name + '\0' + "*" + ext + '\0';
    }
    filter += std::string("All Files (*.*)") + '\0' + "*.*" + '\0' + '\0';
    char file[MAX_PATH] = {};
    lstrcpynA(file, fileName.c_str(), sizeof file);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    CWinApp* app = GetApp();
    ofn.hwndOwner = app ? app->m_hMainWnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title;
    ofn.Flags = flags | OFN_EXPLORER;
    BOOL ok = openFileDialog ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (ok)
        fileName = file;
    return ok;
}

void CDocManager::OnFileNew()
{
    if (!m_templateList.empty())
        m_templateList.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    std::string name;
    if (!DoPromptFileName(name, "Open", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    if (CWinApp* app = GetApp())
        app->OpenDocumentFile(name.c_str());
    else
        OpenDocumentFile(name.c_str());
}

BOOL CDocManager::SaveAllModified()
{
    for (CDocTemplate* t : m_templateList) {
        if (!t->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL endSession)
{
    for (CDocTemplate* t : m_templateList)
        t->CloseAllDocuments(endSession);
}

int CDocManager::GetOpenDocumentCount() const
{
    int count = 0;
    for (CDocTemplate* t : m_templateList)
        count += static_cast<int>(t->GetDocuments().size());
    return count;
}

} // namespace winui
