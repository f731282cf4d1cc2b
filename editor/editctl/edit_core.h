// CColorEditCore: the text side of the editing control, without any window.
//
// One core belongs to one control (one window). It works on a CTextState that
// it owns itself (a stand-alone control) or that a document owns and attaches
// (AttachState), so that every view of a document edits one shared text. The
// core keeps the per-window values that text operations need (first visible
// line, visible line count, caret line) and tells its window what happened
// through CColorEditHost; the window class implements the host and stands on
// the core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/editctl/text_state.h"
#include "editor/editctl/undo_record.h"

// <commdlg.h> maps FindText to FindTextA; the control's member keeps its name
// in every file that includes both.
#ifdef FindText
#undef FindText
#endif

// Answers of the two questions of the changed-on-disk check (IDYES, IDNO).
const int kAnswerYes = 6;
const int kAnswerNo = 7;

extern const char* const kOutOfMemoryText;   // "Out of memory !"
extern const char* const kChangedOnDiskText; // reload question
extern const char* const kMovedOrDeletedText; // save-again question
extern const char* const kControlBytesText;  // a file refused for its bytes 0, 1 or 2

// What the window does for the core. Every window that carries a core
// implements all of it; a core without a window uses CNeutralColorEditHost.
class CColorEditHost {
public:
    virtual ~CColorEditHost() = default;

    // The modified flag changed (the window sends 0x4CB to its parent).
    virtual void ModifiedChanged(int flag) = 0;
    // The line count changed by diff (0x4CC to the parent, lParam caret line).
    virtual void LineCountChanged(int diff, int caretLine) = 0;
    // Recolour request after deletions and undo (0x4CD to the control itself).
    virtual void Recolour(int value) = 0;
    // Caret, selection or scroll position changed (0x4CA to the parent).
    virtual void SelectionChanged() = 0;
    // The text from the offset on must be repainted (-1: everything).
    virtual void TextChanged(int fromOffset) = 0;
    // The text was emptied: caret and selection stand at 0.
    virtual void TextCleared() = 0;
    // The first visible line changed: scroll bar, caret and painting follow.
    virtual void ViewScrolled() = 0;
    // SetSel's window part: caret placement, highlight, scrolling.
    virtual void SelectionSet(int oldStart, int oldEnd, bool scroll, bool redraw) = 0;
    // A search hit was selected and the control should take the focus.
    virtual void TakeFocus() = 0;
    // Shows kOutOfMemoryText ("Out of memory !", OK button, no icon).
    virtual void ReportOutOfMemory() = 0;
    // Asks a Yes/No question with the exclamation icon; kAnswerYes or kAnswerNo.
    virtual int AskYesNo(const char* text, const char* caption) = 0;
    // LoadFile read bytes of total and made lines so far: told after every
    // megabyte of a file, for a progress display.
    virtual void LoadProgress(int64_t bytesRead, int64_t total, int lines) = 0;
    // LoadFile refused the file at path (kControlBytesText): it holds bytes
    // the text model keeps for itself, which would not be saved again.
    virtual void ReportFileRefused(const char* text, const char* path) = 0;
    // The application's SaveLineWrap setting (soft breaks saved as line breaks).
    virtual int SaveLineWrapSetting() = 0;
};

// The host of a core that has no window: nothing is shown, every question
// is answered No, soft breaks are saved as they are.
class CNeutralColorEditHost : public CColorEditHost {
public:
    void ModifiedChanged(int) override {}
    void LineCountChanged(int, int) override {}
    void Recolour(int) override {}
    void SelectionChanged() override {}
    void TextChanged(int) override {}
    void TextCleared() override {}
    void ViewScrolled() override {}
    void SelectionSet(int, int, bool, bool) override {}
    void TakeFocus() override {}
    void ReportOutOfMemory() override {}
    int AskYesNo(const char*, const char*) override { return kAnswerNo; }
    void LoadProgress(int64_t, int64_t, int) override {}
    // The caller reads a refused load from LoadFile's result.
    void ReportFileRefused(const char*, const char*) override {}
    int SaveLineWrapSetting() override { return 0; }
};

