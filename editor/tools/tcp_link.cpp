#include "editor/tools/tcp_link.h"

#include "editor/tools/search_resource.h"

#include "winui/clipboard.h"
#include "winui/msgbox.h"

#include <cstdlib>

CTcpIpSettingsDlg::CTcpIpSettingsDlg(HWND parent) : winui::CDialog(IDD_TCPIP_SETTINGS, parent) {}

BOOL CTcpIpSettingsDlg::OnInitDialog()
{
    SetDlgItemText(IDC_TCP_SERVER, m_strServer.c_str());
    SetDlgItemText(IDC_TCP_PORT, std::to_string(m_nPort == 0 ? kTcpDefaultPort : m_nPort).c_str());
    return TRUE;
}

void CTcpIpSettingsDlg::OnOK()
{
    // At most 9 characters of the port field, as a decimal number.
    const std::string portText = GetDlgItemText(IDC_TCP_PORT).substr(0, 9);
    const long port = std::strtol(portText.c_str(), nullptr, 10);
    if (!IsValidTcpPort(port)) {
        winui::ShowMessageBox(m_hWnd, "The port number must lie between 1 and 65535.", "TCP/IP-Einstellungen",
                              MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(IDC_TCP_PORT));
        SendDlgItemMessage(IDC_TCP_PORT, EM_SETSEL, 0, -1);
        return;
    }
    m_nPort = static_cast<int>(port);
    m_strServer = GetDlgItemText(IDC_TCP_SERVER);
    EndDialog(IDOK);
}

CTcpClient& CTcpLink::EnsureClient()
{
    if (!client_)
        client_ = std::make_unique<CTcpClient>();
    return *client_;
}

bool CTcpLink::ReceiveFromPort(HWND frame, TcpLinkSettings& settings)
{
    CTcpIpSettingsDlg dlg(frame);
    dlg.m_strServer = "localhost";
    dlg.m_nPort = settings.receivePort;
    if (dlg.DoModal() != IDOK)
        return false;
    settings.receivePort = dlg.m_nPort;
    {
        winui::CClipboard clipboard(frame);
        clipboard.Empty();
    }
    const int result = EnsureClient().StartReading(dlg.m_strServer.c_str(), dlg.m_nPort, frame);
    if (result == -2) {
        winui::ShowMessageBox(frame, "Socket is already waiting for data", "Socket Receive", MB_OK);
        return false;
    }
    if (result != 0) {
        winui::ShowMessageBox(frame, "Cannot connect to server socket", "Socket Receive", MB_OK);
        return false;
    }
    return true;
}

bool CTcpLink::SendToPort(HWND frame, TcpLinkSettings& settings)
{
    CTcpIpSettingsDlg dlg(frame);
    dlg.m_strServer = settings.sendServer;
    dlg.m_nPort = settings.sendPort;
    if (dlg.DoModal() != IDOK)
        return false;
    settings.sendServer = dlg.m_strServer;
    settings.sendPort = dlg.m_nPort;
    return EnsureClient().Send("sim\n", 4, settings.sendServer.c_str(), settings.sendPort) == 4;
}

LRESULT CTcpLink::OnTcpData(HWND frame, WPARAM wParam, LPARAM lParam)
{
    if (client_)
        CopyTcpTextToClipboard(frame, wParam, lParam);
    else
        TakeTcpText(wParam, lParam);
    return 0;
}

void CTcpLink::Stop()
{
    if (client_)
        client_->StopReading();
}
