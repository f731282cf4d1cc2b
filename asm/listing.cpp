#include "asm/listing.h"

#include "asm/messages.h"
#include "asm/segment.h"
#include "asm/settings.h"
#include "common/speicher.h"

#include <cstring>
#include <string>

namespace morrin {

debug_line* debug_first;
static debug_line* debug_last;
int32_t show_level = 1;

static FILE* list_file;
static bool pending;
static int pending_kind;
static std::string pending_text;

static segment* snap_segment;
static relocation* snap_reloc;
static int32_t snap_show;

void listing_open(FILE* file) { list_file = file; }

void listing_close(void)
{
    if (list_file)
        std::fclose(list_file);
    list_file = nullptr;
}

void listing_snapshot(void)
{
    snap_segment = current_segment;
    snap_reloc = reloc_last;
    snap_show = show_level;
    line_byte_count = 0;
}

void listing_set_pending(const char* text, int kind)
{
    if (!g_settings.listing && !g_settings.debug_lines)
        return;
    pending = true;
    pending_kind = kind;
    pending_text.assign(text);
}

void listing_text(const char* raw, char* out, int out_size)
{
    int width = g_settings.list_width;
    if (width > out_size - 1)
        width = out_size - 1;
    int tab = g_settings.tab_size > 0 ? g_settings.tab_size : 8;
    int col = 0;
    for (const char* p = raw; *p && *p != '\n' && *p != '\r' && col < width; p++) {
        if (*p == '\t') {
            do {
                out[col++] = ' ';
            } while (col % tab != 0 && col < width);
        } else {
            out[col++] = *p;
        }
    }
    out[col] = '\0';
}

// The relocation records made on this line cover the byte at offset?
static bool covered(int32_t seg_number, int32_t offset)
{
    for (relocation* r = snap_reloc ? snap_reloc->next : reloc_first; r; r = r->next)
        if (r->seg_number == seg_number && offset >= r->offset && offset < r->offset + reloc_width(r->kind))
            return true;
    return false;
}

// One listing row: the bytes from "first" (up to five), then the text on the
// first row of a line or " :" alone on the others. Rows are written one by
// one, so that no line needs the memory of all its rows.
static void write_row(segment* seg, int32_t start, int64_t count, int64_t first, const char* text)
{
    std::string out;
    char buf[32];
    if (count > 0) {
        uint32_t base = seg->org >= 0 ? static_cast<uint32_t>(seg->org) : 0u;
        uint32_t address = base + static_cast<uint32_t>(start) + static_cast<uint32_t>(first);
        std::snprintf(buf, sizeof buf, "%02x:%04lx:", static_cast<unsigned>(seg->number),
                      static_cast<unsigned long>(address));
        out += buf;
    } else {
        out += "        ";
    }
    for (int c = 0; c < 5; c++) {
        int64_t i = first + c;
        if (i >= count) {
            out += "   ";
        } else if (seg->flags & SEG_NOTEXT) {
            out += " xx";
        } else if (covered(seg->number, start + static_cast<int32_t>(i))) {
            out += " rr";
        } else {
            std::snprintf(buf, sizeof buf, " %02x", segment_byte_at(seg, start + static_cast<int32_t>(i)));
            out += buf;
        }
    }
    if (text) {
        out += " :";
        out += pending_kind == LINE_HLL ? '>' : ' ';
        out += text;
        out += "\r\n";
    } else {
        out += " :\r\n";
    }
    std::fwrite(out.data(), 1, out.size(), list_file);
}

// The rows of a line: five bytes each (one row for a line without bytes).
// Space reserved in a notext segment shows no bytes, only its extent: it is
// listed in at most three rows, the first, one with its size and the last,
// however much it reserves.
static void write_rows(segment* seg, int32_t start, int32_t count, const char* text)
{
    const int64_t rows = count > 0 ? (int64_t{count} + 4) / 5 : 1;
    const bool reserved = count > 0 && (seg->flags & SEG_NOTEXT);
    for (int64_t row = 0; row < rows; ++row) {
        if (reserved && rows > 3 && row == 1) {
            std::string size = std::string(24, ' ') + ": ... " + std::to_string(count) + " bytes reserved\r\n";
            std::fwrite(size.data(), 1, size.size(), list_file);
            row = rows - 2;
            continue;
        }
        write_row(seg, start, count, row * 5, row == 0 ? text : nullptr);
    }
}

void finish_line(void)
{
    if (!g_settings.listing && !g_settings.debug_lines)
        return;
    int32_t level = snap_show > show_level ? snap_show : show_level;
    if (!pending || level <= 0) {
        // A hidden line: its bytes are not listed, and the next line starts
        // afresh so that every listed line shows only its own bytes.
        pending = false;
        listing_snapshot();
        return;
    }
    char text[256];
    listing_text(pending_text.c_str(), text, sizeof text);

    segment* seg = snap_segment ? snap_segment : current_segment;
    int32_t count = seg ? line_byte_count : 0;
    int32_t start = seg ? seg->used - count : 0;
    if (start < 0) {
        start = 0;
        count = seg->used;
    }

    if (g_settings.debug_lines) {
        debug_line* d = static_cast<debug_line*>(speicher_alloc(sizeof(debug_line)));
        d->next = nullptr;
        d->seg_number = count > 0 ? seg->number : -1;
        d->offset = count > 0 ? start : -1;
        d->count = count;
        d->hll = pending_kind == LINE_HLL;
        size_t len = std::strlen(text);
        d->text = static_cast<char*>(speicher_alloc(static_cast<int32_t>(len + 1)));
        std::memcpy(d->text, text, len + 1);
        if (debug_last)
            debug_last->next = d;
        else
            debug_first = d;
        debug_last = d;
    }

    if (g_settings.listing && list_file)
        write_rows(seg, start, count, text);

    pending = false;
    listing_snapshot();
}

void listing_reset(void)
{
    debug_line* d = debug_first;
    while (d) {
        debug_line* n = d->next;
        speicher_free(d->text);
        speicher_free(d);
        d = n;
    }
    debug_first = debug_last = nullptr;
    show_level = 1;
    pending = false;
    pending_text.clear();
    snap_segment = nullptr;
    snap_reloc = nullptr;
    snap_show = 1;
    list_file = nullptr;
}

} // namespace morrin
