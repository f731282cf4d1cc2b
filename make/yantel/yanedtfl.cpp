#include "make/yantel/yanedtfl.h"

#include "make/yantel/make_command.h"
#include "make/yantel/resource.h"
#include "make/yantel/view_text.h"
#include "make/yantel/yantel_messages.h"
#include "make/yantel/yantel_paths.h"
#include "make/yantel/yantelap.h"
#include "make/yantel/yantelframe.h"

#include "common/safe_file.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <cstdio>
#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(TYanEditFile, winui::CEdit)
    ON_COMMAND(CM_EDITMODE, &TYanEditFile::CmEditMode)
    ON_COMMAND(CM_REMAKEALL, &TYanEditFile::CmRemakeAll)
    ON_COMMAND(CM_UPDATETARGET, &TYanEditFile::CmUpdateTarget)
    ON_COMMAND(CM_FONT, &TYanEditFile::CmFont)
    ON_COMMAND(CM_FILESAVE, &TYanEditFile::CmFileSave)
    ON_COMMAND(CM_FILESAVEAS, &TYanEditFile::CmFileSaveAs)
    ON_COMMAND(CM_EDITUNDO, &TYanEditFile::CmEditUndo)
    ON_COMMAND(CM_EDITCUT, &TYanEditFile::CmEditCut)
    ON_COMMAND(CM_EDITCOPY, &TYanEditFile::CmEditCopy)
    ON_COMMAND(CM_EDITPASTE, &TYanEditFile::CmEditPaste)
    ON_COMMAND(CM_EDITDELETE, &TYanEditFile::CmEditDelete)
    ON_COMMAND(CM_EDITCLEAR, &TYanEditFile::CmEditClear)
    ON_COMMAND(CM_EDITFIND, &TYanEditFile::CmEditFind)
    ON_COMMAND(CM_EDITREPLACE, &TYanEditFile::CmEditReplace)
    ON_COMMAND(CM_EDITFINDNEXT, &TYanEditFile::CmEditFindNext)
    ON_MESSAGE(winui::CFindReplaceDialog::Message(), &TYanEditFile::OnSearchMessage)
END_MESSAGE_MAP()

static const char error_file[] = "error.out";

// The whole file, or false when it cannot be read.
static bool read_whole_file(const std::string& path, std::string* text)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::string data;
    char buffer[16384];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        data.append(buffer, got);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok)
        *text = std::move(data);
    return ok;
}

static bool file_exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

BOOL TYanEditFile::Create(HWND parent)
{
    RECT rect{0, 0, 100, 100};
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                  ES_AUTOHSCROLL | ES_NOHIDESEL | ES_READONLY;
    if (!CreateControl("Edit", "", style, rect, parent, YANTEL_VIEW_ID, WS_EX_CLIENTEDGE))
        return FALSE;
    // No limit but the system's: makefiles and diagnostics of any length.
    SendMessage(EM_LIMITTEXT, 0);
    SetupWindow();
    return TRUE;
}

void TYanEditFile::SetupWindow()
{
    TYantelApp* app = TYantelApp::Get();
    HFONT font = app && app->Font() ? app->Font()
                                    : static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    SetFont(font, TRUE);
    frame_->SetDocTitle("<no makefile>");
}

void TYanEditFile::SetEditMode(bool on)
{
    // Replacing is for edit mode only.
    if (!on && search_.m_hWnd && !search_.IsFindOnly())
        search_.Close();
    editMode_ = on;
    SetReadOnly(on ? FALSE : TRUE);
    frame_->PostMessage(WM_YANTEL_UPDATESTATE);
}

void TYanEditFile::SetViewText(const std::string& fileText)
{
    ::SetWindowTextA(m_hWnd, view_text_crlf(fileText).c_str());
    SetModify(FALSE);
    frame_->PostMessage(WM_YANTEL_UPDATESTATE);
}

std::string TYanEditFile::GetViewText() const
{
    return view_text_crlf(ViewTextAsShown());
}

bool TYanEditFile::HasSelection() const
{
    int start = 0, end = 0;
    GetSel(start, end);
    return start != end;
}

