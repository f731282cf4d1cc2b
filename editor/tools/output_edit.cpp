#include "editor/tools/output_edit.h"

#include "editor/tools/diag_parse.h"
#include "editor/tools/diag_target.h"
#include "editor/tools/tool_profile.h"
#include "editor/tools/tool_runner.h"
#include "editor/tools/tool_shell.h"

#include "editor/editctl/color_table.h"

#include <algorithm>
#include <string_view>

// <commdlg.h> maps FindText to FindTextA; the text core's member keeps its name.
#ifdef FindText
#undef FindText
#endif

BOOL CScrollColorEdit::Create(const char* windowName, DWORD style, const RECT& rect, HWND parent,
                              UINT id)
{
    std::copy(g_ColorTable, g_ColorTable + kColorTableSize, m_colorTable);
    m_colorTable[0] = m_crPaneText;
    Core().m_pColorTable = m_colorTable;
    m_hScrollBar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 1, 1,
                                   parent, reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr),
                                   nullptr);
    if (m_hScrollBar) {
        if (style & WS_HSCROLL) {
            ::SetScrollRange(m_hScrollBar, SB_CTL, 0, 0x7FFF, FALSE);
            ::ShowWindow(m_hScrollBar, (style & WS_VISIBLE) ? SW_SHOW : SW_HIDE);
        } else {
            ::ShowWindow(m_hScrollBar, SW_HIDE);
        }
    }
    SetSharedScrollBars(m_hScrollBar, nullptr);
    if (!CColorEdit::Create(windowName, style, rect, parent, id))
        return FALSE;
    m_crWindow = m_crPaneBack;
    Core().m_crBackground = m_crPaneBack;
    ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
    return TRUE;
}

HWND CScrollColorEdit::GetScrollBarCtrl(int bar) const
{
    if (bar == SB_HORZ && m_hScrollBar)
        return m_hScrollBar;
    return CColorEdit::GetScrollBarCtrl(bar);
}

void CScrollColorEdit::PlaceScrollBar(int indent)
{
    if (!m_hWnd || !m_hScrollBar)
        return;
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&r), 2);
    int right = r.right;
    if (GetStyle() & WS_VSCROLL)
        right -= GetSystemMetrics(SM_CXVSCROLL);
    int left = r.left + indent;
    ::MoveWindow(m_hScrollBar, left, r.bottom, right > left ? right - left : 0,
                 GetSystemMetrics(SM_CYHSCROLL), TRUE);
}

void CScrollColorEdit::ShowPane(bool show)
{
    ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE);
    if (m_hScrollBar)
        ::ShowWindow(m_hScrollBar, show ? SW_SHOW : SW_HIDE);
}

BEGIN_MESSAGE_MAP(COutputEdit, CColorEdit)
    ON_MESSAGE(WM_TOOL_OUTPUT, &COutputEdit::OnAppendOutput)
    ON_MESSAGE(WM_TOOL_LOADREDIRECT, &COutputEdit::OnLoadRedirectFile)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

bool IsRelative(const std::string& path)
{
    if (path.empty())
        return false;
    if (path[0] == '\\' || path[0] == '/')
        return false;
    return !(path.size() > 1 && path[1] == ':');
}

} // namespace

BOOL COutputEdit::Create(const char* windowName, DWORD style, const RECT& rect, HWND parent,
                         UINT id)
{
    Core().AllocBuffers(0x10000);
    if (!CScrollColorEdit::Create(windowName, style, rect, parent, id))
        return FALSE;
    SetReadOnly(1);
    return TRUE;
}

void COutputEdit::SetPaneText(const char* text)
{
    SetReadOnly(0);
    Core().SetText(text ? text : "");
    SetReadOnly(1);
    InvalidateText(1);
}

std::string COutputEdit::GetPaneText() const
{
    const uint8_t* text = GetTextBuffer();
    return text ? std::string(reinterpret_cast<const char*>(text), GetTextLength()) : std::string();
}

