// Bar placements as the docking library stores them (one profile value of
// twelve numbers): what reads back is what was written.
#include "editor/docking/bar_placement.h"
#include "fuzz/fuzz_support.h"

using namespace docking;

namespace {
bool Same(const BarPlacement& a, const BarPlacement& b)
{
    return a.side == b.side && a.row == b.row && a.index == b.index && a.horz.cx == b.horz.cx &&
           a.horz.cy == b.horz.cy && a.vert.cx == b.vert.cx && a.vert.cy == b.vert.cy &&
           a.floating.cx == b.floating.cx && a.floating.cy == b.floating.cy && a.floatX == b.floatX &&
           a.floatY == b.floatY && a.visible == b.visible;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    BarPlacement p;
    if (!ParseBarPlacement(text, &p))
        return 0;
    BarPlacement again;
    FUZZ_CHECK(ParseBarPlacement(FormatBarPlacement(p), &again));
    FUZZ_CHECK(Same(p, again));
    BarPlacement current;
    current.side = kSideTop;
    current.horz = {100, 24};
    current.vert = {24, 100};
    current.floating = {100, 24};
    const unsigned allowed = SideAlign(kSideTop) | SideAlign(kSideBottom) | SideAlign(kSideLeft) |
                             SideAlign(kSideRight);
    ClampBarPlacement(&p, current, allowed);
    FUZZ_CHECK(p.row >= 0 && p.index >= 0);
    FUZZ_CHECK(p.horz.cx > 0 && p.horz.cy > 0 && p.vert.cx > 0 && p.vert.cy > 0);
    FUZZ_CHECK(ParseBarPlacement(FormatBarPlacement(p), &again) && Same(p, again));
    return 0;
}
