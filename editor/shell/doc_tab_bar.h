// CDocTabBar: a bar of the main frame with one tab per open document,
// labelled with the document's file name without its directory, newest
// first. Picking a tab activates the document's window. The bar grows by
// one row height for every row of tabs beyond the first.
#pragma once

#include "editor/shell/window_tab_ctrl.h"
#include "editor/shell/window_tab_shell.h"

#include "winui/common_controls.h"
#include "winui/controlbar.h"

#include <string>

namespace winui {
class CDocument;
class CFrameWnd;
}

const UINT kDocTabBarId = 202;
const UINT kDocTabCtrlId = 1042;

class CDocTabBar : public winui::CControlBar {
public:
    CDocTabBar() = default;

    // Creates the bar (hidden unless visible) with its tab control.
    BOOL Create(winui::CFrameWnd* frame, BOOL visible);

    void AddTab(winui::CDocument* doc, const char* title = nullptr);
    void RemoveTab(winui::CDocument* doc);
    void RenameTab(winui::CDocument* doc, const char* title = nullptr);
    void SelectTab(winui::CDocument* doc);
    void RedrawTabs();
    // Lays the tabs out in rows and sizes the bar to them.
    void LayoutTabs();

    // The label of a document: the title when given, else its path, without
    // anything up to the last backslash.
    static std::string TabLabel(winui::CDocument* doc, const char* title);
    // The number of rows tabs of these widths take in the width less 50.
    static int CountRows(const int* widths, int count, int available, int* lastRowWidth = nullptr);

    int TabCount() const { return m_wndTabs.m_hWnd ? m_wndTabs.GetItemCount() : 0; }
    std::string TabText(int index) const { return m_wndTabs.GetItemText(index); }
    int FindTab(winui::CDocument* doc) const;
    int Rows() const { return m_nRows; }

    SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceTabs();

    int m_bCreated = 0;
    int m_nRowHeight = 19;
    int m_nBaseHeight = 24;
    SIZE m_sizeDefault{0, 24};

    // The owner-drawn tabs: picking one activates its document's window.
    COvantaWindowTabShell m_tabShell;
    CWindowTabCtrl m_wndTabs{&m_tabShell};
    int m_nRows = 1;
    static bool s_bWasFloating;
};
