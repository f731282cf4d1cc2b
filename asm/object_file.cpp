#include "asm/object_file.h"

#include "asm/formel.h"
#include "asm/listing.h"
#include "asm/messages.h"
#include "asm/segment.h"
#include "asm/settings.h"
#include "asm/sources.h"
#include "asm/symbol.h"
#include "common/safe_file.h"
#include "common/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace morrin {

static const size_t OBJECT_NAME_MAX = 37;

static void addf(std::string& out, const char* format, ...) DIAG_PRINTF(2, 3);

static void addf(std::string& out, const char* format, ...)
{
    char buf[128];
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    if (n >= 0 && static_cast<size_t>(n) < sizeof buf) {
        out.append(buf, static_cast<size_t>(n));
        return;
    }
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(ap, format);
    std::vsnprintf(&big[0], big.size(), format, ap);
    va_end(ap);
    big.resize(static_cast<size_t>(n));
    out += big;
}

static const char* const EOL = "\r\n";

static int write_import(symbol* s, void* ctx)
{
    std::string& out = *static_cast<std::string*>(ctx);
    if (s->kind == SYM_LABEL && (s->flags & LABEL_IMPORT) && (s->flags & LABEL_REFERENCED)) {
        if (s->name[0] == '?')
            asm_message(MSG_ERROR, "illegal '.import' on temporary '%s'", s->name);
        out += "import:";
        out += s->name;
        out += EOL;
    }
    return 0;
}

static int write_export(symbol* s, void* ctx)
{
    std::string& out = *static_cast<std::string*>(ctx);
    if (s->kind == SYM_LABEL && (s->flags & LABEL_EXPORT) && (s->flags & LABEL_DEFINED)) {
        if (s->name[0] == '?')
            asm_message(MSG_ERROR, "illegal '.export' on temporary '%s'", s->name);
        if (s->seg_number >= 0)
            addf(out, "export:%s @%x:%lx", s->name, static_cast<unsigned>(s->seg_number),
                 static_cast<unsigned long>(static_cast<uint32_t>(s->value)));
        else
            addf(out, "define:%s %lx", s->name, static_cast<unsigned long>(static_cast<uint32_t>(s->value)));
        out += EOL;
    }
    return 0;
}

static int write_def(symbol* s, void* ctx)
{
    std::string& out = *static_cast<std::string*>(ctx);
    if (s->kind == SYM_LABEL && (s->flags & LABEL_DEFINED) && s->name[0] != '?') {
        if (s->seg_number >= 0)
            addf(out, "def:%s @%x:%lx", s->name, static_cast<unsigned>(s->seg_number),
                 static_cast<unsigned long>(static_cast<uint32_t>(s->value)));
        else
            addf(out, "def:%s @m:%lx", s->name, static_cast<unsigned long>(static_cast<uint32_t>(s->value)));
        out += EOL;
    }
    return 0;
}

static void write_segment(std::string& out, segment* seg)
{
    addf(out, "segment:%s @%x:", seg->sym->name, static_cast<unsigned>(seg->number));
    if (seg->org >= 0)
        addf(out, "%lx", static_cast<unsigned long>(static_cast<uint32_t>(seg->org)));
    else
        out += 'm';
    if (seg->size >= 0)
        addf(out, " s:%lx", static_cast<unsigned long>(static_cast<uint32_t>(seg->size)));
    else if (seg->flags & SEG_FILL)
        out += " s:0";
    addf(out, " u:%lx", static_cast<unsigned long>(static_cast<uint32_t>(seg->used)));
    if (seg->flags & SEG_NOTEXT)
        out += " n";
    if (seg->flags & SEG_FILL)
        out += " f";
    if (seg->sclass) {
        out += " c:";
        out += seg->sclass;
    }
    if (seg->page != 0)
        addf(out, " p:%lx", static_cast<unsigned long>(static_cast<uint32_t>(seg->page)));
    if (seg->align != 0)
        addf(out, " a:%lx", static_cast<unsigned long>(static_cast<uint32_t>(seg->align)));
    if (seg->flags & SEG_ROOT)
        out += " r";
    out += EOL;
    if ((seg->flags & SEG_NOTEXT) || seg->used == 0)
        return;
    static const char hex[] = "0123456789abcdef";
    int32_t i = 0;
    for (seg_block* b = seg->first; b && i < seg->used; b = b->next) {
        for (int k = 0; k < SEG_BLOCK_SIZE && i < seg->used; k++, i++) {
            uint8_t v = b->data[k];
            if (i % 16 != 0)
                out += ' ';
            out += hex[v >> 4];
            out += hex[v & 15];
            if (i % 16 == 15 || i + 1 == seg->used)
                out += EOL;
        }
    }
}

