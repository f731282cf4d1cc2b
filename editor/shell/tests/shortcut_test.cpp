// The shortcut table: defaults, profile form, loading and lookups.
#include "editor/shell/shortcut_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override { ResetShortcuts(); }
    void TearDown() override { ResetShortcuts(); }
};

TEST_F(ShortcutTest, DefaultsAndStartTable)
{
    EXPECT_EQ(CountAccelEntries(), 29);
    EXPECT_EQ(FormatShortcut(Shortcuts().table[0]), "80B9,B,B");
    EXPECT_EQ(FormatShortcut(Shortcuts().table[14]), "E146,3,p"); // F1
    // The start table: Ctrl+N, Ctrl+O and the first entry, one piece of storage.
    const ShortcutEntry* start = &Shortcuts().lead[0];
    EXPECT_EQ(start[0].command, 57600);
    EXPECT_EQ(start[1].command, 57601);
    EXPECT_EQ(start[2].command, 32953);
    EXPECT_EQ(FindShortcutKey(57632), 0x72u | 0x03u << 16); // F3 "Find again"
    EXPECT_EQ(FindShortcutKey(32952), 'Y' | 0x09u << 16);   // no FNOINVERT
    EXPECT_EQ(FindShortcutKey(12345), 0u);
}

TEST_F(ShortcutTest, NoDefaultHidesAMenuMnemonic)
{
    // Alt with a letter or digit and no Ctrl is the key of a menu's
    // mnemonic; a default shortcut on it would take the menu's place.
    const uint8_t alt = 0x10, ctrl = 0x08;
    for (int i = 0; i < CountAccelEntries(); ++i) {
        const ShortcutEntry& e = Shortcuts().table[i];
        const bool plainAlt = (e.flags & alt) && !(e.flags & ctrl);
        const bool letter = (e.key >= 'A' && e.key <= 'Z') || (e.key >= '0' && e.key <= '9');
        EXPECT_FALSE(plainAlt && letter) << FormatShortcut(e);
    }
    EXPECT_EQ(FindShortcutKey(57604), 0u); // "Save as.." has no default key
}

TEST_F(ShortcutTest, SavedTableLoadsBackInOrder)
{
    std::vector<std::string> values;
    for (int i = 0; i < CountAccelEntries(); ++i)
        values.push_back(FormatShortcut(Shortcuts().table[i]));
    ShortcutStorage before = Shortcuts();
    for (ShortcutEntry& e : Shortcuts().table)
        e = ShortcutEntry();
    EXPECT_EQ(LoadShortcutValues(values), 29);
    for (int i = 0; i < kShortcutCount; ++i) {
        EXPECT_EQ(Shortcuts().table[i].command, before.table[i].command) << i;
        EXPECT_EQ(Shortcuts().table[i].flags, before.table[i].flags) << i;
        EXPECT_EQ(Shortcuts().table[i].key, before.table[i].key) << i;
    }
}

TEST_F(ShortcutTest, ControlKeysNeverWriteControlCharacters)
{
    // Back, Tab, Enter, Escape, Space, Delete and a key above 0x7E.
    for (uint16_t key : {0x08, 0x09, 0x0D, 0x1B, 0x20, 0x7F, 0xBA}) {
        ShortcutEntry e{0x0B, 0, key, 32952};
        std::string value = FormatShortcut(e);
        for (char c : value)
            EXPECT_GT(static_cast<unsigned char>(c), 0x20) << key;
        ShortcutEntry back;
        ASSERT_TRUE(ParseShortcut(value, back));
        EXPECT_EQ(back.key, key) << value;
        EXPECT_EQ(back.command, 32952);
    }
    // A lone "#" is the key 0x23 (Home).
    ShortcutEntry home;
    ASSERT_TRUE(ParseShortcut("8000,3,#", home));
    EXPECT_EQ(home.key, 0x23);
}

TEST_F(ShortcutTest, LoadingReplacesOrKeeps)
{
    // Nothing read keeps the defaults.
    EXPECT_EQ(LoadShortcutValues({}), 0);
    EXPECT_EQ(CountAccelEntries(), 29);
    // Two entries read: exactly those, the rest cleared; a short line keeps
    // what it gave.
    EXPECT_EQ(LoadShortcutValues({"E103,B,S", "7D1"}), 2);
    EXPECT_EQ(CountAccelEntries(), 2);
    EXPECT_EQ(Shortcuts().table[0].key, 'S');
    EXPECT_EQ(Shortcuts().table[1].command, 0x7D1);
    EXPECT_EQ(Shortcuts().table[1].flags, 0);
    EXPECT_EQ(Shortcuts().table[1].key, 0);
}

} // namespace
