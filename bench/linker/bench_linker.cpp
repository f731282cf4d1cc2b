// Prints the time of each link phase for a generated program: 1,000 objects
// that call each other in a chain, the last one calling into a library of
// 5,000 members where each member calls the one before it in the file, so
// that member selection and stripping have to walk the whole library
// backwards. The listing, map (with its overview line) and definition file are written
// as well.
#include "linker/driver.h"
#include "linker/model.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace tessel;

namespace {

const int object_count = 1000;
const int member_count = 5000;

std::string hex(int v)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", v);
    return buffer;
}

// One object (or member) text with CR LF line ends.
void put(std::ofstream& out, const std::string& line)
{
    out << line << "\r\n";
}

void write_object(int i)
{
    std::string name = "o" + std::to_string(i) + ".obj";
    std::ofstream out(name, std::ios::binary);
    std::string next = i + 1 < object_count ? "f" + std::to_string(i + 1) : "L" + std::to_string(member_count - 1);
    put(out, "objectfile:" + name);
    put(out, "time:Wed Dec  9 12:00:00 2026");
    put(out, "cpuname:i8051");
    put(out, "import:" + next);
    put(out, "export:f" + std::to_string(i) + " @0:0");
    put(out, "segment:code @0:m u:6");
    put(out, "12 00 00 90 00 00");
    put(out, "segment:d" + std::to_string(i) + " @1:m u:2 n c:xram");
    put(out, "segment:const @2:m u:4");
    put(out, "00 00 00 00");
    if (i == 0) {
        put(out, "segment:reset @3:0 u:3");
        put(out, "02 00 00");
    }
    put(out, "src:o" + std::to_string(i) + ".a51 #0");
    put(out, "ref w_hl #0:" + hex(i + 3) + " @0:1 " + next);
    put(out, "ref w_hl #0:4 @0:4 @2:0");
    put(out, "ref w_hl #0:5 @2:0 @1:0");
    put(out, "ref w_hl #0:6 @2:2 @1:0 1 +");
    if (i == 0)
        put(out, "ref w_hl #0:7 @3:1 f0");
    put(out, "objectdebug");
    put(out, "dtx ; generated object " + std::to_string(i));
    put(out, "dco @0:0 u:3 f" + std::to_string(i) + ": lcall " + next);
    put(out, "dco @0:3 u:3         mov dptr,#table");
    put(out, "dco @1:0 u:2 var: .ds.b 2");
    put(out, "dco @2:0 u:4 table: .dc.w var,var+1");
    put(out, "def:f" + std::to_string(i) + " @0:0");
    put(out, "objectend");
}

void write_library(void)
{
    std::ofstream out("rt.lib", std::ios::binary);
    for (int k = 0; k < member_count; ++k) {
        std::string name = "m" + std::to_string(k) + ".obj";
        put(out, "objectfile:" + name);
        put(out, "time:Wed Dec  9 12:00:00 2026");
        put(out, "cpuname:i8051");
        if (k > 0)
            put(out, "import:L" + std::to_string(k - 1));
        put(out, "export:L" + std::to_string(k) + " @0:0");
        put(out, "segment:libcode @0:m u:3");
        put(out, k > 0 ? "12 00 00" : "22 22 22");
        put(out, "src:m" + std::to_string(k) + ".a51 #0");
        if (k > 0)
            put(out, "ref w_hl #0:2 @0:1 L" + std::to_string(k - 1));
        put(out, "objectend");
    }
}

using clock_type = std::chrono::steady_clock;
clock_type::time_point last;

void phase_time(const char* phase)
{
    clock_type::time_point now = clock_type::now();
    std::printf("  %-28s %9.3f ms\n", phase, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
}

} // namespace

int main()
{
    std::error_code ec;
    std::filesystem::create_directories(BENCH_DIR, ec);
    std::filesystem::current_path(BENCH_DIR, ec);
    if (ec) {
        std::fprintf(stderr, "bench_linker: cannot enter %s\n", BENCH_DIR);
        return 1;
    }
    clock_type::time_point start = clock_type::now();
    for (int i = 0; i < object_count; ++i)
        write_object(i);
    write_library();
    std::printf("generated %d objects and a library of %d members in %.1f ms\n", object_count, member_count,
                std::chrono::duration<double, std::milli>(clock_type::now() - start).count());

    for (bool strip : {true, false}) {
        link_start();
        for (int i = 0; i < object_count; ++i)
            add_object_file("o" + std::to_string(i));
        add_library("rt");
        options.output = "bench.bin";
        options.listing = true;
        options.map = true;
        options.definitions = 3;
        options.no_strip = !strip;
        std::printf("link phases%s:\n", strip ? "" : " (-n, no stripping)");
        last = start = clock_type::now();
        link_phase_hook = phase_time;
        int code = link_run();
        std::printf("  %-28s %9.3f ms (exit code %d, %zu segments, %zu subsegments, image %d bytes)\n", "total",
                    std::chrono::duration<double, std::milli>(clock_type::now() - start).count(), code,
                    segments.size(), subsegments.size(), binary_size);
    }
    return 0;
}
