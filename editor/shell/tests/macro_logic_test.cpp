// Keyboard macro words, the "*.mcr" form, "macro.txt" and the actualize
// pass, and the keyboard mapping's edits of a working table.
#include "editor/shell/key_mapping.h"
#include "editor/shell/keyboard_macro.h"
#include "editor/shell/text_macros.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// --- keyboard macro words --------------------------------------------------

TEST(KeyboardMacroWords, RecordedEventsGiveTheirWords)
{
    struct Case {
        uintptr_t value;
        uint32_t modifiers;
        uint32_t flags;
        std::vector<uint32_t> words;
    } cases[] = {
        {36, kMacroCtrl, kMacroWordKeyDown, {0x4000 | 0x8000 | 36}}, // Ctrl+Home
        {'a', 0, 0, {0x61}},
        {'A', kMacroShift, 0, {0x1041}},
        {0xE4, 0, 0, {0xE4}},                                    // a non-ASCII character
        {static_cast<uintptr_t>(-28), 0, 0, {0xE4}},             // the same passed sign-extended
        {'X', 0, kMacroWordKeyDown, {}},                          // keys that type are not keys
        {13, 0, kMacroWordKeyDown, {}},
        {46, kMacroShift, kMacroWordKeyDown, {0x1000 | 0x8000 | 46}},
        {57634, 0, kMacroWordCommand, {0x80000000u | 57634}},
        {57636, (0x402u << 16), kMacroWordFindAction, {0xC0000000u | (0x402u << 16) | 57636}},
        {9000, 0, kMacroWordNumber, {0x10000000u | 9000}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> words;
        AppendMacroEvent(words, c.value, c.modifiers, c.flags);
        EXPECT_EQ(words, c.words) << c.value;
    }
}

TEST(KeyboardMacroWords, TextArgumentsKeepCharactersAbove127)
{
    std::vector<uint32_t> words;
    const char text[] = "a\xE4\xFF";
    AppendMacroEvent(words, reinterpret_cast<uintptr_t>(text), 0, kMacroWordText);
    EXPECT_EQ(words, (std::vector<uint32_t>{0x20000061, 0x200000E4, 0x200000FF, 0x20000000}));
}

TEST(KeyboardMacroWords, FileFormRoundTrips)
{
    std::vector<uint32_t> words = {0x0000C024, 0x80000000u | 57634, 0x200000E4, 0x20000000};
    std::string bytes = MacroFileBytes(words);
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x24\xC0\x00\x00", 4)); // little-endian
    EXPECT_EQ(MacroWordsOfBytes(bytes), words);
    // One event is a 4-byte file; a torn tail is dropped.
    EXPECT_EQ(MacroFileBytes({0x61}).size(), 4u);
    EXPECT_EQ(MacroWordsOfBytes(bytes + "\x01\x02"), words);
}

TEST(KeyboardMacroWords, StepsOfARecording)
{
    std::vector<uint32_t> words;
    auto add = [&words](uintptr_t v, uint32_t m, uint32_t f) { AppendMacroEvent(words, v, m, f); };
    add('x', 0, 0);
    add(0xE4, kMacroShift, 0);
    add(36, kMacroCtrl, kMacroWordKeyDown);
    add(57636, 0x2u << 16, kMacroWordFindAction);
    add(reinterpret_cast<uintptr_t>("f\xF6o"), 0, kMacroWordText);
    add(32985, 0, kMacroWordCommand);
    add(reinterpret_cast<uintptr_t>("host"), 0, kMacroWordText);
    add(9000, 0, kMacroWordNumber);
    add(32986, 0, kMacroWordCommand);
    add(9001, 0, kMacroWordNumber);
    words.push_back(0x40000000u | 13); // a key in the find dialog
    add(reinterpret_cast<uintptr_t>("ab"), 0, kMacroWordText); // nobody takes it: characters
    std::vector<MacroStep> steps = MacroStepsOfWords(words);
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(steps[0].kind, MacroStep::kCharacter);
    EXPECT_EQ(steps[0].code, 'x');
    EXPECT_EQ(steps[1].kind, MacroStep::kCharacter);
    EXPECT_EQ(steps[1].code, 0xE4);
    EXPECT_EQ(steps[1].modifiers, kMacroShift);
    EXPECT_EQ(steps[2].kind, MacroStep::kKey);
    EXPECT_EQ(steps[2].code, 36);
    EXPECT_EQ(steps[2].modifiers, kMacroCtrl);
    EXPECT_EQ(steps[3].kind, MacroStep::kFind);
    EXPECT_EQ(steps[3].code, 57636);
    EXPECT_EQ(steps[3].options, 2u);
    EXPECT_EQ(steps[3].text, "f\xF6o");
    EXPECT_EQ(steps[4].kind, MacroStep::kCommand);
    EXPECT_EQ(steps[4].code, 32985);
    EXPECT_EQ(steps[4].text, "host");
    EXPECT_EQ(steps[4].number, 9000);
    EXPECT_EQ(steps[5].code, 32986);
    EXPECT_EQ(steps[5].number, 9001);
    EXPECT_EQ(steps[6].kind, MacroStep::kFindKey);
    EXPECT_EQ(steps[6].code, 13);
    EXPECT_EQ(steps[7].kind, MacroStep::kCharacter);
    EXPECT_EQ(steps[7].code, 'a');
    EXPECT_EQ(steps[8].code, 'b');
}

TEST(KeyboardMacroWords, OldFilesWithSignExtendedCharactersStayReadable)
{
    // Written before characters were stored unsigned: a typed "ä" and a
    // search for "ä" with every high bit set.
    std::vector<uint32_t> words = {0xFFFFFFE4, 0xC0000000u | (2u << 16) | 57636, 0xFFFFFFE4,
                                   0x20000061, 0x20000000};
    std::vector<MacroStep> steps = MacroStepsOfWords(words);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].kind, MacroStep::kCharacter);
    EXPECT_EQ(steps[0].code, 0xE4);
    EXPECT_EQ(steps[1].kind, MacroStep::kFind);
    EXPECT_EQ(steps[1].text, "\xE4" "a");
}

