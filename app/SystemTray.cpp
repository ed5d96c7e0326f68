#include "SystemTray.h"

#include "WinApp.h"
#include "WindowHandle.h"

#include <cstring>

const UINT CSystemTray::s_taskbarCreatedMsg = RegisterWindowMessageA("TaskbarCreated");
WindowHandle CSystemTray::s_parkingWnd;

namespace {

// The record as the shells of Windows 2000 and later read it: 488 bytes in a 32-bit program.
constexpr DWORD kIconDataSize = NOTIFYICONDATAA_V2_SIZE;
static_assert(sizeof(void*) != 4 || kIconDataSize == 488, "the 488-byte icon record");

MenuHandle LoadIconMenu(UINT id) {
    return MenuHandle(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(LOWORD(id))));
}

} // namespace

CSystemTray::CSystemTray() : m_iconData() {}

CSystemTray::~CSystemTray() {
    DeleteTrayIcon();
    DestroyWindow();
}

BOOL CSystemTray::Notify(DWORD message) {
    return Shell_NotifyIconA(message, &m_iconData);
}

bool CSystemTray::AddTrayIcon(CWnd* parent, UINT callbackMessage, const char* tip, HICON icon,
                              UINT id) {
    m_enabled = LOBYTE(LOWORD(GetVersion())) >= 4;
    if (!m_enabled || !CreateEx(0, "", WS_POPUP, 0, 0, 0, 0, nullptr, 0))
        return false;
    m_iconData.cbSize = kIconDataSize;
    m_iconData.hWnd = parent && parent->m_hWnd ? parent->m_hWnd : m_hWnd;
    m_iconData.uID = id;
    m_iconData.hIcon = icon;
    m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_iconData.uCallbackMessage = callbackMessage;
    lstrcpynA(m_iconData.szTip, tip ? tip : "", sizeof m_iconData.szTip);
    m_creationFlags = m_iconData.uFlags;
    const bool added = Notify(NIM_ADD);
    m_hidden = false;
    m_removed = m_addPending = !added;
    return added;
}

bool CSystemTray::DeleteTrayIcon() {
    m_addPending = false;
    if (!m_enabled || m_removed)
        return true;
    m_iconData.uFlags = 0;
    if (Notify(NIM_DELETE))
        m_hidden = m_removed = true;
    return m_removed;
}

bool CSystemTray::SetDefaultMenuEntry(UINT entry, bool byPosition) {
    if (m_defaultEntry == entry && m_defaultByPosition == byPosition)
        return true;
    m_defaultEntry = entry;
    m_defaultByPosition = byPosition;
    const MenuHandle menu = LoadIconMenu(m_iconData.uID);
    const HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup)
        return false;
    SetMenuDefaultItem(popup, entry, byPosition);
    return true;
}

CWnd* CSystemTray::TargetWindow() const {
    if (m_targetWnd)
        return m_targetWnd;
    const CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

LRESULT CSystemTray::OnIconNotify(WPARAM wParam, LPARAM lParam) {
    CWnd* target = TargetWindow();
    if (wParam != m_iconData.uID || !target)
        return 0;
    switch (LOWORD(lParam)) {
    case WM_RBUTTONUP: {
        const MenuHandle menu = LoadIconMenu(m_iconData.uID);
        const HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
        if (!popup)
            return 0;
        SetMenuDefaultItem(popup, m_defaultEntry, m_defaultByPosition);
        PrepareMenu(popup);
        POINT cursor;
        GetCursorPos(&cursor);
        SetForegroundWindow(target->m_hWnd);
        TrackPopupMenu(popup, TPM_RIGHTALIGN, cursor.x, cursor.y, 0, target->m_hWnd, nullptr);
        target->PostMessage(WM_NULL);
        break;
    }
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (m_inTray)
            RestoreFromTray(target);
        else
            HideToTray(target);
        break;
    default:
        break;
    }
    return 1;
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_iconData.uCallbackMessage)
        return OnIconNotify(wParam, lParam);
    if (message == s_taskbarCreatedMsg) {
        m_addPending = true;
        ReAdd();
        return 0;
    }
    if (message == WM_SETTINGCHANGE) {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (wParam == SPI_SETWORKAREA) {
            m_addPending = !m_hidden;
            ReAdd();
        }
        return result;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// The icon is owed to the notification area unless it was deleted on purpose. An add refused
// because the icon is still there (a work-area change) leaves it counted as shown, so that it is
// still deleted when the program ends.
void CSystemTray::ReAdd() {
    if (m_hidden || (m_removed && !m_addPending))
        return;
    m_iconData.uFlags = m_creationFlags;
    const bool shown = Notify(NIM_ADD) || Notify(NIM_MODIFY);
    m_addPending = m_removed = !shown;
}

void CSystemTray::HideToTray(CWnd* window) {
    if (!IsWindow(s_parkingWnd.Get()))
        s_parkingWnd.Reset(CreateWindowExA(0, "Static", "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr));
    if (s_parkingWnd)
        SetParent(window->m_hWnd, s_parkingWnd.Get());
    SetWindowLongA(window->m_hWnd, GWL_STYLE,
                   GetWindowLongA(window->m_hWnd, GWL_STYLE) & ~WS_VISIBLE);
    m_inTray = true;
}

void CSystemTray::RestoreFromTray(CWnd* window) {
    SetParent(window->m_hWnd, nullptr);
    SetWindowLongA(window->m_hWnd, GWL_STYLE,
                   GetWindowLongA(window->m_hWnd, GWL_STYLE) | WS_VISIBLE);
    RedrawWindow(window->m_hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (IsWindow(s_parkingWnd.Get()))
        SetActiveWindow(s_parkingWnd.Get());
    SetActiveWindow(window->m_hWnd);
    SetForegroundWindow(window->m_hWnd);
    m_inTray = false;
}
