#include "asm/datei.h"

#include "asm/formel.h"
#include "asm/listing.h"
#include "asm/messages.h"
#include "asm/mnemonic.h"
#include "asm/segment.h"
#include "asm/settings.h"
#include "asm/sources.h"
#include "asm/symbol.h"
#include "common/speicher.h"
#include "common/text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace morrin {

// ---------------------------------------------------------------- state

static int nesting_depth;

static std::vector<std::string> cmdarg_statements;

// The state of one open .if: its statements are assembled; they are skipped
// and a .else turns to assembling; they are skipped up to the .endif (after
// a taken branch's .else, or inside a skipped region).
enum cond_state { COND_ACTIVE, COND_AWAIT_ELSE, COND_SKIP_TO_ENDIF };
static cond_state cond_stack[MAX_CONDITIONALS];
static int cond_depth;

struct macro_call {
    int32_t number;
    macro_line* next;
    int param_count;
    char params[MAX_MACRO_PARAMS][MAX_RAW_LINE + 8];
};
static macro_call calls[MAX_MACRO_CALLS];
static int call_level = -1;
static int32_t call_counter;
static symbol* recording;

// High-level file of .line.
static line_reader hll;
// Kept whole: a long path must open the file it names.
static std::string hll_name;
static int32_t hll_line;

void add_cmdarg_statement(const char* text) { cmdarg_statements.push_back(text); }
bool have_cmdarg_statements(void) { return !cmdarg_statements.empty(); }

int conditional_depth(void) { return cond_depth; }
int macro_call_level(void) { return call_level; }

void datei_reset(void)
{
    sources_reset();
    nesting_depth = 0;
    cmdarg_statements.clear();
    cond_depth = 0;
    call_level = -1;
    call_counter = 0;
    recording = nullptr;
    close_line_reader(hll);
    hll_name.clear();
    hll_line = 0;
}

// ---------------------------------------------------------------- lines

int normalise_line(const char* raw, char* out)
{
    int o = 0;
    int last_dot = -1;
    bool blank = false;        // a blank is pending
    bool after_comma = false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(raw);
    for (;;) {
        unsigned c = *p;
        if (c == '\t' || c == '\f')   // a form feed (a page break) is white space
            c = ' ';
        if (c < 32 || c == ';')
            break;
        if (c == ' ') {
            if (!after_comma && o > 0)
                blank = true;
            p++;
            continue;
        }
        if (c == ',') {
            blank = false;
            out[o++] = ',';
            after_comma = true;
            p++;
            continue;
        }
        if (blank) {
            out[o++] = ' ';
            blank = false;
        }
        after_comma = false;
        if (c == '"' || c == '\'') {
            unsigned quote = c;
            out[o++] = static_cast<char>(c);
            p++;
            for (;;) {
                unsigned k = *p;
                if (k == '\0' || k == '\n') {
                    asm_message(MSG_ERROR, "unterminated string or char constant");
                    out[o++] = static_cast<char>(quote);
                    break;
                }
                out[o++] = static_cast<char>(k);
                p++;
                if (k == quote)
                    break;
            }
            if (*p == '\0' || *p == '\n')
                break;
            continue;
        }
        if (g_settings.ignore_case)
            c = static_cast<unsigned char>(text_lower_char(static_cast<char>(c)));
        if (c == '.')
            last_dot = o;
        out[o++] = static_cast<char>(c);
        p++;
    }
    out[o] = '\0';
    return last_dot;
}

// ---------------------------------------------------------------- conditionals

static void push_conditional(cond_state state, const char* too_deep)
{
    if (cond_depth >= MAX_CONDITIONALS)
        asm_message(MSG_FATAL, "%s", too_deep);
    cond_stack[cond_depth++] = state;
}

static bool executing(void)
{
    return !recording && (cond_depth == 0 || cond_stack[cond_depth - 1] == COND_ACTIVE);
}

// ---------------------------------------------------------------- macros

