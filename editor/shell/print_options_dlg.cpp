#include "editor/shell/print_options_dlg.h"

#include "editor/shell/print_options_res.h"

#include "winui/commdlg.h"

BEGIN_MESSAGE_MAP(CPrintOptionsDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_PRINT_NOW, &CPrintOptionsDlg::OnPrintNow)
    ON_BN_CLICKED(IDC_PRINT_CHANGE_FONT, &CPrintOptionsDlg::OnChangeFont)
END_MESSAGE_MAP()

CPrintOptionsDlg::CPrintOptionsDlg(PrintOptions& options, int& fromLine, int& toLine,
                                   LOGFONTA& printFont, HWND parent)
    : winui::CDialog(IDD_PRINT_OPTIONS, parent), options_(options), fromLine_(fromLine),
      toLine_(toLine), printFont_(printFont)
{
}

void CPrintOptionsDlg::TakeOptions(const PrintOptions& o)
{
    m_nPlacement = o.bannerTop;
    m_bPageNo = o.pageNo;
    m_bLineNo = o.lineNo;
    m_bFileName = o.fileTitle;
    m_bDate = o.actDate;
    m_bPrintBW = o.printBW;
    m_bCompress = o.compressLines;
}

void CPrintOptionsDlg::GiveOptions(PrintOptions& o) const
{
    o.bannerTop = m_nPlacement;
    o.pageNo = m_bPageNo;
    o.lineNo = m_bLineNo;
    o.fileTitle = m_bFileName;
    o.actDate = m_bDate;
    o.printBW = m_bPrintBW;
    o.compressLines = m_bCompress;
}

BOOL CPrintOptionsDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    auto box = [](int on) { return on ? BST_CHECKED : BST_UNCHECKED; };
    CheckDlgButton(IDC_PRINT_PAGE_NO, box(m_bPageNo));
    CheckDlgButton(IDC_PRINT_FILE_NAME, box(m_bFileName));
    CheckDlgButton(IDC_PRINT_DATE, box(m_bDate));
    CheckDlgButton(IDC_PRINT_LINE_NO, box(m_bLineNo));
    CheckDlgButton(IDC_PRINT_COMPRESS, box(m_bCompress));
    // The box shows the option in force, not the member.
    CheckDlgButton(IDC_PRINT_BW, box(options_.printBW));
    if (m_nFirstLine != -1) {
        SetDlgItemInt(IDC_PRINT_FROM_LINE, static_cast<UINT>(m_nFirstLine), TRUE);
        SetDlgItemInt(IDC_PRINT_TO_LINE, static_cast<UINT>(m_nLastLine), TRUE);
    }
    CheckRadioButton(IDC_PRINT_TOP, IDC_PRINT_BOTTOM, m_nPlacement ? IDC_PRINT_TOP : IDC_PRINT_BOTTOM);
    ShowSampleFont();
    CheckRadioButton(IDC_PRINT_LINES_FROM, IDC_PRINT_ALL,
                     m_nFirstLine < m_nLastLine ? IDC_PRINT_LINES_FROM : IDC_PRINT_ALL);
    if (m_bPrintMode)
        SetDlgItemText(IDOK, "Print preview");
    EnableDlgItem(IDC_PRINT_NOW, m_bPrintMode != 0);
    return TRUE;
}

void CPrintOptionsDlg::ShowSampleFont()
{
    HFONT font = ::CreateFontIndirectA(&printFont_);
    if (!font)
        return;
    // The static takes the new font before the old one goes.
    SendDlgItemMessage(IDC_PRINT_FONT_SAMPLE, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    m_font.DeleteObject();
    m_font.m_hObject = font;
}

int CPrintOptionsDlg::LineField(int id) const
{
    if (GetDlgItemText(id).empty())
        return -1;
    // Text that is no number counts as 0.
    return static_cast<int>(GetDlgItemInt(id, nullptr, TRUE));
}

void CPrintOptionsDlg::ReadControls()
{
    auto checked = [this](int id) { return IsDlgButtonChecked(id) == BST_CHECKED ? 1 : 0; };
    m_bPageNo = checked(IDC_PRINT_PAGE_NO);
    m_bFileName = checked(IDC_PRINT_FILE_NAME);
    m_bDate = checked(IDC_PRINT_DATE);
    m_bLineNo = checked(IDC_PRINT_LINE_NO);
    m_bCompress = checked(IDC_PRINT_COMPRESS);
    m_bPrintBW = checked(IDC_PRINT_BW);
    m_nPlacement = checked(IDC_PRINT_TOP);
    m_nFirstLine = LineField(IDC_PRINT_FROM_LINE);
    m_nLastLine = LineField(IDC_PRINT_TO_LINE);
}

void CPrintOptionsDlg::CopyToOptions(bool useAll)
{
    GiveOptions(options_);
    bool all = useAll && IsDlgButtonChecked(IDC_PRINT_ALL) == BST_CHECKED;
    if (all || m_nFirstLine == -1 || m_nLastLine == -1) {
        fromLine_ = -1;
        toLine_ = -1;
    } else {
        fromLine_ = m_nFirstLine;
        toLine_ = m_nLastLine;
    }
}

void CPrintOptionsDlg::OnOK()
{
    ReadControls();
    if (!m_bPrintMode) {
        EndDialog(IDOK);
        return;
    }
    CopyToOptions(true);
    EndDialog(IDOK);
    if (m_onPrintPreview)
        m_onPrintPreview();
}

void CPrintOptionsDlg::OnPrintNow()
{
    // Only print mode prints (the button is disabled otherwise).
    if (!m_bPrintMode)
        return;
    ReadControls();
    CopyToOptions(false);
    EndDialog(IDPRINT_OPTIONS_PRINT);
}

void CPrintOptionsDlg::OnChangeFont()
{
    // Screen and printer fonts of fixed pitch. No printer context is
    // given, so that the height comes in screen pixels as the editor
    // font's does (printing scales it by 15 to twips).
    winui::CFontDialog dlg(&printFont_,
                           CF_SCREENFONTS | CF_PRINTERFONTS | CF_FIXEDPITCHONLY | CF_INITTOLOGFONTSTRUCT,
                           m_hWnd);
    if (dlg.DoModal() != IDOK)
        return;
    printFont_ = dlg.m_lf;
    ShowSampleFont();
}
