#include "make/yantel/yantelap.h"

#include "make/yantel/resource.h"
#include "make/yantel/yanedtfl.h"
#include "make/yantel/yantel_paths.h"
#include "make/yantel/yantelaboutdlg.h"
#include "make/yantel/yantelframe.h"

#include "winui/commdlg.h"


static TYantelApp* the_app;

BEGIN_MESSAGE_MAP(TYantelApp, winui::CWinApp)
    ON_COMMAND(CM_FILENEW, &TYantelApp::CmFileNew)
    ON_COMMAND(CM_FILEOPEN, &TYantelApp::CmFileOpen)
    ON_COMMAND(CM_HELPABOUT, &TYantelApp::CmHelpAbout)
    ON_COMMAND_RANGE(CM_MRU_FIRST, CM_MRU_FIRST + YANTEL_MRU_SIZE - 1, &TYantelApp::CmMRUFile)
END_MESSAGE_MAP()

TYantelApp* TYantelApp::Get()
{
    return the_app;
}

TYantelApp::TYantelApp(std::string programPath)
{
    the_app = this;
    m_strAppName = "Yantel";
    m_profile.SetPath(yantel_settings_path(programPath));
    // A program in C:\suite\bin starts working in C:\suite.
    std::string start = yantel_start_folder(programPath);
    if (!start.empty())
        SetCurrentDirectoryA(start.c_str());
    toolPath_ = yantel_tool_path(programPath);
    ReadSettings();
    // The list of the 10 makefiles opened last ("Recent File List").
    LoadStdProfileSettings(YANTEL_MRU_SIZE);
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
    fontInfo_.face = m_profile.GetString("FONT", "Font", "Fixedsys").substr(0, 40);
    fontInfo_.height = m_profile.GetInt("FONT", "Height", -12);
    fontInfo_.weight = m_profile.GetInt("FONT", "Bold", 400);
    fontInfo_.italic = m_profile.GetInt("FONT", "Italic", 0) != 0;
}

void TYantelApp::WriteSettings() const
{
    m_profile.WriteString("FONT", "Font", fontInfo_.face.c_str());
    m_profile.WriteInt("FONT", "Height", fontInfo_.height);
    m_profile.WriteInt("FONT", "Bold", fontInfo_.weight);
    m_profile.WriteInt("FONT", "Italic", fontInfo_.italic ? 1 : 0);
}

void TYantelApp::AddRecentFile(const std::string& path)
{
    AddToRecentFileList(path.c_str());
    // Kept on disk at once: a program that ends abnormally keeps its list.
    SaveStdProfileSettings();
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
    ShowWindow(frame_->m_hWnd, m_nCmdShow);
    UpdateWindow(frame_->m_hWnd);
    return TRUE;
}

void TYantelApp::InitMainWindow()
{
    frame_ = new TYantelFrame(this);
    // The font exists before the view's set-up takes it.
    MakeFont();
    if (!frame_->Create(m_strAppName.c_str())) {
        delete frame_;
        frame_ = nullptr;
        return;
    }
    frame_->CreateStatusBar();
    CreateToolBar();
    frame_->SetGadgetFont();
    frame_->UpdateCommandStates();
}

void TYantelApp::CreateToolBar()
{
    frame_->CreateToolBar();
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

void TYantelApp::CmMRUFile(UINT id)
{
    TYanEditFile* view = View();
    int index = static_cast<int>(id - CM_MRU_FIRST);
    if (!view || view->Running() || !m_pRecentFileList || index < 0 ||
        index >= m_pRecentFileList->GetCount())
        return;
    std::string name = (*m_pRecentFileList)[index];
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
