// Opens a large text file in zavit.exe (beside this program) and in the
// system's notepad.exe, in turns, and prints how long each took from the
// process start until its window holds the whole text and answers a
// message again. Zavit's text is then checked to be exactly the file's.
// Run under Wine:
//     wine build/windows/bin/zavit_bench.exe [megabytes...] [-runs N]
// (default: 5 and 20 MB, three runs of each program; medians printed).
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "program_session.h"

namespace {

const DWORD give_up_ms = 600000;

// Lines of varied length, as source text is, until the size is reached.
std::string MakeText(size_t bytes)
{
    std::string text;
    text.reserve(bytes + 128);
    for (unsigned line = 0; text.size() < bytes; ++line) {
        text += "    mov a, #";
        text += std::to_string(line % 256);
        text.append(line % 40, ' ');
        text += "; line ";
        text += std::to_string(line);
        text += "\r\n";
    }
    return text;
}

HWND ZavitEdit(HWND frame)
{
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    HWND child = client ? GetWindow(client, GW_CHILD) : nullptr;
    return child ? FindWindowExA(child, nullptr, RICHEDIT_CLASSA, nullptr) : nullptr;
}

HWND NotepadEdit(HWND frame)
{
    return FindWindowExA(frame, nullptr, "Edit", nullptr);
}

// The text length with line ends counted as CR LF, as the file has them.
// (WM_GETTEXTLENGTH carries no pointer, so it is answered across processes
// as it is within one; EM_GETTEXTLENGTHEX is not.)
LRESULT TextLength(HWND edit)
{
    return SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
}

struct Program {
    const char* name;
    std::string exe;
    const char* frameClass;
    HWND (*edit)(HWND frame);
    LRESULT expected;
};

struct Run {
    bool ok = false;
    DWORD ms = 0;
    std::string text; // Zavit's window text, read after the clock stopped
};

// One start of a program on the file: the time until its edit window holds
// the whole text and its window answers at once.
Run TimeOne(const Program& p, const std::string& file, const std::string& dir, bool readText)
{
    Run run;
    ProgramSession session;
    DWORD start = GetTickCount();
    if (!session.Start(p.exe, "\"" + file + "\"", dir, SW_SHOWNORMAL) ||
        !session.WaitForMainWindow(p.frameClass, give_up_ms))
        return run;
    for (;;) {
        HWND edit = p.edit(session.MainWindow());
        LRESULT length = edit ? TextLength(edit) : 0;
        DWORD_PTR answer = 0;
        if (length >= p.expected &&
            SendMessageTimeoutA(session.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 20, &answer)) {
            run.ms = GetTickCount() - start;
            run.ok = length == p.expected;
            if (!run.ok)
                std::fprintf(stderr, "%s: %ld characters, %ld expected\n", p.name,
                             static_cast<long>(length), static_cast<long>(p.expected));
            if (readText)
                run.text = WindowTextOf(edit);
            break;
        }
        if (GetTickCount() - start > give_up_ms)
            break;
        Sleep(10);
    }
    session.Close();
    return run;
}

DWORD Median(std::vector<DWORD> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The rich edit's window text ends its lines in CR (older rich edits) or
// CR LF: both read as the file's CR LF.
std::string AsCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            out += '\n';
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<long> sizes;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-runs") == 0 && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
            continue;
        }
        long mb = std::strtol(argv[i], nullptr, 10);
        if (mb <= 0 || runs <= 0) {
            std::fprintf(stderr, "usage: zavit_bench [megabytes...] [-runs N]\n");
            return 2;
        }
        sizes.push_back(mb);
    }
    if (sizes.empty())
        sizes = {5, 20};
    if (runs <= 0)
        runs = 1;

    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + "zavit_bench";
    make_dirs(dir);
    std::string exe = dir + "\\zavit.exe";
    if (!copy_file_to(BesideThisProgram("zavit.exe"), exe)) {
        std::fprintf(stderr, "zavit_bench: zavit.exe not found beside this program\n");
        return 1;
    }
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    std::string notepad = std::string(system) + "\\notepad.exe";
    bool haveNotepad = GetFileAttributesA(notepad.c_str()) != INVALID_FILE_ATTRIBUTES;

    int status = 0;
    for (long megabytes : sizes) {
        std::string file = dir + "\\large.txt";
        std::string text = MakeText(static_cast<size_t>(megabytes) << 20);
        if (!write_file(file, text)) {
            std::fprintf(stderr, "zavit_bench: cannot write %s\n", file.c_str());
            return 1;
        }
        LRESULT lineEnds = std::count(text.begin(), text.end(), '\n');
        Program zavit{"zavit", exe, "ZavitFrame", ZavitEdit, static_cast<LRESULT>(text.size())};
        Program pad{"notepad", notepad, "Notepad", NotepadEdit, static_cast<LRESULT>(text.size())};
        std::vector<DWORD> zavitMs, padMs;
        bool exact = true, complete = true;
        // In turns, so that both see the same load of the machine.
        for (int r = 0; r < runs; ++r) {
            Run z = TimeOne(zavit, file, dir, r == 0);
            complete = complete && z.ok;
            zavitMs.push_back(z.ms);
            if (r == 0)
                exact = z.ok && AsCrLf(z.text) == text;
            if (haveNotepad) {
                Run n = TimeOne(pad, file, dir, false);
                padMs.push_back(n.ms);
            }
        }
        DeleteFileA(file.c_str());
        DWORD z = Median(zavitMs), n = Median(padMs);
        std::printf("%ld MB text file (%zu bytes, %ld lines), median of %d runs:\n", megabytes,
                    text.size(), static_cast<long>(lineEnds), runs);
        std::printf("  zavit   to an answering window with the whole text  %7lu ms\n",
                    static_cast<unsigned long>(z));
        if (haveNotepad)
            std::printf("  notepad to an answering window with the whole text  %7lu ms"
                        "   zavit/notepad %.2f\n",
                        static_cast<unsigned long>(n), n ? static_cast<double>(z) / n : 0.0);
        std::printf("  zavit's text %s\n", !complete ? "INCOMPLETE (gave up or wrong length)"
                                           : exact  ? "is exactly the file's"
                                                    : "DIFFERS from the file's");
        if (!complete || !exact)
            status = 1;
    }
    return status;
}
