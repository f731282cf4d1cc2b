#include "editor/tools/tools_bar.h"

#include "editor/docking/dockframe.h"
#include "editor/tools/app_start_dlg.h"
#include "editor/tools/tool_profile.h"
#include "editor/tools/tool_runner.h"
#include "winui/frame.h"

#include <cstring>

BOOL CToolsBar::Create(winui::CFrameWnd* frame, DWORD style)
{
    if (!winui::CToolBar::Create(frame, style, kToolsBarId))
        return FALSE;
    // Text only.
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_size.cx, m_size.cy));
    return TRUE;
}

CDockSite* CToolsBar::Site() const
{
    return dynamic_cast<CDockSite*>(m_pDockSite);
}

void CToolsBar::RecalcFrame() const
{
    if (m_pDockSite && m_pDockSite->m_hWnd)
        m_pDockSite->RecalcLayout();
}

bool CToolsBar::DockedVertically() const
{
    return !IsFloating() && (m_dwStyle & winui::CBRS_ORIENT_VERT) != 0;
}

void CToolsBar::SetButtonLabel(int index)
{
    std::string label = ToolLabel(m_tools[index].Toolname);
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = const_cast<char*>(label.c_str());
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void CToolsBar::AddButton(int index)
{
    std::string label = ToolLabel(m_tools[index].Toolname);
    label.push_back('\0'); // the string list ends with two zeros
    LRESULT text = SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(label.c_str()));
    TBBUTTON b{};
    b.iBitmap = I_IMAGENONE;
    b.idCommand = m_tools[index].CommandId;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
    b.iString = text;
    SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&b));
}

void CToolsBar::FitButtons()
{
    int height = m_size.cy;
    RECT r;
    if (GetCount() > 0 && GetItemRect(0, &r))
        height = r.bottom - r.top;
    if (DockedVertically())
        ++height;
    m_size = SIZE{m_nWidest > 0 ? m_nWidest : m_size.cx, height};
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_size.cx, m_size.cy));
    SendMessage(TB_AUTOSIZE);
}

int CToolsBar::AddTool(const CToolInfo& tool)
{
    int count = m_tools.Add(tool);
    if (count < 0)
        return -1;
    AddButton(count - 1);
    RECT r;
    if (GetItemRect(count - 1, &r) && r.right - r.left > m_nWidest)
        m_nWidest = r.right - r.left;
    FitButtons();
    if (count == 1 && !IsVisible())
        ShowBar(TRUE);
    RecalcFrame();
    return count;
}

void CToolsBar::RemoveAllTools()
{
    while (GetCount() > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    m_tools.Clear();
    m_nCurrent = -1;
    m_nWidest = 0;
    if (!IsFloating()) {
        if (CDockSite* site = Site()) {
            RECT empty{0, 0, 0, 0};
            if (CSizeDockBar* dock = CDockSite::DockBarOf(this))
                site->DockControlBar(this, dock, &empty);
        }
    }
    ShowBar(FALSE);
}

void CToolsBar::LoadTools(const std::string& profilePath, int dockSide)
{
    CProfileToolStore store{winui::CProfile(profilePath)};
    std::vector<CToolInfo> tools;
    if (LoadToolList(store, tools)) {
        RemoveAllTools();
        for (const CToolInfo& tool : tools)
            AddTool(tool);
    }
    FitButtons();
    RecalcFrame();
    DockAtSide(dockSide);
}

void CToolsBar::SaveTools(const std::string& profilePath) const
{
    CProfileToolStore store{winui::CProfile(profilePath)};
    SaveToolList(store, m_tools.Tools());
}

void CToolsBar::DockAtSide(int side)
{
    static const UINT docks[5] = {0, winui::AFX_IDW_DOCKBAR_TOP, winui::AFX_IDW_DOCKBAR_BOTTOM,
                                  winui::AFX_IDW_DOCKBAR_RIGHT, winui::AFX_IDW_DOCKBAR_LEFT};
    CDockSite* site = Site();
    if (!site || side < 1 || side > 4)
        return;
    site->DockControlBar(this, docks[side]);
}

void CToolsBar::ShowBar(BOOL show)
{
    if (CDockSite* site = Site()) {
        site->ShowControlBar(this, show, FALSE);
        if (!IsFloating()) {
            DWORD side = m_dwStyle & winui::CBRS_ALIGN_ANY;
            if (CSizeDockBar* dock = site->GetDockBarOfSide(side))
                site->DockControlBar(this, dock);
        }
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE);
        RecalcFrame();
    }
}

void CToolsBar::Renumber()
{
    // The list numbers its records; the buttons follow.
    for (int i = 0; i < GetCount() && i < m_tools.Count(); ++i)
        SendMessage(TB_SETCMDID, static_cast<WPARAM>(i),
                    static_cast<LPARAM>(m_tools[i].CommandId));
}

