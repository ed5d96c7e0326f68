#include "Menu.h"

#include "WinApp.h"

BOOL CMenu::LoadMenu(UINT id) {
    m_owned.Reset(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
    m_hMenu = m_owned.Get();
    return m_hMenu != nullptr;
}
