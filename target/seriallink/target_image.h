// The loaded program image of the target tools: load address, size, bytes
// and one flag byte per image byte, with the loaders for binary images
// (data bytes, then the load address as 4 bytes big-endian) and Intel HEX.
//
// The image is shared by the user-interface thread (loads, breakpoint
// flags, drawing) and the serial reader thread (downloads, breakpoint
// restore, PC reports, flash blocks): every access goes through
// target_image_lock, held only for short copies.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

enum ImageFlag {
    IF_CODE = 0x80,   // a listed code line begins at this byte
    IF_LISTED = 0x40, // the byte is part of the byte list of a code line
    IF_LABEL = 0x20,  // a label stands at this address
    IF_BREAK = 0x10,  // a breakpoint is planted here
};

struct TargetImage {
    int32_t load_address = 0;
    int32_t size = 0;
    uint8_t* bytes = nullptr; // size bytes, owned
    uint8_t* flags = nullptr; // size flag bytes, owned
    int downloaded = 0;       // the image reached the board's RAM
    int flash_tool = 0;       // the image is the flash writer
    int flash_download = 0;   // the image is meant for the flash
    int fixed_address_mode = 0;
    int32_t fixed_address = 0;
};

extern TargetImage target_image;
extern std::mutex target_image_lock;

// Loads a binary or HEX image (by the extension ".hex", any case); 0 or -1.
// Failures are shown through report_error.
int load_image(const char* path);

// Reads a binary image file (data, then the load address as 4 bytes
// big-endian; no trailer in fixed mode) without loading it: 0; -1 when it
// cannot be used, -2 when its load address is out of range (both reported).
int read_binary_image(const char* path, int fixed_mode, int32_t fixed_address,
                      std::vector<uint8_t>* bytes, int32_t* load_address);

// Replaces the loaded image by these bytes and flags (flags of another size
// are taken as all zero); the image is not downloaded.
void image_replace(std::vector<uint8_t>* bytes, std::vector<uint8_t>* flags, int32_t load_address);

// Frees the image's bytes and flags and empties it (size and address 0).
void free_image();

// Reads an Intel HEX file into a buffer (speicher_alloc, owned by the
// caller): 0, or -1 (cannot open), -2 (no ':'), -3 (bad header), -4 (bad
// data digit), -5 (empty), -6 (bad checksum digit), -7 (checksum error),
// -8 (data beyond $FFFF).
int read_hex_file(const char* path, uint8_t** buffer, int32_t* lowest, int32_t* length);

// 0..15 for a hexadecimal digit, else -1.
int hex_digit(int c);

// Reads 2n hex digits at *cursor as one big-endian number, moves the cursor
// past them and subtracts each completed byte from *sum. An invalid digit
// returns -1 and leaves the cursor (and the sum) as they were.
int hex_bytes(const char** cursor, int n, int* sum);

// Copies of image state taken under the lock; for the reader thread and the
// views. image_copy returns how many bytes it copied (only bytes inside the
// image are copied).
int32_t image_load_address();
int32_t image_size();
int image_downloaded();
int image_copy(int32_t offset, uint8_t* out, int32_t count);
int image_flags(int32_t offset); // -1 outside the image
void image_set_flags(int32_t offset, int set, int clear);
