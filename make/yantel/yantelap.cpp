#include "make/yantel/yantelap.h"

#include "make/yantel/resource.h"
#include "make/yantel/yanedtfl.h"
#include "make/yantel/yantel_paths.h"
#include "make/yantel/yantelaboutdlg.h"
#include "make/yantel/yantelframe.h"

#include "winui/commdlg.h"
#include "common/text.h"

#include <cstdio>
#include <cstring>

static TYantelApp* the_app;

// The recent-file list's place in the settings file.
static const char recent_section[] = "Recent File List";
static const char recent_key[] = "File%d";

TYantelApp* TYantelApp::Get()
{
    return the_app;
}

TYantelApp::TYantelApp(std::string programPath)
{
    the_app = this;
    settingsPath_ = yantel_settings_path(programPath);
    // A program in C:\suite\bin starts working in C:\suite.
    std::string start = yantel_start_folder(programPath);
    if (!start.empty())
        SetCurrentDirectoryA(start.c_str());
    toolPath_ = yantel_tool_path(programPath);
    ReadSettings();
    ReadRecentFiles();
}

TYantelApp::~TYantelApp()
{
    WriteSettings();
    delete frame_;
    if (the_app == this)
        the_app = nullptr;
}

TYanEditFile* TYantelApp::View() const
{
    return frame_ ? &frame_->View() : nullptr;
}

void TYantelApp::ReadSettings()
{
    const char* ini = settingsPath_.c_str();
    char face[64] = "";
    GetPrivateProfileStringA("FONT", "Font", "Fixedsys", face, 41, ini);
    fontInfo_.face = face;
    fontInfo_.height = static_cast<int>(GetPrivateProfileIntA("FONT", "Height", -12, ini));
    fontInfo_.weight = static_cast<int>(GetPrivateProfileIntA("FONT", "Bold", 400, ini));
    fontInfo_.italic = GetPrivateProfileIntA("FONT", "Italic", 0, ini) != 0;
}

void TYantelApp::WriteSettings() const
{
    const char* ini = settingsPath_.c_str();
    char number[32];
    WritePrivateProfileStringA("FONT", "Font", fontInfo_.face.c_str(), ini);
    std::snprintf(number, sizeof number, "%d", fontInfo_.height);
    WritePrivateProfileStringA("FONT", "Height", number, ini);
    std::snprintf(number, sizeof number, "%d", fontInfo_.weight);
    WritePrivateProfileStringA("FONT", "Bold", number, ini);
    WritePrivateProfileStringA("FONT", "Italic", fontInfo_.italic ? "1" : "0", ini);
}

void TYantelApp::ReadRecentFiles()
{
    recent_.clear();
    for (int i = 1; i <= YANTEL_MRU_SIZE; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, recent_key, i);
        char path[MAX_PATH * 4] = "";
        GetPrivateProfileStringA(recent_section, key, "", path, sizeof path,
                                 settingsPath_.c_str());
        if (path[0])
            recent_.push_back(path);
    }
}

void TYantelApp::WriteRecentFiles() const
{
    for (int i = 1; i <= YANTEL_MRU_SIZE; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, recent_key, i);
        size_t index = static_cast<size_t>(i - 1);
        WritePrivateProfileStringA(recent_section, key,
                                   index < recent_.size() ? recent_[index].c_str() : nullptr,
                                   settingsPath_.c_str());
    }
}

