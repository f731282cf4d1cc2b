#include "smalledit/zavitedit.h"

#include "smalledit/resource.h"
#include "smalledit/zavit_text.h"
#include "smalledit/zavitapp.h"
#include "smalledit/zavitmdi.h"

#include "common/safe_file.h"
#include "common/text.h"
#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <cstdio>

int TZavitEditFile::liveCount = 0;
int TZavitEditFile::creationCount = 0;

// The status and icon timer (an id of its own: the control runs timers of
// its own on the same window).
static const UINT_PTR status_timer = 0x5A56;
// The text limit of every window; a longer file raises it to its size.
static const LONG text_limit = 2000000;
// The steps the user can undo (the control's own number).
static const WPARAM undo_limit = 100;

int GetFileWriteTime(const std::string& name, FILETIME* time)
{
    HANDLE file = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    BOOL ok = GetFileTime(file, nullptr, nullptr, time);
    CloseHandle(file);
    return ok ? 0 : -1;
}

static bool read_whole_file(const std::string& name, std::string& bytes)
{
    FILE* f = std::fopen(name.c_str(), "rb");
    if (!f)
        return false;
    bytes.clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, got);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

BEGIN_MESSAGE_MAP(TZavitEditFile, winui::CRichEditCtrl)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_CHAR, &TZavitEditFile::OnChar)
    ON_MESSAGE(WM_KEYDOWN, &TZavitEditFile::OnKeyDown)
    ON_MESSAGE(WM_LBUTTONDBLCLK, &TZavitEditFile::OnLButtonDblClk)
    ON_MESSAGE(WM_GETMINMAXINFO, &TZavitEditFile::OnGetMinMaxInfo)
    ON_COMMAND(CM_FILESAVE, &TZavitEditFile::CmFileSave)
    ON_COMMAND(CM_FILESAVEAS, &TZavitEditFile::CmFileSaveAs)
    ON_UPDATE_COMMAND_UI(CM_FILESAVE, &TZavitEditFile::CeEnabled)
    ON_UPDATE_COMMAND_UI(CM_FILESAVEAS, &TZavitEditFile::CeEnabled)
    ON_COMMAND(CM_EDITUNDO, &TZavitEditFile::CmEditUndo)
    ON_COMMAND(CM_EDITCUT, &TZavitEditFile::CmEditCut)
    ON_COMMAND(CM_EDITCOPY, &TZavitEditFile::CmEditCopy)
    ON_COMMAND(CM_EDITPASTE, &TZavitEditFile::CmEditPaste)
    ON_COMMAND(CM_EDITDELETE, &TZavitEditFile::CmEditDelete)
    ON_COMMAND(CM_EDITCLEAR, &TZavitEditFile::CmEditClear)
    ON_UPDATE_COMMAND_UI(CM_EDITUNDO, &TZavitEditFile::CeUndo)
    ON_UPDATE_COMMAND_UI(CM_EDITCUT, &TZavitEditFile::CeSelection)
    ON_UPDATE_COMMAND_UI(CM_EDITCOPY, &TZavitEditFile::CeSelection)
    ON_UPDATE_COMMAND_UI(CM_EDITDELETE, &TZavitEditFile::CeSelection)
    ON_UPDATE_COMMAND_UI(CM_EDITPASTE, &TZavitEditFile::CeWritable)
    ON_UPDATE_COMMAND_UI(CM_EDITCLEAR, &TZavitEditFile::CeWritable)
    ON_COMMAND(CM_EDITFIND, &TZavitEditFile::CmEditFind)
    ON_COMMAND(CM_EDITREPLACE, &TZavitEditFile::CmEditReplace)
    ON_COMMAND(CM_EDITFINDNEXT, &TZavitEditFile::CmEditFindNext)
    ON_UPDATE_COMMAND_UI(CM_EDITFIND, &TZavitEditFile::CeHasText)
    ON_UPDATE_COMMAND_UI(CM_EDITREPLACE, &TZavitEditFile::CeReplace)
    ON_UPDATE_COMMAND_UI(CM_EDITFINDNEXT, &TZavitEditFile::CeFindNext)
    ON_MESSAGE(winui::CFindReplaceDialog::Message(), &TZavitEditFile::OnSearchReport)