// Expands one body line of the innermost call; false when the line is not
// to be executed (it grew too long).
static bool expand_macro_params(char* out, const char* text, const macro_call& call, bool exec)
{
    int o = 0;
    bool ok = true;
    auto put = [&](const char* s, size_t n) -> bool {
        if (o + static_cast<int>(n) > MAX_EXPANSION) {
            if (exec)
                asm_message(MSG_ERROR, "macro expansion longer than %d characters", MAX_EXPANSION);
            ok = false;
            return false;
        }
        std::memcpy(out + o, s, n);
        o += static_cast<int>(n);
        return true;
    };
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p >= 32) {
        unsigned c = *p;
        if (c == '"' || c == '\'') {
            const unsigned char* q = p + 1;
            while (*q >= 32 && *q != c)
                q++;
            if (*q == c)
                q++;
            if (!put(reinterpret_cast<const char*>(p), static_cast<size_t>(q - p)))
                break;
            p = q;
            continue;
        }
        if (c == '?') {
            char num[24];
            int n = std::snprintf(num, sizeof num, "?%ld", static_cast<long>(call.number));
            if (!put(num, static_cast<size_t>(n)))
                break;
            p++;
            continue;
        }
        if (c == '@' && p[1] >= '0' && p[1] <= '9') {
            int n = p[1] - '0';
            if (n == 0) {
                char num[16];
                int k = std::snprintf(num, sizeof num, "%d", call.param_count);
                if (!put(num, static_cast<size_t>(k)))
                    break;
            } else if (n > call.param_count) {
                if (exec)
                    asm_message(MSG_ERROR, "macro parameter '@%d' missing", n);
                else
                    put(reinterpret_cast<const char*>(p), 2);
                break;
            } else {
                const char* v = call.params[n - 1];
                if (!put(v, std::strlen(v)))
                    break;
            }
            p += 2;
            continue;
        }
        char ch = static_cast<char>(c);
        if (!put(&ch, 1))
            break;
        p++;
    }
    out[o] = '\0';
    return ok;
}

// The call is set up first and takes its number whatever its parameter list
// holds, so that the temporaries of every later call get the numbers they
// would get without the error; a bad list is reported, and the call goes on
// with the parameters read up to the fault.
static int call_macro(symbol* m, const char* rest)
{
    if (call_level + 1 >= MAX_MACRO_CALLS)
        asm_message(MSG_FATAL, "macro calls nested too deep");
    show_level--;
    call_level++;
    macro_call& c = calls[call_level];
    c.number = ++call_counter;
    c.next = m->body;
    c.param_count = 0;

    const char* p = rest;
    if (*p == ' ')
        p++;
    if (!*p)
        return 0;
    for (;;) {
        const char* start = p;
        if (*p == '"' || *p == '\'') {
            const char* q = std::strchr(p + 1, *p);
            p = q ? q + 1 : p + std::strlen(p);
        } else {
            const char* q = std::strchr(p, ',');
            p = q ? q : p + std::strlen(p);
        }
        if (p == start) {
            asm_message(MSG_ERROR, "macro parameter list");
            return 0;
        }
        if (c.param_count == MAX_MACRO_PARAMS) {
            asm_message(MSG_ERROR, "maximum is 9 macro parameters (@1..@9)");
            return 0;
        }
        size_t len = static_cast<size_t>(p - start);
        if (len > MAX_RAW_LINE)
            len = MAX_RAW_LINE;
        std::memcpy(c.params[c.param_count], start, len);
        c.params[c.param_count][len] = '\0';
        c.param_count++;
        if (*p == '\0')
            return 0;
        if (*p != ',') {
            asm_message(MSG_ERROR, "macro parameter list");
            return 0;
        }
        p++;
    }
}

static void record_line(const char* text)
{
    macro_line* m = static_cast<macro_line*>(speicher_alloc(sizeof(macro_line)));
    size_t len = std::strlen(text);
    m->text = static_cast<char*>(speicher_alloc(static_cast<int32_t>(len + 1)));
    std::memcpy(m->text, text, len + 1);
    m->file = asm_position_file();
    m->line = asm_position_line();
    m->next = nullptr;
    if (recording->body_tail)
        recording->body_tail->next = m;
    else
        recording->body = m;
    recording->body_tail = m;
}

// ---------------------------------------------------------------- statements

