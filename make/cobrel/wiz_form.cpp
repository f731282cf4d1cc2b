#include "make/cobrel/wiz_form.h"

#include "make/cobrel/hidden_process.h"
#include "make/cobrel/project_actions.h"
#include "make/cobrel/resource.h"
#include "make/cobrel/wiz_history.h"
#include "make/cobrel/wiz_paths.h"

#include "winui/commdlg.h"

#include <commctrl.h>

#include <shellapi.h>

#include <cstdio>

namespace {

const char maker_address[] = "https://rysk.example.org/cobrel/";
const char page_names[IDC_PAGE_COUNT][16] = {"General",   "Components", "C-Compiler",
                                             "Assembler", "Linker",     "Misc"};
const int recent_kept = 15;
const int max_memo_lines = 1000;

// The hint of each control that has one.
struct control_hint {
    int id;
    const char* text;
};
const control_hint hints[] = {
    {IDC_PROJECTNAMEBOX, "File Name of MAKE-File (*.MAK), List of previous MAKE-Files"},
    {IDC_MAKNEWBUTTON, "Start a new MAKE-File"},
    {IDC_MAKREADBUTTON, "Select MAKE-File from Disc"},
    {IDC_PROJECTMEMO, "Room for Notes about this Project"},
    {IDC_TARGETBOX,
     "Name of generated BINARY-File (must match one of the C- or S51-Source files)"},
    {IDC_SOURCELIST, "List of Source Files, Action depends on File Extension"},
    {IDC_CPUSPEED,
     "1000 nsec for a 12MHz generic 8051, 620 nsec for a 11.0592Mhz MSC121x , ..."},
    {IDC_MODELBOX, "Small: Locals in internal RAM, Large: Locals in external RAM"},
    {IDC_ADDCOMPARGS, "Examples for external Compiler Macro Definition: '-dAD_C515' or "
                      "'-dBAUDRATE=9600', Separator is the '  '-character."},
    {IDC_CHECKDEBUG, "Will include a '__line' macro after each C Statement (see Manual), "
                     "required for Debugging"},
    {IDC_ADDASSARGS,
     "Example for an additional Assembler Argument: '-t4': Tabsize 4 for the Listing"},
    {IDC_ROMSTART, "Startaddress for Code in HEX (0000..FFFF)"},
    {IDC_RAMSTART,
     "Startaddress for External RAM in HEX (0000..FFFF), ignored if no External RAM used."},
    {IDC_ADDLINKARGS,
     "Add additional Linker Arguments (i.e. '-c' for CRC-Protection of Binaries)"},
    {IDC_SIOBOX, "Select Serial I/O Library (see Manual). "},
    {IDC_LABEL16,
     "Add additional Libraries with '-lLIBNAME' or additional objects 'OBJNAME'"},
    {IDC_ADDLIBS,
     "Specify additional Libraries ('-l*.lib') or Objectfiles (simply add Filename '*.obj')"},
    {IDC_CHECKGENHEX, "Generate a HEX-File out of the generated BIN-File  (*.BIN -> *.HEX)"},
    {IDC_CHECKGENOMF, "Generate a OMF-File out of the generated BIN-File  (*.BIN -> *.OMF)"},
    {IDC_CHECKBINSTRIP, "Remove obsolete $FF-Bytes, recommended if downloading to FLASH memory"},
    {IDC_CHECKSMARTPRINTF, "If checked, Linker will reduce printf()'s formater to the Minimum."},
    {IDC_SAVEBUTTON, "Save current MAKE-File"},
    {IDCANCEL, "Exit Cobrel, unsaved changes will be lost"},
    {IDC_CHECKWRITEOVANTA,
     "If enabled, a Ovanta-Workspace File (*.WSP) will be written on 'Save Changes'"},
};

std::string window_text(HWND wnd)
{
    int length = GetWindowTextLengthA(wnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(wnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

std::vector<std::string> memo_lines(const std::string& text)
{
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos
                                                                        : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos || lines.size() >= static_cast<size_t>(max_memo_lines))
            break;
        start = end + 1;
    }
    return lines;
}

bool file_opens(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(TWizForm, winui::CDialog)
    ON_BN_CLICKED(IDC_MAKNEWBUTTON, &TWizForm::MakNewButtonClick)
    ON_BN_CLICKED(IDC_MAKREADBUTTON, &TWizForm::MakReadButtonClick)
    ON_CBN_SELCHANGE(IDC_PROJECTNAMEBOX, &TWizForm::ProjectNameBoxSelect)
    ON_EN_CHANGE(IDC_PROJECTMEMO, &TWizForm::ProjectMemoChange)
    ON_CBN_SELCHANGE(IDC_TARGETBOX, &TWizForm::TargetBoxSelect)
    ON_LBN_SELCHANGE(IDC_SOURCELIST, &TWizForm::SourceListClick)
    ON_BN_CLICKED(IDC_ADDSRC, &TWizForm::AddSrcClick)
    ON_BN_CLICKED(IDC_DELSRC, &TWizForm::DelSrcClick)
    ON_EN_CHANGE(IDC_CPUSPEED, &TWizForm::CPUSpeedChange)
    ON_EN_CHANGE(IDC_ADDCOMPARGS, &TWizForm::CPUSpeedChange)
    ON_EN_CHANGE(IDC_ROMSTART, &TWizForm::CPUSpeedChange)
    ON_EN_CHANGE(IDC_RAMSTART, &TWizForm::CPUSpeedChange)
    ON_EN_CHANGE(IDC_ADDLINKARGS, &TWizForm::CPUSpeedChange)
    ON_EN_CHANGE(IDC_ADDLIBS, &TWizForm::CPUSpeedChange)
    ON_CBN_SELCHANGE(IDC_OPTIMISEBOX, &TWizForm::CPUSpeedChange)
    ON_CBN_SELCHANGE(IDC_MODELBOX, &TWizForm::CPUSpeedChange)
    ON_CBN_SELCHANGE(IDC_DEBUGLEVELBOX, &TWizForm::CPUSpeedChange)
    ON_CBN_SELCHANGE(IDC_SIOBOX, &TWizForm::CPUSpeedChange)
    ON_BN_CLICKED(IDC_CHECKDEBUG, &TWizForm::CPUSpeedChange)
    ON_BN_CLICKED(IDC_CHECKLIST, &TWizForm::CPUSpeedChange)
    ON_BN_CLICKED(IDC_CHECKBINSTRIP, &TWizForm::CPUSpeedChange)
    ON_BN_CLICKED(IDC_CHECKSMARTPRINTF, &TWizForm::CPUSpeedChange)
    // An edit field sends no click; its focus is what a click on it gives.
    ON_CONTROL(EN_SETFOCUS, IDC_ADDASSARGS, &TWizForm::CPUSpeedChange)
    ON_BN_CLICKED(IDC_CHECKGENHEX, &TWizForm::CheckBinStripClick)
    ON_BN_CLICKED(IDC_CHECKGENOMF, &TWizForm::CheckGenOmfClick)
    ON_BN_CLICKED(IDC_CHECKWRITEOVANTA, &TWizForm::CheckWriteOvantaClick)
    ON_BN_CLICKED(IDC_SAVEBUTTON, &TWizForm::SaveButtonClick)
    ON_CONTROL(STN_CLICKED, IDC_LINKLABEL, &TWizForm::LinkLabelClick)
    ON_NOTIFY(TCN_SELCHANGE, IDC_PAGECONTROL, &TWizForm::PageChange)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_CTLCOLORSTATIC, &TWizForm::OnCtlColorStatic)
    ON_MESSAGE(WM_SETCURSOR, &TWizForm::OnSetCursor)
    ON_MESSAGE(WM_SYSCOMMAND, &TWizForm::OnSysCommand)
END_MESSAGE_MAP()

TWizForm::TWizForm(const std::string& program_path)
    : CDialog(IDD_WIZFORM), messages_(sink_)
{
    init_paths(program_path, &program_dir_, &settings_path_);
}

BOOL TWizForm::OnInitDialog()
{
    sink_.set_owner(m_hWnd);
    for (int i = 0; i < IDC_PAGE_COUNT; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(page_names[i]);
        SendDlgItemMessage(IDC_PAGECONTROL, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(&item));
    }
    ShowPage(0);

    SendDlgItemMessage(IDC_CPUSPEED, EM_LIMITTEXT, 4);
    SendDlgItemMessage(IDC_ROMSTART, EM_LIMITTEXT, 4);
    SendDlgItemMessage(IDC_RAMSTART, EM_LIMITTEXT, 4);
    SendDlgItemMessage(IDC_ADDCOMPARGS, EM_LIMITTEXT, 250);
    SendDlgItemMessage(IDC_ADDASSARGS, EM_LIMITTEXT, 250);
    SendDlgItemMessage(IDC_ADDLINKARGS, EM_LIMITTEXT, 250);
    SetComboItems(IDC_OPTIMISEBOX, {"Size", "Speed"}, 0);
    SetComboItems(IDC_MODELBOX, {"Small", "Large"}, 0);
    SetComboItems(IDC_DEBUGLEVELBOX,
                  {"No Debug Info", "C Source Lines", "Variables and C Source Lines"}, 1);
    SetComboItems(IDC_SIOBOX,
                  {"siok.lib (requires TI-Flag set, smallest Version, no Debugger Support)",
                   "siod.lib (for Quibex Debugger, requires TI clear, Serial IRQ enabled))",
                   "siop.lib (like Version D, but no Debugger support, for Releases)"},
                  0);
    SetDlgItemText(IDC_CPUSPEED, "1000");
    SetDlgItemText(IDC_ROMSTART, "0000");
    SetDlgItemText(IDC_RAMSTART, "0000");
    SetChecked(IDC_CHECKLIST, true);
    SetChecked(IDC_CHECKSMARTPRINTF, true);
    SetDlgItemText(IDC_LINKLABEL, maker_address);
    SetUpLinkLabel();
    SetUpHints();

    SetComboItems(IDC_PROJECTNAMEBOX, load_history(settings_path_), -1);
    // Projects usually keep their sources in "src" beside the folder the
    // wizard is started from.
    SetCurrentDirectoryA("..\\src");
    model_.dirty = false;
    return TRUE;
}

void TWizForm::SetUpHints()
{
    if (!hints_.Create(m_hWnd))
        return;
    // Long hints wrap instead of running off the screen.
    hints_.SetMaxTipWidth(400);
    for (const control_hint& hint : hints)
        hints_.AddTool(GetDlgItem(hint.id), hint.text);
}

// The link label: the dialog's font underlined, blue text (OnCtlColorStatic)
// and the hand cursor (OnSetCursor).
void TWizForm::SetUpLinkLabel()
{
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    LOGFONTA lf{};
    if (!font || !GetObjectA(font, sizeof lf, &lf))
        return;
    lf.lfUnderline = TRUE;
    link_font_ = CreateFontIndirectA(&lf);
    if (link_font_)
        SendDlgItemMessage(IDC_LINKLABEL, WM_SETFONT, reinterpret_cast<WPARAM>(link_font_), FALSE);
}

// The link label: blue on the button face. The Misc page's title: white on
// dark blue, so that it can be read on any button face.
static const COLORREF title_ground = RGB(0, 0, 128);

LRESULT TWizForm::OnCtlColorStatic(WPARAM dc, LPARAM control)
{
    int id = GetDlgCtrlID(reinterpret_cast<HWND>(control));
    HDC hdc = reinterpret_cast<HDC>(dc);
    if (id == IDC_LINKLABEL) {
        SetTextColor(hdc, RGB(0, 0, 255));
        SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (id == IDC_LABEL20) {
        if (!title_brush_)
            title_brush_ = CreateSolidBrush(title_ground);
        SetTextColor(hdc, RGB(255, 255, 255));
        SetBkColor(hdc, title_ground);
        return reinterpret_cast<LRESULT>(title_brush_);
    }
    return Default();
}

LRESULT TWizForm::OnSetCursor(WPARAM window, LPARAM hit)
{
    if (reinterpret_cast<HWND>(window) == GetDlgItem(IDC_LINKLABEL) && LOWORD(hit) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    }
    return Default();
}

// The form minimises with the window that owns it (the application's,
// which carries the task-bar button); restoring that one shows the form.
LRESULT TWizForm::OnSysCommand(WPARAM command, LPARAM)
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if ((command & 0xFFF0) == SC_MINIMIZE && owner) {
        ::ShowWindow(owner, SW_MINIMIZE);
        return 0;
    }
    return Default();
}

// ---- pages

void TWizForm::ShowPage(int page)
{
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        if (id < IDC_PAGE_FIRST || id >= IDC_PAGE_FIRST + IDC_PAGE_COUNT * IDC_PAGE_STEP)
            continue;
        ShowWindow(child, (id - IDC_PAGE_FIRST) / IDC_PAGE_STEP == page ? SW_SHOW : SW_HIDE);
    }
}

void TWizForm::PageChange(NMHDR*, LRESULT*)
{
    ShowPage(static_cast<int>(SendDlgItemMessage(IDC_PAGECONTROL, TCM_GETCURSEL)));
}

// ---- combo box helpers

void TWizForm::SetComboItems(int id, const std::vector<std::string>& items, int selected)
{
    SendDlgItemMessage(id, CB_RESETCONTENT);
    for (const std::string& item : items)
        SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(selected));
}

