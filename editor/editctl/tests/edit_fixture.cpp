#include "edit_fixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>

#ifdef _WIN32
#include <direct.h>
#endif

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

void MakeDir(const std::string& dir)
{
#ifdef _WIN32
    _mkdir(dir.c_str());
#else
    mkdir(dir.c_str(), 0777);
#endif
}

std::string TempDir()
{
    std::string dir = EDITCTL_TMP_DIR;
#ifdef _WIN32
    // Under Wine the build folder lies on drive Z:.
    if (!dir.empty() && dir[0] == '/')
        dir = "Z:" + dir;
#endif
    MakeDir(dir);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    std::string sub = dir + "/" + name;
    MakeDir(sub);
    return sub;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}
