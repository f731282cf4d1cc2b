// CWindowTabCtrl: the owner-drawn tab control that lists the open document
// windows, one tab per document with the document as the item data. A
// click on a tab activates its window, a click on the tab already selected
// switches it between maximised and restored ("Specials"/"AltWndSize"), a
// right click opens the file's properties, and the tool tip shows the
// document's full path. What it needs of the documents comes through
// CWindowTabShell, so that the control knows no document class.
#pragma once

#include "winui/common_controls.h"

#include <string>

class COvantaDoc;

class CWindowTabShell {
public:
    virtual ~CWindowTabShell() = default;
    // True while the document is one of the open documents.
    virtual bool IsOpen(COvantaDoc* doc) = 0;
    // The document window (MDI child) of the document's first view.
    virtual HWND FrameOf(COvantaDoc* doc) = 0;
    virtual bool IsModified(COvantaDoc* doc) = 0;
    virtual std::string PathOf(COvantaDoc* doc) = 0;
    // The file properties of the document, modal.
    virtual void ShowProperties(COvantaDoc* doc) = 0;
    // Whether a click on the selected tab switches its window between
    // maximised and restored ("Specials"/"AltWndSize").
    virtual bool AltWndSize() = 0;
};

class CWindowTabCtrl : public winui::CTabCtrl {
public:
    explicit CWindowTabCtrl(CWindowTabShell* shell);

    // Creates the control (owner-drawn tabs) with its tool tip.
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    int AddDocument(COvantaDoc* doc, const char* title);
    int FindDocument(COvantaDoc* doc) const;
    COvantaDoc* DocumentAt(int index) const;

    // The tab under the last mouse position and its tool tip text (empty
    // for no tab).
    std::string TipText() const;
    HWND ToolTip() const { return m_hToolTip; }
    bool AltWndSize() const { return m_bAltWndSize != 0; }

protected:
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSelChange(NMHDR* header, LRESULT* result);
    void OnLButtonDown(UINT flags, POINT point);
    void OnRButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    LRESULT OnDrawItemReflect(WPARAM, LPARAM lParam);
    void DrawItem(DRAWITEMSTRUCT* dis);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void DrawTab(HDC dc, int index, const RECT& rect, bool whole);

    CWindowTabShell* m_pShell;
    COLORREF m_crBack = RGB(192, 192, 192);
    int m_bAltWndSize = 1;
    POINT m_ptMouse{-1, -1};
    int m_nTipTab = -1;
    HWND m_hToolTip = nullptr;
    std::string m_strTip;
    std::wstring m_strTipW;
};
