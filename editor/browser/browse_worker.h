// The source browser's worker: one thread that scans C sources for the six
// kinds of symbols and hands the finished maps to the user interface.
//
// Rules that keep the two threads apart:
// - The worker never touches an editor: the caller hands it snapshots of the
//   open documents' texts, taken on the user-interface thread.
// - The worker fills maps of its own. When the scan ends (or is stopped) it
//   swaps them in under a lock; readers (the functions bar, identifier tips,
//   the tag file) take the current maps with Maps() and keep the shared
//   pointer while they use its records. Maps once handed over are never
//   changed by the worker again.
// - One stop flag, one idle state. A stop is always a join: the worker
//   checks the flag before each search path entry, each file and document,
//   and before each keyword hit inside a file.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "editor/symbols/symbol_info.h"

// Bits of the browser flag word ([TagConfig] "flags").
enum : unsigned {
    kBrowseOpenDocuments = 0x01,
    kBrowseSubdirectories = 0x02, // the configuration dialog's check box; the scans do not read it
    kBrowseDefines = 0x04,
    kBrowseTypes = 0x08,
    kBrowseEnums = 0x10,
    kBrowseFunctions = 0x20,
    kBrowseVariables = 0x40, // with kBrowseFunctions
    kBrowseDeclarations = 0x80,
    kBrowseAutomatic = 0x8000,
};

// The flag word when no setting exists.
const unsigned kBrowseDefaultFlags = 5;

// Status texts shown while a scan runs; an empty text when it ends.
extern const char* const kStatusDefines;      // "Search for #define..."
extern const char* const kStatusEnums;        // "Search for enums..."
extern const char* const kStatusTypes;        // "Search for type definitions..."
extern const char* const kStatusFunctions;    // "Search for functions..."
extern const char* const kStatusDeclarations; // "Search for function declarations..."

// An open document as the user-interface thread copied it for a scan.
struct BrowseDocument {
    COvantaDoc* document = nullptr; // stamped on the records; never dereferenced by the worker
    std::string path;               // the document's path name
    std::string text;               // its editor text at the time of the copy
};

struct BrowseRequest {
    unsigned flags = kBrowseDefaultFlags;
    // "tagpath%d" entries; with none (or with kBrowseOpenDocuments) the
    // documents are scanned.
    std::vector<std::string> searchPaths;
    // Masks of the documents that the function and declaration scans read.
    std::string fileFilter = "*.*";
    std::vector<BrowseDocument> documents;
};

// Runs one scan on the calling thread into the given maps (emptied first,
// kind by kind as each step comes). Status texts go to status when given.
// Public so that tests and a synchronous export can run it without a thread.
void RunBrowseScan(const BrowseRequest& request, CBrowserMaps& maps, const std::atomic<bool>& stop,
                   const std::function<void(const char*)>& status);

class CBrowseWorker {
public:
    // status: called on the worker thread with each status text (empty at
    // the end); finished: called on the worker thread after the new maps
    // were swapped in. Both may only post to the user-interface thread.
    explicit CBrowseWorker(std::function<void(const char*)> status = {}, std::function<void()> finished = {});
    ~CBrowseWorker(); // stops and joins
    CBrowseWorker(const CBrowseWorker&) = delete;
    CBrowseWorker& operator=(const CBrowseWorker&) = delete;

    // Starts a scan. False, doing nothing, while a scan runs or when
    // automatic browsing (kBrowseAutomatic) is off in the request's flags.
    bool Start(BrowseRequest request);
    // Asks a running scan to stop and returns at once; the scan hands over
    // the maps as far as it filled them (kinds it had not come to empty).
    void RequestStop();
    // Asks a running scan to stop and waits for its thread to end.
    void Stop();
    // Stop() followed by Start().
    bool Restart(BrowseRequest request);

    // True while no scan runs.
    bool IsIdle() const { return !m_running.load(); }
    // The flag a running scan polls (the status bar's cancel sets it).
    std::atomic<bool>& StopFlag() { return m_stop; }

    // The maps of the last scan handed over (empty maps before the first).
    std::shared_ptr<CBrowserMaps> Maps() const;
    // Counts the hand-overs, so that a reader can tell new maps arrived.
    unsigned Generation() const;
    // Puts empty maps in place of the current ones (readers that hold the
    // old maps keep them until they let go); a scan that runs hands over its
    // maps when it ends as usual.
    void ClearSymbols();

private:
    void Run(BrowseRequest request);
    void JoinLocked();

    std::function<void(const char*)> m_status;
    std::function<void()> m_finished;

    std::mutex m_control; // Start/Stop from any thread, one at a time
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};

    mutable std::mutex m_mapsLock;
    std::shared_ptr<CBrowserMaps> m_maps;
    unsigned m_generation = 0;
};
