// Variable and prototype scanners of the source browser: global and static
// variables, class members, parameters and locals, and function prototypes,
// found by the shapes of statements in a C text held as one buffer.
//
// Texts: [text, text + length) followed by a 0 byte; CR (or LF) ends a line,
// byte 2 is a soft break and byte 1 the fill behind a tab. Lines filed are
// zero-based lines of the file, counting CR (LF in a text without CR) and
// never soft breaks; each record takes the line of its name.
#pragma once

#include <cstddef>
#include <string>

#include "editor/symbols/symbol_info.h"

// Status texts that the browser shows while the scanners run.
extern const char* const kStatusLocalVariables;     // "Search for local variables..."
extern const char* const kStatusGlobalVariables;    // "Search for global/static variables..."
extern const char* const kStatusVariables;          // "Search for variables..."
extern const char* const kStatusFunctionDeclarations; // "Search for function declarations..."

class CTextLineCounter;
class CLexMap;

// A text and the path its records name. A scan that calls the scanners many
// times over one text passes its line counter, so that lines are counted
// on from the last answer instead of from the text start each time, and the
// text's lexical map, so that comment tests need no search back.
struct ScanText {
    const char* text;
    size_t length;
    const std::string& path;
    CTextLineCounter* lines = nullptr;
    const CLexMap* lex = nullptr;
};

// Files one variable (kind 64): key the name, name field the declaration
// text (its type), owner the function or class record, or none for a
// global. Returns 0 for a duplicate (same line and file), else 1.
int AddVariableSymbol(const std::string& declaration, const std::string& name, int line, CSymbolMap& map,
                      const CSymbolInfo* owner, const std::string& path);

// Splits [from, to) at its top-level blocks and hands every stretch outside
// them to ScanVariableDeclarations without owner. Returns the records filed.
int ScanGlobalVariables(const ScanText& src, size_t from, size_t to, CSymbolMap& map);

// Files the variables declared by the statements of one stretch of code.
int ScanVariableDeclarations(const ScanText& src, size_t from, size_t to, CSymbolMap& map,
                             const CSymbolInfo* owner);

// Files the parameters of a function's head and the variables declared in
// its body: nameStart is the function name's offset, close its closing "}".
int ScanLocalVariables(const ScanText& src, size_t nameStart, size_t close, const CSymbolInfo* function,
                       CSymbolMap& map);

// Files prototypes (kind 128) outside function bodies, class member
// prototypes included. Returns the records filed.
int ScanFunctionDeclarations(const ScanText& src, size_t from, size_t to, CSymbolMap& map);
