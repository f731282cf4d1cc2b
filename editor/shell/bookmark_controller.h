// CBookmarkController: the main frame's bookmarks. It owns the bookmark
// bar, takes the add/delete, next and view commands and the bar's buttons,
// follows a jump to a bookmark, shows the add or delete picture on the
// tool bar's bookmark button, and keeps the bookmarks of documents opened
// without a workspace in the program's profile between runs. It is the
// bookmark index the views and the editor control reach.
#pragma once

#include "editor/shell/bookmark_bar.h"
#include "editor/shell/bookmark_host.h"
#include "editor/shell/bookmark_index.h"
#include "editor/shell/frame_bases.h"

#include "winui/cmdtarget.h"

#include <string>

class COvantaDoc;
class CNColorEditCtrl;

namespace winui {
class CCmdUI;
}

class CBookmarkController : public winui::CCmdTarget, public IBookmarkIndex {
public:
    CBookmarkController(CMainFrameBase& frame, IBookmarkHost& host) : frame_(frame), host_(host) {}

    CBookmarkBar& Bar() { return bar_; }
    // The bar is made hidden before the frame's sides accept bars, and
    // docked at the top, left of the main tool bar, after.
    void CreateBar();
    void DockBar();
    // The tool bar's pictures of the button: add is the button's own
    // picture, delete the bitmap added to the tool bar.
    void SetButtonPictures(int addImage, int deleteImage);

    // The bookmark index of the views and the editor control: the editors'
    // F12, the margin's bookmarks and the lines they move with.
    bool HasBookmark(const CNColorEditCtrl& editor, int line) const override;
    bool AddBookmarkAt(CNColorEditCtrl& editor, int line, const std::string& name) override;
    void RemoveBookmarkAt(CNColorEditCtrl& editor, int line) override;
    void RemoveBookmarksOf(const CNColorEditCtrl& editor) override;
    void MoveBookmarkLines(const CNColorEditCtrl& editor, int fromLine, int diff, int minLine) override;
    void RefreshBookmarkButtons() override;
    // A document that opens without a workspace takes its bookmarks from
    // the program's profile; one that closes writes them back there.
    void DocumentOpened(COvantaDoc* doc);
    void DocumentClosing(COvantaDoc* doc);
    // At closing, while the documents are still open.
    void SaveSettings();

private:
    void OnAddBookmark();
    void OnUpdateAddBookmark(winui::CCmdUI* ui);
    void OnGotoNextBookmark();
    void OnViewBookmarks();
    void OnUpdateViewBookmarks(winui::CCmdUI* ui);
    void OnBookmarkButton(UINT id);
    LRESULT OnBookmarkJump(WPARAM, LPARAM record);

    CMainFrameBase& frame_;
    IBookmarkHost& host_;
    CBookmarkBar bar_;
    // The bookmark button's pictures: add, delete, and the one it shows.
    int addImage_ = -1;
    int deleteImage_ = -1;
    int shownImage_ = -1;

    DECLARE_MESSAGE_MAP()
};
