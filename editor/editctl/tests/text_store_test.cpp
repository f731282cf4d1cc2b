// The chunked store of the text: edits at chunk edges and at both ends of
// the text, growth, the contiguous text after edits, line counting, and
// undo across a growth. A plain string is the model every result is
// checked against.
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "edit_fixture.h"
#include "chunk_arena.h"
#include "text_store.h"

namespace {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.Reset(capacity)); }

    // Replaces in the store and in the model; grows like the core does.
    void Replace(int start, int end, const std::string& text)
    {
        int newLength = static_cast<int>(model.size()) - (end - start) + static_cast<int>(text.size());
        if (static_cast<uint32_t>(newLength) >= capacity) {
            capacity = (static_cast<uint32_t>(newLength) / 0x10000 + 1) * 0x10000;
            ASSERT_TRUE(store.Grow(capacity));
        }
        std::string attrs(text.size(), '\0');
        for (size_t i = 0; i < attrs.size(); ++i)
            attrs[i] = static_cast<char>(text[i] & 0x0F);
        store.Replace(start, end, reinterpret_cast<const uint8_t*>(text.data()),
                      reinterpret_cast<const uint8_t*>(attrs.data()), static_cast<int>(text.size()));
        model.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
    }

    void ExpectLikeModel(const char* when)
    {
        SCOPED_TRACE(when);
        int n = static_cast<int>(model.size());
        ASSERT_EQ(store.Length(), n);
        // Reading in place, without making the text contiguous.
        for (int i : {0, n / 3, n / 2, n - 1}) {
            if (i >= 0 && i < n) {
                EXPECT_EQ(store.At(i), static_cast<uint8_t>(model[static_cast<size_t>(i)])) << i;
                EXPECT_EQ(store.AttrAt(i), static_cast<uint8_t>(model[static_cast<size_t>(i)] & 0x0F)) << i;
            }
        }
        EXPECT_EQ(store.CountBreaks(0, n, false), CountIn(0, n, false));
        EXPECT_EQ(store.CountBreaks(n / 4, n - n / 5, true), CountIn(n / 4, n - n / 5, true));
        int total = CountIn(0, n, false);
        for (int k : {1, total / 2, total}) {
            if (k < 1)
                continue;
            int found = 0;
            EXPECT_EQ(store.AfterNthBreak(k, false, &found), AfterNth(k)) << k;
        }
        // The contiguous text, zero behind it.
        const uint8_t* t = store.FlatText();
        const uint8_t* a = store.FlatAttr();
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(t), static_cast<size_t>(n)), model);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(a[i], static_cast<uint8_t>(model[static_cast<size_t>(i)] & 0x0F)) << i;
        for (uint32_t i = static_cast<uint32_t>(n); i < capacity + kSpareBytes; ++i)
            ASSERT_EQ(t[i], 0) << "behind the text at " << i;
    }

    int CountIn(int from, int to, bool wrap) const
    {
        int k = 0;
        for (int i = from; i < to; ++i)
            k += model[static_cast<size_t>(i)] == '\r' || (wrap && model[static_cast<size_t>(i)] == '\x02');
        return k;
    }
    int AfterNth(int k) const
    {
        for (size_t i = 0; i < model.size(); ++i)
            if (model[i] == '\r' && --k == 0)
                return static_cast<int>(i) + 1;
        return -1;
    }

    // Lines of 40 characters, a soft break in every fifth.
    static std::string Lines(int count, char letter)
    {
        std::string s;
        for (int i = 0; i < count; ++i) {
            s += std::string(18, letter);
            s += i % 5 == 0 ? '\x02' : ' ';
            s += std::string(20, letter);
            s += '\r';
        }
        return s;
    }

    uint32_t capacity = 0x10000;
    CTextStore store;
    std::string model;
};

TEST_F(StoreTest, EditsAtChunkEdgesAndBothEnds)
{
    std::string text = Lines(5000, 'a'); // 200,000 bytes: several chunks
    capacity = 0x40000;
    ASSERT_TRUE(store.Grow(capacity));
    Replace(0, 0, text);
    ExpectLikeModel("filled");
    const int chunk = 16 * 1024; // the store cuts chunks of this size
    // Inserts and deletions right at, before and behind the chunk edges,
    // deletions across an edge, and at the first and last byte.
    Replace(chunk, chunk, "X\r");
    Replace(chunk - 1, chunk + 1, "");
    Replace(2 * chunk - 3, 2 * chunk + 5, "yy\ryy");
    Replace(0, 0, "start\r");
    Replace(static_cast<int>(model.size()), static_cast<int>(model.size()), "\rend");
    Replace(0, 1, "");
    Replace(static_cast<int>(model.size()) - 1, static_cast<int>(model.size()), "");
    ExpectLikeModel("after edits at the edges");
    // Editing again after the text was made contiguous.
    Replace(3 * chunk, 5 * chunk + 7, "joined");
    Replace(1, 1, "\r\r");
    ExpectLikeModel("after edits on the contiguous text");
}

