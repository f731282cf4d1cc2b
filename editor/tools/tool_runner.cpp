#include "editor/tools/tool_runner.h"

#include "editor/tools/line_ends.h"
#include "winui/msgbox.h"

#include <cstdio>
#include <memory>
#include <vector>

const char kCanceledCaptured[] = "\r\rExecution canceled by the operator.\r";
const char kCanceledRedirected[] = "\r\rExecution canceled by the user.\r";

namespace {

const DWORD kPipeSize = 10000;
const DWORD kChunkSize = 9999;
// After the program has ended, programs it started may still hold the
// output pipe open; when nothing comes for this long the run ends anyway.
const DWORD kIdleAfterExit = 2000;

std::string SystemReason(DWORD code)
{
    char text[512] = "";
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                        0, text, sizeof text, nullptr))
        std::snprintf(text, sizeof text, "System error %lu.", static_cast<unsigned long>(code));
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason;
}

void CloseHandleOnce(HANDLE& handle)
{
    if (handle && handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = nullptr;
}

void SendText(HWND pane, const char* text)
{
    if (pane && IsWindow(pane))
        SendMessageA(pane, WM_TOOL_OUTPUT, 0, reinterpret_cast<LPARAM>(text));
}

} // namespace

// What one run owns; handed to the worker.
struct CToolRunner::Run {
    HWND pane = nullptr;
    HWND mainWindow = nullptr;
    HANDLE process = nullptr;
    HANDLE job = nullptr;      // the program and the programs it starts
    HANDLE output = nullptr;   // read end of the output pipe (overlapped)
    HANDLE childOut = nullptr; // the program's ends, closed once it runs
    HANDLE childErr = nullptr;
    HANDLE childIn = nullptr;
    HANDLE input = nullptr;    // write end of the input pipe

    ~Run()
    {
        HANDLE* handles[] = {&process, &job, &output, &childOut, &childErr, &childIn, &input};
        for (HANDLE* h : handles)
            CloseHandleOnce(*h);
    }
};

CToolRunner::CToolRunner() { stopEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr); }

CToolRunner::~CToolRunner()
{
    Cancel();
    Wait(INFINITE);
    CloseHandleOnce(stopEvent_);
}

void CToolRunner::ReportStartError(HWND owner, const std::string& program, DWORD code)
{
    std::string text = "Error at application start\n\n" + SystemReason(code);
    winui::ShowMessageBox(owner, text.c_str(), program.c_str(), MB_OK | MB_ICONSTOP);
}

std::string CToolRunner::RedirectFilePath()
{
    char dir[MAX_PATH + 1] = "";
    DWORD n = GetTempPathA(sizeof dir, dir);
    if (n == 0 || n > MAX_PATH)
        dir[0] = 0;
    return std::string(dir) + "_stdout.txt";
}

bool CToolRunner::Start(Mode mode, const std::string& program, const std::string& commandLine,
                        const std::string& startDir, HWND pane, HWND mainWindow)
{
    if (running_ || !Wait(0))
        return false;
    auto run = std::make_shared<Run>();
    run->pane = pane;
    run->mainWindow = mainWindow;
    ResetEvent(stopEvent_);
    bool started = mode == Mode::kCapture ? StartCapture(*run, commandLine, startDir)
                                          : StartRedirect(*run, commandLine, startDir);
    if (!started) {
        ReportStartError(mainWindow, program, GetLastError());
        return false;
    }
    running_ = true;
    bool launched = worker_.Start([this, run, mode](winui::CWorkerThread&) {
        if (mode == Mode::kCapture)
            CaptureWork(*run);
        else
            RedirectWork(*run);
        Finish(*run);
    });
    if (!launched) {
        EndChild(*run);
        CloseInput();
        running_ = false;
        return false;
    }
    SetThreadPriority(worker_.Handle(), THREAD_PRIORITY_LOWEST);
    return true;
}

