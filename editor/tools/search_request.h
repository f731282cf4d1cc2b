// The search request: what every search of the editor starts from. The
// search dialogs build it from their controls and send it with
// WM_FIND_REQUEST (0x419) to the main frame, which carries it out and
// returns a count. The flag word's bits are also the rules by which the file
// finder matches a text in a file's bytes (editor/tools/search_match.h).
#pragma once

#include <cstdint>

// Search flag word.
enum : uint32_t {
    kSearchBackward = 0x1,     // low two bits: 1 backward, 2 forward, 3 both ways
    kSearchForward = 0x2,
    kSearchBothWays = 0x3,
    kSearchDirectionMask = 0x3,
    kSearchWholeWords = 0x4,
    kSearchMatchCase = 0x8,
    kSearchStandard = 0x10,    // every request but "replace all in all open documents"
    kSearchEnterToggled = 0x20,
    kSearchSubdirectories = 0x40,
    kSearchSkipComments = 0x80, // in a replace request: keep the found text's case
    kSearchKeepCase = 0x80,
    kSearchUseSelection = 0x400,
    kSearchTextMode = 0x8000,  // file finder only: files read as text
};

// Scopes of a request.
enum : int32_t {
    kScopeFindInDocument = 4,
    kScopeReplaceNext = 8,
    kScopeReplaceAll = 16,
    kScopeOpenDocuments = 32,
    kScopeDiskFiles = 64,
    kScopeCurrentDocument = 256,
    kScopeReplaceAllDocuments = 512,
};

// Kept inside the dialog that built it; valid until that dialog builds the
// next one. Texts are null where the scope does not use them.
struct SearchRequest {
    int32_t scope = 0;
    uint32_t flags = 0;
    const char* text = nullptr;        // at most 100 characters
    const char* replacement = nullptr;
    const char* fileFilter = nullptr;  // blank-separated masks
    const char* directory = nullptr;
};

// Longest search text the dialogs take.
const int kMaxSearchText = 100;