// Records a statement into the macro being defined, assembles it, or skips
// it inside a false conditional while still keeping count of the nesting.
static int process_statement(const char* stmt, int dot)
{
    if (stmt[0] == '\0')
        return 0;
    const char* d = dot >= 0 ? stmt + dot : nullptr;
    if (recording) {
        if (d && text_prefix_nocase(d, ".macro "))
            asm_message(MSG_ERROR, "nested macro definition");
        record_line(stmt);
        if (d && text_equal_nocase(d, ".endmacro"))
            recording = nullptr;
        return 0;
    }
    if (cond_depth == 0 || cond_stack[cond_depth - 1] == COND_ACTIVE)
        return do_statement(stmt);
    // A skipped statement counts by its directive, which starts at the
    // first '.' outside constants: the last one may belong to a bit address
    // (".if 20h.1"), and missing that .if would let its .endif close the
    // region around it.
    d = nullptr;
    for (const char* q = stmt; *q && !d; q++) {
        if (*q == '"' || *q == '\'') {
            const char* end = std::strchr(q + 1, *q);
            if (!end)
                break;
            q = end;
        } else if (*q == '.') {
            d = q;
        }
    }
    if (!d)
        return 0;
    if (text_prefix_nocase(d, ".if ") || text_prefix_nocase(d, ".ifdef ") || text_prefix_nocase(d, ".ifndef "))
        push_conditional(COND_SKIP_TO_ENDIF, ".if/.ifdef/.ifndef/.else nested too deep");
    else if (text_equal_nocase(d, ".else")) {
        if (cond_stack[cond_depth - 1] == COND_AWAIT_ELSE)
            cond_stack[cond_depth - 1] = COND_ACTIVE;
    } else if (text_equal_nocase(d, ".endif"))
        cond_depth--;
    return 0;
}

int assemble_file(const char* name)
{
    if (source_file_count() >= MAX_SOURCE_FILES)
        asm_message(MSG_FATAL, "too many files included");
    if (name[0] == '\0')
        asm_message(MSG_FATAL, "illegal filename");
    bool is_cmdarg = std::strcmp(name, "<cmdarg>") == 0;
    int32_t index = add_source_file(name);

    line_reader reader;
    if (!is_cmdarg && !open_line_reader(reader, name))
        asm_message(MSG_FATAL, "unable to open '%s'", name);

    int32_t saved_file = asm_position_file(), saved_line = asm_position_line();
    const char* saved_text = asm_line_text();
    int32_t line = 0;
    size_t cmd_next = 0;
    nesting_depth++;
    int base_level = call_level;
    int result = 0;
    std::string raw;
    bool too_long = false;
    char stmt[2 * MAX_RAW_LINE + 16];
    char listed[MAX_EXPANSION + 8];

    for (;;) {
        finish_line();
        int r;
        if (call_level > base_level) {
            macro_call& c = calls[call_level];
            macro_line* m = c.next;
            if (!m) {
                // The body ran out without its .endmacro being executed.
                show_level++;
                call_level--;
                continue;
            }
            c.next = m->next;
            asm_set_position(m->file, m->line);
            asm_set_line_text(m->text);
            bool ok = expand_macro_params(stmt, m->text, c, executing());
            asm_set_line_text(stmt);
            if (show_level > 0) {
                listed[0] = listed[1] = ' ';
                std::strcpy(listed + 2, stmt);
                listing_set_pending(listed, LINE_EXPANSION);
            }
            if (!ok)
                continue;
            const char* first_dot = std::strchr(stmt, '.');
            r = process_statement(stmt, first_dot ? static_cast<int>(first_dot - stmt) : -1);
        } else {
            if (is_cmdarg) {
                if (cmd_next >= cmdarg_statements.size())
                    break;
                raw = cmdarg_statements[cmd_next++];
                too_long = raw.size() > MAX_RAW_LINE;
                if (too_long)
                    raw.resize(MAX_RAW_LINE);
            } else if (!next_raw_line(reader, raw, &too_long)) {
                break;
            }
            line++;
            asm_set_position(index, line);
            asm_set_line_text(raw.c_str());
            if (line == MAX_LINE_NUMBER + 1)
                asm_message(MSG_WARNING, "maximum line no. (%d) exceeded", MAX_LINE_NUMBER);
            // The first characters still count, so that a long comment after
            // .endif or .endmacro keeps the nesting intact.
            if (too_long)
                asm_message(MSG_ERROR, "line longer than %d characters", MAX_RAW_LINE);
            listing_set_pending(raw.c_str(), LINE_SOURCE);
            int dot = normalise_line(raw.c_str(), stmt);
            r = process_statement(stmt, dot);
        }
        if (r == -1) {
            result = -1;
            break;
        }
    }
    finish_line();
    asm_set_position(index, line);
    asm_set_line_text(nullptr);
    nesting_depth--;
    if (nesting_depth == 0) {
        asm_forget_last_position();
        if (cond_depth != 0)
            asm_message(MSG_ERROR, "End of file in .if/.else condition");
        if (recording) {
            asm_message(MSG_ERROR, "End of file in macro definition");
            recording = nullptr;
        }
    }
    // The rest of the high-level file is listed when the source file ends
    // (also when command-line statements came first).
    if (nesting_depth == 0 && !is_cmdarg)
        read_hll_line(0, true);
    asm_set_position(saved_file, saved_line);
    asm_set_line_text(saved_text);
    return result;
}