bool CToolRunner::CreateChild(Run& run, const std::string& commandLine,
                              const std::string& startDir, STARTUPINFOA& startup)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    PROCESS_INFORMATION pi{};
    // Started suspended so that it is in the job before it can start others.
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                        CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED,
                        nullptr, startDir.empty() ? nullptr : startDir.c_str(), &startup, &pi))
        return false;
    run.job = CreateJobObjectA(nullptr, nullptr);
    if (run.job && !AssignProcessToJobObject(run.job, pi.hProcess))
        CloseHandleOnce(run.job);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    run.process = pi.hProcess;
    return true;
}

bool CToolRunner::StartCapture(Run& run, const std::string& commandLine,
                               const std::string& startDir)
{
    static std::atomic<unsigned> serial{0};
    char name[96];
    std::snprintf(name, sizeof name, "\\\\.\\pipe\\suite51-tool-%lu-%u",
                  static_cast<unsigned long>(GetCurrentProcessId()), ++serial);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};

    // Output: a named pipe whose read end (ours) waits overlapped, so that
    // the worker can wait on it together with the stop event.
    run.output = CreateNamedPipeA(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED |
                                            FILE_FLAG_FIRST_PIPE_INSTANCE,
                                  PIPE_TYPE_BYTE | PIPE_WAIT, 1, kPipeSize, kPipeSize, 0, nullptr);
    if (run.output == INVALID_HANDLE_VALUE) {
        run.output = nullptr;
        return false;
    }
    run.childOut = CreateFileA(name, GENERIC_WRITE, 0, &inherit, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (run.childOut == INVALID_HANDLE_VALUE) {
        run.childOut = nullptr;
        return false;
    }
    if (!DuplicateHandle(GetCurrentProcess(), run.childOut, GetCurrentProcess(), &run.childErr, 0,
                         TRUE, DUPLICATE_SAME_ACCESS))
        return false;
    // Input: an anonymous pipe; our write end is not inherited.
    if (!CreatePipe(&run.childIn, &run.input, &inherit, kPipeSize))
        return false;
    SetHandleInformation(run.input, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = run.childIn;
    startup.hStdOutput = run.childOut;
    startup.hStdError = run.childErr;
    if (!CreateChild(run, commandLine, startDir, startup)) {
        DWORD code = GetLastError();
        CloseHandleOnce(run.childIn);
        CloseHandleOnce(run.childOut);
        CloseHandleOnce(run.childErr);
        SetLastError(code);
        return false;
    }
    // Only the program holds its ends now: the pipe breaks when it (and
    // whatever it started) has ended.
    CloseHandleOnce(run.childIn);
    CloseHandleOnce(run.childOut);
    CloseHandleOnce(run.childErr);
    std::lock_guard<std::mutex> lock(inputLock_);
    input_ = run.input;
    run.input = nullptr;
    return true;
}

bool CToolRunner::StartRedirect(Run& run, const std::string& commandLine,
                                const std::string& startDir)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    std::string path = RedirectFilePath();
    run.childOut = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (run.childOut == INVALID_HANDLE_VALUE) {
        run.childOut = nullptr;
        return false;
    }
    if (!DuplicateHandle(GetCurrentProcess(), run.childOut, GetCurrentProcess(), &run.childErr, 0,
                         TRUE, DUPLICATE_SAME_ACCESS))
        return false;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = run.childOut;
    startup.hStdError = run.childErr;
    bool ok = CreateChild(run, commandLine, startDir, startup);
    DWORD code = GetLastError();
    CloseHandleOnce(run.childOut);
    CloseHandleOnce(run.childErr);
    SetLastError(code);
    return ok;
}

