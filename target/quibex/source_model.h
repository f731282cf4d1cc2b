// What the debugger's source view decides without a window: where its top
// line goes on scrolling, which marker a listing line gets, whether a click
// may set or clear a breakpoint, and where a label or the program counter
// stands in the listing. Reads the global listing and the target image.
#pragma once

#include <cstdint>
#include <string>

#include "target/seriallink/listing.h"

// Scroll codes, as the window system numbers them.
enum ScrollCode {
    SCROLL_LINE_UP = 0,
    SCROLL_LINE_DOWN = 1,
    SCROLL_PAGE_UP = 2,
    SCROLL_PAGE_DOWN = 3,
    SCROLL_THUMB_POSITION = 4,
    SCROLL_THUMB_TRACK = 5,
    SCROLL_TOP = 6,
    SCROLL_BOTTOM = 7,
};

// Keeps a top line within 0 .. line count - visible lines (at least 0).
int clamp_top_line(int top, int line_count, int visible);
// The top line after a scroll code (thumb: the thumb's position), clamped;
// any other code leaves it.
int scrolled_top_line(int code, int top, int thumb, int line_count, int visible);
// A line placed a quarter of the visible lines below the top of the view.
int quarter_top_line(int line_number, int visible);

// The marker bitmaps of the source view.
enum Marker {
    MARKER_AKTPC,     // the line at the current PC
    MARKER_AKTBRKPC,  // the line at the current PC with a breakpoint
    MARKER_ASSPC,     // a code line
    MARKER_ASSBRK,    // a code line with a breakpoint
    MARKER_ASSJMP2,   // a code line with a label
    MARKER_ASSNO,     // a line without an address, or of data memory
    MARKER_CPC,       // a source echo of a code address
    MARKER_CNOPC,     // a source echo without one
    MARKER_NONE,      // the PC line when the PC lies outside the image
    MARKER_COUNT = MARKER_NONE,
};

// The resource names of the markers, in Marker order.
extern const char* const marker_resource_names[MARKER_COUNT];

struct LineLook {
    int marker = MARKER_ASSNO;
    bool pc_line = false; // drawn on the light yellow background
    bool echo = false;    // drawn light blue, in the source column
};

// How a listing line is drawn while the program counter is pc.
LineLook line_look(const ListingLine* line, int32_t pc);

// The first line (from `from`, `count` lines on) that is the code line at
// the pc; -1 when none of them is.
int find_pc_line(int from, int count, int32_t pc);

// What a click on a line may do to a breakpoint.
enum BreakAction {
    BREAK_IGNORE,   // not a code line, too far right, or just below the PC
    BREAK_OUTSIDE,  // its address lies outside the image (or in its last two bytes)
    BREAK_SET,
    BREAK_CLEAR,
    BREAK_NO_SPACE, // a breakpoint takes three bytes: a label or another breakpoint is in the way
};

// click_column: the clicked cell column; address: the line's address.
BreakAction breakpoint_action(const ListingLine* line, int click_column, int32_t pc);

// The first label of the listing with exactly this name; null when none.
const ListingLabel* find_label(const std::string& name);
