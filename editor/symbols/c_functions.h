// Function definitions of C and C++ texts for the functions tree and the
// source browser. The scan goes from "{" to "{" and judges each brace by
// what stands before it: a parameter list, a name, a header; it never looks
// inside a function body.
//
// Texts: [text, text + length) followed by a 0 byte; CR (or LF) ends a line,
// byte 2 is a soft break, byte 1 the fill behind a tab. Lines are zero-based
// lines of the file (soft breaks do not count): a function's first line is
// the line of its name, its last line the line of its closing brace.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "editor/symbols/symbol_info.h"

class CLexMap;

// The editor's parser of an open document: files each function under its
// name without class part (kind 0), its class name in the class field and
// the class's record as its owner, the header up to the last ")" before the
// body as its display text. With a class map, class records ("class: NAME"
// under "NAME:"), members, parameters and locals go there too. Returns the
// number of functions filed, 0 when the text ends the scan early (a ")"
// without its "(" or a body without its "}"); records filed stay. With the
// text's lexical map the comment and literal tests are looked up there.
int ParseCFunctions(const char* text, size_t length, CSymbolMap& functions, COvantaDoc* document,
                    const std::string& path, CSymbolMap* classMap, const CLexMap* lex = nullptr);

// The browser's scan of a file (or document): the same walk, but the record
// keeps no class name, takes the map's kind, and shows the whole header up
// to the brace with its blanks collapsed. Returns the functions filed. With
// the text's lexical map the comment and literal tests are looked up there.
int ParseFunctionDefinitions(const char* text, size_t length, CSymbolMap& functions, const std::string& path,
                             COvantaDoc* document, CSymbolMap* variables, const CLexMap* lex = nullptr);

// The next "{" at or after pos and its matching "}" (comments not skipped),
// as offsets; false when there is none.
bool FindNextBlock(const char* text, size_t length, size_t& pos, size_t& blockEnd);

// The names called in [from, to): each identifier before a "(" except the
// control words; a name already listed is listed again as "+NAME" only when
// markRepeats is set.
void CollectCalls(const char* text, size_t from, size_t to, bool markRepeats, std::vector<std::string>& names);
