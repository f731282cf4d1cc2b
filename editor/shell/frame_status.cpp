#include "editor/shell/frame_status.h"

#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"

#include "editor/syntax/window/ncoloreditctrl.h"

#include <cstdio>

void CFrameStatus::Create(winui::CFrameWnd* frame)
{
    bar_.Create(frame, WS_CHILD | WS_VISIBLE | winui::CBRS_BOTTOM | winui::CBRS_BORDER_TOP,
                winui::AFX_IDW_STATUS_BAR);
}

void CFrameStatus::FrameSized()
{
    if (bar_.m_hWnd)
        bar_.PlaceProgress();
}

void CFrameStatus::Clear()
{
    if (!bar_.m_hWnd)
        return;
    bar_.SetPaneText(CEditorStatusBar::kPositionPane, "");
    bar_.SetPaneText(CEditorStatusBar::kSizePane, "");
    bar_.SetReadOnlyText("");
}

void CFrameStatus::UpdateStatusBar(int line, int column, int size)
{
    COvantaApp* app = COvantaApp::Get();
    if (!bar_.m_hWnd || (app && app->Printing().inPreview))
        return;
    char text[64];
    std::snprintf(text, sizeof text, "Z: %d, S: %d", line, column);
    bar_.SetPaneText(CEditorStatusBar::kPositionPane, text);
    std::snprintf(text, sizeof text, "%d Byte", size);
    bar_.SetPaneText(CEditorStatusBar::kSizePane, text);
    if (COvantaView* view = host_.ActiveOvantaView()) {
        COvantaDoc* doc = view->GetOvantaDoc();
        bar_.SetPaneText(CEditorStatusBar::kUnixPane, doc && doc->State().unixFormat ? "UNIX" : "");
        SetReadOnlyPane(view->Editor().IsReadOnlyText());
    }
    host_.CaretMoved(line - 1);
}

void CFrameStatus::ShowModifiedState(int modified)
{
    const int shown = modified ? 1 : 0;
    if (shown == shownModified_)
        return;
    shownModified_ = shown;
    host_.ModifiedStateChanged(shown != 0);
}

void CFrameStatus::SetReadOnlyPane(bool readOnly)
{
    if (bar_.m_hWnd && bar_.ReadOnlyText() != (readOnly ? "RO" : "RW"))
        bar_.SetReadOnlyText(readOnly ? "RO" : "RW");
}

void CFrameStatus::ShowProgress(bool show)
{
    if (bar_.m_hWnd)
        bar_.ShowProgress(show);
}

void CFrameStatus::SetProgressPos(int percent)
{
    if (bar_.m_hWnd)
        bar_.SetProgressPos(percent);
}

void CFrameStatus::SetProgressMode(int mode)
{
    bar_.SetProgressMode(mode);
}

void CFrameStatus::SetMessageText(const char* text)
{
    if (bar_.m_hWnd)
        bar_.SetPaneText(CEditorStatusBar::kMessagePane, text ? text : "");
}

void CFrameStatus::SetPaneText(int pane, const char* text)
{
    if (bar_.m_hWnd)
        bar_.SetPaneText(pane, text ? text : "");
}
