// Function-list parsers of Perl and Verilog texts for the functions tree.
//
// Texts: [text, text + length) followed by a 0 byte; CR (or LF) ends a line,
// byte 2 is a soft break, byte 1 the fill behind a tab. Lines are zero-based
// lines of the file; soft breaks do not count. Records are filed by the
// map's duplicate rule (same first line and file: skipped).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "editor/symbols/symbol_info.h"

// "sub NAME ... { ... }": one record per sub (kind 17), first line the line
// of "sub", last line the line of the block's "}". Returns the records added.
int ParsePerlSubs(const char* text, size_t length, CSymbolMap& map, COvantaDoc* document, const std::string& path);

// Blocks from a start word to its end word ("module"/"endmodule",
// "function"/"endfunction", "task"/"endtask"): kind 5 for modules, 8 for
// tasks, 7 otherwise. Returns the records added.
int ParseVerilogBlocks(const char* text, size_t length, CSymbolMap& map, COvantaDoc* document,
                       const std::string& path, const char* startWord, const char* endWord);

// Scans of the lines strictly inside one module record (its first and last
// line): named blocks ("begin : name"), assign targets, and ports of one
// kind (10 input, 11 output, 12 inout). Each appends records with the name
// as text and their first and last line.
void ParseVerilogNamedBlocks(const char* text, size_t length, const CSymbolInfo& module,
                             std::vector<CSymbolInfo>& list);
void ParseVerilogAssigns(const char* text, size_t length, const CSymbolInfo& module, std::vector<CSymbolInfo>& list);
void ParseVerilogPorts(const char* text, size_t length, const CSymbolInfo& module, std::vector<CSymbolInfo>& list,
                       int portKind);
