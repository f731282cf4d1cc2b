// Reader of the linker listing. Columns count from 0: a code row looks like
// "co:0100: 74 01 ...       : label: text", with the ':' that ends the byte
// columns at column 24, and a source echo is "<24 blanks>:>text".
#include "target/seriallink/listing.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "common/report_error.h"
#include "common/speicher.h"
#include "target/seriallink/target_image.h"

ListingIndex listing;

static char* copy_text(const char* s, size_t n)
{
    char* t = static_cast<char*>(speicher_alloc(static_cast<int32_t>(n + 1)));
    std::memcpy(t, s, n);
    t[n] = 0;
    return t;
}

int listing_hash(int32_t address, int32_t mem_kind)
{
    return static_cast<int>((static_cast<uint32_t>(address) + static_cast<uint32_t>(mem_kind)) %
                            LISTING_BUCKETS);
}

static ListingLine* new_line(int32_t address, int32_t mem_kind)
{
    ListingLine* line = static_cast<ListingLine*>(speicher_calloc(sizeof(ListingLine)));
    line->address = address;
    line->mem_kind = mem_kind;
    if (listing.last)
        listing.last->file_next = line;
    else
        listing.first = line;
    listing.last = line;
    listing.line_count++;
    return line;
}

ListingLine* listing_node(int32_t address, int32_t mem_kind, int find_only)
{
    if (address == -1)
        return find_only ? nullptr : new_line(address, mem_kind);
    int bucket = listing_hash(address, mem_kind);
    for (ListingLine* l = listing.buckets[bucket]; l; l = l->hash_next)
        if (l->address == address && l->mem_kind == mem_kind)
            return l;
    if (find_only)
        return nullptr;
    ListingLine* line = new_line(address, mem_kind);
    line->hash_next = listing.buckets[bucket];
    listing.buckets[bucket] = line;
    return line;
}

void free_listing()
{
    for (ListingLine* l = listing.first; l;) {
        ListingLine* next = l->file_next;
        if (l->text)
            speicher_free(l->text);
        speicher_free(l);
        l = next;
    }
    for (ListingLabel* b = listing.labels; b;) {
        ListingLabel* next = b->next;
        speicher_free(b->name);
        speicher_free(b);
        b = next;
    }
    if (listing.lines)
        speicher_free(listing.lines);
    std::memset(&listing, 0, sizeof listing);
}

static bool name_char(int c)
{
    return c == '?' || c == '_' || std::isalnum(static_cast<unsigned char>(c));
}

static const char* const kind_names[] = {"co", "xr", "bi", "dr", "ir"};

static int parse_kind(const char* s)
{
    for (int k = 0; k < 5; k++)
        if (s[0] == kind_names[k][0] && s[1] == kind_names[k][1])
            return k;
    return -1;
}

// Reads a hexadecimal number; stops at the first other character.
static int32_t parse_hex(const char** cursor)
{
    uint32_t value = 0;
    const char* p = *cursor;
    while (hex_digit(static_cast<unsigned char>(*p)) >= 0)
        value = value * 16 + static_cast<uint32_t>(hex_digit(static_cast<unsigned char>(*p++)));
    *cursor = p;
    return static_cast<int32_t>(value);
}

// Marks the bytes of one "co" row in the image's flags and checks them
// against the image. Caller holds the image lock.
static void mark_code_row(const char* path, const char* text, const char* p, int32_t address,
                          bool* label_pending)
{
    TargetImage& img = target_image;
    int32_t offset = address - img.load_address;
    if (offset >= 0 && offset < img.size) {
        img.flags[offset] = IF_CODE | (*label_pending ? IF_LABEL : 0);
        *label_pending = false;
    }
    for (int position = 0; hex_digit(static_cast<unsigned char>(*p)) >= 0; position++) {
        int32_t at = offset + position;
        if (at < 0 || at >= img.size)
            break;
        img.flags[at] |= IF_LISTED;
        int ignored = 0;
        int value = hex_bytes(&p, 1, &ignored);
        if (value < 0)
            break;
        if (*p == ' ')
            p++;
        if (value != img.bytes[at]) {
            int image_value = img.bytes[at];
            target_image_lock.unlock();
            report_error(-1, "Files '%s' and '*.bin' different at Adr. $%x+%d: $%02x and $%02x!",
                         path, static_cast<unsigned>(address), position, static_cast<unsigned>(value),
                         static_cast<unsigned>(image_value));
        }
    }
    *label_pending = false;
}

void read_listing(const char* path)
{
    FILE* f = std::fopen(path, "r");
    if (!f)
        report_error(-1, "unable to open '%s'", path);

    char raw[178];
    bool label_pending = false;
    ListingLine* pending_echo = nullptr;
    int32_t line_number = 0;

    while (std::fgets(raw, sizeof raw, f)) {
        size_t length = std::strlen(raw);
        char text[178];
        std::memcpy(text, raw, length + 1);
        size_t text_length = length;
        while (text_length > 0 && static_cast<unsigned char>(text[text_length - 1]) < 0x20)
            text[--text_length] = 0;

        // A label ends in ':' after the separating column.
        if (length > 25 && text_length > 24 && text[24] == ':') {
            const char* p = text + 25;
            while (*p == ' ')
                p++;
            const char* name = p;
            while (name_char(*p))
                p++;
            if (p > name && *p == ':') {
                label_pending = true;
                if (name[0] != '?') {
                    ListingLabel* label =
                        static_cast<ListingLabel*>(speicher_calloc(sizeof(ListingLabel)));
                    label->name = copy_text(name, static_cast<size_t>(p - name));
                    label->line_number = line_number;
                    if (listing.last_label)
                        listing.last_label->next = label;
                    else
                        listing.labels = label;
                    listing.last_label = label;
                }
            }
        }

        int32_t address = -1;
        int32_t mem_kind = MK_NONE;
        if (length > 3 && text_length > 2 && text[2] == ':') {
            mem_kind = parse_kind(text);
            if (mem_kind < 0)
                report_error(-1, "corrupt line in '%s': '%s'", path, text);
            const char* p = text + 3;
            address = parse_hex(&p);
            if (mem_kind == MK_CODE) {
                listing.code_line_count++;
                if (*p)
                    p++;
                if (*p)
                    p++;
                target_image_lock.lock();
                mark_code_row(path, text, p, address, &label_pending);
                target_image_lock.unlock();
            }
        }

        ListingLine* line = listing_node(address, mem_kind, 0);
        if (line->kind != LK_NEW)
            report_error(-1, "double address in '%s': '%s'", path, text);
        if (length > 25 && text_length > 25 && text[24] == ':' && text[25] == '>') {
            line->kind = LK_ECHO;
            line->text = copy_text(text + 26, text_length - 26);
            pending_echo = line;
            listing.echo_count++;
        } else {
            line->kind = LK_LISTING;
            line->text = copy_text(text, text_length);
            if (pending_echo && mem_kind != MK_NONE) {
                pending_echo->address = address;
                pending_echo->mem_kind = mem_kind;
                pending_echo = nullptr;
            }
        }
        line->line_number = line_number++;
    }
    std::fclose(f);

    listing.lines = static_cast<ListingLine**>(
        speicher_alloc(static_cast<int32_t>(sizeof(ListingLine*)) * (listing.line_count + 1)));
    int32_t i = 0;
    for (ListingLine* l = listing.first; l; l = l->file_next)
        listing.lines[i++] = l;
}