// Status of a file as last loaded, saved or checked.
struct CFileStatus {
    int64_t lastWrite = 0;  // nanoseconds; compared, never interpreted
    int64_t size = 0;
    uint8_t attribute = 0;  // 0x01 read-only; 0 = the file did not exist
    std::string path;
};
const uint8_t kAttrReadOnly = 0x01;
const uint8_t kAttrNormal = 0x80;

// Flags of InsertText.
enum : int {
    kInsertExpandTabs = 1,
    kInsertRecordUndo = 2,
    kInsertKeepCaret = 4, // passed by callers; no effect on the text
};

// Whether InsertText changed the text.
enum InsertStatus : int {
    kInsertDone = 1,
    kInsertRefused = -1,   // read-only, or a column block is active
    kInsertNoMemory = 0,   // the buffers could not grow; nothing changed
};

// Flags of FindText.
enum : int {
    kFindRefuseForward = 1,
    kFindForward = 2,
    kFindWholeWord = 4,
    kFindMatchCase = 8,
    kFindNoFocus = 0x20,
};

// Option bits of a keyword value for HighlightKeyword.
const uint32_t SYNTAX_COLOR_MASK = 0x000000FF;
const uint32_t SYNTAX_WHOLE_WORD = 0x01000000;
const uint32_t SYNTAX_TO_LINE_END = 0x02000000;
const uint32_t SYNTAX_IGNORE_CASE = 0x04000000;
const uint32_t SYNTAX_TO_WORD_END = 0x08000000;
const uint32_t SYNTAX_BETWEEN_STRINGS = 0x10000000;

// Lines longer than this are cut into pieces joined by soft breaks.
const int kLongLineLimit = 0x7FFF;   // 32,767
const int kLongLineWrap = 0x7FFE;    // 32,766
const int kAppendLineLimit = 0x8000; // 32,768

class CColorEditCore {
public:
    CColorEditCore();
    virtual ~CColorEditCore();
    CColorEditCore(const CColorEditCore&) = delete;
    CColorEditCore& operator=(const CColorEditCore&) = delete;

    // --- storage -----------------------------------------------------------
    // Points the control at a document's storage (null: back to its own).
    void AttachState(CTextState* state);
    CTextState& State() { return *m_pState; }
    const CTextState& State() const { return *m_pState; }
    void SetHost(CColorEditHost* host);

    uint8_t* GetTextBuffer() const { return m_pState->Text(); }
    uint8_t* GetAttrBuffer() const { return m_pState->Attr(); }
    int GetTextLength() const { return m_pState->length; }
    int GetLineCount() const { return static_cast<int>(m_pState->lineCount); }
    int GetTopLine() const { return m_nTopLine; }

    // --- insertion, appending and capacity ---------------------------------
    // Replaces the selection by the text (flags kInsert...); length becomes
    // the inserted length after tab expansion. Result: inserted minus
    // replaced length; -1 while read-only or a column block is active; 0
    // when memory ran out (nothing changed). The caret is not moved.
    // Because a real net change can be -1 or 0 as well, callers that must
    // know whether the text was changed read the status, which is given
    // apart from the length: kInsertDone, kInsertRefused or kInsertNoMemory.
    int InsertText(const uint8_t* text, int& length, const uint8_t* attr, int flags,
                   InsertStatus* status = nullptr);
    void ReplaceSel(const char* text, bool undoable, bool moveCaret);
    // Appends a line of at most 32,768 bytes (new line: after a CR;
    // continuation: after a soft break); 1 or 0.
    int AppendLine(const char* text, int attr, bool redraw, bool continuation, bool newLine);
    int AppendLineString(const std::string& text, int attr, bool redraw, bool continuation);
    // Replaces the whole text; 0 when memory ran out (text unchanged).
    int SetText(const char* text);
    void ClearText();
    int EnsureCapacity(uint32_t additional);
    int AllocBuffers(uint32_t capacity);
    // Expands the tabs of a plain text in place (room needed: length +
    // tabs x (tab width - 1) + 1); returns the new length.
    int ExpandTabs(uint8_t* text, int length) const;

