// Decisions of the source view.
#include "target/quibex/source_model.h"

#include <cstring>

#include "target/seriallink/target_image.h"

const char* const marker_resource_names[MARKER_COUNT] = {
    "IDB_AKTPC", "IDB_AKTBRKPC", "IDB_ASSPC", "IDB_ASSBRK",
    "IDB_ASSJMP2", "IDB_ASSNO", "IDB_CPC", "IDB_CNOPC",
};

int clamp_top_line(int top, int line_count, int visible)
{
    if (top > line_count - visible)
        top = line_count - visible;
    return top < 0 ? 0 : top;
}

int scrolled_top_line(int code, int top, int thumb, int line_count, int visible)
{
    switch (code) {
    case SCROLL_LINE_UP: top -= 1; break;
    case SCROLL_LINE_DOWN: top += 1; break;
    case SCROLL_PAGE_UP: top -= visible; break;
    case SCROLL_PAGE_DOWN: top += visible; break;
    case SCROLL_THUMB_POSITION:
    case SCROLL_THUMB_TRACK: top = thumb; break;
    case SCROLL_TOP: top = 0; break;
    case SCROLL_BOTTOM: top = line_count - visible; break;
    default: break;
    }
    return clamp_top_line(top, line_count, visible);
}

int quarter_top_line(int line_number, int visible)
{
    int top = line_number - visible / 4;
    return top < 0 ? 0 : top;
}

static bool is_pc_line(const ListingLine* line, int32_t pc)
{
    return line->kind == LK_LISTING && line->mem_kind == MK_CODE && line->address == pc;
}

LineLook line_look(const ListingLine* line, int32_t pc)
{
    LineLook look;
    int32_t offset = line->address - image_load_address();
    int flags = line->address >= 0 ? image_flags(offset) : -1;
    if (line->kind == LK_ECHO) {
        look.echo = true;
        look.marker = line->address >= 0 && line->mem_kind == MK_CODE ? MARKER_CPC : MARKER_CNOPC;
        return look;
    }
    if (is_pc_line(line, pc)) {
        look.pc_line = true;
        if (flags < 0)
            look.marker = MARKER_NONE;
        else
            look.marker = flags & IF_BREAK ? MARKER_AKTBRKPC : MARKER_AKTPC;
        return look;
    }
    if (line->address < 0 || line->mem_kind != MK_CODE)
        look.marker = MARKER_ASSNO;
    else if (flags > 0 && (flags & IF_BREAK))
        look.marker = MARKER_ASSBRK;
    else if (flags > 0 && (flags & IF_LABEL))
        look.marker = MARKER_ASSJMP2;
    else
        look.marker = MARKER_ASSPC;
    return look;
}

int find_pc_line(int from, int count, int32_t pc)
{
    for (int i = from; i < from + count && i < listing.line_count; i++)
        if (i >= 0 && is_pc_line(listing.lines[i], pc))
            return i;
    return -1;
}

BreakAction breakpoint_action(const ListingLine* line, int click_column, int32_t pc)
{
    if (!line || line->kind != LK_LISTING || line->mem_kind != MK_CODE || line->address < 0)
        return BREAK_IGNORE;
    if (click_column > static_cast<int>(std::strlen(line->text)) + 1)
        return BREAK_IGNORE;
    // The two bytes just below the PC may be the tail of the breakpoint the
    // board stopped at: no breakpoint there.
    if (pc >= 0 && line->address >= pc - 2 && line->address <= pc - 1)
        return BREAK_IGNORE;
    int32_t offset = line->address - image_load_address();
    int32_t size = image_size();
    if (offset < 0 || offset > size - 3)
        return BREAK_OUTSIDE;
    if (image_flags(offset) & IF_BREAK)
        return BREAK_CLEAR;
    for (int i = 1; i <= 2; i++)
        if (image_flags(offset + i) & (IF_LABEL | IF_BREAK))
            return BREAK_NO_SPACE;
    // Nor may it overlap one planted just before (image_flags is -1, no
    // breakpoint, before the image's first byte).
    for (int i = 1; i <= 2; i++)
        if (offset - i >= 0 && (image_flags(offset - i) & IF_BREAK))
            return BREAK_NO_SPACE;
    return BREAK_SET;
}

const ListingLabel* find_label(const std::string& name)
{
    for (const ListingLabel* l = listing.labels; l; l = l->next)
        if (name == l->name)
            return l;
    return nullptr;
}
