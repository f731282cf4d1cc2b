// TSymSearch: the symbol list. It lists the listing's labels (sorted by the
// list box) and scrolls the source view to the label chosen, placing its
// line a quarter of the view below the top. Names of any length.
#pragma once

#include "winui/dialog.h"

class TQuibexWindow;

class TSymSearch : public winui::CDialog {
public:
    TSymSearch(TQuibexWindow* view, HWND parent);
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnSelChange();
    void OnDblClk();

private:
    TQuibexWindow* view_;
};
