#include "linker/fixup.h"

#include "linker/lineio.h"
#include "linker/messages.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace tessel {

// A message about the reference line being patched: prefixed with its source
// file and line ("%s %d: ") and, for a library member, "(in %s): ".
static void ref_report(int level, const char* format, ...) DIAG_PRINTF(2, 3);

static void ref_report(int level, const char* format, ...)
{
    char text[200];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    // The position must be "#index:line", both hexadecimal.
    const char* p = current_position ? current_position : "";
    char* end = nullptr;
    if (*p != '#' || !std::strchr("0123456789abcdefABCDEF", p[1]) || p[1] == 0)
        corrupt_line(p);
    unsigned long index = std::strtoul(p + 1, &end, 16);
    if (*end != ':' || !end[1] || !std::strchr("0123456789abcdefABCDEF", end[1]))
        corrupt_line(p);
    unsigned long line = std::strtoul(end + 1, &end, 16);
    if (*end != 0 && *end != ' ')
        corrupt_line(p);

    object_module* obj = current_object;
    if (!obj || index >= obj->sources.size())
        internal_stop();
    const char* source = obj->sources[index]->entry->name.c_str();
    if (obj->library)
        report(level, "%s %d: (in %s): %s", source, static_cast<int>(line),
               obj->library->entry->name.c_str(), text);
    else
        report(level, "%s %d: %s", source, static_cast<int>(line), text);
}

namespace {

enum op_code {
    OP_OR, OP_LOR, OP_AND, OP_LAND, OP_SHL, OP_SHR, OP_NE, OP_EQ, OP_LE, OP_GE, OP_LT, OP_GT,
    OP_ADD, OP_NEG, OP_SUB, OP_MUL, OP_DIV, OP_MOD, OP_XOR, OP_BIT, OP_NOT, OP_CPL,
};

struct op_entry {
    const char* text;
    op_code code;
    int operands;
};

// Two-character operators come before their one-character prefixes.
const op_entry op_table[] = {
    {"||", OP_LOR, 2}, {"&&", OP_LAND, 2}, {"<<", OP_SHL, 2}, {">>", OP_SHR, 2},
    {"!=", OP_NE, 2},  {"==", OP_EQ, 2},   {"<=", OP_LE, 2},  {">=", OP_GE, 2},
    {"-U", OP_NEG, 1}, {"|", OP_OR, 2},    {"&", OP_AND, 2},  {"<", OP_LT, 2},
    {">", OP_GT, 2},   {"+", OP_ADD, 2},   {"-", OP_SUB, 2},  {"*", OP_MUL, 2},
    {"/", OP_DIV, 2},  {"%", OP_MOD, 2},   {"^", OP_XOR, 2},  {".", OP_BIT, 2},
    {"!", OP_NOT, 1},  {"~", OP_CPL, 1},
};

struct stack_entry {
    bool number;
    int32_t value;
};

enum { STACK_MAX = 17 };

int32_t wrap(uint32_t v)
{
    return static_cast<int32_t>(v);
}

// Applies a binary operator; false after an error (already reported).
bool binary(op_code op, int32_t l, int32_t r, int32_t& out)
{
    uint32_t ul = static_cast<uint32_t>(l), ur = static_cast<uint32_t>(r);
    switch (op) {
    case OP_OR: out = wrap(ul | ur); break;
    case OP_LOR: out = l || r; break;
    case OP_AND: out = wrap(ul & ur); break;
    case OP_LAND: out = l && r; break;
    // Shifts by 32 places or more (or by a negative count) move every bit
    // out, as the assembler computes them: a left shift gives 0, a right
    // shift the sign.
    case OP_SHL: out = ur < 32 ? wrap(ul << ur) : 0; break;
    case OP_SHR: out = l >> (ur < 32 ? ur : 31); break;
    case OP_NE: out = l != r; break;
    case OP_EQ: out = l == r; break;
    case OP_LE: out = l <= r; break;
    case OP_GE: out = l >= r; break;
    case OP_LT: out = l < r; break;
    case OP_GT: out = l > r; break;
    case OP_ADD: out = wrap(ul + ur); break;
    case OP_SUB: out = wrap(ul - ur); break;
    case OP_MUL: out = wrap(ul * ur); break;
    case OP_XOR: out = wrap(ul ^ ur); break;
    case OP_DIV:
    case OP_MOD:
        if (r == 0) {
            ref_report(1, "division by 0 in expression");
            return false;
        }
        if (l == INT_MIN && r == -1)
            out = op == OP_DIV ? INT_MIN : 0;
        else
            out = op == OP_DIV ? l / r : l % r;
        break;
    case OP_BIT:
        if (r < 0 || r > 7) {
            ref_report(1, "bit number out of range (0..7)");
            return false;
        }
        if (l >= 0x20 && l <= 0x2F)
            out = (l - 0x20) * 8 + r;
        else if (l >= 0x80 && l % 8 == 0)
            out = l + r;
        else {
            ref_report(1, "operand not bit addressable");
            return false;
        }
        break;
    default:
        return false;
    }
    return true;
}

int32_t unary(op_code op, int32_t v)
{
    switch (op) {
    case OP_NOT: return !v;
    case OP_CPL: return ~v;
    default: return wrap(0u - static_cast<uint32_t>(v));
    }
}

} // namespace

