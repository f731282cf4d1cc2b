// Prints the times of the text core's heavy paths on a large source, each
// beside its goal and, for loading and saving, beside the same work done
// by the system's own tools in the same run:
//   editctl_bench [megabytes=50] [insertions=10000]
// It writes a generated assembler source into the working directory,
// loads it (beside "cat" reading the file), types one character and then
// more at random places (with undo records, as a document does), searches
// for a word that occurs once at the very end, saves the text (beside "dd"
// copying the file with fsync; both write through to the disk, and both
// count their best of three), undoes the
// last 400 steps and removes the files again.
#include <algorithm>
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

// Seconds a shell command takes, the best of three (-1 when it failed or
// there is no shell with the tool).
double command_seconds(const std::string& command)
{
#ifdef _WIN32
    (void)command;
    return -1;
#else
    double best = -1;
    for (int i = 0; i < 3; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            return -1;
        double t = seconds_since(t0);
        best = best < 0 ? t : std::min(best, t);
    }
    return best;
#endif
}

void print_peer(const char* name, double seconds, double own)
{
    if (seconds < 0)
        std::printf("          %-28s (not run)\n", name);
    else
        std::printf("          %-28s %8.3f s  (this core: %.2f times its time)\n", name, seconds, own / seconds);
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

    const double mb = static_cast<double>(source.size()) / 1e6;
    // The file is in the page cache for both readers: read once before.
    double cat = command_seconds("cat " + path + " > /dev/null");
    double load = -1;
    for (int i = 0; i < 3; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        if (!core.LoadFile(path.c_str())) {
            std::fprintf(stderr, "editctl_bench: cannot load %s\n", path.c_str());
            return 1;
        }
        double t = seconds_since(t0);
        load = load < 0 ? t : std::min(load, t);
    }
    std::printf("load      %8.3f s  %zu bytes, %d lines, text %d bytes, %.0f MB/s  (goal: at least 1000 MB/s)\n", load,
                source.size(), core.GetLineCount(), core.GetTextLength(), mb / load);
    print_peer("cat file > /dev/null", cat, load);

    std::mt19937 random(51);
    auto t0 = std::chrono::steady_clock::now();
    core.SetSel(core.GetTextLength() / 3, core.GetTextLength() / 3, false, false);
    core.InsertChar('a', 0, true);
    double first = seconds_since(t0);
    std::printf("first key %8.3f ms  the first character typed after the load  (goal: under 1 ms)\n", first * 1e3);

    t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < insertions; ++i) {
        int at = static_cast<int>(random() % static_cast<unsigned>(core.GetTextLength() + 1));
        core.SetSel(at, at, false, false);
        core.InsertChar('a' + i % 26, 0, true);
    }
    double typing = seconds_since(t0);
    std::printf("insert    %8.3f s  %d characters at random places (%.1f us each; goal: under 5 us each)\n", typing,
                insertions, insertions ? typing * 1e6 / insertions : 0.0);

    t0 = std::chrono::steady_clock::now();
    int hit = core.FindText("the_very_last_label", kFindForward | kFindWholeWord, 0, -1, false);
    double find = seconds_since(t0);
    std::printf("find      %8.3f s  forward, either case, whole word: hit at %d of %d\n", find, hit,
                core.GetTextLength());

    t0 = std::chrono::steady_clock::now();
    hit = core.FindText("the_very_last_label", kFindMatchCase, core.GetTextLength(), 0, false);
    find = seconds_since(t0);
    std::printf("find back %8.3f s  backward from the end, match case: hit at %d\n", find, hit);

    double dd = command_seconds("dd if=" + path + " of=" + saved + " bs=1M conv=fsync status=none");
    // The best of three, as for dd.
    double save = -1;
    int ok = 1;
    for (int i = 0; i < 3 && ok; ++i) {
        t0 = std::chrono::steady_clock::now();
        ok = core.SaveFile(saved.c_str(), false, false, false);
        double t = seconds_since(t0);
        save = save < 0 ? t : std::min(save, t);
    }
    std::printf("save      %8.3f s  %s, through a temporary and fsync  (goal: within 1.5 times dd's time)\n", save,
                ok ? "CR LF line ends" : "failed");
    print_peer("dd bs=1M conv=fsync", dd, save);

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
