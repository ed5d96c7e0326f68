// Thin wrappers of the standard controls the program's dialogs use.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON icon) {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, WPARAM(icon)));
    }
};

class CButton : public CWnd {
public:
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
};

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGE, redraw, MAKELPARAM(minimum, maximum));
    }
    int SetLineSize(int size) { return int(SendMessage(TBM_SETLINESIZE, 0, size)); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    int GetPos() const { return int(SendMessage(TBM_GETPOS)); }
};

class CListCtrl : public CWnd {
public:
    int InsertColumn(int column, const char* heading, int format, int width);
    int InsertItem(int item, const char* text);
    BOOL SetItemText(int item, int subItem, const char* text);
    CString GetItemText(int item, int subItem) const;
    BOOL DeleteItem(int item) { return ListView_DeleteItem(m_hWnd, item); }
    BOOL DeleteAllItems() { return ListView_DeleteAllItems(m_hWnd); }
    int GetItemCount() const { return ListView_GetItemCount(m_hWnd); }
    int GetNextItem(int item, int flags) const { return ListView_GetNextItem(m_hWnd, item, flags); }
    int GetSelectionMark() const { return ListView_GetSelectionMark(m_hWnd); }
    int SetSelectionMark(int item) { return ListView_SetSelectionMark(m_hWnd, item); }
    DWORD SetExtendedStyle(DWORD style) {
        return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
    }
};
