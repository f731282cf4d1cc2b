// The bookmarks of the open editors as the views and the editor control
// see them: which lines carry one, setting and removing them, moving them
// with inserted or deleted lines, and the bar's buttons following the
// active editor.
#pragma once

#include <string>

class CNColorEditCtrl;

class IBookmarkIndex {
public:
    virtual bool HasBookmark(const CNColorEditCtrl& editor, int line) const = 0;
    // False when the bookmark was not set (the bar is full, or refused).
    virtual bool AddBookmarkAt(CNColorEditCtrl& editor, int line, const std::string& name) = 0;
    virtual void RemoveBookmarkAt(CNColorEditCtrl& editor, int line) = 0;
    // Every bookmark of an editor that goes.
    virtual void RemoveBookmarksOf(const CNColorEditCtrl& editor) = 0;
    // Bookmarks from fromLine on move by diff lines, none above minLine.
    virtual void MoveBookmarkLines(const CNColorEditCtrl& editor, int fromLine, int diff, int minLine) = 0;
    virtual void RefreshBookmarkButtons() = 0;

protected:
    ~IBookmarkIndex() = default;
};
