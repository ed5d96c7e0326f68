// The list of user-defined items: each change is written to the registry at once, and the
// dialog tells its caller whether anything changed, so that the tree can be rebuilt.
#pragma once

#include "Controls.h"
#include "Dialog.h"
#include "UserItem.h"

class CUserDefineDlg : public CDialog {
public:
    explicit CUserDefineDlg(CWnd* parent = nullptr);

    CListCtrl m_list;
    bool m_modified = false;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnAdd();
    void OnEdit();
    void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    enum Column { FolderColumn, PatternsColumn, SubfolderColumn, CodeColumn };

    // The selected row; the first row when none is selected; -1 when the list is empty.
    int TargetRow();
    UserItem RowItem(int row) const;
    void ShowItem(int row, const UserItem& item);
};
