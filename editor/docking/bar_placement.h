// The saved placement of one bar: its side (or floating), its row and place
// in the row, its three sizes, where it floated last and whether it showed.
// Stored as one profile value of twelve numbers:
//   side,row,index,horzCx,horzCy,vertCx,vertCy,floatCx,floatCy,floatX,floatY,visible
// Sides use the program's placement codes: 0 floating, 1 top, 2 bottom,
// 3 right, 4 left.
#pragma once

#include <string>

namespace docking {

enum BarSide { kSideFloating = 0, kSideTop = 1, kSideBottom = 2, kSideRight = 3, kSideLeft = 4 };

struct PlacementSize {
    int cx = 0, cy = 0;
};

struct BarPlacement {
    int side = kSideFloating;
    int row = 0;
    int index = 0;
    PlacementSize horz, vert, floating;
    int floatX = 0, floatY = 0;
    bool visible = true;
};

std::string FormatBarPlacement(const BarPlacement& p);
// False when the text does not hold the twelve numbers (nothing is changed).
bool ParseBarPlacement(const std::string& text, BarPlacement* p);

// The CBRS_ALIGN_* bit of a side, 0 for floating or an unknown side.
unsigned SideAlign(int side);
int SideOfAlign(unsigned align);

// Makes a placement read from a file usable: a size that is zero, negative
// or absurdly large takes the current one (from current), a side that does
// not exist or that the bar may not dock on (allowedAlign) takes the current
// side, a negative row or index becomes 0. The floating position is checked
// against the screens by the window code.
void ClampBarPlacement(BarPlacement* p, const BarPlacement& current, unsigned allowedAlign);

} // namespace docking
