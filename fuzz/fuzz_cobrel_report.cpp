// Cobrel's readers: the make report lines that fill its model (the input,
// one line each), and its reader of text files as whole lines. The model
// read is then written as a makefile text.
#include "fuzz/fuzz_support.h"
#include "make/cobrel/make_model.h"
#include "make/cobrel/makefile_writer.h"
#include "make/cobrel/report_reader.h"
#include "make/cobrel/text_file.h"
#include "make/cobrel/wiz_messages.h"

namespace {
class QuietSink : public wiz_sink {
public:
    void show(wiz_level, const std::string&, const std::string&) override {}
    bool ask(const std::string&, const std::string&) override { return false; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string path = fuzz::WriteScratch("error.out", input);
    std::vector<std::string> lines;
    FUZZ_CHECK(read_text_lines(path, &lines));
    for (const std::string& line : lines)
        FUZZ_CHECK(line.find('\n') == std::string::npos);
    QuietSink sink;
    wiz_messages messages(sink);
    make_model model;
    reset_model(model);
    model.makefile_path = fuzz::ScratchFolder() + "/project.mak";
    const int errors = read_make_report_lines(model, lines, messages);
    FUZZ_CHECK(errors >= -1);
    FUZZ_CHECK(model.sources.size() <= max_sources);
    FUZZ_CHECK(model.comment_lines.size() <= max_comment_lines);
    (void)make_file_text(model);
    return 0;
}
