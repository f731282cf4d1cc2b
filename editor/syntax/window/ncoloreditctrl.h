// CNColorEditCtrl: the syntax-aware editing window that every document view
// embeds. It stands on CColorEdit and adds colouring by a syntax template
// chosen per file, the context menu and its commands (ExecuteCommand),
// brace matching, auto-indent, F12 bookmarks, identifier tips and the tip
// beside the scroll thumb, and the window side of the line, case and
// comment tools of the syntax core.
//
// Every change of the text goes through the text core (CColorEditCore) or
// the base class, so that read-only, capacity and undo hold here as well.
// What the control needs of the program around it goes through
// CEditorShell (editor_shell.h).
//
// Messages handled beyond the base: 0x4CD recolour (wParam: repaint),
// 0x414 take the focus, 0x419 passed on to the main frame, WM_PASTE,
// WM_COMMAND (ExecuteCommand), WM_NOTIFY TTN_NEEDTEXTA/W (identifier tips).
#pragma once

#include "editor/editctl/window/coloredit.h"
#include "editor/syntax/brace_goto.h"
#include "editor/syntax/comment_index.h"
#include "editor/symbols/symbol_hits.h"
#include "editor/syntax/syntax_template.h"
#include "editor/syntax/text_macro.h"
#include "editor/syntax/window/command_ids.h"
#include "editor/syntax/window/editor_shell.h"
#include "editor/syntax/window/frame_messages.h"
#include "editor/syntax/window/info_tip.h"

#include <commctrl.h>

#include <string>
#include <vector>

const UINT EDM_TAKEFOCUS = 0x414;
// Relayed to the main frame as its find request.
const UINT EDM_FINDREPLACE = WM_FIND_REQUEST;
// Timer 3 scrolls while a dragged text is held beyond the window's edge.
const UINT_PTR kDragScrollTimer = 3;


// Settings of [DefaultSettings] the control reads (kept by the application;
// "Syntax" is g_bSyntaxColoring, "AutoCopy" and "SelAfterPaste" are the
// edit control's settings).
struct SyntaxEditSettings {
    int autoIndent = 0;       // "AutoIndent"
    int extMovTxt = 0;        // "ExtMovTxt": drag and drop of text
    int multiClick = 0;       // "MultiClick"
    int extContextMenu = 0;   // "ExtContextMenu"
    int supressComments = 0;  // "SupressComments": brace searches skip comments
};
SyntaxEditSettings& GetSyntaxEditSettings();

// The size of the control's tip-text buffer; longer tips are cut.
const int kTipTextSize = 512;
// The tool id of identifier tips.
const UINT_PTR kIdentifierToolId = static_cast<UINT_PTR>(-2);

class CNColorEditCtrl : public CColorEdit {
public:
    CNColorEditCtrl();
    ~CNColorEditCtrl() override;

    // Creates the window as a child of parent (which hears the forwarded
    // commands) with tool tips enabled.
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    using CColorEdit::Create;
    // Where the word of the last context menu starts (-1: none).
    int WordOffset() const { return m_nWordOffset; }

    // --- syntax template -------------------------------------------------
    void SetSyntaxTemplate(const SyntaxTemplatePtr& tmpl);
    SyntaxTemplatePtr GetSyntaxTemplate() const { return m_template.lock(); }
    // The template FindSyntaxTemplate picks for the editor's path.
    void ChooseDefaultTemplate();
    // Colours [start, end) (-1: the first visible line, the page end).
    int ColorizeRange(int start, int end);

    // --- keys ---------------------------------------------------------------
    void ProcessChar(int c, int modifiers);
    void ProcessKeyDown(int key, int modifiers);

    // --- commands -------------------------------------------------------------
    // The dispatcher of the context menu, the frame and macro playback:
    // the editor's part, then (unless the command answers itself) the same
    // WM_COMMAND to the parent, whose result is returned.
    LRESULT ExecuteCommand(WPARAM wParam, LPARAM lParam);
    // Builds the context menu for a click at a client point (the state it
    // leaves is what ExecuteCommand uses); the caller destroys it.
    HMENU BuildContextMenu(POINT point);
    // Shows the menu at a screen point; the choice arrives as WM_COMMAND.
    // Tests override it to read the menu and choose.
    virtual void TrackContextMenu(HMENU menu, POINT screen);

    // --- clipboard ---------------------------------------------------------
    int Copy(int append);
    void Cut();
    void Paste(int mode);
    // The clipboard's CF_TEXT; false (and an empty text) when there is none.
    bool GetClipboardText(std::string& text) const;
    void SelectAllText();
    void SetTopLine(int line, int repaint);

