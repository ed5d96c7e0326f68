#include "Dialog.h"

#include "WinApp.h"

#include <commctrl.h>

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd)
        control.SubclassDlgItem(UINT(id), pDX->m_pDlgWnd);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    HWND control = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextA(control, value);
        return;
    }
    const int length = GetWindowTextLengthA(control);
    GetWindowTextA(control, value.GetBuffer(length), length + 1);
    value.ReleaseBuffer();
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value) {
    DDX_Text(pDX, id, value);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND control = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (pDX->m_bSaveAndValidate)
        value = int(SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        SendMessageA(control, BM_SETCHECK, WPARAM(value), 0);
}

void DDX_Slider(CDataExchange* pDX, int id, int& value) {
    HWND control = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (pDX->m_bSaveAndValidate)
        value = int(SendMessageA(control, TBM_GETPOS, 0, 0));
    else
        SendMessageA(control, TBM_SETPOS, TRUE, value);
}

namespace {
// Once the dialog is subclassed, the system's dialog procedure handles whatever the message
// maps leave: the dialog's own procedure has nothing more to do.
INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
} // namespace

// The first message attaches the object and routes the dialog's messages through its maps. A
// dialog that its initialisation did not move is centred on its owner.
INT_PTR CALLBACK CDialog::StartDialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(window);
    SetWindowLongPtrA(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(NoDialogProc));
    RECT before, after;
    ::GetWindowRect(window, &before);
    BOOL result = TRUE;
    try {
        result = dialog->OnInitDialog();
    } catch (...) {
    }
    ::GetWindowRect(window, &after);
    if (IsWindow(window) && before.left == after.left && before.top == after.top)
        dialog->CenterWindow();
    return result;
}

// Without a parent of its own, a dialog belongs to the main window (or to the window that main
// window has open on top of it), which stays disabled while the dialog runs.
HWND CDialog::OwnerWindow() const {
    if (m_parent)
        return m_parent->m_hWnd;
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->m_pMainWnd : nullptr;
    if (!main || main == this || !IsWindow(main->m_hWnd))
        return nullptr;
    return GetLastActivePopup(main->m_hWnd);
}

INT_PTR CDialog::DoModal() {
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId), OwnerWindow(),
                           StartDialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(CWnd* parent) {
    return CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId),
                              parent ? parent->m_hWnd : nullptr, StartDialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// Commands no map entry takes: OK and Cancel, and the application's exit command, which goes to
// the application object.
BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    CWinApp* app = AfxGetApp();
    if (LOWORD(wParam) == IDOK)
        OnOK();
    else if (LOWORD(wParam) == IDCANCEL)
        OnCancel();
    else if (LOWORD(wParam) == kAppExitCommand && app)
        app->OnAppExit();
    else
        return FALSE;
    return TRUE;
}
