#include "ImageList.h"

#include "WinApp.h"

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    m_list.Reset(ImageList_Create(cx, cy, flags, initial, grow));
    return m_list ? TRUE : FALSE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    m_list.Reset(ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), cx, grow,
                                      mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    return m_list ? TRUE : FALSE;
}

BOOL CImageList::DeleteImageList() {
    const BOOL owned = m_list ? TRUE : FALSE;
    m_list.Reset();
    return owned;
}
