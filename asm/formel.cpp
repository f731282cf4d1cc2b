#include "asm/formel.h"

#include "asm/messages.h"
#include "asm/symbol.h"

#include <cstring>

namespace morrin {

const char* const token_names[30] = {
    "(error)", "|", "||", "&", "&&", "<<", ">>", "!=", "==", "<",
    "<=", ">", ">=", "+", "-", "*", "/", "%", "^", ".",
    "(unary)", "!", "~", "-U", "(primary)", "(lnumber)", "(symbol)", "(embcalc)", "(", ")",
};

expr_token expr_tokens[EXPR_MAX_TOKENS];
int expr_token_count;

int token_precedence(int type)
{
    switch (type) {
    case TOK_LOR: return 4;
    case TOK_LAND: return 5;
    case TOK_OR: return 6;
    case TOK_XOR: return 7;
    case TOK_AND: return 8;
    case TOK_EQ: case TOK_NE: return 9;
    case TOK_LT: case TOK_LE: case TOK_GT: case TOK_GE: return 10;
    case TOK_SHL: case TOK_SHR: return 11;
    case TOK_PLUS: case TOK_MINUS: return 12;
    case TOK_MUL: case TOK_DIV: case TOK_MOD: case TOK_DOT: return 13;
    default: return 0;
    }
}

namespace {

// Lexer and parser state of the expression being evaluated.
struct lexer {
    const char* p;       // next character
    int type;            // current token
    int32_t value;
    symbol* sym;
    const char* start;   // where the current token began
};

lexer lx;
int depth;
bool error_mark;

void expr_error(const char* format, const char* arg = nullptr)
{
    if (error_mark)
        return;
    error_mark = true;
    if (arg)
        asm_message(MSG_ERROR, format, arg);
    else
        asm_message(MSG_ERROR, "%s", format);
}

int32_t to_signed(uint32_t v)
{
    int32_t r;
    std::memcpy(&r, &v, sizeof r);
    return r;
}

int digit_value(int c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

bool is_hex(int c) { return digit_value(c) < 16; }

int lower(int c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

// Converts count characters at s in the radix; false when a digit is invalid.
// A value that does not fit 32 bits is reported (and taken as 0) instead of
// wrapping silently.
bool convert(const char* s, int count, int radix, uint32_t* out)
{
    uint64_t v = 0;
    bool too_large = false;
    for (int i = 0; i < count; i++) {
        int d = digit_value(static_cast<unsigned char>(s[i]));
        if (d >= radix)
            return false;
        v = v * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
        if (v > UINT32_MAX) {
            too_large = true;
            v = 0;
        }
    }
    if (too_large) {
        expr_error("number too large");
        v = 0;
    }
    *out = static_cast<uint32_t>(v);
    return true;
}

void parse_binary(int level);
void parse_expression(int closing);
int embedded_expression(symbol* s);

void set_error_token()
{
    lx.type = TOK_ERROR;
    lx.p = lx.start;
}

// Reads the next token; operator_pos tells whether an operator is expected
// (this decides what '%' means).
void next_token(bool operator_pos)
{
    while (*lx.p == ' ' || *lx.p == '\t')
        lx.p++;
    lx.start = lx.p;
    lx.sym = nullptr;
    lx.value = 0;
    const char* p = lx.p;
    int c = static_cast<unsigned char>(*p);
    switch (c) {
    case '!':
        if (p[1] == '=') { lx.type = TOK_NE; lx.p = p + 2; } else { lx.type = TOK_NOT; lx.p = p + 1; }
        return;
    case '&':
        if (p[1] == '&') { lx.type = TOK_LAND; lx.p = p + 2; } else { lx.type = TOK_AND; lx.p = p + 1; }
        return;
    case '|':
        if (p[1] == '|') { lx.type = TOK_LOR; lx.p = p + 2; } else { lx.type = TOK_OR; lx.p = p + 1; }
        return;
    case '<':
        if (p[1] == '=') { lx.type = TOK_LE; lx.p = p + 2; }
        else if (p[1] == '<') { lx.type = TOK_SHL; lx.p = p + 2; }
        else { lx.type = TOK_LT; lx.p = p + 1; }
        return;
    case '>':
        if (p[1] == '=') { lx.type = TOK_GE; lx.p = p + 2; }
        else if (p[1] == '>') { lx.type = TOK_SHR; lx.p = p + 2; }
        else { lx.type = TOK_GT; lx.p = p + 1; }
        return;
    case '=':
        if (p[1] == '=') { lx.type = TOK_EQ; lx.p = p + 2; } else set_error_token();
        return;
    case '(': lx.type = TOK_LPAREN; lx.p = p + 1; return;
    case ')': lx.type = TOK_RPAREN; lx.p = p + 1; return;
    case '*': lx.type = TOK_MUL; lx.p = p + 1; return;
    case '+': lx.type = TOK_PLUS; lx.p = p + 1; return;
    case '-': lx.type = TOK_MINUS; lx.p = p + 1; return;
    case '.': lx.type = TOK_DOT; lx.p = p + 1; return;
    case '/': lx.type = TOK_DIV; lx.p = p + 1; return;
    case '^': lx.type = TOK_XOR; lx.p = p + 1; return;
    case '~': lx.type = TOK_CPL; lx.p = p + 1; return;
    default: break;
    }
    if (c == '%') {
        if (operator_pos) {
            lx.type = TOK_MOD;
            lx.p = p + 1;
            return;
        }
        int n = 0;
        while (p[1 + n] == '0' || p[1 + n] == '1')
            n++;
        uint32_t v;
        if (n == 0 || !convert(p + 1, n, 2, &v)) { set_error_token(); return; }
        lx.type = TOK_NUMBER;
        lx.value = to_signed(v);
        lx.p = p + 1 + n;
        return;
    }
    if (c == '$' || (c == '0' && (p[1] == 'x' || p[1] == 'X') && is_hex(static_cast<unsigned char>(p[2])))) {
        const char* d = p + (c == '$' ? 1 : 2);
        int n = 0;
        while (is_hex(static_cast<unsigned char>(d[n])))
            n++;
        uint32_t v;
        if (n == 0 || !convert(d, n, 16, &v)) { set_error_token(); return; }
        lx.type = TOK_NUMBER;
        lx.value = to_signed(v);
        lx.p = d + n;
        return;
    }
    if (c >= '0' && c <= '9') {
        // The run of 0-9, a-f, h, o, q; its last character gives the radix.
        int n = 0;
        for (;;) {
            int l = lower(static_cast<unsigned char>(p[n]));
            if ((l >= '0' && l <= '9') || (l >= 'a' && l <= 'f') || l == 'h' || l == 'o' || l == 'q')
                n++;
            else
                break;
        }
        int last = lower(static_cast<unsigned char>(p[n - 1]));
        int radix = 10, digits = n;
        if (last == 'b') { radix = 2; digits = n - 1; }
        else if (last == 'd') { radix = 10; digits = n - 1; }
        else if (last == 'h') { radix = 16; digits = n - 1; }
        else if (last == 'o' || last == 'q') { radix = 8; digits = n - 1; }
        int skip = 0;
        while (skip < digits && p[skip] == '0')
            skip++;
        uint32_t v;
        if (!convert(p + skip, digits - skip, radix, &v)) { set_error_token(); return; }
        lx.type = TOK_NUMBER;
        lx.value = to_signed(v);
        lx.p = p + n;
        return;
    }
    if (c == '\'') {
        uint32_t v = 0;
        int n = 0;
        while (n < 4 && p[1 + n] != '\'' && p[1 + n] != '\0') {
            v = (v << 8) | static_cast<unsigned char>(p[1 + n]);
            n++;
        }
        if (n == 0 || p[1 + n] != '\'') { set_error_token(); return; }
        lx.type = TOK_NUMBER;
        lx.value = to_signed(v);
        lx.p = p + n + 2;
        return;
    }
    if (ident_start_char(c)) {
        const char* after;
        if (scan_identifier(p, &after) == 0) {   // too long: reported
            error_mark = true;
            set_error_token();
            return;
        }
        symbol* s = find_symbol(ident_buffer, false);
        lx.p = after;
        if (s->kind == SYM_CONSTANT) {
            lx.type = TOK_NUMBER;
            lx.value = s->value;
            return;
        }
        if (s->kind == SYM_TEXT) {
            lx.type = embedded_expression(s);
            return;
        }
        lx.type = TOK_SYMBOL;
        lx.sym = s;
        return;
    }
    set_error_token();
}

bool is_label_defined(const expr_token& t)
{
    return t.type == TOK_SYMBOL && t.sym->kind == SYM_LABEL && (t.sym->flags & LABEL_DEFINED);
}

void push_token(int type, int32_t value, symbol* sym)
{
    if (error_mark)
        return;
    if (expr_token_count >= EXPR_MAX_TOKENS) {
        asm_message(MSG_ERROR, "expression too complicated");
        diag_exit(-1);
    }
    if (type == TOK_SYMBOL) {
        if (sym->kind == SYM_CONSTANT) {
            type = TOK_NUMBER;
            value = sym->value;
            sym = nullptr;
        } else {
            reference_symbol(sym);
        }
    }
    int n = expr_token_count;
    if ((type == TOK_NOT || type == TOK_CPL || type == TOK_NEG) && n >= 1 && expr_tokens[n - 1].type == TOK_NUMBER) {
        uint32_t a = static_cast<uint32_t>(expr_tokens[n - 1].value);
        uint32_t r = type == TOK_NOT ? (a == 0 ? 1u : 0u) : type == TOK_CPL ? ~a : 0u - a;
        expr_tokens[n - 1].value = to_signed(r);
        return;
    }
    if (token_precedence(type) > 0 && n >= 2) {
        expr_token& l = expr_tokens[n - 2];
        expr_token& r = expr_tokens[n - 1];
        if (l.type == TOK_NUMBER && r.type == TOK_NUMBER) {
            int32_t a = l.value, b = r.value;
            uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
            uint32_t res = 0;
            switch (type) {
            case TOK_OR: res = ua | ub; break;
            case TOK_LOR: res = (a || b) ? 1 : 0; break;
            case TOK_AND: res = ua & ub; break;
            case TOK_LAND: res = (a && b) ? 1 : 0; break;
            // Shifts by 32 places or more (or by a negative count) move
            // every bit out: a left shift gives 0, a right shift the sign.
            case TOK_SHL: res = ub < 32 ? ua << ub : 0; break;
            case TOK_SHR: {
                unsigned s = ub < 32 ? ub : 31;
                res = a < 0 ? ~((~ua) >> s) : (ub < 32 ? ua >> s : 0);
                break;
            }
            case TOK_NE: res = a != b; break;
            case TOK_EQ: res = a == b; break;
            case TOK_LT: res = a < b; break;
            case TOK_LE: res = a <= b; break;
            case TOK_GT: res = a > b; break;
            case TOK_GE: res = a >= b; break;
            case TOK_PLUS: res = ua + ub; break;
            case TOK_MINUS: res = ua - ub; break;
            case TOK_MUL: res = ua * ub; break;
            case TOK_DIV:
            case TOK_MOD:
                if (b == 0) {
                    expr_error("division by 0 in expression");
                    res = 1;
                } else if (a == INT32_MIN && b == -1) {
                    res = type == TOK_DIV ? ua : 0;
                } else {
                    res = static_cast<uint32_t>(type == TOK_DIV ? a / b : a % b);
                }
                break;
            case TOK_XOR: res = ua ^ ub; break;
            case TOK_DOT:
                if (b < 0 || b > 7) {
                    expr_error("bit number out of range (0..7)");
                    res = 0;
                } else if (a >= 0x20 && a <= 0x2F) {
                    res = static_cast<uint32_t>((a - 0x20) * 8 + b);
                } else if (a > 0x7F && (a & 7) == 0) {
                    res = ua + ub;
                } else {
                    expr_error("location not bit addressable");
                    res = 0;
                }
                break;
            default: break;
            }
            l.value = to_signed(res);
            expr_token_count = n - 1;
            return;
        }
        if (type == TOK_MINUS && is_label_defined(l) && is_label_defined(r) &&
            l.sym->seg_number == r.sym->seg_number) {
            uint32_t d = static_cast<uint32_t>(l.sym->value) - static_cast<uint32_t>(r.sym->value);
            l.type = TOK_NUMBER;
            l.value = to_signed(d);
            l.sym = nullptr;
            expr_token_count = n - 1;
            return;
        }
    }
    expr_tokens[n].type = type;
    expr_tokens[n].value = value;
    expr_tokens[n].sym = sym;
    expr_token_count = n + 1;
}

void parse_unary()
{
    int t = lx.type;
    if (t == TOK_MINUS || t == TOK_NOT || t == TOK_CPL) {
        next_token(false);
        parse_unary();
        push_token(t == TOK_MINUS ? TOK_NEG : t, 0, nullptr);
        return;
    }
    if (t == TOK_LPAREN) {
        next_token(false);
        parse_expression(TOK_RPAREN);
        next_token(true);
        return;
    }
    if (t == TOK_NUMBER || t == TOK_SYMBOL) {
        push_token(t, lx.value, lx.sym);
        next_token(true);
        return;
    }
    if (t == TOK_EMBCALC) {
        next_token(true);
        return;
    }
    expr_error("missing operand");
}

void parse_binary(int level)
{
    parse_unary();
    while (token_precedence(lx.type) >= level && token_precedence(lx.type) > 0) {
        int op = lx.type;
        next_token(false);
        if (lx.type == TOK_ERROR) {
            expr_error("missing operand");
            return;
        }
        parse_binary(token_precedence(op) + 1);
        push_token(op, 0, nullptr);
    }
}

// closing: the token that must end the expression (TOK_RPAREN), or
// TOK_ERROR at the top level. The first token has been read.
void parse_expression(int closing)
{
    depth++;
    if (depth > EXPR_MAX_DEPTH) {
        expr_error("expression too nested or recursive");
        depth--;
        return;
    }
    parse_binary(4);
    if (lx.type != closing) {
        if (closing == TOK_ERROR)
            expr_error("expression syntax");
        else
            expr_error("expected '%s'", token_names[closing]);
    }
    depth--;
}

// A text symbol: its stored text is parsed in place as a parenthesised
// sub-expression whose tokens go into the list.
int embedded_expression(symbol* s)
{
    lexer saved = lx;
    depth++;
    if (depth > EXPR_MAX_DEPTH) {
        expr_error("expression too nested or recursive");
    } else if (!error_mark) {
        lx.p = s->text;
        next_token(false);
        parse_binary(4);
        if (lx.type != TOK_ERROR || *lx.start != '\0')
            expr_error("expression syntax in '%s'", s->name);
    }
    depth--;
    lx = saved;
    return TOK_EMBCALC;
}

} // namespace

int evaluate_expression(const char** pos, int32_t* value)
{
    expr_token_count = 0;
    depth = 0;
    error_mark = false;
    lx.p = *pos;
    next_token(false);
    parse_expression(TOK_ERROR);
    *pos = lx.start;
    if (error_mark) {
        *value = 0;
        return -1;
    }
    if (expr_token_count == 1 && expr_tokens[0].type == TOK_NUMBER) {
        *value = expr_tokens[0].value;
        return 1;
    }
    *value = 0;
    return 0;
}

} // namespace morrin
