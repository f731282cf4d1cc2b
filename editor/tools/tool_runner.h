// CToolRunner: runs one tool program at a time as a separate process and
// hands its output to the "Output" pane.
//
// Captured: the program runs hidden with its standard input, output and
// error on pipes; a worker thread reads the output to the end of the pipe,
// turns every line end into one CR and sends each chunk (at most 9999
// bytes) to the pane; keys typed into the pane go to the program's standard
// input while it runs. Redirected: standard output and error go to the file
// "_stdout.txt" in the temporary folder, shown visible; when the program
// ends the pane is told to load the file.
//
// The process is started on the calling (user-interface) thread, so that a
// program that cannot be started is reported at once, in a message box with
// the system's reason. The worker waits on the pipe, the process and a stop
// event; it never polls. Cancel asks the worker to stop; the worker ends the
// program (and the programs it started) and writes the cancel line.
//
// Messages, all sent (SendMessage) by the worker, so the worker waits until
// the user-interface thread has handled them:
//   WM_TOOL_OUTPUT      0x4CE  pane         0, NUL-terminated chunk
//   WM_TOOL_LOADREDIRECT 0x4CF pane         0, 0: load "_stdout.txt"
//   WM_TOOL_FINISHED    0x41C  main window  0, 0: the run has ended
#pragma once

#include "editor/syntax/window/frame_messages.h"

#include "winui/worker.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

const UINT WM_TOOL_OUTPUT = 0x4CE;
const UINT WM_TOOL_LOADREDIRECT = 0x4CF;
// WM_TOOL_FINISHED and WM_START_TOOL (the tools bar and the "Start Tool"
// menu to the main window) are in frame_messages.h.

extern const char kCanceledCaptured[];   // "\r\rExecution canceled by the operator.\r"
extern const char kCanceledRedirected[]; // "\r\rExecution canceled by the user.\r"

class CToolRunner {
public:
    enum class Mode { kCapture, kRedirect };

    CToolRunner();
    // A run still under way is cancelled and waited for.
    ~CToolRunner();
    CToolRunner(const CToolRunner&) = delete;
    CToolRunner& operator=(const CToolRunner&) = delete;

    // Starts the command line (program path, a blank, the parameters) in the
    // start folder (empty: the current folder). The output goes to pane, the
    // end of the run is told to mainWindow (either may be null). False when a
    // run is under way, or when the program could not be started: that is
    // shown in a message box ("Error at application start", the system's
    // reason; the program as caption) owned by mainWindow.
    bool Start(Mode mode, const std::string& program, const std::string& commandLine,
               const std::string& startDir, HWND pane, HWND mainWindow);

    // The tool-running flag: set from Start until the worker has ended the run.
    bool IsRunning() const { return running_; }

    // Asks the worker to stop; it ends the program and reports the cancel in
    // the pane. Returns at once.
    void Cancel();

    // A key typed into the pane: written to the program's standard input
    // (CR as LF) while a captured run is under way; false otherwise, also
    // when the program no longer reads (the key goes nowhere, silently).
    bool SendKey(unsigned char c);

    // Waits at most timeout ms for the worker to end, handling the messages
    // it sends meanwhile. True when no worker runs any more.
    bool Wait(DWORD timeout);

    // "Error at application start" and the system's reason for code, in a
    // box with the program as its caption.
    static void ReportStartError(HWND owner, const std::string& program, DWORD code);

    // The path of "_stdout.txt" in the temporary folder.
    static std::string RedirectFilePath();

private:
    struct Run;
    bool StartCapture(Run& run, const std::string& commandLine, const std::string& startDir);
    bool StartRedirect(Run& run, const std::string& commandLine, const std::string& startDir);
    bool CreateChild(Run& run, const std::string& commandLine, const std::string& startDir,
                     STARTUPINFOA& startup);
    void CaptureWork(Run& run);
    void RedirectWork(Run& run);
    void EndChild(Run& run);
    void Finish(Run& run);
    void CloseInput();

    winui::CWorkerThread worker_;
    std::atomic<bool> running_{false};
    HANDLE stopEvent_ = nullptr;
    std::mutex inputLock_;
    HANDLE input_ = nullptr; // write end of the program's standard input
};
