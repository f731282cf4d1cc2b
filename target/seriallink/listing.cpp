// Reader of the linker listing. Columns count from 0: a code row looks like
// "co:0100: 74 01 ...       : label: text", with the ':' that ends the byte
// columns at column 24, and a source echo is "<24 blanks>:>text".
#include "target/seriallink/listing.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

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

// A line appended in file order; not in the hash table.
static ListingLine* new_line(ListingIndex* index, int32_t address, int32_t mem_kind)
{
    ListingLine* line = static_cast<ListingLine*>(speicher_calloc(sizeof(ListingLine)));
    line->address = address;
    line->mem_kind = mem_kind;
    if (index->last)
        index->last->file_next = line;
    else
        index->first = line;
    index->last = line;
    index->line_count++;
    return line;
}

ListingLine* listing_find(const ListingIndex* index, int32_t address, int32_t mem_kind)
{
    if (address == -1)
        return nullptr;
    for (ListingLine* l = index->buckets[listing_hash(address, mem_kind)]; l; l = l->hash_next)
        if (l->address == address && l->mem_kind == mem_kind)
            return l;
    return nullptr;
}

static ListingLine* index_node(ListingIndex* index, int32_t address, int32_t mem_kind, int find_only)
{
    if (address == -1)
        return find_only ? nullptr : new_line(index, address, mem_kind);
    ListingLine* found = listing_find(index, address, mem_kind);
    if (found || find_only)
        return found;
    ListingLine* line = new_line(index, address, mem_kind);
    int bucket = listing_hash(address, mem_kind);
    line->hash_next = index->buckets[bucket];
    index->buckets[bucket] = line;
    return line;
}

ListingLine* listing_node(int32_t address, int32_t mem_kind, int find_only)
{
    return index_node(&listing, address, mem_kind, find_only);
}

void listing_release(ListingIndex* index)
{
    for (ListingLine* l = index->first; l;) {
        ListingLine* next = l->file_next;
        if (l->text)
            speicher_free(l->text);
        speicher_free(l);
        l = next;
    }
    for (ListingLabel* b = index->labels; b;) {
        ListingLabel* next = b->next;
        speicher_free(b->name);
        speicher_free(b);
        b = next;
    }
    if (index->lines)
        speicher_free(index->lines);
    std::memset(index, 0, sizeof *index);
}

