// The shell's folder browser run as a modal dialog object: construct, DoModal, read the path.
#pragma once

#include "Dialog.h"

#include <shlobj.h>

class CFolderDialog : public CDialog {
public:
    // `initialPath` (may be null) is selected when the browser opens; `flags` are BIF_ bits.
    CFolderDialog(const char* title, const char* initialPath, CWnd* parent, UINT flags);
    ~CFolderDialog() override;

    // IDOK with the folder's path in m_selectedPath; IDCANCEL when the chosen item has no path
    // in the file system that the code page spells, by its own or its short name; -1 when the
    // user cancelled the browser.
    INT_PTR DoModal() override;

    BROWSEINFOA m_browseInfo;
    char m_initialPath[MAX_PATH];
    char m_selectedPath[MAX_PATH];
    // The browser's window while one of its callbacks runs; null otherwise.
    HWND m_browseWnd = nullptr;

protected:
    virtual void OnInitialized();
    virtual void OnSelChanged(LPITEMIDLIST item);
    // Its result goes back to the browser: non-zero keeps the browser open.
    virtual int OnValidateFailed(const char* typed);
    virtual void OnIUnknown(IUnknown* browser);

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);
    bool SelectedPath(LPITEMIDLIST item);
    int Dispatch(UINT message, LPARAM lParam);

    char m_displayName[MAX_PATH];
};
