// Layout arithmetic of a dock bar, apart from any window: the docked bars of
// one side of a frame stand in rows; this module places them, puts 8-pixel
// splitters between them and between a row and the frame's centre, shares a
// row's length among its sizeable bars, and works out where a dropped bar
// goes and how far a splitter may move.
//
// A dock bar's content is a list of slots as the dock bar keeps it: slot 0
// is always a row end, each row ends with a row end, and the other slots are
// bars. "Length" runs along a row (a width on a top or bottom dock bar, a
// height on a left or right one), "thickness" across it.
#pragma once

#include <vector>

namespace docking {

// Sides, as the CBRS_ALIGN_* bits of a bar style.
const unsigned kAlignLeft = 0x1000;
const unsigned kAlignTop = 0x2000;
const unsigned kAlignRight = 0x4000;
const unsigned kAlignBottom = 0x8000;
const unsigned kAlignHorz = kAlignTop | kAlignBottom;
const unsigned kAlignAny = 0xF000;

const int kSplitterWidth = 8;

struct DockRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const DockRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct DockSlot {
    bool isBar = false; // false: the end of a row
    bool visible = true;
    bool sizeable = false;
    int length = 0;
    int thickness = 0;
};

// A bar slot (shortcut for tables).
inline DockSlot Bar(int length, int thickness, bool sizeable = true, bool visible = true)
{
    DockSlot s;
    s.isBar = true;
    s.visible = visible;
    s.sizeable = sizeable;
    s.length = length;
    s.thickness = thickness;
    return s;
}
inline DockSlot RowEnd() { return DockSlot{}; }

// Splitter types: 1 a vertical band moved left and right, 2 a horizontal
// band moved up and down.
const int kSplitVert = 1;
const int kSplitHorz = 2;

struct DockSplitterInfo {
    DockRect rect;
    int type = 0;
    int barIndex = 0; // the slot the splitter stands before (or the last row end)
};

struct DockLayout {
    int cx = 0, cy = 0;             // the dock bar's size
    std::vector<DockRect> rects;    // per slot; only visible bars have one
    std::vector<DockSplitterInfo> splitters;
};

inline bool IsHorzSide(unsigned align) { return (align & kAlignHorz) != 0; }

// Places the visible bars of every row and the splitters; border2 is the
// overlap of neighbouring bars (2 on current systems).
DockLayout LayoutDockBar(const std::vector<DockSlot>& slots, unsigned align, int border2);

struct RowInfo {
    int sizeLength = 0;
    int fixedLength = 0;
    int maxThickness = 0;
    int maxFixedThickness = 0;
    int sizeCount = 0;
    int visibleCount = 0;
    int TotalLength() const { return fixedLength + sizeLength; }
};

// The visible bars from start up to the next row end.
RowInfo ComputeRowInfo(const std::vector<DockSlot>& slots, int start);
// The first slot of the row holding slot i, and the row end after it.
int RowStart(const std::vector<DockSlot>& slots, int i);
int RowEndOf(const std::vector<DockSlot>& slots, int i);

// Shares length among the row's visible sizeable bars so that the row is
// exactly length long (in proportion to each bar's length + 1, the last
// takes the rest) and gives them the row's thickness. False when the row
// has no sizeable bar (nothing changes).
bool FitRow(std::vector<DockSlot>& slots, int start, int length);
void FitAllRows(std::vector<DockSlot>& slots, int length);

// A number that changes whenever bars are added, removed, shown, hidden or
// moved to another row.
int BarSignature(const std::vector<DockSlot>& slots);

struct ShrinkResult {
    int taken = 0;
    int count = 0; // sizeable bars visited
};
// Takes amount of length from the visible sizeable bars from slot i to the
// row's end, then from freeSpace (the room behind the row's last bar); a
// negative amount lengthens the first of them. ShrinkBackward goes from i
// down to the row's start and knows no free space.
ShrinkResult ShrinkForward(std::vector<DockSlot>& slots, int i, int amount, bool apply,
                           int freeSpace);
ShrinkResult ShrinkBackward(std::vector<DockSlot>& slots, int i, int amount, bool apply);

// Moves a splitter between two bars by delta (positive: towards the row's
// end); the bars on either side share the change. Returns the delta used.
int MoveBarSplitter(std::vector<DockSlot>& slots, int i, int delta, int freeSpace);
// How far the splitter before slot i may move: before towards the row's
// start, after towards its end (0 and 0 when it cannot move).
void BarSplitterRange(std::vector<DockSlot> slots, int i, int freeSpace, int* before, int* after);

// The new thickness of a row when its splitter moves by delta towards the
// frame's centre (already signed so that positive makes the row thicker).
int RowThicknessAfter(const RowInfo& row, int delta);
void SetRowThickness(std::vector<DockSlot>& slots, int start, int thickness);

// Where a bar dropped with its centre at across (the coordinate across the
// rows, in the dock bar's client coordinates) goes: 0 above the first row,
// the slot after the last bar of the row it falls in, or slots.size() (a new
// row at the end).
int FindDropRow(const std::vector<DockSlot>& slots, int across, int border2);
// The number of bars other than self in that row (self: a slot index or -1).
int CountBarsInDropRow(const std::vector<DockSlot>& slots, int across, int border2, int self);

// The sizes of a new sizeable bar from its floating size: docked on a
// horizontal side (floating cx, half the floating cy) and on a vertical side
// (1.5 times the horizontal thickness, two thirds of the horizontal length).
void BarSizesFromFloating(int cx, int cy, int* horzCx, int* horzCy, int* vertCx, int* vertCy);

// A dialog bar's control scaled from the template's client size w0 x h0 to
// cx x cy; a rectangle whose bottom is negative keeps the height -bottom
// (a combo box, whose height is its drop-down list).
DockRect ScaleControlRect(const DockRect& r, int w0, int h0, int cx, int cy);

// Index of the row (0-based) holding slot i, and the number of rows.
int RowNumber(const std::vector<DockSlot>& slots, int i);
int RowCount(const std::vector<DockSlot>& slots);

} // namespace docking
