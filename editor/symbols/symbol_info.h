// One definition found in a source, and the maps that file such records by
// name. The source browser's scans and the editor's function-list parsers
// make these records; the functions bar, the tag file, the project reference
// and the identifier tips read them.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class COvantaDoc;

// Line value of a record that has no line (file nodes of the functions tree).
const int kNoLine = -1;

// Kinds that the browser stamps on its records: the bits of its flag word.
enum : int {
    kKindDefine = 0x04,
    kKindType = 0x08,
    kKindEnum = 0x10,
    kKindFunction = 0x20,
    kKindVariable = 0x40,
    kKindDeclaration = 0x80,
};

// Kinds that the function-list parsers give their records: the image that
// the functions tree shows for them.
enum : int {
    kImageCFunction = 0,
    kImageVerilogModule = 5,
    kImageVerilogFunction = 7,
    kImageVerilogTask = 8,
    kImagePerlSub = 17,
    kImageKeywordHit = 32,
};

class CSymbolInfo {
public:
    // Function: the key it is filed under; variable: its name; empty for
    // file nodes, class records and the records of the keyword scans.
    std::string text;
    // Variable: the record of its function (parameters, locals) or of its
    // class (members); member function: the record of its class; none for
    // globals and free functions.
    const CSymbolInfo* owner = nullptr;
    // Zero-based lines of the definition and of its closing brace; kNoLine
    // for records without a line.
    int firstLine = 0;
    int lastLine = 0;
    int kind = 0;
    // The open document the symbol was found in; none for files on disk.
    COvantaDoc* document = nullptr;
    // The functions tree's item that shows this record; set by the tree.
    void* treeItem = nullptr;
    std::optional<std::string> file;
    std::optional<std::string> className;
    // Display text: rebuilt #define line, enum or type description,
    // function header, variable type, "class: NAME".
    std::optional<std::string> name;
};

// Records filed under one key, in the order they were found.
class CSymbolList {
public:
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    const CSymbolInfo& operator[](size_t i) const { return *m_records[i]; }
    CSymbolInfo& operator[](size_t i) { return *m_records[i]; }
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

    // The record with this first line and file, or none.
    const CSymbolInfo* FindSame(int firstLine, const std::optional<std::string>& file) const;
    // Appends; the list takes the record and returns its stable address.
    CSymbolInfo* Append(std::unique_ptr<CSymbolInfo> record);
    // Hands over all records in order, leaving the list empty.
    std::vector<std::unique_ptr<CSymbolInfo>> Release();

private:
    std::vector<std::unique_ptr<CSymbolInfo>> m_records;
    // Index by first line and file, built once the list grows, so that a
    // name that occurs many thousand times (a local "i", on the same lines of
    // many files) is still filed quickly.
    std::unordered_multimap<size_t, size_t> m_byLine;
};

// Map from a symbol's key (case-sensitive) to the list of its records. The
// map owns its lists and records; a record's address stays valid until the
// map is cleared or destroyed.
class CSymbolMap {
public:
    explicit CSymbolMap(int kind = 0) : m_kind(kind) {}
    CSymbolMap(const CSymbolMap&) = delete;
    CSymbolMap& operator=(const CSymbolMap&) = delete;

    // The kind that every record filed into this map by a scan takes.
    int GetKind() const { return m_kind; }

    // Files a record under the key: when a record with the same first line
    // and an equal file is already listed there, nothing is added and the
    // result is none; otherwise the record is appended and its address
    // returned.
    CSymbolInfo* AddSymbol(const std::string& key, std::unique_ptr<CSymbolInfo> record);
    // The same for a copy of a record.
    CSymbolInfo* AddSymbol(const std::string& key, const CSymbolInfo& record);

    // Files every record of other here, key by key and in each list's
    // order, by the rule of AddSymbol (duplicates are dropped); other is left
    // empty. Records keep their addresses.
    void TakeRecords(CSymbolMap& other);

    const CSymbolList* Lookup(const std::string& key) const;
    void RemoveAllSymbols();
    bool IsEmpty() const { return m_lists.empty(); }
    size_t GetKeyCount() const { return m_lists.size(); }
    size_t GetSymbolCount() const { return m_symbols; }

    // Walks keys in the map's order (sorted by key).
    auto begin() const { return m_lists.begin(); }
    auto end() const { return m_lists.end(); }

private:
    int m_kind;
    size_t m_symbols = 0;
    std::map<std::string, CSymbolList> m_lists;
};

// Bits of CBrowserMaps::ClearSymbols.
enum : unsigned {
    kClearDefines = 0x04,
    kClearTypes = 0x08,
    kClearEnums = 0x10,
    kClearFunctions = 0x20, // functions and variables
    kClearVariables = 0x40,
    kClearDeclarations = 0x80,
    kClearAll = 0xFFFFFFFFu,
};

// The six maps that the source browser fills.
struct CBrowserMaps {
    CSymbolMap defines{kKindDefine};
    CSymbolMap types{kKindType};
    CSymbolMap functions{kKindFunction};
    CSymbolMap enums{kKindEnum};
    CSymbolMap variables{0};
    CSymbolMap declarations{0};

    void ClearSymbols(unsigned mask);
    bool IsEmpty() const;
};
