#include "ColourLabel.h"

#include "Gdi.h"

BEGIN_MESSAGE_MAP(CColourLabel, CStatic)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
END_MESSAGE_MAP()

LRESULT CColourLabel::OnPaint(WPARAM, LPARAM) {
    CPaintDC dc(this);
    RECT client;
    GetClientRect(&client);
    SetBkMode(dc.m_hDC, TRANSPARENT);
    const HGDIOBJ font =
        reinterpret_cast<HGDIOBJ>(::SendMessageA(GetParent(m_hWnd), WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? SelectObject(dc.m_hDC, font) : nullptr;
    SetTextColor(dc.m_hDC, m_textColour);
    DrawTextA(dc.m_hDC, m_text, m_text.GetLength(), &client, m_format);
    if (previous)
        SelectObject(dc.m_hDC, previous);
    return 0;
}
