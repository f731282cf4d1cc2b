// Layout arithmetic of the dock bars: rows and splitters, sharing a row's
// length, refitting, drop rows, control scaling and saved placements.
#include "editor/docking/bar_placement.h"
#include "editor/docking/dock_layout.h"

#include <gtest/gtest.h>

using namespace docking;

namespace {

DockRect R(int l, int t, int r, int b)
{
    return DockRect{l, t, r, b};
}

} // namespace

TEST(DockLayout, SizesOfANewBarFollowItsFloatingSize)
{
    int hcx, hcy, vcx, vcy;
    BarSizesFromFloating(400, 150, &hcx, &hcy, &vcx, &vcy);
    EXPECT_EQ(hcx, 400);
    EXPECT_EQ(hcy, 75);
    EXPECT_EQ(vcx, 112);
    EXPECT_EQ(vcy, 266);
}

TEST(DockLayout, RowSplitterFacesTheFramesCentre)
{
    const std::vector<DockSlot> sizeable{RowEnd(), Bar(300, 100), RowEnd()};
    const std::vector<DockSlot> fixed{RowEnd(), Bar(300, 100, false), RowEnd()};

    // Bottom: the splitter stands above the row, the bar below it.
    DockLayout bottom = LayoutDockBar(sizeable, kAlignBottom, 2);
    ASSERT_EQ(bottom.splitters.size(), 1u);
    EXPECT_EQ(bottom.splitters[0].type, kSplitHorz);
    EXPECT_EQ(bottom.splitters[0].rect, R(-2, -2, 296, 6));
    EXPECT_EQ(bottom.rects[1], R(-2, 6, 298, 106));
    EXPECT_EQ(bottom.cy, 104);

    // Top: below the row, and the dock bar is 8 pixels higher than the
    // same row of an ordinary bar.
    DockLayout top = LayoutDockBar(sizeable, kAlignTop, 2);
    ASSERT_EQ(top.splitters.size(), 1u);
    EXPECT_EQ(top.splitters[0].rect, R(-2, 96, 296, 104));
    EXPECT_EQ(top.splitters[0].barIndex, 2);
    EXPECT_EQ(top.rects[1], R(-2, -2, 298, 98));
    EXPECT_EQ(top.cy, LayoutDockBar(fixed, kAlignTop, 2).cy + 8);
    EXPECT_TRUE(LayoutDockBar(fixed, kAlignTop, 2).splitters.empty());

    // Left: a vertical band right of the column.
    const std::vector<DockSlot> column{RowEnd(), Bar(400, 150), RowEnd()};
    DockLayout left = LayoutDockBar(column, kAlignLeft, 2);
    ASSERT_EQ(left.splitters.size(), 1u);
    EXPECT_EQ(left.splitters[0].type, kSplitVert);
    EXPECT_EQ(left.rects[1], R(-2, -2, 148, 398));
    EXPECT_EQ(left.splitters[0].rect, R(146, -2, 154, 396));
    EXPECT_EQ(left.cx, 154);
}

TEST(DockLayout, TwoBarsOfARowShareOneSplitter)
{
    std::vector<DockSlot> row{RowEnd(), Bar(200, 100), Bar(300, 100), RowEnd()};
    DockLayout layout = LayoutDockBar(row, kAlignBottom, 2);
    ASSERT_EQ(layout.splitters.size(), 2u);
    EXPECT_EQ(layout.splitters[1].type, kSplitVert);
    EXPECT_EQ(layout.splitters[1].rect, R(196, 6, 204, 104));
    EXPECT_EQ(layout.splitters[1].barIndex, 2);
    EXPECT_EQ(layout.rects[2], R(204, 6, 504, 106));

    // Dragged right by 30: the left bar gains what the right one gives.
    EXPECT_EQ(MoveBarSplitter(row, 2, 30, 0), 30);
    EXPECT_EQ(row[1].length, 230);
    EXPECT_EQ(row[2].length, 270);
    // ... and left by 50.
    EXPECT_EQ(MoveBarSplitter(row, 2, -50, 0), -50);
    EXPECT_EQ(row[1].length, 180);
    EXPECT_EQ(row[2].length, 320);

    // It moves right at most by the right bar's length plus the free
    // space at the row's end, left by the left bar's length.
    int before = 0, after = 0;
    BarSplitterRange(row, 2, 40, &before, &after);
    EXPECT_EQ(before, 180);
    EXPECT_EQ(after, 360);
    // Asked for more, it gives what there is.
    EXPECT_EQ(MoveBarSplitter(row, 2, 1000, 40), 360);
    EXPECT_EQ(row[2].length, 0);
    EXPECT_EQ(row[1].length, 540);
}

