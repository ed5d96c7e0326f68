#include "CleanerDlg.h"

#include "resource.h"

CCleanerDlg::CCleanerDlg(CWnd* parent) : CDialog(IDD_NV_DIALOG, parent) {}

void CCleanerDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_TREE, m_tree);
}

BOOL CCleanerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_tree.m_itemIcons.Create(15, 15, ILC_COLOR32, 16, 4);
    m_tree.SetImageList(&m_tree.m_itemIcons, TVSIL_NORMAL);
    m_tree.m_stateImages.Create(IDB_STATE_IMAGES, 13, 1, RGB(255, 255, 255));
    m_tree.SetImageList(&m_tree.m_stateImages, TVSIL_STATE);
    BuildTree();
    return TRUE;
}
