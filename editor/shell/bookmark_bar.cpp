#include "editor/shell/bookmark_bar.h"

#include "editor/shell/frame_links.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/template_name_dlg.h"

#include "editor/docking/dockframe.h"

#include "winui/msgbox.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

static const char bookmark_section[] = "Bookmarks";
// What a title and a renamed name take over at most.
static const size_t title_chars = 48;
static const size_t tip_chars = 80;

BOOL CBookmarkBar::Create(winui::CFrameWnd* parent, DWORD style, UINT id)
{
    if (!winui::CToolBar::Create(parent, style, id))
        return FALSE;
    // Both images are added; the buttons use the first.
    if (LoadBitmap(kBookmarkBitmap))
        m_nImage = 0;
    LoadBitmap(kBookmarkBitmap2);
    return TRUE;
}

std::string CBookmarkBar::TitleOfPath(const std::string& path)
{
    std::string shown = path.size() > 35 ? "..." + path.substr(path.size() - 35) : path;
    return shown + " Line ";
}

int CBookmarkBar::FindBookmark(const BookmarkRecord& record) const
{
    return HasBookmark(record.pEdit, record.nLine);
}

int CBookmarkBar::HasBookmark(const CNColorEditCtrl* edit, int line) const
{
    for (const auto& r : records_)
        if (r->pEdit == edit && r->nLine == line)
            return 1;
    return 0;
}

int CBookmarkBar::AddBookmark(const BookmarkRecord& record)
{
    if (!m_hWnd)
        return -1;
    if (FindBookmark(record))
        return m_nCount;
    if (m_nCount >= kMaxBookmarks) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "No further bookmark can be set: %d bookmarks are the most the bar holds.\n"
                      "Delete a bookmark first.",
                      kMaxBookmarks);
        winui::ShowMessageBox(::GetParent(m_hWnd), text, "Bookmarks", MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    auto copy = std::make_unique<BookmarkRecord>(record);
    if (copy->szTitle.size() > title_chars)
        copy->szTitle.resize(title_chars);
    if (copy->szName.empty())
        copy->szName = copy->szTitle;
    copy->nCommandId = static_cast<int>(kFirstBookmarkCommand) + m_nCount;
    if (copy->nTopLine < 0)
        copy->nTopLine = 0;

    TBBUTTON b{};
    b.iBitmap = m_nImage;
    b.idCommand = copy->nCommandId;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
    b.dwData = reinterpret_cast<DWORD_PTR>(copy.get());
    if (!SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&b)))
        return -1;
    records_.push_back(std::move(copy));
    ++m_nCount;

    if (m_nCount == 1 && !IsVisible())
        ShowBar(TRUE);
    else
        RecalcFrame();
    UpdateButtonStates();
    return m_nCount;
}

void CBookmarkBar::RemoveAt(int index)
{
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
    records_.erase(records_.begin() + index);
    --m_nCount;
}

void CBookmarkBar::Renumber()
{
    for (int i = 0; i < m_nCount; ++i) {
        BookmarkRecord& r = *records_[static_cast<size_t>(i)];
        const int id = static_cast<int>(kFirstBookmarkCommand) + i;
        if (r.nCommandId != id)
            SendMessage(TB_SETCMDID, static_cast<WPARAM>(i), static_cast<LPARAM>(id));
        r.nCommandId = id;
    }
}

void CBookmarkBar::RemoveBookmark(const BookmarkRecord& record)
{
    bool removed = false;
    for (int i = m_nCount - 1; i >= 0; --i) {
        const BookmarkRecord& r = *records_[static_cast<size_t>(i)];
        if (r.pEdit == record.pEdit && r.nLine == record.nLine) {
            RemoveAt(i);
            removed = true;
        }
    }
    if (!removed)
        return;
    BookmarksRemoved();
}

void CBookmarkBar::BookmarksRemoved()
{
    if (m_nNext > m_nCount)
        m_nNext = 0;
    if (m_nCount == 0) {
        ShowBar(FALSE);
        return;
    }
    Renumber();
    RecalcFrame();
    Invalidate();
}

void CBookmarkBar::RemoveBookmarksOf(const CNColorEditCtrl* edit)
{
    bool removed = false;
    for (int i = m_nCount - 1; i >= 0; --i)
        if (records_[static_cast<size_t>(i)]->pEdit == edit) {
            RemoveAt(i);
            removed = true;
        }
    if (!removed || !m_hWnd)
        return;
    BookmarksRemoved();
}

