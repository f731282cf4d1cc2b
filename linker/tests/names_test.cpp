// The name table: its hash and its walk order, which fixes the order of the
// definition file.
#include "linker/names.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

using namespace tessel;

namespace {

TEST(NameHash, ShiftsAndMixesUpToTheFirstControlOrHighByte)
{
    EXPECT_EQ(name_hash(""), 0u);
    EXPECT_EQ(name_hash("a"), 97u);
    EXPECT_EQ(name_hash("ab"), 160u);             // (97 * 2) ^ 98
    EXPECT_EQ(name_hash("ab\x01zz"), 160u);
    EXPECT_EQ(name_hash("ab\xe9zz"), 160u);
    // A long name wraps in 32 bits before the bucket is taken.
    std::string long_name(40, 'z');
    uint32_t h = 0;
    for (char c : long_name)
        h = (h << 1) ^ static_cast<uint32_t>(c);
    EXPECT_EQ(name_hash(long_name.c_str()), h % 517);
}

int collect(name_entry* e, void* context)
{
    static_cast<std::vector<std::string>*>(context)->push_back(e->name);
    return 0;
}

TEST(NameTable, IsCaseSensitiveAndWalksBucketsNewestFirst)
{
    name_reset();
    // Two names of one bucket: find a partner for "ab" among two-letter names.
    std::string partner;
    for (char c1 = 'A'; c1 <= 'z' && partner.empty(); ++c1)
        for (char c2 = 'A'; c2 <= 'z'; ++c2) {
            std::string n{c1, c2};
            if (n != "ab" && name_hash(n.c_str()) == name_hash("ab")) {
                partner = n;
                break;
            }
        }
    ASSERT_FALSE(partner.empty());

    name_entry* text = name_find("text", false);
    EXPECT_EQ(name_find("TEXT", true), nullptr);
    EXPECT_EQ(name_find("text", true), text);
    name_find("ab", false);
    name_find(partner.c_str(), false);
    name_find("a", false);
    EXPECT_EQ(name_count(), 4);
    EXPECT_EQ(name_find("new", false)->state, NAME_NEW);

    std::vector<std::string> order;
    name_walk(collect, &order);
    // Bucket order, and within the bucket of "ab" the newer partner first.
    std::vector<std::pair<unsigned, std::string>> expected;
    for (const std::string& n : order)
        expected.push_back({name_hash(n.c_str()), n});
    for (size_t i = 1; i < expected.size(); ++i)
        EXPECT_LE(expected[i - 1].first, expected[i].first);
    auto ab = std::find(order.begin(), order.end(), "ab");
    auto other = std::find(order.begin(), order.end(), partner);
    EXPECT_LT(other - order.begin(), ab - order.begin());
    name_reset();
}

TEST(NameTable, WalkStopsWhenTheCallbackSaysSo)
{
    name_reset();
    name_find("x", false);
    name_find("y", false);
    int calls = 0;
    name_walk([](name_entry*, void* c) { return ++*static_cast<int*>(c); }, &calls);
    EXPECT_EQ(calls, 1);
    name_reset();
}

} // namespace
