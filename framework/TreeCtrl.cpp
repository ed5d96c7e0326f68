#include "TreeCtrl.h"

#include "ImageList.h"

namespace {

// The request for TVM_INSERTITEMA or TVM_INSERTITEMW.
template <typename Insert, typename Char>
Insert Insertion(const Char* text, int image, int selectedImage, HTREEITEM parent,
                 HTREEITEM after) {
    Insert insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<Char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return insert;
}

} // namespace

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
    auto insert = Insertion<TVINSERTSTRUCTA>(text, image, selectedImage, parent, after);
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, LPARAM(&insert)));
}

HTREEITEM CTreeCtrl::InsertItem(const wchar_t* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
    auto insert = Insertion<TVINSERTSTRUCTW>(text, image, selectedImage, parent, after);
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, LPARAM(&insert)));
}

HIMAGELIST CTreeCtrl::SetImageList(CImageList* list, int kind) {
    return TreeView_SetImageList(m_hWnd, list ? list->GetSafeHandle() : nullptr, kind);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
    TVITEMA change = {};
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.state = state;
    change.stateMask = mask;
    return BOOL(SendMessage(TVM_SETITEMA, 0, LPARAM(&change)));
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    return ReadWholeText([&](char* buffer, int size) {
        TVITEMA query = {};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = buffer;
        query.cchTextMax = size;
        SendMessage(TVM_GETITEMA, 0, LPARAM(&query));
    });
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const {
    *reinterpret_cast<HTREEITEM*>(rect) = item;
    return BOOL(SendMessage(TVM_GETITEMRECT, textOnly, LPARAM(rect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
    TVHITTESTINFO test = {};
    test.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, LPARAM(&test)));
    if (flags)
        *flags = test.flags;
    return item;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data) {
    TVITEMA changed = {};
    changed.mask = TVIF_PARAM;
    changed.hItem = item;
    changed.lParam = data;
    return BOOL(SendMessage(TVM_SETITEMA, 0, LPARAM(&changed)));
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const {
    TVITEMA read = {};
    read.mask = TVIF_PARAM;
    read.hItem = item;
    return SendMessage(TVM_GETITEMA, 0, LPARAM(&read)) ? read.lParam : 0;
}
