// The keyboard mapping's logic without windows: the commands a user may
// give a key, the key list, the text of a command's key, and the edits of
// a working copy of the shortcut table (assign, conflict, remove) and its
// taking over into the table.
#pragma once

#include "editor/shell/shortcut_table.h"

#include <cstdint>
#include <string>

struct KeyMapCommand {
    const char* text;
    uint16_t command;
};
const int kKeyMapCommandCount = 57;
extern const KeyMapCommand kKeyMapCommands[kKeyMapCommandCount];

// The key list in its order: " not ", "A" to "Z", "0" to "9", "F1" to
// "F12", "Back".
const int kKeyMapKeyCount = 50;
extern const char* const kKeyMapKeys[kKeyMapKeyCount];

// The index in kKeyMapCommands of a command, or -1.
int KeyMapCommandIndex(uint16_t command);

// The text of a command's key in a table of 62 entries ("Alt+", "Ctrl+",
// "Shift+" in this order, then the character, "Back" or "F%d"), with the
// index of its entry in *entry; empty and -1 when the command has none
// (entries of keys that have no text are passed over).
std::string ShortcutKeyName(uint16_t command, const ShortcutEntry* table, int* entry);
// A menu item's text with the command's current key behind a tab (the
// text up to an old tab, without a tab when the command has no key).
std::string MenuTextWithShortcut(const std::string& text, uint16_t command, const ShortcutEntry* table);
// The key list's text of an entry's key: the character, "Back" or "F%d".
std::string ShortcutKeyText(const ShortcutEntry& e);
// The key of a key list text; false for an empty text or one starting with
// a blank (" not ": remove the key).
bool ShortcutKeyFromText(const std::string& text, uint16_t& key);
// The flags of a new key: virtual and no-invert, plus the modifiers.
uint8_t ShortcutFlags(bool ctrl, bool shift, bool alt);

// The working entry of a command: the first that carries it or is free;
// -1 when all 62 hold other commands.
int WorkingEntryFor(const ShortcutEntry* table, uint16_t command);
// The entry with a command that has the key and flags (the no-invert bit
// ignored), or -1.
int FindKeyConflict(const ShortcutEntry* table, uint16_t key, uint8_t flags);
// The first entry with the command, or -1.
int FirstEntryOf(const ShortcutEntry* table, uint16_t command);
// Removes an entry: the entries after it move up one place, the last
// becomes free.
void RemoveShortcutEntry(ShortcutEntry* table, int index);
// The process-wide table becomes the working copy's entries that have a
// command, a key and flags, in order and without gaps.
void TakeOverShortcuts(const ShortcutEntry* working);
