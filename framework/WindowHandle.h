// Sole owners of the objects of the window system: GDI objects and memory device contexts, image
// lists, menus, icons and windows, on the owner template of Handle.h.
#pragma once

#include "Handle.h"

#include <commctrl.h>

template <typename T> inline void DeleteGdiObject(T object) {
    DeleteObject(object);
}

template <typename T> using GdiObject = UniqueHandle<NullIsInvalid<T, DeleteGdiObject<T>>>;
using MemoryDcHandle = UniqueHandle<NullIsInvalid<HDC, DeleteDC>>;
using ImageListHandle = UniqueHandle<NullIsInvalid<HIMAGELIST, ImageList_Destroy>>;
using MenuHandle = UniqueHandle<NullIsInvalid<HMENU, DestroyMenu>>;
using IconHandle = UniqueHandle<NullIsInvalid<HICON, DestroyIcon>>;
using WindowHandle = UniqueHandle<NullIsInvalid<HWND, DestroyWindow>>;
