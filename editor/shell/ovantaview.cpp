#include "editor/shell/ovantaview.h"

#include "editor/shell/bookmark_index.h"
#include "editor/shell/document_events.h"
#include "editor/shell/frame_links.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/shell_text.h"
#include "editor/shell/status_sink.h"

#include "editor/syntax/c_formatter.h"
#include "editor/syntax/undo_step.h"

#include "winui/msgbox.h"
#include "winui/splitter.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(COvantaView, winui::CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_MESSAGE(EDN_MODIFIED, &COvantaView::OnModifiedChanged)
    ON_MESSAGE(WM_GOTO_LINE, &COvantaView::OnGotoLine)
    ON_MESSAGE(WM_DELETE_TRAILING, &COvantaView::OnDeleteTrailing)
    ON_MESSAGE(WM_DELETE_LEADING, &COvantaView::OnDeleteLeading)
    ON_MESSAGE(WM_DELETE_EMPTY_LINES, &COvantaView::OnDeleteEmptyLines)
    ON_MESSAGE(WM_REFORMAT_C, &COvantaView::OnReformatC)
    ON_MESSAGE(EDN_CARETMOVED, &COvantaView::OnCaretMoved)
    ON_MESSAGE(EDN_LINECOUNT, &COvantaView::OnLineCountChanged)
    ON_COMMAND(ID_DELETE_LINE, &COvantaView::OnDeleteLine)
    ON_COMMAND(ID_INDENT_BLOCK, &COvantaView::OnIndentBlock)
    ON_COMMAND(ID_UNINDENT_BLOCK, &COvantaView::OnUnindentBlock)
    ON_COMMAND(ID_INDENT_RANGE, &COvantaView::OnIndentRange)
    ON_COMMAND(ID_UNINDENT_RANGE, &COvantaView::OnUnindentRange)
    ON_COMMAND(ID_EDIT_UNDO, &COvantaView::OnEditUndo)
    ON_COMMAND(ID_EDIT_CUT, &COvantaView::OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, &COvantaView::OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, &COvantaView::OnEditPaste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &COvantaView::OnEditSelectAll)
    ON_COMMAND(ID_TAB_SETTINGS, &COvantaView::OnTabSettings)
    ON_COMMAND(ID_FILE_PRINT, &COvantaView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &COvantaView::OnFilePrintDirect)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &COvantaView::OnFilePrintPreview)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_SETCURSOR, &COvantaView::OnSetCursorMsg)
    CHAIN_MSG_MAP_MEMBER(m_textCommands)
END_MESSAGE_MAP()

COvantaDoc* COvantaView::GetOvantaDoc() const
{
    return dynamic_cast<COvantaDoc*>(GetDocument());
}

BOOL COvantaView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    return TRUE;
}

int COvantaView::OnCreate(LPCREATESTRUCTA)
{
    // The control exists from the view's creation on, so that the document
    // can load its file into it; it works on the document's storage.
    COvantaDoc* doc = GetOvantaDoc();
    if (doc)
        m_wndEdit.Core().AttachState(&doc->State());
    HWND hbar = winui::SplitterScrollBar(m_hWnd, SB_HORZ);
    DWORD style = COvantaEditCtrl::kStyle | WS_VSCROLL | (hbar ? 0 : WS_HSCROLL);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (!m_wndEdit.Create(style, rc, m_hWnd, COvantaEditCtrl::kId))
        return -1;
    if (hbar)
        m_wndEdit.SetSharedScrollBars(hbar, nullptr);
    m_wndEdit.Core().SetBackgroundColor(BackColorOption());
    return 0;
}

void COvantaView::OnDestroy()
{
    if (IBookmarkIndex* bookmarks = OvantaFrame().bookmarks)
        bookmarks->RemoveBookmarksOf(m_wndEdit);
    COvantaDoc* doc = GetOvantaDoc();
    // The last view of a document leaves its place for the recent list.
    if (doc && doc->GetViews().size() == 1)
        doc->StoreRecentPosition(this);
    // The control goes before the view leaves the document, and lets go of
    // the document's storage, which the document frees after its views.
    if (m_wndEdit.m_hWnd)
        m_wndEdit.DestroyWindow();
    m_wndEdit.Core().AttachState(nullptr);
}

