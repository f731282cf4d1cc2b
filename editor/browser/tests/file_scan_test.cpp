// The one pass over search path files (each file read once, one lexical map
// for all scans) against the scans run one kind after the other over every
// file, with the comment tests searching back as they do without a map: on
// real sources that no one here wrote, every map must come out the same,
// record for record and in the same order. The open documents' scans are
// compared the same way with and without their lexical maps.
#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "editor/browser/browse_sources.h"
#include "editor/browser/browse_worker.h"
#include "editor/browser/function_scan.h"
#include "editor/browser/keyword_scan.h"
#include "editor/symbols/c_functions.h"
#include "editor/symbols/variable_scan.h"
#include "testing/kit/test_kit.h"

namespace {

const unsigned kAllKinds = kBrowseDefines | kBrowseTypes | kBrowseEnums | kBrowseFunctions | kBrowseVariables |
                           kBrowseDeclarations;

// Every record of a map, in map and list order, with its owner by content.
std::vector<std::string> Dump(const CSymbolMap& map)
{
    std::vector<std::string> out;
    for (const auto& entry : map)
        for (const auto& r : entry.second) {
            std::ostringstream s;
            s << entry.first << "|" << r->text << "|" << r->firstLine << "-" << r->lastLine << "|" << r->kind
              << "|" << r->file.value_or("-") << "|" << r->className.value_or("-") << "|" << r->name.value_or("-");
            if (r->owner)
                s << "|owner " << r->owner->text << " " << r->owner->name.value_or("-") << " " << r->owner->firstLine;
            out.push_back(s.str());
        }
    return out;
}

// The keyword scans in the browser's order, into the maps.
std::vector<KeywordScan> KeywordScans(CBrowserMaps& maps)
{
    return {{"#define", ParseDefine, &maps.defines},
            {"enum", ParseEnum, &maps.enums},
            {"struct", ParseStruct, &maps.types},
            {"union", ParseStruct, &maps.types},
            {"typedef", ParseTypedef, &maps.types}};
}

// The scans as separate passes: each keyword over all files, then the
// functions and the prototypes, each file read again for each, no map.
void SeparateScans(const std::vector<std::string>& files, CBrowserMaps& maps)
{
    for (const KeywordScan& k : KeywordScans(maps))
        for (const std::string& path : files) {
            std::string text = read_file(path);
            ScanTextForKeyword(k.keyword, k.parser, text.c_str(), text.size(), *k.map, path);
        }
    for (const std::string& path : files) {
        std::string text = read_file(path);
        ScanFileFunctions(text, path, maps.functions, &maps.variables);
    }
    for (const std::string& path : files) {
        std::string text = read_file(path);
        ScanFileDeclarations(text, path, maps.declarations);
    }
}

// Compares the maps record for record; at most five differences a kind are
// shown.
void ExpectSameMaps(const CBrowserMaps& separate, const CBrowserMaps& onePass)
{
    const struct {
        const char* kind;
        const CSymbolMap& before;
        const CSymbolMap& after;
    } maps[] = {{"defines", separate.defines, onePass.defines},
                {"enums", separate.enums, onePass.enums},
                {"types", separate.types, onePass.types},
                {"functions", separate.functions, onePass.functions},
                {"variables", separate.variables, onePass.variables},
                {"declarations", separate.declarations, onePass.declarations}};
    size_t records = 0;
    for (const auto& m : maps) {
        records += m.before.GetSymbolCount();
        const std::vector<std::string> before = Dump(m.before), after = Dump(m.after);
        EXPECT_EQ(before.size(), after.size()) << m.kind;
        size_t shown = 0;
        for (size_t i = 0; i < before.size() && i < after.size() && shown < 5; ++i)
            if (before[i] != after[i]) {
                ADD_FAILURE() << m.kind << " record " << i << ": separate scans " << before[i] << "\n  one pass "
                              << after[i];
                ++shown;
            }
    }
    EXPECT_GT(records, 1000u);
}

struct Corpus {
    const char* name;
    const char* dir;
};

// The corpus folder as the build's programs name it.
std::string CorpusDir(const Corpus& corpus)
{
#ifdef _WIN32
    return std::string("Z:") + corpus.dir;
#else
    return corpus.dir;
#endif
}

const char kMasks[] = "*.c *.cc *.h *.cpp";

class OnePassScan : public ::testing::TestWithParam<Corpus> {};

TEST_P(OnePassScan, SameSymbolsAsSeparateScans)
{
    const std::string dir = CorpusDir(GetParam());
    const std::vector<std::string> files = ListSearchFiles(SearchPathEntry{dir, kMasks, true});
    if (files.empty())
        GTEST_SKIP() << dir << " holds no sources: comparison skipped";

    CBrowserMaps separate;
    SeparateScans(files, separate);

    BrowseRequest request;
    request.flags = kAllKinds;
    request.searchPaths = {FormatSearchPath(dir, kMasks, true)};
    CBrowserMaps onePass;
    std::atomic<bool> stop{false};
    RunBrowseScan(request, onePass, stop, {});

    ExpectSameMaps(separate, onePass);
}

// The open documents' scans with each document's lexical map against the
// same scans without one, which search back for comments.
TEST_P(OnePassScan, OpenDocumentsSameWithTheMap)
{
    const std::string dir = CorpusDir(GetParam());
    BrowseRequest request;
    request.flags = kAllKinds | kBrowseOpenDocuments;
    for (const std::string& path : ListSearchFiles(SearchPathEntry{dir, kMasks, true})) {
        std::string text = read_file(path);
        NormalizeLineEnds(text); // an editor's text has CR line ends
        request.documents.push_back({nullptr, path, text});
    }
    if (request.documents.empty())
        GTEST_SKIP() << dir << " holds no sources: comparison skipped";

    CBrowserMaps separate;
    for (const KeywordScan& k : KeywordScans(separate))
        for (const BrowseDocument& d : request.documents)
            ScanKeywordHits(k.keyword, k.parser, d.text.c_str(), d.text.size(), *k.map, nullptr, d.path);
    for (const BrowseDocument& d : request.documents) {
        ParseCFunctions(d.text.c_str(), d.text.size(), separate.functions, nullptr, d.path, &separate.variables);
        ScanGlobalVariables(ScanText{d.text.c_str(), d.text.size(), d.path}, 0, d.text.size(), separate.variables);
    }
    for (const BrowseDocument& d : request.documents)
        ScanFunctionDeclarations(ScanText{d.text.c_str(), d.text.size(), d.path}, 0, d.text.size(),
                                 separate.declarations);

    CBrowserMaps withMaps;
    std::atomic<bool> stop{false};
    RunBrowseScan(request, withMaps, stop, {});
    ExpectSameMaps(separate, withMaps);
}

// One source with each kind of symbol, a struct member whose type spans two
// lines among them, saved with LF, CR LF and CR line ends: the one pass
// files the same records for all three, texts and lines alike.
TEST(OnePassLineEnds, SameRecordsForEveryLineEnd)
{
    const std::string source = "#define LIMIT 10 /* max */\n"
                               "enum Mode { FAST, SLOW = 2 };\n"
                               "typedef struct tagP {\n"
                               "  unsigned\n"
                               "    long wide;\n"
                               "  int y[4];\n"
                               "} P;\n"
                               "typedef unsigned char BYTE;\n"
                               "int total;\n"
                               "static int add(int a,\n"
                               "               int b);\n"
                               "static int add(int a,\n"
                               "               int b)\n"
                               "{\n"
                               "  int sum = a + b;\n"
                               "  return sum;\n"
                               "}\n";
    const struct {
        const char* name;
        const char* lineEnd;
    } forms[] = {{"lf", "\n"}, {"crlf", "\r\n"}, {"cr", "\r"}};
    std::vector<std::string> first;
    for (const auto& form : forms) {
        const std::string dir = test_folder(std::string("line_ends_") + form.name);
        std::string text;
        for (char c : source)
            text += c == '\n' ? std::string(form.lineEnd) : std::string(1, c);
        write_file(dir + "/s.c", text);
        BrowseRequest request;
        request.flags = kAllKinds;
        request.searchPaths = {FormatSearchPath(dir, "*.c", false)};
        CBrowserMaps maps;
        std::atomic<bool> stop{false};
        RunBrowseScan(request, maps, stop, {});
        std::vector<std::string> all;
        for (const CSymbolMap* m : {&maps.defines, &maps.enums, &maps.types, &maps.functions, &maps.variables,
                                    &maps.declarations})
            for (std::string record : Dump(*m)) {
                const size_t at = record.find(dir);
                if (at != std::string::npos)
                    record.replace(at, dir.size(), "DIR");
                all.push_back(record);
            }
        if (first.empty()) {
            first = all;
            EXPECT_GE(first.size(), 12u);
        } else {
            EXPECT_EQ(all, first) << form.name;
        }
    }
}

const Corpus kCorpora[] = {
    {"googletest", "/usr/src/googletest"},
    {"curl_examples", "/usr/share/doc/libcurl4/examples"},
};

INSTANTIATE_TEST_SUITE_P(RealSources, OnePassScan, ::testing::ValuesIn(kCorpora),
                         [](const ::testing::TestParamInfo<Corpus>& info) { return std::string(info.param.name); });

} // namespace
