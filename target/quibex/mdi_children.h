// The three MDI children of Quibex: the source view, the "CPU Registers"
// view and the "Terminal". None has a maximise box or a sizing border, and
// the system menu's Close is greyed: the user cannot close them. Each
// holds its view as the pane that fills it.
#pragma once

#include <windows.h>

#include "target/quibex/cpu_window.h"
#include "target/quibex/quibex_window.h"
#include "target/termui/term_window.h"
#include "winui/mdi.h"

// The common frame of the children.
class TQuibexChildFrame : public winui::CMDIChildWnd {
public:
    // Creates the child in the frame's MDI client at rect (null: the
    // default place) with the icon.
    BOOL CreateChild(winui::CMDIFrameWnd* frame, const char* title, const RECT* rect, UINT icon);
    // Sizes the child so that its client is width x height pixels.
    void FitClient(int width, int height);

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCTA cs);
    void OnClose();
    // Makes the pane; false refuses the child.
    virtual BOOL CreatePane() = 0;
};

class TQuibexMDIChild : public TQuibexChildFrame {
public:
    TQuibexWindow& View() { return view_; }

protected:
    BOOL CreatePane() override;

private:
    TQuibexWindow view_;
};

class TCPUMDIChild : public TQuibexChildFrame {
public:
    TCPUWindow& View() { return view_; }

protected:
    DECLARE_MESSAGE_MAP()
    BOOL CreatePane() override;
    void OnSize(UINT type, int cx, int cy);

private:
    TCPUWindow view_;
};

class TTermMDICHild : public TQuibexChildFrame {
public:
    TTermWindow& View() { return view_; }

protected:
    BOOL CreatePane() override;

private:
    TTermWindow view_;
};
