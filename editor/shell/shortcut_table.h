// The shortcut table: 62 accelerator records (the operating system's
// layout: flags, fill byte, virtual key, command) from which the editor's
// accelerator table is built, its built-in defaults, its profile form and
// the lookup of a command's key. Two records stand directly before the
// table (Ctrl+N, Ctrl+O) so that they and the table's first entry form the
// three-entry start table in one piece of storage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ShortcutEntry {
    uint8_t flags = 0;  // FVIRTKEY 0x01, FNOINVERT 0x02, FSHIFT 0x04, FCONTROL 0x08, FALT 0x10
    uint8_t fill = 0;
    uint16_t key = 0;   // virtual key code
    uint16_t command = 0;
};
static_assert(sizeof(ShortcutEntry) == 6, "the layout of an accelerator record");

const int kShortcutCount = 62;
const int kMaxAccelEntries = 50;
const int kStartTableCount = 3;

struct ShortcutStorage {
    ShortcutEntry lead[2];
    ShortcutEntry table[kShortcutCount];
};

// The process-wide table (defaults until loaded).
ShortcutStorage& Shortcuts();
// The built-in defaults into the table.
void ResetShortcuts();
// The number of leading entries with a command, at most 50.
int CountAccelEntries();
// key | flags << 16 of the first entry with the command, or 0.
uint32_t FindShortcutKey(uint16_t command);

// The profile value of an entry: "%X,%X," then the key as one character.
// Keys that are no printable character other than a blank (Back, Tab,
// Enter, Escape, Space, the function keys above 0x7E) are written as "#"
// and two hexadecimal digits, so that no control character enters the
// profile; a lone "#" is the key 0x23.
std::string FormatShortcut(const ShortcutEntry& e);
// Parses a profile value; fields not given stay 0. False when nothing at
// all could be read.
bool ParseShortcut(const std::string& value, ShortcutEntry& e);
// The table from profile values in key order: when any was read, the
// table becomes exactly those entries and the rest is cleared; none read
// leaves the table as it is. Returns the number read.
int LoadShortcutValues(const std::vector<std::string>& values);
