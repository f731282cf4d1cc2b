#include "editor/shell/text_operation_relay.h"

#include "editor/shell/frame_window.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaview.h"

BEGIN_MESSAGE_MAP(CTextOperationRelay, winui::CCmdTarget)
    ON_MESSAGE(WM_OP_DELETE_TRAILING, &CTextOperationRelay::OnDeleteTrailing)
    ON_MESSAGE(WM_OP_DELETE_LEADING, &CTextOperationRelay::OnDeleteLeading)
    ON_MESSAGE(WM_OP_ALIGN_C, &CTextOperationRelay::OnAlignC)
    ON_MESSAGE(WM_OP_DELETE_EMPTY_LINES, &CTextOperationRelay::OnDeleteEmptyLines)
END_MESSAGE_MAP()

LRESULT CTextOperationRelay::Relay(UINT message)
{
    if (COvantaView* view = frame_.ActiveOvantaView())
        view->TextCommands().RunTextOperation(message);
    return 0;
}

LRESULT CTextOperationRelay::OnDeleteTrailing(WPARAM, LPARAM)
{
    return Relay(WM_OP_DELETE_TRAILING);
}

LRESULT CTextOperationRelay::OnDeleteLeading(WPARAM, LPARAM)
{
    return Relay(WM_OP_DELETE_LEADING);
}

LRESULT CTextOperationRelay::OnAlignC(WPARAM, LPARAM)
{
    return Relay(WM_OP_ALIGN_C);
}

LRESULT CTextOperationRelay::OnDeleteEmptyLines(WPARAM, LPARAM)
{
    return Relay(WM_OP_DELETE_EMPTY_LINES);
}
