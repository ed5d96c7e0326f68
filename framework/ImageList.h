// Image lists: the owner destroys the list.
#pragma once

#include "WindowHandle.h"

class CImageList {
public:
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A strip of images of width `cx` from a bitmap resource; `mask` is the transparent colour.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    int Add(HICON icon) { return ImageList_AddIcon(m_list.Get(), icon); }
    int GetImageCount() const { return ImageList_GetImageCount(m_list.Get()); }
    HIMAGELIST GetSafeHandle() const { return m_list.Get(); }
    BOOL DeleteImageList();

private:
    ImageListHandle m_list;
};
