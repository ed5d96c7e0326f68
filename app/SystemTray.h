// The program's icon in the notification area: a hidden window takes the icon's messages and
// the shell's news that the taskbar was created again; the icon's menu goes to the window it
// controls, which it can park out of sight and bring back.
#pragma once

#include "WindowHandle.h"
#include "Wnd.h"

#include <shellapi.h>

class CSystemTray : public CWnd {
public:
    CSystemTray();
    ~CSystemTray() override;

    // Adds the icon, its messages going to `parent` or else to the hidden window; `id` also
    // names the icon's menu. A failed add is retried when the taskbar is created.
    bool AddTrayIcon(CWnd* parent, UINT callbackMessage, const char* tip, HICON icon, UINT id);
    bool DeleteTrayIcon();
    bool SetDefaultMenuEntry(UINT entry, bool byPosition);

    void HideToTray(CWnd* window);
    void RestoreFromTray(CWnd* window);
    CWnd* TargetWindow() const;
    // The icon is in the notification area now.
    bool IsShown() const { return !m_removed; }

    virtual LRESULT OnIconNotify(WPARAM wParam, LPARAM lParam);
    virtual void PrepareMenu(HMENU) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static const UINT s_taskbarCreatedMsg;

    bool m_inTray = false;
    NOTIFYICONDATAA m_iconData;
    bool m_enabled = false;
    bool m_hidden = true;
    bool m_removed = true;
    bool m_addPending = false;
    CWnd* m_targetWnd = nullptr;
    UINT m_defaultEntry = 0;
    bool m_defaultByPosition = true;
    UINT m_creationFlags = 0;

protected:
    // The one call to the shell, with the icon's record.
    virtual BOOL Notify(DWORD message);

private:
    void ReAdd();

    static WindowHandle s_parkingWnd;
};