void CToolRunner::CaptureWork(Run& run)
{
    HANDLE readDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!readDone) {
        EndChild(run);
        return;
    }
    OVERLAPPED connect{};
    connect.hEvent = readDone;
    // The program's end is already connected; this only settles the state.
    if (!ConnectNamedPipe(run.output, &connect) && GetLastError() == ERROR_IO_PENDING) {
        CancelIo(run.output);
        DWORD ignored = 0;
        GetOverlappedResult(run.output, &connect, &ignored, TRUE);
    }

    std::vector<char> buffer(kPipeSize + 1);
    CLineEndConverter lineEnds;
    bool exited = false;
    bool canceled = false;
    for (;;) {
        OVERLAPPED ov{};
        ov.hEvent = readDone;
        ResetEvent(readDone);
        if (!ReadFile(run.output, buffer.data(), kChunkSize, nullptr, &ov) &&
            GetLastError() != ERROR_IO_PENDING)
            break; // the pipe is broken: every writer has ended
        HANDLE waits[3] = {readDone, stopEvent_, run.process};
        DWORD count = exited ? 2 : 3;
        DWORD r = WaitForMultipleObjects(count, waits, FALSE, exited ? kIdleAfterExit : INFINITE);
        while (r == WAIT_OBJECT_0 + 2) {
            exited = true;
            r = WaitForMultipleObjects(2, waits, FALSE, kIdleAfterExit);
        }
        DWORD got = 0;
        if (r != WAIT_OBJECT_0) {
            // Stop asked for, or the pipe stays silent after the program's
            // end: the pending read is taken back before the buffer goes.
            CancelIo(run.output);
            GetOverlappedResult(run.output, &ov, &got, TRUE);
            canceled = r == WAIT_OBJECT_0 + 1;
            break;
        }
        if (!GetOverlappedResult(run.output, &ov, &got, FALSE))
            break; // end of the pipe
        size_t size = lineEnds.Convert(buffer.data(), got);
        if (size == 0)
            continue;
        buffer[size] = 0;
        SendText(run.pane, buffer.data());
    }
    CloseHandle(readDone);
    if (canceled) {
        EndChild(run);
        SendText(run.pane, kCanceledCaptured);
    } else {
        WaitForSingleObject(run.process, 1000);
    }
}

void CToolRunner::RedirectWork(Run& run)
{
    HANDLE waits[2] = {run.process, stopEvent_};
    DWORD r = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (r == WAIT_OBJECT_0 + 1) {
        EndChild(run);
        SendText(run.pane, kCanceledRedirected);
    }
    WaitForSingleObject(run.process, 1000);
}

void CToolRunner::EndChild(Run& run)
{
    if (run.job)
        TerminateJobObject(run.job, 0);
    if (run.process)
        TerminateProcess(run.process, 0);
}

void CToolRunner::CloseInput()
{
    std::lock_guard<std::mutex> lock(inputLock_);
    CloseHandleOnce(input_);
}

void CToolRunner::Finish(Run& run)
{
    bool redirected = run.output == nullptr;
    CloseInput();
    CloseHandleOnce(run.output);
    CloseHandleOnce(run.process);
    CloseHandleOnce(run.job);
    running_ = false;
    if (run.mainWindow && IsWindow(run.mainWindow))
        SendMessageA(run.mainWindow, WM_TOOL_FINISHED, 0, 0);
    if (run.pane && IsWindow(run.pane)) {
        if (redirected)
            SendMessageA(run.pane, WM_TOOL_LOADREDIRECT, 0, 0);
        InvalidateRect(run.pane, nullptr, TRUE);
    }
}

void CToolRunner::Cancel()
{
    if (running_ && stopEvent_)
        SetEvent(stopEvent_);
}

bool CToolRunner::SendKey(unsigned char c)
{
    if (!running_)
        return false;
    std::lock_guard<std::mutex> lock(inputLock_);
    if (!input_)
        return false;
    char byte = c == '\r' ? '\n' : static_cast<char>(c);
    DWORD written = 0;
    return WriteFile(input_, &byte, 1, &written, nullptr) && written == 1;
}

bool CToolRunner::Wait(DWORD timeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        HANDLE thread = worker_.Handle();
        if (!thread)
            return true;
        DWORD elapsed = GetTickCount() - start;
        DWORD left = timeout == INFINITE ? INFINITE : (elapsed >= timeout ? 0 : timeout - elapsed);
        DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0)
            return worker_.Join(0);
        if (r != WAIT_OBJECT_0 + 1)
            return false; // timed out
        // Messages the worker sends are handled by looking at the queue.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
