// A bitmap resource cut into equal images side by side (or stacked), with a memory device
// context to draw them from.
#pragma once

#include "Gdi.h"

#include <memory>

class CBitmapStrip {
public:
    // A zero image width or height takes the whole bitmap's. With `withCopy`, a second copy of
    // the bitmap is drawn from by DrawWhole.
    CBitmapStrip(UINT bitmapId, UINT imageWidth, UINT imageHeight, bool withCopy = false);

    // A zero width or height takes the bitmap's; `centre` centres the bitmap in a larger area.
    BOOL DrawWhole(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY,
                   bool stretch, bool centre);
    bool ImageRect(int index, RECT& rect, bool withoutOffset, const POINT* offset = nullptr) const;
    BOOL DrawImage(HDC dc, int index, bool atImagePosition, const POINT* offset = nullptr);
    // The part `source` of the bitmap stretched over `target`.
    BOOL DrawPart(HDC dc, const RECT& target, const RECT& source);

    int count = 0;
    UINT imageWidth;
    UINT imageHeight;
    bool withCopy;
    bool vertical = false;
    int offsetX = 0;
    int offsetY = 0;
    BITMAP info = {};
    CBitmap bitmap;
    CBitmap copyBitmap;
    std::unique_ptr<CMemoryDC> memoryDC;
    std::unique_ptr<CMemoryDC> copyDC;
};
