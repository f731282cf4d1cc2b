// The main frame as the documents, views, bars and the editor control's
// shell reach it: one small interface per concern. The frame hands them
// out when it is made (MakeMainFrame); the application keeps them and
// gives them out while the frame's window exists (OvantaFrame()).
#pragma once

class IBookmarkIndex;
class IDocumentEvents;
class IEditorSearchHost;
class IFrameWindow;
class IPositionTracker;
class IStatusSink;
class ISymbolSource;
class ITextMacroHost;

namespace winui {
class CMDIFrameWnd;
}

struct FrameLinks {
    IDocumentEvents* documents = nullptr;
    IStatusSink* status = nullptr;
    IBookmarkIndex* bookmarks = nullptr;
    ITextMacroHost* textMacros = nullptr;
    IFrameWindow* window = nullptr;
    IEditorSearchHost* search = nullptr;
    IPositionTracker* positions = nullptr;
    ISymbolSource* symbols = nullptr;
};

// A new main frame, not yet created as a window, and its links.
winui::CMDIFrameWnd* MakeMainFrame(FrameLinks& links);

// The running application's frame links (all null without an application
// or while its frame's window does not exist).
const FrameLinks& OvantaFrame();
