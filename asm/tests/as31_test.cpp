// Cross-check of the instruction encodings against Debian's independent
// as31 assembler: a generated source with every mnemonic and operand
// pattern and many operand values, in an absolute segment at address 0,
// is assembled by both. Fields that this assembler leaves to the linker
// (relative, ajmp and acall targets, all constant here) are resolved the
// way the linker does, so that every byte is compared. Runs only where
// /usr/bin/as31 exists (natively on Linux); skipped with a message
// otherwise.
#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
const char* const AS31 = "/usr/bin/as31";

std::string hex8(int v)
{
    char b[8];
    std::snprintf(b, sizeof b, "0%02Xh", v & 0xFF);
    return b;
}

std::string hex16(int v)
{
    char b[8];
    std::snprintf(b, sizeof b, "0%04Xh", v & 0xFFFF);
    return b;
}

// Operand values of each kind.
const int directs[] = {0x00, 0x01, 0x1F, 0x30, 0x7F, 0x80, 0x81, 0xA8, 0xD0, 0xE0, 0xF0, 0xFF};
const int immediates[] = {0x00, 0x01, 0x55, 0x7F, 0x80, 0xAA, 0xFE, 0xFF};
const int bits[] = {0x00, 0x07, 0x08, 0x3F, 0x7F, 0x80, 0x97, 0xD7, 0xE7, 0xFF};
const int words[] = {0x0000, 0x0001, 0x00FF, 0x1234, 0x8000, 0xABCD, 0xFFFF};

// Templates: R = Rn (0..7), I = Ri (0..1), D = direct, S = second direct,
// K = immediate, B = bit, W = 16-bit, J = relative target, A = absolute
// 11-bit target.
const char* const templates[] = {
    "acall A", "ajmp A",
    "add a,@rI", "add a,rR", "add a,#K", "add a,D",
    "addc a,@rI", "addc a,#K", "addc a,rR", "addc a,D",
    "anl a,@rI", "anl a,#K", "anl a,rR", "anl c,/B", "anl a,D", "anl c,B", "anl D,a", "anl D,#K",
    "cjne a,#K,J", "cjne @rI,#K,J", "cjne a,D,J", "cjne rR,#K,J",
    "clr a", "clr c", "clr B", "cpl c", "cpl a", "cpl B", "da a",
    "dec @rI", "dec rR", "dec a", "dec D", "div ab", "djnz rR,J", "djnz D,J",
    "inc dptr", "inc @rI", "inc rR", "inc a", "inc D",
    "jb B,J", "jbc B,J", "jc J", "jmp @a+dptr", "jnb B,J", "jnc J", "jnz J", "jz J",
    "lcall W", "ljmp W",
    "mov dptr,#W", "mov a,@rI", "mov a,rR", "mov a,#K", "mov @rI,a", "mov @rI,#K", "mov @rI,D",
    "mov c,B", "mov a,D", "mov rR,#K", "mov rR,a", "mov rR,D", "mov D,@rI", "mov B,c", "mov D,a",
    "mov D,rR", "mov D,#K", "mov D,S",
    "movc a,@a+dptr", "movc a,@a+pc", "movx @dptr,a", "movx a,@dptr", "movx a,@rI", "movx @rI,a",
    "mul ab", "nop",
    "orl a,@rI", "orl c,/B", "orl a,#K", "orl a,rR", "orl a,D", "orl c,B", "orl D,a", "orl D,#K",
    "pop D", "push D", "ret", "reti", "rl a", "rlc a", "rr a", "rrc a", "setb c", "setb B", "sjmp J",
    "subb a,@rI", "subb a,#K", "subb a,rR", "subb a,D", "swap a",
    "xch a,@rI", "xch a,rR", "xch a,D", "xchd a,@rI",
    "xrl a,@rI", "xrl a,rR", "xrl a,#K", "xrl a,D", "xrl D,a", "xrl D,#K",
};

