// The window classes Ovanta's frames stand on: the dockable MDI frames,
// which hold the bars of the program on any side of the main frame.
#pragma once

#include "editor/docking/dockframe.h"

using CMainFrameBase = CVelloMDIFrameWndSizeDock;
using CChildFrameBase = CVelloMDIChildWndSizeDock;