END_MESSAGE_MAP()

TZavitEditFile::TZavitEditFile(const std::string& name) : givenName_(name)
{
    size_t dot = name.rfind('.');
    rtf_ = dot != std::string::npos && text_equal_nocase(name.c_str() + dot, ".RTF");
    ++liveCount;
    creationCount = liveCount;
}

TZavitEditFile::~TZavitEditFile() = default;

BOOL TZavitEditFile::Create(HWND parent, UINT id)
{
    DWORD style = WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                  ES_AUTOHSCROLL | ES_NOHIDESEL | (rtf_ ? ES_READONLY : 0);
    RECT none{0, 0, 0, 0};
    if (!CRichEditCtrl::Create(style, none, parent, id))
        return FALSE;
    SetUp();
    return TRUE;
}

void TZavitEditFile::SetUp()
{
    TZavitApp* app = TZavitApp::Get();
    HFONT font = app ? app->DefaultFont() : nullptr;
    if (font)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    LimitText(text_limit);
    // The tab stops are set on the empty control: the text streamed in
    // takes them for every paragraph, with no pass over a large text.
    if (font)
        SetTabStops();
    if (!givenName_.empty()) {
        fileName_ = givenName_;
        // The text streams in once the window has its size (LoadText):
        // laid out at once where it is shown, not again for each resize.
        loadPending_ = true;
        if (app) {
            FileWindowEntry* e = FindFileWindowEntry(fileName_);
            e->open = true;
            e->window = this;
            if (e->column != 0 && e->line != 0)
                pendingJump = PendingJump{e->column, e->line, 10};
        }
        GetFileWriteTime(fileName_, &fileTime_);
    }
    SetModify(FALSE);
}

void TZavitEditFile::LoadText()
{
    if (!loadPending_ || !m_hWnd)
        return;
    loadPending_ = false;
    ReadFile(fileName_);
    SetModify(FALSE);
}

