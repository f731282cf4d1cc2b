// CChildFrame: the frame of a document window. With the Split setting on
// it holds CChildSplitterWnd, a dynamic splitter of up to 2 x 2 panes, each
// a view of the same document, whose rows scroll together.
#pragma once

#include "editor/shell/frame_bases.h"

#include "winui/splitter.h"

class COvantaView;

class CChildSplitterWnd : public winui::CSplitterWnd {
protected:
    LRESULT OnSyncScrollPos(WPARAM position, LPARAM);
    void OnHScroll(UINT code, UINT pos, HWND bar);
    void OnVScroll(UINT code, UINT pos, HWND bar);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_hLastScrollBar = nullptr;
    int m_bSyncScroll = 1;
    // The view whose thumb was dragged last (shared by all splitters).
    static COvantaView* s_pLastDraggedView;
};

class CChildFrame : public CChildFrameBase {
public:
    bool HasSplitter() const { return m_wndSplitter.m_hWnd != nullptr; }

    void ActivateFrame(int cmdShow = -1) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA cs, winui::CCreateContext* context) override;
    LRESULT OnSysCommandMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CChildSplitterWnd m_wndSplitter;
    HWND m_hVScrollBar[2] = {nullptr, nullptr};
    winui::CCreateContext paneContext_;
    bool shown_ = false;
};
