// image: the binary image (code memory from its lowest address, 0xFF in the
// gaps), an optional CRC-16 and the 4-byte load-address trailer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessel {

// CRC register of the current mode (1: reflected 0xA001, table driven;
// 2: 0x8005 most significant bit first, bit by bit). Both start at 0xFFFF.
void crc_reset(void);
uint16_t crc_update(int mode, const uint8_t* bytes, size_t count);

void write_binary(const std::string& path);

} // namespace tessel
