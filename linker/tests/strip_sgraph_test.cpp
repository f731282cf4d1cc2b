// Removal of unused segments and the call graph of overlaid data segments.
#include "linker/tests/link_fixture.h"
#include "linker/model.h"
#include "linker/names.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace {

link_segment* segment(const char* name)
{
    name_entry* e = name_find(name, true);
    return e && e->state == NAME_SEGMENT ? static_cast<link_segment*>(e->payload) : nullptr;
}

int32_t value(const char* name)
{
    return static_cast<public_symbol*>(name_find(name, true)->payload)->value;
}

void append(std::vector<std::string>& lib, const std::string& name, const std::vector<std::string>& body)
{
    std::vector<std::string> lines = object_lines(name, body);
    lib.insert(lib.end(), lines.begin(), lines.end());
}

// Fixed reset code calls main; main uses a routine of the library and
// pulls in (by import only) a routine that calls another one.
void write_program(void)
{
    write_object("start.obj", {"import:main", "segment:reset @0:0 u:3", "02 00 00", "src:start.a51 #0",
                               "ref w_hl #0:1 @0:1 main"});
    write_object("main.obj", {"import:used", "import:lonely", "import:__lonely_code_org__", "import:__table_org__",
                              "export:main @0:0", "segment:code @0:m u:3", "12 00 00",
                              "segment:table @1:m u:2", "aa bb", "segment:buf @2:m s:8 u:0 n f c:iram",
                              "src:main.a51 #0", "ref w_hl #0:2 @0:1 used", "ref byte #0:3 @1:0 @2:0"});
    std::vector<std::string> lib;
    append(lib, "used.obj", {"export:used @0:0", "segment:ulib @0:m u:1", "22", "segment:buf @1:m s:8 u:0 n f c:iram"});
    append(lib, "lonely.obj", {"import:deep", "export:lonely @0:0", "segment:lonely_code @0:m u:3", "12 00 00",
                               "src:lonely.a51 #0", "ref w_hl #0:1 @0:1 deep"});
    append(lib, "deep.obj", {"export:deep @0:0", "segment:deep_code @0:m u:1", "22"});
    write_lines("rt.lib", lib);
}

TEST(Stripping, KeepsOnlyWhatTheFixedCodeReaches)
{
    enter_scratch_folder();
    write_program();
    link_result r = run_link({"start", "main", "-lrt", "-oprog.bin"});
    ASSERT_EQ(r.code, 0) << r.messages;
    // Members chosen by imports, but only those reached through reference lines stay.
    for (const char* kept : {"reset", "code", "ulib"})
        EXPECT_TRUE(segment(kept)->in_use) << kept;
    for (const char* dropped : {"lonely_code", "deep_code", "table"}) {
        EXPECT_FALSE(segment(dropped)->in_use) << dropped;
        EXPECT_EQ(segment(dropped)->org, -1) << dropped;
        EXPECT_EQ(segment(dropped)->used, 0) << dropped;
    }
    EXPECT_EQ(value("__lonely_code_org__"), -1);
    EXPECT_EQ(value("__table_org__"), -1);
    // Nothing references the buffer: the fill segment shrinks to size 0.
    EXPECT_EQ(segment("buf")->size, 0);
    EXPECT_EQ(read_file("prog.bin"), std::string("\x02\x00\x03\x12\x00\x06\x22\0\0\0\0", 11));
}