// Values of a placeholder kind.
std::vector<std::string> values_of(char c)
{
    std::vector<std::string> v;
    switch (c) {
    case 'R': for (int i = 0; i < 8; i++) v.push_back(std::to_string(i)); break;
    case 'I': for (int i = 0; i < 2; i++) v.push_back(std::to_string(i)); break;
    case 'D': for (int x : directs) v.push_back(hex8(x)); break;
    case 'S': for (int i = 11; i >= 0; i--) v.push_back(hex8(directs[i])); break;
    case 'K':
        for (int x : immediates) v.push_back(hex8(x));
        v.push_back("-1");
        v.push_back("-127");  // as31 refuses -128
        break;
    case 'B': for (int x : bits) v.push_back(hex8(x)); break;
    case 'W': for (int x : words) v.push_back(hex16(x)); break;
    case 'J': for (int d : {-3, -1, 0, 1, 2, 5}) v.push_back("@" + std::to_string(d)); break;
    case 'A': for (int d : {-2, 0, 3}) v.push_back("@" + std::to_string(d)); break;
    default: break;
    }
    return v;
}

// Expands a template (placeholders in upper case, literal text in lower
// case) into as many lines as its longest value list; the other
// placeholders rotate through their values. Jump targets name the labels
// of nearby lines.
void expand(const std::string& t, std::vector<std::string>& out)
{
    size_t count = 1;
    for (char c : t)
        if (c >= 'A' && c <= 'Z')
            count = std::max(count, values_of(c).size());
    for (size_t i = 0; i < count; i++) {
        std::string line;
        int k = 0;
        for (char c : t) {
            if (c < 'A' || c > 'Z') {
                line += c;
                continue;
            }
            std::vector<std::string> v = values_of(c);
            std::string val = v[(i + static_cast<size_t>(k) * 3) % v.size()];
            if (val[0] == '@') {
                long target = static_cast<long>(out.size()) + std::atol(val.c_str() + 1);
                val = "L" + std::to_string(target < 0 ? 0 : target);
            }
            line += val;
            k++;
        }
        out.push_back(line);
    }
}

#endif