TEST(KeyboardMacroWords, WordsWithTextAndNumberFlagsTogetherAreSkipped)
{
    // No recording writes such words; a damaged or crafted file may hold
    // them, alone, inside a text argument or at the end.
    const std::vector<std::vector<uint32_t>> cases = {
        {0x61, 0x30000000, 0x62},
        {0x61, 0x30000041, 0x62},
        {0x61, 0x20000078, 0x30000000, 0x20000000, 0x62},
        {0x61, 0x62, 0x30000000},
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        std::vector<MacroStep> steps = MacroStepsOfWords(MacroWordsOfBytes(MacroFileBytes(cases[c])));
        ASSERT_GE(steps.size(), 2u) << c;
        EXPECT_EQ(steps.front().code, 'a') << c;
        EXPECT_EQ(steps.back().code, 'b') << c;
        for (const MacroStep& s : steps)
            EXPECT_EQ(s.kind, MacroStep::kCharacter) << c;
    }
}

// --- macro.txt -------------------------------------------------------------

TEST(TextMacroFile, BlocksWithAnyLineEnds)
{
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        std::string e = eol;
        std::string file = "intro text" + e + "$macro header" + e + "/* $FILE */" + e + "line 2" + e +
                           "$endmacro rest" + e + "between" + e + "$macro:\t $Version" + e + "1.0" + e +
                           "$endmacro" + e;
        std::vector<TextMacro> m = ParseTextMacros(file);
        ASSERT_EQ(m.size(), 2u) << e.size();
        EXPECT_EQ(m[0].name, "header");
        EXPECT_EQ(m[0].text, "/* $FILE */\rline 2");
        EXPECT_EQ(m[1].name, "$Version");
        EXPECT_EQ(m[1].text, "1.0");
    }
}

