// The browser's per-file scans of function definitions and prototypes over a
// loaded source file. The file text is changed in place: its line ends
// become single CRs, as the scanners expect.
#pragma once

#include <string>

#include "editor/symbols/symbol_info.h"

// Makes every line end (CR LF, LF or CR) a single CR, so that a file with LF
// line ends keeps its lines.
void NormalizeLineEnds(std::string& text);

// With a variables map, the global variables of the whole text first; then
// the function definitions (with their parameters and locals). Returns the
// functions filed.
int ScanFileFunctions(std::string& text, const std::string& path, CSymbolMap& functions, CSymbolMap* variables);

// Prototypes of the whole text. Returns the records filed.
int ScanFileDeclarations(std::string& text, const std::string& path, CSymbolMap& declarations);