const char* scan_location(object_module* obj, const char* p, subsegment** sub, int32_t* offset)
{
    if (*p != '@')
        return nullptr;
    ++p;
    *sub = nullptr;
    uint32_t number = 0, off = 0;
    bool absolute = false;
    if (*p == 'm') {
        absolute = true;
        ++p;
    } else if (!scan_hex(p, number)) {
        return nullptr;
    }
    if (*p != ':')
        return nullptr;
    ++p;
    if (!scan_hex(p, off))
        return nullptr;
    if (!absolute) {
        *sub = subsegment_of(obj, number);
        if (!*sub)
            internal_stop();
    }
    *offset = static_cast<int32_t>(off);
    return p;
}

int32_t evaluate(object_module* obj, const char* expression)
{
    stack_entry stack[STACK_MAX];
    int depth = 0;
    // An undefined name counts as 0 and the scan goes on, so that every
    // undefined name of the expression is reported; the result is then 0.
    bool failed = false;
    const char* p = expression;
    while (*p) {
        stack_entry item{true, 0};
        const op_entry* op = nullptr;
        if (*p == '@') {
            subsegment* sub = nullptr;
            int32_t offset = 0;
            const char* q = scan_location(obj, p, &sub, &offset);
            if (!q)
                corrupt_line(p);
            item.value = sub ? wrap(static_cast<uint32_t>(sub->address) + static_cast<uint32_t>(offset))
                             : offset;
            p = q;
        } else if (std::isdigit(static_cast<unsigned char>(*p)) || (*p == '-' && p[1] >= '1' && p[1] <= '9')) {
            bool negative = *p == '-';
            if (negative)
                ++p;
            uint32_t v = 0;
            while (std::isdigit(static_cast<unsigned char>(*p)))
                v = v * 10 + static_cast<uint32_t>(*p++ - '0');
            item.value = wrap(negative ? 0u - v : v);
        } else if (std::isalpha(static_cast<unsigned char>(*p)) || *p == '_') {
            const char* start = p;
            while (*p && *p != ' ')
                ++p;
            std::string name(start, p);
            name_entry* e = name_find(name.c_str(), true);
            if (!e || e->state == NAME_NEW) {
                ref_report(1, "identifier '%s' undefined", name.c_str());
                failed = true;
            } else if (e->state != NAME_PUBLIC) {
                corrupt_line(start);
            } else if (!static_cast<public_symbol*>(e->payload)->defined) {
                ref_report(1, "unresolved reference to '%s'", name.c_str());
                failed = true;
            } else {
                item.value = static_cast<public_symbol*>(e->payload)->value;
            }
        } else {
            for (const op_entry& o : op_table) {
                size_t n = std::strlen(o.text);
                if (std::strncmp(p, o.text, n) == 0 && (p[n] == ' ' || p[n] == 0)) {
                    op = &o;
                    p += n;
                    break;
                }
            }
            if (!op)
                corrupt_line(p);
        }
        if (*p == ' ')
            ++p;

        if (op) {
            if (op->operands == 1 && depth >= 1 && stack[depth - 1].number) {
                stack[depth - 1].value = unary(op->code, stack[depth - 1].value);
                continue;
            }
            if (op->operands == 2 && depth >= 2 && stack[depth - 1].number && stack[depth - 2].number) {
                int32_t out = 0;
                if (!binary(op->code, stack[depth - 2].value, stack[depth - 1].value, out))
                    return 0;
                --depth;
                stack[depth - 1].value = out;
                continue;
            }
            item.number = false;
            item.value = op->code;
        }
        if (depth >= STACK_MAX)
            internal_stop();
        stack[depth++] = item;
    }
    if (depth != 1 || !stack[0].number) {
        if (!failed)
            ref_report(1, "expression error");
        return 0;
    }
    if (failed)
        return 0;
    return stack[0].value;
}