void CBookmarkBar::AdjustBookmarkLines(const CNColorEditCtrl* edit, int fromLine, int diff, int minLine)
{
    for (auto& r : records_) {
        if (r->pEdit != edit || r->nLine < fromLine)
            continue;
        r->nLine = std::max(r->nLine + diff, std::max(minLine, 0));
        r->nTopLine = std::max(r->nTopLine + diff, 0);
        if (r->nTopLine > r->nLine)
            r->nTopLine = r->nLine > 0 ? r->nLine - 1 : 0;
    }
}

void CBookmarkBar::UpdateButtonStates()
{
    if (!m_hWnd)
        return;
    const CNColorEditCtrl* active = nullptr;
    if (IFrameWindow* frame = OvantaFrame().window)
        if (COvantaView* view = frame->ActiveOvantaView())
            active = &view->Editor();
    for (const auto& r : records_)
        CheckButton(static_cast<UINT>(r->nCommandId), active && r->pEdit == active);
}

int CBookmarkBar::GotoNextBookmark()
{
    if (!m_hWnd || m_nCount == 0)
        return 0;
    if (m_nNext >= m_nCount)
        m_nNext = 0;
    const BookmarkRecord* r = records_[static_cast<size_t>(m_nNext)].get();
    if (IFrameWindow* frame = OvantaFrame().window)
        ::SendMessageA(frame->FrameWindow(), WM_BOOKMARK_JUMP, 0, reinterpret_cast<LPARAM>(r));
    ++m_nNext;
    return 1;
}

void CBookmarkBar::OnBookmarkCommand(UINT id)
{
    const int index = static_cast<int>(id) - static_cast<int>(kFirstBookmarkCommand);
    if (index < 0 || index >= m_nCount)
        return;
    const BookmarkRecord* r = records_[static_cast<size_t>(index)].get();
    IFrameWindow* frame = OvantaFrame().window;
    if (!frame)
        return;
    if (::SendMessageA(frame->FrameWindow(), WM_BOOKMARK_JUMP, 0, reinterpret_cast<LPARAM>(r)) == -1) {
        // The record may be gone by now if the jump closed its document;
        // remove by value.
        BookmarkRecord gone = *r;
        RemoveBookmark(gone);
    }
}

std::string CBookmarkBar::TipText(int index) const
{
    const BookmarkRecord* r = Record(index);
    if (!r)
        return "";
    std::string tip = r->szName.empty() ? r->szTitle + std::to_string(r->nLine + 1) : r->szName;
    if (tip.size() > tip_chars - 1)
        tip.resize(tip_chars - 1);
    return tip;
}

bool CBookmarkBar::OnToolTip(LPARAM lParam)
{
    const int index = winui::ToolTipRequestId(lParam) - static_cast<int>(kFirstBookmarkCommand);
    if (index < 0 || index >= m_nCount)
        return false;
    return winui::AnswerToolTipText(lParam, TipText(index));
}

int CBookmarkBar::ButtonAt(POINT point) const
{
    RECT r;
    for (int i = 0; i < GetCount(); ++i)
        if (GetItemRect(i, &r) && PtInRect(&r, point))
            return i;
    return -1;
}

void CBookmarkBar::Rename(POINT point)
{
    const int index = ButtonAt(point);
    if (index < 0 || index >= m_nCount)
        return;
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    CTemplateNameDlg dlg(::GetParent(m_hWnd));
    dlg.m_strTitle = "Name for this Bookmark";
    dlg.m_strName = records_[static_cast<size_t>(index)]->szName;
    dlg.m_nMaxLength = static_cast<int>(title_chars);
    dlg.m_x = screen.x;
    dlg.m_y = screen.y;
    const int id = records_[static_cast<size_t>(index)]->nCommandId;
    if (dlg.DoModal() != IDOK)
        return;
    // The dialog may have run while the bookmark went away.
    for (auto& r : records_)
        if (r->nCommandId == id) {
            std::string name = dlg.m_strName;
            if (name.size() > title_chars)
                name.resize(title_chars);
            r->szName = name;
        }
}

void CBookmarkBar::FreeAll()
{
    records_.clear();
    m_nCount = 0;
    m_nNext = 0;
}

LRESULT CBookmarkBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        FreeAll();
        break;
    case WM_RBUTTONDOWN: {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (ButtonAt(point) >= 0) {
            Rename(point);
            return 0;
        }
        break;
    }
    case WM_NOTIFY:
        if (OnToolTip(lParam))
            return 0;
        break;
    }
    return winui::CToolBar::WindowProc(message, wParam, lParam);
}

