// CColorEdit: the editing window of the editor. A child window of class
// "CEDIT" that shows a text of the text core (its bytes and colour
// attributes) in a fixed-pitch font, keeps a caret, a stream selection and a
// rectangular column block, scrolls by lines and columns, and turns keys,
// characters and the mouse into caret moves, selections and edits.
//
// The text itself, its selection, undo and files are the text core's
// (CColorEditCore, shared storage in CTextState): every change of the text
// goes through it. This class owns one core, reaches it through Core(), and
// is the host through which the core tells the window what happened; it
// keeps messages, painting, caret, scroll bars, timers and the clipboard.
//
// Private messages sent by the control (all with SendMessage):
//   EDN_MOUSESELECT  0x4C9  main window  0, the control   a mouse selection ended
//   EDN_CARETMOVED   0x4CA  parent       0, 0             caret/selection/scroll changed
//   EDN_MODIFIED     0x4CB  parent       new flag, 0      modified flag changed
//   EDN_LINECOUNT    0x4CC  parent       line difference, caret line
//   EDN_RECOLOUR     0x4CD  the control  value, 0 or hwnd recolour before painting
//   EDN_SHAREDSCROLL 0x41E  grandparent  position, code   vertical scroll happened
#pragma once

#include "editor/editctl/edit_core.h"
#include "winui/gdi.h"
#include "winui/wnd.h"

#include <string>

// <commdlg.h> (through <windows.h>) maps FindText to FindTextA; the
// control's member keeps its name.
#ifdef FindText
#undef FindText
#endif

const UINT EDN_MOUSESELECT = 0x4C9;
const UINT EDN_CARETMOVED = 0x4CA;
const UINT EDN_MODIFIED = 0x4CB;
const UINT EDN_LINECOUNT = 0x4CC;
const UINT EDN_RECOLOUR = 0x4CD;
const UINT EDN_SHAREDSCROLL = 0x41E;

// Modifier bits of a key code.
const int KEYMOD_SHIFT = 0x1000;
const int KEYMOD_ALT = 0x2000;
const int KEYMOD_CTRL = 0x4000;
// The modifier bits of the keys held now (Alt: left or any).
int GetKeyModifiers();

// Process-wide settings the control reads (kept by the application).
struct ColorEditSettings {
    int noClicks = 2;       // clicks before a drag selects (2 or 3)
    int autoCopy = 0;       // copy a mouse selection to the clipboard
    int selAfterPaste = 0;  // pasted or filled text stays selected
};
ColorEditSettings& GetColorEditSettings();

class CColorEdit : public winui::CWnd, protected CColorEditHost {
public:
    CColorEdit();
    ~CColorEdit() override;

    // The text core of this window: storage, edits, undo, files, search.
    CColorEditCore& Core() { return m_core; }
    const CColorEditCore& Core() const { return m_core; }
    // The accessors and selection operations used throughout the program.
    uint8_t* GetTextBuffer() const { return m_core.GetTextBuffer(); }
    uint8_t* GetAttrBuffer() const { return m_core.GetAttrBuffer(); }
    int GetTextLength() const { return m_core.GetTextLength(); }
    int GetTopLine() const { return m_core.GetTopLine(); }
    int GetLineCount() const { return m_core.GetLineCount(); }
    int GetModify() const { return m_core.GetModify(); }
    void SetModify(int flag) { m_core.SetModify(flag); }
    void GetSel(int& start, int& end) const { m_core.GetSel(start, end); }
    void SetSel(int start, int end, bool scroll, bool redraw) { m_core.SetSel(start, end, scroll, redraw); }
    int CopySelText(char* buffer, int size) const { return m_core.CopySelText(buffer, size); }
    int SetReadOnly(int flag) { return m_core.SetReadOnly(flag); }
    int GetSelectionMode() const { return m_core.GetSelectionMode(); }
    int SetWordWrap(int column, bool onWords) { return m_core.SetWordWrap(column, onWords); }
    // Services of the text core with their arguments and results, for the
    // windows that use the control (output panes, find in files, browser).
    // The ones that change the text bring caret, scroll bar and window up
    // to date.
    int AllocBuffers(uint32_t capacity) { return m_core.AllocBuffers(capacity); }
    // Replaces the whole text (null: empties it); the caret goes to the end.
    int SetText(const char* text);
    // Replaces the selection (undoable), the caret behind it when asked.
    void ReplaceSel(const char* text, bool moveCaret);
    // Appends a line (after a CR when the text is not empty).
    int AppendLineString(const std::string& text, int attr);
    // Replaces the text by the file's lines; 1 loaded, 0 not.
    int LoadFile(const char* path);
    // Writes the text to the file (null: the known one) with CR LF line ends
    // (LF with lfOnly), tabs as blanks and soft breaks as line breaks when
    // asked; 1 saved (the modified flag cleared), 0 not.
    int SaveFile(const char* path, bool tabsToBlanks, bool softBreaksToCR, bool lfOnly)
    {
        return m_core.SaveFile(path, tabsToBlanks, softBreaksToCR, lfOnly);
    }
    // The offset of the first hit of the text (escapes \n, \r, \t) or -1;
    // flags kFind... (2 forward, 4 whole words, 8 match case), to -1 the
    // text end; the hit selected when asked.
    int FindText(const char* text, int flags, int from, int to, bool select)
    {
        return m_core.FindText(text, flags, from, to, select);
    }
    // The line that holds the offset, at most size - 1 bytes, zero-terminated.
    int GetLineAtOffset(int offset, char* buffer, int size) const;
    int GetLine(int line, char* buffer, int size) const { return m_core.GetLine(line, buffer, size); }
    // The offset of a line's first byte; -1 beyond the last line.
    int GetLineOffset(int line) const;
    int GetLineLength(int offset) const { return m_core.GetLineLength(offset); }
    int GetLineEnd(int offset) const { return m_core.GetLineEnd(offset); }
    int GetLineStart(int offset) const { return m_core.GetLineStart(offset); }
    int LineFromOffset(int offset) { return m_core.LineFromOffset(offset); }
    // The selected text with CR LF line ends.
    void GetSelText(std::string& text) const;
    // The scroll bars of a splitter that the panes share (null: the
    // control's own), stored by the view that creates the control.
    void SetSharedScrollBars(HWND horizontal, HWND vertical);

