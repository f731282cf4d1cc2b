// CToolsController: the main frame's tools and output window. It owns the
// tools tool bar, the current tool, the runner of captured and redirected
// tools and the output bar, starts the current tool (in the "Output" pane
// or through the shell), and handles the tool commands and messages.
#pragma once

#include "editor/shell/frame_bases.h"
#include "editor/shell/tools_host.h"

#include "editor/tools/tool_info.h"
#include "editor/tools/tool_runner.h"
#include "editor/tools/tools_bar.h"

#include "winui/cmdtarget.h"

#include <memory>

class COutputBar;
class CToolShell;

namespace winui {
class CCmdUI;
}

// The [Bars] key of the output bar.
inline constexpr const char* kOutputBarKey = "Output";

class CToolsController : public winui::CCmdTarget {
public:
    CToolsController(CMainFrameBase& frame, CToolsHost& host);
    ~CToolsController() override;

    // Makes the tools bar (before the frame's sides accept bars), and reads
    // the tools of the profile target into it.
    void CreateToolsBar();
    void LoadTools();
    // The tools bar follows the first document that opens and the last one
    // that closes.
    void FirstDocumentOpened();
    void LastDocumentClosed();
    // Writes the tools and the output bar's height (closing without a workspace).
    void SaveToolSettings();
    // Asks a running tool to stop and waits a moment for it.
    void StopTool();
    // Starts the current tool: its output captured or redirected into the
    // "Output" pane, or handed to the shell.
    void StartTool();
    // Creates the output bar on first use (docked at the bottom), else
    // shows or hides it.
    void ToggleOutputBar();
    // The output bar as it was left: made and placed when it was shown.
    void RestoreOutputBar();
    // The tools' items of a menu that opens: "Start Tool" entries and the
    // cancel item's state.
    void UpdateToolMenu(HMENU menu);

    CToolsBar& ToolsBar() { return m_wndToolsBar; }
    COutputBar* OutputBar() const { return m_pOutputBar.get(); }
    // What the output panes need of the editor.
    CToolShell* ToolShell();
    bool UseShortPathNames() const { return m_currentTool.ShortPath != 0; }
    const CCurrentTool& CurrentTool() const { return m_currentTool; }
    bool ToolRunning() const;

private:
    bool AskToStopRunningTool();
    LRESULT OnStartTool(WPARAM, LPARAM);
    LRESULT OnToolFinished(WPARAM, LPARAM);
    void OnStartToolCommand(UINT id);
    void OnToolSettings();
    void OnAddTool();
    void OnUpdateAddTool(winui::CCmdUI* ui);
    void OnCancelTool();
    void OnUpdateCancelTool(winui::CCmdUI* ui);
    void OnToolsBar();
    void OnUpdateToolsBar(winui::CCmdUI* ui);
    void OnOutputBar();
    void OnUpdateOutputBar(winui::CCmdUI* ui);

    CMainFrameBase& frame_;
    CToolsHost& host_;
    CToolsBar m_wndToolsBar;
    std::unique_ptr<COutputBar> m_pOutputBar;
    CToolRunner m_toolRunner;
    CCurrentTool m_currentTool;
    std::unique_ptr<CToolShell> m_pToolShell;

    DECLARE_MESSAGE_MAP()
};
