#include "smalledit/zavitsearch.h"

#include "winui/app.h"
#include "winui/msgbox.h"


TZavitSearch::~TZavitSearch()
{
    Close();
}

void TZavitSearch::StopFilter()
{
    if (filter_ >= 0 && winui::GetApp())
        winui::GetApp()->RemoveMessageFilter(filter_);
    filter_ = -1;
}

void TZavitSearch::Close()
{
    StopFilter();
    if (dialog_.m_hWnd)
        dialog_.Close();
}

void TZavitSearch::Open(bool findOnly)
{
    if (dialog_.m_hWnd) {
        if (dialog_.IsFindOnly() == findOnly) {
            ::SetActiveWindow(dialog_.m_hWnd);
            return;
        }
        Close();
    }
    // A selection within one line is what the user most likely looks for.
    std::string what = what_;
    CHARRANGE sel = edit_.GetSel();
    if (sel.cpMax > sel.cpMin && sel.cpMax - sel.cpMin < 256) {
        std::string selected = edit_.GetTextRange(sel.cpMin, sel.cpMax);
        if (selected.find_first_of("\r\n") == std::string::npos)
            what = selected;
    }
    DWORD flags = flags_ & (FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD);
    if (!dialog_.Create(findOnly, what.c_str(), with_.c_str(), flags, edit_.m_hWnd))
        return;
    // The dialog's keys (Tab, Enter, Escape) are its own.
    if (winui::GetApp())
        filter_ = winui::GetApp()->AddMessageFilter(winui::DialogMessageFilter(dialog_.m_hWnd));
}

void TZavitSearch::Find()
{
    if (edit_.GetTextLength() > 0)
        Open(true);
}

void TZavitSearch::Replace()
{
    if (edit_.GetTextLength() > 0 && !(edit_.GetStyle() & ES_READONLY))
        Open(false);
}

void TZavitSearch::FindNext()
{
    if (what_.empty())
        Find();
    else
        SearchOnce();
}

void TZavitSearch::NotFound() const
{
    std::string message = "Cannot find \"" + what_ + "\".";
    HWND owner = dialog_.m_hWnd ? dialog_.m_hWnd : ::GetParent(edit_.m_hWnd);
    winui::ShowMessageBox(owner, message.c_str(), "Zavit", MB_OK | MB_ICONINFORMATION);
}

bool TZavitSearch::SearchOnce()
{
    CHARRANGE sel = edit_.GetSel();
    bool down = (flags_ & FR_DOWN) != 0;
    // Down: from the selection's end to the end; up: from its start back
    // to the beginning.
    CHARRANGE range = down ? CHARRANGE{sel.cpMax, -1} : CHARRANGE{sel.cpMin, 0};
    CHARRANGE found{};
    if (edit_.FindText(flags_ & (FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD), what_.c_str(), range,
                       &found) < 0) {
        NotFound();
        return false;
    }
    edit_.SetSel(found.cpMin, found.cpMax);
    edit_.ScrollCaret();
    return true;
}

bool TZavitSearch::SelectionMatches() const
{
    CHARRANGE sel = edit_.GetSel();
    if (sel.cpMax - sel.cpMin != static_cast<LONG>(what_.size()))
        return false;
    CHARRANGE found{};
    DWORD flags = FR_DOWN | (flags_ & (FR_MATCHCASE | FR_WHOLEWORD));
    return edit_.FindText(flags, what_.c_str(), sel, &found) == sel.cpMin &&
           found.cpMax == sel.cpMax;
}

// The selection is replaced when it is a match; then the next one is
// selected.
void TZavitSearch::ReplaceCurrent()
{
    if (edit_.GetStyle() & ES_READONLY)
        return;
    if (SelectionMatches())
        edit_.ReplaceSel(with_.c_str(), TRUE);
    SearchOnce();
}

// Every match from the start of the text, left to right; a replacement is
// never searched again.
void TZavitSearch::ReplaceAll()
{
    if (edit_.GetStyle() & ES_READONLY)
        return;
    DWORD flags = FR_DOWN | (flags_ & (FR_MATCHCASE | FR_WHOLEWORD));
    LONG from = 0;
    int count = 0;
    CHARRANGE found{};
    edit_.SendMessage(WM_SETREDRAW, FALSE);
    while (edit_.FindText(flags, what_.c_str(), CHARRANGE{from, -1}, &found) >= 0) {
        edit_.SetSel(found.cpMin, found.cpMax);
        edit_.ReplaceSel(with_.c_str(), TRUE);
        from = found.cpMin + static_cast<LONG>(with_.size());
        ++count;
    }
    edit_.SendMessage(WM_SETREDRAW, TRUE);
    edit_.Invalidate();
    if (count == 0)
        NotFound();
    else
        edit_.SetSel(from, from);
}

bool TZavitSearch::Report(LPARAM lParam)
{
    if (winui::CFindReplaceDialog::FromMessage(lParam) != &dialog_)
        return false;
    if (dialog_.IsTerminating()) {
        StopFilter();
        return true;
    }
    what_ = dialog_.GetFindString();
    with_ = dialog_.GetReplaceString();
    flags_ = (dialog_.MatchCase() ? FR_MATCHCASE : 0) | (dialog_.MatchWholeWord() ? FR_WHOLEWORD : 0);
    // The Replace dialog has no direction: it searches forward.
    if (!dialog_.IsFindOnly() || dialog_.SearchDown())
        flags_ |= FR_DOWN;
    if (what_.empty())
        return true;
    if (dialog_.ReplaceAll())
        ReplaceAll();
    else if (dialog_.ReplaceCurrent())
        ReplaceCurrent();
    else if (dialog_.FindNext())
        SearchOnce();
    return true;
}
