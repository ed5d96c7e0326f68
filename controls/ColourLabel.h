// A static control that paints its own text in one colour straight onto what lies behind it,
// in its parent's font.
#pragma once

#include "Controls.h"

class CColourLabel : public CStatic {
public:
    // Neither call repaints: the label shows the change at its next paint.
    void SetLabelText(const char* text) { m_text = text; }
    void SetTextColour(COLORREF colour) { m_textColour = colour; }

    UINT m_format = 0;
    COLORREF m_textColour = RGB(0, 0, 0);
    CString m_text;

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

    DECLARE_MESSAGE_MAP()
};