static void write_token(std::string& out, const expr_token& t)
{
    if (t.type == TOK_NUMBER) {
        addf(out, "%ld", static_cast<long>(t.value));
        return;
    }
    if (t.type != TOK_SYMBOL) {
        out += token_names[t.type];
        return;
    }
    symbol* s = t.sym;
    if (s->kind == SYM_LABEL) {
        if (s->flags & (LABEL_IMPORT | LABEL_EXPORT))
            out += s->name;
        else
            addf(out, "@%x:%lx", static_cast<unsigned>(s->seg_number),
                 static_cast<unsigned long>(static_cast<uint32_t>(s->value)));
        return;
    }
    if (s->kind == SYM_SEGMENT) {
        addf(out, "@%x:%lx", static_cast<unsigned>(s->seg->number), 0ul);
        return;
    }
    int32_t f = asm_position_file(), l = asm_position_line();
    asm_set_position(s->def_file, s->def_line);
    asm_message(MSG_ERROR, "type of identifier '%s' is not label or segment", s->name);
    asm_set_position(f, l);
    out += s->name;
}

std::string object_text(const char* obj_name, const std::string& time_text)
{
    std::string out;
    std::string base = text_base_name(obj_name);
    for (char& c : base)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    out += "objectfile:" + base + EOL;
    std::string t = time_text;
    if (!t.empty() && t.back() == '\n')
        t.pop_back();
    out += "time:" + t + EOL;
    out += "cpuname:i8051";
    out += EOL;
    for_each_symbol(write_import, &out);
    for_each_symbol(write_export, &out);
    int32_t n = segment_count();
    for (int32_t i = 0; i < n; i++)
        write_segment(out, segment_by_number(i));
    for (int32_t i = 0; i < n; i++) {
        segment* seg = segment_by_number(i);
        for (sgraph_edge* e = seg->edges; e; e = e->next) {
            segment* callee = e->callee->seg;
            if (seg->sclass && callee && callee->sclass && std::strcmp(seg->sclass, callee->sclass) != 0)
                asm_message(MSG_ERROR, "Inconsistent segment sclass for '%s' and '%s'\n", seg->sym->name,
                            e->callee->name);
            addf(out, "sgraph:%s %s %s", seg->sym->name, e->callee->name, e->owner);
            if (e->offset >= 0)
                addf(out, " %lx", static_cast<unsigned long>(static_cast<uint32_t>(e->offset)));
            out += EOL;
        }
    }
    int32_t files = source_file_count();
    for (int32_t i = 0; i < files; i++) {
        addf(out, "src:%s #%x", source_file_name(i + 1), static_cast<unsigned>(i));
        out += EOL;
    }
    for (relocation* r = reloc_first; r; r = r->next) {
        addf(out, "ref %s #%x:%x @%x:%lx ", reloc_kind_names[r->kind], static_cast<unsigned>(r->file_index),
             static_cast<unsigned>(r->line), static_cast<unsigned>(r->seg_number),
             static_cast<unsigned long>(static_cast<uint32_t>(r->offset)));
        for (int k = 0; k < r->token_count; k++) {
            if (k)
                out += ' ';
            write_token(out, r->tokens[k]);
        }
        out += EOL;
    }
    if (g_settings.debug_lines) {
        out += "objectdebug";
        out += EOL;
        for (debug_line* d = debug_first; d; d = d->next) {
            if (d->hll)
                out += "dhl ";
            else if (d->count > 0)
                addf(out, "dco @%x:%lx u:%lx ", static_cast<unsigned>(d->seg_number),
                     static_cast<unsigned long>(static_cast<uint32_t>(d->offset)),
                     static_cast<unsigned long>(static_cast<uint32_t>(d->count)));
            else
                out += "dtx ";
            out += d->text;
            out += EOL;
        }
        for_each_symbol(write_def, &out);
    }
    out += "objectend";
    out += EOL;
    return out;
}

void write_object_file(const char* obj_name)
{
    const char* base = text_base_name(obj_name);
    if (std::strlen(base) > OBJECT_NAME_MAX)
        asm_message(MSG_FATAL, "object file name '%s' too long (at most %d characters)", base,
                    static_cast<int>(OBJECT_NAME_MAX));
    // Written through a temporary: a cut-off object (a full disk) must
    // neither pass for a good one nor replace the previous one.
    safe_file f;
    if (!safe_file_open(&f, obj_name, true))
        asm_message(MSG_FATAL, "unable to open '%s'", obj_name);
    std::string text = object_text(obj_name, text_run_time());
    if (!safe_file_puts(&f, text) || !safe_file_commit(&f)) {
        safe_file_discard(&f);
        asm_message(MSG_FATAL, "unable to write '%s'", obj_name);
    }
}

} // namespace morrin
