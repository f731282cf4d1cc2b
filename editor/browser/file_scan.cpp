#include "editor/browser/file_scan.h"

#include "editor/browser/browse_worker.h"
#include "editor/browser/function_scan.h"
#include "editor/browser/keyword_scan.h"
#include "editor/symbols/c_functions.h"
#include "editor/syntax/lex_map.h"
#include "editor/symbols/variable_scan.h"

CSourceFileScan::CSourceFileScan(unsigned flags, CBrowserMaps& maps, const std::atomic<bool>* stop)
    : m_flags(flags), m_maps(maps), m_stop(stop)
{
}

void CSourceFileScan::ScanFile(const std::string& path, std::string& text)
{
    NormalizeLineEnds(text);
    const CLexMap lex(text.c_str(), text.size());
    KeywordScan keywords[5];
    size_t count = 0;
    if (m_flags & kBrowseDefines)
        keywords[count++] = {"#define", ParseDefine, &m_maps.defines};
    if (m_flags & kBrowseEnums)
        keywords[count++] = {"enum", ParseEnum, &m_maps.enums};
    if (m_flags & kBrowseTypes) {
        keywords[count++] = {"struct", ParseStruct, &m_structs};
        keywords[count++] = {"union", ParseStruct, &m_unions};
        keywords[count++] = {"typedef", ParseTypedef, &m_typedefs};
    }
    if (count)
        ScanTextForKeywords(keywords, count, text.c_str(), text.size(), path, m_stop, &lex);
    auto stopped = [&] { return m_stop && m_stop->load(std::memory_order_relaxed); };
    if ((m_flags & kBrowseFunctions) && !stopped()) {
        CSymbolMap* variables = (m_flags & kBrowseVariables) ? &m_maps.variables : nullptr;
        if (variables)
            ScanGlobalVariables(ScanText{text.c_str(), text.size(), path, nullptr, &lex}, 0, text.size(),
                                *variables);
        ParseFunctionDefinitions(text.c_str(), text.size(), m_maps.functions, path, nullptr, variables, &lex);
    }
    if ((m_flags & kBrowseDeclarations) && !stopped())
        ScanFunctionDeclarations(ScanText{text.c_str(), text.size(), path, nullptr, &lex}, 0, text.size(),
                                 m_maps.declarations);
}

void CSourceFileScan::Finish()
{
    m_maps.types.TakeRecords(m_structs);
    m_maps.types.TakeRecords(m_unions);
    m_maps.types.TakeRecords(m_typedefs);
}