    // --- brace matching ------------------------------------------------------
    void PrepareBraceGoto();
    int GoToMatchingBrace(int direction);
    // Selects the pair of the bracket character around the recorded brace
    // state (+1 forwards, -1 backwards, 0 the innermost enclosing pair).
    int HighlightBracePair(char bracket);
    const BraceGotoState& BraceState() const { return m_braceState; }

    // --- searches and lexical tests on the own text ------------------------
    int FindTextSkipComments(const char* text, int flags, int from, int to, bool select, bool skipComments);
    bool IsInComment(const char* position) const;
    bool IsInString(const char* position) const;
    bool IsPreprocessorLine(int offset) const;
    int CountBracketBalance(int from, int to, char bracket) const;
    int FindCommentOpen(int from, int to) const;
    int FindCommentClose(int from, int to) const;
    int FindLastCommentOpen(int position, int lowerBound) const;
    int FindLastCommentClose(int position, int lowerBound) const;
    // The identifier under a client point: its length, or -1.
    int GetWordAtPoint(POINT point, int& start, std::string& word) const;

    // --- text macros ------------------------------------------------------------
    // What the placeholders of a text macro stand for in this editor (now,
    // its document's title and path, the user, the workspace).
    TextMacroContext PlaceholderContext();

    // --- parsers on the own text ---------------------------------------------
    int ParseCFunctions(CSymbolMap& map, COvantaDoc* document, CSymbolMap* variables);
    bool FindNextBlock(int& pos, int& blockEnd) const;
    void CollectCalls(std::vector<std::string>& names, int from, int to, bool multiple) const;
    int ParsePerlSubs(CSymbolMap& map, COvantaDoc* document);
    int ParseVerilogBlocks(CSymbolMap& map, COvantaDoc* document, const char* begin, const char* end);
    void ParseVerilogNamedBlocks(const CSymbolInfo& module, std::vector<CSymbolInfo>& list) const;
    void ParseVerilogAssigns(const CSymbolInfo& module, std::vector<CSymbolInfo>& list) const;
    void ParseVerilogPorts(const CSymbolInfo& module, std::vector<CSymbolInfo>& list, int kind) const;

    // --- line, column and case tools ------------------------------------------
    void DeleteLine();
    void DeleteToLineEnd();
    void ColumnInsertBlank();
    void ColumnDeleteBlank();
    void IndentLinesByBlank();
    void UnindentLinesByBlank();
    void ConvertColumnCase(int mode);
    void DeleteTrailingSpaces(int first, int last);
    void DeleteLeadingSpaces(int first, int last, int keepCommentBlanks);
    void DeleteEmptyLines(int first, int last);
    int CountLinesOfCode() const;
    void SetCComment();
    // "Insert File": the file's lines each ended by a CR; false when the
    // file cannot be opened or is empty.
    static bool ReadTextFile(const char* path, std::string& text);
    static int MatchLetterCase(std::string& text, const std::string& model);
    static bool IsAllUpper(const std::string& text);
    static bool IsAllLower(const std::string& text);
    static int ClassifyNumber(const std::string& text);
    void IndentTextLines(std::string& text, int count) const;

    // --- files ----------------------------------------------------------------
    int LoadFile(const char* path);

    // --- identifier tips ----------------------------------------------------
    // The tool under a point: the tool counter (-1: none).
    int OnToolHitTest(POINT point, TOOLINFOA* info);
    // TTN_NEEDTEXTA/W: 1 text given, 0 nothing found, -1 no identifier.
    LRESULT OnToolTipText(NMHDR* header);
    const char* TipText() const { return m_tipText; }
    HWND ToolTipWindow() const { return m_hToolTip; }

    // --- drag-and-drop of text ("ExtMovTxt") ----------------------------------
    // The pointer lies on the selection (a press there starts a drag).
    bool PointerOverSelection() const { return m_bOverSelection != 0; }
    bool IsDragging() const { return m_bDragging != 0; }
    // The cursors of the control, from the program's cursor resources.
    enum CursorKindValue { kCursorDefault, kCursorDragCandidate, kCursorDragMove, kCursorDragCopy, kCursorIndentMove };
    static HCURSOR DragCursor(int kind);
    // The cursor the control shows now (a CursorKindValue).
    int CursorKind() const;