    int GetLine(int line, char* buffer, int size, uint8_t* attrBuffer = nullptr) const;
    int GetLineAtOffset(int offset, char* buffer, int size) const;
    int GetLineEnd(int offset) const;
    int GetCharColor(int offset) const;

    // --- character editing -------------------------------------------------
    // One character at the caret, replacing the selection; 1, or 0 when
    // refused (read-only, column block, out of memory).
    int InsertChar(int c, int attr, bool recordUndo);
    // Deletes the selection, or one character (a tab with its fill) forward
    // or backward; the caret offset after it, or -1 when refused. A non-zero
    // notify value is passed to the host's Recolour.
    int DeleteText(bool forward, bool recordUndo, int notify);

    // Overwrite typing: the character under the caret becomes c (its
    // colour attribute stays) and the caret steps behind it; a line break,
    // a tab or the text end under the caret, or a typed tab or CR, is
    // inserted instead (InsertChar). 1, or 0 when refused.
    int OverwriteChar(int c);
    // Backspace in overwrite mode: the character under the caret becomes a
    // blank (line breaks and tabs stay) and the caret steps one position
    // left. 1, or 0 when read-only.
    int OverwriteBackspace();

    // --- caret navigation --------------------------------------------------
    // One caret position right or left; fill bytes are never a position.
    int NextPos(int offset) const;
    int PrevPos(int offset) const;
    // Start of the word (or run of blanks, or of other characters) before
    // or after the offset; a line break is a step of its own.
    int WordLeft(int offset) const;
    int WordRight(int offset) const;
    // The offset at a column of a line, clamped to the line's end, a fill
    // byte stepping back to its tab; the text length beyond the last line.
    int OffsetAtLineColumn(int line, int column);
    // The first byte that is not a blank or tab on the line from lineStart;
    // lineStart itself when the line holds nothing else.
    int FirstNonBlank(int lineStart) const;

    // --- column blocks ------------------------------------------------------
    // Columns count bytes of the text (tab fill bytes are columns). Every
    // piece inserted or deleted is an undo step of its own.
    // The text with every line after the first indented to the column,
    // inserted at the caret as one step; caret behind it.
    void InsertColumnText(int column, const std::string& text);
    // Each line of the text at the column of consecutive lines from line
    // on; shorter lines are padded, missing lines added. Nothing when the
    // first line does not reach the column. Caret at the first piece.
    void InsertColumnBlock(int column, int line, const std::string& text);
    // The block of width columns from leftColumn over lines [firstLine,
    // firstLine + lines) as rows of exactly width characters (short lines
    // padded with blanks, tab fill removed) joined by CR LF. With doDelete
    // the block's part of each line is deleted (undoable) and the caret
    // goes to the block's top-left corner; *deleted tells whether anything
    // went.
    std::string ColumnBlockText(int firstLine, int lines, int leftColumn, int width, bool doDelete,
                                bool* deleted = nullptr);
    // Deletes up to -count characters at the column (count <= 0) or inserts
    // count fill bytes at the column (count > 0) on each line of the range
    // that reaches it; selection kept. 1 when done, 0 when refused.
    int ShiftColumn(int column, int firstLine, int lastLine, int count, int fill);
    // Numbers the lines at the column; with keepSelected the old selection
    // grows over everything inserted, else the caret returns to its offset.
    int NumberColumn(int column, int firstLine, int lastLine, int hex, int prefix, int first,
                     bool keepSelected);
    // Puts a one-line text at the column of each line of the range.
    int FillColumn(int column, int firstLine, int lastLine, const char* text, int shorterToo,
                   int atLineEnd, int pad, bool keepSelected);

    // --- undo --------------------------------------------------------------
    void RecordUndo(int type, int start, int end, int byte, int attr);
    void RecordUndo(int type, int start, int end, const uint8_t* text, const uint8_t* attr);
    int Undo();
    bool CanUndo() const;
    void EmptyUndoBuffer();
    // The edits recorded between BeginUndoStep and EndUndoStep make one
    // step: a single Undo takes them all back.
    void BeginUndoStep();
    void EndUndoStep();

