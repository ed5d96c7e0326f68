// Windows and their message maps. A CWnd is attached to one window handle; messages reach it
// through one window procedure, which looks the object up in the handle map and walks the
// class's message map, then its base classes' maps.
#pragma once

#include "CString.h"

#include <windows.h>

class CWnd;

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(LONG px, LONG py) : POINT{px, py} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// One entry of a message map: the message (and for commands and notifications, the control id
// and code) and the function that unpacks the parameters and calls the handler.
struct AFX_MSGMAP_ENTRY {
    UINT message;
    UINT code;
    UINT id;
    LRESULT (*handler)(CWnd* window, WPARAM wParam, LPARAM lParam);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*base)();
    const AFX_MSGMAP_ENTRY* entries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, nullptr }                                                                           \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

// A handler that takes the raw parameters: LRESULT OnSomething(WPARAM, LPARAM).
#define ON_MESSAGE(msg, fn)                                                                        \
    {msg, 0, 0, [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                                     \
         return static_cast<ThisClass*>(w)->fn(wp, lp);                                            \
     }},

// void OnLButtonDown(UINT flags, CPoint point)
#define ON_WM_LBUTTONDOWN()                                                                        \
    {WM_LBUTTONDOWN, 0, 0, [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                          \
         static_cast<ThisClass*>(w)->OnLButtonDown(UINT(wp),                                       \
                                                   CPoint(short(LOWORD(lp)), short(HIWORD(lp))));  \
         return 0;                                                                                 \
     }},

// void OnKeyDown(UINT key, UINT repeat, UINT flags)
#define ON_WM_KEYDOWN()                                                                            \
    {WM_KEYDOWN, 0, 0, [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {                              \
         static_cast<ThisClass*>(w)->OnKeyDown(UINT(wp), LOWORD(lp), HIWORD(lp));                  \
         return 0;                                                                                 \
     }},

// void OnHandler() for the notification `code` (such as EN_KILLFOCUS) of control `id`.
#define ON_CONTROL(code, id, fn)                                                                   \
    {WM_COMMAND, UINT(code), UINT(id), [](CWnd* w, WPARAM, LPARAM) -> LRESULT {                    \
         static_cast<ThisClass*>(w)->fn();                                                         \
         return 0;                                                                                 \
     }},
// void OnHandler() for a button click or a menu command with this id.
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_COMMAND(id, fn) ON_BN_CLICKED(id, fn)

// void OnHandler(NMHDR* header, LRESULT* result) for a notification from control `id`.
#define ON_NOTIFY(code, id, fn)                                                                    \
    {WM_NOTIFY, UINT(code), UINT(id), [](CWnd* w, WPARAM, LPARAM lp) -> LRESULT {                  \
         LRESULT result = 0;                                                                       \
         static_cast<ThisClass*>(w)->fn(reinterpret_cast<NMHDR*>(lp), &result);                    \
         return result;                                                                            \
     }},

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object attached to a window, if any.
    static CWnd* FromHandlePermanent(HWND window);

    // Attaches the object to an existing control of a dialog and routes the control's messages
    // through the object's message map first.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    BOOL SubclassWindow(HWND window);
    HWND UnsubclassWindow();

    // Creates a window of the framework's own class, attached to this object.
    BOOL CreateEx(DWORD exStyle, const char* title, DWORD style, int x, int y, int width,
                  int height, HWND parent, UINT id);
    BOOL DestroyWindow();

    CWnd* GetDlgItem(int id) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    CString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    // Centres the window on its owner, or on the work area of its monitor when it has no visible
    // owner; the window is kept inside that work area.
    void CenterWindow();
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big, LPARAM(icon)));
    }

    // Called for the owner-drawn control when its parent is asked to draw it; true when drawn.
    virtual BOOL DrawItem(const DRAWITEMSTRUCT&) { return FALSE; }

    // Runs the message through the message maps; messages no entry handles go to Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handling the window would have had without this object: the subclassed window's own
    // procedure, or the system's default.
    LRESULT Default();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called for WM_COMMAND and WM_NOTIFY that no map entry takes.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    void Attach(HWND window);
    HWND Detach();

    WNDPROC m_superProc = nullptr;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool ReflectDrawItem(LPARAM lParam);
    static CString WindowText(HWND window);

    MSG m_current = {};
};

LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
