#include "editor/tools/line_ends.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Convert(CLineEndConverter& c, std::string chunk)
{
    chunk.resize(c.Convert(chunk.data(), chunk.size()));
    return chunk;
}

} // namespace

TEST(LineEnds, EveryLineEndBecomesOneCR)
{
    CLineEndConverter c;
    EXPECT_EQ(Convert(c, "a\r\nb\nc\rd\n\n"), "a\rb\rc\rd\r\r");
}

TEST(LineEnds, PairSplitBetweenChunks)
{
    CLineEndConverter c;
    EXPECT_EQ(Convert(c, "a\r"), "a\r");
    EXPECT_EQ(Convert(c, "\nb\n"), "b\r");
    EXPECT_EQ(Convert(c, "\n"), "\r"); // an LF after an LF is a line end of its own
    c.Reset();
    EXPECT_EQ(Convert(c, "x\r"), "x\r");
    EXPECT_EQ(Convert(c, "y\n"), "y\r");
}
