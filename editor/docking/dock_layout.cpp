#include "editor/docking/dock_layout.h"

#include <algorithm>

namespace docking {

namespace {

bool visible_sizeable(const DockSlot& s)
{
    return s.isBar && s.visible && s.sizeable;
}

int slot_count(const std::vector<DockSlot>& slots)
{
    return static_cast<int>(slots.size());
}

} // namespace

DockLayout LayoutDockBar(const std::vector<DockSlot>& slots, unsigned align, int b)
{
    DockLayout out;
    const bool horz = IsHorzSide(align);
    const bool farSide = (align & (kAlignRight | kAlignBottom)) != 0;
    out.rects.resize(slots.size());
    int x = -b, y = -b;
    int rowWidth = 0;
    bool rowEmpty = true;
    bool prevInRow = false;
    bool rowHasSizeBar = false;
    size_t rowFirstSplitter = 0;
    int lastRowEnd = -1;
    int firstBar = 0;
    auto add_splitter = [&](int type, int left, int top, int i) {
        DockSplitterInfo s;
        s.type = type;
        s.barIndex = i;
        s.rect.left = left;
        s.rect.top = top;
        s.rect.right = type == kSplitVert ? left + kSplitterWidth : left;
        s.rect.bottom = type == kSplitHorz ? top + kSplitterWidth : top;
        out.splitters.push_back(s);
    };
    const int n = slot_count(slots);
    for (int i = 0; i < n; ++i) {
        const DockSlot& slot = slots[i];
        if (!slot.isBar) {
            if (!rowEmpty) {
                if (horz)
                    y += rowWidth - b;
                else
                    x += rowWidth - b;
                out.cx = std::max(out.cx, x);
                out.cy = std::max(out.cy, y);
                for (size_t k = rowFirstSplitter; k < out.splitters.size(); ++k) {
                    DockSplitterInfo& s = out.splitters[k];
                    if (horz && s.type == kSplitVert)
                        s.rect.bottom = y;
                    if (!horz && s.type == kSplitHorz)
                        s.rect.right = x;
                }
                if (horz)
                    x = -b;
                else
                    y = -b;
                lastRowEnd = i;
            }
            rowFirstSplitter = out.splitters.size();
            rowWidth = 0;
            prevInRow = false;
            rowEmpty = true;
            continue;
        }
        if (!slot.visible)
            continue;
        if (rowEmpty) {
            rowEmpty = false;
            firstBar = i;
            if (farSide) {
                rowHasSizeBar = false;
                for (int j = i; j < n && slots[j].isBar; ++j)
                    rowHasSizeBar = rowHasSizeBar || visible_sizeable(slots[j]);
            }
            // Between rows, the splitter stands on the side facing the
            // frame's centre: above a bottom row, below a top row (the
            // flag then comes from the row before).
            if (rowHasSizeBar) {
                if (horz) {
                    add_splitter(kSplitHorz, x, y, i);
                    y += kSplitterWidth;
                } else {
                    add_splitter(kSplitVert, x, y, i);
                    x += kSplitterWidth;
                }
                rowHasSizeBar = false;
            }
        }
        if (prevInRow) {
            if (horz) {
                add_splitter(kSplitVert, x, y, i);
                x += kSplitterWidth;
            } else {
                add_splitter(kSplitHorz, x, y, i);
                y += kSplitterWidth;
            }
        }
        prevInRow = true;
        if (slot.sizeable)
            rowHasSizeBar = true;
        int cx = horz ? slot.length : slot.thickness;
        int cy = horz ? slot.thickness : slot.length;
        DockRect r{x, y, x + cx, y + cy};
        out.rects[i] = r;
        if (horz) {
            x = r.left + cx - b;
            rowWidth = std::max(rowWidth, cy);
        } else {
            y = r.top + cy - b;
            rowWidth = std::max(rowWidth, cx);
        }
    }
    if (!farSide && firstBar != 0 && rowHasSizeBar) {
        if (horz) {
            add_splitter(kSplitHorz, x, y, lastRowEnd);
            out.cy += kSplitterWidth;
        } else {
            add_splitter(kSplitVert, x, y, lastRowEnd);
            out.cx += kSplitterWidth;
        }
    }
    for (DockSplitterInfo& s : out.splitters) {
        if (horz && s.type == kSplitHorz)
            s.rect.right = out.cx;
        if (!horz && s.type == kSplitVert)
            s.rect.bottom = out.cy;
    }
    return out;
}

RowInfo ComputeRowInfo(const std::vector<DockSlot>& slots, int start)
{
    RowInfo info;
    for (int i = start; i < slot_count(slots) && slots[i].isBar; ++i) {
        const DockSlot& s = slots[i];
        if (!s.visible)
            continue;
        int length = std::max(0, s.length);
        int thickness = std::max(0, s.thickness);
        if (info.visibleCount > 0)
            info.fixedLength += kSplitterWidth;
        ++info.visibleCount;
        info.maxThickness = std::max(info.maxThickness, thickness);
        if (s.sizeable) {
            info.sizeLength += length;
            ++info.sizeCount;
        } else {
            info.fixedLength += length;
            info.maxFixedThickness = std::max(info.maxFixedThickness, thickness);
        }
    }
    return info;
}

int RowStart(const std::vector<DockSlot>& slots, int i)
{
    while (i > 0 && slots[i - 1].isBar)
        --i;
    return i;
}

int RowEndOf(const std::vector<DockSlot>& slots, int i)
{
    while (i < slot_count(slots) && slots[i].isBar)
        ++i;
    return i;
}

bool FitRow(std::vector<DockSlot>& slots, int start, int length)
{
    RowInfo info = ComputeRowInfo(slots, start);
    if (info.sizeCount == 0)
        return false;
    const int extra = length - info.TotalLength();
    int remaining = extra;
    int k = 0;
    for (int i = start; i < slot_count(slots) && slots[i].isBar; ++i) {
        DockSlot& s = slots[i];
        if (!visible_sizeable(s))
            continue;
        ++k;
        int c = std::max(0, s.length);
        int share = k == info.sizeCount
                        ? remaining
                        : static_cast<int>(static_cast<long long>(c + 1) * extra /
                                           (info.sizeLength + info.sizeCount));
        int fitted = std::max(0, c + share);
        remaining -= fitted - c;
        s.length = fitted;
        s.thickness = info.maxThickness;
    }
    return true;
}

void FitAllRows(std::vector<DockSlot>& slots, int length)
{
    int i = 0;
    const int n = slot_count(slots);
    while (i < n) {
        if (!slots[i].isBar) {
            ++i;
            continue;
        }
        FitRow(slots, i, length);
        i = RowEndOf(slots, i);
    }
}

int BarSignature(const std::vector<DockSlot>& slots)
{
    unsigned pattern = 0;
    unsigned count = 0;
    for (const DockSlot& s : slots) {
        if (!s.isBar) {
            pattern *= 2;
        } else if (s.visible) {
            pattern += 1;
            ++count;
        }
    }
    return static_cast<int>((pattern << 8) | (count & 0xFF));
}

namespace {

// Walks the bars of a row from i by step (+1 towards its end, -1 towards its
// start): a negative amount lengthens the first visible sizeable bar by its
// size; a positive one is taken from the visible sizeable bars in turn, each
// giving what is left to take or its whole length.
ShrinkResult shrink_row(std::vector<DockSlot>& slots, int i, int step, int amount, bool apply)
{
    ShrinkResult result;
    const int n = slot_count(slots);
    auto inRow = [&](int j) { return j > 0 && j < n && slots[j].isBar; };
    if (amount < 0) {
        for (int j = i; inRow(j); j += step) {
            if (visible_sizeable(slots[j])) {
                if (apply)
                    slots[j].length += -amount;
                result.taken = amount;
                result.count = 1;
                break;
            }
        }
        return result;
    }
    int remaining = amount;
    for (int j = i; inRow(j) && remaining > 0; j += step) {
        DockSlot& s = slots[j];
        if (!visible_sizeable(s))
            continue;
        ++result.count;
        int c = std::max(0, s.length);
        int give = std::min(c, remaining);
        if (apply)
            s.length = c - give;
        remaining -= give;
    }
    result.taken = amount - remaining;
    return result;
}

} // namespace

ShrinkResult ShrinkForward(std::vector<DockSlot>& slots, int i, int amount, bool apply,
                           int freeSpace)
{
    ShrinkResult result = shrink_row(slots, i, +1, amount, apply);
    // What the bars cannot give comes from the free room behind the row.
    if (amount > 0 && result.taken < amount)
        result.taken += std::min(amount - result.taken, std::max(0, freeSpace));
    return result;
}

ShrinkResult ShrinkBackward(std::vector<DockSlot>& slots, int i, int amount, bool apply)
{
    return shrink_row(slots, i, -1, amount, apply);
}

int MoveBarSplitter(std::vector<DockSlot>& slots, int i, int delta, int freeSpace)
{
    if (delta < 0) {
        int taken = ShrinkBackward(slots, i - 1, -delta, true).taken;
        ShrinkForward(slots, i, -taken, true, freeSpace);
        return -taken;
    }
    if (delta > 0) {
        int taken = ShrinkForward(slots, i, delta, true, freeSpace).taken;
        ShrinkBackward(slots, i - 1, -taken, true);
        return taken;
    }
    return 0;
}

void BarSplitterRange(std::vector<DockSlot> slots, int i, int freeSpace, int* before, int* after)
{
    ShrinkResult a = ShrinkForward(slots, i, 16000, false, freeSpace);
    ShrinkResult b = ShrinkBackward(slots, i - 1, 16000, false);
    if (a.count + b.count <= 1) {
        *before = 0;
        *after = 0;
        return;
    }
    *before = b.taken;
    *after = a.taken;
}

int RowThicknessAfter(const RowInfo& row, int delta)
{
    return std::max(row.maxFixedThickness, row.maxThickness + delta);
}

void SetRowThickness(std::vector<DockSlot>& slots, int start, int thickness)
{
    for (int i = start; i < slot_count(slots) && slots[i].isBar; ++i) {
        if (visible_sizeable(slots[i]))
            slots[i].thickness = thickness;
    }
}

int FindDropRow(const std::vector<DockSlot>& slots, int across, int border2)
{
    int edge = 0;
    int rowThickness = 0;
    int lastPos = 0;
    const int n = slot_count(slots);
    for (int i = 0; i < n; ++i) {
        const DockSlot& s = slots[i];
        if (s.isBar) {
            if (s.visible) {
                rowThickness = std::max(rowThickness, s.thickness);
                lastPos = i + 1;
            }
            continue;
        }
        edge += rowThickness - border2;
        rowThickness = 0;
        if (across < edge)
            return i == 0 ? 0 : lastPos;
        lastPos = i + 1;
    }
    return lastPos;
}

int CountBarsInDropRow(const std::vector<DockSlot>& slots, int across, int border2, int self)
{
    int p = FindDropRow(slots, across, border2);
    if (p == 0 || p >= slot_count(slots))
        return 0;
    int count = 0;
    for (int i = RowStart(slots, p); i < slot_count(slots) && slots[i].isBar; ++i) {
        if (i != self)
            ++count;
    }
    return count;
}

void BarSizesFromFloating(int cx, int cy, int* horzCx, int* horzCy, int* vertCx, int* vertCy)
{
    *horzCx = cx;
    *horzCy = cy / 2;
    *vertCx = *horzCy * 3 / 2;
    *vertCy = *horzCx * 2 / 3;
}

DockRect ScaleControlRect(const DockRect& r, int w0, int h0, int cx, int cy)
{
    if (w0 <= 0 || h0 <= 0)
        return r;
    DockRect out;
    out.left = static_cast<int>(static_cast<long long>(cx) * r.left / w0);
    out.top = static_cast<int>(static_cast<long long>(cy) * r.top / h0);
    out.right = static_cast<int>(static_cast<long long>(cx) * r.right / w0);
    out.bottom = r.bottom < 0 ? out.top - r.bottom
                              : static_cast<int>(static_cast<long long>(cy) * r.bottom / h0);
    return out;
}

int RowNumber(const std::vector<DockSlot>& slots, int i)
{
    int row = 0;
    for (int j = 1; j < i && j < slot_count(slots); ++j) {
        if (!slots[j].isBar)
            ++row;
    }
    return row;
}

int RowCount(const std::vector<DockSlot>& slots)
{
    int rows = 0;
    for (int j = 1; j < slot_count(slots); ++j) {
        if (!slots[j].isBar)
            ++rows;
    }
    return rows;
}

} // namespace docking