bool TYanEditFile::Read(const std::string& path)
{
    std::string text;
    if (!read_whole_file(path, &text)) {
        std::string message = "Cannot read the file '" + path + "'.";
        winui::ShowMessageBox(frame_->m_hWnd, message.c_str(), "Yantel", MB_OK | MB_ICONSTOP);
        return false;
    }
    SetViewText(text);
    return true;
}

// Writes the view's text to path through a temporary and a rename; on
// failure the file on disk and the view's text stay as they were and a box
// tells why.
static bool write_view_file(HWND owner, const std::string& path, const std::string& text)
{
    std::string why;
    if (safe_file_write_all(path, text.data(), text.size(), true, &why))
        return true;
    std::string message = "The makefile was not saved.\n" + why;
    winui::ShowMessageBox(owner, message.c_str(), "Yantel", MB_OK | MB_ICONSTOP);
    return false;
}

bool TYanEditFile::Save()
{
    if (fileName_.empty())
        return SaveAs();
    if (!write_view_file(frame_->m_hWnd, fileName_, GetViewText()))
        return false;
    SetModify(FALSE);
    savedWhileEditing_ = savedWhileEditing_ || editMode_;
    frame_->PostMessage(WM_YANTEL_UPDATESTATE);
    return true;
}

bool TYanEditFile::SaveAs()
{
    TYantelApp* app = TYantelApp::Get();
    const TYantelFileData& data = app->FileData();
    // A new name need not exist yet: the open dialog's must-exist rule is
    // left out here.
    winui::CFileDialog dialog(false, data.defExt, fileName_.empty() ? nullptr : fileName_.c_str(),
                              data.flags & ~static_cast<DWORD>(OFN_FILEMUSTEXIST), data.filter,
                              frame_->m_hWnd);
    if (dialog.DoModal() != IDOK)
        return false;
    std::string path = dialog.GetPathName();
    if (!write_view_file(frame_->m_hWnd, path, GetViewText()))
        return false;
    SetModify(FALSE);
    savedWhileEditing_ = savedWhileEditing_ || editMode_;
    fileName_ = path;
    frame_->SetDocTitle(path);
    nameChanged_ = true;
    app->AddRecentFile(path);
    std::string folder = yantel_folder_of(path);
    if (!folder.empty())
        SetCurrentDirectoryA(folder.size() == 2 ? (folder + "\\").c_str() : folder.c_str());
    frame_->PostMessage(WM_YANTEL_UPDATESTATE);
    return true;
}

