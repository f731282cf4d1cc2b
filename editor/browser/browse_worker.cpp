#include "editor/browser/browse_worker.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <map>
#include <memory>
#include <utility>

#include "editor/browser/browse_sources.h"
#include "editor/browser/file_scan.h"
#include "editor/browser/keyword_scan.h"
#include "editor/symbols/c_functions.h"
#include "editor/syntax/file_mask.h"
#include "editor/syntax/lex_map.h"
#include "editor/symbols/variable_scan.h"

const char* const kStatusDefines = "Search for #define...";
const char* const kStatusEnums = "Search for enums...";
const char* const kStatusTypes = "Search for type definitions...";
const char* const kStatusFunctions = "Search for functions...";
const char* const kStatusDeclarations = "Search for function declarations...";

namespace {

class Scan {
public:
    Scan(const BrowseRequest& request, const std::atomic<bool>& stop)
        : m_request(request), m_stop(stop),
          m_documents((request.flags & kBrowseOpenDocuments) || request.searchPaths.empty())
    {
    }

    bool Stopped() const { return m_stop.load(std::memory_order_relaxed); }

    bool ScansDocuments() const { return m_documents; }

    // Every file of every search path entry, loaded, while no stop is asked.
    template <class Fn> void ForEachFile(Fn fn)
    {
        for (const std::string& raw : m_request.searchPaths) {
            if (Stopped())
                return;
            SearchPathEntry entry = ParseSearchPath(raw);
            for (const std::string& path : ListSearchFiles(entry, &m_stop)) {
                if (Stopped())
                    return;
                std::string text;
                if (LoadSourceFile(path, text))
                    fn(path, text);
            }
        }
    }

    // Every document; with filtered, only those the file filter matches.
    template <class Fn> void ForEachDocument(bool filtered, Fn fn)
    {
        for (const BrowseDocument& doc : m_request.documents) {
            if (Stopped())
                return;
            if (filtered && !MatchFileMask(doc.path.c_str(), m_request.fileFilter.c_str()))
                continue;
            fn(doc);
        }
    }

    // The scans of the open documents, kind by kind.
    void Keyword(const char* keyword, KeywordParser parser, CSymbolMap& map)
    {
        ForEachDocument(false, [&](const BrowseDocument& d) {
            ScanKeywordHits(keyword, parser, d.text.c_str(), d.text.size(), map, d.document, d.path, &m_stop);
        });
    }

    void Functions(CSymbolMap& functions, CSymbolMap* variables)
    {
        ForEachDocument(true, [&](const BrowseDocument& d) {
            const CLexMap& lex = LexOf(d);
            ParseCFunctions(d.text.c_str(), d.text.size(), functions, d.document, d.path, variables, &lex);
            if (variables && !Stopped())
                ScanGlobalVariables(ScanText{d.text.c_str(), d.text.size(), d.path, nullptr, &lex}, 0,
                                    d.text.size(), *variables);
        });
    }

    void Declarations(CSymbolMap& declarations)
    {
        ForEachDocument(true, [&](const BrowseDocument& d) {
            ScanFunctionDeclarations(ScanText{d.text.c_str(), d.text.size(), d.path, nullptr, &LexOf(d)}, 0,
                                     d.text.size(), declarations);
        });
    }

    // The files of the search paths: each is listed and read once, and all
    // kinds are scanned from that one copy.
    void Files(unsigned flags, CBrowserMaps& maps)
    {
        CSourceFileScan scan(flags, maps, &m_stop);
        ForEachFile([&](const std::string& path, std::string& text) { scan.ScanFile(path, text); });
        scan.Finish();
    }

private:
    // A document's lexical map, made by the first scan that needs it and
    // kept for the later ones.
    const CLexMap& LexOf(const BrowseDocument& d)
    {
        std::unique_ptr<CLexMap>& lex = m_lex[&d];
        if (!lex)
            lex = std::make_unique<CLexMap>(d.text.c_str(), d.text.size());
        return *lex;
    }

    const BrowseRequest& m_request;
    const std::atomic<bool>& m_stop;
    bool m_documents;
    std::map<const BrowseDocument*, std::unique_ptr<CLexMap>> m_lex;
};

} // namespace

