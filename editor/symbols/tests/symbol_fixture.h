// Files one symbol record for a test: key, kind, lines, display text, file,
// owner and class (null: none).
#pragma once

#include "editor/symbols/symbol_info.h"

#include <memory>
#include <string>

inline CSymbolInfo* AddTestSymbol(CSymbolMap& map, const std::string& key, int kind, int firstLine, int lastLine,
                                  const char* name, const char* file, const CSymbolInfo* owner = nullptr,
                                  const char* className = nullptr)
{
    auto record = std::make_unique<CSymbolInfo>();
    record->text = key;
    record->kind = kind;
    record->firstLine = firstLine;
    record->lastLine = lastLine;
    if (name)
        record->name = std::string(name);
    if (file)
        record->file = std::string(file);
    if (className)
        record->className = std::string(className);
    record->owner = owner;
    return map.AddSymbol(key, std::move(record));
}