TEST(DockLayout, SplitterBesideASingleSizeableBarDoesNotMove)
{
    std::vector<DockSlot> row{RowEnd(), Bar(100, 30, false), Bar(300, 100), RowEnd()};
    int before = -1, after = -1;
    BarSplitterRange(row, 2, 50, &before, &after);
    EXPECT_EQ(before, 0);
    EXPECT_EQ(after, 0);
}

TEST(DockLayout, FittingSharesTheLengthInProportion)
{
    struct Case {
        std::vector<DockSlot> row;
        int length;
        std::vector<int> lengths; // of slots 1.. (bars only)
        int thickness;            // of the sizeable bars afterwards
    };
    const Case cases[] = {
        // 100 more: (length + 1) shares, the last bar takes the rest.
        {{RowEnd(), Bar(100, 50), Bar(199, 50), RowEnd()}, 407, {133, 266}, 50},
        // Shrinking works the same way.
        {{RowEnd(), Bar(100, 50), Bar(199, 50), RowEnd()}, 207, {67, 132}, 50},
        // A tool bar keeps its length; the row takes the thickest bar's thickness.
        {{RowEnd(), Bar(50, 30, false), Bar(100, 60), RowEnd()}, 300, {50, 242}, 60},
        // Never below 0.
        {{RowEnd(), Bar(100, 50), RowEnd()}, -20, {0}, 50},
    };
    for (const Case& c : cases) {
        std::vector<DockSlot> row = c.row;
        ASSERT_TRUE(FitRow(row, 1, c.length));
        for (size_t k = 0; k < c.lengths.size(); ++k)
            EXPECT_EQ(row[k + 1].length, c.lengths[k]) << "slot " << k + 1 << " for " << c.length;
        int total = ComputeRowInfo(row, 1).TotalLength();
        if (c.length >= 0) {
            EXPECT_EQ(total, c.length);
        }
        for (size_t k = 1; k + 1 < row.size(); ++k) {
            if (row[k].sizeable) {
                EXPECT_EQ(row[k].thickness, c.thickness);
            }
        }
    }
    std::vector<DockSlot> fixedOnly{RowEnd(), Bar(50, 30, false), RowEnd()};
    EXPECT_FALSE(FitRow(fixedOnly, 1, 500));
    EXPECT_EQ(fixedOnly[1].length, 50);
}

TEST(DockLayout, RefitAfterResizingFillsEveryRow)
{
    std::vector<DockSlot> slots{RowEnd(), Bar(300, 80), Bar(292, 80), RowEnd(),
                                Bar(40, 25, false), Bar(560, 40), RowEnd()};
    FitAllRows(slots, 700);
    EXPECT_EQ(ComputeRowInfo(slots, 1).TotalLength(), 700);
    EXPECT_EQ(ComputeRowInfo(slots, 4).TotalLength(), 700);
    EXPECT_EQ(slots[4].length, 40);
    FitAllRows(slots, 500);
    EXPECT_EQ(ComputeRowInfo(slots, 1).TotalLength(), 500);
    EXPECT_EQ(ComputeRowInfo(slots, 4).TotalLength(), 500);
}

TEST(DockLayout, HiddenBarsTakeNoRoom)
{
    std::vector<DockSlot> row{RowEnd(), Bar(200, 100), Bar(300, 100, true, false), RowEnd()};
    DockLayout layout = LayoutDockBar(row, kAlignBottom, 2);
    EXPECT_EQ(layout.splitters.size(), 1u); // only the row splitter
    ASSERT_TRUE(FitRow(row, 1, 600));
    EXPECT_EQ(row[1].length, 600);
    EXPECT_EQ(row[2].length, 300);
}

TEST(DockLayout, RowSplitterStopsAtTheThickestToolBar)
{
    std::vector<DockSlot> row{RowEnd(), Bar(60, 30, false), Bar(300, 120), RowEnd()};
    RowInfo info = ComputeRowInfo(row, 1);
    EXPECT_EQ(RowThicknessAfter(info, 40), 160);
    EXPECT_EQ(RowThicknessAfter(info, -50), 70);
    EXPECT_EQ(RowThicknessAfter(info, -500), 30);
    SetRowThickness(row, 1, 70);
    EXPECT_EQ(row[2].thickness, 70);
    EXPECT_EQ(row[1].thickness, 30);
}

TEST(DockLayout, SignatureFollowsRowsAndVisibility)
{
    const std::vector<std::vector<DockSlot>> arrangements{
        {RowEnd()},
        {RowEnd(), Bar(1, 1), RowEnd()},
        {RowEnd(), Bar(1, 1), Bar(1, 1), RowEnd()},
        {RowEnd(), Bar(1, 1), RowEnd(), Bar(1, 1), RowEnd()},
        {RowEnd(), Bar(1, 1), Bar(1, 1, true, false), RowEnd()},
    };
    for (size_t a = 0; a < arrangements.size(); ++a) {
        for (size_t b = a + 1; b < arrangements.size(); ++b) {
            if (!(a == 1 && b == 4)) { // a hidden bar counts as absent
                EXPECT_NE(BarSignature(arrangements[a]), BarSignature(arrangements[b])) << a << "," << b;
            }
        }
    }
    EXPECT_EQ(BarSignature(arrangements[1]), BarSignature(arrangements[4]));
    // Sizes do not matter.
    EXPECT_EQ(BarSignature({RowEnd(), Bar(5, 7), RowEnd()}), BarSignature(arrangements[1]));
}

