// Kinds of keyboard-macro events: the kind word of a recorded event and
// the flag bits of a "*.mcr" file's words, each once. Stored macro files
// hold these bits.
#pragma once

#include <cstdint>

const uint32_t kMacroKey = 0;              // typed character, modifier bits as extra
const uint32_t kMacroKeyDown = 0x8000;     // key press, modifier bits as extra
const uint32_t kMacroNumber = 0x10000000;
const uint32_t kMacroText = 0x20000000;
const uint32_t kMacroFindKey = 0x40000000;
const uint32_t kMacroCommand = 0x80000000; // command id
const uint32_t kMacroCommandFlags = 0xC0000000; // a find dialog's action
const uint32_t kMacroFlagBits = 0xF0000000;
