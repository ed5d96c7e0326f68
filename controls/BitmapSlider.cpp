#include "BitmapSlider.h"

BEGIN_MESSAGE_MAP(CBitmapSlider, CSliderCtrl)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
END_MESSAGE_MAP()

void CBitmapSlider::CreateThumb(UINT bitmapId, UINT imageWidth, UINT imageHeight) {
    if (m_thumb.m_hWnd || !bitmapId || !m_thumb.Create(WS_CHILD | WS_VISIBLE, this, 0))
        return;
    m_thumb.SetStrip(bitmapId, imageWidth, imageHeight);
    m_thumb.m_forward = true;
}

void CBitmapSlider::SetChannelBitmaps(UINT lowerId, UINT upperId) {
    m_lower = std::make_unique<CBitmapStrip>(lowerId, 0, 0);
    m_upper = std::make_unique<CBitmapStrip>(upperId, 0, 0);
    SetWindowPos(m_hWnd, nullptr, 0, 0, m_upper->info.bmWidth, m_upper->info.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapSlider::ScaleTo(int dpi) {
    if (!m_upper || !m_thumb.m_strip)
        return;
    SetWindowPos(m_hWnd, nullptr, 0, 0, MulDiv(m_upper->info.bmWidth, dpi, 96),
                 MulDiv(m_upper->info.bmHeight, dpi, 96),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(m_thumb.m_hWnd, nullptr, 0, 0, MulDiv(int(m_thumb.m_strip->imageWidth), dpi, 96),
                 MulDiv(int(m_thumb.m_strip->imageHeight), dpi, 96),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_thumbMargin = MulDiv(m_thumbMargin, dpi, 96);
}

// The thumb picture centred on the trackbar's thumb along the slider, at the margin across it.
RECT CBitmapSlider::ThumbRect() const {
    RECT client = {}, thumb = {};
    ::GetClientRect(m_thumb.m_hWnd, &client);
    SendMessage(TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
    const int width = client.right, height = client.bottom;
    if (GetWindowLongA(m_hWnd, GWL_STYLE) & TBS_VERT) {
        const int top = thumb.top + (height - (thumb.bottom - thumb.top)) / 2;
        return {m_thumbMargin, top, m_thumbMargin + width, top + height};
    }
    const int left = thumb.left + (width - (thumb.right - thumb.left)) / 2;
    return {left, m_thumbMargin, left + width, m_thumbMargin + height};
}

void CBitmapSlider::Draw(HDC dc, bool full) {
    if (!m_thumb.m_hWnd || !m_lower || !m_upper)
        return;
    RECT client;
    GetClientRect(&client);
    const RECT thumb = ThumbRect();
    // Each part of the client takes the same part of the pictures, whatever the client's size.
    const int width = m_upper->info.bmWidth, height = m_upper->info.bmHeight;
    const auto down = [&](int y) { return client.bottom ? MulDiv(y, height, client.bottom) : y; };
    const auto across = [&](int x) { return client.right ? MulDiv(x, width, client.right) : x; };
    if (GetWindowLongA(m_hWnd, GWL_STYLE) & TBS_VERT) {
        const int upperEnd = full ? thumb.bottom : thumb.top;
        m_upper->DrawPart(dc, {0, 0, client.right, upperEnd}, {0, 0, width, down(upperEnd)});
        m_lower->DrawPart(dc, {0, thumb.bottom, client.right, client.bottom},
                          {0, down(int(thumb.bottom)), width, height});
    } else {
        const int upperEnd = full ? thumb.right : thumb.left;
        m_upper->DrawPart(dc, {0, 0, upperEnd, client.bottom}, {0, 0, across(upperEnd), height});
        m_lower->DrawPart(dc, {thumb.right, 0, client.right, client.bottom},
                          {across(int(thumb.right)), 0, width, height});
    }
    if (full) {
        MoveWindow(m_thumb.m_hWnd, thumb.left, thumb.top, thumb.right - thumb.left,
                   thumb.bottom - thumb.top, FALSE);
        RedrawWindow(m_thumb.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

LRESULT CBitmapSlider::OnPaint(WPARAM, LPARAM) {
    CPaintDC dc(this);
    Draw(dc.m_hDC, true);
    return 0;
}

LRESULT CBitmapSlider::OnMouseMove(WPARAM, LPARAM) {
    {
        CClientDC dc(this);
        Draw(dc.m_hDC, false);
    }
    return Default();
}

LRESULT CBitmapSlider::OnLButtonUp(WPARAM, LPARAM) {
    Invalidate(TRUE);
    return Default();
}

LRESULT CBitmapSlider::OnSetCursor(WPARAM, LPARAM) {
    if (!m_cursor)
        return Default();
    SetCursor(m_cursor);
    return TRUE;
}
