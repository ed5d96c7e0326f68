// GDI objects and device contexts. Objects own what they create; a device context made from a
// borrowed handle does not release it; selections are undone when their scope ends.
#pragma once

#include "WindowHandle.h"
#include "Wnd.h"

class CBitmap {
public:
    BOOL LoadBitmap(UINT id);
    BOOL DeleteObject();
    HBITMAP GetSafeHandle() const { return m_bitmap.Get(); }
    SIZE GetSize() const;

private:
    GdiObject<HBITMAP> m_bitmap;
};

class CDC {
public:
    explicit CDC(HDC dc = nullptr) : m_hDC(dc) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source, sourceX, sourceY, rop);
    }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    void FillSolidRect(const RECT& rect, COLORREF colour);
};

// A memory device context compatible with another one, deleted with the object.
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : CDC(CreateCompatibleDC(compatibleWith)), m_dc(m_hDC) {}

private:
    MemoryDcHandle m_dc;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window) : m_window(window->m_hWnd) {
        m_hDC = BeginPaint(m_window, &m_ps);
    }
    ~CPaintDC() override { EndPaint(m_window, &m_ps); }
    PAINTSTRUCT m_ps;

private:
    HWND m_window;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window) : CDC(GetDC(window->m_hWnd)), m_window(window->m_hWnd) {}
    ~CClientDC() override { ReleaseDC(m_window, m_hDC); }

private:
    HWND m_window;
};

// Selects an object into a device context and puts the previous one back at the end of scope.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { SelectObject(m_dc, m_previous); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