TEST(TextMacroFile, LimitsAndBrokenBlocks)
{
    std::string file;
    for (int i = 0; i < 25; ++i)
        file += "$macro m" + std::to_string(i) + "\nt\n$endmacro\n";
    std::vector<TextMacro> m = ParseTextMacros(file);
    ASSERT_EQ(m.size(), 20u);
    EXPECT_EQ(m[19].name, "m19");

    // A long name is cut to 49 characters; an empty text stays empty.
    m = ParseTextMacros("$macro " + std::string(60, 'n') + "\n$endmacro\n");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].name, std::string(49, 'n'));
    EXPECT_EQ(m[0].text, "");

    // A block without its end ends the reading; the blocks before stay.
    m = ParseTextMacros("$macro a\nx\n$endmacro\n$macro b\ny\n$macro c\nz\n");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].name, "a");
    EXPECT_TRUE(ParseTextMacros("").empty());
    EXPECT_TRUE(ParseTextMacros("$macro").empty());
}

TEST(TextMacroActualize, ValuesReplaceWhatFollowsTheKey)
{
    struct Case {
        const char* text;
        const char* value;
        const char* result;
    } cases[] = {
        {"v: Version 1.00\rnext", "2.00", "v: Version 2.00\rnext"},     // as long: replaced
        {"v: Version 1\rnext", "2.00", "v: Version 2.00\rnext"},        // longer: rest and more
        {"v: Version 1.00.7\rnext", "2.1", "v: Version 2.10.7\rnext"},  // shorter: as many
        {"Version A\rVersion B", "Z", "Version Z\rVersion Z"},          // every hit
        {"Version ", "X", "Version X"},                                  // at the end
        {"none here", "X", "none here"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        PlanActualize(text, {{"Version ", c.value}});
        EXPECT_EQ(text, c.result) << c.text;
    }
    // The edits replay the result on the original, in order; a value that
    // holds its key does not loop; empty keys and values are skipped.
    std::string text = "K a\rK b", replay = text;
    std::vector<ActualizeEdit> edits = PlanActualize(text, {{"K ", "K K"}, {"", "x"}, {"a", ""}});
    ASSERT_EQ(edits.size(), 2u);
    for (const ActualizeEdit& e : edits)
        replay.replace(static_cast<size_t>(e.position), static_cast<size_t>(e.length), e.value);
    EXPECT_EQ(replay, text);
    EXPECT_EQ(text, "K K K\rK K K");
}

// Text a replacement put in is not searched by later keys: a value that
// holds a later key leaves that key's hits to the document's own text, so
// a chain of such macros cannot grow the text without bound.
TEST(TextMacroActualize, InsertedValuesAreNotSearchedByLaterKeys)
{
    struct Case {
        const char* text;
        std::vector<ActualizeKey> keys;
        const char* result;
    } cases[] = {
        {"A\rB x", {{"A", "B"}, {"B", "y"}}, "AB\rByx"},        // the document's B only
        {"A zzY", {{"A ", "BX"}, {"XY", "!"}}, "A BXY"},         // a hit reaching into a value
        {"XA\rA", {{"A", "A1"}, {"XA", "2"}}, "XA21\rAA1"},      // a document's key replaces a value
        {"k: old", {{"k: ", "new"}, {"zz", "q"}}, "k: new"},     // no chain: as before
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        PlanActualize(text, c.keys);
        EXPECT_EQ(text, c.result) << c.text;
    }
    // Ten macros whose values hold the next key six times each.
    std::vector<ActualizeKey> chain;
    for (char key = 'A'; key <= 'J'; ++key) {
        std::string value;
        for (int i = 0; i < 6; ++i)
            value += std::string(i ? "\r" : "") + static_cast<char>(key == 'J' ? 'Z' : key + 1);
        chain.push_back({std::string(1, key), value});
    }
    std::string text = "A";
    EXPECT_EQ(PlanActualize(text, chain).size(), 1u);
    EXPECT_EQ(text, "A" + chain[0].value);
}

// --- keyboard mapping ------------------------------------------------------

class KeyMappingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShortcuts();
        std::memcpy(work, Shortcuts().table, sizeof work);
    }
    void TearDown() override { ResetShortcuts(); }
    ShortcutEntry work[kShortcutCount];
};

