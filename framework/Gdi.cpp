#include "Gdi.h"

#include "WinApp.h"

BOOL CBitmap::LoadBitmap(UINT id) {
    DeleteObject();
    m_bitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    return m_bitmap != nullptr;
}

BOOL CBitmap::DeleteObject() {
    if (!m_bitmap)
        return FALSE;
    ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    return TRUE;
}

SIZE CBitmap::GetSize() const {
    BITMAP info = {};
    if (m_bitmap)
        GetObjectA(m_bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
    const COLORREF previous = SetBkColor(m_hDC, colour);
    ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(m_hDC, previous);
}
