// What the debugger's views draw with: the settings font, its cell size
// (average character width; height plus external leading) and the marker
// bitmaps of the source view, scaled to one cell height.
#pragma once

#include <windows.h>

#include "target/quibex/source_model.h"

struct QuibexLook {
    HFONT font = nullptr;
    int cell_width = 8;
    int cell_height = 16;
    HBITMAP markers[MARKER_COUNT] = {};
};

extern QuibexLook quibex_look;

// Makes the font and the cell size from the settings font.
void quibex_make_font();
// Loads the marker bitmaps again (after the cell size changed).
void quibex_load_markers();
// Frees the font and the bitmaps.
void quibex_free_look();
