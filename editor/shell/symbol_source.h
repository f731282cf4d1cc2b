// The source browser as the editor controls ask it: the symbols of a name
// (for identifier tips and "Go to Definition Of") and whether the browser
// searches on its own.
#pragma once

#include "editor/symbols/symbol_hits.h"

#include <string>

class ISymbolSource {
public:
    // Appends the records of name (".name": the members of a type) to hits;
    // the number appended.
    virtual int LookupSymbols(const std::string& name, CSymbolHitLists& hits) = 0;
    virtual bool AutoBrowserEnabled() = 0;

protected:
    ~ISymbolSource() = default;
};
