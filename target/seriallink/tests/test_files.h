// Small files for the loader tests, written in the test's working folder.
#pragma once

#include "testing/kit/test_kit.h"

#include <cstdint>
#include <string>
#include <vector>

// A binary image: the bytes, then the load address as 4 bytes big-endian.
void write_binary(const std::string& path, const std::vector<uint8_t>& bytes, uint32_t address);
// One Intel HEX record with its checksum.
std::string hex_record(int type, int address, const std::vector<uint8_t>& data);
