#include "winui/common_controls.h"

#include <mutex>

namespace winui {

void InitCommonControlClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                 ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
    });
}

// ---- image list

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::Load(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    DeleteImageList();
    m_hImageList = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), cx,
                                        grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return m_hImageList != nullptr;
}

void CImageList::DeleteImageList()
{
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
}

// ---- progress bar

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    InitCommonControlClasses();
    return CreateControl(PROGRESS_CLASSA, "", style, rect, parent, id);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    PBRANGE range{0, 0};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

// ---- tab control

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    InitCommonControlClasses();
    return CreateControl(WC_TABCONTROLA, "", style, rect, parent, id);
}

int CTabCtrl::InsertItem(int index, const char* text, int image, LPARAM data) const
{
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&item)));
}

std::string CTabCtrl::GetItemText(int index) const
{
    char text[260] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return "";
    return item.pszText ? item.pszText : "";
}

BOOL CTabCtrl::SetItemText(int index, const char* text) const
{
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(
        SendMessage(TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

LPARAM CTabCtrl::GetItemData(int index) const
{
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    if (!SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int CTabCtrl::HitTest(POINT pt) const
{
    TCHITTESTINFO info{pt, 0};
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

// ---- tree view

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    InitCommonControlClasses();
    return CreateControl(WC_TREEVIEWA, "", style, rect, parent, id, WS_EX_CLIENTEDGE);
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after, int image,
                                int selectedImage, LPARAM data) const
{
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    if (image >= 0) {
        ins.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        ins.item.iImage = image;
        ins.item.iSelectedImage = selectedImage >= 0 ? selectedImage : image;
    }
    ins.item.pszText = const_cast<char*>(text);
    ins.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

std::string CTreeCtrl::GetItemText(HTREEITEM handle) const
{
    char text[260] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return "";
    return item.pszText ? item.pszText : "";
}

BOOL CTreeCtrl::SetItemText(HTREEITEM handle, const char* text) const
{
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = handle;
    item.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM handle) const
{
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = handle;
    if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

HTREEITEM CTreeCtrl::HitTest(POINT pt, UINT* flags) const
{
    TVHITTESTINFO info{};
    info.pt = pt;
    auto item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags)
        *flags = info.flags;
    return item;
}

// ---- list view

BOOL CListCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    InitCommonControlClasses();
    return CreateControl(WC_LISTVIEWA, "", style, rect, parent, id, WS_EX_CLIENTEDGE);
}

int CListCtrl::InsertColumn(int index, const char* heading, int format, int width) const
{
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<char*>(heading);
    col.iSubItem = index;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int index, const char* text, int image) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, const char* text) const
{
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    char text[260] = "";
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

BOOL CListCtrl::SetItemData(int index, LPARAM data) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = data;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

LPARAM CListCtrl::GetItemData(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) const
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

} // namespace winui
