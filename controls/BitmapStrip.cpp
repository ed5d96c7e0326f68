#include "BitmapStrip.h"

namespace {

// A memory context compatible with the screen, with the bitmap selected into it.
std::unique_ptr<CMemoryDC> SelectInto(const CBitmap& bitmap) {
    HDC screen = GetDC(nullptr);
    auto dc = std::make_unique<CMemoryDC>(screen);
    ReleaseDC(nullptr, screen);
    if (dc->GetSafeHdc())
        SelectObject(dc->GetSafeHdc(), bitmap.GetSafeHandle());
    return dc;
}

} // namespace

CBitmapStrip::CBitmapStrip(UINT bitmapId, UINT width, UINT height, bool copy)
    : imageWidth(width), imageHeight(height), withCopy(copy) {
    if (!bitmap.LoadBitmap(bitmapId) || !GetObjectA(bitmap.GetSafeHandle(), sizeof info, &info))
        return;
    memoryDC = SelectInto(bitmap);
    if (withCopy && copyBitmap.LoadBitmap(bitmapId))
        copyDC = SelectInto(copyBitmap);
    vertical = info.bmWidth < info.bmHeight;
    if (!imageWidth)
        imageWidth = UINT(info.bmWidth);
    if (!imageHeight)
        imageHeight = UINT(info.bmHeight);
    count =
        vertical ? int(UINT(info.bmHeight) / imageHeight) : int(UINT(info.bmWidth) / imageWidth);
}

BOOL CBitmapStrip::DrawWhole(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY,
                             bool stretch, bool centre) {
    const CMemoryDC* source = withCopy && copyDC ? copyDC.get() : memoryDC.get();
    if (!dc || !source)
        return FALSE;
    if (!width)
        width = info.bmWidth;
    if (!height)
        height = info.bmHeight;
    if (centre) {
        x = width < info.bmWidth ? 0 : (width - info.bmWidth) / 2;
        y = height < info.bmHeight ? 0 : (height - info.bmHeight) / 2;
    }
    if (!stretch)
        return BitBlt(dc, x, y, width, height, source->GetSafeHdc(), sourceX, sourceY, SRCCOPY);
    SetStretchBltMode(dc, COLORONCOLOR);
    return StretchBlt(dc, x, y, x > 0 ? info.bmWidth : width, y > 0 ? info.bmHeight : height,
                      source->GetSafeHdc(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

bool CBitmapStrip::ImageRect(int index, RECT& rect, bool withoutOffset, const POINT* offset) const {
    if (index < 0 || index >= count)
        return false;
    int x = vertical ? 0 : index * int(imageWidth);
    int y = vertical ? index * int(imageHeight) : 0;
    if (!withoutOffset) {
        x += offset ? offset->x : offsetX;
        y += offset ? offset->y : offsetY;
    }
    rect = {x, y, x + int(imageWidth), y + int(imageHeight)};
    return true;
}

BOOL CBitmapStrip::DrawImage(HDC dc, int index, bool atImagePosition, const POINT* offset) {
    RECT image;
    if (!memoryDC || !ImageRect(index, image, true))
        return FALSE;
    int x = offset ? offset->x : offsetX;
    int y = offset ? offset->y : offsetY;
    if (atImagePosition) {
        x += image.left;
        y += image.top;
    }
    return BitBlt(dc, x, y, int(imageWidth), int(imageHeight), memoryDC->GetSafeHdc(), image.left,
                  image.top, SRCCOPY);
}

BOOL CBitmapStrip::DrawPart(HDC dc, const RECT& target, const RECT& source) {
    if (!dc || !memoryDC)
        return FALSE;
    SetStretchBltMode(dc, COLORONCOLOR);
    return StretchBlt(dc, target.left, target.top, target.right - target.left,
                      target.bottom - target.top, memoryDC->GetSafeHdc(), source.left, source.top,
                      source.right - source.left, source.bottom - source.top, SRCCOPY);
}
