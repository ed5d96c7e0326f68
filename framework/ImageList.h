// Image lists: the owner destroys the list.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A strip of images of width `cx` from a bitmap resource; `mask` is the transparent colour.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    int Add(HICON icon) { return ImageList_AddIcon(m_list, icon); }
    int GetImageCount() const { return ImageList_GetImageCount(m_list); }
    HIMAGELIST GetSafeHandle() const { return m_list; }
    BOOL DeleteImageList();

private:
    HIMAGELIST m_list = nullptr;
};
