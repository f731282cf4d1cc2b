#include "editor/browser/function_scan.h"

#include <algorithm>
#include <cstring>

#include "editor/symbols/c_functions.h"
#include "editor/symbols/variable_scan.h"

void NormalizeLineEnds(std::string& text)
{
    if (!std::memchr(text.data(), '\r', text.size())) {
        // LF line ends only: each becomes a CR in place.
        std::replace(text.begin(), text.end(), '\n', '\r');
        return;
    }
    size_t out = 0;
    bool afterCr = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool cr = c == '\r';
        if (c == '\n') {
            if (afterCr) {
                afterCr = false;
                continue; // the LF of a CR LF
            }
            c = '\r';
        }
        afterCr = cr;
        text[out++] = c;
    }
    text.resize(out);
}

int ScanFileFunctions(std::string& text, const std::string& path, CSymbolMap& functions, CSymbolMap* variables)
{
    NormalizeLineEnds(text);
    if (variables)
        ScanGlobalVariables(ScanText{text.c_str(), text.size(), path}, 0, text.size(), *variables);
    return ParseFunctionDefinitions(text.c_str(), text.size(), functions, path, nullptr, variables);
}

int ScanFileDeclarations(std::string& text, const std::string& path, CSymbolMap& declarations)
{
    NormalizeLineEnds(text);
    return ScanFunctionDeclarations(ScanText{text.c_str(), text.size(), path}, 0, text.size(), declarations);
}
