// COvantaEditCtrl: the editor control that every view embeds. The shell
// reaches the control only through this class, so that the control it
// stands on can change without touching the document or the view.
#pragma once

#include "editor/syntax/window/ncoloreditctrl.h"

using COvantaEditBase = CNColorEditCtrl;

class COvantaEditCtrl : public COvantaEditBase {
public:
    // Child id of the control in its view.
    static const UINT kId = 0x1113;
    // The control's window style without scroll bars (those are added by
    // the view, or come from the splitter).
    static const DWORD kStyle = 0x500091C4;

    int SaveFile(const char* path, bool softBreaksToCR, bool lfOnly)
    {
        return Core().SaveFile(path, false, softBreaksToCR, lfOnly);
    }
    bool IsReadOnlyText() const { return Core().State().readOnly != 0; }
    std::string SelectedText() const { return Core().GetSelText(); }
};
