// Common controls (comctl32): thin wrappers whose members send the control's
// own messages; created as children with CreateWindowExA after
// InitCommonControlsEx, then attached (see winui/controls.h).
//
//   CImageList     ImageList_Create, ImageList_Add, ImageList_AddMasked,
//                  ImageList_ReplaceIcon, ImageList_LoadImageA (Load),
//                  ImageList_GetImageCount, ImageList_Draw, ImageList_Destroy
//   CProgressCtrl  PROGRESS_CLASSA: PBM_SETRANGE32, PBM_GETRANGE, PBM_SETPOS,
//                  PBM_GETPOS, PBM_SETSTEP, PBM_STEPIT
//   CTabCtrl       WC_TABCONTROLA: TCM_INSERTITEMA, TCM_DELETEITEM,
//                  TCM_DELETEALLITEMS, TCM_GETITEMCOUNT, TCM_GETCURSEL,
//                  TCM_SETCURSEL, TCM_GETITEMA, TCM_SETITEMA, TCM_ADJUSTRECT,
//                  TCM_GETITEMRECT, TCM_HITTEST, TCM_SETIMAGELIST
//   CTreeCtrl      WC_TREEVIEWA: TVM_INSERTITEMA, TVM_DELETEITEM,
//                  TVM_GETNEXTITEM, TVM_SELECTITEM, TVM_EXPAND, TVM_GETITEMA,
//                  TVM_SETITEMA, TVM_GETCOUNT, TVM_ENSUREVISIBLE, TVM_HITTEST,
//                  TVM_SETIMAGELIST
//   CListCtrl      WC_LISTVIEWA: LVM_INSERTCOLUMNA, LVM_SETCOLUMNWIDTH,
//                  LVM_INSERTITEMA, LVM_SETITEMTEXTA, LVM_GETITEMTEXTA,
//                  LVM_SETITEMA, LVM_GETITEMA, LVM_DELETEITEM,
//                  LVM_DELETEALLITEMS, LVM_GETITEMCOUNT, LVM_GETNEXTITEM,
//                  LVM_SETITEMSTATE, LVM_ENSUREVISIBLE,
//                  LVM_SETEXTENDEDLISTVIEWSTYLE, LVM_SETIMAGELIST
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "winui/controls.h"

namespace winui {

// InitCommonControlsEx for every class these wrappers use (once).
void InitCommonControlClasses();

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT flags = ILC_COLOR24 | ILC_MASK, int initial = 4, int grow = 4);
    // A bitmap resource cut into images cx wide; mask: the colour that is
    // transparent (CLR_NONE for none).
    BOOL Load(UINT bitmapId, int cx, int grow, COLORREF mask);
    int Add(HBITMAP image, HBITMAP mask = nullptr) { return ImageList_Add(m_hImageList, image, mask); }
    int Add(HBITMAP image, COLORREF mask) { return ImageList_AddMasked(m_hImageList, image, mask); }
    int Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL Draw(HDC dc, int image, POINT pt, UINT style = ILD_NORMAL) const
    {
        return ImageList_Draw(m_hImageList, image, dc, pt.x, pt.y, style);
    }
    void DeleteImageList();
};

class CProgressCtrl : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    void SetRange(int lower, int upper) const { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos) const { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int SetStep(int step) const { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
    int StepIt() const { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};

class CTabCtrl : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    int InsertItem(int index, const char* text, int image = -1, LPARAM data = 0) const;
    BOOL DeleteItem(int index) const { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() const { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    std::string GetItemText(int index) const;
    BOOL SetItemText(int index, const char* text) const;
    LPARAM GetItemData(int index) const;
    // TCM_ADJUSTRECT: larger FALSE gives the display area of a window rect.
    void AdjustRect(BOOL larger, RECT* rect) const { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect)); }
    BOOL GetItemRect(int index, RECT* rect) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    // The tab under a client point, -1 for none.
    int HitTest(POINT pt) const;
    HIMAGELIST SetImageList(HIMAGELIST list) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
    }
};

class CTreeCtrl : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST, int image = -1, int selectedImage = -1,
                         LPARAM data = 0) const;
    BOOL DeleteItem(HTREEITEM item) const { return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL DeleteAllItems() const { return DeleteItem(TVI_ROOT); }
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    BOOL SelectItem(HTREEITEM item) const { return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item))); }
    BOOL Expand(HTREEITEM item, UINT code = TVE_EXPAND) const
    {
        return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
    }
    std::string GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const char* text) const;
    LPARAM GetItemData(HTREEITEM item) const;
    UINT GetItemState(HTREEITEM item, UINT mask) const
    {
        return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
    }
    UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
    BOOL EnsureVisible(HTREEITEM item) const { return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item))); }
    HTREEITEM HitTest(POINT pt, UINT* flags = nullptr) const;
    HIMAGELIST SetImageList(HIMAGELIST list, int kind = TVSIL_NORMAL) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list)));
    }
};

class CListCtrl : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    int InsertColumn(int index, const char* heading, int format = LVCFMT_LEFT, int width = 80) const;
    BOOL SetColumnWidth(int column, int width) const
    {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width));
    }
    int InsertItem(int index, const char* text, int image = -1) const;
    BOOL SetItemText(int item, int subItem, const char* text) const;
    std::string GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, LPARAM data) const;
    LPARAM GetItemData(int item) const;
    BOOL DeleteItem(int item) const { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item))); }
    BOOL DeleteAllItems() const { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // LVM_GETNEXTITEM from after (-1: the start) with LVNI_ flags.
    int GetNextItem(int after, UINT flags) const
    {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(after), static_cast<LPARAM>(flags)));
    }
    BOOL SetItemState(int item, UINT state, UINT mask) const;
    BOOL EnsureVisible(int item, BOOL partialOk = FALSE) const
    {
        return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk));
    }
    DWORD SetExtendedStyle(DWORD style) const
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    HIMAGELIST SetImageList(HIMAGELIST list, int kind = LVSIL_SMALL) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list)));
    }
};

} // namespace winui
