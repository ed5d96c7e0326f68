// The main window: the catalogue tree, the erase method and the buttons of the program.
#pragma once

#include "Catalogue.h"
#include "CheckTreeCtrl.h"
#include "Dialog.h"
#include "StringList.h"

class CCleanerDlg : public CDialog {
public:
    explicit CCleanerDlg(CWnd* parent = nullptr);

    HTREEITEM InsertItemWithIconRes(HTREEITEM parent, const char* text, UINT iconId);
    HTREEITEM InsertItemWithIcon(HTREEITEM parent, const char* text, HICON icon);
    void BuildTree();
    void LoadSelection();
    void SaveSelection();

    CCheckTreeCtrl m_tree;
    SelectionMask m_selection = 0;
    CStringList m_driveList;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void AddDrives(HTREEITEM root);
};
