// COvantaView: the window of one document pane. It embeds the editor
// control, joins it to the document's storage, relays the control's
// notifications to the frame and the document, draws the line-number
// margin left of the control, goes to lines on request and expands the
// "$" macros of a tool's parameters.
#pragma once

#include "editor/shell/ovanta_editor.h"
#include "editor/shell/view_text_commands.h"

#include "winui/view.h"

#include <string>

class COvantaDoc;

class COvantaView : public winui::CView {
public:
    COvantaView() = default;
    ~COvantaView() override = default;

    COvantaEditCtrl& Editor() { return m_wndEdit; }
    // The commands on the view's text, chained into the view's map.
    CViewTextCommands& TextCommands() { return m_textCommands; }
    COvantaDoc* GetOvantaDoc() const;
    int ModifyCount() const { return m_nModifyCount; }

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnInitialUpdate() override;
    void OnUpdate(winui::CView* sender, LPARAM hint, winui::CCmdTarget* hintObject) override;
    void OnActivateView(BOOL activate, winui::CView* activateView, winui::CView* deactiveView) override;

    // Appends the parameter text to result with its macros replaced for
    // this view's document; returns the length of result.
    int ExpandToolMacros(const char* params, std::string& result);
    // Tells the frame where the caret stands now.
    void NotifyCaret();

    // The line-number margin (view_margin.cpp), drawn while "ShowLineNo"
    // is on: into the given context, or a client context of the view.
    void DrawLineNumbers(HDC dc);
    int MarginWidth() const { return m_nMarginWidth; }
    HWND MarginBox() const { return m_wndMarginBox; }

    // Printing (view_print.cpp): the print options dialog in print mode;
    // true when its "&Print" ended it (its "Print preview" asked for the
    // preview, Cancel stops).
    bool PreparePrinting();
    // The print dialog (or the default printer), then the pages of the
    // print range held by the application.
    void Print(bool askPrinter);
    // The range the print options dialog opens with, 1-based: the selected
    // lines when the selection spans lines, else the range held by the
    // application; false (and -1, -1) for the whole text.
    bool PrintRange(int& from, int& to);
    // The document's title without its modified mark.
    std::string PrintTitle();

    // Messages.
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(HWND oldFocus);
    BOOL OnEraseBkgnd(HDC dc);
    LRESULT OnModifiedChanged(WPARAM flag, LPARAM);
    LRESULT OnGotoLine(WPARAM line, LPARAM);
    LRESULT OnCaretMoved(WPARAM, LPARAM);
    LRESULT OnLineCountChanged(WPARAM, LPARAM);
    LRESULT OnDeleteTrailing(WPARAM, LPARAM);
    LRESULT OnDeleteLeading(WPARAM, LPARAM);
    LRESULT OnReformatC(WPARAM, LPARAM);
    LRESULT OnDeleteEmptyLines(WPARAM, LPARAM);
    void OnDeleteLine();
    void OnIndentBlock();
    void OnUnindentBlock();
    void OnIndentRange();
    void OnUnindentRange();
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditSelectAll();
    void OnTabSettings();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnPaint();
    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    LRESULT OnSetCursorMsg(WPARAM window, LPARAM hitTest);
    void OnVScroll(UINT code, UINT pos, HWND bar);
    void OnHScroll(UINT code, UINT pos, HWND bar);

private:
    void LayoutEditor();
    // Colours the whole text, or clears its colours with colouring off.
    void Recolour();
    void OperationLines(int& first, int& last);
    void AfterOperation(bool redraw);
    void ShiftSelectedLines(int count);
    // Margin: on when "ShowLineNo" is set; its width by the line count.
    bool ShowLineNumbers() const;
    int ComputeMarginWidth() const;
    void CreateMarginBox();
    // The margin line under a client point, and a whole-line selection
    // from one line to another (in either order).
    int MarginLineAt(int y) const;
    void SelectLines(int from, int to);
    bool LineHasBookmark(int line) const;

    int m_bDigitWidthSet = 0;
    int m_nDigitWidth = 0;
    COvantaEditCtrl m_wndEdit;
    int m_nModifyCount = 0;
    int m_nDragLine = -1;
    int m_nAnchorLine = -1;
    int m_nMarginWidth = 20;
    // Small disabled window in the bottom-left corner beside the control's
    // horizontal scroll bar; its clicks reach the view.
    HWND m_wndMarginBox = nullptr;
    int m_nMarginTopLine = 0;
    CViewTextCommands m_textCommands{*this};

    DECLARE_MESSAGE_MAP()
};
