// Dialogs made from resource templates, and the exchange of data between a dialog's members
// and its controls.
#pragma once

#include "Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds a control of the dialog to its wrapper object, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_Slider(CDataExchange* pDX, int id, int& value);
// The text of a combo box's edit field.
void DDX_CBString(CDataExchange* pDX, int id, CString& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_parent(parent) {}

    // Runs the dialog modally, owned by its parent or else by the application's main window;
    // returns the value passed to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog without a modal loop of its own.
    BOOL Create(CWnd* parent = nullptr);
    void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

    // Pulls the controls' values into the members (TRUE) or pushes the members into the
    // controls (FALSE).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The owner of a modal run: the parent, else the application's main window's last active
    // popup; none for the main window itself.
    HWND OwnerWindow() const;

private:
    static INT_PTR CALLBACK StartDialogProc(HWND, UINT, WPARAM, LPARAM);

    UINT m_templateId;
    CWnd* m_parent;
};
