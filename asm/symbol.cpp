#include "asm/symbol.h"

#include "asm/messages.h"
#include "common/speicher.h"

#include <cstring>

namespace morrin {

char ident_buffer[IDENT_MAX + 1];
bool autoimport_given;

static symbol* buckets[SYMBOL_BUCKETS];
// The side index finds a name in one short chain. It starts small and
// doubles with the symbols: a short source (most of a build's starts) then
// touches a few pages of it instead of half a megabyte.
enum { INDEX_FIRST_SIZE = 1 << 10 };
static symbol** side_index;
static uint32_t index_size;
static uint32_t index_count;

bool ident_start_char(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '?';
}

bool ident_char(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= '0' && c <= '9');
}

int scan_identifier(const char* text, const char** after)
{
    int n = 0;
    if (ident_start_char(static_cast<unsigned char>(text[0]))) {
        ident_buffer[n++] = text[0];
        while (n < IDENT_MAX && ident_char(static_cast<unsigned char>(text[n]))) {
            ident_buffer[n] = text[n];
            n++;
        }
        if (n == IDENT_MAX && ident_char(static_cast<unsigned char>(text[n]))) {
            // Cut short, the name would stand for another one: no name is
            // taken at all, so that nothing is defined or looked up under it.
            asm_message(MSG_ERROR, "name too long (more than %d characters)", IDENT_MAX);
            n = 0;
        }
    }
    ident_buffer[n] = '\0';
    if (after)
        *after = text + n;
    return n;
}

uint32_t symbol_hash(const char* name)
{
    uint32_t h = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p >= 32 && *p <= 127; p++)
        h = (h * 2u) ^ *p;
    return h % SYMBOL_BUCKETS;
}

static uint32_t index_hash(const char* name)
{
    uint32_t h = 2166136261u;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; p++)
        h = (h ^ *p) * 16777619u;
    return h;
}

// A side index of size entries (a power of two) holding every symbol.
static void build_index(uint32_t size)
{
    if (side_index)
        speicher_free(side_index);
    side_index = static_cast<symbol**>(speicher_calloc(static_cast<int32_t>(size * sizeof(symbol*))));
    index_size = size;
    for (int b = 0; b < SYMBOL_BUCKETS; b++) {
        for (symbol* s = buckets[b]; s; s = s->next) {
            uint32_t ih = index_hash(s->name) & (size - 1);
            s->index_next = side_index[ih];
            side_index[ih] = s;
        }
    }
}

symbol* find_symbol(const char* name, bool lookup_only)
{
    if (!side_index)
        build_index(INDEX_FIRST_SIZE);
    uint32_t ih = index_hash(name) & (index_size - 1);
    for (symbol* s = side_index[ih]; s; s = s->index_next)
        if (std::strcmp(s->name, name) == 0)
            return s;
    if (lookup_only)
        return nullptr;
    symbol* s = static_cast<symbol*>(speicher_calloc(sizeof(symbol)));
    size_t len = std::strlen(name);
    s->name = static_cast<char*>(speicher_alloc(static_cast<int32_t>(len + 1)));
    std::memcpy(s->name, name, len + 1);
    if (asm_position_line() > 0 && asm_position_file() > 0) {
        s->def_line = asm_position_line();
        s->def_file = asm_position_file();
    }
    s->kind = SYM_NEW;
    s->seg_number = -1;
    uint32_t h = symbol_hash(name);
    s->next = buckets[h];
    buckets[h] = s;
    s->index_next = side_index[ih];
    side_index[ih] = s;
    if (++index_count > 2 * index_size && index_size < (1u << 24))
        build_index(index_size * 2);
    return s;
}

symbol* scan_symbol(const char* text, const char** after)
{
    if (scan_identifier(text, after) == 0)
        return nullptr;
    return find_symbol(ident_buffer, false);
}

void for_each_symbol(symbol_fn fn, void* context)
{
    for (int b = 0; b < SYMBOL_BUCKETS; b++)
        for (symbol* s = buckets[b]; s; s = s->next)
            if (fn(s, context))
                return;
}

void reference_symbol(symbol* s)
{
    if (s->kind == SYM_NEW) {
        s->kind = SYM_LABEL;
        s->flags = LABEL_REFERENCED;
        s->seg_number = -1;
    } else if (s->kind == SYM_LABEL) {
        s->flags |= LABEL_REFERENCED;
    }
}

void declare_names(const char* list, uint32_t flag)
{
    const char* p = list;
    for (;;) {
        const char* after;
        if (scan_identifier(p, &after) == 0) {
            asm_message(MSG_ERROR, "invalid identifier");
            return;
        }
        symbol* s = find_symbol(ident_buffer, false);
        if (s->name[0] == '?')
            asm_message(MSG_ERROR, "invalid use of temporary label");
        if (s->kind == SYM_NEW) {
            s->kind = SYM_LABEL;
            s->flags = flag;
            s->seg_number = -1;
        } else if (s->kind == SYM_LABEL) {
            s->flags |= flag;
        } else if (s->kind == SYM_CONSTANT && flag == LABEL_IMPORT) {
            // a constant declared import is left as it is
        } else {
            asm_message(MSG_ERROR, "symbol already in use");
            return;
        }
        p = after;
        if (*p == '\0')
            return;
        if (*p != ',') {
            asm_message(MSG_ERROR, "syntax error");
            return;
        }
        p++;
    }
}

static int check_label(symbol* s, void*)
{
    if (s->kind != SYM_LABEL)
        return 0;
    if (s->flags & (LABEL_DEFINED | LABEL_IMPORT))
        return 0;
    if (autoimport_given) {
        s->flags |= LABEL_IMPORT;
    } else {
        asm_set_position(s->def_file, s->def_line);
        asm_message(MSG_ERROR, "label '%s' undefined", s->name);
        asm_set_position(0, 0);
    }
    return 0;
}

void check_all_symbols(void)
{
    // An undefined label must count as an error even where the line that
    // first used it has had a warning.
    asm_forget_last_position();
    // The table of segments by number is kept from the start (segment.cpp).
    for_each_symbol(check_label, nullptr);
}

static void free_symbol(symbol* s)
{
    if (s->kind == SYM_MACRO) {
        macro_line* m = s->body;
        while (m) {
            macro_line* next = m->next;
            speicher_free(m->text);
            speicher_free(m);
            m = next;
        }
    }
    if (s->kind == SYM_TEXT && s->text)
        speicher_free(s->text);
    speicher_free(s->name);
    speicher_free(s);
}

void symbol_reset(void)
{
    for (int b = 0; b < SYMBOL_BUCKETS; b++) {
        symbol* s = buckets[b];
        while (s) {
            symbol* next = s->next;
            free_symbol(s);
            s = next;
        }
        buckets[b] = nullptr;
    }
    if (side_index)
        speicher_free(side_index);
    side_index = nullptr;
    index_size = 0;
    index_count = 0;
    autoimport_given = false;
}

} // namespace morrin
