// The download progress dialog.
#include "target/termui/download_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "target/seriallink/serlink.h"
#include "target/termui/termui_resource.h"

enum { PROGRESS_TIMER = 1, PROGRESS_MS = 300 };

BEGIN_MESSAGE_MAP(TDownload, winui::CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TDownload::TDownload(int32_t size, int32_t address, HWND parent)
    : CDialog(IDD_DOWNLOAD, parent), size_(size), address_(address)
{
}

BOOL TDownload::OnInitDialog()
{
    char text[64];
    std::snprintf(text, sizeof text, "Transfering %d Bytes at $%04x", static_cast<int>(size_),
                  static_cast<unsigned>(address_));
    SetDlgItemText(IDC_DOWNLOAD_TEXT, text);
    SendDlgItemMessage(IDC_GAUGE, PBM_SETRANGE32, 0, 100);
    SetTimer(PROGRESS_TIMER, PROGRESS_MS);
    return TRUE;
}

void TDownload::OnTimer(UINT_PTR id)
{
    if (id != PROGRESS_TIMER)
        return;
    SendDlgItemMessage(IDC_GAUGE, PBM_SETPOS, static_cast<WPARAM>(ser_link.download_percent.load()));
    if (ser_link.pending_command <= 0)
        EndDialog(IDOK);
}

void TDownload::OnDestroy()
{
    KillTimer(PROGRESS_TIMER);
    ser_link.download_percent = 0;
}
