// CFrameAccelerators: the main frame's accelerator table. While no
// document is open it is the start table (the shortcut table's first
// keys); once one opens it is the whole shortcut table, made again when
// the keyboard mapping changes the table. The application translates with
// the same table.
#pragma once

#include <windows.h>

class CFrameAccelerators {
public:
    // frameTable is the frame's own accelerator handle.
    explicit CFrameAccelerators(HACCEL& frameTable) : frameTable_(frameTable) {}

    void UseStartTable();
    // A document opened: the shortcut table, unless it is in use already.
    void DocumentOpened();
    // The shortcut table changed: taken at once while documents are open;
    // the start table stays until one opens.
    void ShortcutsChanged();

private:
    void UseShortcutTable();
    // The new table for the frame and the application, the old one gone.
    void Use(HACCEL table, bool start);

    HACCEL& frameTable_;
    bool start_ = true;
};
