// COvantaDoc: the storage of one open text (text and attribute buffers,
// selection, column block, flags and the pool of 400 undo records), shared
// by the editor controls of all its views, and the opening, saving and
// closing of its file with backups and the shell's bars.
#pragma once

#include "editor/editctl/text_state.h"
#include "editor/editctl/undo_record.h"

#include "winui/doc.h"

#include <string>

class COvantaView;

class COvantaDoc : public winui::CDocument {
public:
    COvantaDoc();
    ~COvantaDoc() override;

    BOOL IsModified() override;
    void SetModifiedFlag(BOOL modified = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const char* path) override;
    BOOL OnSaveDocument(const char* path) override;
    void OnCloseDocument() override;
    BOOL SaveModified() override;
    BOOL DoSave(const char* path, BOOL replace = TRUE) override;
    // Frees the buffers: the class library calls it after the frames and
    // their views are gone.
    void DeleteContents() override;

    // Writes the backup and the text to path; non-zero when saved.
    BOOL SaveWithBackup(const char* path);
    // Hands path, first visible line and caret of the view to the recent
    // list; nothing for a document without a path.
    void StoreRecentPosition(COvantaView* view);
    COvantaView* FirstView() const;

    // The shared storage: the controls' shared pointers point here.
    CTextState& State() { return m_state; }
    const CTextState& State() const { return m_state; }

private:
    CTextState m_state;
    CUndoList m_undoList;
    std::string m_strBackupPath;

    void DocumentOpened();
};
