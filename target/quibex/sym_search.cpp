// The symbol list.
#include "target/quibex/sym_search.h"

#include <string>
#include <vector>

#include "target/quibex/quibex_window.h"
#include "target/quibex/resource.h"
#include "target/quibex/source_model.h"
#include "target/seriallink/listing.h"

BEGIN_MESSAGE_MAP(TSymSearch, winui::CDialog)
    ON_LBN_SELCHANGE(IDC_SYMBOL_LIST, &TSymSearch::OnSelChange)
    ON_LBN_DBLCLK(IDC_SYMBOL_LIST, &TSymSearch::OnDblClk)
END_MESSAGE_MAP()

TSymSearch::TSymSearch(TQuibexWindow* view, HWND parent) : CDialog(IDD_SYMSEARCH, parent), view_(view)
{
}

BOOL TSymSearch::OnInitDialog()
{
    for (const ListingLabel* l = listing.labels; l; l = l->next)
        SendDlgItemMessage(IDC_SYMBOL_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l->name));
    return TRUE;
}

void TSymSearch::OnSelChange()
{
    LRESULT index = SendDlgItemMessage(IDC_SYMBOL_LIST, LB_GETCURSEL);
    if (index == LB_ERR)
        return;
    LRESULT length = SendDlgItemMessage(IDC_SYMBOL_LIST, LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR)
        return;
    std::vector<char> text(static_cast<size_t>(length) + 1);
    SendDlgItemMessage(IDC_SYMBOL_LIST, LB_GETTEXT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(text.data()));
    const ListingLabel* label = find_label(text.data());
    if (!label || !view_)
        return;
    view_->ShowLine(quarter_top_line(label->line_number, view_->VisibleLines()));
}

void TSymSearch::OnDblClk()
{
    EndDialog(IDOK);
}
