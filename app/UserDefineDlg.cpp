#include "UserDefineDlg.h"

#include "Product.h"
#include "UserItemDlg.h"
#include "UserItemStore.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CUserDefineDlg, CDialog)
ON_BN_CLICKED(IDC_ADD, OnAdd)
ON_BN_CLICKED(IDC_EDIT, OnEdit)
ON_BN_CLICKED(IDC_DELETE, OnDelete)
END_MESSAGE_MAP()

CUserDefineDlg::CUserDefineDlg(CWnd* parent) : CDialog(IDD_USER_DEFINE, parent) {}

void CUserDefineDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_USER_LIST, m_list);
}

BOOL CUserDefineDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.InsertColumn(FolderColumn, "Folder", LVCFMT_LEFT, 338);
    m_list.InsertColumn(PatternsColumn, "File type", LVCFMT_LEFT, 90);
    m_list.InsertColumn(SubfolderColumn, "Subfolder", LVCFMT_LEFT, 80);
    m_list.InsertColumn(CodeColumn, "Code", LVCFMT_LEFT, 0);
    m_modified = false;
    if (const auto items = ReadUserItems("000"))
        for (const StoredUserItem& stored : *items) {
            const int row = m_list.InsertItem(m_list.GetItemCount(), "");
            ShowItem(row, stored.item);
            m_list.SetItemText(row, CodeColumn, stored.code);
        }
    return TRUE;
}

void CUserDefineDlg::OnAdd() {
    CUserItemDlg dialog;
    if (dialog.DoModal() != IDOK)
        return;
    const UserItem item = dialog.Item();
    const CString code = AddUserItem(item);
    if (code.IsEmpty()) {
        MessageBoxA(m_hWnd, "The item could not be stored.", VX_PRODUCT_NAME,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_modified = true;
    const int row = m_list.InsertItem(m_list.GetItemCount(), "");
    ShowItem(row, item);
    m_list.SetItemText(row, CodeColumn, code);
}

void CUserDefineDlg::OnEdit() {
    const int row = TargetRow();
    if (row < 0)
        return;
    CUserItemDlg dialog(RowItem(row));
    if (dialog.DoModal() != IDOK)
        return;
    m_modified = true;
    ShowItem(row, dialog.Item());
    UpdateUserItem(m_list.GetItemText(row, CodeColumn), dialog.Item());
}

void CUserDefineDlg::OnDelete() {
    const int row = TargetRow();
    if (row < 0)
        return;
    m_modified = true;
    DeleteUserItem(m_list.GetItemText(row, CodeColumn));
    m_list.DeleteItem(row);
}

int CUserDefineDlg::TargetRow() {
    if (m_list.GetItemCount() == 0)
        return -1;
    const int row = m_list.GetSelectionMark();
    if (row >= 0 && row < m_list.GetItemCount())
        return row;
    m_list.SetSelectionMark(0);
    return 0;
}

UserItem CUserDefineDlg::RowItem(int row) const {
    return {m_list.GetItemText(row, FolderColumn), m_list.GetItemText(row, PatternsColumn),
            m_list.GetItemText(row, SubfolderColumn) == "Yes"};
}

void CUserDefineDlg::ShowItem(int row, const UserItem& item) {
    m_list.SetItemText(row, FolderColumn, item.folder);
    m_list.SetItemText(row, PatternsColumn, item.patterns);
    m_list.SetItemText(row, SubfolderColumn, item.subfolders ? "Yes" : "No");
}
