#include "Controls.h"

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) {
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    info.fmt = format;
    info.cx = width;
    info.pszText = const_cast<char*>(heading);
    return int(SendMessage(LVM_INSERTCOLUMNA, WPARAM(column), LPARAM(&info)));
}

int CListCtrl::InsertItem(int item, const char* text) {
    LVITEMA info = {};
    info.mask = LVIF_TEXT;
    info.iItem = item;
    info.pszText = const_cast<char*>(text);
    return int(SendMessage(LVM_INSERTITEMA, 0, LPARAM(&info)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) {
    LVITEMA info = {};
    info.iSubItem = subItem;
    info.pszText = const_cast<char*>(text);
    return BOOL(SendMessage(LVM_SETITEMTEXTA, WPARAM(item), LPARAM(&info)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    return ReadWholeText([&](char* buffer, int size) {
        LVITEMA info = {};
        info.iSubItem = subItem;
        info.pszText = buffer;
        info.cchTextMax = size;
        SendMessage(LVM_GETITEMTEXTA, WPARAM(item), LPARAM(&info));
    });
}
