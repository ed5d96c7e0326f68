#include "Menu.h"

#include "WinApp.h"

BOOL CMenu::LoadMenu(UINT id) {
    if (m_owned && m_hMenu)
        DestroyMenu(m_hMenu);
    m_hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    m_owned = true;
    return m_hMenu != nullptr;
}
