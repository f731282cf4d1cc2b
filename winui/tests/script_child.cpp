// A small window program for the script-file tests: asks what a program
// asks (a message box, a dialog, an open dialog, a colour) and writes the
// answers it got to the file named by its argument, one a line.
#include "winui/commdlg.h"
#include "winui/ddx.h"
#include "winui/dialog.h"
#include "winui/msgbox.h"

#include "test_resource.h"

#include <cstdio>

namespace {

class CNameDlg : public winui::CDialog {
public:
    CNameDlg() : CDialog(IDD_SETTINGS) {}
    int width = 5;
    std::string name = "none";
    bool soft = false;
    std::string port;
    void DoDataExchange(winui::CDataExchange* dx) override
    {
        winui::DDX_Text(dx, IDC_WIDTH, width);
        winui::DDV_MinMaxInt(dx, width, 1, 100);
        winui::DDX_Text(dx, IDC_NAME, name);
        winui::DDX_Check(dx, IDC_SOFT, soft);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    FILE* out = std::fopen(argv[1], "w");
    if (!out)
        return 2;
    int box = winui::ShowMessageBox(nullptr, "Save changes to \"a.c\"?", "Child", MB_YESNOCANCEL);
    CNameDlg dlg;
    INT_PTR result = dlg.DoModal();
    std::fprintf(out, "box %d\ndialog %d %d %s %d\n", box, static_cast<int>(result), dlg.width,
                 dlg.name.c_str(), dlg.soft ? 1 : 0);
    winui::CFileDialog open(true);
    result = open.DoModal();
    std::fprintf(out, "open %d %s\n", static_cast<int>(result), open.GetPathName().c_str());
    winui::CColorDialog colour;
    result = colour.DoModal();
    std::fprintf(out, "colour %d %06lx\n", static_cast<int>(result),
                 static_cast<unsigned long>(colour.GetColor()));
    // Nothing left in the script: the default button, and a cancel.
    box = winui::ShowMessageBox(nullptr, "Done", "Child", MB_OKCANCEL);
    result = dlg.DoModal();
    std::fprintf(out, "box %d\ndialog %d\n", box, static_cast<int>(result));
    std::fclose(out);
    return 0;
}
