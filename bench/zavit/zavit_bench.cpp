// Opens a large text file in zavit.exe (beside this program) and prints how
// long the program took to show it: from the process start until the edit
// window of the file holds the whole text. Run under Wine:
//     wine build/windows/bin/zavit_bench.exe [megabytes]
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "program_session.h"

namespace {

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

HWND FileEdit(HWND frame)
{
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    HWND child = client ? GetWindow(client, GW_CHILD) : nullptr;
    return child ? FindWindowExA(child, nullptr, RICHEDIT_CLASSA, nullptr) : nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    long megabytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 50;
    if (megabytes <= 0) {
        std::fprintf(stderr, "usage: zavit_bench [megabytes]\n");
        return 2;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + "zavit_bench";
    MakeFolders(dir);
    std::string exe = dir + "\\zavit.exe";
    std::string file = dir + "\\large.txt";
    if (!CopyOneFile(BesideThisProgram("zavit.exe"), exe)) {
        std::fprintf(stderr, "zavit_bench: zavit.exe not found beside this program\n");
        return 1;
    }
    std::string text = MakeText(static_cast<size_t>(megabytes) << 20);
    if (!WriteWholeFile(file, text)) {
        std::fprintf(stderr, "zavit_bench: cannot write %s\n", file.c_str());
        return 1;
    }
    // The rich edit counts a line end as one character.
    LRESULT expected = 0;
    for (char c : text)
        expected += c != '\n';

    ProgramSession session;
    DWORD start = GetTickCount();
    if (!session.Start(exe, "\"" + file + "\"", dir, SW_SHOWNORMAL) ||
        !session.WaitForMainWindow("ZavitFrame", 600000)) {
        std::fprintf(stderr, "zavit_bench: the program did not start\n");
        return 1;
    }
    DWORD shown = GetTickCount();
    LRESULT length = 0;
    for (;;) {
        HWND edit = FileEdit(session.MainWindow());
        GETTEXTLENGTHEX query = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
        length = edit ? SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0) : 0;
        if (length >= expected || GetTickCount() - start > 600000)
            break;
        Sleep(20);
    }
    DWORD loaded = GetTickCount();
    session.Close();
    DeleteFileA(file.c_str());

    std::printf("zavit: %ld MB text file (%zu bytes, %ld characters in the edit window)\n", megabytes,
                text.size(), static_cast<long>(length));
    std::printf("  main window shown after   %6lu ms\n", static_cast<unsigned long>(shown - start));
    std::printf("  whole text shown after    %6lu ms%s\n", static_cast<unsigned long>(loaded - start),
                length >= expected ? "" : " (not all of it: gave up after 10 minutes)");
    return length >= expected ? 0 : 1;
}
