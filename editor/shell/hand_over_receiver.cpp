#include "editor/shell/hand_over_receiver.h"

#include "editor/shell/instance_block.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/shell_text.h"

#include <shellapi.h>

BEGIN_MESSAGE_MAP(CHandOverReceiver, winui::CCmdTarget)
    ON_MESSAGE(WM_HANDOVER, &CHandOverReceiver::OnHandOver)
    ON_MESSAGE(WM_OPEN_HANDED_OVER, &CHandOverReceiver::OnOpenHandedOver)
    ON_MESSAGE(WM_DROPFILES, &CHandOverReceiver::OnDropFiles)
END_MESSAGE_MAP()

LRESULT CHandOverReceiver::OnHandOver(WPARAM, LPARAM)
{
    // The text is taken at once, so that the sender may write the next
    // one; it is opened after this message has returned.
    handedOver_.push_back(InstanceBlock().Text());
    ::PostMessageA(frame_.m_hWnd, WM_OPEN_HANDED_OVER, 0, 0);
    return 1;
}

LRESULT CHandOverReceiver::OnOpenHandedOver(WPARAM, LPARAM)
{
    COvantaApp* app = COvantaApp::Get();
    while (!handedOver_.empty() && app) {
        std::string text = handedOver_.front();
        handedOver_.pop_front();
        if (text.empty())
            continue;
        HandOverRequest r = ParseHandOverText(text);
        if (r.path.empty())
            continue;
        if (r.workspace) {
            // The open workspace is closed first, with its questions; a
            // cancelled close keeps it.
            if (host_.CloseWorkspace())
                host_.OpenWorkspace(r.path.c_str());
            continue;
        }
        app->SetCmdLineLine(r.line);
        app->OpenDocumentFile(r.path.c_str());
        app->SetCmdLineLine(0);
    }
    if (::IsIconic(frame_.m_hWnd))
        ::ShowWindow(frame_.m_hWnd, SW_RESTORE);
    ::SetForegroundWindow(frame_.m_hWnd);
    return 0;
}

LRESULT CHandOverReceiver::OnDropFiles(WPARAM wParam, LPARAM)
{
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    COvantaApp* app = COvantaApp::Get();
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && app; ++i) {
        char path[MAX_PATH];
        if (DragQueryFileA(drop, i, path, sizeof path))
            app->OpenDocumentFile(path);
    }
    DragFinish(drop);
    return 0;
}
