#include "editor/symbols/symbol_info.h"

namespace {
// Below this size a list is searched by walking it.
const size_t kIndexFrom = 16;

size_t IndexKey(int firstLine, const std::optional<std::string>& file)
{
    const size_t name = file ? std::hash<std::string>()(*file) : 0;
    return name ^ (static_cast<size_t>(static_cast<unsigned>(firstLine)) * 0x9E3779B97F4A7C15ull);
}
}

const CSymbolInfo* CSymbolList::FindSame(int firstLine, const std::optional<std::string>& file) const
{
    if (m_records.size() < kIndexFrom) {
        for (const auto& r : m_records)
            if (r->firstLine == firstLine && r->file == file)
                return r.get();
        return nullptr;
    }
    auto range = m_byLine.equal_range(IndexKey(firstLine, file));
    for (auto it = range.first; it != range.second; ++it) {
        const CSymbolInfo* r = m_records[it->second].get();
        if (r->firstLine == firstLine && r->file == file)
            return r;
    }
    return nullptr;
}

CSymbolInfo* CSymbolList::Append(std::unique_ptr<CSymbolInfo> record)
{
    m_records.push_back(std::move(record));
    if (m_records.size() == kIndexFrom) {
        for (size_t i = 0; i < m_records.size(); ++i)
            m_byLine.emplace(IndexKey(m_records[i]->firstLine, m_records[i]->file), i);
    } else if (m_records.size() > kIndexFrom) {
        m_byLine.emplace(IndexKey(m_records.back()->firstLine, m_records.back()->file), m_records.size() - 1);
    }
    return m_records.back().get();
}

std::vector<std::unique_ptr<CSymbolInfo>> CSymbolList::Release()
{
    m_byLine.clear();
    std::vector<std::unique_ptr<CSymbolInfo>> out;
    out.swap(m_records);
    return out;
}

void CSymbolMap::TakeRecords(CSymbolMap& other)
{
    for (auto& entry : other.m_lists)
        for (std::unique_ptr<CSymbolInfo>& record : entry.second.Release())
            AddSymbol(entry.first, std::move(record));
    other.RemoveAllSymbols();
}

CSymbolInfo* CSymbolMap::AddSymbol(const std::string& key, std::unique_ptr<CSymbolInfo> record)
{
    CSymbolList& list = m_lists[key];
    if (list.FindSame(record->firstLine, record->file))
        return nullptr;
    ++m_symbols;
    return list.Append(std::move(record));
}

CSymbolInfo* CSymbolMap::AddSymbol(const std::string& key, const CSymbolInfo& record)
{
    auto it = m_lists.find(key);
    if (it != m_lists.end() && it->second.FindSame(record.firstLine, record.file))
        return nullptr;
    return AddSymbol(key, std::make_unique<CSymbolInfo>(record));
}

const CSymbolList* CSymbolMap::Lookup(const std::string& key) const
{
    auto it = m_lists.find(key);
    return it == m_lists.end() ? nullptr : &it->second;
}

void CSymbolMap::RemoveAllSymbols()
{
    m_lists.clear();
    m_symbols = 0;
}

void CBrowserMaps::ClearSymbols(unsigned mask)
{
    if (mask & kClearDefines)
        defines.RemoveAllSymbols();
    if (mask & kClearTypes)
        types.RemoveAllSymbols();
    if (mask & kClearFunctions) {
        functions.RemoveAllSymbols();
        variables.RemoveAllSymbols();
    }
    if (mask & kClearEnums)
        enums.RemoveAllSymbols();
    if (mask & kClearVariables)
        variables.RemoveAllSymbols();
    if (mask & kClearDeclarations)
        declarations.RemoveAllSymbols();
}

bool CBrowserMaps::IsEmpty() const
{
    return defines.IsEmpty() && types.IsEmpty() && functions.IsEmpty() && enums.IsEmpty() &&
        variables.IsEmpty() && declarations.IsEmpty();
}