TEST(As31CrossCheck, EveryInstructionEncodesAlike)
{
#ifdef _WIN32
    std::printf("as31 cross-check skipped: as31 runs only in the native build\n");
    GTEST_SKIP() << "as31 cross-check skipped: as31 runs only in the native build";
#else
    if (!fs::exists(AS31)) {
        std::printf("as31 cross-check skipped: %s is not installed\n", AS31);
        GTEST_SKIP() << "as31 cross-check skipped: " << AS31 << " is not installed";
    }
    std::vector<std::string> lines;
    // Jumps first, so that ajmp and acall stay within the first 2K page.
    for (const char* t : templates)
        if (std::string(t).find('A') != std::string::npos)
            expand(t, lines);
    for (const char* t : templates)
        if (std::string(t).find('A') == std::string::npos)
            expand(t, lines);
    ASSERT_GT(lines.size(), 500u);

    std::string body;
    for (size_t i = 0; i < lines.size(); i++)
        body += "L" + std::to_string(i) + ":\t" + lines[i] + "\n";
    // Labels for the targets after the last line.
    for (size_t k = 0; k < 6; k++)
        body += "L" + std::to_string(lines.size() + k) + ":\tnop\n";
    fs::path work = fs::path(host_path(TEST_TMP_DIR)) / "as31";
    fs::remove_all(work);
    fs::create_directories(work);
    { std::ofstream(work / "x.s51", std::ios::binary) << "  .segment code,org 0\n" << body; }
    { std::ofstream(work / "x.asm", std::ios::binary) << "  .org 0\n" << body; }

    fs::path old = fs::current_path();
    ASSERT_EQ(chdir(work.c_str()), 0);
    setenv("SOURCE_DATE_EPOCH", "0", 1);
    int code = -1;
    ASSERT_EQ(os_run({MORRIN_PATH, "-e", "-ga", "x.s51"}, &code), OS_RUN_OK);
    EXPECT_EQ(code, 0) << read_file((work / "error.out").string());
    int code31 = -1;
    ASSERT_EQ(os_run({AS31, "-Fbyte", "-Ox.out", "x.asm"}, &code31), OS_RUN_OK);
    EXPECT_EQ(code31, 0);
    ASSERT_EQ(chdir(old.c_str()), 0);

    // Our bytes, with the linker's part done for constant targets.
    std::istringstream obj(read_file((work / "x.obj").string()));
    std::vector<int> bytes;
    std::map<int, std::string> line_at;
    std::string line;
    bool content = false;
    while (std::getline(obj, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("segment:", 0) == 0) {
            content = true;
            continue;
        }
        if (content && !line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) && line[2] != ':') {
            std::istringstream in(line);
            std::string b;
            while (in >> b)
                bytes.push_back(std::stoi(b, nullptr, 16));
            continue;
        }
        content = false;
        if (line.rfind("ref ", 0) == 0) {
            std::istringstream fields(line);
            std::vector<std::string> f;
            std::string w;
            while (fields >> w)
                f.push_back(w);
            ASSERT_EQ(f.size(), 5u) << "not a single token: " << line;
            unsigned long off = std::stoul(f[3].substr(f[3].find(':') + 1), nullptr, 16);
            const std::string& kind = f[1];
            const char* tok = f[4].c_str();
            long target;
            unsigned long toff;
            if (std::sscanf(tok, "@0:%lx", &toff) == 1)
                target = static_cast<long>(toff);
            else
                target = std::atol(tok);
            const std::string& k = kind;
            if (k == "rbyte") {
                long d = target - static_cast<long>(off + 1);
                ASSERT_TRUE(d >= -128 && d <= 127) << line;
                bytes[off] = static_cast<int>(d & 0xFF);
            } else if (k == "ajmp" || k == "acall") {
                ASSERT_EQ((off + 2) & 0xF800, static_cast<unsigned long>(target) & 0xF800) << line;
                bytes[off] = static_cast<int>(((target >> 3) & 0xE0) | (k == "ajmp" ? 0x01 : 0x11));
                bytes[off + 1] = static_cast<int>(target & 0xFF);
            } else {
                ADD_FAILURE() << "unexpected relocation " << line;
            }
        } else if (line.rfind("dco @0:", 0) == 0) {
            unsigned long off;
            std::sscanf(line.c_str(), "dco @0:%lx", &off);
            line_at[static_cast<int>(off)] = line.substr(line.find(' ', line.find(" u:") + 1) + 1);
        }
    }
    // as31's bytes: "ADDR: BB" per line.
    std::istringstream out31(read_file((work / "x.out").string()));
    std::vector<int> bytes31;
    while (std::getline(out31, line)) {
        unsigned a, b;
        if (std::sscanf(line.c_str(), "%x: %x", &a, &b) == 2) {
            if (bytes31.size() <= a)
                bytes31.resize(a + 1, -1);
            bytes31[a] = static_cast<int>(b);
        }
    }
    ASSERT_EQ(bytes.size(), bytes31.size());
    int mismatches = 0;
    std::string current;
    for (size_t i = 0; i < bytes.size() && mismatches < 20; i++) {
        auto it = line_at.upper_bound(static_cast<int>(i));
        if (it != line_at.begin())
            current = std::prev(it)->second;
        if (bytes[i] != bytes31[i]) {
            ADD_FAILURE() << "offset " << i << " (" << current << "): morrin " << bytes[i] << ", as31 " << bytes31[i];
            mismatches++;
        }
    }
    std::printf("as31 cross-check: %zu instructions, %zu bytes compared\n", lines.size(), bytes.size());
#endif
}

} // namespace
