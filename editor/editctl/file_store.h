// Whole-file reading and safe writing for the text core. A file is written
// to a temporary beside it and renamed over the original only when every
// byte was written, so a failed save never loses the file on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CFileStatus;

enum file_store_result {
    FILE_STORE_OK = 0,
    FILE_STORE_CANNOT_OPEN,
    FILE_STORE_NO_MEMORY,
    FILE_STORE_READ_ONLY,   // the existing file has the read-only attribute
    FILE_STORE_WRITE_FAILED,
};

file_store_result file_store_read(const std::string& path, std::vector<uint8_t>& data);
file_store_result file_store_write(const std::string& path, const std::vector<uint8_t>& data);

// Reads the status of a file; false (and attribute 0) when it does not exist.
bool file_store_status(const std::string& path, CFileStatus& status);
