// The browser's keyword scans: every whole-word hit of "#define", "enum",
// "struct", "union" or "typedef" in a C text is handed to its parser, which
// rebuilds the definition's display text and the names to file it under.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "editor/symbols/symbol_info.h"

class CLexMap;

// What a parser made of one keyword hit. Everything lives here, nothing in
// the parser, so scans of several texts may run at once on several threads.
struct KeywordSymbols {
    struct Item {
        std::string key;  // the name to file under
        std::string text; // the display text
    };
    std::vector<Item> items;
    // Where the parser's match ended when it covers more than the keyword
    // (a struct's body, a struct declaration up to its ";"), else none. A
    // scan over an open document resumes its search there.
    const char* resume = nullptr;
};

// A parser gets the hit, which lies in code (the scans find hits by a
// forward walk that steps over comments and literals), the text [text, end)
// (followed by a 0 byte) and fills the result, which the caller has emptied.
using KeywordParser = void (*)(const char* hit, const char* text, const char* end, KeywordSymbols& out);

// "#define NAME value": key NAME (a function-like macro keeps its parameter
// list up to the first blank), text "#define NAME value" with the value's
// blanks and comments left out.
void ParseDefine(const char* hit, const char* text, const char* end, KeywordSymbols& out);

// "typedef old new;": key the new name, text the old type. A typedef of a
// struct, union or enum with a body is left to the scans of those keywords.
void ParseTypedef(const char* hit, const char* text, const char* end, KeywordSymbols& out);

// "enum tag { A, B = 2 }": one item per enumerator, key its name, text
// "enum: tag." followed by the enumerator as written.
void ParseEnum(const char* hit, const char* text, const char* end, KeywordSymbols& out);

// "struct tag { members }" and unions: "struct type : tag" for the tag and
// for the name a typedef gives it, then one item per member, key its name,
// text "struct: TYPE tag.NAME" ("struct: NAME" without a tag).
void ParseStruct(const char* hit, const char* text, const char* end, KeywordSymbols& out);

// Runs one keyword scan over a text: every case-sensitive whole-word hit of
// the keyword outside comments goes to the parser, and each item it makes is
// filed into the map (kind = the map's kind, file = path, first line = the
// zero-based line of the hit). Returns the number of records filed. A set
// stop flag (when given) ends the scan before the next hit.
int ScanTextForKeyword(const char* keyword, KeywordParser parser, const char* text, size_t length,
                       CSymbolMap& map, const std::string& path, const std::atomic<bool>* stop = nullptr);

// One keyword scan of several: the keyword, its parser, the map it files into.
struct KeywordScan {
    const char* keyword;
    KeywordParser parser;
    CSymbolMap* map;
};

// The scans of several keywords over one text in one walk: the result is the
// same as ScanTextForKeyword for each in the given order. With the text's
// lexical map the walk reads the classes there instead of lexing again.
// Returns the records filed.
int ScanTextForKeywords(const KeywordScan* scans, size_t count, const char* text, size_t length,
                        const std::string& path, const std::atomic<bool>* stop = nullptr,
                        const CLexMap* lex = nullptr);

// The same scan over an open document's text, as the editor runs it for the
// browser: each record takes kind 32 (a keyword hit), last line 0 and the
// document, and the search goes on where the parser's match ended (after a
// struct's body or declaration), else after the keyword.
int ScanKeywordHits(const char* keyword, KeywordParser parser, const char* text, size_t length, CSymbolMap& map,
                    COvantaDoc* document, const std::string& path, const std::atomic<bool>* stop = nullptr);
