#include "Wnd.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace {

// The one map from window handles to the objects attached to them.
std::mutex g_mapLock;
std::map<HWND, CWnd*> g_windows;

const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, nullptr}};
const AFX_MSGMAP kWndMap = {nullptr, kNoEntries};

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry.message != message)
        return false;
    if (message == WM_COMMAND)
        return entry.id == LOWORD(wParam) && entry.code == HIWORD(wParam);
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        return entry.id == header->idFrom && entry.code == header->code;
    }
    return true;
}

} // namespace

CWnd::~CWnd() {
    if (m_superProc)
        UnsubclassWindow();
    else if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    std::lock_guard<std::mutex> guard(g_mapLock);
    const auto found = g_windows.find(window);
    return found == g_windows.end() ? nullptr : found->second;
}

void CWnd::Attach(HWND window) {
    m_hWnd = window;
    std::lock_guard<std::mutex> guard(g_mapLock);
    g_windows[window] = this;
}

HWND CWnd::Detach() {
    HWND window = m_hWnd;
    if (window) {
        std::lock_guard<std::mutex> guard(g_mapLock);
        g_windows.erase(window);
    }
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (!window || m_hWnd)
        return FALSE;
    Attach(window);
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd && m_superProc)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_superProc = nullptr;
    return Detach();
}

// The framework's window class: the system's default handling until the object takes over.
BOOL CWnd::CreateEx(DWORD exStyle, const char* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, UINT id) {
    static const ATOM windowClass = [] {
        WNDCLASSA info = {};
        info.lpfnWndProc = ::DefWindowProcA;
        info.hInstance = GetModuleHandleA(nullptr);
        info.lpszClassName = "VxWnd";
        return RegisterClassA(&info);
    }();
    if (m_hWnd || !windowClass)
        return FALSE;
    const HWND window = CreateWindowExA(
        exStyle, MAKEINTATOM(windowClass), title, style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(UINT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
    return window && SubclassWindow(window);
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, int(id)));
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandlePermanent(::GetDlgItem(m_hWnd, id));
}

CString CWnd::GetWindowText() const {
    return WindowText(m_hWnd);
}

CString CWnd::GetDlgItemText(int id) const {
    return WindowText(::GetDlgItem(m_hWnd, id));
}

CString CWnd::WindowText(HWND window) {
    CString text;
    const int length = ::GetWindowTextLengthA(window);
    ::GetWindowTextA(window, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

void CWnd::CenterWindow() {
    RECT window;
    GetWindowRect(&window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT area = monitor.rcWork;
    RECT around = area;
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        ::GetWindowRect(owner, &around);
    const LONG width = window.right - window.left, height = window.bottom - window.top;
    LONG x = (around.left + around.right - width) / 2;
    LONG y = (around.top + around.bottom - height) / 2;
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    return &kWndMap;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

bool CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr)
        for (const AFX_MSGMAP_ENTRY* entry = map->entries; entry->handler; ++entry)
            if (Matches(*entry, message, wParam, lParam)) {
                result = entry->handler(this, wParam, lParam);
                return true;
            }
    return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG outer = m_current;
    m_current = MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    if (message == WM_DRAWITEM && ReflectDrawItem(lParam))
        result = TRUE;
    else if (!Dispatch(message, wParam, lParam, result) &&
             !(message == WM_COMMAND && OnCommand(wParam, lParam)))
        result = DefWindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

// The parent is asked to draw an owner-drawn control; the control's own object draws it.
bool CWnd::ReflectDrawItem(LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* control = FromHandlePermanent(item->hwndItem);
    return control && control != this && control->DrawItem(*item);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc)
        return CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

// No exception may unwind into the system's code: a handler that throws ends its message.
LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = object->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    if (message == WM_NCDESTROY)
        object->UnsubclassWindow();
    return result;
}
