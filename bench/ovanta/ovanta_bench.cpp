// Opens a large source in ovanta.exe (beside this program) and prints how
// long the program took until the file's editor took a typed key, beside
// the time the text core alone takes to load the same file in this process
// and the program's start with a file of one line. Run under Wine:
//     wine build/windows/bin/ovanta_bench.exe [megabytes=50]
// The source has lines of 50 bytes (a million lines for 50 MB).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/editctl/edit_core.h"
#include "program_session.h"

namespace {

// Assembler lines of 50 bytes with their CR LF, tabs as such sources have.
std::string MakeSource(size_t bytes)
{
    std::string text;
    text.reserve(bytes + 64);
    char line[64];
    for (unsigned n = 0; text.size() < bytes; ++n) {
        std::snprintf(line, sizeof line, "\tmov\ta, #0x%02X\t; line %-26u\r\n", n & 0xFF, n);
        text += line;
    }
    return text;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

HWND ChildTitled(HWND frame, const std::string& title)
{
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    for (HWND w = client ? GetWindow(client, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindow(w, GW_OWNER) == nullptr && WindowTextOf(w) == title)
            return w;
    return nullptr;
}

HWND EditorOf(HWND child)
{
    const UINT paneId = 0xE900, editorId = 0x1113;
    return GetDlgItem(GetDlgItem(child, paneId), editorId);
}

// Milliseconds a typed key and the repaint it causes take, on average, at
// the caret (at the text's start after the load).
double KeyAndPaint(HWND editor)
{
    const int keys = 20;
    UpdateWindow(editor);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < keys; ++i) {
        SendMessageA(editor, WM_CHAR, 'k', 1);
        UpdateWindow(editor);
    }
    return SecondsSince(start) * 1e3 / keys;
}

// Starts the program on the file; the seconds until its document window
// shows the file and its editor has taken a key (the title gains its
// modified mark), or -1. With top, the milliseconds of a key and its
// repaint at the text's start go there.
double OpenUntilEditable(const std::string& exe, const std::string& dir, const std::string& name,
                         double* top = nullptr)
{
    // Closing asks whether to save the change: the answer is No.
    std::string script = dir + "\\answers.txt";
    write_file(script, "box no\nbox no\n");
    ProgramSession session;
    session.SetScript(script, "");
    auto start = std::chrono::steady_clock::now();
    if (!session.Start(exe, "\"" + name + "\"", dir, SW_SHOWNORMAL) ||
        !session.WaitForMainWindow("winui.Frame", 600000))
        return -1;
    double result = -1;
    while (SecondsSince(start) < 600) {
        HWND child = ChildTitled(session.MainWindow(), name);
        HWND editor = child ? EditorOf(child) : nullptr;
        if (editor) {
            // Answered only once the load is over and the window is idle.
            SendMessageA(editor, WM_CHAR, 'x', 1);
            if (WindowTextOf(child) == name + " *") {
                result = SecondsSince(start);
                if (top)
                    *top = KeyAndPaint(editor);
                break;
            }
        }
        Sleep(5);
    }
    session.Close();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    long megabytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 50;
    if (megabytes <= 0) {
        std::fprintf(stderr, "usage: ovanta_bench [megabytes]\n");
        return 2;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + "ovanta_bench";
    make_dirs(dir);
    std::string exe = dir + "\\ovanta.exe";
    if (!copy_file_to(BesideThisProgram("ovanta.exe"), exe)) {
        std::fprintf(stderr, "ovanta_bench: ovanta.exe not found beside this program\n");
        return 1;
    }
    const std::string large = "large.asm", small = "small.asm";
    std::string text = MakeSource(static_cast<size_t>(megabytes) * 1000000);
    if (!write_file(dir + "\\" + large, text) || !write_file(dir + "\\" + small, "\tnop\r\n")) {
        std::fprintf(stderr, "ovanta_bench: cannot write into %s\n", dir.c_str());
        return 1;
    }

    // The core alone, as the program's document loads it (file in the cache).
    CTextState state;
    CColorEditCore core;
    core.AttachState(&state);
    auto t0 = std::chrono::steady_clock::now();
    int loaded = core.LoadFile((dir + "\\" + large).c_str());
    double coreLoad = SecondsSince(t0);
    int lines = core.GetLineCount();
    state.FreeBuffers();

    // The first start under a fresh Wine server is slower: it is not counted.
    OpenUntilEditable(exe, dir, small);
    double smallTop = -1;
    double startOnly = OpenUntilEditable(exe, dir, small, &smallTop);
    double top = -1;
    double program = OpenUntilEditable(exe, dir, large, &top);
    DeleteFileA((dir + "\\" + large).c_str());

    std::printf("ovanta: %ld MB source, %zu bytes in %d lines\n", megabytes, text.size(), lines);
    std::printf("  text core's load in this process  %7.3f s%s\n", coreLoad, loaded ? "" : " (failed)");
    std::printf("  ovanta.exe with a one-line file   %7.3f s to an editor that took a key\n", startOnly);
    std::printf("  ovanta.exe with the large file    %7.3f s to an editor that took a key  (goal for 50 MB: under 1.5 s)\n",
                program);
    std::printf("  a key and its repaint at the start   %6.2f ms  (in the one-line file %.2f ms: the rest is the "
                "window's own work)\n",
                top, smallTop);
    return loaded && program >= 0 ? 0 : 1;
}
