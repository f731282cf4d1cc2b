#include "winui/work_area.h"

#include <algorithm>

namespace winui {

RECT ClampToWorkArea(const RECT& place)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &info))
        return place;
    const RECT& work = info.rcWork;
    LONG w = std::min(std::max(place.right - place.left, 0L), work.right - work.left);
    LONG h = std::min(std::max(place.bottom - place.top, 0L), work.bottom - work.top);
    LONG x = std::min(std::max(place.left, work.left), work.right - w);
    LONG y = std::min(std::max(place.top, work.top), work.bottom - h);
    return RECT{x, y, x + w, y + h};
}

} // namespace winui
