#include "editor/tools/tcp_client.h"

#include "winui/clipboard.h"

#include <cstring>
#include <memory>

namespace {

// How long one wait of the reader lasts before it looks at its stop flag.
const long kReaderWaitMs = 200;

// The first IPv4 address of a host; "localhost" is resolved once more by the
// name its first look-up gave.
bool ResolveHost(const char* host, in_addr* address)
{
    if (!host || !*host)
        return false;
    hostent* entry = gethostbyname(host);
    if (entry && _stricmp(host, "localhost") == 0 && entry->h_name) {
        const std::string name = entry->h_name;
        if (hostent* again = gethostbyname(name.c_str()))
            entry = again;
    }
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0])
        return false;
    std::memcpy(address, entry->h_addr_list[0], sizeof *address);
    return true;
}

} // namespace

CTcpClient::CTcpClient()
{
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
}

CTcpClient::~CTcpClient()
{
    StopReading();
    WSACleanup();
}

int CTcpClient::Connect(const char* host, int port)
{
    if (!IsValidTcpPort(port))
        return -1;
    in_addr address;
    if (!ResolveHost(host, &address))
        return -1;
    if (socket_ != INVALID_SOCKET && broken_)
        Close();
    if (socket_ != INVALID_SOCKET) {
        sockaddr_in peer{};
        int length = sizeof peer;
        if (getpeername(socket_, reinterpret_cast<sockaddr*>(&peer), &length) == 0 &&
            peer.sin_port == htons(static_cast<u_short>(port)) && peer.sin_addr.s_addr == address.s_addr)
            return 0;
        Close();
    }
    socket_ = socket(AF_INET, SOCK_STREAM, 0);
    if (socket_ == INVALID_SOCKET)
        return -1;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<u_short>(port));
    target.sin_addr = address;
    const int result = connect(socket_, reinterpret_cast<sockaddr*>(&target), sizeof target);
    if (result != 0) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
        return result;
    }
    connected_ = true;
    return 0;
}

int CTcpClient::StartReading(const char* host, int port, HWND owner)
{
    if (reading_)
        return -2;
    JoinReader(); // a reader that ended by itself
    owner_ = owner;
    const int result = Connect(host, port);
    if (result != 0)
        return result;
    reading_ = true;
    const SOCKET s = socket_;
    std::atomic<bool>* reading = &reading_;
    std::atomic<bool>* broken = &broken_;
    const bool ok = reader_.Start([s, owner, reading, broken](winui::CWorkerThread& self) {
        while (!self.StopRequested()) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(s, &readable);
            timeval wait{0, kReaderWaitMs * 1000};
            const int ready = select(0, &readable, nullptr, nullptr, &wait);
            if (ready < 0) {
                *broken = true;
                break;
            }
            if (ready == 0)
                continue;
            std::unique_ptr<char[]> buffer(new char[kTcpBlockSize + 1]);
            const int n = recv(s, buffer.get(), kTcpBlockSize, 0);
            // 0: the peer closed (or the socket was shut down); <0: an error.
            // Either way no data will come: the reader ends.
            if (n <= 0)
                *broken = true;
            else if (!self.StopRequested()) {
                buffer[n] = '\0';
                if (winui::CWorkerThread::Post(owner, WM_TCP_DATA, reinterpret_cast<WPARAM>(buffer.get()), n))
                    buffer.release(); // the owner frees it
            }
            break;
        }
        *reading = false;
    });
    if (!ok) {
        reading_ = false;
        return -1;
    }
    started_ = true;
    SetThreadPriority(reader_.Handle(), THREAD_PRIORITY_LOWEST);
    return 0;
}

int CTcpClient::Send(const void* bytes, int count, const char* host, int port)
{
    if (host && Connect(host, port) != 0)
        return -1;
    if (socket_ == INVALID_SOCKET)
        return -1;
    const int sent = send(socket_, static_cast<const char*>(bytes), count, 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

void CTcpClient::JoinReader()
{
    if (!started_)
        return;
    reader_.RequestStop();
    // Wakes a reader that waits in select; it then reads 0 bytes and ends.
    if (socket_ != INVALID_SOCKET && reading_)
        shutdown(socket_, SD_BOTH);
    reader_.Join();
    started_ = false;
    reading_ = false;
}

void CTcpClient::Close()
{
    JoinReader();
    if (socket_ != INVALID_SOCKET)
        closesocket(socket_);
    socket_ = INVALID_SOCKET;
    connected_ = false;
    broken_ = false;
}

void CTcpClient::StopReading() { Close(); }

std::string TakeTcpText(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<char[]> buffer(reinterpret_cast<char*>(wParam));
    if (!buffer || lParam <= 0)
        return std::string();
    return std::string(buffer.get(), static_cast<size_t>(lParam));
}

bool CopyTcpTextToClipboard(HWND owner, WPARAM wParam, LPARAM lParam)
{
    const std::string text = TakeTcpText(wParam, lParam);
    winui::CClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        return false;
    clipboard.Empty();
    return clipboard.SetText(text);
}
