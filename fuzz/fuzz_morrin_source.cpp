// Morrin's reader of assembler sources: the input is a source file,
// assembled with a listing and debug lines into an object file.
#include "asm/driver.h"
#include "fuzz/cli_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::WriteScratch("in.s51", std::string(reinterpret_cast<const char*>(data), size));
    morrin::asm_reset();
    const int code = fuzz::RunTool(morrin::morrin_main, {"morrin", "-s", "-g", path});
    // -1 ("expression too complicated") is the exit status 255.
    FUZZ_CHECK(code >= -1 && code <= 255);
    morrin::asm_reset();
    return 0;
}
