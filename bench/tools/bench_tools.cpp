// Throughput of captured tool output: the same program writes about 100 MB
// of lines (a) into the output pane, (b) into a window that only counts the
// chunks, (c) into "_stdout.txt". Prints seconds and MB/s for each.
//   bench_tools [megabytes] [child program]
#include "editor/tools/output_edit.h"
#include "editor/tools/tool_runner.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string HostPath(std::string p)
{
    if (!p.empty() && p[0] == '/')
        p = "Z:" + p;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

class CCounter : public winui::CWnd {
public:
    CCounter()
    {
        RegisterClass("BenchToolCounter");
        CreateEx(0, "BenchToolCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    }
    size_t bytes = 0;
    bool finished = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TOOL_OUTPUT) {
            bytes += std::strlen(reinterpret_cast<const char*>(lParam));
            return 0;
        }
        if (message == WM_TOOL_FINISHED) {
            finished = true;
            return 0;
        }
        return winui::CWnd::WindowProc(message, wParam, lParam);
    }
};

double RunOnce(CToolRunner::Mode mode, const std::string& child, long lines, HWND pane,
               CCounter& main)
{
    main.finished = false;
    std::string command = child + " lines " + std::to_string(lines);
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    CToolRunner runner;
    if (!runner.Start(mode, child, command, "", pane, main))
        return -1;
    while (!main.finished) {
        MSG msg;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0)
            break;
        DispatchMessageA(&msg);
    }
    runner.Wait(INFINITE);
    QueryPerformanceCounter(&b);
    return double(b.QuadPart - a.QuadPart) / f.QuadPart;
}

} // namespace

int main(int argc, char** argv)
{
    int megabytes = argc > 1 ? std::atoi(argv[1]) : 100;
    std::string child = HostPath(argc > 2 ? argv[2] : TOOLS_TEST_CHILD_PATH);
    const double lineBytes = 57.5; // average with the two line ends
    long lines = static_cast<long>(megabytes * 1048576.0 / lineBytes);
    double mb = lines * lineBytes / 1048576.0;

    CCounter main;
    COutputEdit pane;
    RECT r{0, 0, 600, 300};
    pane.Create("Ausgabe", WS_CHILD | WS_VSCROLL, r, main, 1);

    double file = RunOnce(CToolRunner::Mode::kRedirect, child, lines, main, main);
    double counted = RunOnce(CToolRunner::Mode::kCapture, child, lines, main, main);
    double shown = RunOnce(CToolRunner::Mode::kCapture, child, lines, pane, main);
    std::printf("output of %.0f MB (%ld lines)\n", mb, lines);
    std::printf("  into _stdout.txt       %7.2f s  %7.1f MB/s\n", file, mb / file);
    std::printf("  captured, counted      %7.2f s  %7.1f MB/s\n", counted, mb / counted);
    std::printf("  captured, output pane  %7.2f s  %7.1f MB/s  (%.1f x the file)\n", shown,
                mb / shown, shown / file);
    std::printf("  pane text %d bytes\n", pane.GetTextLength());
    return 0;
}
