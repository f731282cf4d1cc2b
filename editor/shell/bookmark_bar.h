// CBookmarkBar: the tool bar of bookmarks. Each bookmark marks a line of a
// document window and is one button: a click jumps to the line (message
// WM_BOOKMARK_JUMP to the main window), its tool tip shows the bookmark's
// name, a right click renames it. The buttons of the active document are
// shown pressed; the bar keeps the bookmarks' lines right while lines are
// inserted or deleted above them, hides itself when the last bookmark goes,
// and saves and loads the bookmarks in the "Bookmarks" section of a profile
// (the program's profile or a workspace file).
//
// Button command ids are kFirstBookmarkCommand + index, a range that no
// other command of the program uses; beyond kMaxBookmarks no bookmark is
// added (the user is told).
#pragma once

#include "winui/profile.h"
#include "winui/toolbar.h"

#include <memory>
#include <string>
#include <vector>

class CNColorEditCtrl;
class COvantaDoc;

const UINT kFirstBookmarkCommand = 0xB000;
const int kMaxBookmarks = 1000;
const UINT kLastBookmarkCommand = kFirstBookmarkCommand + kMaxBookmarks - 1;
// Bitmaps of the bar's two button images.
const UINT kBookmarkBitmap = 166;
const UINT kBookmarkBitmap2 = 167;

struct BookmarkRecord {
    // The edit control of the document window; identifies the document.
    CNColorEditCtrl* pEdit = nullptr;
    int nLine = 0;      // 0-based line of the bookmark
    int nTopLine = 0;   // line shown at the top after a jump
    int nCommandId = 0; // command id of the button
    std::string szTitle; // path (shortened) and " Line "
    std::string szName;  // tool tip; the title when none was given
};

class CBookmarkBar : public winui::CToolBar {
public:
    CBookmarkBar() = default;
    ~CBookmarkBar() override = default;

    // Creates the tool bar and adds the two button images.
    BOOL Create(winui::CFrameWnd* parent, DWORD style, UINT id);

    // Adds a button for a copy of the record unless one with the same edit
    // control and line exists. The number of bookmarks; -1 when the bar is
    // full (a message says so) or has no window.
    int AddBookmark(const BookmarkRecord& record);
    int FindBookmark(const BookmarkRecord& record) const;
    int HasBookmark(const CNColorEditCtrl* edit, int line) const;
    void RemoveBookmark(const BookmarkRecord& record);
    // Every bookmark of the edit control goes (its window closes).
    void RemoveBookmarksOf(const CNColorEditCtrl* edit);
    // Bookmarks of the edit control at or below fromLine move by diff lines;
    // none moves above minLine (lines deleted around a bookmark).
    void AdjustBookmarkLines(const CNColorEditCtrl* edit, int fromLine, int diff, int minLine = 0);
    // Buttons of the active view's editor pressed, the others released.
    void UpdateButtonStates();
    // Jumps to the bookmarks in turn; 0 when there is none.
    int GotoNextBookmark();
    // Writes the section "Bookmarks" of the profile anew.
    void SaveBookmarks(const winui::CProfile& target) const;
    // Replaces the document's entries in the section by its bookmarks now,
    // keeping the entries of other files (the program's profile keeps the
    // bookmarks of every file between runs).
    void SaveBookmarksOf(const winui::CProfile& target, COvantaDoc* doc) const;
    // Adds the bookmarks of the section that belong to the document.
    void LoadBookmarks(const winui::CProfile& source, COvantaDoc* doc);
    // The same from a workspace file, or (null) the program's profile target.
    void LoadBookmarks(const char* workspaceFile, COvantaDoc* doc);
    // A button's command: jump to its bookmark; a bookmark that lies
    // beyond its document's text is removed.
    void OnBookmarkCommand(UINT id);

    // How many bookmarks the bar holds.
    int Count() const { return m_nCount; }

    const BookmarkRecord* Record(int index) const
    {
        return index >= 0 && index < m_nCount ? records_[static_cast<size_t>(index)].get() : nullptr;
    }
    // The tool tip of a button: its name, or its title and 1-based line,
    // cut to 80 characters.
    std::string TipText(int index) const;
    // The title of a bookmark in a document of the given path.
    static std::string TitleOfPath(const std::string& path);
    // Splits a stored value "<path> Line:<n>Name:<name>".
    static void ParseValue(const std::string& value, std::string& path, int& line, std::string& name);

    // Buttons are always enabled; their state comes from UpdateButtonStates.
    void OnUpdateCmdUI(winui::CFrameWnd*, BOOL) override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_nCount = 0;
    int m_nNext = 0;
    int m_nImage = 0;
    void RemoveAt(int index);
    void Renumber();
    // After buttons went: the next-jump index, the bar hidden when empty,
    // else renumbered and laid out again.
    void BookmarksRemoved();
    void ShowBar(BOOL show);
    void RecalcFrame() const;
    bool OnToolTip(LPARAM lParam);
    void Rename(POINT point);
    int ButtonAt(POINT point) const;
    void FreeAll();
    std::string PathOf(const BookmarkRecord& r) const;
    std::string ValueOf(const BookmarkRecord& r) const;

    std::vector<std::unique_ptr<BookmarkRecord>> records_;
};
