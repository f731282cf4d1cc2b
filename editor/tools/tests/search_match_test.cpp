#include "editor/tools/search_match.h"
#include "editor/tools/search_request.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Offset of the first hit at or after from, -1 when none.
int Find(const std::string& data, const std::string& text, uint32_t flags, size_t from = 0)
{
    const char* begin = data.c_str();
    const char* hit = FindSearchText(begin + from, begin, begin + data.size(), text.data(), text.size(), flags);
    return hit ? static_cast<int>(hit - begin) : -1;
}

// The matching rules spelled out one window at a time, as the reference the
// fast matcher must agree with: a byte matches itself, and case-blind an
// ASCII letter also matches its other case.
bool ByteMatches(unsigned char a, unsigned char b, bool matchCase)
{
    const bool letter = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
    return a == b || (!matchCase && letter && (a & ~0x20u) == (b & ~0x20u));
}

bool WordByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int ReferenceFind(const std::string& data, const std::string& text, uint32_t flags, size_t from)
{
    const bool matchCase = (flags & kSearchMatchCase) != 0;
    size_t p = from;
    while (p + text.size() <= data.size()) {
        bool match = true;
        for (size_t i = 0; i < text.size() && match; ++i)
            match = ByteMatches(static_cast<unsigned char>(data[p + i]), static_cast<unsigned char>(text[i]), matchCase);
        if (!match) {
            ++p;
            continue;
        }
        if (flags & kSearchWholeWords) {
            const size_t end = p + text.size();
            if ((p > 0 && WordByte(static_cast<unsigned char>(data[p - 1]))) ||
                (end < data.size() && WordByte(static_cast<unsigned char>(data[end])))) {
                p = end;
                continue;
            }
        }
        return static_cast<int>(p);
    }
    return -1;
}

// Every hit from from on, each search starting behind the last hit.
std::vector<int> AllHits(const std::string& data, const std::string& text, uint32_t flags, size_t from, bool reference)
{
    std::vector<int> hits;
    for (;;) {
        const int hit = reference ? ReferenceFind(data, text, flags, from) : Find(data, text, flags, from);
        if (hit < 0)
            return hits;
        hits.push_back(hit);
        from = static_cast<size_t>(hit) + text.size();
    }
}

} // namespace