TEST_F(KeyMappingTest, KeyNames)
{
    int entry = -1;
    EXPECT_EQ(ShortcutKeyName(32779, work, &entry), "Ctrl+Shift+S");
    EXPECT_EQ(entry, 10);
    EXPECT_EQ(ShortcutKeyName(32962, work, nullptr), "Alt+Ctrl+V");
    EXPECT_EQ(ShortcutKeyName(32870, work, nullptr), "Ctrl+F9");
    EXPECT_EQ(ShortcutKeyName(32844, work, nullptr), "F11");
    EXPECT_EQ(ShortcutKeyName(32843, work, &entry), "");
    EXPECT_EQ(entry, -1);
    work[40] = ShortcutEntry{0x0B, 0, 8, 32843};
    EXPECT_EQ(ShortcutKeyName(32843, work, nullptr), "Ctrl+Back");
    // A key without a text is passed over.
    work[40].key = 0x2E;
    EXPECT_EQ(ShortcutKeyName(32843, work, nullptr), "");

    EXPECT_EQ(ShortcutKeyText(work[0]), "B");
    EXPECT_EQ(ShortcutKeyText(work[16]), "F11");
    EXPECT_EQ(kKeyMapKeys[0], std::string(" not "));
    EXPECT_EQ(kKeyMapKeys[kKeyMapKeyCount - 1], std::string("Back"));
    EXPECT_EQ(KeyMapCommandIndex(32770), kKeyMapCommandCount - 1);
}

TEST_F(KeyMappingTest, MenuTextsFollowTheMapping)
{
    EXPECT_EQ(MenuTextWithShortcut("&Save\tCtrl+S", 57603, work), "&Save\tCtrl+S");
    EXPECT_EQ(MenuTextWithShortcut("Cu&t", 57635, work), "Cu&t\tCtrl+X");
    // A key taken away leaves no text; a new one replaces the old text.
    work[FirstEntryOf(work, 57603)] = ShortcutEntry();
    EXPECT_EQ(MenuTextWithShortcut("&Save\tCtrl+S", 57603, work), "&Save");
    work[FirstEntryOf(work, 57635)].key = 0x7A; // F11
    EXPECT_EQ(MenuTextWithShortcut("Cu&t\tCtrl+X", 57635, work), "Cu&t\tCtrl+F11");
    EXPECT_EQ(MenuTextWithShortcut("Save &as...", 57604, work), "Save &as...");
}

TEST_F(KeyMappingTest, KeyTexts)
{
    struct Case {
        const char* text;
        bool ok;
        uint16_t key;
    } cases[] = {{"Q", true, 'Q'}, {"7", true, '7'},   {"F1", true, 112}, {"F12", true, 123},
                 {"Back", true, 8}, {"BACK", true, 8}, {" not ", false, 0}, {"", false, 0}};
    for (const Case& c : cases) {
        uint16_t key = 0;
        EXPECT_EQ(ShortcutKeyFromText(c.text, key), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(key, c.key) << c.text;
        }
    }
    EXPECT_EQ(ShortcutFlags(true, true, false), 0x0F);
    EXPECT_EQ(ShortcutFlags(false, false, true), 0x13);
}

TEST_F(KeyMappingTest, AssignConflictRemoveAndTakeOver)
{
    // Goto matching brace has no key: its working entry is the first free.
    EXPECT_EQ(WorkingEntryFor(work, 32843), 29);
    EXPECT_EQ(WorkingEntryFor(work, 57634), 2);
    // Ctrl+C is Copy's (conflicts ignore the no-invert bit).
    EXPECT_EQ(FindKeyConflict(work, 'C', 0x09), 2);
    EXPECT_EQ(FindKeyConflict(work, 'C', 0x0F), -1);
    // Taking Ctrl+C for the brace: Copy's entry is cleared, then taken over
    // without gaps.
    work[FirstEntryOf(work, 57634)] = ShortcutEntry();
    work[29] = ShortcutEntry{0x0B, 0, 'C', 32843};
    TakeOverShortcuts(work);
    EXPECT_EQ(CountAccelEntries(), 29);
    EXPECT_EQ(FindShortcutKey(57634), 0u);
    EXPECT_EQ(FindShortcutKey(32843), 'C' | 0x0Bu << 16);
    EXPECT_EQ(Shortcuts().table[2].command, 57636);

    // Removing keeps the entries contiguous.
    RemoveShortcutEntry(work, 0);
    EXPECT_EQ(work[0].command, 57642);
    EXPECT_EQ(work[kShortcutCount - 1].command, 0);
}

} // namespace