static int define_label(symbol* s)
{
    if (s->kind != SYM_NEW && s->kind != SYM_LABEL) {
        asm_message(MSG_ERROR, "symbol already in use");
        return -1;
    }
    if (s->kind == SYM_LABEL && (s->flags & LABEL_DEFINED)) {
        asm_message(MSG_ERROR, "label already defined");
        return -1;
    }
    if (!current_segment) {
        asm_message(MSG_ERROR, "no segment set");
        return -1;
    }
    if (s->kind == SYM_NEW) {
        s->kind = SYM_LABEL;
        s->flags = 0;
    }
    if ((s->flags & LABEL_IMPORT) && !(s->flags & LABEL_EXPORT))
        asm_message(MSG_ERROR, "defining label '%s': classified as import", s->name);
    s->flags |= LABEL_DEFINED;
    s->seg_number = current_segment->number;
    s->value = current_segment->used;
    return 0;
}

// Evaluates an expression that must fill the rest of the statement: returns
// the evaluator's result (1 constant, 0 relocatable), or -1 after an error,
// reporting "expression syntax" for text left behind it.
static int evaluate_whole(const char* p, int32_t* v)
{
    int r = evaluate_expression(&p, v);
    if (r >= 0 && *p != '\0') {
        asm_message(MSG_ERROR, "expression syntax");
        return -1;
    }
    return r;
}

static void assign(symbol* s, const char* expr)
{
    int32_t v;
    if (s->kind == SYM_LABEL && s->flags == LABEL_EXPORT) {
        int r = evaluate_whole(expr, &v);
        if (r < 0)
            return;
        if (r == 0) {
            asm_message(MSG_ERROR, "fix value expected");
            return;
        }
        s->flags |= LABEL_DEFINED;
        s->seg_number = -1;
        s->value = v;
        return;
    }
    if (s->kind != SYM_NEW && s->kind != SYM_CONSTANT) {
        asm_message(MSG_ERROR, "symbol already in use");
        return;
    }
    int r = evaluate_whole(expr, &v);
    if (r < 0)
        return;
    if (r == 1) {
        s->kind = SYM_CONSTANT;
        s->value = v;
        s->flags = 0;
        return;
    }
    size_t len = std::strlen(expr);
    s->text = static_cast<char*>(speicher_alloc(static_cast<int32_t>(len + 1)));
    std::memcpy(s->text, expr, len + 1);
    s->kind = SYM_TEXT;
    s->flags = 0;
}

int do_statement(const char* text)
{
    const char* p = text;
    const char* after;
    symbol* s = scan_symbol(p, &after);
    if (s && *after == ':') {
        if (define_label(s) < 0)
            return 0;
        p = after + 1;
        if (*p == ' ')
            p++;
        if (*p == '\0')
            return 0;
        s = scan_symbol(p, &after);
    } else if (s && (after[0] == '=' || (after[0] == ' ' && after[1] == '='))) {
        const char* e = after[0] == '=' ? after + 1 : after + 2;
        if (*e == ' ')
            e++;
        assign(s, e);
        return 0;
    }
    if (*after == '.')
        return do_directive(after + 1);
    if (s && s->kind == SYM_MNEMONIC) {
        assemble_mnemonic(s, p);
        return 0;
    }
    if (s && s->kind == SYM_MACRO)
        return call_macro(s, after);
    asm_message(MSG_ERROR, "syntax error");
    return 0;
}

