#include "FolderDialog.h"

#include "Com.h"
#include "FileSystem.h"
#include "Handle.h"

#include <cstring>

namespace {

using ItemIdList = UniqueHandle<NullIsInvalid<LPITEMIDLIST, CoTaskMemFree>>;

// An initial path that does not fit is no path at all: a cut one could name another folder.
void CopyPath(char (&target)[MAX_PATH], const char* path) {
    target[0] = '\0';
    if (path && std::strlen(path) < MAX_PATH)
        std::strcpy(target, path);
}

} // namespace

CFolderDialog::CFolderDialog(const char* title, const char* initialPath, CWnd* parent, UINT flags)
    : CDialog(0, parent), m_browseInfo(), m_initialPath(), m_selectedPath(), m_displayName() {
    CopyPath(m_initialPath, initialPath);
    m_browseInfo.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_browseInfo.pszDisplayName = m_displayName;
    m_browseInfo.lpszTitle = title;
    m_browseInfo.ulFlags = flags;
    m_browseInfo.lpfn = BrowseCallback;
    m_browseInfo.lParam = reinterpret_cast<LPARAM>(this);
}

CFolderDialog::~CFolderDialog() {
    m_browseInfo = BROWSEINFOA();
}

// The browser is a modal dialog box of the system: it disables its owner for the run and
// enables it again before it returns, as the framework's own modal dialogs do.
INT_PTR CFolderDialog::DoModal() {
    m_browseInfo.hwndOwner = OwnerWindow();
    // The new-style browser needs a single-threaded apartment.
    const ComApartment apartment;
    const ItemIdList item(SHBrowseForFolderA(&m_browseInfo));
    if (!item)
        return -1;
    return SelectedPath(item.Get()) ? IDOK : IDCANCEL;
}

// A folder whose name the code page cannot spell is given by its short name; one that has
// neither is no path the program can take.
bool CFolderDialog::SelectedPath(LPITEMIDLIST item) {
    if (!fs::IsNtFamily())
        return SHGetPathFromIDListA(item, m_selectedPath);
    wchar_t wide[MAX_PATH];
    std::string ansi;
    if (!SHGetPathFromIDListW(item, wide) || !fs::AnsiSpelling(wide, ansi) ||
        ansi.size() >= MAX_PATH)
        return false;
    std::strcpy(m_selectedPath, ansi.c_str());
    return true;
}

// Runs on the thread of DoModal, inside the shell's dialog procedure: nothing may escape it.
int CALLBACK CFolderDialog::BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) {
    auto* dialog = reinterpret_cast<CFolderDialog*>(data);
    dialog->m_browseWnd = window;
    int result = 0;
    try {
        result = dialog->Dispatch(message, lParam);
    } catch (...) {
    }
    dialog->m_browseWnd = nullptr;
    return result;
}

int CFolderDialog::Dispatch(UINT message, LPARAM lParam) {
    switch (message) {
    case BFFM_INITIALIZED:
        OnInitialized();
        break;
    case BFFM_SELCHANGED:
        OnSelChanged(reinterpret_cast<LPITEMIDLIST>(lParam));
        break;
    case BFFM_VALIDATEFAILEDA:
        return OnValidateFailed(reinterpret_cast<const char*>(lParam));
    case BFFM_IUNKNOWN:
        OnIUnknown(reinterpret_cast<IUnknown*>(lParam));
        break;
    default:
        break;
    }
    return 0;
}

// Some shells go on filling the tree after this message and lose the selection: it is asked
// for again once the browser has taken its queued messages.
void CFolderDialog::OnInitialized() {
    if (!m_initialPath[0])
        return;
    ::SendMessageA(m_browseWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_initialPath));
    ::PostMessageA(m_browseWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_initialPath));
}

void CFolderDialog::OnSelChanged(LPITEMIDLIST item) {
    if (!(m_browseInfo.ulFlags & BIF_STATUSTEXT))
        return;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(item, path))
        ::SendMessageA(m_browseWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
}

int CFolderDialog::OnValidateFailed(const char*) {
    MessageBeep(MB_ICONHAND);
    return 1;
}

void CFolderDialog::OnIUnknown(IUnknown*) {}