void COvantaView::OnInitialUpdate()
{
    COvantaDoc* doc = GetOvantaDoc();
    COvantaApp* app = COvantaApp::Get();
    if (doc && app) {
        if (!doc->GetPathName().empty()) {
            DWORD attributes = GetFileAttributesA(doc->GetPathName().c_str());
            m_wndEdit.SetReadOnly(attributes != INVALID_FILE_ATTRIBUTES &&
                                  (attributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0);
        }
        m_wndEdit.Core().SetTabWidth(OvantaOptions().tabWidth);
        m_wndEdit.Core().SetTabDisplay(OvantaOptions().showTabs);
        if (IFrameWindow* frame = OvantaFrame().window)
            if (HFONT font = frame->EditFont())
                m_wndEdit.SetEditFont(font, FALSE);
        HDC dc = ::GetDC(m_hWnd);
        SIZE digit{0, 0};
        GetTextExtentPoint32A(dc, "0", 1, &digit);
        ::ReleaseDC(m_hWnd, dc);
        m_nDigitWidth = digit.cx;
        m_bDigitWidthSet = 1;
        int caret = doc->State().selStart;
        m_wndEdit.SetSel(caret, caret, true, false);
        m_wndEdit.ChooseDefaultTemplate();
        Recolour();
        app->UpdateDocumentTitles(doc);
    }
    CreateMarginBox();
    LayoutEditor();
    m_wndEdit.UpdateVScrollBar(1);
    m_wndEdit.InvalidateText(1);
}

void COvantaView::Recolour()
{
    // The whole text, so that a block comment far above the page colours
    // the page right.
    if (g_bSyntaxColoring)
        m_wndEdit.ColorizeRange(0, m_wndEdit.GetTextLength());
    else
        m_wndEdit.Core().ClearColorRange(0, m_wndEdit.GetTextLength());
}

void COvantaView::LayoutEditor()
{
    if (!m_wndEdit.m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (!ShowLineNumbers()) {
        if (m_wndMarginBox)
            ::ShowWindow(m_wndMarginBox, SW_HIDE);
        ::MoveWindow(m_wndEdit.m_hWnd, 0, 0, rc.right, rc.bottom, TRUE);
        ::ShowWindow(m_wndEdit.m_hWnd, SW_SHOW);
        return;
    }
    m_nMarginWidth = ComputeMarginWidth();
    int width = rc.right - m_nMarginWidth;
    ::MoveWindow(m_wndEdit.m_hWnd, m_nMarginWidth, 0, width < 0 ? 0 : width, rc.bottom, TRUE);
    ::ShowWindow(m_wndEdit.m_hWnd, SW_SHOW);
    if (m_wndMarginBox) {
        int box = GetSystemMetrics(SM_CYHSCROLL);
        ::MoveWindow(m_wndMarginBox, 0, rc.bottom - box, m_nMarginWidth, box, TRUE);
        ::ShowWindow(m_wndMarginBox, SW_SHOW);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void COvantaView::OnSize(UINT, int, int)
{
    LayoutEditor();
}

void COvantaView::OnSetFocus(HWND)
{
    if (!m_wndEdit.m_hWnd)
        return;
    if (m_wndEdit.CheckFileChanged() == kAnswerYes) {
        m_wndEdit.UpdateVScrollBar(1);
        m_wndEdit.InvalidateText(1);
    }
    ::SetFocus(m_wndEdit.m_hWnd);
    NotifyCaret();
}

BOOL COvantaView::OnEraseBkgnd(HDC dc)
{
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    HBRUSH brush = CreateSolidBrush(m_wndEdit.Core().GetBkColor(0));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    return TRUE;
}

void COvantaView::OnUpdate(winui::CView*, LPARAM hint, winui::CCmdTarget*)
{
    if (!m_wndEdit.m_hWnd)
        return;
    COvantaApp* app = COvantaApp::Get();
    COvantaDoc* doc = GetOvantaDoc();
    switch (hint) {
    case 1:
        if (IFrameWindow* frame = OvantaFrame().window)
            if (HFONT font = frame->EditFont())
                m_wndEdit.SetEditFont(font, TRUE);
        // The cell size changed: so may the margin's width.
        LayoutEditor();
        break;
    case 2:
        LayoutEditor();
        break;
    case 16:
        // The wrap column or the word rule changed: the text wraps anew
        // (0 takes the inserted breaks out again).
        if (app && doc && doc->FirstView() == this) {
            const int column = OvantaOptions().lineWrap;
            const int wrap = column > 0 && column < 32767 ? column : 0;
            const bool changed = doc->State().wrapWidth != wrap;
            m_wndEdit.SetWordWrap(wrap, OvantaOptions().wrapOnWords != 0);
            // Saving turns the new soft breaks into line breaks: the text
            // on disk will change.
            if (changed && OvantaOptions().saveLineWrap)
                m_wndEdit.SetModify(1);
        }
        m_wndEdit.UpdateVScrollBar(1);
        m_wndEdit.InvalidateText(1);
        LayoutEditor();
        break;
    case 4:
        // Auto-save tick: a changed text goes to its file (through a
        // temporary, so a failure leaves the file as it was).
        if (doc && app && !m_wndEdit.IsReadOnlyText() && m_wndEdit.GetModify() &&
            !doc->GetPathName().empty() && doc->FirstView() == this) {
            if (IStatusSink* status = OvantaFrame().status)
                status->SetMessageText("automatisch Speichern..");
            m_wndEdit.SaveFile(doc->GetPathName().c_str(), OvantaOptions().saveLineWrap != 0,
                               doc->State().unixFormat != 0);
            if (IStatusSink* status = OvantaFrame().status)
                status->SetMessageText("");
        }
        break;
    default:
        if (app)
            m_wndEdit.Core().SetBackgroundColor(BackColorOption());
        if (g_bSyntaxColoring && !m_wndEdit.GetSyntaxTemplate())
            m_wndEdit.ChooseDefaultTemplate();
        Recolour();
        m_wndEdit.UpdateVScrollBar(1);
        m_wndEdit.InvalidateText(1);
        break;
    }
}

void COvantaView::OnActivateView(BOOL activate, winui::CView*, winui::CView*)
{
    if (activate) {
        NotifyCaret();
        if (IDocumentEvents* events = OvantaFrame().documents)
            events->DocumentActivated(GetOvantaDoc());
    }
}

void COvantaView::NotifyCaret()
{
    IStatusSink* frame = OvantaFrame().status;
    COvantaDoc* doc = GetOvantaDoc();
    if (!frame || !doc || !m_wndEdit.m_hWnd)
        return;
    const CTextState& text = doc->State();
    int size = text.unixFormat ? text.length : text.length + static_cast<int>(text.lineCount) - 1;
    frame->UpdateStatusBar(m_wndEdit.GetCaretLine() + 1, m_wndEdit.GetCaretColumn() + 1,
                           size < 0 ? 0 : size);
}

LRESULT COvantaView::OnModifiedChanged(WPARAM flag, LPARAM)
{
    COvantaDoc* doc = GetOvantaDoc();
    if (IStatusSink* status = OvantaFrame().status)
        status->ShowModifiedState(static_cast<int>(flag));
    if (!doc)
        return 0;
    std::string title = doc->GetTitle();
    if (flag) {
        ++m_nModifyCount;
        if (title.find('*') == std::string::npos)
            doc->SetTitle((title + " *").c_str());
        doc->winui::CDocument::SetModifiedFlag(TRUE);
    } else {
        if (title.find('*') != std::string::npos && title.size() >= 2)
            doc->SetTitle(title.substr(0, title.size() - 2).c_str());
        doc->winui::CDocument::SetModifiedFlag(FALSE);
    }
    return 0;
}

LRESULT COvantaView::OnGotoLine(WPARAM line, LPARAM)
{
    int n = static_cast<int>(line);
    int offset = m_wndEdit.Core().GetLineOffsetClamped(n > 0 ? n - 1 : 0);
    ::SetFocus(m_wndEdit.m_hWnd);
    m_wndEdit.Core().ScrollToOffset(offset);
    m_wndEdit.SetSel(offset, offset, true, true);
    m_wndEdit.InvalidateText(1);
    m_wndEdit.UpdateVScrollBar(1);
    NotifyCaret();
    return 0;
}

LRESULT COvantaView::OnCaretMoved(WPARAM, LPARAM)
{
    NotifyCaret();
    DrawLineNumbers(nullptr);
    COvantaApp* app = COvantaApp::Get();
    COvantaDoc* doc = GetOvantaDoc();
    // Split panes show the same text: the others repaint with this one.
    if (app && doc && doc->GetViews().size() > 1)
        doc->UpdateAllViews(this, 0);
    return 0;
}

LRESULT COvantaView::OnLineCountChanged(WPARAM diff, LPARAM caretLine)
{
    // Bookmarks below the caret line move with the text; those in deleted
    // lines stay on the caret line. A line count that crosses 99, 999 or
    // 9999 widens or narrows the margin.
    if (IBookmarkIndex* bookmarks = OvantaFrame().bookmarks) {
        const int line = static_cast<int>(caretLine);
        bookmarks->MoveBookmarkLines(m_wndEdit, line + 1, static_cast<int>(diff), line);
    }
    DrawLineNumbers(nullptr);
    return 0;
}

// The lines the text operations work on: those of the selection, or all
// lines when nothing is selected.
void COvantaView::OperationLines(int& first, int& last)
{
    int start = 0, end = 0;
    m_wndEdit.GetSel(start, end);
    if (start == end) {
        first = 0;
        last = -1;
        return;
    }
    if (start > end)
        std::swap(start, end);
    first = m_wndEdit.LineFromOffset(start);
    last = m_wndEdit.LineFromOffset(end);
}

void COvantaView::AfterOperation(bool redraw)
{
    m_wndEdit.SetSel(0, 0, true, false);
    if (redraw) {
        m_wndEdit.UpdateVScrollBar(1);
        m_wndEdit.InvalidateText(1);
    }
    NotifyCaret();
}

LRESULT COvantaView::OnDeleteTrailing(WPARAM, LPARAM)
{
    int first, last;
    OperationLines(first, last);
    m_wndEdit.DeleteTrailingSpaces(first, last);
    AfterOperation(true);
    return 0;
}

LRESULT COvantaView::OnDeleteLeading(WPARAM, LPARAM)
{
    int first, last;
    OperationLines(first, last);
    m_wndEdit.DeleteLeadingSpaces(first, last, 0);
    AfterOperation(false);
    return 0;
}

namespace {

// The formatter's steps in status pane 0 and the progress pane. Each step
// tells its position often; the bar moves when the percentage changes.
class CViewAlignProgress : public CAlignProgress {
public:
    explicit CViewAlignProgress(IStatusSink* frame) : m_frame(frame) {}
    void Status(const char* text) override
    {
        if (m_frame)
            m_frame->SetMessageText(text);
    }
    void Range(size_t max) override
    {
        m_max = max;
        Show(0);
    }
    void Position(size_t pos) override
    {
        if (m_max > 0)
            Show(static_cast<int>(std::min<size_t>(pos, m_max) * 100 / m_max));
    }

private:
    void Show(int percent)
    {
        if (percent == m_shown || !m_frame)
            return;
        m_shown = percent;
        m_frame->SetProgressPos(percent);
    }

    IStatusSink* m_frame;
    size_t m_max = 0;
    int m_shown = -1;
};

} // namespace

LRESULT COvantaView::OnReformatC(WPARAM, LPARAM)
{
    if (!m_wndEdit.m_hWnd || m_wndEdit.Core().State().readOnly)
        return 0; // a read-only text stays as it is
    IStatusSink* frame = OvantaFrame().status;
    const uint8_t* buffer = m_wndEdit.GetTextBuffer();
    const int length = m_wndEdit.GetTextLength();
    std::string text = buffer && length > 0
                           ? std::string(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length))
                           : std::string();
    CViewAlignProgress progress(frame);
    if (frame)
        frame->ShowProgress(true);
    HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    align_result result = AlignCSyntax(text, m_wndEdit.Core().GetTabWidth(), &progress);
    ::SetCursor(old);
    if (frame) {
        frame->ShowProgress(false);
        frame->SetMessageText("");
    }
    if (result != ALIGN_DONE) {
        winui::ShowMessageBox(m_hWnd, result == ALIGN_MORE_OPENING ? kAlignMoreOpening : kAlignMoreClosing,
                              kAlignRefusedCaption, MB_OK | MB_ICONSTOP);
        return 0;
    }
    // The formatted text replaces the old one whole, as one undo step, so
    // one Undo brings back the text before and the older steps stay valid.
    {
        CSingleUndoStep step(m_wndEdit.Core());
        if (!m_wndEdit.SetText(text.c_str()))
            return 0; // out of memory: reported, the text unchanged
    }
    m_wndEdit.SetModify(1);
    m_wndEdit.SetSel(0, 0, true, false);
    Recolour();
    m_wndEdit.UpdateVScrollBar(1);
    m_wndEdit.InvalidateText(1);
    NotifyCaret();
    if (ShowLineNumbers())
        DrawLineNumbers(nullptr);
    return 0;
}

LRESULT COvantaView::OnDeleteEmptyLines(WPARAM, LPARAM)
{
    int first, last;
    OperationLines(first, last);
    if (last < 0)
        last = m_wndEdit.GetLineCount();
    m_wndEdit.DeleteEmptyLines(first, last);
    AfterOperation(true);
    return 0;
}

void COvantaView::OnDeleteLine()
{
    m_wndEdit.DeleteLine();
}

void COvantaView::OnIndentBlock()
{
    m_wndEdit.ColumnInsertBlank();
}

void COvantaView::OnUnindentBlock()
{
    m_wndEdit.ColumnDeleteBlank();
}

void COvantaView::OnIndentRange()
{
    m_wndEdit.IndentLinesByBlank();
}

void COvantaView::OnUnindentRange()
{
    m_wndEdit.UnindentLinesByBlank();
}

void COvantaView::OnEditUndo()
{
    m_wndEdit.Undo();
}

void COvantaView::OnEditCut()
{
    m_wndEdit.Cut();
}

void COvantaView::OnEditCopy()
{
    // Only while an editor has the focus: with the focus in the output
    // pane or a dialog, their own copy applies.
    if (dynamic_cast<CNColorEditCtrl*>(winui::CWnd::FromHandle(::GetFocus())))
        m_wndEdit.Copy(0);
}

void COvantaView::OnEditPaste()
{
    m_wndEdit.Paste(0);
}

void COvantaView::OnEditSelectAll()
{
    m_wndEdit.SetSel(0, m_wndEdit.GetTextLength(), false, true);
    // The whole text is selected from its start: shown from the origin.
    m_wndEdit.Core().ScrollToOffset(0);
    m_wndEdit.InvalidateText(1);
    NotifyCaret();
}

void COvantaView::OnTabSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    SettingsValues& o = OvantaOptions();
    IFrameWindow* frame = OvantaFrame().window;
    CTabSettingsDlg dlg(frame ? frame->FrameWindow() : m_hWnd);
    dlg.m_nSpaces = m_wndEdit.Core().GetTabWidth();
    dlg.m_bSoftTabs = m_wndEdit.Core().m_bExpandTabs;
    dlg.m_bShowTabs = o.showTabs;
    if (dlg.DoModal() != IDOK)
        return;
    CColorEditCore& core = m_wndEdit.Core();
    core.SetTabWidth(dlg.m_nSpaces);
    core.m_bExpandTabs = dlg.m_bSoftTabs ? 1 : 0;
    if (dlg.m_bReplaceAll && dlg.m_bSoftTabs)
        core.UntabifyText();
    if ((dlg.m_bShowTabs != 0) != (o.showTabs != 0))
        core.SetTabDisplay(dlg.m_bShowTabs);
    // The tab keys belong to the open workspace, or to the profile file.
    app->RestoreProfileTarget();
    WriteOption(&SettingsValues::tabWidth, dlg.m_nSpaces);
    WriteOption(&SettingsValues::showTabs, dlg.m_bShowTabs);
    WriteOption(&SettingsValues::softTabs, dlg.m_bSoftTabs);
    m_wndEdit.UpdateVScrollBar(1);
    m_wndEdit.InvalidateText(1);
    NotifyCaret();
}

void COvantaView::OnVScroll(UINT code, UINT pos, HWND bar)
{
    ::SendMessageA(m_wndEdit.m_hWnd, WM_VSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
}

void COvantaView::OnHScroll(UINT code, UINT pos, HWND bar)
{
    ::SendMessageA(m_wndEdit.m_hWnd, WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
}

int COvantaView::ExpandToolMacros(const char* params, std::string& result)
{
    ToolMacroSource source;
    COvantaDoc* doc = GetOvantaDoc();
    if (doc)
        source.path = doc->GetPathName();
    if (IFrameWindow* frame = OvantaFrame().window; frame && frame->UseShortPathNames() && !source.path.empty()) {
        char shortPath[MAX_PATH];
        DWORD n = GetShortPathNameA(source.path.c_str(), shortPath, sizeof shortPath);
        if (n > 0 && n < sizeof shortPath)
            source.path = shortPath;
    }
    source.selection = m_wndEdit.SelectedText();
    if (COvantaApp* app = COvantaApp::Get())
        source.workspacePath = app->WorkspacePath();
    result += ExpandToolMacroText(params ? params : "", source);
    return static_cast<int>(result.size());
}