// ---------------------------------------------------------------- directives

static symbol* segment_symbol(const char* text, const char** after, const char* invalid)
{
    symbol* s = scan_symbol(text, after);
    if (!s) {
        asm_message(MSG_ERROR, "%s", invalid);
        return nullptr;
    }
    if (s->kind == SYM_NEW)
        create_segment(s);
    else if (s->kind != SYM_SEGMENT) {
        asm_message(MSG_ERROR, "identifier '%s' already in use", s->name);
        return nullptr;
    }
    return s;
}

// A constant expression parameter; false after an error (reported).
static bool constant_param(const char** p, int32_t* v, const char* not_constant)
{
    int r = evaluate_expression(p, v);
    if (r < 0)
        return false;
    if (r == 0) {
        asm_message(MSG_ERROR, "%s", not_constant);
        return false;
    }
    return true;
}

// align and page: a constant >= 1; a different second value is refused.
static bool positive_param(const char** p, int32_t* field, const char* name)
{
    int32_t v;
    if (!constant_param(p, &v, "fixed address needed"))
        return false;
    if (v < 1) {
        asm_message(MSG_ERROR, "%s must be >= 1", name);
        return false;
    }
    if (*field != 0 && *field != v) {
        asm_message(MSG_ERROR, "%s already set to $%lx", name, static_cast<unsigned long>(static_cast<uint32_t>(*field)));
        return false;
    }
    *field = v;
    return true;
}

static bool keyword_end(const char* p) { return *p == '\0' || *p == ','; }

static void directive_segment(const char* text)
{
    const char* p;
    symbol* s = segment_symbol(text, &p, "invalid segment name");
    if (!s)
        return;
    segment* seg = s->seg;
    current_segment = seg;
    while (*p) {
        if (*p != ',') {
            asm_message(MSG_ERROR, "segment parameter list");
            return;
        }
        p++;
        const char* q;
        int32_t v;
        if ((q = text_prefix_nocase(p, "size ")) != nullptr) {
            if (!constant_param(&q, &v, "fixed size needed"))
                return;
            if (v < 0) {
                asm_message(MSG_ERROR, "size must be >= 0");
                return;
            }
            if (seg->size >= 0) {
                if (!(seg->flags & SEG_FILL))
                    asm_message(MSG_WARNING, "size already set");
                if (v > seg->size)
                    seg->size = v;
            } else {
                seg->size = v;
            }
        } else if ((q = text_prefix_nocase(p, "org ")) != nullptr) {
            if (!constant_param(&q, &v, "fixed address needed"))
                return;
            if (v < 0) {
                asm_message(MSG_ERROR, "org must be >= 0");
                return;
            }
            if (seg->org >= 0) {
                asm_message(MSG_ERROR, "org already set");
                return;
            }
            seg->org = v;
        } else if ((q = text_prefix_nocase(p, "align ")) != nullptr) {
            if (!positive_param(&q, &seg->align, "align"))
                return;
        } else if ((q = text_prefix_nocase(p, "page ")) != nullptr) {
            if (!positive_param(&q, &seg->page, "page"))
                return;
        } else if ((q = text_prefix_nocase(p, "sclass ")) != nullptr) {
            const char* after;
            if (scan_identifier(q, &after) == 0) {
                asm_message(MSG_ERROR, "invalid sclass");
                return;
            }
            if (seg->sclass) {
                if (std::strcmp(seg->sclass, ident_buffer) != 0) {
                    asm_message(MSG_ERROR, "sclass already set");
                    return;
                }
            } else {
                size_t len = std::strlen(ident_buffer);
                seg->sclass = static_cast<char*>(speicher_alloc(static_cast<int32_t>(len + 1)));
                std::memcpy(seg->sclass, ident_buffer, len + 1);
            }
            q = after;
        } else if ((q = text_prefix_nocase(p, "fill")) != nullptr && keyword_end(q)) {
            seg->flags |= SEG_FILL;
        } else if ((q = text_prefix_nocase(p, "root")) != nullptr && keyword_end(q)) {
            seg->flags |= SEG_ROOT;
        } else if ((q = text_prefix_nocase(p, "notext")) != nullptr && keyword_end(q)) {
            if (seg->used > 0 && !(seg->flags & SEG_NOTEXT)) {
                asm_message(MSG_ERROR, "segment contains already data");
                return;
            }
            seg->flags |= SEG_NOTEXT;
        } else {
            asm_message(MSG_ERROR, "unkown parameter");
            return;
        }
        p = q;
    }
}

