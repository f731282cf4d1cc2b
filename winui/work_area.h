// ClampToWorkArea: a window place read back from a settings file, kept
// where a user can reach it.
//   MonitorFromRect, GetMonitorInfoA (rcWork)
#pragma once

#include <windows.h>

namespace winui {

// The place itself when it lies inside the work area of the monitor nearest
// to it; otherwise shrunk to fit that work area and moved into it (a place
// written on a monitor that is gone, or edited by hand).
RECT ClampToWorkArea(const RECT& place);

} // namespace winui
