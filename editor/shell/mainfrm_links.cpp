// The small interfaces through which documents, views, bars and the
// editor control's shell reach the main frame and its parts, and what the
// frame does when a document is saved.
#include "editor/shell/mainfrm.h"

#include "editor/shell/frame_links.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"

winui::CMDIFrameWnd* MakeMainFrame(FrameLinks& links)
{
    auto* frame = new CMainFrame;
    frame->FillLinks(links);
    return frame;
}

void CMainFrame::FillLinks(FrameLinks& links)
{
    links.documents = this;
    links.status = &m_status;
    links.bookmarks = &m_bookmarks;
    links.textMacros = &m_macros;
    links.window = this;
    links.search = &m_search;
    links.positions = &m_navigation;
    links.symbols = &m_browser;
}

void CMainFrame::DocumentSaved(COvantaDoc* doc)
{
    m_navigation.DocumentRenamed(doc);
    // The functions bar parses the saved text again (new and renamed
    // functions appear).
    m_browser.DocumentOpened(doc);
}