static void directive_sgraph(const char* text)
{
    const char* p;
    symbol* caller = segment_symbol(text, &p, "invalid caller segment name");
    if (!caller)
        return;
    if (*p != ',') {
        asm_message(MSG_ERROR, "sgraph parameter list");
        return;
    }
    symbol* callee = segment_symbol(p + 1, &p, "invalid callee segment name");
    if (!callee)
        return;
    if (*p != ',') {
        asm_message(MSG_ERROR, "sgraph parameter list");
        return;
    }
    p++;
    if (scan_identifier(p, &p) == 0) {
        asm_message(MSG_ERROR, "invalid or missing owner segment name");
        return;
    }
    symbol* owner = find_symbol(ident_buffer, true);
    if (owner && owner->kind != SYM_NEW && owner->kind != SYM_SEGMENT) {
        asm_message(MSG_ERROR, "identifier '%s' already in use", owner->name);
        return;
    }
    std::string owner_name = ident_buffer;
    int32_t offset = -1;
    if (*p == ',') {
        p++;
        int32_t v;
        int r = evaluate_expression(&p, &v);
        if (r < 0)
            return;
        if (*p != '\0') {
            asm_message(MSG_ERROR, "sgraph parameter list");
            return;
        }
        if (r == 0) {
            asm_message(MSG_ERROR, "expression must be constant");
            v = 0;
        }
        if (v < 0) {
            asm_message(MSG_ERROR, "offset must be >= 0");
            return;
        }
        offset = v;
    } else if (*p != '\0') {
        asm_message(MSG_ERROR, "sgraph parameter list");
        return;
    }
    sgraph_edge* e = static_cast<sgraph_edge*>(speicher_alloc(sizeof(sgraph_edge)));
    e->callee = callee;
    e->owner = static_cast<char*>(speicher_alloc(static_cast<int32_t>(owner_name.size() + 1)));
    std::memcpy(e->owner, owner_name.c_str(), owner_name.size() + 1);
    e->offset = offset;
    e->next = caller->seg->edges;
    caller->seg->edges = e;
}

// The name between quotes (or angle brackets); the closing character must
// end the statement.
static bool quoted_name(const char* p, bool allow_angle, std::string& name, bool* angle)
{
    char close;
    if (*p == '"')
        close = '"';
    else if (allow_angle && *p == '<')
        close = '>';
    else {
        asm_message(MSG_ERROR, "filename error");
        return false;
    }
    if (angle)
        *angle = close == '>';
    const char* end = std::strchr(p + 1, close);
    if (!end) {
        asm_message(MSG_ERROR, "filename error");
        return false;
    }
    if (end[1] != '\0') {
        asm_message(MSG_ERROR, "directive syntax error");
        return false;
    }
    name.assign(p + 1, end);
    return true;
}

static int directive_include(const char* p)
{
    std::string name;
    bool angle = false;
    if (!quoted_name(p, true, name, &angle))
        return 0;
    if (angle && !g_settings.include_path.empty())
        name = g_settings.include_path + name;
    return assemble_file(name.c_str());
}

static void directive_ibytes(const char* p)
{
    std::string name;
    if (!quoted_name(p, false, name, nullptr))
        return;
    std::string data;
    if (name.empty() || !load_source_file(name.c_str(), data)) {
        asm_message_plain(MSG_ERROR, "unable to open file '%s'", name.c_str());
        return;
    }
    if (current_segment && static_cast<int64_t>(current_segment->used) + static_cast<int64_t>(data.size()) > INT32_MAX) {
        asm_message(MSG_ERROR, "file '%s' too large", name.c_str());
        return;
    }
    for (unsigned char c : data)
        emit_byte(c);
}

