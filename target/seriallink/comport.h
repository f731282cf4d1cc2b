// The serial port layer: one port at a time, a reader thread that hands
// every received byte (or -1 after a 50 ms read time-out) to a byte sink,
// single-byte output, BREAK and the reset pulse on the modem lines.
//
// The byte-level calls go to the device that is attached: the Win32 COM
// port (OpenCom, Windows build only) or any other byte stream, such as the
// in-memory line of the tests. The reader loop is the same for all.
#pragma once

typedef void (*ComSink)(int b);

// One byte stream. get returns a byte (0..255) or -1 when none came within
// the read time-out.
struct ComDevice {
    void (*put)(int b);
    int (*get)(void);
    void (*hold_break)(int ms);
    void (*reset_pulse)(void);
};

void ComPut(int b);
int ComGet(void);
void ComBreak(int ms);
void ComResetPulse(void);

// Attaches a device and sets the byte sink (the reader thread is started by
// the caller, which then runs com_reader_loop on it).
void com_attach(const ComDevice* device, ComSink sink);
// The reader thread's body: until com_stop_reader, b := ComGet, sink(b).
void com_reader_loop(void);
// Tells the reader to stop and waits (in steps of 1 ms) until it has left
// its loop; no byte reaches the sink afterwards. Nothing when none runs.
void com_stop_reader(void);
// Marks the reader as about to run (before its thread starts).
void com_start_reader(void);

// Whether OpenCom and the internal reset pulse the modem lines (1, the
// download tool) or leave them alone (0, the debugger).
extern int com_reset_lines;

#ifdef _WIN32
// Opens "COM<port>" at the baud rate (8 data bits, no parity, 1 stop bit)
// and starts the reader thread. Every failure is fatal. A port that takes
// the rate but runs at another one is reported (not fatal).
void OpenCom(int port, long baud, ComSink sink);
// Stops the reader and closes the port; the exit hook. Nothing when closed.
void ExitCom(void);
void ComTimeout(int ms);
// 1 after a read or write on the port failed (reported once); OpenCom
// connects again.
int com_disconnected(void);
unsigned __stdcall ComThread(void* unused);
#endif

// A baud rate the port layer accepts: a positive divisor of 115200.
int com_valid_baud(long baud);