void TYantelApp::AddRecentFile(const std::string& path)
{
    for (size_t i = 0; i < recent_.size(); ++i) {
        if (text_equal_nocase(recent_[i].c_str(), path.c_str())) {
            recent_.erase(recent_.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    recent_.insert(recent_.begin(), path);
    if (recent_.size() > YANTEL_MRU_SIZE)
        recent_.resize(YANTEL_MRU_SIZE);
    // Kept on disk at once: a program that ends abnormally keeps its list.
    WriteRecentFiles();
    UpdateRecentMenu();
}

// The entries stand in the File menu between the separator after
// "Save As..." and "Exit", followed by a separator of their own.
void TYantelApp::UpdateRecentMenu() const
{
    if (!frame_ || !frame_->m_hWnd)
        return;
    HMENU file = GetSubMenu(GetMenu(frame_->m_hWnd), 0);
    if (!file)
        return;
    int saveAs = -1, exit = -1;
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        UINT id = GetMenuItemID(file, i);
        if (id == CM_FILESAVEAS)
            saveAs = i;
        else if (id == CM_EXIT)
            exit = i;
    }
    if (saveAs < 0 || exit < 0)
        return;
    for (int i = exit - 1; i >= saveAs + 2; --i)
        DeleteMenu(file, static_cast<UINT>(i), MF_BYPOSITION);
    UINT at = static_cast<UINT>(saveAs + 2);
    for (size_t i = 0; i < recent_.size(); ++i) {
        std::string shown;
        for (char c : recent_[i]) {
            shown += c;
            if (c == '&')
                shown += '&';
        }
        char label[16];
        std::snprintf(label, sizeof label, "&%d ", static_cast<int>(i + 1) % 10);
        std::string text = label + shown;
        InsertMenuA(file, at++, MF_BYPOSITION | MF_STRING, CM_MRU_FIRST + i, text.c_str());
    }
    if (!recent_.empty())
        InsertMenuA(file, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

bool TYantelApp::MakeFont()
{
    font_.DeleteObject();
    return font_.CreateFont(fontInfo_.height, 0, 0, 0, fontInfo_.weight,
                            fontInfo_.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FIXED_PITCH | FF_DONTCARE, fontInfo_.face.c_str()) != FALSE;
}

BOOL TYantelApp::InitInstance()
{
    // A shortcut's "minimised" or "maximised" still opens a normal window.
    if (m_nCmdShow != SW_HIDE && m_nCmdShow != SW_SHOWMINNOACTIVE)
        m_nCmdShow = SW_SHOWNORMAL;
    InitMainWindow();
    if (!frame_ || !frame_->m_hWnd)
        return FALSE;
    m_hMainWnd = frame_->m_hWnd;
    accel_ = LoadAcceleratorsA(m_hInstance, MAKEINTRESOURCEA(IDM_YANTEL));
    ShowWindow(frame_->m_hWnd, m_nCmdShow);
    UpdateWindow(frame_->m_hWnd);
    return TRUE;
}

void TYantelApp::InitMainWindow()
{
    frame_ = new TYantelFrame(this);
    // The font exists before the view's set-up takes it.
    MakeFont();
    if (!frame_->Create(appName_.c_str())) {
        delete frame_;
        frame_ = nullptr;
        return;
    }
    frame_->CreateStatusBar();
    CreateToolBar();
    UpdateRecentMenu();
    frame_->UpdateCommandStates();
}

void TYantelApp::CreateToolBar()
{
    frame_->CreateToolBar();
}

BOOL TYantelApp::PreTranslateMessage(MSG* msg)
{
    if (frame_ && frame_->m_hWnd && accel_ &&
        (msg->hwnd == frame_->m_hWnd || IsChild(frame_->m_hWnd, msg->hwnd)) &&
        TranslateAcceleratorA(frame_->m_hWnd, accel_, msg))
        return TRUE;
    return CWinApp::PreTranslateMessage(msg);
}

void TYantelApp::CmFileNew()
{
    TYanEditFile* view = View();
    if (!view || view->Running())
        return;
    bool wasEditing = view->EditMode();
    view->SetEditMode(true);
    if (!view->NewFile()) {
        view->SetEditMode(wasEditing);
        return;
    }
    frame_->SetDocTitle("<new makefile>");
    view->SetNameChanged();
    frame_->Targets().ResetContent();
    frame_->Targets().EnableWindow(FALSE);
    frame_->UpdateCommandStates();
}

void TYantelApp::CmFileOpen()
{
    TYanEditFile* view = View();
    if (!view || view->Running())
        return;
    fileName_.clear();
    if (!view->CanClear())
        return;
    winui::CFileDialog dialog(true, fileData_.defExt, nullptr, fileData_.flags, fileData_.filter,
                              frame_->m_hWnd);
    if (dialog.DoModal() != IDOK)
        return;
    fileName_ = dialog.GetPathName();
    OpenFile();
}

void TYantelApp::CmMRUFile(int index)
{
    TYanEditFile* view = View();
    if (!view || view->Running() || index < 0 || index >= static_cast<int>(recent_.size()))
        return;
    std::string name = recent_[static_cast<size_t>(index)];
    if (!view->CanClear())
        return;
    OpenFile(name.c_str());
}

void TYantelApp::OpenFile(const char* name)
{
    TYanEditFile* view = View();
    if (!view)
        return;
    if (name)
        fileName_ = name;
    if (fileName_.empty() || !view->Read(fileName_))
        return;
    view->SetFileName(fileName_);
    frame_->SetDocTitle(fileName_);
    AddRecentFile(fileName_);
    std::string folder = yantel_folder_of(fileName_);
    if (!folder.empty())
        SetCurrentDirectoryA(folder.size() == 2 ? (folder + "\\").c_str() : folder.c_str());
    view->RefreshTargets();
    frame_->UpdateCommandStates();
}

void TYantelApp::CmHelpAbout()
{
    TYantelAboutDlg dialog(frame_ ? frame_->m_hWnd : nullptr);
    dialog.DoModal();
}
