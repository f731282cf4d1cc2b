// CCmdTarget: an object with a message map. Windows (CWnd), documents and the
// application are command targets, so that a command can be offered to each
// of them along its route (see CFrameWnd::OnCmdMsg).
//
// Map entries and what they match:
//   ON_MESSAGE(msg, fn)                 any window message        LRESULT fn(WPARAM, LPARAM)
//   ON_COMMAND(id, fn)                  WM_COMMAND from a menu, an accelerator or a
//                                       button click (code 0, or 1 without a control)
//                                                                  void fn()
//   ON_COMMAND_RANGE(first, last, fn)   as ON_COMMAND for an id range   void fn(UINT id)
//   ON_UPDATE_COMMAND_UI(id, fn)        state of a menu item or tool button
//                                                                  void fn(CCmdUI*)
//   ON_UPDATE_COMMAND_UI_RANGE(first, last, fn)                    void fn(CCmdUI*)
//   ON_CONTROL(code, id, fn)            WM_COMMAND notification `code` from control `id`
//                                                                  void fn()
//   ON_CONTROL_RANGE(code, first, last, fn)                        void fn(UINT id)
//   ON_NOTIFY(code, id, fn)             WM_NOTIFY `code` from control `id`
//                                                                  void fn(NMHDR*, LRESULT*)
//   ON_NOTIFY_RANGE(code, first, last, fn)     void fn(UINT id, NMHDR*, LRESULT*)
//   ON_CONTROL_REFLECT(code, fn)        in a control's own class: its WM_COMMAND
//                                       notification, reflected by the parent  void fn()
//   ON_NOTIFY_REFLECT(code, fn)         likewise for WM_NOTIFY   void fn(NMHDR*, LRESULT*)
//   CHAIN_MSG_MAP_MEMBER(member)        looks the message up in a member object's map
//                                       (a CCmdTarget) at this place of the map
// A class's map chains to its base class's map (BEGIN_MESSAGE_MAP's second
// argument); the first matching entry wins, the class's own entries first.
#pragma once

#include <windows.h>

namespace winui {

class CCmdTarget;
class CCmdUI;

// Codes for OnCmdMsg besides the 16-bit notification codes of WM_COMMAND.
const UINT CN_COMMAND = 0x10000;           // a command (menu, accelerator, click)
const UINT CN_UPDATE_COMMAND_UI = 0x10001; // extra is the CCmdUI* to update

// Messages a parent reflects to a child control's own map: the child sees
// WM_REFLECT_BASE + message (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR...).
const UINT WM_REFLECT_BASE = 0xBC00;

// One entry of a message map. message/code/idFirst..idLast select what it
// matches (code and ids are 0 for plain window messages); handler calls the
// member function; chain, when set, names a member object whose map is
// searched at this place instead.
struct MsgMapEntry {
    UINT message;
    UINT code;
    UINT idFirst;
    UINT idLast;
    LRESULT (*handler)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
    CCmdTarget* (*chain)(CCmdTarget* target);
};

struct MsgMap {
    const MsgMap* base;
    const MsgMapEntry* entries; // ends with an entry without handler and chain
};

// What a map search found: the entry and the object whose handler it is (this
// object, or a chained member).
struct CmdHandlerInfo {
    CCmdTarget* target = nullptr;
    const MsgMapEntry* entry = nullptr;
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Offers a command (code CN_COMMAND) or an update request
    // (CN_UPDATE_COMMAND_UI, extra the CCmdUI*) to this object's map. Frames,
    // views and documents override it to pass the command along its route.
    // When info is given, nothing is called: the handler found is stored.
    // Returns TRUE when a handler was found.
    virtual BOOL OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info);

    // Searches this object's map (and chained member maps) for an entry.
    bool FindMsgEntry(UINT message, UINT code, UINT id, CmdHandlerInfo* found);

    static const MsgMap* GetThisMessageMap();
    virtual const MsgMap* GetMessageMap() const { return GetThisMessageMap(); }
};

} // namespace winui

#define DECLARE_MESSAGE_MAP()                                   \
public:                                                         \
    static const ::winui::MsgMap* GetThisMessageMap();          \
    const ::winui::MsgMap* GetMessageMap() const override;      \
                                                                \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const ::winui::MsgMap* theClass::GetMessageMap() const                     \
    {                                                                          \
        return GetThisMessageMap();                                            \
    }                                                                          \
    const ::winui::MsgMap* theClass::GetThisMessageMap()                       \
    {                                                                          \
        using ThisClass = theClass;                                            \
        using TheBaseClass = baseClass;                                        \
        static const ::winui::MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                      \
        {0, 0, 0, 0, nullptr, nullptr}};                                       \
        static const ::winui::MsgMap map = {TheBaseClass::GetThisMessageMap(), \
                                            entries};                          \
        return &map;                                                           \
    }

#define WINUI_THIS(t) static_cast<ThisClass*>(t)

// LRESULT Handler(WPARAM, LPARAM)
#define ON_MESSAGE(msg, memberFn)                                              \
    {msg, 0, 0, 0, [](::winui::CCmdTarget* t, WPARAM wp, LPARAM lp) -> LRESULT { \
         return (WINUI_THIS(t)->*memberFn)(wp, lp);                            \
     }, nullptr},

