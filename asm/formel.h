// formel: assembler expressions. Parses one expression, folds
// what is constant and leaves the rest as a postfix token list of at most 16
// entries for a relocation record. Arithmetic is done on unsigned 32-bit
// values so that every overflow is defined.
#pragma once

#include <cstdint>

namespace morrin {

struct symbol;

enum token_type {
    TOK_ERROR = 0,
    TOK_OR = 1,       // |
    TOK_LOR = 2,      // ||
    TOK_AND = 3,      // &
    TOK_LAND = 4,     // &&
    TOK_SHL = 5,      // <<
    TOK_SHR = 6,      // >>
    TOK_NE = 7,       // !=
    TOK_EQ = 8,       // ==
    TOK_LT = 9,       // <
    TOK_LE = 10,      // <=
    TOK_GT = 11,      // >
    TOK_GE = 12,      // >=
    TOK_PLUS = 13,    // +
    TOK_MINUS = 14,   // -
    TOK_MUL = 15,     // *
    TOK_DIV = 16,     // /
    TOK_MOD = 17,     // %
    TOK_XOR = 18,     // ^
    TOK_DOT = 19,     // .
    TOK_UNARY = 20,
    TOK_NOT = 21,     // !
    TOK_CPL = 22,     // ~
    TOK_NEG = 23,     // -U
    TOK_PRIMARY = 24,
    TOK_NUMBER = 25,  // (lnumber)
    TOK_SYMBOL = 26,
    TOK_EMBCALC = 27,
    TOK_LPAREN = 28,
    TOK_RPAREN = 29,
};

enum { EXPR_MAX_TOKENS = 16, EXPR_MAX_DEPTH = 20 };

struct expr_token {
    int type;
    int32_t value;   // TOK_NUMBER
    symbol* sym;     // TOK_SYMBOL
};

extern const char* const token_names[30];

// The postfix list of the last expression.
extern expr_token expr_tokens[EXPR_MAX_TOKENS];
extern int expr_token_count;

// Parses an expression at *pos; afterwards *pos stands on the first
// character that is not part of it. Returns 1 with the value when the list
// folded to one number, 0 (value 0) when it is relocatable, -1 (value 0)
// after an error.
int evaluate_expression(const char** pos, int32_t* value);

// Binary precedence of a token type (0 for non-operators).
int token_precedence(int type);

} // namespace morrin