    // --- files -------------------------------------------------------------
    // 1 when loaded; 0 when the file cannot be read or holds bytes 0, 1 or
    // 2 (the text's end and the tab fill and soft-break codes, which the
    // text cannot keep; the host is told): the text is then unchanged.
    int LoadFile(const char* name = nullptr);
    // 1 when saved; 0 without a name or when writing failed (the file on
    // disk, the text and its flags stay as they were).
    int SaveFile(const char* name, bool tabsToBlanks, bool softBreaksToCR, bool lfOnly);
    // kAnswerYes/kAnswerNo when the file was changed on disk and the user
    // was asked to reload; otherwise 0.
    int CheckFileChanged();
    // Whether the file on disk still has the status last loaded, saved or
    // checked; and taking its status as it is now, after the program itself
    // changed it (its times), so that the next check does not ask about it.
    bool FileStatusCurrent() const;
    void RefreshFileStatus();
    int SoftBreaksToCR();
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }
    const CFileStatus& GetFileStatus() const { return m_FileStatus; }

    // --- tabs and colours --------------------------------------------------
    int SetTabWidth(int width);
    int GetTabWidth() const { return m_nTabWidth; }
    int RelayoutTabs(int offset, int width);
    void UntabifyText();
    void SetTabDisplay(int mode);
    int SetColor(int index, uint32_t colour);
    uint32_t GetColor(int index) const;
    uint32_t GetBkColor(int index) const;
    void SetBackgroundColor(uint32_t colour);
    void SetColorRange(int attr, int from, int to, bool redraw);
    void ClearColorRange(int start, int end);

    // --- search ------------------------------------------------------------
    // Offset of the hit or -1 (flags kFind...; to -1 = the text end).
    int FindText(const char* text, int flags, int from, int to, bool select);
    void ScrollToOffset(int offset);
    // Writes the keyword value's colour over the keyword's occurrences in
    // [from, to]: to is the last offset of the range (inclusive), -1 the
    // text end. The byte after to counts as the end of the text, so a
    // keyword ending at to is a whole word and an unclosed region stops there.
    void HighlightKeyword(const char* keyword, int from, int to, uint32_t value, int protectedAttr);

    // --- word wrap and selection access ------------------------------------
    // Wraps the text at the column (0: no wrap) with soft breaks; the
    // number of soft breaks made.
    int SetWordWrap(int column, bool onWords);
    int FindLineBreak(int start, int length) const;
    int FindLineBreakSz(const uint8_t* text) const;
    void GetSel(int& start, int& end) const;
    std::string GetSelText() const;
    int CopySelText(char* buffer, int size) const;
    void SetSel(int start, int end, bool scroll, bool redraw);
    void SetModify(int flag);
    int GetModify() const { return m_pState->modified; }
    int SetReadOnly(int flag);
    int GetSelectionMode() const { return m_pState->columnMode ? 2 : 1; }

    // --- line geometry over the text ---------------------------------------
    int GetLineStart(int offset) const;
    int LineFromOffset(int offset);
    int GetLineOffset(int line) const;
    int GetLineOffsetClamped(int line);
    int GetLineLength(int offset) const;
    int GetPageEndOffset();
    // Bytes from the start of the offset's line (a soft break ends a line
    // only while word wrap is on): the column that tab stops count from.
    int LayoutColumn(int offset) const;
    void SetTopLine(int line);
    // A line break here: CR, or a soft break while word wrap is on.
    bool IsLineBreak(uint8_t b) const { return b == kCarriageReturn || (b == kSoftBreak && m_pState->wrapWidth); }

    // Per-window values that the window class keeps up to date.
    int m_bExpandTabs = 1;
    int m_bWrapOnWords = 0;
    int m_bShowTabs = 1;
    int m_bShowSelection = 1;
    int m_nTopLine = 0;
    int m_nTopOffset = 0;
    int m_nVisibleLines = 0;
    int m_nCaretLine = 0;
    int m_bChangedOnDisk = 0;
    // The file last loaded or saved; loading without a name, saving without
    // a name and the changed-on-disk check use it.
    std::string m_strPathName;
    uint32_t m_crBackground = 0xFFFFFF;
    uint32_t* m_pColorTable;

protected:
    CColorEditHost& Host() { return *m_pHost; }

