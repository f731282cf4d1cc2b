// The source view's decisions: scrolling, markers, breakpoint clicks,
// labels and the PC line, over a small listing and image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "target/quibex/source_model.h"
#include "target/quibex/session.h"
#include "target/seriallink/listing.h"
#include "target/seriallink/target_image.h"
#include "testing/kit/test_kit.h"

namespace {

TEST(SourceScroll, CodesMoveTheTopLineWithinTheListing)
{
    struct Case {
        int code, top, thumb, expected;
    } cases[] = {
        {SCROLL_LINE_UP, 5, 0, 4},       {SCROLL_LINE_UP, 0, 0, 0},
        {SCROLL_LINE_DOWN, 5, 0, 6},     {SCROLL_LINE_DOWN, 80, 0, 80},
        {SCROLL_PAGE_UP, 30, 0, 10},     {SCROLL_PAGE_UP, 5, 0, 0},
        {SCROLL_PAGE_DOWN, 30, 0, 50},   {SCROLL_PAGE_DOWN, 70, 0, 80},
        {SCROLL_THUMB_TRACK, 0, 42, 42}, {SCROLL_THUMB_POSITION, 0, 99, 80},
        {SCROLL_TOP, 50, 0, 0},          {SCROLL_BOTTOM, 0, 0, 80},
        {8 /* end of scroll */, 33, 0, 33},
    };
    // 100 lines, 20 visible.
    for (const Case& c : cases)
        EXPECT_EQ(scrolled_top_line(c.code, c.top, c.thumb, 100, 20), c.expected)
            << c.code << " from " << c.top;
    // A listing shorter than the view stays at its top.
    EXPECT_EQ(scrolled_top_line(SCROLL_BOTTOM, 0, 0, 5, 20), 0);
    EXPECT_EQ(quarter_top_line(50, 20), 45);
    EXPECT_EQ(quarter_top_line(3, 20), 0);
}

// Image at $8000: mov a,#1 | lcall 8009 | label: 5 bytes of data | ret.
class Model : public testing::Test {
protected:
    void SetUp() override
    {
        free_listing();
        free_image();
        std::string folder = test_folder("model");
        std::vector<uint8_t> bytes = {0x74, 0x01, 0x12, 0x80, 0x09, 0x00, 0x00, 0x00, 0x00, 0x22,
                                      0x00, 0x00, 0x00, 0x22};
        std::string data(bytes.begin(), bytes.end());
        data += std::string("\0\0\x80\0", 4);
        write_file(folder + "/m.bin", data);
        write_file(folder + "/m.lst",
                   "listing:m.lst\n"                                            // 0
                   "                        :>int main(void)\n"                   // 1
                   "co:8000: 74 01          : start: mov a,#1\n"                  // 2
                   "co:8002: 12 80 09       :        lcall sub\n"                 // 3
                   "co:8005: 00 00 00 00    :        nop\n"                       // 4
                   "co:8009: 22             : sub:   ret\n"                       // 5
                   "co:800a: 00             :        nop\n"                       // 6
                   "co:800b: 00             :        nop\n"                       // 7
                   "co:800c: 00             :        nop\n"                       // 8
                   "co:800d: 22             :        ret\n"                       // 9
                   "dr:0020: xx             : buf:   ds 1\n"                      // 10
                   "                        :>}\n");                              // 11
        StagedSession staged;
        ASSERT_EQ(stage_session(folder + "/m.bin", &staged), 0);
        commit_session(&staged);
    }
    void TearDown() override
    {
        free_listing();
        free_image();
    }
    const ListingLine* Line(int i) const { return listing.lines[i]; }
};

TEST_F(Model, MarkersFollowTheLineAndItsFlags)
{
    image_set_flags(3, IF_BREAK, 0); // a breakpoint at $8003 (inside a line) changes nothing shown
    image_set_flags(0x0a, IF_BREAK, 0);
    struct Case {
        int line;
        int32_t pc;
        int marker;
        bool pc_line, echo;
    } cases[] = {
        {3, -1, MARKER_ASSPC, false, false},
        {2, -1, MARKER_ASSJMP2, false, false},
        {3, 0x8002, MARKER_AKTPC, true, false},
        {5, -1, MARKER_ASSJMP2, false, false},
        {6, -1, MARKER_ASSBRK, false, false},
        {6, 0x800a, MARKER_AKTBRKPC, true, false},
        {10, 0x20, MARKER_ASSNO, false, false},
        {0, -1, MARKER_ASSNO, false, false},
        {1, -1, MARKER_CPC, false, true},
        {11, -1, MARKER_CNOPC, false, true},
    };
    for (const Case& c : cases) {
        LineLook look = line_look(Line(c.line), c.pc);
        EXPECT_EQ(look.marker, c.marker) << "line " << c.line;
        EXPECT_EQ(look.pc_line, c.pc_line) << "line " << c.line;
        EXPECT_EQ(look.echo, c.echo) << "line " << c.line;
    }
}

TEST_F(Model, ClicksSetClearOrRefuseBreakpoints)
{
    // A breakpoint takes three bytes: the two after it must carry neither
    // a label nor a breakpoint, the two before it no breakpoint.
    image_set_flags(0x0b, IF_BREAK, 0); // $800b
    struct Case {
        int line;
        int column;
        int32_t pc;
        BreakAction action;
    } cases[] = {
        {2, 3, -1, BREAK_SET},
        {2, 200, -1, BREAK_IGNORE},   // right of the text
        {0, 3, -1, BREAK_IGNORE},     // no address
        {10, 3, -1, BREAK_IGNORE},    // data memory
        {1, 30, -1, BREAK_IGNORE},    // a source echo
        {3, 3, 0x8004, BREAK_IGNORE}, // two bytes below the PC
        {3, 3, 0x8003, BREAK_IGNORE}, // one byte below the PC
        {3, 3, 0x8002, BREAK_SET},    // at the PC
        {5, 3, -1, BREAK_NO_SPACE},   // $800b two bytes on
        {6, 3, -1, BREAK_NO_SPACE},   // $800b one byte on
        {7, 3, -1, BREAK_CLEAR},
        {8, 3, -1, BREAK_OUTSIDE},    // two bytes before the end: no room for three
    };
    for (const Case& c : cases)
        EXPECT_EQ(breakpoint_action(Line(c.line), c.column, c.pc), c.action) << "line " << c.line;

    // A label in the way, and a breakpoint just before.
    image_set_flags(0x06, IF_LABEL, 0);
    EXPECT_EQ(breakpoint_action(Line(4), 3, -1), BREAK_NO_SPACE);
    image_set_flags(0x00, IF_BREAK, 0);
    EXPECT_EQ(breakpoint_action(Line(3), 3, -1), BREAK_NO_SPACE);
}

TEST_F(Model, LabelsAndThePcLine)
{
    ASSERT_NE(find_label("sub"), nullptr);
    EXPECT_EQ(find_label("sub")->line_number, 5);
    EXPECT_EQ(find_label("su"), nullptr);
    EXPECT_EQ(find_label("subx"), nullptr);
    EXPECT_EQ(find_pc_line(0, 12, 0x8009), 5);
    EXPECT_EQ(find_pc_line(0, 5, 0x8009), -1);
    EXPECT_EQ(find_pc_line(0, 12, 0x20), -1);
}

} // namespace
