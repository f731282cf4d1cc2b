#include "editor/shell/shortcut_table.h"

#include "editor/shell/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const uint8_t V = 0x01, NI = 0x02, S = 0x04, C = 0x08, A = 0x10;
const uint16_t VK_F1_ = 0x70, VK_F3_ = 0x72, VK_F6_ = 0x75, VK_F9_ = 0x78, VK_F11_ = 0x7A,
               VK_F12_ = 0x7B;

// No default is Alt with a bare letter: that key opens the menu whose
// mnemonic it is (Alt+S the "Settings" menu), so "Save as.." has none.
const ShortcutEntry default_entries[] = {
    {V | NI | C, 0, 'B', ID_INDENT_BLOCK},
    {V | NI | C, 0, 'A', ID_EDIT_SELECT_ALL},
    {V | NI | C, 0, 'C', ID_EDIT_COPY},
    {V | NI | C, 0, 'F', ID_EDIT_FIND},
    {V | NI | C, 0, 'G', ID_GOTO_LINE},
    {V | NI | C, 0, 'N', ID_FILE_NEW_CMD},
    {V | NI | C, 0, 'O', ID_FILE_OPEN_CMD},
    {V | NI | C, 0, 'P', ID_FILE_PRINT},
    {V | NI | C, 0, 'R', ID_EDIT_REPLACE},
    {V | NI | C, 0, 'S', ID_FILE_SAVE_CMD},
    {V | NI | C | S, 0, 'S', ID_FILE_SAVE_ALL},
    {V | NI | C, 0, 'V', ID_EDIT_PASTE},
    {V | NI | C | A, 0, 'V', ID_PASTE_BLOCK},
    {V | NI | C | S, 0, 'V', ID_PASTE_BLOCK_MOVE},
    {V | NI, 0, VK_F1_, ID_HELP_CMD},
    {V | NI | S, 0, VK_F1_, ID_CONTEXT_HELP},
    {V | NI, 0, VK_F11_, ID_END_AND_SAVE},
    {V | NI | S, 0, VK_F11_, ID_FILE_CLOSE_CMD},
    {V | NI | C, 0, VK_F11_, ID_END_WITHOUT_SAVE},
    {V | NI, 0, VK_F12_, ID_ADD_BOOKMARK},
    {V | NI, 0, VK_F3_, ID_EDIT_REPEAT},
    {V | NI, 0, VK_F6_, ID_NEXT_DOCUMENT},
    {V | NI | C, 0, 'X', ID_EDIT_CUT},
    {V | NI | C, 0, 'Z', ID_EDIT_UNDO},
    {V | C, 0, 'Y', ID_DELETE_LINE},
    {V | C, 0, 'M', ID_UNINDENT_BLOCK},
    {V | C, 0, 'I', ID_INDENT_RANGE},
    {V | C, 0, 'U', ID_UNINDENT_RANGE},
    {V | C, 0, VK_F9_, ID_TOOL_FIRST},
};

ShortcutStorage make_storage()
{
    ShortcutStorage s;
    s.lead[0] = {V | NI | C, 0, 'N', ID_FILE_NEW_CMD};
    s.lead[1] = {V | NI | C, 0, 'O', ID_FILE_OPEN_CMD};
    return s;
}

bool printable_key(unsigned key)
{
    return key > 0x20 && key < 0x7F;
}

} // namespace

ShortcutStorage& Shortcuts()
{
    static ShortcutStorage storage = [] {
        ShortcutStorage s = make_storage();
        std::memcpy(s.table, default_entries, sizeof default_entries);
        return s;
    }();
    return storage;
}

void ResetShortcuts()
{
    ShortcutStorage& s = Shortcuts();
    for (ShortcutEntry& e : s.table)
        e = ShortcutEntry();
    std::memcpy(s.table, default_entries, sizeof default_entries);
}

int CountAccelEntries()
{
    int n = 0;
    while (n < kMaxAccelEntries && Shortcuts().table[n].command != 0)
        ++n;
    return n;
}

uint32_t FindShortcutKey(uint16_t command)
{
    for (const ShortcutEntry& e : Shortcuts().table) {
        if (e.command == command)
            return e.key | static_cast<uint32_t>(e.flags) << 16;
    }
    return 0;
}

std::string FormatShortcut(const ShortcutEntry& e)
{
    char text[32];
    if (printable_key(e.key))
        std::snprintf(text, sizeof text, "%X,%X,%c", e.command, e.flags, e.key);
    else
        std::snprintf(text, sizeof text, "%X,%X,#%02X", e.command, e.flags, e.key);
    return text;
}

bool ParseShortcut(const std::string& value, ShortcutEntry& e)
{
    e = ShortcutEntry();
    unsigned command = 0, flags = 0;
    int got = std::sscanf(value.c_str(), "%X,%X", &command, &flags);
    if (got < 1)
        return false;
    e.command = static_cast<uint16_t>(command);
    e.flags = static_cast<uint8_t>(flags);
    if (got < 2)
        return true;
    size_t comma = value.find(',');
    comma = comma == std::string::npos ? comma : value.find(',', comma + 1);
    if (comma == std::string::npos || comma + 1 >= value.size())
        return true;
    std::string key = value.substr(comma + 1);
    if (key.size() > 1 && key[0] == '#')
        e.key = static_cast<uint16_t>(std::strtoul(key.c_str() + 1, nullptr, 16));
    else
        e.key = static_cast<unsigned char>(key[0]);
    return true;
}

int LoadShortcutValues(const std::vector<std::string>& values)
{
    ShortcutEntry read[kShortcutCount];
    int n = 0;
    for (const std::string& v : values) {
        if (n >= kShortcutCount || v.empty())
            break;
        ParseShortcut(v, read[n]);
        ++n;
    }
    if (n == 0)
        return 0;
    ShortcutStorage& s = Shortcuts();
    for (int i = 0; i < kShortcutCount; ++i)
        s.table[i] = i < n ? read[i] : ShortcutEntry();
    return n;
}
