// Test fixture for the assembler library: a clean run per test, messages
// collected in a string, fatal ends turned into an exception.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace morrin {

struct asm_exit_exception {
    int code;
};

class AsmTest : public ::testing::Test {
protected:
    std::string messages;

    void SetUp() override;
    void TearDown() override;

    // Assembles text as the source file "prog.s51" (other files can be
    // served with sources_add_virtual_file). Returns the fatal exit code, or
    // 0 when the run went through.
    int assemble(const std::string& text, const char* name = "prog.s51");
    // One statement in an already selected segment: "  .segment code" is
    // put in front.
    int assemble_in_code(const std::string& text);
    // End-of-pass checks and the object text with a fixed time.
    std::string object(const char* obj_name = "prog.obj");
    // Content bytes of a segment.
    std::vector<uint8_t> bytes(int32_t seg_number = 0);
    std::string hex_bytes(int32_t seg_number = 0);
};

std::string hex_of(const std::vector<uint8_t>& b);

} // namespace morrin
