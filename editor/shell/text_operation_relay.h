// CTextOperationRelay: the Operations dialog posts its text operations
// (0x464-0x467) to the main frame, which chains this relay into its map;
// the relay hands each one to the active view's text commands.
#pragma once

#include "winui/cmdtarget.h"

#include <windows.h>

class IFrameWindow;

class CTextOperationRelay : public winui::CCmdTarget {
public:
    explicit CTextOperationRelay(IFrameWindow& frame) : frame_(frame) {}

private:
    LRESULT Relay(UINT message);
    LRESULT OnDeleteTrailing(WPARAM, LPARAM);
    LRESULT OnDeleteLeading(WPARAM, LPARAM);
    LRESULT OnAlignC(WPARAM, LPARAM);
    LRESULT OnDeleteEmptyLines(WPARAM, LPARAM);

    IFrameWindow& frame_;

    DECLARE_MESSAGE_MAP()
};
