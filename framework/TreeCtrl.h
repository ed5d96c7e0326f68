// The tree view control.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CImageList;

class CTreeCtrl : public CWnd {
public:
    HTREEITEM InsertItem(const char* text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    // Text in UTF-16, for names the code page cannot spell.
    HTREEITEM InsertItem(const wchar_t* text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item) { return TreeView_DeleteItem(m_hWnd, item); }
    HIMAGELIST SetImageList(CImageList* list, int kind);

    UINT GetItemState(HTREEITEM item, UINT mask) const {
        return TreeView_GetItemState(m_hWnd, item, mask);
    }
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, LPARAM data);
    LPARAM GetItemData(HTREEITEM item) const;

    HTREEITEM GetRootItem() const { return TreeView_GetRoot(m_hWnd); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return TreeView_GetChild(m_hWnd, item); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const {
        return TreeView_GetNextSibling(m_hWnd, item);
    }
    HTREEITEM GetParentItem(HTREEITEM item) const { return TreeView_GetParent(m_hWnd, item); }
    HTREEITEM GetSelectedItem() const { return TreeView_GetSelection(m_hWnd); }
    BOOL SelectItem(HTREEITEM item) { return TreeView_SelectItem(m_hWnd, item); }
    BOOL ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }
    BOOL EnsureVisible(HTREEITEM item) { return TreeView_EnsureVisible(m_hWnd, item); }
    BOOL Expand(HTREEITEM item, UINT code) { return TreeView_Expand(m_hWnd, item, code); }
    BOOL GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const;
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
};