TEST(DockLayout, DropRowByTheCentreAcrossTheRows)
{
    const std::vector<DockSlot> slots{RowEnd(), Bar(100, 50), RowEnd(), Bar(100, 40), RowEnd()};
    struct Case {
        int across, slot, others;
    };
    const Case cases[] = {
        {-5, 0, 0},  // above the first row
        {10, 2, 1},  // in the first row: after its last bar
        {60, 4, 1},  // in the second row
        {100, 5, 0}, // past the rows: a new last row
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindDropRow(slots, c.across, 2), c.slot) << c.across;
        EXPECT_EQ(CountBarsInDropRow(slots, c.across, 2, -1), c.others) << c.across;
    }
    EXPECT_EQ(CountBarsInDropRow(slots, 10, 2, 1), 0); // only the dragged bar itself
    EXPECT_EQ(FindDropRow({RowEnd()}, 0, 2), 1);
    EXPECT_EQ(RowCount(slots), 2);
    EXPECT_EQ(RowNumber(slots, 3), 1);
}

TEST(DockLayout, ControlsScaleWithTheBarButComboBoxesKeepTheirHeight)
{
    EXPECT_EQ(ScaleControlRect(R(10, 20, 110, 40), 200, 100, 400, 200), R(20, 40, 220, 80));
    EXPECT_EQ(ScaleControlRect(R(10, 20, 110, -100), 200, 100, 400, 200), R(20, 40, 220, 140));
    EXPECT_EQ(ScaleControlRect(R(10, 20, 110, 40), 0, 100, 400, 200), R(10, 20, 110, 40));
}

TEST(BarPlacement, WrittenAndReadBack)
{
    BarPlacement p;
    p.side = kSideLeft;
    p.row = 1;
    p.index = 2;
    p.horz = {400, 75};
    p.vert = {112, 266};
    p.floating = {400, 150};
    p.floatX = -30;
    p.floatY = 40;
    p.visible = false;
    std::string text = FormatBarPlacement(p);
    EXPECT_EQ(text, "4,1,2,400,75,112,266,400,150,-30,40,0");
    BarPlacement q;
    ASSERT_TRUE(ParseBarPlacement(text, &q));
    EXPECT_EQ(FormatBarPlacement(q), text);
    for (const char* bad : {"", "4,1,2", "4,1,2,400,75,112,266,400,150,-30,40,0,9",
                            "left,1,2,400,75,112,266,400,150,-30,40,0"}) {
        BarPlacement r = q;
        EXPECT_FALSE(ParseBarPlacement(bad, &r)) << bad;
        EXPECT_EQ(FormatBarPlacement(r), text) << bad;
    }
}

TEST(BarPlacement, EditedValuesAreMadeUsable)
{
    BarPlacement current;
    current.side = kSideBottom;
    current.horz = {500, 120};
    current.vert = {150, 300};
    current.floating = {400, 200};
    struct Case {
        const char* text;
        unsigned allowed;
        const char* expected;
    };
    const Case cases[] = {
        // Zero, negative and absurd sizes take the current ones.
        {"2,0,0,0,-5,150,99999,400,200,0,0,1", kAlignAny, "2,0,0,500,120,150,300,400,200,0,0,1"},
        // A side that does not exist, or one the bar refuses, keeps the current side.
        {"9,0,0,500,120,150,300,400,200,0,0,1", kAlignAny, "2,0,0,500,120,150,300,400,200,0,0,1"},
        {"4,0,0,500,120,150,300,400,200,0,0,1", kAlignBottom, "2,0,0,500,120,150,300,400,200,0,0,1"},
        {"-1,0,0,500,120,150,300,400,200,0,0,1", kAlignAny, "2,0,0,500,120,150,300,400,200,0,0,1"},
        // Negative row and place become 0; floating stays allowed.
        {"0,-3,-1,500,120,150,300,400,200,5,6,0", kAlignBottom, "0,0,0,500,120,150,300,400,200,5,6,0"},
        {"4,2,1,300,60,90,250,350,180,0,0,1", kAlignAny, "4,2,1,300,60,90,250,350,180,0,0,1"},
    };
    for (const Case& c : cases) {
        BarPlacement p;
        ASSERT_TRUE(ParseBarPlacement(c.text, &p)) << c.text;
        ClampBarPlacement(&p, current, c.allowed);
        EXPECT_EQ(FormatBarPlacement(p), c.expected) << c.text;
    }
}
