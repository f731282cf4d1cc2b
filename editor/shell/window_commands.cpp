#include "editor/shell/window_commands.h"

#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/resource.h"

#include "winui/view.h"

BEGIN_MESSAGE_MAP(CWindowCommands, winui::CCmdTarget)
    ON_COMMAND(ID_RESTORE_ALL, &CWindowCommands::OnRestoreAll)
    ON_COMMAND(ID_CLOSE_ALL, &CWindowCommands::OnCloseAll)
    ON_COMMAND(ID_WINDOW_TILE_HORZ_CMD, &CWindowCommands::OnTileHorz)
    ON_COMMAND(ID_WINDOW_CASCADE_CMD, &CWindowCommands::OnCascadeWindows)
    ON_COMMAND(ID_WINDOW_NEW_CMD, &CWindowCommands::OnNewWindow)
END_MESSAGE_MAP()

void CWindowCommands::OnRestoreAll()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    for (COvantaDoc* doc : app->Documents())
        for (winui::CView* view : doc->GetViews())
            if (winui::CFrameWnd* frame = view->GetParentFrame())
                ::ShowWindow(frame->m_hWnd, SW_RESTORE);
}

void CWindowCommands::OnCloseAll()
{
    COvantaApp* app = COvantaApp::Get();
    if (app && app->m_pDocManager && app->m_pDocManager->SaveAllModified())
        app->m_pDocManager->CloseAllDocuments(FALSE);
}
