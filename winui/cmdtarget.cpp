#include "winui/cmdtarget.h"

namespace winui {

const MsgMap* CCmdTarget::GetThisMessageMap()
{
    static const MsgMapEntry entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

// Depth-first search through the class chain; a chain entry searches the
// member's own maps at its place.
static bool find_in(CCmdTarget* target, const MsgMap* first, UINT message, UINT code, UINT id,
                    CmdHandlerInfo* found)
{
    for (const MsgMap* map = first; map; map = map->base) {
        for (const MsgMapEntry* e = map->entries; e->handler || e->chain; ++e) {
            if (e->chain) {
                CCmdTarget* member = e->chain(target);
                if (member && find_in(member, member->GetMessageMap(), message, code, id, found))
                    return true;
                continue;
            }
            if (e->message == message && e->code == code && id >= e->idFirst &&
                id <= e->idLast) {
                found->target = target;
                found->entry = e;
                return true;
            }
        }
    }
    return false;
}

bool CCmdTarget::FindMsgEntry(UINT message, UINT code, UINT id, CmdHandlerInfo* found)
{
    return find_in(this, GetMessageMap(), message, code, id, found);
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info)
{
    CmdHandlerInfo found;
    if (!FindMsgEntry(WM_COMMAND, code, id, &found))
        return FALSE;
    if (info) {
        *info = found;
        return TRUE;
    }
    found.entry->handler(found.target, id, reinterpret_cast<LPARAM>(extra));
    return TRUE;
}

} // namespace winui
