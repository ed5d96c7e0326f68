#include "Gdi.h"

#include "WinApp.h"

BOOL CBitmap::LoadBitmap(UINT id) {
    m_bitmap.Reset(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
    return m_bitmap ? TRUE : FALSE;
}

BOOL CBitmap::DeleteObject() {
    const BOOL owned = m_bitmap ? TRUE : FALSE;
    m_bitmap.Reset();
    return owned;
}

SIZE CBitmap::GetSize() const {
    BITMAP info = {};
    if (m_bitmap)
        GetObjectA(m_bitmap.Get(), sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
    const COLORREF previous = SetBkColor(m_hDC, colour);
    ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(m_hDC, previous);
}
