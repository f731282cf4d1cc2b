// Gravik's makefile reader: the input is a makefile, read with its
// comments kept (as the wizard's report needs) and without.
#include "fuzz/cli_run.h"
#include "make/gravik/makefile.h"
#include "make/gravik/report.h"

namespace {
int ReadMakefile(int argc, char** argv)
{
    gravik::read_makefile(argv[1], argv[2][0] == 'k');
    return 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::WriteScratch("in.mak", std::string(reinterpret_cast<const char*>(data), size));
    for (const char* keep : {"k", "-"}) {
        gravik::report_reset();
        gravik::makefile_reset();
        fuzz::RunTool(ReadMakefile, {"gravik", path, keep});
        for (gravik::file_node* n = gravik::first_file_node; n; n = n->next)
            (void)gravik::node_name(n);
    }
    gravik::makefile_reset();
    return 0;
}