namespace {

struct kind_entry {
    const char* name;
    int width;
};

const kind_entry kinds[] = {
    {"byte", 1}, {"w_hl", 2}, {"w_lh", 2}, {"l_hl", 4}, {"l_lh", 4}, {"ajmp", 2}, {"acall", 2}, {"rbyte", 1},
};

enum { K_BYTE, K_W_HL, K_W_LH, K_L_HL, K_L_LH, K_AJMP, K_ACALL, K_RBYTE };

} // namespace

void apply_fixup(object_module* obj, const std::string& ref)
{
    current_object = obj;
    current_object_name = obj->entry->name.c_str();
    const char* p = ref.c_str();
    const char* space = std::strchr(p, ' ');
    if (!space)
        corrupt_line(p);
    std::string kind_name(p, space);
    int kind = -1;
    for (int k = 0; k < 8; ++k)
        if (kind_name == kinds[k].name)
            kind = k;
    if (kind < 0)
        corrupt_line(p);
    p = space + 1;
    current_position = p;
    while (*p && *p != ' ')
        ++p;
    if (*p != ' ')
        corrupt_line(p);
    ++p;
    subsegment* target = nullptr;
    int32_t offset = 0;
    const char* q = scan_location(obj, p, &target, &offset);
    if (!q || !target)
        corrupt_line(p);
    p = q;
    if (*p == ' ')
        ++p;
    if (!target->references)
        return;

    int32_t v = evaluate(obj, p);
    int width = kinds[kind].width;
    if (target->segment->kind != KIND_TEXT || offset < 0 ||
        static_cast<int64_t>(offset) + width > target->used ||
        static_cast<int64_t>(offset) + width > static_cast<int64_t>(target->content.size()))
        internal_stop();

    int32_t where = wrap(static_cast<uint32_t>(target->address) + static_cast<uint32_t>(offset));
    uint8_t* b = &target->content[static_cast<size_t>(offset)];
    uint32_t u = static_cast<uint32_t>(v);
    bool in_range = true;
    int level = 0;
    switch (kind) {
    case K_BYTE:
        b[0] = static_cast<uint8_t>(u);
        in_range = v >= -128 && v <= 255;
        break;
    case K_W_HL:
    case K_W_LH:
        b[kind == K_W_HL ? 0 : 1] = static_cast<uint8_t>(u >> 8);
        b[kind == K_W_HL ? 1 : 0] = static_cast<uint8_t>(u);
        in_range = v >= -0x8000 && v <= 0xFFFF;
        break;
    case K_L_HL:
    case K_L_LH:
        for (int i = 0; i < 4; ++i)
            b[kind == K_L_HL ? i : 3 - i] = static_cast<uint8_t>(u >> (24 - 8 * i));
        break;
    case K_AJMP:
    case K_ACALL: {
        b[0] = static_cast<uint8_t>(((u >> 3) & 0xE0) | (kind == K_AJMP ? 0x01 : 0x11));
        b[1] = static_cast<uint8_t>(u);
        int64_t next = static_cast<int64_t>(where) + 2;
        int64_t low = next & ~static_cast<int64_t>(0x7FF), high = next | 0x7FF;
        in_range = v >= low && v <= high;
        level = 1;
        break;
    }
    case K_RBYTE:
        b[0] = static_cast<uint8_t>(u - (static_cast<uint32_t>(where) + 1));
        in_range = static_cast<int64_t>(v) >= static_cast<int64_t>(where) - 127 &&
                   static_cast<int64_t>(v) <= static_cast<int64_t>(where) + 128;
        level = 1;
        break;
    }
    if (!in_range)
        ref_report(level, "value out of range");
}

void apply_all_fixups(void)
{
    for (object_module* obj : objects) {
        if (obj->refs.empty())
            continue;
        if (!obj->in_use)
            internal_stop();
        for (const std::string& ref : obj->refs)
            apply_fixup(obj, ref);
    }
}

} // namespace tessel
