// The window tab control's view of Ovanta's documents.
#pragma once

#include "editor/shell/window_tab_ctrl.h"

class COvantaWindowTabShell : public CWindowTabShell {
public:
    bool IsOpen(COvantaDoc* doc) override;
    HWND FrameOf(COvantaDoc* doc) override;
    bool IsModified(COvantaDoc* doc) override;
    std::string PathOf(COvantaDoc* doc) override;
    void ShowProperties(COvantaDoc* doc) override;
    bool AltWndSize() override;
};