void COutputEdit::AppendLine(const std::string& text, int attr)
{
    SetReadOnly(0);
    Core().AppendLineString(text.substr(0, kAppendLineCut), attr, true, false);
    SetReadOnly(1);
}

LRESULT COutputEdit::OnAppendOutput(WPARAM, LPARAM lParam)
{
    const char* text = reinterpret_cast<const char*>(lParam);
    if (!text)
        return 0;
    int end = GetTextLength();
    SetSel(end, end, false, false);
    SetReadOnly(0);
    Core().ReplaceSel(text, false, true);
    SetReadOnly(1);
    // The output arrives while the user may type in a document: the pane
    // shows it without taking the keyboard.
    end = GetTextLength();
    SetSel(end, end, true, true);
    return 0;
}

LRESULT COutputEdit::OnLoadRedirectFile(WPARAM, LPARAM)
{
    SetReadOnly(0);
    Core().LoadFile(CToolRunner::RedirectFilePath().c_str());
    SetReadOnly(1);
    UpdateVScrollBar(Core().m_nVisibleLines < GetLineCount());
    SetFocus();
    int end = GetTextLength();
    SetSel(end, end, true, true);
    InvalidateText(1);
    m_nNextMessage = -1;
    return 0;
}

void COutputEdit::OnChar(UINT c, UINT repeat, UINT flags)
{
    // Keys go to the running tool only; the pane's text never changes.
    if (m_pRunner && m_pRunner->IsRunning() && c < 128)
        m_pRunner->SendKey(static_cast<unsigned char>(c));
}

void COutputEdit::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ctrl && (key == 'C' || key == 'X' || key == VK_INSERT)) {
        Copy(0);
        return;
    }
    CColorEdit::OnKeyDown(key, repeat, flags);
}

void COutputEdit::OnLButtonDown(UINT flags, POINT point)
{
    SetFocus();
    CColorEdit::OnLButtonDown(flags, point);
}

void COutputEdit::OnLButtonDblClk(UINT flags, POINT point)
{
    // Only the line matters: the one under the point, whatever the column.
    int row = point.y < 0 ? 0 : point.y / GetCharSize().cy;
    GoToLineSource(Core().GetLineOffsetClamped(GetTopLine() + row));
}

BOOL COutputEdit::PreTranslateMessage(MSG* msg)
{
    // The frame's accelerators must not take the pane's keys.
    if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR || msg->message == WM_SETFOCUS) {
        TranslateMessage(msg);
        DispatchMessageA(msg);
        return TRUE;
    }
    return FALSE;
}

int COutputEdit::FindTargetDocument(const std::string& file, int lookup)
{
    auto how = static_cast<diag::Lookup>(lookup);
    if (how == diag::Lookup::kActive)
        return m_pShell->ActiveDocument();
    std::string path = file;
    if (IsRelative(path) && !m_strBaseDir.empty())
        path = m_strBaseDir + "\\" + path;
    std::vector<std::string> docs = m_pShell->DocumentPaths();
    int index = how == diag::Lookup::kByFullPath
                    ? diag::FindDocument(path, docs, true, ShortenPathName(path))
                    : diag::FindDocument(path, docs, false);
    if (index >= 0 || how == diag::Lookup::kByNameNoOpen)
        return index;
    return m_pShell->OpenDocument(path);
}

