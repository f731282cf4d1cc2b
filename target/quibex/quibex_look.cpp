// The font, cell size and marker bitmaps of the views.
#include "target/quibex/quibex_look.h"

#include "target/termui/ser_settings.h"

QuibexLook quibex_look;

void quibex_make_font()
{
    const SerSettings& s = ser_settings;
    if (quibex_look.font)
        DeleteObject(quibex_look.font);
    quibex_look.font = CreateFontA(s.font_height, 0, 0, 0, s.font_weight, s.italic ? TRUE : FALSE,
                                   FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                                   s.font_face.c_str());
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, quibex_look.font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    quibex_look.cell_width = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 8;
    int height = tm.tmHeight + tm.tmExternalLeading;
    quibex_look.cell_height = height > 0 ? height : 16;
}

void quibex_load_markers()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    int size = quibex_look.cell_height;
    for (int i = 0; i < MARKER_COUNT; i++) {
        if (quibex_look.markers[i])
            DeleteObject(quibex_look.markers[i]);
        quibex_look.markers[i] = static_cast<HBITMAP>(
            LoadImageA(instance, marker_resource_names[i], IMAGE_BITMAP, size, size, 0));
    }
}

void quibex_free_look()
{
    for (HBITMAP& b : quibex_look.markers) {
        if (b)
            DeleteObject(b);
        b = nullptr;
    }
    if (quibex_look.font)
        DeleteObject(quibex_look.font);
    quibex_look.font = nullptr;
}
