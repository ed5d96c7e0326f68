// Menus: a loaded menu is destroyed by its owner; a borrowed one (a window's system menu, a
// sub-menu) is not.
#pragma once

#include "WindowHandle.h"

class CMenu {
public:
    CMenu() = default;
    static CMenu Borrow(HMENU menu) {
        CMenu borrowed;
        borrowed.m_hMenu = menu;
        return borrowed;
    }

    BOOL LoadMenu(UINT id);
    HMENU GetSafeHmenu() const { return m_hMenu; }
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }

private:
    MenuHandle m_owned;
    HMENU m_hMenu = nullptr;
};
