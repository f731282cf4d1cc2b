// CViewTextCommands: the commands that act on a view's text, chained into
// the view's message map, so that they reach the active view as command
// routing intends: the update rules of undo, cut, copy, paste and save;
// the clipboard variants (copy append, paste block, insert in a new
// file); deleting to the line end, the comment, inserting a file, the
// HTML export; the Operations dialog and the text operations with their
// confirmation; the file's UNIX line ends.
#pragma once

#include "winui/cmdtarget.h"

#include <windows.h>

class COvantaView;
class COvantaEditCtrl;

namespace winui {
class CCmdUI;
}

class CViewTextCommands : public winui::CCmdTarget {
public:
    explicit CViewTextCommands(COvantaView& view) : view_(view) {}

    // Asks "This action cannot be undone!" and carries out the operation of
    // a frame message (0x464-0x467) on the view's text; false for another
    // message.
    bool RunTextOperation(UINT message);

private:
    // Not while the print preview stands in the view's place; writable
    // unless the text is read-only.
    bool Usable() const;
    bool Writable() const;
    COvantaEditCtrl& Editor();
    HWND Owner() const;

    void OnUpdateEditUndo(winui::CCmdUI* ui);
    void OnUpdateEditCut(winui::CCmdUI* ui);
    void OnUpdateEditCopy(winui::CCmdUI* ui);
    void OnUpdateEditPaste(winui::CCmdUI* ui);
    void OnUpdateUsable(winui::CCmdUI* ui);
    void OnUpdateWritable(winui::CCmdUI* ui);
    void OnCopyAppend();
    void OnPasteBlock();
    void OnPasteBlockMove();
    void OnInsertInNewFile();
    void OnDeleteToLineEnd();
    void OnSetComment();
    void OnInsertFile();
    void OnExportHtml();
    void OnOperations();
    void OnUpdateOperations(winui::CCmdUI* ui);
    void OnTextOperationCommand(UINT id);
    void OnSaveUnix();
    void OnUpdateSaveUnix(winui::CCmdUI* ui);

    COvantaView& view_;

    DECLARE_MESSAGE_MAP()
};
