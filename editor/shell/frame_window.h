// What views, bars and dialogs need to know of the main window: its
// handle (owner of their dialogs, receiver of their messages), the active
// view, the editor font, the current tool's path form and the output bar;
// and the few frame actions they start: the go-to-line dialog, a file's
// properties and opening a workspace.
#pragma once

#include <windows.h>

class COvantaDoc;
class COvantaView;
class COutputBar;

class IFrameWindow {
public:
    virtual HWND FrameWindow() const = 0;
    // The view of the active document window (null without one, or while
    // the print preview stands in its place).
    virtual COvantaView* ActiveOvantaView() = 0;
    // Whether a document window is open and active at all.
    virtual bool HasActiveDocumentWindow() = 0;
    virtual HFONT EditFont() const = 0;
    virtual bool UseShortPathNames() const = 0;
    virtual COutputBar* OutputBar() const = 0;
    virtual void AskGotoLine() = 0;
    virtual void ShowFileProperties(COvantaDoc* doc) = 0;
    virtual void OpenWorkspace(const char* path) = 0;

protected:
    ~IFrameWindow() = default;
};
