// CRecursiveFileFind: walks a directory, and with kSearchSubdirectories its
// subdirectories depth first, for files whose names match a list of masks
// (MatchFileMask). Each such file is loaded whole into one buffer; in
// listing mode (no search text) every file is returned, in search mode only
// files that hold the text, whose hits the caller then steps through with
// line and column.
//
// The walk works with full paths and never changes the process's current
// directory (other threads and the user interface rely on it). One buffer,
// owned by the top finder, serves the whole walk and only grows: pointers
// into it (GetFileBuffer, hits) stay valid until the next FindNextFile.
//
// Portable: Win32 directory search on Windows, opendir elsewhere. Paths are
// joined with the platform's separator.
#pragma once

#include "editor/tools/search_match.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// <windows.h> maps this name to its ANSI function; the finder's member
// keeps its own name (include <windows.h> before this header).
#ifdef FindNextFile
#undef FindNextFile
#endif

class CRecursiveFileFind {
public:
    // The start directory is the current directory at construction.
    CRecursiveFileFind();
    ~CRecursiveFileFind();
    CRecursiveFileFind(const CRecursiveFileFind&) = delete;
    CRecursiveFileFind& operator=(const CRecursiveFileFind&) = delete;

    // text empty or null: listing mode. A null (or empty) directory keeps the
    // start directory; a relative one is taken from the current directory. A
    // null mask list leaves the list unchanged (a new finder's matches
    // nothing). flags: the search flag word (whole words, case, descend,
    // comments, text mode).
    void Init(const char* text, const char* startDirectory, const char* masks, uint32_t flags);

    // Called between directory entries and by find in files between hits;
    // true cancels the walk (FindNextFile returns -1). The editor passes the
    // Escape key's state.
    void SetCancelTest(std::function<bool()> cancelled) { cancelled_ = std::move(cancelled); }

    // next 0 starts the walk, 1 continues it. Returns 1 with the next file's
    // full path in *path, 0 when the walk is over (or the start directory
    // cannot be read), -1 when cancelled. With hit given it receives the
    // file's first hit and the read position moves past it; without, the
    // first FindNextHit returns that hit.
    int FindNextFile(std::string* path, int next, const char** hit = nullptr);

    // The next hit at or after the read position, with its line and column
    // (from 1); the read position moves past it. At the end of the data:
    // null, line and column -1, and the read position back at the start.
    const char* FindNextHit(int* line, int* column);

    const std::string& GetFilePath() const;
    const char* GetFileBuffer() const;
    const char* GetDataEnd() const;
    // Moves the read position by n when it stays inside the data; returns
    // the position before.
    const char* Advance(ptrdiff_t n);

    // The buffer's capacity (it starts at 0xFFFF bytes and only grows).
    size_t BufferCapacity() const;

private:
    struct Shared;
    class DirReader;
    CRecursiveFileFind(std::shared_ptr<Shared> shared, int level);
    int Start();
    int Walk();
    bool LoadFile(const std::string& path);

    std::shared_ptr<Shared> shared_;
    int level_ = 0;
    std::string masks_;
    uint32_t flags_ = 0;
    std::string text_;
    CSearchPattern pattern_;
    std::string startDirectory_;
    std::unique_ptr<DirReader> dir_;
    std::unique_ptr<CRecursiveFileFind> child_;
    std::function<bool()> cancelled_;
};

// The platform's directory separator.
char PathSeparator();
// dir and name joined with one separator.
std::string JoinPath(const std::string& dir, const std::string& name);
// The process's current directory.
std::string CurrentDirectory();
