#include "editor/shell/ovantadoc.h"

#include "editor/shell/document_events.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/status_sink.h"
#include "editor/shell/text_macro_host.h"

#include "editor/editctl/edit_core.h"

#include "winui/doctemplate.h"
#include "winui/msgbox.h"

#include <vector>

COvantaDoc::COvantaDoc() : m_undoList(kUndoPoolSize)
{
    m_state.hasModified = true;
    m_state.undo = &m_undoList;
    m_state.wrapWidth = OvantaOptions().lineWrap;
}

COvantaDoc::~COvantaDoc() = default;

COvantaView* COvantaDoc::FirstView() const
{
    return dynamic_cast<COvantaView*>(GetFirstView());
}

BOOL COvantaDoc::IsModified()
{
    return m_bModified;
}

void COvantaDoc::SetModifiedFlag(BOOL modified)
{
    m_bModified = modified;
    m_state.modified = modified ? 1 : 0;
    if (!modified) {
        // The title loses its " *" with the flag.
        std::string title = GetTitle();
        if (title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0)
            SetTitle(title.substr(0, title.size() - 2).c_str());
    }
    UpdateAllViews(nullptr, 0);
}

void COvantaDoc::DeleteContents()
{
    m_state.FreeBuffers();
    m_state.length = 0;
    m_state.lineCount = 0;
    m_state.capacity = 0;
}

void COvantaDoc::DocumentOpened()
{
    if (IDocumentEvents* events = OvantaFrame().documents)
        events->DocumentOpened(this);
}

BOOL COvantaDoc::OnNewDocument()
{
    if (!winui::CDocument::OnNewDocument())
        return FALSE;
    COvantaView* view = FirstView();
    if (!view)
        return FALSE;
    COvantaEditCtrl& edit = view->Editor();
    if (!m_state.HasBuffers() && !edit.Core().AllocBuffers(kCapacityStep))
        return FALSE;
    edit.Core().SetTabWidth(OvantaOptions().tabWidth);
    edit.Core().m_bExpandTabs = OvantaOptions().softTabs;
    edit.Core().SetTabDisplay(OvantaOptions().showTabs);
    DocumentOpened();
    if (IStatusSink* status = OvantaFrame().status) {
        status->UpdateStatusBar(1, 1, 0);
        status->ShowModifiedState(0);
    }
    return TRUE;
}

static bool lf_only_file(const char* path)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    std::vector<uint8_t> head(32777);
    DWORD got = 0;
    ReadFile(h, head.data(), static_cast<DWORD>(head.size()), &got, nullptr);
    CloseHandle(h);
    return got > 0 && HasLfOnlyLineEnds(head.data(), got);
}

