// The TCP link against a real peer on the loopback: a small server in the
// test accepts the client's connection and sends or receives.
#include "editor/tools/search_resource.h"
#include "editor/tools/tcp_client.h"
#include "editor/tools/tcp_link.h"

#include "winui/clipboard.h"
#include "winui/dialog_script.h"
#include "winui/msgbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace {

// A listening socket on the loopback and one thread that serves one client.
class TestServer {
public:
    TestServer()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listen_, 4);
        int length = sizeof address;
        getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~TestServer()
    {
        closesocket(listen_);
        if (thread_.joinable())
            thread_.join();
        WSACleanup();
    }
    int Port() const { return port_; }
    // Serves the next client with work(connection), then closes it.
    void Serve(std::function<void(SOCKET)> work)
    {
        thread_ = std::thread([this, work] {
            SOCKET client = accept(listen_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            ++accepted;
            work(client);
            closesocket(client);
        });
    }
    void Wait()
    {
        if (thread_.joinable())
            thread_.join();
    }
    std::atomic<int> accepted{0};

private:
    SOCKET listen_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
};

// Everything the client sends until it closes or stops sending for a while.
std::string ReceiveAll(SOCKET s, size_t expected)
{
    std::string all;
    char buffer[256];
    while (all.size() < expected) {
        const int n = recv(s, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        all.append(buffer, static_cast<size_t>(n));
    }
    return all;
}

// A window that keeps what arrives with WM_TCP_DATA.
struct Receiver {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_TCP_DATA) {
            auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            ++self->messages;
            self->count = static_cast<int>(lParam);
            if (self->link)
                return self->link->OnTcpData(hwnd, wParam, lParam);
            self->text = TakeTcpText(wParam, lParam);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    Receiver()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TcpTestReceiver";
        RegisterClassA(&wc);
        hwnd = CreateWindowA("TcpTestReceiver", "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { DestroyWindow(hwnd); }
    // Pumps messages until until() holds or ms have passed.
    bool PumpUntil(const std::function<bool()>& until, int ms = 5000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!until()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(5);
        }
        return true;
    }
    HWND hwnd = nullptr;
    int messages = 0;
    int count = 0;
    std::string text;
    CTcpLink* link = nullptr;
};

std::string ClipboardText(HWND owner)
{
    winui::CClipboard clipboard(owner);
    std::string text;
    clipboard.GetText(text);
    return text;
}

} // namespace

TEST(TcpClient, TextFromThePeerArrivesOnceAndReachesTheClipboard)
{
    TestServer server;
    server.Serve([](SOCKET s) {
        send(s, "hello\r\nworld", 12, 0);
        Sleep(300);
        send(s, "later", 5, 0); // a second piece never arrives
    });
    Receiver window;
    CTcpLink link;
    window.link = &link;
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_TCP_PORT, std::to_string(server.Port())).Press(IDOK));
    TcpLinkSettings settings;
    ASSERT_TRUE(link.ReceiveFromPort(window.hwnd, settings));
    EXPECT_EQ(settings.receivePort, server.Port());
    ASSERT_TRUE(window.PumpUntil([&] { return window.messages > 0; }));
    EXPECT_EQ(ClipboardText(window.hwnd), "hello\r\nworld");
    server.Wait();
    window.PumpUntil([] { return false; }, 200);
    EXPECT_EQ(window.messages, 1);
    EXPECT_FALSE(link.Client()->IsReading());
    link.Stop();
}

TEST(TcpClient, LargeBlockGivesTheFirst5000Bytes)
{
    TestServer server;
    const std::string big(6000, 'x');
    server.Serve([&big](SOCKET s) {
        send(s, big.data(), static_cast<int>(big.size()), 0);
        Sleep(200);
    });
    Receiver window;
    CTcpClient client;
    ASSERT_EQ(client.StartReading("localhost", server.Port(), window.hwnd), 0);
    ASSERT_TRUE(window.PumpUntil([&] { return window.messages > 0; }));
    EXPECT_GT(window.count, 0);
    EXPECT_LE(window.count, kTcpBlockSize);
    EXPECT_EQ(window.text, std::string(static_cast<size_t>(window.count), 'x'));
}

TEST(TcpClient, SendGoesToThePeerOverOneConnection)
{
    TestServer server;
    std::string received;
    server.Serve([&received](SOCKET s) { received = ReceiveAll(s, 8); });
    CTcpClient client;
    EXPECT_EQ(client.Send("sim\n", 4, "localhost", server.Port()), 4);
    EXPECT_EQ(client.Send("sim\n", 4, "localhost", server.Port()), 4);
    server.Wait();
    EXPECT_EQ(received, "sim\nsim\n");
    EXPECT_EQ(server.accepted, 1);

    CTcpClient unconnected;
    EXPECT_EQ(unconnected.Send("x", 1, nullptr, 0), -1);
}

