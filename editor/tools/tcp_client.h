// CTcpClient: the editor's TCP link on Windows Sockets 1.1. "Receive from
// port" connects to a server and lets a reader thread wait for one block of
// text, which it posts to the owner window (WM_TCP_DATA); "Sends to port"
// sends bytes to a server, connecting first. One socket at a time: a
// connection to the same peer is kept.
//
// The reader waits with select and a real time-out, ends when the peer
// closes (a receive of 0 bytes) or an error comes, and is stopped by
// shutting the socket down and joining the thread before the socket is
// closed: the socket is never closed under a reader that uses it.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "editor/syntax/window/frame_messages.h"

#include "winui/worker.h"

#include <atomic>
#include <string>

// Reader -> owner (posted): wParam the received bytes (a buffer the owner
// then owns: TakeTcpText frees it), lParam their count.
const UINT WM_TCP_DATA = WM_TCP_TEXT;

const int kTcpDefaultPort = 9000;
const int kTcpBlockSize = 5000;

// The port numbers a connection can use.
inline bool IsValidTcpPort(long port) { return port >= 1 && port <= 65535; }

class CTcpClient {
public:
    CTcpClient();  // starts Windows Sockets 1.1
    ~CTcpClient(); // stops the reader, closes the socket, ends Windows Sockets

    CTcpClient(const CTcpClient&) = delete;
    CTcpClient& operator=(const CTcpClient&) = delete;

    // 0 connected (or still connected to that peer), -1 unknown host, bad
    // port or no socket, or the failing connect call's result.
    int Connect(const char* host, int port);
    // 0 started, -2 a reader already waits, -1 no connection or no thread.
    int StartReading(const char* host, int port, HWND owner);
    // Bytes sent or -1; with a host, connects to it first.
    int Send(const void* bytes, int count, const char* host, int port);
    // Stops a reader, then closes the socket.
    void Close();
    // Stops a reader (shutdown, then join); the socket is closed as well.
    void StopReading();

    bool IsReading() const { return reading_; }
    bool IsConnected() const { return connected_; }

private:
    void JoinReader();

    SOCKET socket_ = INVALID_SOCKET;
    bool connected_ = false;
    std::atomic<bool> reading_{false};
    // The reader saw the peer close or an error: the connection is dead and
    // is made anew on the next use.
    std::atomic<bool> broken_{false};
    bool started_ = false;
    HWND owner_ = nullptr;
    winui::CWorkerThread reader_;
};

// The owner's side of WM_TCP_DATA: the received text, its buffer freed.
std::string TakeTcpText(WPARAM wParam, LPARAM lParam);

// The owner's side of WM_TCP_DATA at the main frame: the text goes to the
// clipboard as CF_TEXT, the buffer is freed. False when the clipboard could
// not be opened.
bool CopyTcpTextToClipboard(HWND owner, WPARAM wParam, LPARAM lParam);
