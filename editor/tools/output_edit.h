// CScrollColorEdit: an edit control with its own horizontal scroll bar (a
// sibling window, id 7, that the holder places below the pane) and its own
// text and background colours.
//
// COutputEdit: one read-only text pane of the output window ("Output",
// "Search results" or "Tags"). It appends the chunks a tool run sends
// (0x4CE), loads the redirect file (0x4CF), passes typed keys to the running
// tool, copies text, finds the next error or warning line, and on a double
// click goes to the source place a line names (through CToolShell).
#pragma once

#include "editor/editctl/output_panes.h"
#include "editor/docking/sizebar.h"
#include "editor/editctl/window/coloredit.h"
#include "editor/syntax/window/command_ids.h"

#include <cstdint>
#include <string>

class CToolRunner;
class CToolShell;


// Commands of the pane's context menu.
const UINT ID_OUTPUT_NEXT_ERROR = 32933;
const UINT ID_OUTPUT_NEXT_WARNING = 32934;
const UINT ID_OUTPUT_COPY = ID_EDIT_COPY;
const UINT ID_OUTPUT_COPY_APPEND = ID_EDIT_COPYAPPEND;
const UINT ID_OUTPUT_COPY_ALL = 32931;
const UINT ID_OUTPUT_FONT = 32820;
const UINT ID_OUTPUT_FIND = ID_EDIT_FIND;
const UINT ID_OUTPUT_CLEAR = 61555;
const UINT ID_OUTPUT_FLOAT = ID_SIZEBAR_FLOAT;
const UINT ID_OUTPUT_DOCK = ID_SIZEBAR_DOCK;
const UINT ID_OUTPUT_CLOSE = 32817;

// Lines appended by search fillers are cut to this length.
const int kAppendLineCut = 800;

class CScrollColorEdit : public CColorEdit {
public:
    CScrollColorEdit() = default;

    // Text and background colour; set before Create.
    COLORREF m_crPaneText = 0;
    COLORREF m_crPaneBack = 0xC0C0C0;

    // Makes the scroll bar first (shown with a visible pane that has
    // WS_HSCROLL), then the edit control without its built-in horizontal bar.
    BOOL Create(const char* windowName, DWORD style, const RECT& rect, HWND parent,
                UINT id) override;
    HWND GetScrollBarCtrl(int bar) const override;
    HWND ScrollBar() const { return m_hScrollBar; }
    // Puts the scroll bar below the pane, indent pixels from its left edge.
    void PlaceScrollBar(int indent);
    // Shows or hides the pane together with its scroll bar.
    void ShowPane(bool show);

private:
    HWND m_hScrollBar = nullptr;
    uint32_t m_colorTable[32] = {};
};

class COutputEdit : public CScrollColorEdit {
public:
    COutputEdit() = default;

    // Creates the pane: fresh text buffers of 0x10000 bytes, read-only.
    BOOL Create(const char* windowName, DWORD style, const RECT& rect, HWND parent,
                UINT id) override;

    void SetShell(CToolShell* shell) { m_pShell = shell; }
    void SetRunner(CToolRunner* runner) { m_pRunner = runner; }

    int m_nKind = kPaneNone;
    // The search that filled the pane (empty for "Output").
    std::string m_strSearchText;
    int m_nSearchFlags = 0;
    // Where "Next Error" and "Next Warning" search from.
    int m_nNextMessage = -1;
    // The folder a relative file name in a tool's output is taken from: the
    // run's start folder (empty: the current folder).
    std::string m_strBaseDir;

    // Appends one line (cut to 800 characters).
    void AppendLine(const std::string& text, int attr = 0);
    // Replaces the whole text.
    void SetPaneText(const char* text);
    std::string GetPaneText() const;

    LRESULT OnAppendOutput(WPARAM, LPARAM text);
    LRESULT OnLoadRedirectFile(WPARAM, LPARAM);
    void OnChar(UINT c, UINT repeat, UINT flags);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    void OnRButtonDown(UINT flags, POINT point);
    BOOL PreTranslateMessage(MSG* msg) override;

    // The double click's work on the line that holds offset.
    void GoToLineSource(int offset);
    // "Next Error" / "Next Warning": the next whole word, case ignored.
    void FindNextMessage(const char* word);

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int FindTargetDocument(const std::string& file, int lookup);

    CToolShell* m_pShell = nullptr;
    CToolRunner* m_pRunner = nullptr;

    DECLARE_MESSAGE_MAP()
};