    // The parent given to Create (hears the forwarded commands).
    HWND m_hParentWnd = nullptr;
    // The indent-move mode (command "Indent Move Text").
    int m_bIndentMove = 0;
    // The remembered "Fill selected Column" text.
    std::string m_strFillText;

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The text core's load progress: the status bar's progress and line count.
    void LoadProgress(int64_t bytesRead, int64_t total, int lines) override;
    int SaveLineWrapSetting() override;

    // Handlers.
    LRESULT OnRecolour(WPARAM wParam, LPARAM lParam);
    LRESULT OnTakeFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnFindRelay(WPARAM wParam, LPARAM lParam);
    LRESULT OnPasteMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    void OnChar(UINT c, UINT repeat, UINT flags);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnRButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    void OnTimer(UINT_PTR id);
    void OnVScroll(UINT code, UINT pos, HWND bar);
    void OnHScroll(UINT code, UINT pos, HWND bar);
    void OnSetFocus(HWND oldFocus);
    void OnKillFocus(HWND newFocus);
    void OnDestroy();
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);

private:
    // After an edit of the control's own: caret, lines, repaint, parent.
    void AfterEdit(int fromOffset);
    void RepaintFrom(int fromOffset) { AfterEdit(fromOffset); }
    void ShiftSelectedLines(int first, int last, int direction);
    void AlignClosingBrace();
    void InsertMacroText(const std::string& text);
    void ConvertSelectionCase(int mode);
    void ConvertNumber(bool toHex);
    void SelectDirective(UINT id);
    void SetLineEndToMouse();
    void AddExtendedEntries(HMENU menu, POINT point);
    void SetCCommentWithKeys(int keys);
    void ReloadFile();
    void ChangeToFileDirectory();
    void InsertTextMacro(int index);
    void SelectedLines(int& column, int& first, int& last);
    void FillSelectedColumn();
    void NumberSelectedColumn(int keysAtStart);
    std::string BookmarkName(int line);
    void CreateToolTip();
    void StartIndentMove();
    void DrawIndentGuide(bool erase);
    void EndIndentMove();
    void RelayToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    HBITMAP MenuBitmap(int slot, int resourceId);
    void TrackPointerOverSelection(POINT point);
    void StartDrag();
    void EndDrag();
    int DropCaretAt(POINT point);
    void SetDragStep(int step);
    void DragMouseMove(POINT point);
    void OnDragTimer();
    void FinishDrag(UINT flags, POINT point);
    void DropOnWindow(HWND target);
    void MoveSelectionTo(int drop, bool copy);
    void NotifySplitRows();

    SyntaxTemplateRef m_template;
    bool m_hasTemplate = false;
    CCommentIndex m_commentIndex;
    BraceGotoState m_braceState;
    CInfoTipWnd m_infoTip;

    // What the context menu leaves for the commands.
    std::string m_strWord;
    int m_nWordOffset = -1;
    int m_nDirectiveOffset = 0;
    POINT m_ptClicked{0, 0};
    int m_nBookmarkMode = 1;
    bool m_haveDefinition = false;
    CSymbolHit m_definition;

    // Multi-click: ticks of timer 4 since the double click (0: not
    // counting) and the further clicks counted.
    int m_nMultiClickTicks = 0;
    int m_nFurtherClicks = 0;

    // Indent move: the press and pointer x (whole cells), the caret's
    // column when the mode started, the selection start at the press, the
    // selected lines and the guide last drawn.
    int m_nPressX = 0;
    int m_nPointerX = 0;
    bool m_bIndentPressed = false;
    int m_nIndentColumn = 0;
    int m_nPressSelStart = 0;
    int m_nFirstSelLine = 0;
    int m_nLastSelLine = 0;
    RECT m_rcGuide{0, 0, 0, 0};

    // The bitmaps beside the context menu's entries.
    enum { kSlotIndentMove, kSlotIndentMoveChecked, kSlotBrace, kSlotGotoBrace, kSlotBookmark, kMenuBitmapSlots };
    HBITMAP m_menuBitmaps[kMenuBitmapSlots] = {};

    // Drag-and-drop: the pointer-over-selection flag, a drag running, the
    // auto-scroll step of timer 3 and whether the timer runs.
    int m_bOverSelection = 0;
    int m_bDragging = 0;
    int m_nDragStep = 0;
    bool m_bDragTimer = false;

    // Identifier tips.
    HWND m_hToolTip = nullptr;
    POINT m_ptLastTip{-1, -1};
    int m_nShownTool = -1; // the tool the tool-tip control holds
    char m_tipText[kTipTextSize] = {};

    DECLARE_MESSAGE_MAP()
};
