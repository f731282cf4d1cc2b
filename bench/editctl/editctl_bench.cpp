// Prints the times of the text core's heavy paths on a large source, each
// beside its goal:
//   editctl_bench [megabytes=50] [insertions=10000]
// It writes a generated assembler source beside the working directory,
// loads it, types characters at random places (with undo records, as a
// document does), searches for a word that occurs once at the very end,
// saves the text, undoes the last 400 steps and removes the files again.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "editor/editctl/edit_core.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Lines of an 8051 source, with tabs as such sources have them.
std::string make_source(size_t bytes)
{
    static const char* const lines[] = {
        "\tmov\ta, #0x%02X\t; load the counter\n",
        "loop%u:\tdjnz\tr%u, loop%u\n",
        "\tmovx\t@dptr, a\n",
        "\tlcall\tsend_byte_%u\t; next byte to the port\n",
        "; ---- block %u ----\n",
        "\tinc\tdptr\n",
    };
    std::string text;
    text.reserve(bytes + 128);
    char line[128];
    unsigned n = 0;
    while (text.size() < bytes) {
        const char* f = lines[n % 6];
        std::snprintf(line, sizeof line, f, n & 0xFF, n % 8, n);
        text += line;
        ++n;
    }
    text += "\tljmp\tthe_very_last_label\n";
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50;
    int insertions = argc > 2 ? std::atoi(argv[2]) : 10000;
    const std::string path = "editctl_bench_source.asm";
    const std::string saved = "editctl_bench_saved.asm";

    std::string source = make_source(megabytes * 1000000);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(source.data(), 1, source.size(), f) != source.size()) {
        std::fprintf(stderr, "editctl_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    std::fclose(f);

    CUndoList undo;
    CTextState state;
    state.hasModified = true;
    state.undo = &undo;
    CColorEditCore core;
    core.AttachState(&state);
    core.m_nVisibleLines = 40;

    auto t0 = std::chrono::steady_clock::now();
    if (!core.LoadFile(path.c_str())) {
        std::fprintf(stderr, "editctl_bench: cannot load %s\n", path.c_str());
        return 1;
    }
    double load = seconds_since(t0);
    std::printf("load      %8.3f s  %zu bytes, %d lines, text %d bytes  (goal for 50 MB: under 0.5 s)\n", load,
                source.size(), core.GetLineCount(), core.GetTextLength());

    std::mt19937 random(51);
    t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < insertions; ++i) {
        int at = static_cast<int>(random() % static_cast<unsigned>(core.GetTextLength() + 1));
        core.SetSel(at, at, false, false);
        core.InsertChar('a' + i % 26, 0, true);
    }
    double typing = seconds_since(t0);
    std::printf("insert    %8.3f s  %d characters at random places (%.1f us each; goal: under 20 us each)\n",
                typing, insertions, insertions ? typing * 1e6 / insertions : 0.0);

    t0 = std::chrono::steady_clock::now();
    int hit = core.FindText("the_very_last_label", kFindForward | kFindWholeWord, 0, -1, false);
    double find = seconds_since(t0);
    std::printf("find      %8.3f s  forward, either case, whole word: hit at %d of %d\n", find, hit,
                core.GetTextLength());

    t0 = std::chrono::steady_clock::now();
    hit = core.FindText("the_very_last_label", kFindMatchCase, core.GetTextLength(), 0, false);
    find = seconds_since(t0);
    std::printf("find back %8.3f s  backward from the end, match case: hit at %d\n", find, hit);

    t0 = std::chrono::steady_clock::now();
    int ok = core.SaveFile(saved.c_str(), false, false, false);
    double save = seconds_since(t0);
    std::printf("save      %8.3f s  %s  (goal for 50 MB: under 0.4 s)\n", save, ok ? "CR LF line ends" : "failed");

    t0 = std::chrono::steady_clock::now();
    int undone = 0;
    while (core.Undo())
        ++undone;
    double undoTime = seconds_since(t0);
    std::printf("undo      %8.3f s  %d steps  (goal for 400 steps: under 0.020 s)\n", undoTime, undone);

    std::remove(path.c_str());
    std::remove(saved.c_str());
    return 0;
}
