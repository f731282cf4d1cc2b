#include "editor/shell/window_tab_shell.h"

#include "editor/shell/frame_links.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/settings_profile.h"

#include <cstring>

bool COvantaWindowTabShell::IsOpen(COvantaDoc* doc)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !doc)
        return false;
    for (COvantaDoc* d : app->Documents())
        if (d == doc)
            return true;
    return false;
}

HWND COvantaWindowTabShell::FrameOf(COvantaDoc* doc)
{
    COvantaView* view = doc ? doc->FirstView() : nullptr;
    if (!view || !view->m_hWnd)
        return nullptr;
    // A pane of a split window: the frame is the splitter's parent.
    HWND parent = ::GetParent(view->m_hWnd);
    char cls[64] = "";
    ::GetClassNameA(parent, cls, sizeof cls);
    if (parent && std::strstr(cls, "Splitter"))
        parent = ::GetParent(parent);
    return parent;
}

bool COvantaWindowTabShell::IsModified(COvantaDoc* doc)
{
    return doc && doc->IsModified();
}

std::string COvantaWindowTabShell::PathOf(COvantaDoc* doc)
{
    return doc ? doc->GetPathName() : std::string();
}

void COvantaWindowTabShell::ShowProperties(COvantaDoc* doc)
{
    if (IFrameWindow* frame = OvantaFrame().window)
        frame->ShowFileProperties(doc);
}

bool COvantaWindowTabShell::AltWndSize()
{
    return OvantaOptions().altWndSize != 0;
}
