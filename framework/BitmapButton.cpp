#include "BitmapButton.h"

BOOL CBitmapButton::LoadBitmaps(UINT upId, UINT downId) {
    return m_bitmap.LoadBitmap(upId) && m_bitmapSel.LoadBitmap(downId);
}

// The picture fills the button: a screen of more than 96 dots per inch makes the button larger
// than its picture.
BOOL CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const CBitmap& picture =
        (item.itemState & ODS_SELECTED) && m_bitmapSel.GetSafeHandle() ? m_bitmapSel : m_bitmap;
    if (!picture.GetSafeHandle())
        return FALSE;
    CDC target(item.hDC);
    CMemoryDC source(item.hDC);
    ScopedSelectObject select(source.GetSafeHdc(), picture.GetSafeHandle());
    const RECT& area = item.rcItem;
    const SIZE size = picture.GetSize();
    SetStretchBltMode(item.hDC, HALFTONE);
    StretchBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
               source.GetSafeHdc(), 0, 0, size.cx, size.cy, SRCCOPY);
    return TRUE;
}
