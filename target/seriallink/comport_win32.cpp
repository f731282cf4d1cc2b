// The Win32 COM port: CreateFile on "COM<n>", fixed line settings, a read
// time-out of 50 ms and a reader thread that feeds the byte sink.
#include "target/seriallink/comport.h"

#include <windows.h>
#include <process.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "common/report_error.h"
#include "target/seriallink/ser_report.h"

static HANDLE port = INVALID_HANDLE_VALUE;
static bool opened_before = false;
static HANDLE reader = nullptr;
// Set when a read or write failed (the cable pulled, the adapter gone): the
// failure is reported once, and the port then counts as disconnected until
// it is opened again, instead of failing (and reporting) every 50 ms.
static std::atomic<int> line_failed{0};

int com_disconnected(void)
{
    return line_failed;
}

static void line_failure(const char* call)
{
    if (line_failed.exchange(1))
        return;
    ser_report(0, "%s (Code %ld)", call, static_cast<long>(GetLastError()));
}

static void win_put(int b)
{
    unsigned char byte = static_cast<unsigned char>(b);
    DWORD written = 0;
    if (line_failed)
        return;
    if (!WriteFile(port, &byte, 1, &written, nullptr))
        line_failure("WriteFile");
}

static int win_get(void)
{
    unsigned char byte = 0;
    DWORD got = 0;
    if (line_failed) {
        // A read time-out as the working port would give.
        Sleep(50);
        return -1;
    }
    if (!ReadFile(port, &byte, 1, &got, nullptr)) {
        line_failure("ReadFile");
        return -1;
    }
    return got == 1 ? byte : -1;
}

// A line that cannot hold a BREAK or drive the modem lines (a
// pseudo-terminal, for one) is used without them.
static void win_break(int ms)
{
    bool held = SetCommBreak(port) != 0;
    Sleep(static_cast<DWORD>(ms));
    if (held)
        ClearCommBreak(port);
}

static void win_reset_pulse(void)
{
    EscapeCommFunction(port, CLRRTS);
    EscapeCommFunction(port, CLRDTR);
    Sleep(3);
    EscapeCommFunction(port, SETDTR);
}

static const ComDevice win_device = {win_put, win_get, win_break, win_reset_pulse};

void ComTimeout(int ms)
{
    COMMTIMEOUTS t = {};
    t.ReadTotalTimeoutConstant = static_cast<DWORD>(ms);
    if (!SetCommTimeouts(port, &t))
        report_error(-1, "SetCommTimeouts");
}

unsigned __stdcall ComThread(void*)
{
    com_reader_loop();
    return 0;
}

void ExitCom(void)
{
    if (port == INVALID_HANDLE_VALUE)
        return;
    com_stop_reader();
    if (reader) {
        WaitForSingleObject(reader, INFINITE);
        CloseHandle(reader);
        reader = nullptr;
    }
    com_attach(nullptr, nullptr);
    CloseHandle(port);
    port = INVALID_HANDLE_VALUE;
}

void OpenCom(int number, long baud, ComSink sink)
{
    if (opened_before)
        ExitCom();
    if (number < 1 || number > 9)
        report_error(-1, "Invalid Port: COM%d:", number);
    if (!com_valid_baud(baud))
        report_error(-1, "Invalid Baudrate: %d Bd", static_cast<int>(baud));

    char name[16];
    std::snprintf(name, sizeof name, "COM%d", number);
    port = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        report_error(-1, "Port not available: COM%d", number);
    if (!SetupComm(port, 8192, 16))
        report_error(-1, "SetupComm");

    char settings[48];
    std::snprintf(settings, sizeof settings, "COM%d:%ld,n,8,1", number, baud);
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    if (!BuildCommDCBA(settings, &dcb))
        report_error(-1, "BuildCommDCB");
    if (!SetCommState(port, &dcb))
        report_error(-1, "SetCommState");
    // Some ports take a rate they cannot run at and run at another (a
    // pseudo-terminal takes 14400 and runs at 38400): the user is told.
    DCB actual = {};
    actual.DCBlength = sizeof actual;
    if (GetCommState(port, &actual) && actual.BaudRate != static_cast<DWORD>(baud))
        report_error(0, "COM%d: cannot run at %ld Bd, runs at %lu Bd", number, baud,
                     static_cast<unsigned long>(actual.BaudRate));
    ComTimeout(50);

    if (!opened_before) {
        if (std::atexit(ExitCom) != 0)
            report_error(-1, "Register ExitCom");
        opened_before = true;
    }
    line_failed = 0;
    com_attach(&win_device, sink);
    if (com_reset_lines)
        ComResetPulse();

    com_start_reader();
    reader = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 4096, ComThread, nullptr, 0, nullptr));
    if (!reader)
        report_error(-1, "_beginthreadex");
    SetThreadPriority(reader, THREAD_PRIORITY_HIGHEST);
}