    // Creation: window of class "CEDIT", font, metrics, scroll bars, focus.
    virtual BOOL Create(const char* windowName, DWORD style, const RECT& rect, HWND parent,
                        UINT id);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    HWND GetScrollBarCtrl(int bar) const override;

    // Accessors of the window side.
    int GetCaretLine() const;
    int GetCaretColumn() const;
    SIZE GetCharSize() const { return SIZE{m_nCharWidth, m_nCharHeight}; }
    bool IsInsertMode() const { return m_bInsertMode != 0; }
    DWORD GetEditStyle() const;
    void HideSelection(int hide);
    void InvalidateText(int all);
    void EnsureCaretVisible();
    // The changed-on-disk check with its questions shown as message boxes.
    int CheckFileChanged() { return m_core.CheckFileChanged(); }
    // Undo of the text core, then the caret, scroll bar and window follow.
    int Undo();

    // The display font: a copy of the given font replaces the own one; the
    // cell size, visible lines and columns and the caret follow.
    winui::CFont* GetEditFont() const { return m_pFont; }
    void SetEditFont(HFONT font, BOOL redraw);

    // Painting.
    void DrawTextRange(int from, int to, HDC dc = nullptr);
    int GetCharRect(int offset, RECT& rect) const;
    void DrawSelection();
    void DrawStreamSelection(HDC dc);

    // Geometry and scrolling.
    int OffsetFromPoint(POINT pt, int& offset) const;
    int PointToCaretPos(POINT& pt, int flags);
    void ScrollLines(int n, int redraw);
    void ScrollColumns(int n);
    int MakeColumnVisible(int offset);
    void UpdateVScrollBar(int needed);

    // Keys and characters.
    void ProcessKey(int key, int modifiers);
    void ProcessChar(int c, int modifiers);

    // Clipboard and column blocks.
    void Paste(int mode);
    int Copy(int append);
    void Cut();
    int CopyColumn(int doDelete, int toClipboard, int append);
    int ColumnOffsetFromPoint(int x, int y, int& offset, int* lineStart);
    void TrackColumnBlock(int x, int y, int extend);
    void DrawColumnSelection(HDC dc);
    void InsertColumnText(int column, const std::string& text);
    void InsertColumnBlock(int column, int line, const std::string& text);
    void ShiftColumn(int column, int firstLine, int lastLine, int count, int fill);
    void NumberColumn(int column, int firstLine, int lastLine, int hex, int prefix, int first);
    void FillColumn(int column, int firstLine, int lastLine, const char* text, int shorterToo,
                    int atLineEnd, int pad);

    // Mouse helpers.
    void SetAutoScroll(int step, UINT_PTR id, UINT period);
    static bool IsWordChar(unsigned char c);

