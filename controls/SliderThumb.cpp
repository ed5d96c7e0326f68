#include "SliderThumb.h"

BEGIN_MESSAGE_MAP(CSliderThumb, CWnd)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
END_MESSAGE_MAP()

BOOL CSliderThumb::Create(DWORD style, CWnd* parent, UINT id) {
    static const ATOM windowClass = [] {
        WNDCLASSA info = {};
        info.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        info.lpfnWndProc = ::DefWindowProcA;
        info.hInstance = GetModuleHandleA(nullptr);
        info.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        info.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        info.lpszClassName = "VxSliderThumb";
        return RegisterClassA(&info);
    }();
    if (!windowClass || m_hWnd)
        return FALSE;
    const HWND window = CreateWindowExA(
        0, MAKEINTATOM(windowClass), "", style, 0, 0, 0, 0, parent ? parent->m_hWnd : nullptr,
        reinterpret_cast<HMENU>(UINT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
    return window && SubclassWindow(window);
}

void CSliderThumb::SetStrip(UINT bitmapId, UINT imageWidth, UINT imageHeight) {
    m_ownedStrip = std::make_unique<CBitmapStrip>(bitmapId, imageWidth, imageHeight);
    m_strip = m_ownedStrip.get();
    if (m_hWnd)
        SetWindowPos(m_hWnd, nullptr, 0, 0, int(m_strip->imageWidth), int(m_strip->imageHeight),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

// The image fills the window, which the slider may have made larger than the image.
LRESULT CSliderThumb::OnEraseBkgnd(WPARAM dc, LPARAM) {
    RECT client, image;
    GetClientRect(&client);
    if (m_strip && m_strip->ImageRect(m_image, image, true))
        m_strip->DrawPart(reinterpret_cast<HDC>(dc), client, image);
    return TRUE;
}

LRESULT CSliderThumb::OnSetCursor(WPARAM, LPARAM) {
    if (!m_cursor)
        return Default();
    SetCursor(m_cursor);
    return TRUE;
}

LRESULT CSliderThumb::OnMouseMove(WPARAM keys, LPARAM point) {
    if (!m_tracking) {
        TRACKMOUSEEVENT request = {sizeof request, TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_tracking = TrackMouseEvent(&request);
    }
    if (m_forward)
        Forward(WM_MOUSEMOVE, keys, point);
    return 0;
}

LRESULT CSliderThumb::OnMouseHover(WPARAM, LPARAM) {
    Show(m_checked ? 2 : ImageCount() > 1 ? 1 : 0);
    return 0;
}

LRESULT CSliderThumb::OnMouseLeave(WPARAM, LPARAM) {
    m_tracking = false;
    Show(m_checked && ImageCount() > 1 ? 2 : 0);
    return 0;
}

LRESULT CSliderThumb::OnLButtonDown(WPARAM keys, LPARAM point) {
    const int image = m_checked ? 0 : ImageCount() >= 3 ? 2 : 0;
    if (m_toggle)
        m_checked = !m_checked;
    Show(image);
    if (m_notifyOnDown)
        NotifyParent();
    if (m_forward)
        Forward(WM_LBUTTONDOWN, keys, point);
    return 0;
}

LRESULT CSliderThumb::OnLButtonUp(WPARAM keys, LPARAM point) {
    if (!m_checked)
        Show(ImageCount() > 1 ? 1 : 0);
    if (!m_notifyOnDown)
        NotifyParent();
    if (m_forward)
        Forward(WM_LBUTTONUP, keys, point);
    return 0;
}

void CSliderThumb::Show(int image) {
    m_image = image;
    Invalidate();
}

void CSliderThumb::NotifyParent() {
    ::SendMessageA(GetParent(m_hWnd), WM_COMMAND, GetDlgCtrlID(m_hWnd), LPARAM(m_hWnd));
}

void CSliderThumb::Forward(UINT message, WPARAM keys, LPARAM point) {
    POINT inParent = {short(LOWORD(point)), short(HIWORD(point))};
    const HWND parent = GetParent(m_hWnd);
    MapWindowPoints(m_hWnd, parent, &inParent, 1);
    ::SendMessageA(parent, message, keys, MAKELPARAM(inParent.x, inParent.y));
}