void CBookmarkBar::ShowBar(BOOL show)
{
    if (CDockSite* site = dynamic_cast<CDockSite*>(m_pDockSite)) {
        site->ShowControlBar(this, show, FALSE);
        if (!IsFloating()) {
            DWORD side = m_dwStyle & winui::CBRS_ALIGN_ANY;
            if (CSizeDockBar* dock = site->GetDockBarOfSide(side))
                site->DockControlBar(this, dock);
        }
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE);
        RecalcFrame();
    }
}

void CBookmarkBar::RecalcFrame() const
{
    if (m_pDockSite && m_pDockSite->m_hWnd)
        m_pDockSite->RecalcLayout();
}

// --- persistence ----------------------------------------------------------

std::string CBookmarkBar::PathOf(const BookmarkRecord& r) const
{
    COvantaView* view = r.pEdit ? COvantaEditorShell::ViewOf(*r.pEdit) : nullptr;
    return view && view->GetDocument() ? view->GetDocument()->GetPathName() : "";
}

std::string CBookmarkBar::ValueOf(const BookmarkRecord& r) const
{
    return PathOf(r) + " Line:" + std::to_string(r.nLine) + "Name:" + r.szName;
}

static void write_values(const winui::CProfile& target, const std::vector<std::string>& values)
{
    target.DeleteSection(bookmark_section);
    for (size_t i = 0; i < values.size(); ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "BMK%d", static_cast<int>(i));
        target.WriteString(bookmark_section, key, values[i].c_str());
    }
}

void CBookmarkBar::SaveBookmarks(const winui::CProfile& target) const
{
    std::vector<std::string> values;
    for (const auto& r : records_)
        values.push_back(ValueOf(*r));
    write_values(target, values);
}

static std::string trimmed(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

static std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void CBookmarkBar::ParseValue(const std::string& value, std::string& path, int& line, std::string& name)
{
    path.clear();
    name.clear();
    line = 0;
    const size_t at = value.find("Line:");
    if (at == std::string::npos)
        return;
    path = trimmed(value.substr(0, at));
    const size_t number = at + 5;
    const size_t named = value.find("Name:", number);
    std::string digits = named == std::string::npos ? value.substr(number) : value.substr(number, named - number);
    line = std::atoi(digits.c_str());
    if (line < 0)
        line = 0;
    if (named != std::string::npos)
        name = value.substr(named + 5);
}

void CBookmarkBar::SaveBookmarksOf(const winui::CProfile& target, COvantaDoc* doc) const
{
    if (!doc || doc->GetPathName().empty())
        return;
    const std::string docPath = lower(doc->GetPathName());
    std::vector<std::string> values;
    for (int i = 0;; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "BMK%d", i);
        std::string value = target.GetString(bookmark_section, key, "");
        if (value.empty())
            break;
        std::string path, name;
        int line = 0;
        ParseValue(value, path, line, name);
        if (lower(path) != docPath)
            values.push_back(value);
    }
    COvantaView* view = doc->FirstView();
    for (const auto& r : records_)
        if (view && r->pEdit == &view->Editor())
            values.push_back(ValueOf(*r));
    write_values(target, values);
}

void CBookmarkBar::LoadBookmarks(const winui::CProfile& source, COvantaDoc* doc)
{
    if (!doc || !m_hWnd)
        return;
    COvantaView* view = doc->FirstView();
    if (!view)
        return;
    const std::string docPath = lower(doc->GetPathName());
    if (docPath.empty())
        return;
    for (int i = 0;; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "BMK%d", i);
        std::string value = source.GetString(bookmark_section, key, "");
        if (value.empty())
            break;
        std::string path, name;
        int line = 0;
        ParseValue(value, path, line, name);
        if (path.empty() || lower(path) != docPath)
            continue;
        BookmarkRecord r;
        r.pEdit = &view->Editor();
        r.nLine = line;
        r.nTopLine = line > 0 ? line - 1 : 0;
        r.szTitle = TitleOfPath(doc->GetPathName());
        r.szName = name;
        if (AddBookmark(r) < 0)
            break;
    }
}

void CBookmarkBar::LoadBookmarks(const char* workspaceFile, COvantaDoc* doc)
{
    COvantaApp* app = COvantaApp::Get();
    if (workspaceFile && *workspaceFile)
        LoadBookmarks(winui::CProfile(workspaceFile), doc);
    else if (app)
        LoadBookmarks(app->m_profile, doc);
}
