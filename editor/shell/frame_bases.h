// The window classes Ovanta's frames stand on. They are named here alone,
// so that the frames move to the dockable frames by changing these lines.
#pragma once

#include "winui/mdi.h"

using CMainFrameBase = winui::CMDIFrameWnd;
using CChildFrameBase = winui::CMDIChildWnd;