int CToolsBar::ButtonAt(POINT point) const
{
    int index = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
    return index >= 0 && index < GetCount() ? index : -1;
}

INT_PTR CToolsBar::EditTool(int index)
{
    if (index < 0 || index >= m_tools.Count())
        return IDCANCEL;
    CAppStartDlg dlg(m_pDockSite ? m_pDockSite->m_hWnd : nullptr);
    dlg.m_tool = m_tools[index];
    dlg.m_strDefaultDir = m_strDefaultDir;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK) {
        int id = m_tools[index].CommandId;
        m_tools[index] = dlg.m_tool;
        m_tools[index].CommandId = id;
        if (m_pCurrentTool)
            m_pCurrentTool->Compiler = dlg.m_tool.Compiler;
        SetButtonLabel(index);
    } else if (result == kToolDialogDelete) {
        m_tools.Remove(index);
        if (m_nCurrent == index)
            m_nCurrent = -1;
        else if (m_nCurrent > index)
            --m_nCurrent;
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
        if (m_tools.Count() > 0)
            Renumber();
        else
            ::ShowWindow(m_hWnd, SW_HIDE);
        RecalcFrame();
    }
    return result;
}

LRESULT CToolsBar::StartToolByCommand(UINT id)
{
    int index = m_tools.IndexOfCommand(static_cast<int>(id));
    if (index < 0)
        return -1;
    while (m_tools[index].AppExe.empty()) {
        INT_PTR result = EditTool(index);
        if (result != IDOK)
            return result;
    }
    if (m_pCurrentTool)
        SetCurrentTool(m_tools[index], *m_pCurrentTool, m_pShorten);
    m_nCurrent = index;
    HWND main = m_pDockSite ? m_pDockSite->m_hWnd : nullptr;
    return main ? ::SendMessageA(main, WM_START_TOOL, 0, 0) : 0;
}

CToolInfo* CToolsBar::CurrentToolRecord()
{
    return m_nCurrent >= 0 && m_nCurrent < m_tools.Count() ? &m_tools[m_nCurrent] : nullptr;
}

bool CToolsBar::OnToolTip(LPARAM lParam)
{
    const int id = winui::ToolTipRequestId(lParam);
    int index = id < 0 ? -1 : m_tools.IndexOfCommand(id);
    if (index < 0)
        return false;
    return winui::AnswerToolTipText(lParam, CToolList::TipText(m_tools[index]));
}

LRESULT CToolsBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_RBUTTONDOWN: {
        int index = ButtonAt(point);
        if (index < 0)
            break;
        EditTool(index);
        if (!m_hWnd)
            return 0;
        SendMessage(TB_AUTOSIZE);
        m_nWidest = 0;
        RECT r;
        for (int i = 0; i < GetCount(); ++i)
            if (GetItemRect(i, &r) && r.right - r.left > m_nWidest)
                m_nWidest = r.right - r.left;
        RECT client;
        GetClientRect(&client);
        int height = client.bottom;
        if (DockedVertically() && GetCount() > 0)
            height /= GetCount();
        m_size = SIZE{m_nWidest > 0 ? m_nWidest : m_size.cx, height > 0 ? height : m_size.cy};
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_size.cx, m_size.cy));
        SendMessage(TB_AUTOSIZE);
        RecalcFrame();
        break;
    }
    case WM_LBUTTONDOWN:
        m_nDragSource = ButtonAt(point);
        break;
    case WM_LBUTTONUP: {
        int target = ButtonAt(point);
        int source = m_nDragSource;
        m_nDragSource = -1;
        if (source < 0 || target < 0 || target == source)
            break;
        // A drop on another button moves the tool; nothing is started.
        ReleaseCapture();
        TBBUTTON b{};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(source), reinterpret_cast<LPARAM>(&b));
        b.fsState = TBSTATE_ENABLED;
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(source));
        SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(target), reinterpret_cast<LPARAM>(&b));
        m_tools.Move(source, target);
        if (m_nCurrent == source)
            m_nCurrent = target;
        else if (source < m_nCurrent && m_nCurrent <= target)
            --m_nCurrent;
        else if (target <= m_nCurrent && m_nCurrent < source)
            ++m_nCurrent;
        Renumber();
        FitButtons();
        RecalcFrame();
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        LRESULT r = winui::CToolBar::WindowProc(message, wParam, lParam);
        RECT first;
        if (GetCount() > 0 && GetItemRect(0, &first)) {
            m_size.cx = first.right - first.left;
            SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_size.cx, m_size.cy));
            SendMessage(TB_AUTOSIZE);
        }
        return r;
    }
    case WM_NOTIFY:
        if (OnToolTip(lParam))
            return 0;
        break;
    }
    return winui::CToolBar::WindowProc(message, wParam, lParam);
}
