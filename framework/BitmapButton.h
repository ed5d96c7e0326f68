// An owner-drawn push button that shows one bitmap when up and another while pressed.
#pragma once

#include "Controls.h"
#include "Gdi.h"

class CBitmapButton : public CButton {
public:
    BOOL LoadBitmaps(UINT upId, UINT downId);
    BOOL DrawItem(const DRAWITEMSTRUCT& item) override;

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
};
