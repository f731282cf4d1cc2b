// The browser's scans of source files on disk, all kinds in one go: each
// file is read once, its line ends are made single CRs once, and one forward
// lexing pass classifies its bytes for every scan.
#pragma once

#include <atomic>
#include <string>

#include "editor/symbols/symbol_info.h"

class CSourceFileScan {
public:
    // flags: the browser flag word's kind bits (defines, enums, types,
    // functions with or without variables, declarations); the maps of those
    // kinds are filled. A set stop flag ends the scan of a file early.
    CSourceFileScan(unsigned flags, CBrowserMaps& maps, const std::atomic<bool>* stop = nullptr);

    // Scans one loaded file; its text is changed in place (CR line ends).
    void ScanFile(const std::string& path, std::string& text);

    // Files the type records gathered so far into the types map: those of
    // "struct" first, then "union", then "typedef", each in file order, as
    // scans of one keyword after the other over all files would list them.
    // Call once after the last file.
    void Finish();

private:
    unsigned m_flags;
    CBrowserMaps& m_maps;
    const std::atomic<bool>* m_stop;
    CSymbolMap m_structs{kKindType};
    CSymbolMap m_unions{kKindType};
    CSymbolMap m_typedefs{kKindType};
};
