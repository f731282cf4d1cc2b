// Tessel's reader of text object files and libraries: the input is an
// object file, then a "%%" line and a library; both are linked with every
// output.
#include "fuzz/cli_run.h"
#include "linker/driver.h"
#include "linker/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string object, library;
    fuzz::SplitInput(std::string(reinterpret_cast<const char*>(data), size), object, library);
    const std::string obj = fuzz::WriteScratch("in.obj", object);
    const std::string lib = fuzz::WriteScratch("lib.lib", library);
    const std::string out = fuzz::ScratchFolder() + "/out.bin";
    const int code =
        fuzz::RunTool(tessel::tessel_main, {"tessel", "-s", "-m", "-d", "-c", "-o" + out, obj, "-l" + lib});
    FUZZ_CHECK(code >= 0 && code <= 255);
    tessel::messages_reset();
    return 0;
}
