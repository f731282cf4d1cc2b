// A small OMF-51 reader for the tests: splits a file into records and checks
// each frame (length field against the bytes present, checksum).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct omf_rec {
    int type = 0;
    int length = 0;                // the length field
    std::vector<uint8_t> content;  // bytes between the length field and the checksum
    bool checksum_ok = false;
};

// False (with the reason) when the bytes do not split into whole records.
bool omf_read(const std::string& bytes, std::vector<omf_rec>* records, std::string* why);

// Reads a length-prefixed name at *pos of a record's content and moves past it.
std::string omf_read_name(const omf_rec& r, size_t* pos);
unsigned omf_read_word(const omf_rec& r, size_t* pos);
