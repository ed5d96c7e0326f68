#include "ImageList.h"

#include "WinApp.h"

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    m_list = ImageList_Create(cx, cy, flags, initial, grow);
    return m_list != nullptr;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    DeleteImageList();
    m_list = ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), cx, grow,
                                  mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return m_list != nullptr;
}

BOOL CImageList::DeleteImageList() {
    if (!m_list)
        return FALSE;
    ImageList_Destroy(m_list);
    m_list = nullptr;
    return TRUE;
}