BOOL COvantaDoc::OnOpenDocument(const char* path)
{
    IStatusSink* frame = OvantaFrame().status;
    COvantaApp* app = COvantaApp::Get();
    COvantaView* view = FirstView();
    if (!view || !app)
        return FALSE;
    if (frame)
        frame->ShowProgress(true);
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        winui::ShowMessageBox(app->m_hMainWnd, "Failed to open document.", "Ovanta",
                              MB_OK | MB_ICONEXCLAMATION);
        if (frame)
            frame->ShowProgress(false);
        return FALSE;
    }
    CloseHandle(h);
    SetPathName(path);
    const std::string& full = GetPathName();

    if (OvantaOptions().orgBackup) {
        m_strBackupPath = full + ".org";
        CopyFileA(full.c_str(), m_strBackupPath.c_str(), FALSE);
        SetFileAttributesA(m_strBackupPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    COvantaEditCtrl& edit = view->Editor();
    edit.Core().SetTabWidth(OvantaOptions().tabWidth);
    edit.Core().SetTabDisplay(OvantaOptions().showTabs);
    if (!edit.LoadFile(full.c_str())) {
        if (frame)
            frame->ShowProgress(false);
        return FALSE;
    }
    m_state.unixFormat = lf_only_file(full.c_str()) ? 1 : 0;
    std::string dir = DirectoryOf(full);
    if (!dir.empty()) {
        SetCurrentDirectoryA(dir.c_str());
        OvantaOptions().lastDir = dir;
    }
    edit.Core().m_bExpandTabs = OvantaOptions().softTabs;
    if (OvantaOptions().lineWrap != 0 && OvantaOptions().lineWrap < kLongLineWrap)
        edit.SetWordWrap(OvantaOptions().lineWrap, OvantaOptions().wrapOnWords != 0);

    DocumentOpened();
    if (frame) {
        int size = m_state.unixFormat ? m_state.length
                                      : m_state.length + static_cast<int>(m_state.lineCount) - 1;
        frame->UpdateStatusBar(1, 1, size < 0 ? 0 : size);
        frame->SetReadOnlyPane(edit.IsReadOnlyText());
        frame->ShowModifiedState(0);
    }
    edit.SetModify(OvantaOptions().saveLineWrap ? (OvantaOptions().lineWrap != 0) : 0);
    m_bModified = edit.GetModify() != 0;
    if (frame)
        frame->ShowProgress(false);
    return TRUE;
}

// The extension of a path ("" without one).
static std::string ExtensionOf(const std::string& path)
{
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return path.substr(dot);
}

BOOL COvantaDoc::SaveWithBackup(const char* path)
{
    COvantaView* view = FirstView();
    COvantaApp* app = COvantaApp::Get();
    if (!view || !app || !path || !*path)
        return FALSE;
    COvantaEditCtrl& edit = view->Editor();
    const SettingsValues& o = OvantaOptions();
    if (o.saveBackup && edit.GetModify() && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        std::string backup = path;
        size_t dot = backup.rfind('.');
        size_t slash = backup.find_last_of("\\/");
        if (o.replaceFileExt && dot != std::string::npos &&
            (slash == std::string::npos || dot > slash))
            backup.resize(dot);
        backup += o.backupFileExt.empty() ? ".bak" : o.backupFileExt;
        m_strBackupPath = backup;
        CopyFileA(path, backup.c_str(), FALSE);
        SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    ITextMacroHost* macros = OvantaFrame().textMacros;
    const bool reloadMacros = macros && macros->MacrosBeforeSave(path, edit);
    if (!edit.SaveFile(path, o.saveLineWrap != 0, m_state.unixFormat != 0)) {
        // The file on disk is untouched (the text goes through a temporary
        // and a rename); the document stays modified.
        std::string message = "The file could not be saved:\n";
        message += path;
        message += "\n\nThe file on disk was not changed and the text stays modified.";
        winui::ShowMessageBox(app->m_hMainWnd, message.c_str(), "Ovanta",
                              MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (reloadMacros)
        macros->LoadTextMacros();
    edit.SetModify(0);
    SetModifiedFlag(FALSE);
    if (IStatusSink* status = OvantaFrame().status)
        status->ShowModifiedState(0);
    return TRUE;
}

BOOL COvantaDoc::OnSaveDocument(const char* path)
{
    COvantaView* view = FirstView();
    if (!view)
        return FALSE;
    const std::string oldExtension = ExtensionOf(GetPathName());
    BOOL ok = SaveWithBackup(path);
    if (!ok)
        return FALSE;
    SetPathName(path);
    // A text without a template, or saved under another extension, takes
    // the template of its new name.
    COvantaEditCtrl& edit = view->Editor();
    if (!edit.GetSyntaxTemplate() || _stricmp(oldExtension.c_str(), ExtensionOf(path).c_str()) != 0) {
        SyntaxTemplatePtr before = edit.GetSyntaxTemplate();
        edit.ChooseDefaultTemplate();
        if (edit.GetSyntaxTemplate() != before)
            for (winui::CView* v : GetViews())
                if (auto* other = dynamic_cast<COvantaView*>(v)) {
                    if (other != view)
                        other->Editor().SetSyntaxTemplate(edit.GetSyntaxTemplate());
                    other->Editor().SendMessage(EDN_RECOLOUR, 1, 0);
                    other->Editor().InvalidateText(1);
                }
    }
    COvantaApp* app = COvantaApp::Get();
    std::string dir = DirectoryOf(GetPathName());
    if (!dir.empty()) {
        SetCurrentDirectoryA(dir.c_str());
        OvantaOptions().lastDir = dir;
    }
    DWORD attributes = GetFileAttributesA(GetPathName().c_str());
    view->Editor().SetReadOnly(attributes != INVALID_FILE_ATTRIBUTES &&
                               (attributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0);
    app->UpdateDocumentTitles(this);
    if (IDocumentEvents* events = OvantaFrame().documents)
        events->DocumentSaved(this);
    return TRUE;
}

BOOL COvantaDoc::DoSave(const char* path, BOOL replace)
{
    // A failed save leaves any file of the chosen name as it was: the text
    // is written through a temporary, so nothing is deleted afterwards.
    return winui::CDocument::DoSave(path, replace);
}

BOOL COvantaDoc::SaveModified()
{
    COvantaView* view = FirstView();
    if (view && view->Editor().GetModify())
        m_bModified = TRUE;
    if (!m_strBackupPath.empty() && view && view->ModifyCount() == 0 &&
        m_strBackupPath.size() > 4 &&
        m_strBackupPath.compare(m_strBackupPath.size() - 4, 4, ".org") == 0)
        DeleteFileA(m_strBackupPath.c_str());
    return winui::CDocument::SaveModified();
}

void COvantaDoc::StoreRecentPosition(COvantaView* view)
{
    COvantaApp* app = COvantaApp::Get();
    if (!view || !app || GetPathName().empty())
        return;
    COvantaEditCtrl& edit = view->Editor();
    app->UpdateRecentFilePosition(GetPathName().c_str(), edit.GetTopLine(), m_state.selStart);
}

void COvantaDoc::OnCloseDocument()
{
    IDocumentEvents* frame = OvantaFrame().documents;
    if (frame)
        frame->DocumentClosing(this);
    StoreRecentPosition(FirstView());
    // The frames and views go first; the buffers are freed after them
    // (DeleteContents), so no control paints from freed storage.
    winui::CDocument::OnCloseDocument();
    if (frame)
        frame->DocumentClosed();
}
