// Perl subs and Verilog modules, functions, tasks, named blocks, assigns and
// ports over small sources (name | first-last line).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/symbols/script_parsers.h"

namespace {

using V = std::vector<std::string>;

V Listed(const CSymbolMap& map, int kind)
{
    V out;
    for (const auto& entry : map)
        for (const auto& r : entry.second) {
            EXPECT_EQ(r->kind, kind) << entry.first;
            out.push_back(entry.first + "|" + std::to_string(r->firstLine) + "-" + std::to_string(r->lastLine));
        }
    return out;
}

V Listed(const std::vector<CSymbolInfo>& list)
{
    V out;
    for (const CSymbolInfo& r : list)
        out.push_back(r.text + "|" + std::to_string(r.firstLine) + "-" + std::to_string(r.lastLine));
    return out;
}

TEST(PerlSubs, Table)
{
    struct Case {
        const char* source;
        V subs;
    } cases[] = {
        {"sub first {\n  return 1;\n}\n\nsub second($) {\n  my $x = { a => 1 };\n}\n",
         V{"first|0-2", "second|4-6"}},
        {"sub tight{\n}\n", V{"tight|0-1"}},
        // Not subs: a comment line, a string, part of a word, "sub(" and a
        // forward declaration; the sub after them is found.
        {"# sub commented {\n}\nmy $s = \"sub quoted {\";\n$x = subst($y);\nmysub foo {}\nsub(1);\nsub later;\n"
         "sub real\n{\n}\n",
         V{"real|7-9"}},
        {"sub open {\n  my $x = 1;\n", V{}},
    };
    for (const auto& c : cases) {
        std::string text = c.source;
        CSymbolMap map;
        int n = ParsePerlSubs(text.c_str(), text.size(), map, nullptr, "x.pl");
        EXPECT_EQ(Listed(map, kImagePerlSub), c.subs) << c.source;
        EXPECT_EQ(n, static_cast<int>(c.subs.size()));
    }
}

const char* const kVerilog =
    "// module commented_out;\n"                 // 0
    "module counter(clk, q);\n"                  // 1
    "  input clk;\n"                             // 2
    "  input [7:0] a, b;\n"                      // 3
    "  output [3:0]\n"                           // 4
    "     q;\n"                                  // 5
    "  inout pad, /* ; */ pin;   // x, y;\n"     // 6
    "  assign q = a[3:0];\n"                     // 7
    "  assign\tready = 1'b1;\n"                  // 8
    "  always @(posedge clk) begin : tick\n"     // 9
    "    if (a) begin\n"                         // 10
    "    end\n"                                  // 11
    "  end\n"                                    // 12
    "  function [3:0] inc;\n"                    // 13
    "    input [3:0] v;\n"                       // 14
    "    inc = v + 1;\n"                         // 15
    "  endfunction\n"                            // 16
    "  task reset_all;\n"                        // 17
    "  endtask\n"                                // 18
    "endmodule\n"                                // 19
    "module second;\n"                           // 20
    "endmodule\n";                               // 21

TEST(VerilogBlocks, ModulesFunctionsTasks)
{
    std::string text = kVerilog;
    CSymbolMap modules, functions, tasks;
    EXPECT_EQ(ParseVerilogBlocks(text.c_str(), text.size(), modules, nullptr, "c.v", "module", "endmodule"), 2);
    ParseVerilogBlocks(text.c_str(), text.size(), functions, nullptr, "c.v", "function", "endfunction");
    ParseVerilogBlocks(text.c_str(), text.size(), tasks, nullptr, "c.v", "task", "endtask");
    EXPECT_EQ(Listed(modules, kImageVerilogModule), (V{"counter|1-19", "second|20-21"}));
    EXPECT_EQ(Listed(functions, kImageVerilogFunction), (V{"[3:0]|13-16"}));
    EXPECT_EQ(Listed(tasks, kImageVerilogTask), (V{"reset_all|17-18"}));
}

TEST(VerilogBlocks, InsideOneModule)
{
    std::string text = kVerilog;
    CSymbolMap modules;
    ParseVerilogBlocks(text.c_str(), text.size(), modules, nullptr, "c.v", "module", "endmodule");
    const CSymbolInfo& counter = (*modules.Lookup("counter"))[0];
    std::vector<CSymbolInfo> named, assigns, inputs, outputs, inouts;
    ParseVerilogNamedBlocks(text.c_str(), text.size(), counter, named);
    ParseVerilogAssigns(text.c_str(), text.size(), counter, assigns);
    ParseVerilogPorts(text.c_str(), text.size(), counter, inputs, 10);
    ParseVerilogPorts(text.c_str(), text.size(), counter, outputs, 11);
    ParseVerilogPorts(text.c_str(), text.size(), counter, inouts, 12);
    EXPECT_EQ(Listed(named), (V{"tick|9-11"}));
    EXPECT_EQ(Listed(assigns), (V{"q|7-7", "ready|8-8"}));
    EXPECT_EQ(Listed(inputs), (V{"clk|2-2", "[7:0] a|3-3", "b|3-3", "[3:0] v|14-14"}));
    EXPECT_EQ(Listed(outputs), (V{"[3:0]      q|4-5"}));
    EXPECT_EQ(Listed(inouts), (V{"pad|6-6", "/* ; */ pin|6-6"}));
}

} // namespace
