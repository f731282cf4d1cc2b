#include "convert/holbix/webdata.h"

#include <gtest/gtest.h>

namespace {

struct convert_case {
    const char* what;
    std::string input;
    web_type type;
    std::string lines;
    std::vector<int> warnings;
};

class WebConvert : public testing::TestWithParam<convert_case> {};

TEST_P(WebConvert, WritesDataLines)
{
    const convert_case& c = GetParam();
    web_lines out = web_convert(reinterpret_cast<const unsigned char*>(c.input.data()), c.input.size(), c.type);
    EXPECT_EQ(out.text, c.lines) << c.what;
    EXPECT_EQ(out.single_at_lines, c.warnings) << c.what;
}

const std::string import_temp = "  .dc.b 255\n  .import _TEMP ;  (char xdata*)TEMP\n  .dc.w _TEMP\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, WebConvert,
    testing::Values(
        convert_case{"variable inside a page", "<b>@TEMP</b>", WEB_HTML,
                     "  .dc.b \"<b>\"\n" + import_temp + "  .dc.b \"</b>\"\n", {}},
        convert_case{"double '@' is one literal '@'", "a@@b", WEB_HTML, "  .dc.b \"a@b\"\n", {}},
        convert_case{"single '@' warns and keeps the next byte", "x\n@ y", WEB_HTML,
                     "  .dc.b \"x\",10\n  .dc.b \" y\"\n", {1}},
        convert_case{"'@' before a digit is single", "@1x", WEB_HTML, "  .dc.b \"1x\"\n", {0}},
        convert_case{"quote character as a number", "say \"hi\"", WEB_HTML,
                     "  .dc.b \"say \",34,\"hi\",34\n", {}},
        convert_case{"line feed ends the line in a page", "a\r\nb", WEB_HTML,
                     "  .dc.b \"a\",13,10\n  .dc.b \"b\"\n", {}},
        convert_case{"page ending with a line feed ends with an empty line", "a\n", WEB_HTML,
                     "  .dc.b \"a\",10\n\n", {}},
        convert_case{"variable at the start of a line opens no empty data line", "x\n@TEMP y", WEB_HTML,
                     "  .dc.b \"x\",10\n" + import_temp + "  .dc.b \" y\"\n", {}},
        convert_case{"second variable still open at the end is dropped", "@TEMP@TEMP", WEB_HTML,
                     import_temp + "\n", {}},
        convert_case{"variable ended by another", "@TEMP@TEMP.", WEB_HTML,
                     import_temp + import_temp + "  .dc.b \".\"\n", {}},
        convert_case{"name open at the end is dropped", "a@NAME", WEB_HTML, "  .dc.b \"a\"\n", {}},
        convert_case{"name keeps 40 characters and then the last one",
                     "@ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrs!", WEB_HTML,
                     "  .dc.b 255\n"
                     "  .import _ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmns ;  "
                     "(char xdata*)ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmns\n"
                     "  .dc.w _ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmns\n"
                     "  .dc.b \"!\"\n",
                     {}},
        convert_case{"bytes above 126 in a page are numbers", "\xE4\x7F", WEB_HTML, "  .dc.b 228,127\n", {}},
        convert_case{"long text is wrapped", std::string(80, 'x'), WEB_HTML,
                     "  .dc.b \"" + std::string(64, 'x') + "\"\n  .dc.b \"" + std::string(16, 'x') + "\"\n",
                     {}},
        convert_case{"picture bytes", "GIF", WEB_GIF, "  .dc.b 71,73,70\n", {}},
        convert_case{"picture bytes: no strings, no variables, line feeds do not end lines",
                     "a@b\n", WEB_JPEG, "  .dc.b 97,64,98,10\n", {}},
        convert_case{"picture lines close after 72 characters", std::string(18, '\xC8'), WEB_GIF,
                     "  .dc.b 200,200,200,200,200,200,200,200,200,200,200,200,200,200,200,200,200\n"
                     "  .dc.b 200\n",
                     {}}));

}  // namespace