// void Handler()
#define ON_COMMAND(id, memberFn)                                               \
    {WM_COMMAND, ::winui::CN_COMMAND, id, id,                                  \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                   \
         (WINUI_THIS(t)->*memberFn)();                                         \
         return 0;                                                             \
     }, nullptr},

// void Handler(UINT id)
#define ON_COMMAND_RANGE(idFirst, idLast, memberFn)                            \
    {WM_COMMAND, ::winui::CN_COMMAND, idFirst, idLast,                         \
     [](::winui::CCmdTarget* t, WPARAM wp, LPARAM) -> LRESULT {                \
         (WINUI_THIS(t)->*memberFn)(static_cast<UINT>(wp));                    \
         return 0;                                                             \
     }, nullptr},

// void Handler(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, memberFn)                                     \
    {WM_COMMAND, ::winui::CN_UPDATE_COMMAND_UI, id, id,                        \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM lp) -> LRESULT {                \
         (WINUI_THIS(t)->*memberFn)(reinterpret_cast<::winui::CCmdUI*>(lp));   \
         return 0;                                                             \
     }, nullptr},
#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, memberFn)                  \
    {WM_COMMAND, ::winui::CN_UPDATE_COMMAND_UI, idFirst, idLast,               \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM lp) -> LRESULT {                \
         (WINUI_THIS(t)->*memberFn)(reinterpret_cast<::winui::CCmdUI*>(lp));   \
         return 0;                                                             \
     }, nullptr},

// void Handler()
#define ON_CONTROL(code, id, memberFn)                                         \
    {WM_COMMAND, static_cast<UINT>(code), id, id,                              \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                   \
         (WINUI_THIS(t)->*memberFn)();                                         \
         return 0;                                                             \
     }, nullptr},
// void Handler(UINT id)
#define ON_CONTROL_RANGE(code, idFirst, idLast, memberFn)                      \
    {WM_COMMAND, static_cast<UINT>(code), idFirst, idLast,                     \
     [](::winui::CCmdTarget* t, WPARAM wp, LPARAM) -> LRESULT {                \
         (WINUI_THIS(t)->*memberFn)(static_cast<UINT>(LOWORD(wp)));            \
         return 0;                                                             \
     }, nullptr},

// Common notifications of the standard controls.
#define ON_BN_CLICKED(id, memberFn) ON_CONTROL(BN_CLICKED, id, memberFn)
#define ON_EN_CHANGE(id, memberFn) ON_CONTROL(EN_CHANGE, id, memberFn)
#define ON_EN_KILLFOCUS(id, memberFn) ON_CONTROL(EN_KILLFOCUS, id, memberFn)
#define ON_LBN_SELCHANGE(id, memberFn) ON_CONTROL(LBN_SELCHANGE, id, memberFn)
#define ON_LBN_DBLCLK(id, memberFn) ON_CONTROL(LBN_DBLCLK, id, memberFn)
#define ON_CBN_SELCHANGE(id, memberFn) ON_CONTROL(CBN_SELCHANGE, id, memberFn)
#define ON_CBN_EDITCHANGE(id, memberFn) ON_CONTROL(CBN_EDITCHANGE, id, memberFn)

// void Handler(NMHDR*, LRESULT* result); *result starts at 0.
#define ON_NOTIFY(code, id, memberFn)                                          \
    {WM_NOTIFY, static_cast<UINT>(code), id, id,                               \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM lp) -> LRESULT {                \
         LRESULT result = 0;                                                   \
         (WINUI_THIS(t)->*memberFn)(reinterpret_cast<NMHDR*>(lp), &result);    \
         return result;                                                        \
     }, nullptr},
// void Handler(UINT id, NMHDR*, LRESULT* result)
#define ON_NOTIFY_RANGE(code, idFirst, idLast, memberFn)                       \
    {WM_NOTIFY, static_cast<UINT>(code), idFirst, idLast,                      \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM lp) -> LRESULT {                \
         LRESULT result = 0;                                                   \
         NMHDR* nm = reinterpret_cast<NMHDR*>(lp);                             \
         (WINUI_THIS(t)->*memberFn)(static_cast<UINT>(nm->idFrom), nm, &result); \
         return result;                                                        \
     }, nullptr},

// In a control's own class: void Handler()
#define ON_CONTROL_REFLECT(code, memberFn)                                     \
    {::winui::WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0xFFFFFFFFu, \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                   \
         (WINUI_THIS(t)->*memberFn)();                                         \
         return 0;                                                             \
     }, nullptr},
// In a control's own class: void Handler(NMHDR*, LRESULT* result)
#define ON_NOTIFY_REFLECT(code, memberFn)                                      \
    {::winui::WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(code), 0, 0xFFFFFFFFu, \
     [](::winui::CCmdTarget* t, WPARAM, LPARAM lp) -> LRESULT {                \
         LRESULT result = 0;                                                   \
         (WINUI_THIS(t)->*memberFn)(reinterpret_cast<NMHDR*>(lp), &result);    \
         return result;                                                        \
     }, nullptr},

// The member must be a CCmdTarget (or derived) data member of this class.
#define CHAIN_MSG_MAP_MEMBER(member)                                           \
    {0, 0, 0, 0, nullptr, [](::winui::CCmdTarget* t) -> ::winui::CCmdTarget* { \
         return &WINUI_THIS(t)->member;                                        \
     }},
