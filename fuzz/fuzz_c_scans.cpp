// The C scans of the functions tree and the source browser over a source
// text (the input): function definitions, variables, prototypes and the
// keyword scans, on the text as a file gives it and as the editor holds it
// (CR line ends).
#include "editor/browser/function_scan.h"
#include "editor/browser/keyword_scan.h"
#include "editor/symbols/symbol_info.h"
#include "editor/symbols/c_functions.h"
#include "editor/symbols/variable_scan.h"
#include "fuzz/fuzz_support.h"

namespace {

void ScanAll(const std::string& text)
{
    const std::string path = "fuzz.c";
    CSymbolMap functions, classes;
    ParseCFunctions(text.c_str(), text.size(), functions, nullptr, path, &classes);
    CSymbolMap browserFunctions(kKindFunction), variables(64);
    ParseFunctionDefinitions(text.c_str(), text.size(), browserFunctions, path, nullptr, &variables);
    const ScanText src{text.c_str(), text.size(), path};
    CSymbolMap globals(64), prototypes(128);
    ScanGlobalVariables(src, 0, text.size(), globals);
    ScanFunctionDeclarations(src, 0, text.size(), prototypes);
    const struct {
        const char* keyword;
        KeywordParser parser;
    } scans[] = {{"#define", ParseDefine}, {"typedef", ParseTypedef}, {"enum", ParseEnum},
                 {"struct", ParseStruct},  {"union", ParseStruct}};
    for (const auto& s : scans) {
        CSymbolMap map(32);
        ScanTextForKeyword(s.keyword, s.parser, text.c_str(), text.size(), map, path);
    }
    std::vector<std::string> calls;
    size_t pos = 0, blockEnd = 0;
    while (pos < text.size() && FindNextBlock(text.c_str(), text.size(), pos, blockEnd)) {
        FUZZ_CHECK(blockEnd >= pos && blockEnd < text.size());
        CollectCalls(text.c_str(), pos, blockEnd, true, calls);
        pos = pos + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string file = input;
    CSymbolMap functions(kKindFunction), variables(64), declarations(128);
    ScanFileFunctions(file, "fuzz.c", functions, &variables);
    std::string again = input;
    ScanFileDeclarations(again, "fuzz.c", declarations);
    ScanAll(input);
    std::string editor = input;
    NormalizeLineEnds(editor);
    ScanAll(editor);
    return 0;
}