TEST_F(StoreTest, ManyEditsMatchTheModel)
{
    Replace(0, 0, Lines(3000, 'b'));
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        for (int k = 0; k < 300; ++k) {
            int n = static_cast<int>(model.size());
            int at = static_cast<int>(random() % static_cast<unsigned>(n + 1));
            int del = static_cast<int>(random() % 5 == 0 ? random() % 50000 : random() % 3);
            del = std::min(del, n - at);
            std::string ins;
            int insLen = static_cast<int>(random() % 4 == 0 ? random() % 80000 : random() % 4);
            for (int i = 0; i < insLen; ++i)
                ins += "ab\rc\x02 "[random() % 6];
            Replace(at, at + del, ins);
            if (k % 10 == 0) {
                // In place, between edits: the chunk sums follow every edit.
                n = static_cast<int>(model.size());
                int from = static_cast<int>(random() % static_cast<unsigned>(n + 1));
                int to = from + static_cast<int>(random() % static_cast<unsigned>(n - from + 1));
                ASSERT_EQ(store.CountBreaks(from, to, true), CountIn(from, to, true)) << from << " " << to;
                int total = CountIn(0, n, false), found = 0;
                if (total > 0) {
                    int nth = 1 + static_cast<int>(random() % static_cast<unsigned>(total));
                    ASSERT_EQ(store.AfterNthBreak(nth, false, &found), AfterNth(nth)) << nth;
                }
                if (n > 0) {
                    int i = static_cast<int>(random() % static_cast<unsigned>(n));
                    ASSERT_EQ(store.At(i), static_cast<uint8_t>(model[static_cast<size_t>(i)])) << i;
                }
            }
        }
        ExpectLikeModel("round");
    }
}

TEST_F(StoreTest, GrowthKeepsTheTextWhetherContiguousOrNot)
{
    Replace(0, 0, Lines(1000, 'c'));
    Replace(100, 100, "in a chunk of its own");
    ASSERT_TRUE(store.Grow(0x80000));
    capacity = 0x80000;
    ExpectLikeModel("grown while edited");
    ASSERT_TRUE(store.Grow(0x100000));
    capacity = 0x100000;
    ExpectLikeModel("grown while contiguous");
}