private:
    // One splice: [start, regionEnd) of the old text becomes text/attr.
    struct Edit {
        int start = 0;
        int end = 0;        // end of the replaced range
        int regionEnd = 0;  // end of the old bytes the new region replaces
        int insLen = 0;     // bytes of the inserted part at the head of the region
        std::vector<uint8_t> text;
        std::vector<uint8_t> attr;
        int newLength = 0;
        int removedBreaks = 0;
        int addedBreaks = 0;
    };
    // Builds the new region and grows the buffers; false (nothing changed)
    // when memory ran out.
    bool PlanEdit(Edit& e, int start, int end, const uint8_t* ins, int insLen,
                  const uint8_t* insAttr, int fillAttr, bool relayoutSuffix);
    bool PlanEditRegion(Edit& e, int start, int end, const uint8_t* ins, int insLen,
                        const uint8_t* insAttr, int fillAttr, bool relayoutSuffix);
    void CommitEdit(const Edit& e);
    int CountBreaks(int from, int to) const;
    // Lays the whole text out again: tab fill for the tab width and, when
    // removeSoftBreaks is set, soft breaks made anew for wrapWidth (0: none).
    // Returns the number of soft breaks made, -1 when memory ran out.
    int RebuildText(int tabWidth, int wrapWidth, bool onWords, bool removeSoftBreaks);
    void InsertRestoredByte(uint8_t byte, uint8_t attr);
    void OverwriteByte(int offset, uint8_t byte);
    // Records the deletion of [start, end) with copies of its bytes.
    void RecordRemovedRange(int start, int end);
    // A record taken inside an undo step joins the ones before it.
    void JoinUndoStep(CUndoRecord& r);
    // Inserts bytes at an offset (caret and selection end there first);
    // the inserted length, or -1 when refused.
    int InsertAt(int offset, const std::string& bytes, int flags);
    void EndColumnInsert(int caret, int selEnd, int inserted, bool keepSelected);
    void RefreshTopOffset();
    bool TopKnown() const;
    void MarkTopKnown();
    // ClearText after the bytes: the counters, flags and view of an empty text.
    void Emptied();
    bool GrowTo(uint32_t capacity);
    void WriteFileStatus(const std::string& path, CFileStatus& status) const;

    CTextState m_ownState;
    CTextState* m_pState;
    CNeutralColorEditHost m_defaultHost;
    CColorEditHost* m_pHost;
    CFileStatus m_FileStatus;
    int m_nTabWidth = 4;
    uint32_t m_nTopVersion = 0;
    // An undo step of several records is being recorded; its first record
    // is taken.
    int m_nUndoStepDepth = 0;
    bool m_bUndoStepStarted = false;
    int m_nKnownTopLine = 0;
    int m_nKnownTopOffset = 0;
    // The last offset whose line was looked up, valid for one text version.
    int m_nHintOffset = 0;
    int m_nHintLine = 0;
    uint32_t m_nHintVersion = ~0u;
    bool m_nRebuildChanged = false;
    std::vector<uint8_t> m_lineImage; // work area of AppendLine
};

// The line-end style of a file's contents: true when its first 32,777
// bytes (or all of a shorter file) hold no CR. LoadFile leaves the
// document's LF-only flag alone; the loader of edited files sets it by this.
bool HasLfOnlyLineEnds(const uint8_t* data, size_t size);

// Free helpers on plain texts.
int StripChar(uint8_t* buffer, uint8_t byte, int length);
int RemoveTabFill(uint8_t* text);
int FindLineEnd(int start, const uint8_t* text);
int FindLineStart(int position, const uint8_t* text);
int LineFromTextOffset(int position, const uint8_t* text, int end);
// Turns every tab and fill byte into a blank; 1 when anything changed.
int TabsToSpaces(uint8_t* buffer, int length);
const uint8_t* ReverseMemChr(const uint8_t* address, int byte, int count);
const uint8_t* ReverseFindText(const uint8_t* start, const char* text, const uint8_t* bound, bool matchCase);

// Test hook: replaces the allocator of the text buffers (null restores
// malloc), so that tests can make growth fail.
typedef void* (*TextAllocFn)(size_t size);
void SetTextAllocator(TextAllocFn fn);