void RunBrowseScan(const BrowseRequest& request, CBrowserMaps& maps, const std::atomic<bool>& stop,
                   const std::function<void(const char*)>& status)
{
    auto say = [&](const char* text) {
        if (status)
            status(text);
    };
    Scan scan(request, stop);
    const unsigned flags = request.flags;
    if (!scan.ScansDocuments()) {
        // One pass over the files serves every kind; the status texts of the
        // kinds it scans are shown in their usual order as it starts.
        maps.ClearSymbols(kClearAll);
        const struct {
            unsigned bit;
            const char* status;
        } steps[] = {{kBrowseDefines, kStatusDefines},
                     {kBrowseEnums, kStatusEnums},
                     {kBrowseTypes, kStatusTypes},
                     {kBrowseFunctions, kStatusFunctions},
                     {kBrowseDeclarations, kStatusDeclarations}};
        for (const auto& step : steps)
            if (flags & step.bit)
                say(step.status);
        scan.Files(flags, maps);
        say("");
        return;
    }
    // Each kind is cleared whether or not it is scanned, and a stopped scan
    // still runs through the later steps, which then find nothing to do.
    maps.ClearSymbols(kClearDefines);
    if (flags & kBrowseDefines) {
        say(kStatusDefines);
        scan.Keyword("#define", ParseDefine, maps.defines);
    }
    maps.ClearSymbols(kClearEnums);
    if (flags & kBrowseEnums) {
        say(kStatusEnums);
        scan.Keyword("enum", ParseEnum, maps.enums);
    }
    maps.ClearSymbols(kClearTypes);
    if (flags & kBrowseTypes) {
        say(kStatusTypes);
        scan.Keyword("struct", ParseStruct, maps.types);
        scan.Keyword("union", ParseStruct, maps.types);
        scan.Keyword("typedef", ParseTypedef, maps.types);
    }
    maps.ClearSymbols(kClearFunctions);
    if (flags & kBrowseFunctions) {
        say(kStatusFunctions);
        scan.Functions(maps.functions, (flags & kBrowseVariables) ? &maps.variables : nullptr);
    }
    maps.ClearSymbols(kClearDeclarations);
    if (flags & kBrowseDeclarations) {
        say(kStatusDeclarations);
        scan.Declarations(maps.declarations);
    }
    say("");
}

CBrowseWorker::CBrowseWorker(std::function<void(const char*)> status, std::function<void()> finished)
    : m_status(std::move(status)), m_finished(std::move(finished)), m_maps(std::make_shared<CBrowserMaps>())
{
}

CBrowseWorker::~CBrowseWorker()
{
    Stop();
}

void CBrowseWorker::JoinLocked()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool CBrowseWorker::Start(BrowseRequest request)
{
    if (!(request.flags & kBrowseAutomatic))
        return false;
    std::lock_guard<std::mutex> lock(m_control);
    if (m_running.load())
        return false;
    JoinLocked(); // a scan that ended by itself leaves its thread to join
    m_stop.store(false);
    m_running.store(true);
    try {
        m_thread = std::thread(&CBrowseWorker::Run, this, std::move(request));
    } catch (...) {
        m_running.store(false);
        return false;
    }
    return true;
}

void CBrowseWorker::RequestStop()
{
    m_stop.store(true);
}

void CBrowseWorker::Stop()
{
    std::lock_guard<std::mutex> lock(m_control);
    m_stop.store(true);
    JoinLocked();
}

bool CBrowseWorker::Restart(BrowseRequest request)
{
    Stop();
    return Start(std::move(request));
}

std::shared_ptr<CBrowserMaps> CBrowseWorker::Maps() const
{
    std::lock_guard<std::mutex> lock(m_mapsLock);
    return m_maps;
}

unsigned CBrowseWorker::Generation() const
{
    std::lock_guard<std::mutex> lock(m_mapsLock);
    return m_generation;
}

void CBrowseWorker::ClearSymbols()
{
    auto empty = std::make_shared<CBrowserMaps>();
    {
        std::lock_guard<std::mutex> lock(m_mapsLock);
        m_maps.swap(empty);
        ++m_generation;
    }
}

void CBrowseWorker::Run(BrowseRequest request)
{
#ifdef _WIN32
    // The scan yields to the user's typing.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
#endif
    auto maps = std::make_shared<CBrowserMaps>();
    RunBrowseScan(request, *maps, m_stop, m_status);
    {
        std::lock_guard<std::mutex> lock(m_mapsLock);
        m_maps.swap(maps);
        ++m_generation;
    }
    maps.reset(); // the old maps go when their last reader lets them go
    // Idle before the notice, so that a start it prompts is not refused; that
    // start then joins this thread, which only has the notice left to do.
    m_running.store(false);
    if (m_finished)
        m_finished();
}