TEST(Stripping, IsSkippedWithOptionN)
{
    enter_scratch_folder();
    write_program();
    link_result r = run_link({"start", "main", "-lrt", "-oprog.bin", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    for (const char* kept : {"reset", "code", "ulib", "lonely_code", "deep_code", "table"})
        EXPECT_TRUE(segment(kept)->in_use) << kept;
    EXPECT_EQ(segment("buf")->size, 8);
}

TEST(Stripping, AFillSegmentKeepsItsSizeWhileOneSubsegmentIsUsed)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:2", "75 00", "segment:buf @1:m s:6 u:0 n f c:iram",
                           "src:a.a51 #0", "ref byte #0:1 @0:1 @1:0"});
    write_object("b.obj", {"segment:buf @0:m s:8 u:0 n f c:iram"});
    link_result r = run_link({"a", "b", "-o-"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(segment("buf")->size, 8);
    EXPECT_EQ(segment("buf")->dropped, 1);
}

TEST(Stripping, AnEmptySegmentThatIsReferencedStaysWhenAnotherPieceOfItIsDropped)
{
    enter_scratch_folder();
    write_object("c.obj", {"segment:ende @0:m u:0"});
    write_object("a.obj", {"import:endmark", "segment:code @0:0 u:2", "90 00", "segment:ende @1:m u:0",
                           "src:a.a51 #0", "ref w_hl #0:1 @0:0 endmark"});
    write_object("b.obj", {"export:endmark @0:0", "segment:ende @0:m u:0"});
    link_result r = run_link({"c", "a", "b", "-oprog.bin"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_TRUE(segment("ende")->in_use);
    EXPECT_EQ(value("endmark"), 2);
    EXPECT_EQ(read_file("prog.bin"), std::string("\x00\x02\0\0\0\0", 6));
}

TEST(Stripping, ACorruptReferenceLineIsFatal)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:1", "00", "src:a.a51 #0", "ref byte #0:1 @0:0  5"});
    link_result r = run_link({"a", "-o-"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages, "Error: Stripping: corrupt line: 'byte #0:1 @0:0  5'\n");
}

// Overlaid data: code segment cN owns data segment dN; the graph lines say
// which routine calls which.
std::vector<std::string> graph_object(const std::vector<std::pair<std::string, int>>& data,
                                      const std::vector<std::string>& graph, const char* sclass = "dram")
{
    std::vector<std::string> body = {"segment:code @0:0 u:1", "22"};
    int n = 1;
    for (const auto& d : data)
        body.push_back("segment:" + d.first + " @" + std::to_string(n++) + ":m s:" + std::to_string(d.second) +
                       " u:0 n f c:" + sclass);
    for (const std::string& g : graph)
        body.push_back("sgraph:" + g);
    return body;
}

TEST(CallGraph, CalleesOfOneCallerShareMemoryAfterIt)
{
    enter_scratch_folder();
    write_object("a.obj", graph_object({{"dA", 4}, {"dB", 2}, {"dC", 3}}, {"dA dB code", "dA dC code"}));
    link_result r = run_link({"a", "-o-", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(graph_roots, 1);
    EXPECT_EQ(graph_max_level, 1);
    link_segment *a = segment("dA"), *b = segment("dB"), *c = segment("dC");
    EXPECT_EQ(a->level, 0);
    EXPECT_EQ(b->level, 1);
    EXPECT_EQ(c->level, 1);
    EXPECT_EQ(b->base, 4);
    EXPECT_EQ(c->base, 4);
    EXPECT_EQ(a->size, 7);  // A's 4 bytes and the larger of B and C
    EXPECT_EQ(a->org, 0x20);
    EXPECT_EQ(b->org, 0x24);
    EXPECT_EQ(c->org, 0x24);
    EXPECT_EQ(sclass_table[SCLASS_DRAM].cursor, 0x27);
}

TEST(CallGraph, LevelsFollowTheLongestPath)
{
    enter_scratch_folder();
    // A calls B and D, B calls D: D sits below B, at level 2.
    write_object("a.obj", graph_object({{"dA", 1}, {"dB", 2}, {"dD", 3}}, {"dA dB code", "dB dD code", "dA dD code"}));
    link_result r = run_link({"a", "-o-", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(segment("dD")->level, 2);
    EXPECT_EQ(segment("dD")->base, 3);
    EXPECT_EQ(segment("dA")->size, 6);
    EXPECT_EQ(graph_max_level, 2);
}

TEST(CallGraph, AnEdgeOfStrippedCodeHasNoEffect)
{
    enter_scratch_folder();
    std::vector<std::string> body = graph_object({{"dA", 4}, {"dB", 2}}, {"dA dB cA"});
    body.insert(body.begin(), {"segment:cA @0:m u:1", "00"});
    // Renumber: cA is segment 0, code segment 1, and so on.
    for (std::string& line : body)
        if (line.rfind("segment:code", 0) == 0)
            line = "segment:code @1:0 u:1";
    write_object("a.obj", body);
    link_result r = run_link({"a", "-o-"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_FALSE(segment("dA")->in_use);
    EXPECT_EQ(graph_max_level, -1);
}

struct graph_error_case {
    const char* what;
    std::vector<std::pair<std::string, int>> data;
    std::vector<std::string> graph;
    const char* message;
};

class CallGraphError : public testing::TestWithParam<graph_error_case> {};

TEST_P(CallGraphError, EndsTheBuild)
{
    enter_scratch_folder();
    write_object("a.obj", graph_object(GetParam().data, GetParam().graph));
    link_result r = run_link({"a", "-o-", "-n"});
    EXPECT_EQ(r.code, 2);
    // Placement still runs after the graph stopped; the error gate ends the run.
    EXPECT_EQ(r.messages.rfind(GetParam().message, 0), 0u) << r.messages;
    EXPECT_EQ(r.messages.substr(r.messages.size() - 22), "Error: 1 errors found\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CallGraphError,
    testing::Values(
        graph_error_case{"mutual_calls", {{"dA", 1}, {"dB", 1}}, {"dA dB code", "dB dA code"},
                         "Error: cyclic dependencies, can't build call graph\n"},
        graph_error_case{"two_roots", {{"dA", 1}, {"dB", 1}, {"dC", 1}}, {"dA dC code", "dB dC code"},
                         "Error: intersecting segments 'dC' and 'dA', can't build call graph\n"},
        graph_error_case{"cycle_below_a_root",
                         {{"dR", 1}, {"dA", 1}, {"dB", 1}},
                         {"dR dA code", "dA dB code", "dB dA code"},
                         "Error: cyclic dependencies arround 'dA' and 'dB', can't build call graph\n"}),
    [](const testing::TestParamInfo<graph_error_case>& info) { return std::string(info.param.what); });

TEST(CallGraph, ADeepAcyclicChainIsNotTakenForACycle)
{
    enter_scratch_folder();
    std::vector<std::pair<std::string, int>> data;
    std::vector<std::string> graph;
    const int depth = 1500;
    for (int i = 0; i < depth; ++i) {
        data.push_back({"d" + std::to_string(i), 1});
        if (i)
            graph.push_back("d" + std::to_string(i - 1) + " d" + std::to_string(i) + " code");
    }
    write_object("a.obj", graph_object(data, graph, "xram"));
    link_result r = run_link({"a", "-o-", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(graph_max_level, depth - 1);
    EXPECT_EQ(segment("d0")->size, depth);
    EXPECT_EQ(segment("d1499")->org, 1499);
}

} // namespace
