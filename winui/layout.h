// Frame layout: bars at the edges of a window, the rest for its client.
//
// RepositionBars sends WM_SIZEPARENT to every child of the parent window in
// z-order (the order in which they were created), except the client window.
// A child that is a bar (CControlBar, or a dock bar of the docking library)
// takes its place at an edge of params->rect, moves itself there (through
// params->hDWP, DeferWindowPos) and shrinks params->rect by its thickness.
// What remains goes to the child whose id is idLeftOver (the view, a
// splitter or the MDI client). Calls: GetClientRect, BeginDeferWindowPos,
// DeferWindowPos, EndDeferWindowPos.
#pragma once

#include <windows.h>

namespace winui {

const UINT WM_SIZEPARENT = 0x0361;

// lParam of WM_SIZEPARENT. When hDWP is null the layout is only measured:
// bars shrink rect and add to sizeTotal without moving.
struct SizeParentParams {
    HDWP hDWP;
    RECT rect;       // the space still free
    SIZE sizeTotal;  // the bars' total size: cx over left/right bars, cy over top/bottom
    BOOL bStretch;   // bars stretch over the whole free edge
};

// Standard child ids of frames.
const UINT AFX_IDW_TOOLBAR = 0xE800;
const UINT AFX_IDW_STATUS_BAR = 0xE801;
const UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
const UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
const UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
const UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
const UINT AFX_IDW_PANE_FIRST = 0xE900; // the view, splitter or MDI client of a frame

// Lays out the bars of parent inside *within (its client rectangle when
// null) and gives the rest to the child idLeftOver (when it exists). When
// clientOut is given, nothing is moved: the free rectangle is stored there.
void RepositionBars(HWND parent, UINT idLeftOver, const RECT* within = nullptr,
                    RECT* clientOut = nullptr, BOOL stretch = TRUE);

} // namespace winui
