#include "edit_fixture.h"

#include "testing/kit/test_kit.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

std::string Raw(const std::string& notation)
{
    std::string raw;
    for (char c : notation) {
        switch (c) {
        case '>': raw += '\t'; break;
        case '.': raw += '\x01'; break;
        case '~': raw += '\x02'; break;
        case '/': raw += '\r'; break;
        default: raw += c; break;
        }
    }
    return raw;
}

std::string Show(const uint8_t* bytes, int length)
{
    std::string out;
    for (int i = 0; i < length; ++i) {
        switch (bytes[i]) {
        case 9: out += '>'; break;
        case 1: out += '.'; break;
        case 2: out += '~'; break;
        case 13: out += '/'; break;
        default: out += static_cast<char>(bytes[i]); break;
        }
    }
    return out;
}

std::string EditTest::Attrs() const
{
    std::string out;
    for (int i = 0; i < state.length; ++i)
        out += static_cast<char>('0' + state.Attr()[i]);
    return out;
}

void EditTest::ExpectModelIntact() const
{
    ASSERT_NE(state.Text(), nullptr);
    ASSERT_LT(static_cast<uint32_t>(state.length), state.capacity);
    EXPECT_EQ(state.capacity % 0x10000, 0u);
    for (uint32_t i = static_cast<uint32_t>(state.length); i < state.capacity; ++i) {
        if (state.Text()[i] || state.Attr()[i]) {
            ADD_FAILURE() << "non-zero byte behind the text at " << i;
            break;
        }
    }
    int breaks = 0;
    for (int i = 0; i < state.length; ++i) {
        uint8_t b = state.Text()[i];
        breaks += b == 13 || (b == 2 && state.wrapWidth);
        EXPECT_NE(b, 10) << "LF in the text at " << i;
        if (b == 1) {
            int k = i;
            while (k > 0 && state.Text()[k] == 1)
                --k;
            EXPECT_EQ(state.Text()[k], 9) << "fill byte without its tab at " << i;
        }
    }
    if (state.length > 0) {
        EXPECT_EQ(state.lineCount, static_cast<uint32_t>(breaks + 1));
    }
    // Every tab is followed by fill up to its tab stop.
    int tw = core.GetTabWidth();
    int col = 0;
    for (int i = 0; i < state.length; ++i) {
        uint8_t b = state.Text()[i];
        if (b == 13 || (b == 2 && state.wrapWidth)) {
            col = 0;
        } else if (b == 9) {
            int n = tw - col % tw, k = 1;
            while (i + k < state.length && state.Text()[i + k] == 1)
                ++k;
            EXPECT_EQ(k, n) << "tab at " << i << " occupies " << k << " bytes, not " << n;
            col += k;
            i += k - 1;
        } else {
            ++col;
        }
    }
}

std::string TempDir()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    return host_path(test_folder(name));
}
