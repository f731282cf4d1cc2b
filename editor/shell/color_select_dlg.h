// CColorSelectDlg: "COLOR Select", the colour and options of one keyword
// entry of a syntax template, and the place where the shared colour table
// (16 text and 16 background colours) and the default background change.
// Opened without a keyword it edits the colour table alone.
#pragma once

#include "editor/shell/syntax_dialogs_res.h"
#include "winui/dialog.h"

#include <cstdint>
#include <string>

class CColorSelectDlg : public winui::CDialog {
public:
    explicit CColorSelectDlg(COLORREF background, HWND parent = nullptr);
    ~CColorSelectDlg() override;

    int m_nValue = 0; // the entry's colour index (only the low byte is used)
    std::string m_strKeyword;
    COLORREF m_clrBackground;
    int m_bToLineEnd = 0;
    int m_bWholeWord = 0;
    int m_bCaseSensitive = 1;
    int m_bToWordEnd = 0;
    int m_bBetweenStrings = 0;

    // The five flags shown for an entry value: "case sensitive" is the
    // inverse of the ignore-case bit, and between-strings shows the other
    // four options off.
    void SetFlagsFromValue(int32_t value);
    // `value` with each of the five option bits set or cleared from the flags.
    int32_t ApplyFlags(int32_t value) const;

    // The palette cell of a colour index and the cell under a point, in
    // client coordinates of the dialog (-1 outside); for painting, clicks
    // and tests.
    RECT PaletteCell(int paletteId, int index) const;
    int PaletteIndexAt(int paletteId, POINT pt) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnPaint();
    void OnLButtonDown(UINT flags, POINT pt);
    void OnTextIndexChange() { ClampIndex(IDC_TEXT_INDEX); }
    void OnBackIndexChange() { ClampIndex(IDC_BACK_INDEX); }
    void OnChangeText();
    void OnChangeBack();
    void OnDefaultBackground();
    void OnBetweenStrings();
    void OnOtherOption();
    LRESULT OnCtlColorEdit(WPARAM dc, LPARAM ctrl);

    DECLARE_MESSAGE_MAP()

private:
    RECT PaletteArea(int paletteId) const;
    int IndexOf(int editId) const;
    void ClampIndex(int editId);
    void Repaint();
    // Asks the common colour dialog; false when it was cancelled.
    bool AskColour(COLORREF initial, COLORREF& chosen);

    uint32_t savedTable_[32] = {};
    HBRUSH editBrush_ = nullptr;
    bool keywordMode_ = false;
};
