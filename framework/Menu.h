// Menus: a loaded menu is destroyed by its owner; a borrowed one (a window's system menu, a
// sub-menu) is not.
#pragma once

#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    ~CMenu() {
        if (m_owned && m_hMenu)
            DestroyMenu(m_hMenu);
    }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    static CMenu Borrow(HMENU menu) { return CMenu(menu, false); }
    CMenu(CMenu&& other) noexcept : m_hMenu(other.m_hMenu), m_owned(other.m_owned) {
        other.m_hMenu = nullptr;
    }

    BOOL LoadMenu(UINT id);
    HMENU GetSafeHmenu() const { return m_hMenu; }
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }

private:
    CMenu(HMENU menu, bool owned) : m_hMenu(menu), m_owned(owned) {}
    HMENU m_hMenu = nullptr;
    bool m_owned = false;
};