std::vector<std::string> TWizForm::ComboItems(int id) const
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendDlgItemMessage(id, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendDlgItemMessage(id, CB_GETLBTEXTLEN, i));
        std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        SendDlgItemMessage(id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        items.push_back(text);
    }
    return items;
}

int TWizForm::ComboIndex(int id) const
{
    return static_cast<int>(SendDlgItemMessage(id, CB_GETCURSEL));
}

std::string TWizForm::ComboSelectedText(int id) const
{
    int index = ComboIndex(id);
    std::vector<std::string> items = ComboItems(id);
    if (index < 0 || index >= static_cast<int>(items.size()))
        return std::string();
    return items[static_cast<size_t>(index)];
}

// ---- transfers

void TWizForm::ModelToForm()
{
    const bool dirty = model_.dirty;

    std::vector<std::string> history = ComboItems(IDC_PROJECTNAMEBOX);
    if (history.size() > static_cast<size_t>(recent_kept))
        history.resize(static_cast<size_t>(recent_kept));
    int current = update_history(history, model_.makefile_path);
    SetComboItems(IDC_PROJECTNAMEBOX, history, current);

    wiz_form_values f = model_to_form(model_);

    HWND memo = GetDlgItem(IDC_PROJECTMEMO);
    ShowWindow(memo, SW_HIDE);
    std::string text;
    for (size_t i = 0; i < f.comment_lines.size(); ++i)
        text += (i ? "\r\n" : "") + f.comment_lines[i];
    SetWindowTextA(memo, text.c_str());
    ::SendMessageA(memo, EM_SETREADONLY, FALSE, 0);
    ::SendMessageA(memo, EM_SETSEL, 0, 0);
    ShowPage(static_cast<int>(SendDlgItemMessage(IDC_PAGECONTROL, TCM_GETCURSEL)));
    ::SendMessageA(memo, EM_SETMODIFY, FALSE, 0);

    SendDlgItemMessage(IDC_SOURCELIST, LB_RESETCONTENT);
    for (const std::string& name : f.sources)
        SendDlgItemMessage(IDC_SOURCELIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendDlgItemMessage(IDC_SOURCELIST, LB_SETCURSEL, 0);
    SetComboItems(IDC_TARGETBOX, f.target_items, f.target_index);
    EnableDlgItem(IDC_TARGETBOX, f.target_enabled);
    EnableDlgItem(IDC_DELSRC, f.delete_source_enabled);
    EnableDlgItem(IDC_ADDSRC, f.add_source_enabled);

    SetDlgItemText(IDC_CPUSPEED, f.cpu_speed.c_str());
    SetDlgItemText(IDC_ADDCOMPARGS, f.compiler_args.c_str());
    SendDlgItemMessage(IDC_OPTIMISEBOX, CB_SETCURSEL, static_cast<WPARAM>(f.optimise_index));
    SendDlgItemMessage(IDC_MODELBOX, CB_SETCURSEL, static_cast<WPARAM>(f.model_index));
    SendDlgItemMessage(IDC_DEBUGLEVELBOX, CB_SETCURSEL, static_cast<WPARAM>(f.debug_index));
    SetChecked(IDC_CHECKDEBUG, f.expand_debug);
    SetChecked(IDC_CHECKLIST, f.listing);
    SetDlgItemText(IDC_ADDASSARGS, f.assembler_args.c_str());
    SetDlgItemText(IDC_ROMSTART, f.rom_start.c_str());
    SetDlgItemText(IDC_RAMSTART, f.ram_start.c_str());
    SetDlgItemText(IDC_ADDLINKARGS, f.linker_args.c_str());
    SetDlgItemText(IDC_ADDLIBS, f.libraries.c_str());
    SendDlgItemMessage(IDC_SIOBOX, CB_SETCURSEL, static_cast<WPARAM>(f.sio_index));
    SetChecked(IDC_CHECKSMARTPRINTF, f.smart_printf);
    SetChecked(IDC_CHECKGENHEX, f.gen_hex);
    SetChecked(IDC_CHECKGENOMF, f.gen_omf);
    SetChecked(IDC_CHECKBINSTRIP, f.strip);
    EnableDlgItem(IDC_CHECKBINSTRIP, f.strip_enabled);

    model_.dirty = dirty;
    EnableDlgItem(IDC_SAVEBUTTON, dirty);
    EnableDlgItem(IDC_CHECKWRITEOVANTA, TRUE);
}

void TWizForm::FormToModel()
{
    wiz_form_values f = model_to_form(model_);
    f.comment_lines = memo_lines(window_text(GetDlgItem(IDC_PROJECTMEMO)));
    f.cpu_speed = GetDlgItemText(IDC_CPUSPEED);
    f.compiler_args = GetDlgItemText(IDC_ADDCOMPARGS);
    f.optimise_index = ComboIndex(IDC_OPTIMISEBOX);
    f.model_index = ComboIndex(IDC_MODELBOX);
    f.debug_index = ComboIndex(IDC_DEBUGLEVELBOX);
    f.expand_debug = Checked(IDC_CHECKDEBUG);
    f.listing = Checked(IDC_CHECKLIST);
    f.assembler_args = GetDlgItemText(IDC_ADDASSARGS);
    f.rom_start = GetDlgItemText(IDC_ROMSTART);
    f.ram_start = GetDlgItemText(IDC_RAMSTART);
    f.linker_args = GetDlgItemText(IDC_ADDLINKARGS);
    f.libraries = GetDlgItemText(IDC_ADDLIBS);
    f.sio_index = ComboIndex(IDC_SIOBOX);
    f.smart_printf = Checked(IDC_CHECKSMARTPRINTF);
    f.gen_hex = Checked(IDC_CHECKGENHEX);
    f.gen_omf = Checked(IDC_CHECKGENOMF);
    f.strip = Checked(IDC_CHECKBINSTRIP);
    form_to_model(f, model_, messages_);
}

void TWizForm::MarkChanged()
{
    model_.dirty = true;
    EnableDlgItem(IDC_SAVEBUTTON, TRUE);
    EnableDlgItem(IDC_CHECKWRITEOVANTA, TRUE);
}

// ---- loading and starting makefiles

bool TWizForm::ChangeToFolderOf(const std::string& path)
{
    std::string dir = directory_of(path);
    if (dir.empty())
        return true;
    if (dir.size() == 2 && dir[1] == ':')
        dir += '\\';
    if (SetCurrentDirectoryA(dir.c_str()))
        return true;
    messages_.error_box("Failed to set current directoy to '%s'", dir.c_str());
    return false;
}

int TWizForm::RunTool(const std::string& command_line)
{
    return run_hidden_process(command_line, messages_);
}

void TWizForm::LoadMakefile(const std::string& path)
{
    load_makefile(model_, path, program_dir_,
                  [this](const std::string& command) { return RunTool(command); }, messages_);
}

void TWizForm::MakReadButtonClick()
{
    if (model_.dirty && !messages_.ask_box("Read MAKE-File", "Changes not saved, OK to continue?"))
        return;
    winui::CFileDialog dialog(true, "mak", nullptr,
                              OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                                  OFN_ENABLESIZING,
                              "Make Files (*.mak)| *.mak||", m_hWnd);
    dialog.SetInitialDir(".");
    if (dialog.DoModal() != IDOK)
        return;
    const std::string name = dialog.GetPathName();
    if (!is_makefile_name(name))
        messages_.error_box("Invalid MAKE-Filename '%s'", name.c_str());
    else if (ChangeToFolderOf(name))
        LoadMakefile(name);
    ModelToForm();
}

void TWizForm::ProjectNameBoxSelect()
{
    const std::string name = ComboSelectedText(IDC_PROJECTNAMEBOX);
    if (ComboIndex(IDC_PROJECTNAMEBOX) < 0)
        return;
    if (model_.dirty) {
        if (!messages_.ask_box("Read MAKE-File", "Changes not saved, OK to continue?")) {
            // The list keeps showing the makefile that is loaded.
            SetComboItems(IDC_PROJECTNAMEBOX, ComboItems(IDC_PROJECTNAMEBOX),
                          model_.makefile_path.empty() ? -1 : 0);
            return;
        }
    } else if (model_.makefile_path == name) {
        return;
    }
    model_.dirty = false;
    reset_model(model_);
    model_.makefile_path = copy_trimmed(name);
    if (!is_makefile_name(model_.makefile_path))
        messages_.error_box("Invalid MAKE-Filename '%s'", model_.makefile_path.c_str());
    else if (ChangeToFolderOf(model_.makefile_path))
        LoadMakefile(model_.makefile_path);
    ModelToForm();
}

void TWizForm::MakNewButtonClick()
{
    if (model_.dirty && !messages_.ask_box("New MAKE-File", "Changes not saved, OK to continue?"))
        return;
    winui::CFileDialog dialog(false, "mak", nullptr,
                              OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                  OFN_CREATEPROMPT | OFN_ENABLESIZING,
                              "Make Files (*.mak)| *.mak||", m_hWnd);
    dialog.SetTitle("New MAKE-File");
    dialog.SetInitialDir(".");
    if (dialog.DoModal() != IDOK)
        return;
    const std::string name = dialog.GetPathName();
    if (file_opens(name) && !messages_.ask_box("New MAKE-File", "File exists, OK to overwrite?"))
        return;
    if (!is_makefile_name(name))
        messages_.error_box("Invalid MAKE-Filename '%s'", name.c_str());
    else if (ChangeToFolderOf(name))
        start_new_makefile(model_, name);
    ModelToForm();
}

// ---- sources and target

void TWizForm::AddSrcClick()
{
    if (model_.makefile_path.empty() || model_.sources.size() >= max_sources)
        return;
    winui::CFileDialog dialog(
        true, "c", nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING,
        "All Source Files | *.c; *s51; *.htm; *.html; *.gif; *.jpg; *.jpeg; *.h; *.def; *.inc|"
        "C-Files|*.c|H-Files|*.h|S51-Files|*.s51|HTML-Files|*.htm; *.html|GIF-Files|*.gif|"
        "JPEG-Files|*.jpg; *.jpeg||",
        m_hWnd);
    if (dialog.DoModal() != IDOK)
        return;
    // The existence check and the stored name are relative to the
    // makefile's folder.
    std::string dir = directory_of(model_.makefile_path);
    if (!dir.empty())
        SetCurrentDirectoryA(dir.c_str());
    if (add_source(model_, dialog.GetPathName(), messages_))
        ModelToForm();
}

void TWizForm::DelSrcClick()
{
    int index = static_cast<int>(SendDlgItemMessage(IDC_SOURCELIST, LB_GETCURSEL));
    if (index < 0 || !remove_source(model_, static_cast<size_t>(index)))
        return;
    model_.dirty = true;
    ModelToForm();
}

void TWizForm::SourceListClick()
{
    if (SendDlgItemMessage(IDC_SOURCELIST, LB_GETCURSEL) >= 0)
        EnableDlgItem(IDC_DELSRC, TRUE);
}

void TWizForm::TargetBoxSelect()
{
    if (select_target(model_, ComboSelectedText(IDC_TARGETBOX)))
        MarkChanged();
}

// ---- options

void TWizForm::ProjectMemoChange()
{
    MarkChanged();
}

void TWizForm::CPUSpeedChange()
{
    if (!model_.makefile_path.empty())
        MarkChanged();
}

void TWizForm::CheckBinStripClick()
{
    if (Checked(IDC_CHECKGENOMF) && Checked(IDC_CHECKGENHEX))
        SetChecked(IDC_CHECKGENOMF, false);
    EnableDlgItem(IDC_CHECKBINSTRIP, Checked(IDC_CHECKGENHEX) || Checked(IDC_CHECKGENOMF));
    CPUSpeedChange();
}

void TWizForm::CheckGenOmfClick()
{
    if (Checked(IDC_CHECKGENOMF) && Checked(IDC_CHECKGENHEX))
        SetChecked(IDC_CHECKGENHEX, false);
    EnableDlgItem(IDC_CHECKBINSTRIP, Checked(IDC_CHECKGENHEX) || Checked(IDC_CHECKGENOMF));
    CPUSpeedChange();
}

void TWizForm::CheckWriteOvantaClick()
{
    model_.dirty = true;
    if (Checked(IDC_CHECKWRITEOVANTA))
        EnableDlgItem(IDC_SAVEBUTTON, TRUE);
}

// ---- saving and closing

void TWizForm::SaveButtonClick()
{
    messages_.reset_errors();
    FormToModel();
    const bool with_workspace = Checked(IDC_CHECKWRITEOVANTA);
    if (!save_project(model_, program_dir_, with_workspace, messages_))
        return;
    if (with_workspace)
        SetChecked(IDC_CHECKWRITEOVANTA, false);
    MessageBeep(MB_OK);
    model_.dirty = false;
    EnableDlgItem(IDC_SAVEBUTTON, FALSE);
    EnableDlgItem(IDC_CHECKWRITEOVANTA, FALSE);
}

void TWizForm::LinkLabelClick()
{
    ShellExecuteA(m_hWnd, "open", maker_address, nullptr, nullptr, SW_SHOWNORMAL);
}

bool TWizForm::FormCloseQuery()
{
    return !model_.dirty || messages_.ask_box("Exit", "Exit without saving?");
}

void TWizForm::FormClose()
{
    save_history(settings_path_, ComboItems(IDC_PROJECTNAMEBOX));
}

void TWizForm::OnCancel()
{
    if (!FormCloseQuery())
        return;
    FormClose();
    EndDialog(IDCANCEL);
}

void TWizForm::OnDestroy()
{
    if (link_font_) {
        DeleteObject(link_font_);
        link_font_ = nullptr;
    }
    if (title_brush_) {
        DeleteObject(title_brush_);
        title_brush_ = nullptr;
    }
    PostQuitMessage(0);
}