TEST(SearchMatch, TableOfCases)
{
    struct Case {
        const char* data;
        const char* text;
        uint32_t flags;
        int expected;
    } cases[] = {
        {"int x;", "int", 0, 0},                          // the first byte of the data
        {"PRINT int", "print", 0, 0},                     // case-blind by default
        {"PRINT int", "print", kSearchMatchCase, -1},
        {"Print print", "print", kSearchMatchCase, 6},
        {"xINT", "int", 0, 1},
        {"print(int)", "int", kSearchWholeWords, 6},      // not inside print, found between parentheses
        {"int_x int", "int", kSearchWholeWords, 6},       // not before an underscore
        {"int_x", "int", kSearchWholeWords, -1},
        {"a[1]", "[1]", 0, 1},                            // not letters: the byte itself
        {"A1 a1", "a1", kSearchMatchCase, 3},
        {"@1 `1", "`1", 0, 3},                            // bit 0x20 only counts for letters
        {"// int\nint", "int", kSearchSkipComments, 7},   // line comment passed over
        {"/* int */ int", "int", kSearchSkipComments, 10},
        {"/* int */ int", "int", 0, 3},
        {"\"// \" int", "int", kSearchSkipComments, 6},   // "//" in a string opens nothing
        {"in", "int", 0, -1},                             // never past the end
        {"", "x", 0, -1},
        // Only ASCII letters fold: bytes that differ in bit 0x20 elsewhere,
        // above 127 too, stay apart.
        {"\xC4rger \xE4rger", "\xE4rger", 0, 6},
        {"\xC4rger", "\xE4RGER", 0, -1},
        {"\xE4RGER", "\xE4rger", 0, 0},
        {"[x] {x}", "{x}", 0, 4},
        {"@ `", "`", 0, 2},
        {"\xFF\xDF", "\xFF\xFF", 0, -1},
        // Whole words at the buffer's edges: nothing lies beyond them.
        {"int", "int", kSearchWholeWords, 0},
        {"x=INT", "int", kSearchWholeWords, 2},
        {"ints int", "int", kSearchWholeWords, 5},
        {"\xE4int\xE4", "int", kSearchWholeWords, 1},    // bytes above 127 are not word bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find(c.data, c.text, c.flags), c.expected) << c.data << " / " << c.text;
}

TEST(SearchMatch, RejectedWholeWordIsSkippedWhole)
{
    // "aa" inside "aaa" is rejected; the search goes on behind it, so the
    // overlapping candidate at 1 is not tried and the word at 4 is found.
    EXPECT_EQ(Find("aaa aa", "aa", kSearchWholeWords), 4);
    EXPECT_EQ(Find("xx int", "int", kSearchWholeWords, 3), 3);
}

TEST(SearchMatch, AgreesWithTheRulesAtEveryPlaceOfRandomBuffers)
{
    // Small alphabets, so that hits and near misses are many: both cases of
    // letters, bytes that differ from letters in bit 0x20 only, bytes above
    // 127, word and non-word bytes. The buffers' lengths and the texts'
    // places run across every alignment of the eight-byte steps and up to
    // the buffer's end.
    std::mt19937 random(2024);
    const std::string alphabet = std::string("aAbB_1 @`\n") + "\xC1\xE1\x80";
    const std::string texts[] = {"a", "ab", "Ab", "b_", "a a", "@", "\xE1", "\xC1" "b", "aba", "abab", "a1b_AB@"};
    const uint32_t flagSets[] = {0, kSearchMatchCase, kSearchWholeWords, kSearchWholeWords | kSearchMatchCase};
    for (int round = 0; round < 400; ++round) {
        std::string data(random() % 70, ' ');
        for (char& c : data)
            c = alphabet[random() % alphabet.size()];
        const size_t from = data.empty() ? 0 : random() % (data.size() + 1);
        for (const std::string& text : texts) {
            for (uint32_t flags : flagSets) {
                EXPECT_EQ(AllHits(data, text, flags, from, false), AllHits(data, text, flags, from, true))
                    << "data \"" << data << "\" text \"" << text << "\" flags " << flags << " from " << from;
            }
        }
    }
}

TEST(SearchMatch, TextAtEveryPlaceOfTheBufferIsFound)
{
    // One hit, at every offset from the start to the very end, in buffers of
    // every length around the eight-byte steps.
    const std::string text = "Needle";
    for (size_t size = text.size(); size < 40; ++size) {
        for (size_t at = 0; at + text.size() <= size; ++at) {
            std::string data(size, 'e');
            data.replace(at, text.size(), "nEEDLE");
            EXPECT_EQ(Find(data, text, 0), static_cast<int>(at)) << size << " " << at;
            EXPECT_EQ(Find(data, text, kSearchMatchCase), -1) << size << " " << at;
            EXPECT_EQ(Find(data, "nEEDLE", kSearchMatchCase, at), static_cast<int>(at));
            EXPECT_EQ(Find(data, "nEEDLE", kSearchMatchCase, at + 1), -1);
        }
    }
}

TEST(SearchMatch, LineCounterAgreesWithCountingEveryByte)
{
    // Line feeds, CR LF and lone CR in runs longer and shorter than a word;
    // positions asked in increasing order with gaps of any size.
    std::mt19937 random(7);
    const char bytes[] = {'x', 'x', 'x', '\n', '\r', '\n', '\xCA'};
    for (int round = 0; round < 200; ++round) {
        std::string data(random() % 300, 'x');
        for (char& c : data)
            c = bytes[random() % sizeof bytes];
        CLineCounter counter;
        counter.Reset(data.c_str());
        size_t pos = 0;
        while (pos <= data.size()) {
            int expectedLine = 1;
            size_t lineStart = 0;
            for (size_t i = 0; i < pos; ++i) {
                if (data[i] == '\n')
                    ++expectedLine;
                if (data[i] == '\n' || data[i] == '\r')
                    lineStart = i + 1;
            }
            int line = 0, column = 0;
            counter.Locate(data.c_str() + pos, &line, &column);
            ASSERT_EQ(line, expectedLine) << round << " at " << pos;
            ASSERT_EQ(column, static_cast<int>(pos - lineStart) + 1) << round << " at " << pos;
            pos += random() % 25;
        }
    }
}

TEST(SearchMatch, LineCounterCountsLineFeedsAndColumnsFromAnyLineEnd)
{
    const std::string data = "ab\ncd\r\nef\rgh";
    CLineCounter counter;
    counter.Reset(data.c_str());
    struct {
        size_t pos;
        int line, column;
    } steps[] = {{0, 1, 1}, {4, 2, 2}, {7, 3, 1}, {11, 3, 2}, {1, 1, 2} /* backwards: counted again */};
    for (const auto& s : steps) {
        int line = 0, column = 0;
        counter.Locate(data.c_str() + s.pos, &line, &column);
        EXPECT_EQ(line, s.line) << s.pos;
        EXPECT_EQ(column, s.column) << s.pos;
    }
}
