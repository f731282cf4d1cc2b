#include "winui/doc.h"

#include "winui/app.h"
#include "winui/doctemplate.h"
#include "winui/frame.h"
#include "winui/msgbox.h"
#include "winui/view.h"

#include "common/safe_file.h"

#include <io.h>

#include <algorithm>

namespace winui {

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    for (CView* view : m_viewList)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

static const char* app_caption()
{
    CWinApp* app = GetApp();
    return app && !app->m_strAppName.empty() ? app->m_strAppName.c_str() : "";
}

static HWND box_owner()
{
    CWinApp* app = GetApp();
    return app ? app->m_hMainWnd : nullptr;
}

void CDocument::SetTitle(const char* title)
{
    m_strTitle = title ? title : "";
    UpdateFrameCounts();
    if (CWinApp* app = GetApp()) {
        if (auto* main = dynamic_cast<CFrameWnd*>(CWnd::FromHandle(app->m_hMainWnd)))
            main->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(const char* path, BOOL addToMRU)
{
    char full[MAX_PATH];
    char* filePart = nullptr;
    DWORD n = GetFullPathNameA(path, sizeof full, full, &filePart);
    m_strPathName = n > 0 && n < sizeof full ? full : path;
    size_t slash = m_strPathName.find_last_of("\\/");
    SetTitle(slash == std::string::npos ? m_strPathName.c_str()
                                        : m_strPathName.c_str() + slash + 1);
    if (addToMRU)
        if (CWinApp* app = GetApp())
            app->AddToRecentFileList(m_strPathName.c_str());
}

void CDocument::AddView(CView* view)
{
    if (std::find(m_viewList.begin(), m_viewList.end(), view) == m_viewList.end())
        m_viewList.push_back(view);
    view->m_pDocument = this;
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    if (closing_)
        return;
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_viewList) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end()) {
            frames.push_back(frame);
            frame->OnUpdateFrameTitle(TRUE);
        }
    }
}

void CDocument::RemoveView(CView* view)
{
    m_viewList.erase(std::remove(m_viewList.begin(), m_viewList.end(), view), m_viewList.end());
    view->m_pDocument = nullptr;
    if (m_viewList.empty() && m_bAutoDelete && !closing_)
        OnCloseDocument();
    else
        UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CCmdTarget* hintObject)
{
    std::vector<CView*> views = m_viewList;
    for (CView* view : views) {
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ShowMessageBox(box_owner(), "Failed to open document.", app_caption(),
                       MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE); // a half read document counts as changed
    BOOL ok = Serialize(file, false);
    CloseHandle(file);
    if (!ok) {
        DeleteContents();
        ShowMessageBox(box_owner(), "Failed to open document.", app_caption(),
                       MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* path)
{
    // Through a temporary beside the file, renamed over it only when the
    // whole document was written: a failed save leaves the old file.
    safe_file out;
    bool ok = safe_file_open(&out, path, true);
    if (ok) {
        HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(out.fp)));
        ok = file != INVALID_HANDLE_VALUE && Serialize(file, true) != FALSE;
        if (ok)
            ok = safe_file_commit(&out);
        else
            safe_file_discard(&out);
    }
    if (!ok) {
        ShowMessageBox(box_owner(), "Failed to save document.", app_caption(),
                       MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    closing_ = true;
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_viewList) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    for (CFrameWnd* frame : frames)
        frame->DestroyWindow();
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
    else
        closing_ = false;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    const std::string& name = m_strPathName.empty() ? m_strTitle : m_strPathName;
    std::string text = "Save changes to " + name + "?";
    switch (ShowMessageBox(box_owner(), text.c_str(), app_caption(),
                           MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoSave(const char* path, BOOL replace)
{
    std::string name = path ? path : "";
    if (name.empty()) {
        name = m_strPathName;
        if (name.empty()) {
            name = m_strTitle.substr(0, m_strTitle.find_first_of(" #%;/\\"));
            std::string ext;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                !ext.empty())
                name += ext.substr(0, ext.find(';'));
        }
        CWinApp* app = GetApp();
        if (!app || !app->m_pDocManager ||
            !app->m_pDocManager->DoPromptFileName(name, replace ? "Save As" : "Save Copy As",
                                                  OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE,
                                                  m_pDocTemplate))
            return FALSE;
    }
    // The save goes through a temporary file, so a failure leaves any file
    // of that name as it was.
    if (!OnSaveDocument(name.c_str()))
        return FALSE;
    if (replace)
        SetPathName(name.c_str());
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    DWORD attributes = m_strPathName.empty() ? INVALID_FILE_ATTRIBUTES
                                             : GetFileAttributesA(m_strPathName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return DoSave(nullptr);
    return DoSave(m_strPathName.c_str());
}

bool CDocument::IsLastFrame(CFrameWnd* frame) const
{
    for (CView* view : m_viewList) {
        if (view->GetParentFrame() != frame)
            return false;
    }
    return true;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame)
{
    return !IsLastFrame(frame) || SaveModified();
}

void CDocument::OnFileClose()
{
    if (SaveModified())
        OnCloseDocument();
}

} // namespace winui