bool TZavitEditFile::ReadFile(const std::string& name)
{
    std::string bytes;
    if (!read_whole_file(name, bytes)) {
        std::string text = "Unable to read file '" + name + "'";
        winui::ShowMessageBox(GetParent(), text.c_str(), "Zavit", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // A file beyond the usual limit is shown whole, so that saving it
    // never cuts it.
    LONG limit = text_limit;
    if (bytes.size() >= static_cast<size_t>(limit))
        limit = static_cast<LONG>(bytes.size() < 0x7FFFFFF0 ? bytes.size() + 1 : 0x7FFFFFF0);
    LimitText(limit);
    // Reading the file is no step the user could undo, and it records
    // none: the control's records of a large stream-in, even forgotten at
    // once, leave every later layout of the whole text (the frame
    // maximized, another font) taking minutes instead of a second.
    SendMessage(EM_SETUNDOLIMIT, 0);
    bool ok = false;
    if (rtf_) {
        // An RTF file brings paragraphs of its own: the tab stops follow.
        ok = StreamIn(bytes, SF_RTF);
        SetTabStops();
    } else {
        // Plain text replaces the whole text as a selection, so that its
        // paragraphs take the tab stops of the paragraph they stream into
        // (a stream of the whole text would give them the default ones).
        // The control lays its whole text out again when a scroll bar
        // comes while the text streams in, the room for the text having
        // changed: a first part that needs every bar the whole text needs
        // brings them, and the rest streams in behind it, laid out once.
        size_t first = FirstPart(bytes);
        SetSel(0, -1);
        ok = StreamIn(bytes.data(), first, SF_TEXT | SFF_SELECTION);
        if (first < bytes.size()) {
            LONG end = GetTextLength();
            SetSel(end, end);
            ok = StreamIn(bytes.data() + first, bytes.size() - first, SF_TEXT | SFF_SELECTION) && ok;
        }
        SetSel(0, 0);
    }
    SendMessage(EM_EMPTYUNDOBUFFER);
    SendMessage(EM_SETUNDOLIMIT, undo_limit);
    lfOnly_ = !rtf_ && zavit_lf_only(bytes);
    SetModify(FALSE);
    return ok;
}

TEXTMETRICA TZavitEditFile::FontMetrics() const
{
    TZavitApp* app = TZavitApp::Get();
    HGDIOBJ font = app && app->DefaultFont() ? app->DefaultFont()
                                              : reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    TEXTMETRICA tm{};
    HDC dc = GetDC(m_hWnd);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    GetTextMetricsA(dc, &tm);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    return tm;
}

size_t TZavitEditFile::FirstPart(const std::string& bytes) const
{
    TEXTMETRICA tm = FontMetrics();
    RECT r{};
    ::GetClientRect(m_hWnd, &r);
    // The lines the window shows, and the characters of a line beside the
    // vertical bar that so long a text brings (a character or two less,
    // for the control's margins and for fonts of varying widths).
    size_t lines = tm.tmHeight > 0 && r.bottom > 0 ? static_cast<size_t>(r.bottom / tm.tmHeight) + 2 : 2;
    LONG width = r.right - GetSystemMetrics(SM_CXVSCROLL);
    LONG columns = tm.tmAveCharWidth > 0 ? width / tm.tmAveCharWidth - 2 : 0;
    return zavit_first_part(bytes, lines, columns > 0 ? static_cast<size_t>(columns) : 0);
}

void TZavitEditFile::SetTabStops()
{
    TZavitApp* app = TZavitApp::Get();
    if (!app || !app->DefaultFont())
        return;
    TEXTMETRICA tm = FontMetrics();
    LONG w = tm.tmAveCharWidth;
    LONG stops[32];
    for (int k = 1; k <= 32; ++k)
        stops[k - 1] = k * w * 120;
    HideSelection(TRUE);
    SetSel(0, text_limit > GetTextLength() ? text_limit : GetTextLength());
    CRichEditCtrl::SetTabStops(stops, 32);
    SetSel(0, 0);
    HideSelection(FALSE);
}

void TZavitEditFile::CaretPosition(int& line, int& column) const
{
    LONG p = GetSel().cpMax;
    LONG l = LineFromChar(p);
    line = static_cast<int>(l) + 1;
    column = static_cast<int>(p - LineIndex(l)) + 1;
}

void TZavitEditFile::GotoLineColumn(int line, int column)
{
    LONG index = LineIndex(line - 1);
    if (index < 0)
        index = LineIndex(GetLineCount() - 1);
    if (index < 0)
        index = 0;
    SetSel(index, index);
    LONG at = index + column - 1;
    SetSel(at, at);
    ScrollCaret();
}

void TZavitEditFile::UpdateCaretStatus()
{
    int line = 0, column = 0;
    CaretPosition(line, column);
    if (pendingJump.column && pendingJump.line && pendingJump.tries > 0) {
        --pendingJump.tries;
        if (column == pendingJump.column && line == pendingJump.line) {
            pendingJump.column = 0;
            pendingJump.line = 0;
        } else {
            GotoLineColumn(pendingJump.line, pendingJump.column);
        }
    }
    if (column == shownColumn_ && line == shownLine_)
        return;
    shownColumn_ = column;
    shownLine_ = line;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%d", line, column);
    if (TZavitApp* app = TZavitApp::Get())
        if (app->Frame())
            app->Frame()->SetCaretStatus(text);
}

void TZavitEditFile::UpdateModifiedIcon()
{
    if (!modifiedShown_ && GetModify()) {
        if (child)
            child->SetIcons(IDI_CHANGED);
        modifiedShown_ = true;
    }
}

void TZavitEditFile::ShowSaved()
{
    if (child)
        child->SetIcons(IDI_SAVED);
    modifiedShown_ = false;
}

bool TZavitEditFile::CanClose()
{
    TZavitApp* app = TZavitApp::Get();
    bool ok = true;
    bool asked = false;
    if (app && app->quickExit && GetModify()) {
        if (!Save()) {
            // Later windows ask as usual, and so does this one: its text
            // is not lost.
            app->quickExit = false;
        } else {
            asked = true;
        }
    }
    if (!asked && GetModify()) {
        std::string name = fileName_.empty() && child ? std::string("Untitled") : fileName_;
        std::string text = "The text of '" + name + "' has changed.\nSave the changes?";
        switch (winui::ShowMessageBox(GetParent(), text.c_str(), "Zavit",
                                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES: ok = Save(); break;
        case IDNO: break;
        default: ok = false; break;
        }
    }
    if (!fileName_.empty() && app && child) {
        FileWindowEntry* e = FindFileWindowEntry(fileName_);
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        if (GetWindowPlacement(child->m_hWnd, &wp)) {
            const RECT& r = wp.rcNormalPosition;
            e->x = r.left;
            e->y = r.top;
            e->w = r.right - r.left;
            e->h = r.bottom - r.top;
        }
        e->minimized = child->IsMinimized();
        e->maximized = child->IsMaximized();
        CaretPosition(e->line, e->column);
    }
    return ok;
}

void TZavitEditFile::OnDestroy()
{
    TZavitApp* app = TZavitApp::Get();
    if (app && !fileName_.empty()) {
        if (FileWindowEntry* e = app->files.Peek(fileName_)) {
            if (e->window == this)
                e->window = nullptr;
            if (!(app->closing && app->settings.persistent))
                e->open = false;
        }
    }
    search_.Close();
    if (timer_)
        KillTimer(timer_);
    timer_ = 0;
    --liveCount;
    Default();
}

bool TZavitEditFile::Save()
{
    return fileName_.empty() ? SaveAs() : Write();
}

bool TZavitEditFile::SaveAs()
{
    TZavitApp* app = TZavitApp::Get();
    // The Open dialog's data, but a new name need not exist yet.
    DWORD flags = app ? app->openData.flags & ~static_cast<DWORD>(OFN_FILEMUSTEXIST)
                      : OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    winui::CFileDialog dialog(false, nullptr, fileName_.c_str(), flags,
                              app ? app->openData.filter.c_str() : nullptr, GetParent());
    dialog.SetExplorerStyle(!app || (flags & OFN_EXPLORER) != 0);
    if (dialog.DoModal() != IDOK)
        return false;
    return Write(dialog.GetPathName());
}

bool TZavitEditFile::Write(const std::string& name)
{
    std::string target = name.empty() ? fileName_ : name;
    if (target.empty())
        return false;
    TZavitApp* app = TZavitApp::Get();
    if (app) {
        FileWindowEntry* e = FindFileWindowEntry(target);
        if (e->window && e->window != this) {
            std::string text = "File '" + target + "' already open!\nWrite Error";
            winui::ShowMessageBox(GetParent(), text.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    std::string bytes = StreamOut(rtf_ ? SF_RTF : SF_TEXT);
    if (lfOnly_)
        bytes = zavit_lf_line_ends(bytes);
    // The text goes to a temporary first; only when it is complete does
    // the previous file become the backup and the temporary take its name.
    safe_file out;
    if (!safe_file_open(&out, target, true) || !safe_file_write(&out, bytes.data(), bytes.size())) {
        safe_file_discard(&out);
        std::string text = "Unable to write file '" + target + "'";
        winui::ShowMessageBox(GetParent(), text.c_str(), "Zavit", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::string backup = zavit_backup_name(target);
    DeleteFileA(backup.c_str());
    bool moved = MoveFileA(target.c_str(), backup.c_str()) != FALSE;
    if (!safe_file_commit(&out)) {
        if (moved)
            MoveFileA(backup.c_str(), target.c_str());
        std::string text = "Unable to write file '" + target + "'";
        winui::ShowMessageBox(GetParent(), text.c_str(), "Zavit", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    ShowSaved();
    if (!name.empty()) {
        if (child)
            ::SetWindowTextA(child->m_hWnd, text_base_name(name.c_str()));
        if (app && !text_equal_nocase(name.c_str(), fileName_.c_str())) {
            // The window now shows the new name: the old name's entry no
            // longer leads here.
            if (!fileName_.empty())
                if (FileWindowEntry* old = app->files.Peek(fileName_))
                    if (old->window == this) {
                        old->window = nullptr;
                        old->open = false;
                    }
            FileWindowEntry* e = FindFileWindowEntry(name);
            e->window = this;
            e->open = true;
        }
        fileName_ = name;
    }
    SetModify(FALSE);
    GetFileWriteTime(fileName_, &fileTime_);
    return true;
}

bool TZavitEditFile::Reload()
{
    if (fileName_.empty())
        return false;
    bool ok = ReadFile(fileName_);
    SetModify(FALSE);
    ShowSaved();
    return ok;
}

void TZavitEditFile::CheckDiskTime()
{
    if (fileName_.empty())
        return;
    FILETIME now{};
    if (GetFileWriteTime(fileName_, &now) != 0) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    if (CompareFileTime(&now, &fileTime_) == 0)
        return;
    fileTime_ = now;
    if (GetModify()) {
        std::string text = "File '" + fileName_ + "' on Disk is newer!\nOk to reload?";
        if (winui::ShowMessageBox(GetParent(), text.c_str(), "Reload Zavit Buffer",
                                  MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            Reload();
    } else {
        MessageBeep(0xFFFFFFFF);
        Reload();
    }
}

void TZavitEditFile::OnSetFocus(HWND)
{
    TZavitApp* app = TZavitApp::Get();
    if (app && app->Client())
        app->Client()->SendMessage(WM_ZAVIT_CHECKDISK);
    if (fontPending && app) {
        SendMessage(WM_SETREDRAW, FALSE);
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(app->DefaultFont()), FALSE);
        RECT r;
        GetWindowRect(m_hWnd, &r);
        UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
        SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left - 1, r.bottom - r.top, flags);
        SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, flags);
        SendMessage(WM_SETREDRAW, TRUE);
        Invalidate(TRUE);
        fontPending = false;
    }
    Default();
    shownColumn_ = 0;
    shownLine_ = 0;
    timer_ = SetTimer(status_timer, 200);
}

void TZavitEditFile::OnKillFocus(HWND)
{
    Default();
    if (TZavitApp* app = TZavitApp::Get())
        if (app->Frame())
            app->Frame()->SetCaretStatus("");
    if (timer_)
        KillTimer(timer_);
    timer_ = 0;
}

void TZavitEditFile::OnTimer(UINT_PTR id)
{
    if (id != status_timer) {
        Default();
        return;
    }
    UpdateModifiedIcon();
    UpdateCaretStatus();
    // The first window made while no other exists fills the client (made
    // maximized at once unless several files opened together).
    if (creationCount == 1 && child && !child->IsMaximized()) {
        child->MDIMaximize();
        creationCount = 0;
    }
}

LRESULT TZavitEditFile::OnChar(WPARAM, LPARAM)
{
    LRESULT result = Default();
    UpdateCaretStatus();
    return result;
}

LRESULT TZavitEditFile::OnKeyDown(WPARAM, LPARAM)
{
    LRESULT result = Default();
    UpdateCaretStatus();
    return result;
}

LRESULT TZavitEditFile::OnLButtonDblClk(WPARAM, LPARAM)
{
    LRESULT result = Default();
    OpenNameUnderCaret();
    return result;
}

LRESULT TZavitEditFile::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    TZavitApp* app = TZavitApp::Get();
    if (!app || app->printing == 0)
        return Default();
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMaxSize = POINT{32000, 32000};
    info->ptMaxTrackSize = POINT{32000, 32000};
    return 0;
}

void TZavitEditFile::OpenNameUnderCaret()
{
    CHARRANGE sel = GetSel();
    // The control may report a word beyond the end of a text that ends in
    // the word: the name is looked for from the end then.
    LONG length = GetTextLength();
    LONG s = sel.cpMin < length ? sel.cpMin : length;
    LONG lineNo = LineFromChar(s);
    LONG lineStart = LineIndex(lineNo);
    if (lineStart < 0)
        return;
    LONG next = LineIndex(lineNo + 1);
    LONG lineEnd = next < 0 ? length : next;
    std::string line = GetTextRange(lineStart, lineEnd);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    size_t at = static_cast<size_t>(s - lineStart);
    if (at > line.size())
        return;
    while (at > 0 && zavit_name_char(line[at - 1]))
        --at;
    ZavitNameAt found;
    if (!zavit_parse_name_at(line.substr(at), found))
        return;
    s = lineStart + static_cast<LONG>(at);
    SetSel(s, s);
    // Relative names are taken from the current file's folder.
    if (!fileName_.empty()) {
        size_t slash = fileName_.rfind('\\');
        if (slash == std::string::npos)
            slash = fileName_.rfind('/');
        if (slash != std::string::npos)
            SetCurrentDirectoryA(fileName_.substr(0, slash ? slash : 1).c_str());
    }
    DWORD size = GetFullPathNameA(found.name.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return;
    std::string path(size, '\0');
    DWORD got = GetFullPathNameA(found.name.c_str(), size, &path[0], nullptr);
    if (got == 0 || got >= size)
        return;
    path.resize(got);
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    TZavitApp* app = TZavitApp::Get();
    if (!app || !app->Client())
        return;
    if (found.line > 0) {
        FileWindowEntry* e = FindFileWindowEntry(path);
        e->column = 1;
        e->line = found.line;
        if (e->window)
            e->window->pendingJump = PendingJump{1, found.line, 10};
    }
    app->Client()->OpenFileWindow(path);
}

void TZavitEditFile::CmEditClear()
{
    SetSel(0, -1);
    Clear();
}

void TZavitEditFile::CeEnabled(winui::CCmdUI* ui)
{
    ui->Enable(TRUE);
}

void TZavitEditFile::CeWritable(winui::CCmdUI* ui)
{
    ui->Enable(!(GetStyle() & ES_READONLY));
}

void TZavitEditFile::CeUndo(winui::CCmdUI* ui)
{
    ui->Enable(!(GetStyle() & ES_READONLY) && CanUndo());
}

void TZavitEditFile::CeHasText(winui::CCmdUI* ui)
{
    ui->Enable(GetTextLength() > 0);
}

void TZavitEditFile::CeReplace(winui::CCmdUI* ui)
{
    ui->Enable(GetTextLength() > 0 && !(GetStyle() & ES_READONLY));
}

void TZavitEditFile::CeFindNext(winui::CCmdUI* ui)
{
    ui->Enable(GetTextLength() > 0 && search_.HasText());
}

LRESULT TZavitEditFile::OnSearchReport(WPARAM, LPARAM lParam)
{
    search_.Report(lParam);
    return 0;
}

void TZavitEditFile::CeSelection(winui::CCmdUI* ui)
{
    CHARRANGE sel = GetSel();
    bool copy = ui->m_nID == CM_EDITCOPY;
    ui->Enable(sel.cpMax > sel.cpMin && (copy || !(GetStyle() & ES_READONLY)));
}
