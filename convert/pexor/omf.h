// omf: writer of OMF-51 object records. A record is built in one buffer and
// written as: type byte, 16-bit little-endian length (content bytes + 1),
// content, and a checksum byte that makes the sum of all its bytes 0 modulo
// 256.
#pragma once

#include <cstdint>
#include <string>

enum {
    OMF_MODULE_HEADER = 0x02,
    OMF_MODULE_END = 0x04,
    OMF_CONTENT = 0x06,
    OMF_SCOPE_DEFINITION = 0x10,
    OMF_DEBUG_ITEMS = 0x22,
    OMF_SOURCE_NAME = 0x24,
};

// Largest record the buffer holds, frame included.
const int OMF_RECORD_MAX = 990;
// Longest name a record carries; longer names are cut.
const int OMF_NAME_MAX = 250;

struct omf_record {
    uint8_t buf[OMF_RECORD_MAX];
    int len = 0;          // bytes in buf, frame included
    bool too_long = false;
};

void omf_begin(omf_record* r, int type);
void omf_byte(omf_record* r, int value);
void omf_word(omf_record* r, unsigned value);  // little-endian
void omf_name(omf_record* r, const std::string& name);
void omf_bytes(omf_record* r, const uint8_t* data, int count);

// Completes the frame (length and checksum). False when the record grew
// beyond OMF_RECORD_MAX.
bool omf_finish(omf_record* r);
