// The TCP link's two commands of the main frame and its data message:
// "Receive from port" waits for one block of text from a server and puts it
// on the clipboard, "Sends to port" sends "sim\n" to a server. Each asks
// for server and port with CTcpIpSettingsDlg first. The client is made on
// first use and lives as long as the link.
#pragma once

#include "editor/tools/tcp_client.h"

#include "winui/dialog.h"

#include <memory>
#include <string>

// "TCP/IP-Einstellungen": server and port. A port of 0 shows as 9000; on OK
// a port outside 1..65535 (an empty field included) is refused with a
// message and the dialog stays open.
class CTcpIpSettingsDlg : public winui::CDialog {
public:
    explicit CTcpIpSettingsDlg(HWND parent = nullptr);
    std::string m_strServer = "localhost";
    int m_nPort = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

// [DefaultSettings] "TcpPortNo", "SendToServer", "SendToPort".
struct TcpLinkSettings {
    int receivePort = kTcpDefaultPort;
    std::string sendServer = "localhost";
    int sendPort = kTcpDefaultPort;
};

class CTcpLink {
public:
    // 32986 "Receive from port": true when a reader was started; a changed
    // port becomes settings.receivePort.
    bool ReceiveFromPort(HWND frame, TcpLinkSettings& settings);
    // 32985 "Sends to port": true when the 4 bytes were sent (a failed send
    // is silent); a changed server or port goes into the settings.
    bool SendToPort(HWND frame, TcpLinkSettings& settings);
    // WM_TCP_DATA at the frame.
    LRESULT OnTcpData(HWND frame, WPARAM wParam, LPARAM lParam);
    // When the frame is destroyed.
    void Stop();

    CTcpClient* Client() const { return client_.get(); }

private:
    CTcpClient& EnsureClient();
    std::unique_ptr<CTcpClient> client_;
};