void free_listing()
{
    listing_release(&listing);
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

namespace {

// What one read works on: the image it is checked against and the index
// and flags it fills.
struct ListingRead {
    const char* path;
    const uint8_t* bytes;
    int32_t load_address;
    int32_t size;
    uint8_t* flags;
    ListingIndex* index;
    std::string* error;
};

} // namespace

static void fail(ListingRead& r, const char* format, ...) REPORT_PRINTF(2, 3);
static void fail(ListingRead& r, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::vector<char> text(static_cast<size_t>(n > 0 ? n : 0) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    *r.error = text.data();
}

// Marks the bytes of one "co" row in the flags and checks them against the
// image; false (with the error set) when they differ.
static bool mark_code_row(ListingRead& r, const char* p, int32_t address, bool* label_pending)
{
    // Any address a line may hold (up to $FFFFFFFF) minus the load address
    // fits 64 bits, so no row can wrap around into the image.
    int64_t offset = static_cast<int64_t>(static_cast<uint32_t>(address)) - r.load_address;
    if (offset >= 0 && offset < r.size) {
        r.flags[offset] = IF_CODE | (*label_pending ? IF_LABEL : 0);
        *label_pending = false;
    }
    for (int position = 0; hex_digit(static_cast<unsigned char>(*p)) >= 0; position++) {
        int64_t at = offset + position;
        if (at < 0 || at >= r.size) {
            // Code bytes that the image does not hold: another link's listing.
            fail(r, "Files '%s' and '*.bin' different at Adr. $%x+%d: outside the image!", r.path,
                 static_cast<unsigned>(address), position);
            return false;
        }
        r.flags[at] |= IF_LISTED;
        int ignored = 0;
        int value = hex_bytes(&p, 1, &ignored);
        if (value < 0)
            break;
        if (*p == ' ')
            p++;
        if (value != r.bytes[at]) {
            fail(r, "Files '%s' and '*.bin' different at Adr. $%x+%d: $%02x and $%02x!", r.path,
                 static_cast<unsigned>(address), position, static_cast<unsigned>(value),
                 static_cast<unsigned>(r.bytes[at]));
            return false;
        }
    }
    *label_pending = false;
    return true;
}

// One line of any length; false at the end of the file. raw keeps the line
// end, as the column rules count it.
static bool read_line(FILE* f, std::string* raw)
{
    raw->clear();
    int c;
    while ((c = std::getc(f)) != EOF) {
        if (c != 0)
            raw->push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return !(c == EOF && raw->empty());
}

static bool read_lines(ListingRead& r, FILE* f)
{
    ListingIndex* index = r.index;
    bool label_pending = false;
    ListingLine* pending_echo = nullptr;
    int32_t line_number = 0;
    std::string raw;

    while (read_line(f, &raw)) {
        size_t length = raw.size();
        std::string text = raw;
        while (!text.empty() && static_cast<unsigned char>(text.back()) < 0x20)
            text.pop_back();
        size_t text_length = text.size();
        const char* t = text.c_str();

        // A label ends in ':' after the separating column.
        if (length > 25 && text_length > 24 && t[24] == ':') {
            const char* p = t + 25;
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
                    if (index->last_label)
                        index->last_label->next = label;
                    else
                        index->labels = label;
                    index->last_label = label;
                }
            }
        }

        int32_t address = -1;
        int32_t mem_kind = MK_NONE;
        if (length > 3 && text_length > 2 && t[2] == ':') {
            mem_kind = parse_kind(t);
            if (mem_kind < 0) {
                fail(r, "corrupt line in '%s': '%s'", r.path, t);
                return false;
            }
            const char* p = t + 3;
            address = parse_hex(&p);
            if (mem_kind == MK_CODE) {
                index->code_line_count++;
                if (*p)
                    p++;
                if (*p)
                    p++;
                if (!mark_code_row(r, p, address, &label_pending))
                    return false;
            }
        }

        // Overlaid data segments share addresses: the first line of an
        // address keeps the index entry, a later one is listed all the same.
        ListingLine* line = index_node(index, address, mem_kind, 0);
        if (line->kind != LK_NEW)
            line = new_line(index, address, mem_kind);
        if (length > 25 && text_length > 25 && t[24] == ':' && t[25] == '>') {
            line->kind = LK_ECHO;
            line->text = copy_text(t + 26, text_length - 26);
            pending_echo = line;
            index->echo_count++;
        } else {
            line->kind = LK_LISTING;
            line->text = copy_text(t, text_length);
            if (pending_echo && mem_kind != MK_NONE) {
                pending_echo->address = address;
                pending_echo->mem_kind = mem_kind;
                pending_echo = nullptr;
            }
        }
        line->line_number = line_number++;
    }
    return true;
}

int listing_read(const char* path, const uint8_t* bytes, int32_t load_address, int32_t size,
                 uint8_t* flags, ListingIndex* index, std::string* error)
{
    std::memset(index, 0, sizeof *index);
    ListingRead r{path, bytes, load_address, size, flags, index, error};
    FILE* f = std::fopen(path, "r");
    if (!f) {
        fail(r, "unable to open '%s'", path);
        return -1;
    }
    bool ok = read_lines(r, f);
    std::fclose(f);
    if (!ok) {
        listing_release(index);
        return -1;
    }
    index->lines = static_cast<ListingLine**>(
        speicher_alloc(static_cast<int32_t>(sizeof(ListingLine*)) * (index->line_count + 1)));
    int32_t i = 0;
    for (ListingLine* l = index->first; l; l = l->file_next)
        index->lines[i++] = l;
    return 0;
}

void read_listing(const char* path)
{
    // The listing is read against a copy of the image; the flags it marks
    // replace the image's flags once the whole listing has been read.
    std::vector<uint8_t> bytes;
    int32_t load_address;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        bytes.assign(target_image.bytes, target_image.bytes + target_image.size);
        load_address = target_image.load_address;
    }
    std::vector<uint8_t> flags(bytes.size());
    ListingIndex index;
    std::string error;
    if (listing_read(path, bytes.data(), load_address, static_cast<int32_t>(bytes.size()),
                     flags.data(), &index, &error) != 0)
        report_error(-1, "%s", error.c_str());
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        if (target_image.size == static_cast<int32_t>(flags.size()))
            std::memcpy(target_image.flags, flags.data(), flags.size());
    }
    free_listing();
    listing = index;
}
