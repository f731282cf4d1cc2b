#include "editor/shell/shortcut_table.h"

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
    {V | NI | C, 0, 'B', 32953},     {V | NI | C, 0, 'A', 57642},
    {V | NI | C, 0, 'C', 57634},     {V | NI | C, 0, 'F', 57636},
    {V | NI | C, 0, 'G', 32787},     {V | NI | C, 0, 'N', 57600},
    {V | NI | C, 0, 'O', 57601},     {V | NI | C, 0, 'P', 57607},
    {V | NI | C, 0, 'R', 57641},     {V | NI | C, 0, 'S', 57603},
    {V | NI | C | S, 0, 'S', 32779},
    {V | NI | C, 0, 'V', 57637},     {V | NI | C | A, 0, 'V', 32962},
    {V | NI | C | S, 0, 'V', 32983}, {V | NI, 0, VK_F1_, 57670},
    {V | NI | S, 0, VK_F1_, 57669},  {V | NI, 0, VK_F11_, 32844},
    {V | NI | S, 0, VK_F11_, 57602}, {V | NI | C, 0, VK_F11_, 32851},
    {V | NI, 0, VK_F12_, 32798},     {V | NI, 0, VK_F3_, 57632},
    {V | NI, 0, VK_F6_, 32780},      {V | NI | C, 0, 'X', 57635},
    {V | NI | C, 0, 'Z', 57643},     {V | C, 0, 'Y', 32952},
    {V | C, 0, 'M', 32954},          {V | C, 0, 'I', 32955},
    {V | C, 0, 'U', 32956},          {V | C, 0, VK_F9_, 32870},
};

ShortcutStorage make_storage()
{
    ShortcutStorage s;
    s.lead[0] = {V | NI | C, 0, 'N', 57600};
    s.lead[1] = {V | NI | C, 0, 'O', 57601};
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
