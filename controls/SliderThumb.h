// A small child window that shows one image of a bitmap strip (normal, hover, pressed) and can
// pass its mouse input on to its parent, over which it lies.
#pragma once

#include "BitmapStrip.h"
#include "Wnd.h"

#include <memory>

class CSliderThumb : public CWnd {
public:
    BOOL Create(DWORD style, CWnd* parent, UINT id);
    void SetStrip(UINT bitmapId, UINT imageWidth, UINT imageHeight);

    int m_image = 0;
    CBitmapStrip* m_strip = nullptr;
    HCURSOR m_cursor = nullptr;
    bool m_checked = false;
    bool m_toggle = false;
    bool m_forward = false;
    bool m_tracking = false;
    bool m_notifyOnDown = false;

protected:
    LRESULT OnEraseBkgnd(WPARAM dc, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM keys, LPARAM point);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM keys, LPARAM point);
    LRESULT OnLButtonUp(WPARAM keys, LPARAM point);

    DECLARE_MESSAGE_MAP()

private:
    int ImageCount() const { return m_strip ? m_strip->count : 0; }
    void Show(int image);
    void NotifyParent();
    // The same message, its point in the parent's client coordinates, to the parent.
    void Forward(UINT message, WPARAM keys, LPARAM point);

    std::unique_ptr<CBitmapStrip> m_ownedStrip;
};
