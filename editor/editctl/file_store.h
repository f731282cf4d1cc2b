// Whole-file reading and safe writing for the text core. A file is written
// to a temporary beside it and renamed over the original only when every
// byte was written and flushed to the disk, so a failed save never loses
// the file on disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/safe_file.h"

struct CFileStatus;

enum file_store_result {
    FILE_STORE_OK = 0,
    FILE_STORE_CANNOT_OPEN,
    FILE_STORE_NO_MEMORY,
    FILE_STORE_READ_ONLY,   // the existing file has the read-only attribute
    FILE_STORE_WRITE_FAILED,
};

// Reading a file in blocks: open (which tells its size), then get until
// it gives 0; the file is closed with the reader.
struct file_store_reader {
    std::FILE* fp = nullptr;
    int64_t size = 0;
    bool failed = false;
    file_store_reader() = default;
    file_store_reader(const file_store_reader&) = delete;
    file_store_reader& operator=(const file_store_reader&) = delete;
    ~file_store_reader();
};
file_store_result file_store_open(file_store_reader& r, const std::string& path);
// Up to size bytes; 0 at the end of the file or on a read error (failed).
size_t file_store_get(file_store_reader& r, uint8_t* data, size_t size);
file_store_result file_store_write(const std::string& path, const std::vector<uint8_t>& data);

// Writing a file in blocks: begin, put as often as needed, then commit
// (or discard). The bytes go to a temporary beside the file (through the
// suite's safe file writer), which replaces the file only at the commit,
// keeping its permissions; a symbolic link is followed to its file. Where
// the system allows, the disk starts taking the bytes while more are put,
// so that the commit waits for little more than the last of them.
struct file_store_writer {
    safe_file file;
    bool keepMode = false;
    unsigned mode = 0;
    int64_t written = 0; // bytes put so far
    int64_t started = 0; // of which the disk has been asked to take so many
};
file_store_result file_store_begin(file_store_writer& w, const std::string& path);
bool file_store_put(file_store_writer& w, const uint8_t* data, size_t size);
file_store_result file_store_commit(file_store_writer& w);
void file_store_discard(file_store_writer& w);

// Reads the status of a file; false (and attribute 0) when it does not exist.
bool file_store_status(const std::string& path, CFileStatus& status);
