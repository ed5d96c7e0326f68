// The dialog that adds or edits one user-defined item: its folder, its file name patterns and
// whether its subfolders are included. It ends with IDOK only for an item that is safe to store.
#pragma once

#include "Dialog.h"
#include "UserItem.h"

class CUserItemDlg : public CDialog {
public:
    explicit CUserItemDlg(const UserItem& item = UserItem(), CWnd* parent = nullptr);

    UserItem Item() const;

    CString m_folder;
    int m_subfolder = 0;
    CString m_fileNames;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnBrowse();

    DECLARE_MESSAGE_MAP()

private:
    // The reason the entered item cannot be stored, or null.
    const char* Refusal() const;
    // A whole drive or a folder of the system with a pattern that takes every file in it.
    void Warn(const char* text) const;
};
