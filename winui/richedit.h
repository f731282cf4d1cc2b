// CRichEditCtrl: the rich edit control (RICHEDIT_CLASSA of riched20.dll,
// loaded on first use) as a thin CControl wrapper.
//
//   Create          LoadLibraryA("riched20.dll"), CreateWindowExA
//   StreamIn        EM_STREAMIN (SF_TEXT or SF_RTF) from a byte string
//   StreamOut       EM_STREAMOUT into a byte string
//   GetSel, SetSel  EM_EXGETSEL, EM_EXSETSEL
//   LineFromChar    EM_EXLINEFROMCHAR        LineIndex  EM_LINEINDEX
//   GetLineCount    EM_GETLINECOUNT          GetTextLength  EM_GETTEXTLENGTHEX
//   GetTextRange    EM_GETTEXTRANGE
//   LimitText       EM_EXLIMITTEXT           SetReadOnly  EM_SETREADONLY
//   GetModify, SetModify   EM_GETMODIFY, EM_SETMODIFY
//   HideSelection   EM_HIDESELECTION         SetTabStops  EM_SETPARAFORMAT (PFM_TABSTOPS)
//   CanUndo, Undo, Cut, Copy, Paste, Clear   EM_CANUNDO, EM_UNDO, WM_CUT,
//                                            WM_COPY, WM_PASTE, WM_CLEAR
//   ReplaceSel      EM_REPLACESEL            ScrollCaret  EM_SCROLLCARET
//   FindText        EM_FINDTEXTEX
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>

#include "winui/controls.h"

namespace winui {

class CRichEditCtrl : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

    // Replaces the text (or the selection with SFF_SELECTION in format).
    bool StreamIn(const std::string& bytes, int format = SF_TEXT)
    {
        return StreamIn(bytes.data(), bytes.size(), format);
    }
    bool StreamIn(const char* bytes, size_t size, int format = SF_TEXT);
    std::string StreamOut(int format = SF_TEXT) const;

    CHARRANGE GetSel() const;
    void SetSel(LONG start, LONG end) const;
    LONG LineFromChar(LONG index) const
    {
        return static_cast<LONG>(SendMessage(EM_EXLINEFROMCHAR, 0, index));
    }
    // First character of a line; -1 beyond the last line.
    LONG LineIndex(LONG line) const { return static_cast<LONG>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
    LONG GetLineCount() const { return static_cast<LONG>(SendMessage(EM_GETLINECOUNT)); }
    LONG GetTextLength() const;
    std::string GetTextRange(LONG start, LONG end) const;
    void LimitText(LONG chars) const { SendMessage(EM_EXLIMITTEXT, 0, chars); }
    LONG GetLimitText() const { return static_cast<LONG>(SendMessage(EM_GETLIMITTEXT)); }
    void SetReadOnly(BOOL on) const { SendMessage(EM_SETREADONLY, on); }
    bool GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
    void SetModify(BOOL on) const { SendMessage(EM_SETMODIFY, on); }
    void HideSelection(BOOL hide) const { SendMessage(EM_HIDESELECTION, hide, 0); }
    // Tab stops at the given positions in twips, for the paragraphs selected.
    bool SetTabStops(const LONG* twips, int count) const;

    bool CanUndo() const { return SendMessage(EM_CANUNDO) != 0; }
    void Undo() const { SendMessage(EM_UNDO); }
    void Cut() const { SendMessage(WM_CUT); }
    void Copy() const { SendMessage(WM_COPY); }
    void Paste() const { SendMessage(WM_PASTE); }
    void Clear() const { SendMessage(WM_CLEAR); }
    void ReplaceSel(const char* text, BOOL canUndo = TRUE) const
    {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void ScrollCaret() const { SendMessage(EM_SCROLLCARET); }
    // The range found from the start of range (FR_DOWN, FR_MATCHCASE,
    // FR_WHOLEWORD in flags), or -1 when there is none.
    LONG FindText(DWORD flags, const char* text, CHARRANGE range, CHARRANGE* found) const;
};

} // namespace winui
