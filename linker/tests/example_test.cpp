// The suite's first end-to-end build: the example program assembled with
// morrin and linked with tessel, checked byte for byte against encodings
// worked out by hand, and its listing, map and definition file against
// golden files. A second test compares linked images with Debian's as31.
#include "common/os.h"
#include "linker/tests/link_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

int run(const std::vector<std::string>& argv)
{
    int code = -1;
    EXPECT_EQ(os_run(argv, &code), OS_RUN_OK) << argv[0];
    return code;
}

TEST(Example, BuildsTheImageThatTheStandardEncodingsGive)
{
    enter_scratch_folder();
    for (const char* name : {"start.s51", "main.s51", "delay.s51"})
        write_file(name, read_file(source_path(std::string("examples/") + name)));
    for (const char* name : {"start.s51", "main.s51", "delay.s51"})
        ASSERT_EQ(run({host_path(MORRIN_PATH), "-e", "-g", name}), 0) << read_file("error.out");
    // A library is the concatenation of its members' objects.
    write_file("delay.lib", read_file("delay.obj"));
    ASSERT_EQ(run({host_path(TESSEL_PATH), "-e", "-s", "-m", "-d", "-omain.bin", "start.obj", "main.obj", "-ldelay.lib"}), 0)
        << read_file("error.out");

    std::string image =
        b({0x02, 0x00, 0x03}) +        // 0000 reset:   ljmp init
        b({0x75, 0x81, 0x27}) +        // 0003 init:    mov  SP,#__stack_org__-1 (buffer ends at 28h)
        b({0x02, 0x00, 0x09}) +        // 0006          ljmp main
        b({0xe4}) +                    // 0009 main:    clr  a
        b({0x78, 0x20}) +              // 000A again:   mov  r0,#buffer (dram starts at 20h)
        b({0x7f, 0x08}) +              // 000C          mov  r7,#8
        b({0xf6}) +                    // 000E fill:    mov  @r0,a
        b({0x08}) +                    // 000F          inc  r0
        b({0x04}) +                    // 0010          inc  a
        b({0xdf, 0xfb}) +              // 0011          djnz r7,fill    (0E - 13 = -5)
        b({0x11, 0x17}) +              // 0013          acall delay     (A10..A8 = 0, 11h)
        b({0x80, 0xf3}) +              // 0015          sjmp again      (0A - 17 = -13)
        b({0x7e, 0x0a}) +              // 0017 delay:   mov  r6,#10
        b({0x7d, 0x00}) +              // 0019 outer:   mov  r5,#0
        b({0xdd, 0xfe}) +              // 001B inner:   djnz r5,inner   (1B - 1D = -2)
        b({0xde, 0xfa}) +              // 001D          djnz r6,outer   (19 - 1F = -6)
        b({0x22}) +                    // 001F          ret
        b({0x00, 0x00, 0x00, 0x00});   // load address 0
    EXPECT_EQ(read_file("main.bin"), image);

    std::string listing = read_file("main.lst");
    size_t first_end = listing.find("\r\n");
    EXPECT_EQ(listing.rfind("listing:main.lst, ", 0), 0u);
    EXPECT_EQ(first_end, std::string("listing:main.lst, ").size() + 24);
    EXPECT_EQ(without_cr(listing.substr(first_end + 2)), read_file(source_path("linker/tests/golden/main.lst")));
    EXPECT_EQ(without_cr(read_file("main.mem")), read_file(source_path("linker/tests/golden/main.mem")));
    EXPECT_EQ(without_cr(read_file("main.den")), read_file(source_path("linker/tests/golden/main.den")));
}

#ifdef AS31_PATH

// Bytes of an Intel HEX file by address.
std::map<long, int> read_hex(const std::string& path)
{
    std::map<long, int> bytes;
    std::string text = read_file(path);
    size_t pos = 0;
    while ((pos = text.find(':', pos)) != std::string::npos) {
        auto hex = [&](size_t at, int digits) { return std::strtol(text.substr(at, digits).c_str(), nullptr, 16); };
        long count = hex(pos + 1, 2), address = hex(pos + 3, 4), type = hex(pos + 7, 2);
        if (type == 0)
            for (long i = 0; i < count; ++i)
                bytes[address + i] = static_cast<int>(hex(pos + 9 + 2 * i, 2));
        pos += 11 + 2 * count;
    }
    return bytes;
}

// Every relocated form: relative jumps of each kind forward and backward,
// ajmp and acall within and across a 2 KB block, 16-bit and 8-bit addresses
// and expressions over them.
const char* const cross_check_body =
    "start:  mov     81h,#60h\n"
    "        mov     dptr,#table\n"
    "        mov     a,#table\n"
    "        mov     r0,#back\n"
    "back:   sjmp    fwd1\n"
    "        jz      back\n"
    "        jnz     fwd1\n"
    "        jc      back\n"
    "        jnc     fwd1\n"
    "        jb      0,back\n"
    "        jnb     1,fwd1\n"
    "        jbc     2,back\n"
    "        djnz    r3,back\n"
    "        djnz    30h,fwd1\n"
    "        cjne    a,#5,back\n"
    "        cjne    a,31h,fwd1\n"
    "        cjne    r2,#7,back\n"
    "        cjne    @r1,#9,fwd1\n"
    "fwd1:   ajmp    back\n"
    "        acall   sub\n"
    "        ljmp    fwd2\n"
    "        lcall   sub\n"
    "fwd2:   ajmp    fwd2\n"
    "        anl     c,/7\n"
    "        orl     20h,#table\n"
    "        mov     20h,#back\n"
    "        add     a,#table+1\n"
    "        mov     dptr,#table*2+1\n"
    "        ljmp    edge\n"
    "sub:    ret\n"
    "table:  nop\n";

// At 7FEh an ajmp already belongs to the next 2 KB block.
const char* const block_edge_body =
    "edge:   ajmp    far\n"
    "far:    acall   far2\n"
    "        sjmp    edge\n"
    "far2:   jnz     back2\n"
    "back2:  ret\n";

TEST(CrossCheck, LinkedImageEqualsTheIndependentAssembler)
{
    enter_scratch_folder();
    write_file("x.asm", std::string("        .org 0\n        ljmp start\n") + cross_check_body +
                            "        .org 7feh\n" + block_edge_body);
    write_file("x.a51", std::string("        .segment vec,org 0\n        ljmp start\n        .segment code\n") +
                            cross_check_body + "        .segment high,org 7feh\n" + block_edge_body);
    ASSERT_EQ(run({AS31_PATH, "-Ox.hex", "x.asm"}), 0);
    ASSERT_EQ(run({MORRIN_PATH, "-e", "x.a51"}), 0) << read_file("error.out");
    ASSERT_EQ(run({TESSEL_PATH, "-e", "x", "-ox.bin"}), 0) << read_file("error.out");

    std::map<long, int> expected = read_hex("x.hex");
    std::string image = read_file("x.bin");
    ASSERT_GT(expected.size(), 80u);
    ASSERT_EQ(image.size(), 0x807u + 4u);
    for (const auto& byte : expected)
        EXPECT_EQ(static_cast<uint8_t>(image[static_cast<size_t>(byte.first)]), byte.second)
            << "at address " << std::hex << byte.first;
}

#endif

} // namespace
