// CWindowCommands: the Window menu's commands on the document windows of
// the main frame: restore all, close all (each changed document asked for
// first), tile, cascade and a new window of the active document.
#pragma once

#include "editor/shell/frame_bases.h"

#include "winui/cmdtarget.h"

class CWindowCommands : public winui::CCmdTarget {
public:
    explicit CWindowCommands(CMainFrameBase& frame) : frame_(frame) {}

private:
    void OnRestoreAll();
    void OnCloseAll();
    void OnTileHorz() { frame_.MDITile(MDITILE_HORIZONTAL); }
    void OnCascadeWindows() { frame_.MDICascade(); }
    void OnNewWindow() { frame_.OnWindowNew(); }

    CMainFrameBase& frame_;

    DECLARE_MESSAGE_MAP()
};
