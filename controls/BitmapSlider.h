// A trackbar drawn from bitmaps: two channel pictures above and below the thumb, and a thumb
// window over the trackbar's own thumb that hands mouse input to the trackbar, which keeps doing
// the position, the keyboard and the dragging.
#pragma once

#include "BitmapStrip.h"
#include "Controls.h"
#include "SliderThumb.h"

#include <memory>

class CBitmapSlider : public CSliderCtrl {
public:
    void CreateThumb(UINT bitmapId, UINT imageWidth, UINT imageHeight);
    // The slider takes the size of the upper bitmap.
    void SetChannelBitmaps(UINT lowerId, UINT upperId);
    // Enlarges the slider and its thumb for a screen of `dpi` dots per inch; the pictures are
    // drawn at 96.
    void ScaleTo(int dpi);

    CSliderThumb m_thumb;
    int m_thumbMargin = 0;
    HCURSOR m_cursor = nullptr;

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM) { return 0; }
    LRESULT OnSetCursor(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    RECT ThumbRect() const;
    // `full` also moves the thumb window onto the thumb and repaints it.
    void Draw(HDC dc, bool full);

    std::unique_ptr<CBitmapStrip> m_lower;
    std::unique_ptr<CBitmapStrip> m_upper;
};
