#include "editor/docking/bar_placement.h"

#include "editor/docking/dock_layout.h"

#include <cstdio>

namespace docking {

std::string FormatBarPlacement(const BarPlacement& p)
{
    char text[200];
    snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", p.side, p.row, p.index,
             p.horz.cx, p.horz.cy, p.vert.cx, p.vert.cy, p.floating.cx, p.floating.cy, p.floatX,
             p.floatY, p.visible ? 1 : 0);
    return text;
}

bool ParseBarPlacement(const std::string& text, BarPlacement* p)
{
    int v[12];
    char extra = 0;
    int n = sscanf(text.c_str(), " %d , %d , %d , %d , %d , %d , %d , %d , %d , %d , %d , %d %c",
                   &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10],
                   &v[11], &extra);
    if (n != 12)
        return false;
    p->side = v[0];
    p->row = v[1];
    p->index = v[2];
    p->horz = {v[3], v[4]};
    p->vert = {v[5], v[6]};
    p->floating = {v[7], v[8]};
    p->floatX = v[9];
    p->floatY = v[10];
    p->visible = v[11] != 0;
    return true;
}

unsigned SideAlign(int side)
{
    switch (side) {
    case kSideTop:
        return kAlignTop;
    case kSideBottom:
        return kAlignBottom;
    case kSideRight:
        return kAlignRight;
    case kSideLeft:
        return kAlignLeft;
    default:
        return 0;
    }
}

int SideOfAlign(unsigned align)
{
    if (align & kAlignTop)
        return kSideTop;
    if (align & kAlignBottom)
        return kSideBottom;
    if (align & kAlignRight)
        return kSideRight;
    if (align & kAlignLeft)
        return kSideLeft;
    return kSideFloating;
}

namespace {

// Larger than any screen: a value beyond it was not written by a layout.
const int kMaxBarSize = 16000;

void clamp_size(PlacementSize* size, const PlacementSize& current)
{
    if (size->cx <= 0 || size->cx > kMaxBarSize)
        size->cx = current.cx;
    if (size->cy <= 0 || size->cy > kMaxBarSize)
        size->cy = current.cy;
}

} // namespace

void ClampBarPlacement(BarPlacement* p, const BarPlacement& current, unsigned allowedAlign)
{
    clamp_size(&p->horz, current.horz);
    clamp_size(&p->vert, current.vert);
    clamp_size(&p->floating, current.floating);
    if (p->side < kSideFloating || p->side > kSideLeft)
        p->side = current.side;
    if (p->side != kSideFloating && !(SideAlign(p->side) & allowedAlign))
        p->side = current.side;
    if (p->row < 0)
        p->row = 0;
    if (p->index < 0)
        p->index = 0;
}

} // namespace docking
