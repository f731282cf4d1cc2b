// CPrintOptionsDlg: "Print options" (template 172). In settings mode
// ("Print Settings...") it edits its members and the opening command copies
// them; in print mode (before printing) it copies them itself into the
// print options and the print range: "Print preview" then asks for the
// preview, "&Print" ends with IDPRINT_OPTIONS_PRINT (10) and the view
// prints. "Change Font..." changes the printer LOGFONT at once.
#pragma once

#include "editor/shell/print_layout.h"

#include "winui/dialog.h"
#include "winui/gdi.h"

#include <windows.h>

#include <functional>

class CPrintOptionsDlg : public winui::CDialog {
public:
    // options: the print options in force (their "PrintBW" is what the box
    // shows; print mode writes them); fromLine, toLine: the print range
    // held (print mode writes it); printFont: the printer LOGFONT.
    CPrintOptionsDlg(PrintOptions& options, int& fromLine, int& toLine, LOGFONTA& printFont,
                     HWND parent);

    BOOL OnInitDialog() override;
    // "Set" / "Print preview".
    void OnOK() override;

    // Members from the print options, and back.
    void TakeOptions(const PrintOptions& o);
    void GiveOptions(PrintOptions& o) const;

    int m_nPlacement = 1; // 1 top, 0 bottom
    int m_bPageNo = 0;
    int m_bLineNo = 0;
    int m_bFileName = 0;
    int m_bDate = 0;
    int m_bPrintBW = 1;
    int m_bPrintMode = 1;
    int m_bCompress = 0;
    int m_nFirstLine = -1; // -1: the whole text
    int m_nLastLine = -1;
    // The sample font of the "Font" static.
    winui::CFont m_font;
    // Print mode's "Print preview", called after the dialog ended and the
    // values were copied: sends the print preview command to the active view.
    std::function<void()> m_onPrintPreview;

protected:
    void OnPrintNow();
    void OnChangeFont();
    DECLARE_MESSAGE_MAP()

private:
    // Boxes, placement and the two line fields into the members.
    void ReadControls();
    // Members into the print options and the range; "All" counts when
    // useAll is set.
    void CopyToOptions(bool useAll);
    int LineField(int id) const;
    void ShowSampleFont();

    PrintOptions& options_;
    int& fromLine_;
    int& toLine_;
    LOGFONTA& printFont_;
};
