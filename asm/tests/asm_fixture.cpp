#include "asm/tests/asm_fixture.h"

#include "asm/datei.h"
#include "asm/driver.h"
#include "asm/listing.h"
#include "asm/messages.h"
#include "asm/mnemonic.h"
#include "asm/object_file.h"
#include "asm/segment.h"
#include "asm/sources.h"
#include "asm/symbol.h"

namespace morrin {

static void throw_exit(int code)
{
    throw asm_exit_exception{code};
}

void AsmTest::SetUp()
{
    asm_reset();
    messages.clear();
    asm_set_capture(&messages);
    diag_set_exit_hook(throw_exit);
    register_mnemonics();
    listing_snapshot();
}

void AsmTest::TearDown()
{
    asm_set_capture(nullptr);
    diag_set_exit_hook(nullptr);
    asm_reset();
}

int AsmTest::assemble(const std::string& text, const char* name)
{
    sources_add_virtual_file(name, text);
    try {
        assemble_file(name);
    } catch (const asm_exit_exception& e) {
        return e.code;
    }
    return 0;
}

int AsmTest::assemble_in_code(const std::string& text)
{
    return assemble("  .segment code\n" + text + "\n");
}

std::string AsmTest::object(const char* obj_name)
{
    try {
        end_of_pass_checks();
        return object_text(obj_name, "Mon Dec  7 23:05:00 2026\n");
    } catch (const asm_exit_exception& e) {
        return "exit " + std::to_string(e.code);
    }
}

std::vector<uint8_t> AsmTest::bytes(int32_t seg_number)
{
    std::vector<uint8_t> out;
    segment* seg = segment_by_number(seg_number);
    if (!seg || (seg->flags & SEG_NOTEXT))
        return out;
    for (int32_t i = 0; i < seg->used; i++)
        out.push_back(segment_byte_at(seg, i));
    return out;
}

std::string hex_of(const std::vector<uint8_t>& b)
{
    std::string s;
    char buf[4];
    for (size_t i = 0; i < b.size(); i++) {
        std::snprintf(buf, sizeof buf, "%s%02x", i ? " " : "", b[i]);
        s += buf;
    }
    return s;
}

std::string AsmTest::hex_bytes(int32_t seg_number)
{
    return hex_of(bytes(seg_number));
}

} // namespace morrin
