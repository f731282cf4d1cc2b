// Whole-file reading and safe writing for the text core. A file is written
// to a temporary beside it and renamed over the original only when every
// byte was written and flushed to the disk, so a failed save never loses
// the file on disk.
#pragma once

#include <cstdint>
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

// The bytes of a whole file, in a block of their own (not cleared first).
struct file_store_bytes {
    uint8_t* data = nullptr;
    size_t size = 0;
    file_store_bytes() = default;
    file_store_bytes(const file_store_bytes&) = delete;
    file_store_bytes& operator=(const file_store_bytes&) = delete;
    ~file_store_bytes();
};
file_store_result file_store_read(const std::string& path, file_store_bytes& bytes);
file_store_result file_store_write(const std::string& path, const std::vector<uint8_t>& data);

// Writing a file in blocks: begin, put as often as needed, then commit
// (or discard). The bytes go to a temporary beside the file (through the
// suite's safe file writer), which replaces the file only at the commit,
// keeping its permissions; a symbolic link is followed to its file.
struct file_store_writer {
    safe_file file;
    bool keepMode = false;
    unsigned mode = 0;
};
file_store_result file_store_begin(file_store_writer& w, const std::string& path);
bool file_store_put(file_store_writer& w, const uint8_t* data, size_t size);
file_store_result file_store_commit(file_store_writer& w);
void file_store_discard(file_store_writer& w);

// Reads the status of a file; false (and attribute 0) when it does not exist.
bool file_store_status(const std::string& path, CFileStatus& status);
