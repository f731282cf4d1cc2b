#include "editor/shell/key_mapping.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

const KeyMapCommand kKeyMapCommands[kKeyMapCommandCount] = {
    {"Copy", 57634},
    {"Paste", 57637},
    {"Cut", 57635},
    {"New", 57600},
    {"Open", 57601},
    {"Save", 57603},
    {"Close", 57602},
    {"End and Save", 32844},
    {"Print..", 57607},
    {"Save as..", 57604},
    {"Save workspace..", 32823},
    {"Open workspace..", 32822},
    {"Undo", 57643},
    {"Select all", 57642},
    {"Search..", 57636},
    {"Search in files..", 32815},
    {"Replace..", 57641},
    {"Empty clipboard", 32790},
    {"Add bookmark", 32798},
    {"Delete spaces at line start", 32959},
    {"Delete spaces at line end", 32958},
    {"Delete empty lines in selected range", 32960},
    {"Align C-Syntax", 32957},
    {"Build HTML-Project..", 32961},
    {"Font..", 32792},
    {"Tabs..", 32771},
    {"Backup..", 32812},
    {"Colors..", 32772},
    {"Syntax colors..", 32778},
    {"Go to..", 32787},
    {"Line wrapping..", 32932},
    {"Add tool..", 32846},
    {"Select brace level", 32773},
    {"Fill column..", 32769},
    {"End without save", 32851},
    {"Save all", 32779},
    {"Next document", 32780},
    {"Delete line", 32952},
    {"Find again", 57632},
    {"Indent block", 32953},
    {"Unindent block", 32954},
    {"Indent selected range", 32955},
    {"Unindent selected range", 32956},
    {"Goto matching brace", 32843},
    {"Start 1.Tool", 32870},
    {"Start 2.Tool", 32871},
    {"Start 3.Tool", 32872},
    {"Start 4.Tool", 32873},
    {"Start 5.Tool", 32874},
    {"Paste block", 32962},
    {"Paste block and move text down", 32983},
    {"Delete up to line end", 32963},
    {"Goto next bookmark", 32964},
    {"Insert in new file", 32982},
    {"Insert file", 32981},
    {"Back to last position", 32938},
    {"set C-comment", 32770},
};

const char* const kKeyMapKeys[kKeyMapKeyCount] = {
    " not ", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P",
    "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "0", "1", "2", "3", "4", "5", "6",
    "7", "8", "9", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "Back",
};

namespace {

const uint8_t kVirtual = 0x01, kNoInvert = 0x02, kShift = 0x04, kCtrl = 0x08, kAlt = 0x10;
const uint16_t kBack = 8;

bool is_function_key(const ShortcutEntry& e)
{
    return (e.flags & kVirtual) && e.key >= 112 && e.key <= 123;
}

bool has_key_text(const ShortcutEntry& e)
{
    return (e.key >= 48 && e.key <= 90) || e.key == kBack || is_function_key(e);
}

} // namespace

int KeyMapCommandIndex(uint16_t command)
{
    for (int i = 0; i < kKeyMapCommandCount; ++i)
        if (kKeyMapCommands[i].command == command)
            return i;
    return -1;
}

std::string ShortcutKeyText(const ShortcutEntry& e)
{
    if (e.key == kBack)
        return "Back";
    if (e.key <= 90)
        return std::string(1, static_cast<char>(e.key));
    return "F" + std::to_string((e.key & 0x0F) + 1);
}

std::string ShortcutKeyName(uint16_t command, const ShortcutEntry* table, int* entry)
{
    for (int i = 0; i < kShortcutCount; ++i) {
        const ShortcutEntry& e = table[i];
        if (e.command != command || !has_key_text(e))
            continue;
        std::string text;
        if (e.flags & kAlt)
            text += "Alt+";
        if (e.flags & kCtrl)
            text += "Ctrl+";
        if (e.flags & kShift)
            text += "Shift+";
        if (entry)
            *entry = i;
        return text + ShortcutKeyText(e);
    }
    if (entry)
        *entry = -1;
    return std::string();
}

std::string MenuTextWithShortcut(const std::string& text, uint16_t command, const ShortcutEntry* table)
{
    const std::string key = ShortcutKeyName(command, table, nullptr);
    const std::string label = text.substr(0, text.find('\t'));
    return key.empty() ? label : label + "\t" + key;
}

bool ShortcutKeyFromText(const std::string& text, uint16_t& key)
{
    if (text.empty() || text[0] == ' ')
        return false;
    if (text.size() == 1) {
        key = static_cast<unsigned char>(text[0]);
        return true;
    }
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "back") {
        key = kBack;
        return true;
    }
    const int n = std::atoi(text.c_str() + 1);
    if ((text[0] != 'F' && text[0] != 'f') || n < 1 || n > 12)
        return false;
    key = static_cast<uint16_t>(n + 111);
    return true;
}

uint8_t ShortcutFlags(bool ctrl, bool shift, bool alt)
{
    return static_cast<uint8_t>(kVirtual | kNoInvert | (alt ? kAlt : 0) | (shift ? kShift : 0) |
                                (ctrl ? kCtrl : 0));
}

int WorkingEntryFor(const ShortcutEntry* table, uint16_t command)
{
    for (int i = 0; i < kShortcutCount; ++i)
        if (table[i].command == 0 || table[i].command == command)
            return i;
    return -1;
}

int FindKeyConflict(const ShortcutEntry* table, uint16_t key, uint8_t flags)
{
    for (int i = 0; i < kShortcutCount; ++i) {
        const ShortcutEntry& e = table[i];
        if (e.command != 0 && e.key == key && (e.flags & ~kNoInvert) == (flags & ~kNoInvert))
            return i;
    }
    return -1;
}

int FirstEntryOf(const ShortcutEntry* table, uint16_t command)
{
    for (int i = 0; i < kShortcutCount; ++i)
        if (table[i].command == command)
            return i;
    return -1;
}

void RemoveShortcutEntry(ShortcutEntry* table, int index)
{
    if (index < 0 || index >= kShortcutCount)
        return;
    for (int i = index; i + 1 < kShortcutCount; ++i)
        table[i] = table[i + 1];
    table[kShortcutCount - 1] = ShortcutEntry();
}

void TakeOverShortcuts(const ShortcutEntry* working)
{
    ShortcutEntry* table = Shortcuts().table;
    for (int i = 0; i < kShortcutCount; ++i)
        table[i] = ShortcutEntry();
    int n = 0;
    for (int i = 0; i < kShortcutCount; ++i)
        if (working[i].command != 0 && working[i].key != 0 && working[i].flags != 0)
            table[n++] = working[i];
}