static void directive_if(const char* p)
{
    int32_t v;
    int r = evaluate_whole(p, &v);
    if (r == 0) {
        asm_message(MSG_ERROR, "expression must be constant");
    }
    push_conditional(r == 1 && v != 0 ? COND_ACTIVE : COND_AWAIT_ELSE, ".if/.else nested too deep");
}

static void directive_ifdef(const char* p, bool want_defined, const char* too_deep)
{
    const char* after;
    bool defined = false;
    if (scan_identifier(p, &after) == 0) {
        asm_message(MSG_ERROR, "invalid identifier");
    } else if (*after != '\0') {
        asm_message(MSG_ERROR, "syntax error");
    } else {
        symbol* s = find_symbol(ident_buffer, true);
        defined = s && s->kind != SYM_NEW;
        push_conditional(defined == want_defined ? COND_ACTIVE : COND_AWAIT_ELSE, too_deep);
        return;
    }
    push_conditional(COND_AWAIT_ELSE, too_deep);
}

static void directive_line(const char* p)
{
    if (*p == '"') {
        const char* end = std::strchr(p + 1, '"');
        std::string name = end ? std::string(p + 1, end) : std::string(p + 1);
        p = end ? end + 1 : p + std::strlen(p);
        if (*p == ' ')
            p++;
        if (g_settings.debug_lines & 2) {
            if (hll.open) {
                if (name != hll_name) {
                    asm_message(MSG_ERROR, "only one filename allowed ('%s' already open)", hll_name.c_str());
                    return;
                }
            } else {
                if (!open_line_reader(hll, name.c_str())) {
                    asm_message(MSG_ERROR, "unable to open '%s'", name.c_str());
                    return;
                }
                hll_line = 0;
                hll_name = name;
            }
        }
    }
    if (*p >= '0' && *p <= '9') {
        int32_t n = 0;
        while (*p >= '0' && *p <= '9') {
            n = static_cast<int32_t>(static_cast<uint32_t>(n) * 10u + static_cast<uint32_t>(*p - '0'));
            p++;
        }
        read_hll_line(n, false);
        if (g_settings.expand_line) {
            symbol* m = find_symbol("__line", true);
            if (m && m->kind == SYM_MACRO) {
                char stmt[32];
                std::snprintf(stmt, sizeof stmt, "__line %ld", static_cast<long>(n));
                do_statement(stmt);
            }
        }
    }
}

void read_hll_line(int32_t target, bool flush)
{
    if (!hll.open)
        return;
    std::string text;
    bool too_long;
    // A long high-level line is one line all the same (its numbers are the
    // compiler's); only its first characters can be listed anyway.
    while (flush || hll_line < target) {
        if (!next_raw_line(hll, text, &too_long)) {
            if (flush)
                break;
            asm_message(MSG_FATAL, "unexpected end of hll file ('.line')");
        }
        hll_line++;
        finish_line();
        listing_set_pending(text.c_str(), LINE_HLL);
        finish_line();
    }
    if (flush)
        close_line_reader(hll);
}

static void directive_ds(const char* text)
{
    char x = text_lower_char(text[0]);
    int64_t mult = 1;
    switch (x) {
    case 'b': mult = 1; break;
    case 'w': mult = 2; break;
    case 'l': case 'f': mult = 4; break;
    default:
        asm_message(MSG_ERROR, "unknown size '%c'", text[0]);
        break;
    }
    if (text[0] == '\0' || text[1] != ' ') {
        asm_message(MSG_ERROR, "expression syntax");
        return;
    }
    int32_t v;
    int r = evaluate_whole(text + 2, &v);
    if (r < 0)
        return;
    if (r == 0) {
        asm_message(MSG_ERROR, "expression must be constant");
        return;
    }
    if (v < 0) {
        asm_message(MSG_ERROR, "expression is negative");
        return;
    }
    reserve_bytes(static_cast<int64_t>(v) * mult);
}

static void directive_dc(const char* text)
{
    int code;
    switch (text_lower_char(text[0])) {
    case 'b': code = 1; break;
    case 'w': code = 2; break;
    case 'l': code = 3; break;
    case 'f': code = 4; break;
    default:
        asm_message(MSG_ERROR, "unknown size '%c'", text[0]);
        return;
    }
    if (text[1] != ' ') {
        asm_message(MSG_ERROR, "expression syntax");
        return;
    }
    emit_data_list(code, text + 2);
}