// A loaded text's attributes are known to be zero until something writes
// them, so edits need not read them. Every way of writing them must end
// that, or an edit in a coloured chunk would lose its colours.
TEST(StoreAttributes, WrittenAfterALoadSurviveEditsAndCompaction)
{
    struct Writer {
        const char* name;
        void (*write)(CTextStore& store, int from, int to, uint8_t value);
    };
    const Writer writers[] = {
        {"SetAttrs",
         [](CTextStore& store, int from, int to, uint8_t value) {
             std::string a(static_cast<size_t>(to - from), static_cast<char>(value));
             store.SetAttrs(from, to, reinterpret_cast<const uint8_t*>(a.data()));
         }},
        {"FillAttrs", [](CTextStore& store, int from, int to, uint8_t value) { store.FillAttrs(from, to, value); }},
        {"SetAttrAt",
         [](CTextStore& store, int from, int to, uint8_t value) {
             for (int i = from; i < to; ++i)
                 store.SetAttrAt(i, value);
         }},
        {"FlatAttr",
         [](CTextStore& store, int from, int to, uint8_t value) {
             std::memset(store.FlatAttr() + from, value, static_cast<size_t>(to - from));
         }},
    };
    const int chunk = CTextStore::kChunkSize;
    for (const Writer& w : writers) {
        for (bool editedFirst : {false, true}) {
            SCOPED_TRACE(std::string(w.name) + (editedFirst ? ", after an edit" : ", right after the load"));
            const int length = 40 * chunk;
            const uint32_t capacity = static_cast<uint32_t>(length) * 2;
            uint8_t* bytes = CTextStore::AllocZeroed(capacity);
            ASSERT_NE(bytes, nullptr);
            std::string model(static_cast<size_t>(length), 'x');
            for (int i = 0; i < length; i += 37)
                model[static_cast<size_t>(i)] = '\r';
            std::memcpy(bytes, model.data(), model.size());
            std::vector<int> crs(static_cast<size_t>(length / chunk)), softs(crs.size());
            for (int i = 0; i < length; ++i)
                crs[static_cast<size_t>(i / chunk)] += model[static_cast<size_t>(i)] == '\r';
            CTextStore store;
            ASSERT_TRUE(store.Adopt(bytes, capacity, length, crs, softs));
            std::string attrs(model.size(), '\0');
            auto replace = [&](int start, int end, const std::string& text, char attr = '\0') {
                std::string a(text.size(), attr);
                store.Replace(start, end, reinterpret_cast<const uint8_t*>(text.data()),
                              reinterpret_cast<const uint8_t*>(a.data()), static_cast<int>(text.size()));
                model.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
                attrs.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), a);
            };
            auto expectAttrs = [&](int a, int b) {
                std::string copied(static_cast<size_t>(b - a), '?');
                store.CopyOut(a, b, nullptr, reinterpret_cast<uint8_t*>(&copied[0]));
                ASSERT_EQ(copied, attrs.substr(static_cast<size_t>(a), static_cast<size_t>(b - a)));
            };
            if (editedFirst)
                replace(3 * chunk + 5, 3 * chunk + 5, "typed");
            // Colours across chunk edges, in chunks that are views.
            const int from = 2 * chunk + 100, to = 6 * chunk + 7;
            w.write(store, from, to, 9);
            attrs.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), static_cast<size_t>(to - from),
                          '\x09');
            // Edits inside the coloured range copy the chunks they land in.
            replace(2 * chunk + 300, 2 * chunk + 300, "a");
            replace(4 * chunk + 1, 4 * chunk + 9, "");
            replace(5 * chunk + 50, 5 * chunk + 50, std::string(static_cast<size_t>(3 * chunk), 'p'));
            expectAttrs(from, to);
            ASSERT_EQ(store.AttrAt(from + 1), 9);
            // An edit that brings colours of its own into a loaded chunk,
            // laid out flat again and edited once more.
            replace(20 * chunk + 3, 20 * chunk + 3, "ccc", '\x05');
            ASSERT_NE(store.FlatText(), nullptr);
            replace(20 * chunk + 1, 20 * chunk + 1, "d");
            expectAttrs(20 * chunk, 20 * chunk + 10);
            // Contiguous again, then edited again: the chunks that were
            // copies are views once more and keep what they hold.
            const uint8_t* flat = store.FlatAttr();
            ASSERT_EQ(std::string(reinterpret_cast<const char*>(flat), attrs.size()), attrs);
            replace(6 * chunk, 6 * chunk, "b");
            expectAttrs(from, to);
            ASSERT_EQ(std::string(reinterpret_cast<const char*>(store.FlatText()), model.size()), model);
        }
    }
}

// Blocks are distinct while held, come back to be used again, and the
// regions go at once.
TEST(ChunkArena, BlocksAreDistinctAndReused)
{
    CChunkArena arena;
    std::vector<std::pair<uint8_t*, int>> held;
    for (int i = 0; i < 3000; ++i) {
        int cap = CChunkArena::CapacityFor(1 + i * 7 % CChunkArena::kLargest);
        ASSERT_EQ(cap % CChunkArena::kStep, 0);
        ASSERT_GE(cap, 1 + i * 7 % CChunkArena::kLargest);
        uint8_t* b = arena.Take(cap);
        std::memset(b, i & 0xFF, 2 * static_cast<size_t>(cap));
        held.emplace_back(b, cap);
    }
    for (size_t i = 0; i < held.size(); ++i) {
        const auto& h = held[i];
        for (int j : {0, 2 * h.second - 1})
            ASSERT_EQ(h.first[j], static_cast<uint8_t>(i & 0xFF)) << "block " << i << " was written over";
    }
    uint8_t* given = held[10].first;
    int cap = held[10].second;
    arena.Give(given, cap);
    EXPECT_EQ(arena.Take(cap), given);
    arena.Clear();
    uint8_t* fresh = arena.Take(CChunkArena::kStep);
    std::memset(fresh, 1, 2 * CChunkArena::kStep);
}

// Undo across a growth of the buffers restores the text that was.
TEST_F(EditTest, UndoAcrossGrowth)
{
    std::string line(100, 'x');
    std::string text;
    while (text.size() < 0xFF00)
        text += line + "\r";
    Put(text.c_str(), 10);
    std::string before = Text();
    uint32_t capacity = state.capacity;
    std::string paste(0x300, 'p');
    int len = static_cast<int>(paste.size());
    core.InsertText(reinterpret_cast<const uint8_t*>(paste.data()), len, nullptr, kInsertRecordUndo);
    ASSERT_GT(state.capacity, capacity) << "the paste made the buffers grow";
    state.selStart = state.selEnd = state.length - 5;
    ASSERT_EQ(core.InsertChar('\r', 0, true), 1);
    ExpectModelIntact();
    ASSERT_EQ(core.Undo(), 1);
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(core.GetLineCount(), static_cast<int>(text.size() / 101) + 1);
    ExpectModelIntact();
}

} // namespace