TEST(TcpClient, PeerClosingEndsTheReader)
{
    TestServer server;
    server.Serve([](SOCKET) {});
    Receiver window;
    CTcpClient client;
    ASSERT_EQ(client.StartReading("localhost", server.Port(), window.hwnd), 0);
    EXPECT_TRUE(window.PumpUntil([&] { return !client.IsReading(); }));
    EXPECT_EQ(window.messages, 0);

    // The dead connection is not kept: the next receive connects anew.
    server.Wait();
    server.Serve([](SOCKET s) {
        send(s, "again", 5, 0);
        Sleep(200);
    });
    ASSERT_EQ(client.StartReading("localhost", server.Port(), window.hwnd), 0);
    ASSERT_TRUE(window.PumpUntil([&] { return window.messages > 0; }));
    EXPECT_EQ(window.text, "again");
    EXPECT_EQ(server.accepted, 2);
}

TEST(TcpClient, ReaderBlockedOnASilentPeerStopsCleanly)
{
    TestServer server;
    std::atomic<bool> release{false};
    server.Serve([&release](SOCKET s) {
        char byte;
        recv(s, &byte, 1, 0); // returns when the client shuts the socket down
        while (!release)
            Sleep(10);
    });
    Receiver window;
    CTcpClient client;
    ASSERT_EQ(client.StartReading("localhost", server.Port(), window.hwnd), 0);
    Sleep(300);
    EXPECT_TRUE(client.IsReading());
    EXPECT_EQ(client.StartReading("localhost", server.Port(), window.hwnd), -2);
    const auto t0 = std::chrono::steady_clock::now();
    client.StopReading();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(3));
    EXPECT_FALSE(client.IsReading());
    EXPECT_FALSE(client.IsConnected());
    release = true;
    window.PumpUntil([] { return false; }, 100);
    EXPECT_EQ(window.messages, 0);
}

TEST(TcpClient, RefusedConnectionsAndBadPorts)
{
    int freePort;
    {
        TestServer closed; // its port is free again once it is gone
        freePort = closed.Port();
    }
    CTcpClient client;
    Receiver window;
    EXPECT_NE(client.StartReading("localhost", freePort, window.hwnd), 0);
    EXPECT_FALSE(client.IsReading());
    EXPECT_EQ(client.Connect("no-such-host.invalid", 9000), -1);
    EXPECT_EQ(client.Connect("localhost", 0), -1);
    EXPECT_EQ(client.Connect("localhost", 65536), -1);

    CTcpLink link;
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_TCP_PORT, std::to_string(freePort)).Press(IDOK));
    winui::ScriptedMessageBoxes boxes;
    TcpLinkSettings settings;
    EXPECT_FALSE(link.ReceiveFromPort(window.hwnd, settings));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Cannot connect to server socket");
    EXPECT_EQ(boxes.Calls()[0].caption, "Socket Receive");
}

TEST(TcpClient, SecondReceiveWhileWaitingIsRefused)
{
    TestServer server;
    server.Serve([](SOCKET s) {
        char byte;
        recv(s, &byte, 1, 0);
    });
    Receiver window;
    CTcpLink link;
    window.link = &link;
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_TCP_PORT, std::to_string(server.Port())).Press(IDOK));
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_TCP_PORT, std::to_string(server.Port())).Press(IDOK));
    winui::ScriptedMessageBoxes boxes;
    TcpLinkSettings settings;
    ASSERT_TRUE(link.ReceiveFromPort(window.hwnd, settings));
    EXPECT_FALSE(link.ReceiveFromPort(window.hwnd, settings));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Socket is already waiting for data");
    link.Stop();
}

TEST(TcpSettingsDialog, ShowsDefaultsAndRefusesPortsOutOfRange)
{
    std::string shownPort, shownServer;
    winui::ScriptedDialogs dialogs;
    // Rounds: 0 refused, 65536 refused, empty refused, then 1234 taken.
    for (const char* port : {"0", "65536", "", "1234"})
        dialogs.Answer(winui::DialogAnswer().SetText(IDC_TCP_SERVER, "board").SetText(IDC_TCP_PORT, port).Press(IDOK));
    winui::ScriptedMessageBoxes boxes;
    CTcpIpSettingsDlg dlg;
    dlg.m_nPort = 0;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nPort, 1234);
    EXPECT_EQ(dlg.m_strServer, "board");
    ASSERT_EQ(boxes.Calls().size(), 3u);
    for (const auto& call : boxes.Calls())
        EXPECT_EQ(call.text, "The port number must lie between 1 and 65535.");
    ASSERT_FALSE(dialogs.Calls().empty());
    EXPECT_EQ(dialogs.Calls()[0].caption, "TCP/IP-Einstellungen");
}

TEST(TcpSettingsDialog, PortZeroShowsAs9000)
{
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().Press(IDOK));
    CTcpIpSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nPort, 9000);
    EXPECT_EQ(dlg.m_strServer, "localhost");
}
