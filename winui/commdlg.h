// Common dialogs, each a thin owner of the system structure it fills:
//
//   CFileDialog    GetOpenFileNameA / GetSaveFileNameA   (OPENFILENAMEA m_ofn)
//   CFontDialog    ChooseFontA                           (CHOOSEFONTA m_cf)
//   CColorDialog   ChooseColorA                          (CHOOSECOLORA m_cc)
//   CFolderDialog  SHBrowseForFolderA, SHGetPathFromIDListA, CoTaskMemFree
//   CPrintDialog   PrintDlgA (print, or print setup with PD_PRINTSETUP;
//                  PRINTDLGA m_pd), CreateDCA for the chosen printer
//
// DoModal returns IDOK or IDCANCEL. While a common-dialog hook is set (tests,
// and whole-program tests through winui/script_file.h), DoModal does not show
// the system dialog: it asks the hook and fills the same structure fields the
// system would, so that the caller's code path is the one of a real answer.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace winui {

enum class CommonDialogKind { Open, Save, Folder, Colour, Font, Print, PrintSetup };
const char* CommonDialogKindName(CommonDialogKind kind); // "open", "save", ...

struct CommonDialogCall {
    CommonDialogKind kind;
    HWND owner;
    std::string title;   // the dialog's title when the caller gave one
    std::string initial; // initial file name or folder
    DWORD flags = 0;     // file dialogs: the OFN_ flags the dialog runs with
};

struct CommonDialogAnswer {
    bool ok = false;
    std::vector<std::string> paths; // open, save (one), folder (one)
    COLORREF colour = 0;
    std::string face;               // font
    int points = 0;                 // font size in points
    bool bold = false;
    bool italic = false;
    int fromPage = 0, toPage = 0;   // print: 0 = all pages

    static CommonDialogAnswer Cancel() { return CommonDialogAnswer(); }
    static CommonDialogAnswer Path(std::string path);
    static CommonDialogAnswer Paths(std::vector<std::string> paths);
    static CommonDialogAnswer Colour(COLORREF colour);
    static CommonDialogAnswer Font(std::string face, int points, bool bold = false,
                                   bool italic = false);
    static CommonDialogAnswer Print(int fromPage = 0, int toPage = 0);
};

using CommonDialogHook = std::function<CommonDialogAnswer(const CommonDialogCall&)>;
void SetCommonDialogHook(CommonDialogHook hook);
// For a program's own wrapper of a common dialog: the hook's answer, or
// false when no hook is set (the system dialog is to run).
bool AskCommonDialogHook(const CommonDialogCall& call, CommonDialogAnswer& answer);

// A test's scripted answers: while alive it answers common dialogs from a
// queue (cancel when the queue is empty) and records every call.
class ScriptedCommonDialogs {
public:
    ScriptedCommonDialogs();
    ~ScriptedCommonDialogs();
    ScriptedCommonDialogs(const ScriptedCommonDialogs&) = delete;
    ScriptedCommonDialogs& operator=(const ScriptedCommonDialogs&) = delete;

    void Answer(CommonDialogAnswer answer) { answers_.push_back(std::move(answer)); }
    const std::vector<CommonDialogCall>& Calls() const { return calls_; }

private:
    std::deque<CommonDialogAnswer> answers_;
    std::vector<CommonDialogCall> calls_;
};

class CFileDialog {
public:
    // filter in the form "Text files (*.txt)|*.txt|All Files (*.*)|*.*||".
    CFileDialog(bool openFileDialog, const char* defExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                const char* filter = nullptr, HWND owner = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    OPENFILENAMEA m_ofn;
    INT_PTR DoModal();

    // The chosen file: full path, name with extension, extension, name
    // without extension.
    std::string GetPathName() const;
    std::string GetFileName() const;
    std::string GetFileExt() const;
    std::string GetFileTitle() const;
    // Every chosen file (OFN_ALLOWMULTISELECT), full paths.
    std::vector<std::string> GetPathNames() const;
    // After DoModal gave IDCANCEL: the names chosen did not fit into the
    // name buffer (FNERR_BUFFERTOOSMALL), so the caller can say so.
    bool BufferTooSmall() const { return tooSmall_; }
    // Title and start folder (lpstrTitle, lpstrInitialDir).
    void SetTitle(const std::string& title);
    void SetInitialDir(const std::string& dir);
    // The dialog is explorer style (OFN_EXPLORER) unless this turns it off
    // for the classic dialog (OFN_EXPLORER off and, where the caller set no
    // hook or template, OFN_ENABLEHOOK with a hook that changes nothing: the
    // system shows the classic dialog only then); a classic multiple
    // selection is not read.
    void SetExplorerStyle(bool explorer);

private:
    bool open_;
    std::string filter_, defExt_, title_, initialDir_;
    std::vector<char> file_;
    bool tooSmall_ = false;
};

class CFontDialog {
public:
    explicit CFontDialog(const LOGFONTA* initial = nullptr,
                         DWORD flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT,
                         HWND owner = nullptr);
    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;
    INT_PTR DoModal();
    int GetSize() const { return m_cf.iPointSize; } // tenths of a point
};

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = CC_RGBINIT, HWND owner = nullptr);
    CHOOSECOLORA m_cc;
    COLORREF m_custom[16];
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
};

class CFolderDialog {
public:
    explicit CFolderDialog(const char* title = nullptr, HWND owner = nullptr,
                           UINT flags = BIF_RETURNONLYFSDIRS);
    INT_PTR DoModal();
    std::string GetPath() const { return path_; }
    // The folder selected when the dialog opens (BFFM_SETSELECTIONA).
    void SetInitialFolder(const std::string& folder) { initial_ = folder; }

private:
    static int CALLBACK Callback(HWND wnd, UINT message, LPARAM lParam, LPARAM data);
    std::string title_;
    std::string initial_;
    HWND owner_;
    UINT flags_;
    std::string path_;
};

class CPrintDialog {
public:
    // setupOnly: the print setup dialog (PD_PRINTSETUP).
    explicit CPrintDialog(bool setupOnly, DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES |
                                                        PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                                        PD_NOSELECTION,
                          HWND owner = nullptr);
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    PRINTDLGA m_pd;
    INT_PTR DoModal();
    // The default printer's settings without a dialog (PD_RETURNDEFAULT);
    // false when there is no printer.
    bool GetDefaults();
    // A DC for the chosen printer (CreateDCA from the DEVNAMES and DEVMODE
    // held); the caller deletes it. Null when there is none.
    HDC CreatePrinterDC() const;
    std::string GetDeviceName() const;
    std::string GetDriverName() const;
    std::string GetPortName() const;
    bool PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }

private:
    bool setupOnly_;
};

} // namespace winui
