#include "winui/commdlg.h"

#include "winui/script_file.h"

#include <cderr.h>
#include <shlobj.h>

#include <cstring>
#include <mutex>

namespace winui {

const char* CommonDialogKindName(CommonDialogKind kind)
{
    switch (kind) {
    case CommonDialogKind::Open: return "open";
    case CommonDialogKind::Save: return "save";
    case CommonDialogKind::Folder: return "folder";
    case CommonDialogKind::Colour: return "colour";
    case CommonDialogKind::Font: return "font";
    case CommonDialogKind::Print: return "print";
    case CommonDialogKind::PrintSetup: return "printsetup";
    }
    return "";
}

CommonDialogAnswer CommonDialogAnswer::Path(std::string path)
{
    CommonDialogAnswer a;
    a.ok = true;
    a.paths.push_back(std::move(path));
    return a;
}

CommonDialogAnswer CommonDialogAnswer::Paths(std::vector<std::string> paths)
{
    CommonDialogAnswer a;
    a.ok = true;
    a.paths = std::move(paths);
    return a;
}

CommonDialogAnswer CommonDialogAnswer::Colour(COLORREF colour)
{
    CommonDialogAnswer a;
    a.ok = true;
    a.colour = colour;
    return a;
}

CommonDialogAnswer CommonDialogAnswer::Font(std::string face, int points, bool bold, bool italic)
{
    CommonDialogAnswer a;
    a.ok = true;
    a.face = std::move(face);
    a.points = points;
    a.bold = bold;
    a.italic = italic;
    return a;
}

CommonDialogAnswer CommonDialogAnswer::Print(int fromPage, int toPage)
{
    CommonDialogAnswer a;
    a.ok = true;
    a.fromPage = fromPage;
    a.toPage = toPage;
    return a;
}

static std::mutex hook_lock;
static CommonDialogHook hook;

void SetCommonDialogHook(CommonDialogHook h)
{
    std::lock_guard<std::mutex> guard(hook_lock);
    hook = std::move(h);
}

// The hook's answer, or false when no hook is set (the system dialog runs).
static bool ask_hook(const CommonDialogCall& call, CommonDialogAnswer& answer)
{
    LoadScriptFromEnvironment();
    CommonDialogHook h;
    {
        std::lock_guard<std::mutex> guard(hook_lock);
        h = hook;
    }
    if (!h)
        return false;
    answer = h(call);
    return true;
}

bool AskCommonDialogHook(const CommonDialogCall& call, CommonDialogAnswer& answer)
{
    return ask_hook(call, answer);
}

ScriptedCommonDialogs::ScriptedCommonDialogs()
{
    SetCommonDialogHook([this](const CommonDialogCall& call) {
        calls_.push_back(call);
        if (answers_.empty())
            return CommonDialogAnswer::Cancel();
        CommonDialogAnswer answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    });
}

ScriptedCommonDialogs::~ScriptedCommonDialogs()
{
    SetCommonDialogHook(nullptr);
}

// ---- file dialogs

CFileDialog::CFileDialog(bool openFileDialog, const char* defExt, const char* fileName,
                         DWORD flags, const char* filter, HWND owner)
    : open_(openFileDialog), file_(32768, '\0')
{
    std::memset(&m_ofn, 0, sizeof m_ofn);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = owner;
    m_ofn.hInstance = GetModuleHandleA(nullptr);
    m_ofn.Flags = flags | OFN_EXPLORER;
    if (filter) {
        // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
        filter_ = filter;
        for (char& c : filter_)
            if (c == '|')
                c = '\0';
        filter_.push_back('\0');
        m_ofn.lpstrFilter = filter_.c_str();
    }
    if (defExt) {
        defExt_ = defExt;
        m_ofn.lpstrDefExt = defExt_.c_str();
    }
    if (fileName)
        lstrcpynA(file_.data(), fileName, static_cast<int>(file_.size()));
    m_ofn.lpstrFile = file_.data();
    m_ofn.nMaxFile = static_cast<DWORD>(file_.size());
}

void CFileDialog::SetTitle(const std::string& title)
{
    title_ = title;
    m_ofn.lpstrTitle = title_.c_str();
}

// The hook of a classic file dialog: it leaves every message to the
// dialog, and TRUE for WM_INITDIALOG lets the dialog set its first focus.
static UINT_PTR CALLBACK classic_dialog_hook(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void CFileDialog::SetExplorerStyle(bool explorer)
{
    if (explorer) {
        m_ofn.Flags |= OFN_EXPLORER;
        if (m_ofn.lpfnHook == classic_dialog_hook) {
            m_ofn.Flags &= ~static_cast<DWORD>(OFN_ENABLEHOOK);
            m_ofn.lpfnHook = nullptr;
        }
        return;
    }
    m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXPLORER);
    // Without OFN_EXPLORER the system still shows its explorer dialog unless
    // the caller brings a hook or a template of the classic kind: the
    // classic dialog is asked for by a hook that changes nothing.
    if (!(m_ofn.Flags & (OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE))) {
        m_ofn.Flags |= OFN_ENABLEHOOK;
        m_ofn.lpfnHook = classic_dialog_hook;
    }
}

void CFileDialog::SetInitialDir(const std::string& dir)
{
    initialDir_ = dir;
    m_ofn.lpstrInitialDir = initialDir_.c_str();
}

static std::string base_name(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Fills lpstrFile as the system does: one path, or with several files the
// folder followed by each name (explorer style), a double NUL at the end.
static bool fill_file_answer(OPENFILENAMEA& ofn, const std::vector<std::string>& paths)
{
    std::string block;
    if (paths.size() == 1 || !(ofn.Flags & OFN_ALLOWMULTISELECT)) {
        block = paths[0];
        block.push_back('\0');
    } else {
        std::string dir = paths[0].substr(0, paths[0].size() - base_name(paths[0]).size());
        if (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/'))
            dir.pop_back();
        block = dir;
        block.push_back('\0');
        for (const std::string& p : paths) {
            block += base_name(p);
            block.push_back('\0');
        }
    }
    block.push_back('\0');
    if (block.size() > ofn.nMaxFile)
        return false; // FNERR_BUFFERTOOSMALL in the system dialog
    std::memcpy(ofn.lpstrFile, block.data(), block.size());
    const std::string first = ofn.lpstrFile;
    size_t nameAt = paths.size() == 1 ? first.size() - base_name(first).size() : first.size() + 1;
    ofn.nFileOffset = static_cast<WORD>(nameAt);
    std::string name = paths.size() == 1 ? base_name(first) : "";
    size_t dot = name.rfind('.');
    ofn.nFileExtension =
        static_cast<WORD>(dot == std::string::npos ? first.size() : nameAt + dot + 1);
    return true;
}

INT_PTR CFileDialog::DoModal()
{
    CommonDialogAnswer answer;
    CommonDialogCall call{open_ ? CommonDialogKind::Open : CommonDialogKind::Save,
                          m_ofn.hwndOwner, m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "",
                          m_ofn.lpstrFile ? m_ofn.lpstrFile : "", m_ofn.Flags};
    tooSmall_ = false;
    if (ask_hook(call, answer)) {
        if (!answer.ok || answer.paths.empty())
            return IDCANCEL;
        if (!fill_file_answer(m_ofn, answer.paths)) {
            tooSmall_ = true;
            return IDCANCEL;
        }
        return IDOK;
    }
    BOOL ok = open_ ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    if (!ok)
        tooSmall_ = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
    return ok ? IDOK : IDCANCEL;
}

std::vector<std::string> CFileDialog::GetPathNames() const
{
    std::vector<std::string> paths;
    const char* p = m_ofn.lpstrFile;
    std::string first = p;
    p += first.size() + 1;
    if (!*p) {
        if (!first.empty())
            paths.push_back(first);
        return paths;
    }
    // A folder followed by names.
    std::string dir = first;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    while (*p) {
        std::string name = p;
        paths.push_back(dir + name);
        p += name.size() + 1;
    }
    return paths;
}

std::string CFileDialog::GetPathName() const
{
    std::vector<std::string> paths = GetPathNames();
    return paths.empty() ? std::string() : paths.front();
}

std::string CFileDialog::GetFileName() const
{
    return base_name(GetPathName());
}

std::string CFileDialog::GetFileExt() const
{
    std::string name = GetFileName();
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CFileDialog::GetFileTitle() const
{
    std::string name = GetFileName();
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// ---- font and colour

CFontDialog::CFontDialog(const LOGFONTA* initial, DWORD flags, HWND owner)
{
    std::memset(&m_cf, 0, sizeof m_cf);
    std::memset(&m_lf, 0, sizeof m_lf);
    if (initial)
        m_lf = *initial;
    m_cf.lStructSize = sizeof m_cf;
    m_cf.hwndOwner = owner;
    m_cf.Flags = flags;
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.lpLogFont = &m_lf;
    CommonDialogAnswer answer;
    if (ask_hook(CommonDialogCall{CommonDialogKind::Font, m_cf.hwndOwner, "", m_lf.lfFaceName},
                 answer)) {
        if (!answer.ok)
            return IDCANCEL;
        // The height in logical units of the DC the fonts are listed for.
        HDC dc = (m_cf.Flags & CF_PRINTERFONTS) && m_cf.hDC ? m_cf.hDC : GetDC(nullptr);
        m_lf.lfHeight = -MulDiv(answer.points, GetDeviceCaps(dc, LOGPIXELSY), 72);
        if (dc != m_cf.hDC)
            ReleaseDC(nullptr, dc);
        m_lf.lfWidth = 0;
        m_lf.lfWeight = answer.bold ? FW_BOLD : FW_NORMAL;
        m_lf.lfItalic = answer.italic ? TRUE : FALSE;
        lstrcpynA(m_lf.lfFaceName, answer.face.c_str(), LF_FACESIZE);
        m_cf.iPointSize = answer.points * 10;
        return IDOK;
    }
    return ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND owner)
{
    std::memset(&m_cc, 0, sizeof m_cc);
    for (COLORREF& c : m_custom)
        c = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof m_cc;
    m_cc.hwndOwner = owner;
    m_cc.rgbResult = initial;
    m_cc.Flags = flags;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.lpCustColors = m_custom;
    CommonDialogAnswer answer;
    if (ask_hook(CommonDialogCall{CommonDialogKind::Colour, m_cc.hwndOwner, "", ""}, answer)) {
        if (!answer.ok)
            return IDCANCEL;
        m_cc.rgbResult = answer.colour;
        return IDOK;
    }
    return ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

// ---- folder picker

CFolderDialog::CFolderDialog(const char* title, HWND owner, UINT flags)
    : title_(title ? title : ""), owner_(owner), flags_(flags)
{
}

int CALLBACK CFolderDialog::Callback(HWND wnd, UINT message, LPARAM, LPARAM data)
{
    auto* self = reinterpret_cast<CFolderDialog*>(data);
    if (message == BFFM_INITIALIZED && !self->initial_.empty())
        SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(self->initial_.c_str()));
    return 0;
}

INT_PTR CFolderDialog::DoModal()
{
    CommonDialogAnswer answer;
    if (ask_hook(CommonDialogCall{CommonDialogKind::Folder, owner_, title_, initial_}, answer)) {
        if (!answer.ok || answer.paths.empty())
            return IDCANCEL;
        path_ = answer.paths.front();
        return IDOK;
    }
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char display[MAX_PATH] = "";
    BROWSEINFOA bi;
    std::memset(&bi, 0, sizeof bi);
    bi.hwndOwner = owner_;
    bi.pszDisplayName = display;
    bi.lpszTitle = title_.c_str();
    bi.ulFlags = flags_;
    bi.lpfn = Callback;
    bi.lParam = reinterpret_cast<LPARAM>(this);
    INT_PTR result = IDCANCEL;
    if (LPITEMIDLIST list = SHBrowseForFolderA(&bi)) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(list, path)) {
            path_ = path;
            result = IDOK;
        }
        CoTaskMemFree(list);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}

// ---- printing

CPrintDialog::CPrintDialog(bool setupOnly, DWORD flags, HWND owner) : setupOnly_(setupOnly)
{
    std::memset(&m_pd, 0, sizeof m_pd);
    m_pd.lStructSize = sizeof m_pd;
    m_pd.hwndOwner = owner;
    m_pd.Flags = flags | (setupOnly ? PD_PRINTSETUP : 0);
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDevMode)
        GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames)
        GlobalFree(m_pd.hDevNames);
}

bool CPrintDialog::GetDefaults()
{
    if (m_pd.hDevMode || m_pd.hDevNames)
        return true;
    PRINTDLGA pd = m_pd;
    pd.Flags = PD_RETURNDEFAULT;
    pd.hDC = nullptr;
    if (!PrintDlgA(&pd))
        return false;
    m_pd.hDevMode = pd.hDevMode;
    m_pd.hDevNames = pd.hDevNames;
    return true;
}

static std::string devnames_field(HGLOBAL names, int which)
{
    if (!names)
        return "";
    auto* dn = static_cast<DEVNAMES*>(GlobalLock(names));
    if (!dn)
        return "";
    WORD offset = which == 0 ? dn->wDriverOffset : which == 1 ? dn->wDeviceOffset : dn->wOutputOffset;
    std::string text = reinterpret_cast<const char*>(dn) + offset;
    GlobalUnlock(names);
    return text;
}

std::string CPrintDialog::GetDriverName() const
{
    return devnames_field(m_pd.hDevNames, 0);
}

std::string CPrintDialog::GetDeviceName() const
{
    return devnames_field(m_pd.hDevNames, 1);
}

std::string CPrintDialog::GetPortName() const
{
    return devnames_field(m_pd.hDevNames, 2);
}

HDC CPrintDialog::CreatePrinterDC() const
{
    if (!m_pd.hDevNames)
        return nullptr;
    std::string device = GetDeviceName();
    auto* mode = m_pd.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(m_pd.hDevMode)) : nullptr;
    HDC dc = CreateDCA("WINSPOOL", device.c_str(), nullptr, mode);
    if (mode)
        GlobalUnlock(m_pd.hDevMode);
    return dc;
}

INT_PTR CPrintDialog::DoModal()
{
    CommonDialogAnswer answer;
    CommonDialogCall call{setupOnly_ ? CommonDialogKind::PrintSetup : CommonDialogKind::Print,
                          m_pd.hwndOwner, "", ""};
    if (ask_hook(call, answer)) {
        // A scripted answer chooses the default printer, as pressing OK
        // without a change would; without a printer the dialog fails.
        if (!answer.ok || !GetDefaults())
            return IDCANCEL;
        if (!setupOnly_ && answer.fromPage > 0) {
            m_pd.Flags = (m_pd.Flags & ~(PD_ALLPAGES | PD_SELECTION)) | PD_PAGENUMS;
            m_pd.nFromPage = static_cast<WORD>(answer.fromPage);
            m_pd.nToPage = static_cast<WORD>(answer.toPage);
        }
        if (m_pd.Flags & PD_RETURNDC)
            m_pd.hDC = CreatePrinterDC();
        return IDOK;
    }
    return PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

} // namespace winui