    // Message handlers.
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    void OnSetFocus(HWND oldFocus);
    void OnKillFocus(HWND newFocus);
    void OnLButtonDown(UINT flags, POINT point);
    void OnRButtonDown(UINT flags, POINT point);
    void OnSize(UINT type, int cx, int cy);
    void OnVScroll(UINT code, UINT pos, HWND bar);
    void OnHScroll(UINT code, UINT pos, HWND bar);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT c, UINT repeat, UINT flags);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnRButtonUp(UINT flags, POINT point);
    void OnTimer(UINT_PTR id);
    void OnNcLButtonDown(UINT hitTest, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    BOOL OnMouseWheel(UINT flags, short delta, POINT point);

    // Members of the window side; the text core holds the shared text state
    // and the per-window values its operations need (top line and offset,
    // visible lines, caret line, colours, tab display, the file's path).
    int m_nPaintStart = -1;
    int m_nPaintEnd = -1;
    SIZE m_sizeClient{-1, -1}; // of the last WM_SIZE
    DWORD m_dwScrollStyle = 0;
    int m_bCreated = 0;
    int m_nGoalColumn = 0;
    unsigned short m_nVisibleColumns = 0;
    int m_bInsertMode = 1;
    COLORREF m_crText;
    COLORREF m_crWindow;
    winui::CFont* m_pFont = nullptr;
    int m_nAutoScrollDir = 0;
    int m_nCharWidth = 8;
    int m_nCharHeight = 16;
    int m_nAutoScrollStep = 0;
    UINT_PTR m_nAutoScrollTimer = 0;
    int m_nSelEndLine = 0;
    int m_nClickCount = 0;
    int m_nSavedCaretX = -1;
    int m_nSavedCaretY = -1;
    int m_bButtonDown = 0;
    POINT m_ptAnchor{0, 0};
    int m_bKeyReleased = 1;
    UINT_PTR m_nRepeatTimer = 0;
    int m_nRepeatChar = 0;
    int m_bMultiClick = 0;
    RECT m_rcDrawnBlock{0, 0, 0, 0};
    int m_nClickOffset = -1;
    int m_nCaretColumn = 0;
    int m_nCaretRow = 0;
    // The offset the caret is drawn at: the selection start, or the moving
    // end of a selection made with Shift.
    int m_nCaretOffset = 0;

protected:
    // Shortcuts into the text state. The text is read here and changed only
    // through the core.
    CTextState& State() { return m_core.State(); }
    const CTextState& State() const { return m_core.State(); }
    const unsigned char* Buf() const { return m_core.GetTextBuffer(); }
    const unsigned char* Attr() const { return m_core.GetAttrBuffer(); }
    int Len() const { return State().length; }
    int Lines() const { return static_cast<int>(State().lineCount); }
    int& SelStart() { return State().selStart; }
    int& SelEnd() { return State().selEnd; }
    int SelStart() const { return State().selStart; }
    int SelEnd() const { return State().selEnd; }
    int ColumnMode() const { return State().columnMode; }
    void SetColumnMode(int on) { State().columnMode = on; }
    CTextRect& ColumnRect() { return State().columnRect; }
    bool WrapOn() const { return State().wrapWidth != 0; }
    // Read in place: a byte never makes the text contiguous.
    unsigned char ByteAt(int offset) const { return State().At(offset); }
    int HPos() const { return GetScrollPos(SB_HORZ); }

    // Notifications.
    void NotifyParent() const;
    void NotifyScroll(int position, int code) const;
    void NotifyMouseSelect() const;
    int VScrollPosition() const;
    void SetVScrollFromTop(BOOL redraw = TRUE);
    bool SplitterBars(HWND (&bars)[2]) const;

    // Caret helpers.
    void PlaceCaret();
    void CaretFromOffset(int offset);
    void RecomputeLines();
    void CreateEditCaret();
    void RepaintAfterEdit(int oldLines);
    // Caret, scroll bar and window after the text was replaced.
    void FollowNewText();

    // Key table parts.
    void KeyDelete();
    bool AltBlockKey(int key);
    void StreamFromBlock();
    void LeaveColumnMode();
    void EndColumnInsert();
    void MeasureFont();

    // CColorEditHost: what the core asks of the window.
    void ModifiedChanged(int flag) override;
    void LineCountChanged(int diff, int caretLine) override;
    void Recolour(int value) override;
    void SelectionChanged() override;
    void TextChanged(int fromOffset) override;
    void TextCleared() override;
    void ViewScrolled() override;
    void SelectionSet(int oldStart, int oldEnd, bool scroll, bool redraw) override;
    void TakeFocus() override;
    void ReportOutOfMemory() override;
    int AskYesNo(const char* text, const char* caption) override;
    void ReportFileRefused(const char* text, const char* path) override;
    // A control on its own shows no load progress and saves soft breaks as
    // they are; a control inside a program overrides both with the
    // program's status bar and setting.
    void LoadProgress(int64_t bytesRead, int64_t total, int lines) override;
    int SaveLineWrapSetting() override;

private:
    CColorEditCore m_core;
    HWND m_hSharedHScroll = nullptr;
    HWND m_hSharedVScroll = nullptr;
    winui::CFont m_font;

    DECLARE_MESSAGE_MAP()
};
