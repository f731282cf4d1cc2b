// CToolsBar: the tools tool bar, a text-only tool bar of the main frame with
// one button per configured tool (at most 20, command ids 32870 + position).
// It owns the tool records (CToolList, in button order). A click makes the
// tool current and sends WM_START_TOOL (0x41E) to the main window; a right
// click opens the tool's settings; dragging a button onto another moves it.
#pragma once

#include "editor/tools/tool_start.h"
#include "winui/toolbar.h"

#include <string>

class CDockSite;

const UINT kToolsBarId = 57633;

class CToolsBar : public winui::CToolBar {
public:
    CToolsBar() = default;

    // Creates the bar in the frame with id 57633, buttons 75 x 10 at first.
    BOOL Create(winui::CFrameWnd* frame,
                DWORD style = WS_CHILD | winui::CBRS_TOP | winui::CBRS_TOOLTIPS | winui::CBRS_FLYBY);

    // What the bar needs of its program: the current tool it fills, how it
    // shortens paths, where the program browser starts.
    CCurrentTool* m_pCurrentTool = nullptr;
    PathShortener m_pShorten = nullptr;
    std::string m_strDefaultDir;

    // Appends a copy of the tool and its button; the new count, or -1 when
    // 20 tools exist. The first tool shows the bar.
    int AddTool(const CToolInfo& tool);
    // Deletes every button and record, docks the bar again and hides it.
    void RemoveAllTools();
    int GetToolCount() const { return m_tools.Count(); }
    const CToolList& Tools() const { return m_tools; }

    // Reads the tool sections of the profile file (the program's profile or
    // a workspace). When the file has "ExecApplication", the tools present
    // are replaced; otherwise they stay. dockSide: the low three bits of
    // "ExecBar" (1 top, 2 bottom, 3 right, 4 left; others leave the bar
    // where it is).
    void LoadTools(const std::string& profilePath, int dockSide);
    // Writes the tool sections into the profile file (erasing every older
    // tool section first).
    void SaveTools(const std::string& profilePath) const;

    // Shows or hides the bar through the frame and docks it again at its side.
    void ShowBar(BOOL show);
    // A button's command: the tool becomes current and the main window is
    // asked to start it; a tool without a program opens its settings first.
    // -1 when no button has the id.
    LRESULT StartToolByCommand(UINT id);
    // The settings dialog of the tool at index: OK takes the values (and the
    // format as the current tool's), Delete removes the tool. The dialog's
    // result.
    INT_PTR EditTool(int index);
    // The index of the button at a client point, -1 for none.
    int ButtonAt(POINT point) const;
    // The record of the tool that was made current last (it follows moves
    // and deletions), null when none or it was deleted.
    CToolInfo* CurrentToolRecord();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void AddButton(int index);
    void SetButtonLabel(int index);
    void Renumber();
    void FitButtons();
    bool DockedVertically() const;
    CDockSite* Site() const;
    void DockAtSide(int side);
    void RecalcFrame() const;
    bool OnToolTip(LPARAM lParam);

    CToolList m_tools;
    int m_nDragSource = -1;
    int m_nCurrent = -1; // index of the tool last made current
    int m_nWidest = 0;
    SIZE m_size{75, 10};
};