void COutputEdit::GoToLineSource(int offset)
{
    if (GetTextLength() == 0)
        return;
    // The whole clicked line is selected.
    int lineStart = Core().GetLineStart(offset);
    int lineEnd = Core().GetLineEnd(offset);
    SetSel(lineStart, lineEnd, false, true);
    if (!m_pShell || lineEnd == lineStart)
        return;

    std::string_view text(reinterpret_cast<const char*>(GetTextBuffer()), GetTextLength());
    diag::Target target;
    if (m_nKind == kPaneOutput) {
        target = diag::ParseOutputLine(diag::FormatFromName(m_pShell->CurrentToolFormat()), text,
                                       lineStart);
    } else if (m_nKind == kPaneSearchResults || m_nKind == kPaneTags) {
        target = diag::ParseResultLine(diag::LineAt(text, lineStart), m_nKind == kPaneSearchResults,
                                       static_cast<int>(m_strSearchText.size()));
    } else {
        return;
    }
    if (target.action == diag::Action::kFocusPane) {
        SetFocus();
        return;
    }
    if (target.action != diag::Action::kJump)
        return;
    int index = FindTargetDocument(target.file, static_cast<int>(target.lookup));
    if (index < 0)
        return;
    CColorEdit* editor = m_pShell->DocumentEditor(index);
    if (!editor)
        return;
    m_pShell->ShowDocumentLine(index, target.line);
    diag::Place place = diag::SelectTarget(editor->Core(), target.line, target.column,
                                           target.length, m_strSearchText, m_nSearchFlags);
    m_pShell->UpdateStatusBar(place.line + 1, place.column + 1, place.offset);
    editor->SetFocus();
}

void COutputEdit::FindNextMessage(const char* word)
{
    const int flags = kFindForward | kFindWholeWord; // case ignored
    int from = m_nNextMessage < 0 ? 0 : m_nNextMessage;
    int hit = Core().FindText(word, flags, from, -1, true);
    if (hit < 0)
        hit = Core().FindText(word, flags, 0, -1, true);
    m_nNextMessage = hit < 0 ? 0 : hit + 1;
}

void COutputEdit::OnRButtonDown(UINT flags, POINT point)
{
    HMENU menu = CreatePopupMenu();
    if (m_nKind == kPaneOutput) {
        AppendMenuA(menu, MF_STRING, ID_OUTPUT_NEXT_ERROR, "Next Error");
        AppendMenuA(menu, MF_STRING, ID_OUTPUT_NEXT_WARNING, "Next Warning");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        if (m_nNextMessage == -1)
            m_nNextMessage = 0;
    }
    int start = 0, end = 0;
    GetSel(start, end);
    AppendMenuA(menu, MF_STRING, ID_OUTPUT_CLEAR, "Clear");
    AppendMenuA(menu, MF_STRING | (start == end ? MF_GRAYED : 0), ID_OUTPUT_COPY, "Copy");
    AppendMenuA(menu, MF_STRING, ID_OUTPUT_COPY_ALL, "Copy All");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ID_OUTPUT_FLOAT, "Float Window");
    AppendMenuA(menu, MF_STRING, ID_OUTPUT_DOCK, "Dock Window");
    AppendMenuA(menu, MF_STRING, ID_OUTPUT_CLOSE, "Close");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ID_OUTPUT_FONT, "Font...");
    POINT screen = point;
    ClientToScreen(m_hWnd, &screen);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
    CColorEdit::OnRButtonDown(flags, point);
}

bool COutputEdit::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        return CColorEdit::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case ID_OUTPUT_NEXT_ERROR: FindNextMessage("ERROR"); return true;
    case ID_OUTPUT_NEXT_WARNING: FindNextMessage("WARNING"); return true;
    case ID_OUTPUT_COPY: Copy(0); return true;
    case ID_OUTPUT_COPY_APPEND: Copy(1); return true;
    case ID_OUTPUT_COPY_ALL:
        SetSel(0, -1, false, true);
        Copy(0);
        return true;
    case ID_OUTPUT_CLEAR:
        if (!(m_pRunner && m_pRunner->IsRunning()))
            m_nKind = kPaneNone;
        SetPaneText(nullptr);
        return true;
    case ID_OUTPUT_FIND:
        // The editor's find belongs to the main window.
        ::SendMessageA(GetAncestor(m_hWnd, GA_ROOT), WM_COMMAND, wParam, 0);
        return true;
    case ID_OUTPUT_FLOAT:
    case ID_OUTPUT_DOCK:
    case ID_OUTPUT_CLOSE:
    case ID_OUTPUT_FONT:
        // The bar that holds the pane floats, docks or hides itself, and
        // gives all its panes the chosen font.
        ::SendMessageA(GetParent(), WM_COMMAND, wParam, 0);
        return true;
    }
    return CColorEdit::OnCommand(wParam, lParam);
}