bool TYanEditFile::CanClear()
{
    if (!GetModify())
        return true;
    int answer = winui::ShowMessageBox(frame_->m_hWnd,
                                       "The makefile has been changed.\n\nSave the changes?",
                                       "Yantel", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        return Save();
    return true;
}

bool TYanEditFile::NewFile()
{
    if (!CanClear())
        return false;
    SetViewText("");
    fileName_.clear();
    return true;
}

void TYanEditFile::CmEditMode()
{
    if (!CanEditMode() || running_)
        return;
    bool modified = GetModify() != FALSE;
    if (editMode_ && !CanClear())
        return;
    SetEditMode(!editMode_);
    winui::CComboBox& targets = frame_->Targets();
    if (editMode_) {
        targets.EnableWindow(FALSE);
    } else {
        targets.EnableWindow(TRUE);
        if (modified || nameChanged_ || savedWhileEditing_)
            RefreshTargets();
        savedWhileEditing_ = false;
    }
    // Shows the makefile again in place of a shown "error.out".
    if (!fileName_.empty())
        Read(fileName_);
}

void TYanEditFile::CmRemakeAll()
{
    if (CanMake())
        RunMake("-b");
}

void TYanEditFile::CmUpdateTarget()
{
    if (CanMake())
        RunMake(nullptr);
}

void TYanEditFile::RunMake(const char* option)
{
    if (running_)
        return;
    DeleteFileA(error_file);
    std::string target;
    winui::CComboBox& targets = frame_->Targets();
    int selected = targets.GetCurSel();
    if (selected >= 0)
        target = targets.GetLBText(selected);
    std::string opt = option ? option : "";
    std::string commandLine =
        make_command_line(TYantelApp::Get()->ToolPath(), fileName_, opt, target);

    frame_->SetStatusText(commandLine.c_str());
    ::UpdateWindow(frame_->StatusBar());
    int code = RunProcess(commandLine);

    if (file_exists(error_file) && (opt != "-t" || code != 0)) {
        std::string text;
        if (read_whole_file(error_file, &text))
            SetViewText(text);
    }
    if (code != 0) {
        char line[64];
        std::snprintf(line, sizeof line, "Error: Returncode %d", code);
        std::string message = commandLine + "\n" + line;
        winui::ShowMessageBox(frame_->m_hWnd, message.c_str(), "Yantel - Error",
                              MB_OK | MB_ICONSTOP);
    }
    frame_->SetStatusText("");
}

int TYanEditFile::RunProcess(const std::string& commandLine)
{
    if (running_)
        return -1;
    running_ = true;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    startup.cb = sizeof startup;
    startup.dwFlags = (startup.dwFlags & ~static_cast<DWORD>(STARTF_USESTDHANDLES)) |
                      STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.lpReserved = nullptr;
    startup.cbReserved2 = 0;
    startup.lpReserved2 = nullptr;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    PROCESS_INFORMATION process{};
    int code = -1;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 0;
        if (GetExitCodeProcess(process.hProcess, &exitCode))
            code = static_cast<int>(exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
    running_ = false;
    return code;
}

void TYanEditFile::RefreshTargets()
{
    if (fileName_.empty() || editMode_)
        return;
    RunMake("-t");
    winui::CComboBox& targets = frame_->Targets();
    targets.ResetContent();
    std::string text;
    if (!read_whole_file(error_file, &text))
        return;
    for (const std::string& name : make_report_targets(text))
        targets.AddString(name.c_str());
    if (targets.GetCount() > 0)
        targets.SetCurSel(0);
}

void TYanEditFile::CmFont()
{
    TYantelApp* app = TYantelApp::Get();
    LOGFONTA current{};
    bool haveFont = app->Font() && GetObjectA(app->Font(), sizeof current, &current) != 0;
    DWORD flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST;
    if (haveFont)
        flags |= CF_INITTOLOGFONTSTRUCT;
    winui::CFontDialog dialog(haveFont ? &current : nullptr, flags, frame_->m_hWnd);
    if (dialog.DoModal() != IDOK)
        return;
    TYantelFontInfo& info = app->FontInfo();
    info.face = dialog.m_lf.lfFaceName;
    if (info.face.size() > 40)
        info.face.resize(40);
    info.height = dialog.m_lf.lfHeight;
    info.weight = dialog.m_lf.lfWeight;
    info.italic = dialog.m_lf.lfItalic != 0;
    if (app->MakeFont())
        SetFont(app->Font(), TRUE);
}

void TYanEditFile::CmFileSave()
{
    if (GetModify() || fileName_.empty())
        Save();
}

void TYanEditFile::CmFileSaveAs()
{
    SaveAs();
}

void TYanEditFile::CmEditUndo()
{
    if (editMode_)
        SendMessage(WM_UNDO);
}

void TYanEditFile::CmEditCut()
{
    if (editMode_)
        SendMessage(WM_CUT);
}

void TYanEditFile::CmEditCopy()
{
    SendMessage(WM_COPY);
}

void TYanEditFile::CmEditPaste()
{
    if (editMode_)
        SendMessage(WM_PASTE);
}

void TYanEditFile::CmEditDelete()
{
    if (editMode_)
        SendMessage(WM_CLEAR);
}

void TYanEditFile::CmEditClear()
{
    if (!editMode_)
        return;
    SetSel(0, -1);
    SendMessage(WM_CLEAR);
}

// ---- search

std::string TYanEditFile::ViewTextAsShown() const
{
    int length = GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void TYanEditFile::OpenSearchDialog(bool findOnly)
{
    if (search_.m_hWnd) {
        if (search_.IsFindOnly() == findOnly) {
            ::SetActiveWindow(search_.m_hWnd);
            return;
        }
        search_.Close();
    }
    DWORD flags = (findOptions_.down ? FR_DOWN : 0) |
                  (findOptions_.match_case ? FR_MATCHCASE : 0) |
                  (findOptions_.whole_word ? FR_WHOLEWORD : 0);
    // A selection on one line is what the user most likely looks for.
    std::string what = lastFind_;
    int start = 0, end = 0;
    GetSel(start, end);
    if (end > start) {
        std::string selected = ViewTextAsShown().substr(static_cast<size_t>(start),
                                                        static_cast<size_t>(end - start));
        if (selected.find_first_of("\r\n") == std::string::npos)
            what = selected;
    }
    search_.Create(findOnly, what.c_str(), lastReplace_.c_str(), flags, m_hWnd);
}

// The box over the search dialog, or over the frame when none is open.
void TYanEditFile::NotFound() const
{
    std::string message = "Cannot find \"" + lastFind_ + "\".";
    HWND owner = search_.m_hWnd ? search_.m_hWnd : frame_->m_hWnd;
    winui::ShowMessageBox(owner, message.c_str(), "Yantel", MB_OK | MB_ICONINFORMATION);
}

void TYanEditFile::CmEditFind()
{
    if (GetWindowTextLengthA(m_hWnd) > 0)
        OpenSearchDialog(true);
}

void TYanEditFile::CmEditReplace()
{
    if (editMode_ && GetWindowTextLengthA(m_hWnd) > 0)
        OpenSearchDialog(false);
}

void TYanEditFile::CmEditFindNext()
{
    if (lastFind_.empty())
        CmEditFind();
    else
        FindNext();
}

void TYanEditFile::TakeSearchFromDialog()
{
    lastFind_ = search_.GetFindString();
    lastReplace_ = search_.GetReplaceString();
    findOptions_.match_case = search_.MatchCase();
    findOptions_.whole_word = search_.MatchWholeWord();
    // The Replace dialog has no direction: it searches forward.
    findOptions_.down = search_.IsFindOnly() ? search_.SearchDown() : true;
}

bool TYanEditFile::FindNext()
{
    if (lastFind_.empty())
        return false;
    std::string text = ViewTextAsShown();
    int start = 0, end = 0;
    GetSel(start, end);
    size_t from = static_cast<size_t>(findOptions_.down ? end : start);
    size_t found = text_find(text, lastFind_, from, findOptions_);
    if (found == text_not_found) {
        NotFound();
        return false;
    }
    SetSel(static_cast<int>(found), static_cast<int>(found + lastFind_.size()));
    SendMessage(EM_SCROLLCARET);
    return true;
}

// The selection is replaced when it is a match; the next match is selected.
void TYanEditFile::ReplaceCurrent()
{
    if (!editMode_)
        return;
    int start = 0, end = 0;
    GetSel(start, end);
    if (end - start == static_cast<int>(lastFind_.size()) &&
        text_matches_at(ViewTextAsShown(), lastFind_, static_cast<size_t>(start), findOptions_))
        ReplaceSel(lastReplace_.c_str(), TRUE);
    FindNext();
}

void TYanEditFile::ReplaceAll()
{
    if (!editMode_)
        return;
    int count = 0;
    std::string text =
        text_replace_all(ViewTextAsShown(), lastFind_, lastReplace_, findOptions_, &count);
    if (count == 0) {
        NotFound();
        return;
    }
    // One step the user can undo.
    SetSel(0, -1);
    ReplaceSel(text.c_str(), TRUE);
    SetSel(0, 0);
}

LRESULT TYanEditFile::OnSearchMessage(WPARAM, LPARAM lParam)
{
    if (winui::CFindReplaceDialog::FromMessage(lParam) != &search_)
        return 0;
    if (search_.IsTerminating()) {
        frame_->PostMessage(WM_YANTEL_UPDATESTATE);
        return 0;
    }
    TakeSearchFromDialog();
    if (search_.ReplaceAll())
        ReplaceAll();
    else if (search_.ReplaceCurrent())
        ReplaceCurrent();
    else if (search_.FindNext())
        FindNext();
    frame_->PostMessage(WM_YANTEL_UPDATESTATE);
    return 0;
}