int do_directive(const char* text)
{
    const char* p;
    if ((p = text_prefix_nocase(text, "segment ")) != nullptr) {
        directive_segment(p);
    } else if ((p = text_prefix_nocase(text, "sgraph ")) != nullptr) {
        directive_sgraph(p);
    } else if ((p = text_prefix_nocase(text, "include ")) != nullptr) {
        return directive_include(p);
    } else if ((p = text_prefix_nocase(text, "ibytes ")) != nullptr && *p == '"') {
        directive_ibytes(p);
    } else if ((p = text_prefix_nocase(text, "message ")) != nullptr) {
        std::string out;
        if (asm_position_line() > 0 && asm_position_file() > 0) {
            const char* name = source_file_name(asm_position_file());
            out += name ? name : "";
            out += ' ' + std::to_string(asm_position_line()) + ": ";
        }
        out += "Message: ";
        out += p;
        out += '\n';
        asm_write_error_stream(out.c_str());
    } else if ((p = text_prefix_nocase(text, "error ")) != nullptr) {
        asm_message_text(MSG_ERROR, p);
    } else if (text_equal_nocase(text, "error")) {
        asm_message_text(MSG_ERROR, "");
    } else if ((p = text_prefix_nocase(text, "macro ")) != nullptr) {
        const char* after;
        if (scan_identifier(p, &after) == 0) {
            asm_message(MSG_ERROR, "invalid macro name");
            return 0;
        }
        symbol* s = find_symbol(ident_buffer, false);
        if (s->kind != SYM_NEW) {
            asm_message(MSG_ERROR, "identifier '%s' already in use", s->name);
            return 0;
        }
        s->kind = SYM_MACRO;
        s->body = s->body_tail = nullptr;
        recording = s;
        if (*after != '\0')
            asm_message(MSG_ERROR, "syntax error");
    } else if (text_equal_nocase(text, "endmacro")) {
        if (call_level < 0) {
            asm_message(MSG_ERROR, ".endmacro without .macro");
            return 0;
        }
        show_level++;
        call_level--;
    } else if ((p = text_prefix_nocase(text, "if ")) != nullptr) {
        directive_if(p);
    } else if ((p = text_prefix_nocase(text, "ifdef ")) != nullptr) {
        directive_ifdef(p, true, ".ifdef/.else nested too deep");
    } else if ((p = text_prefix_nocase(text, "ifndef ")) != nullptr) {
        directive_ifdef(p, false, ".ifndef/.else nested too deep");
    } else if (text_equal_nocase(text, "else")) {
        if (cond_depth == 0)
            asm_message(MSG_ERROR, ".else without .if");
        else if (cond_stack[cond_depth - 1] == COND_ACTIVE)
            cond_stack[cond_depth - 1] = COND_SKIP_TO_ENDIF;
    } else if (text_equal_nocase(text, "endif")) {
        if (cond_depth == 0)
            asm_message(MSG_ERROR, ".endif without .if");
        else
            cond_depth--;
    } else if (text_equal_nocase(text, "show")) {
        show_level++;
    } else if (text_equal_nocase(text, "hide")) {
        show_level--;
    } else if (std::strncmp(text, "line ", 5) == 0) {
        directive_line(text + 5);
    } else if ((p = text_prefix_nocase(text, "import ")) != nullptr) {
        declare_names(p, LABEL_IMPORT);
    } else if ((p = text_prefix_nocase(text, "export ")) != nullptr) {
        declare_names(p, LABEL_EXPORT);
    } else if ((p = text_prefix_nocase(text, "use ")) != nullptr) {
        declare_names(p, LABEL_REFERENCED);
    } else if (text_equal_nocase(text, "autoimport")) {
        autoimport_given = true;
    } else if ((p = text_prefix_nocase(text, "ds.")) != nullptr) {
        directive_ds(p);
    } else if ((p = text_prefix_nocase(text, "dc.")) != nullptr) {
        directive_dc(p);
    } else if (text_equal_nocase(text, "end")) {
        return -1;
    } else {
        asm_message(MSG_ERROR, "directive syntax error");
    }
    return 0;
}

} // namespace morrin
