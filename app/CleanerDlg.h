// The main window: the catalogue tree, the erase method and the buttons of the program.
#pragma once

#include "BitmapButton.h"
#include "BitmapSlider.h"
#include "Catalogue.h"
#include "CheckTreeCtrl.h"
#include "ColourLabel.h"
#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "HandCursor.h"
#include "RunRequest.h"
#include "Selection.h"
#include "StoredSettings.h"
#include "StringList.h"
#include "SystemTray.h"

class CCleanerDlg : public CDialog {
public:
    explicit CCleanerDlg(CWnd* parent = nullptr);

    void ShowLabels();
    void BuildTree();
    void LoadSelection();
    void SaveSelection();
    // Rebuilds the "User Define" branch and the two lists of items from the registry.
    void LoadUserItems(bool expand);
    void LoadMethod();
    void ShowLocks();
    // The method the slider stands at: positions past pseudo-random are zeroes.
    EraseMethod SliderMethod() const;
    void OnShredNow();
    // Shows what a shred of the checked items would remove, and lets it start from there.
    void OnPreview();
    void OnKeepLists();
    void OnUserDefine();
    void OnHide();
    void OnWebSite();
    void OnTrayShredNow();

    CSystemTray m_tray;
    HandCursor m_handCursor;
    CBitmap m_background;
    CColourLabel m_heading;
    CColourLabel m_methodHeading;
    CColourLabel m_methodNames[5];
    CColourLabel m_policyNote;
    CBitmapSlider m_slider;
    CBitmapButton m_userDefineButton;
    CBitmapButton m_shredButton;
    CCheckTreeCtrl m_tree;
    CBitmapButton m_webButton;
    CBitmapButton m_hideButton;
    int m_method = 0;
    HICON m_hIcon;
    SelectionMask m_selection;
    CStringList m_driveList;
    CStringList m_driveRoots;
    CStringList m_driveNames;
    CStringList m_userItems;
    // The display strings and the codes of the user-defined items, in the order of the tree.
    CStringList m_userItemTexts;
    CStringList m_userItemKeys;
    // Started with Windows: the window goes straight to the notification area.
    bool m_startInTray = false;
    // Dots per inch of the screen: the window and its pictures are drawn for 96 and scaled.
    int m_dpi = 96;
    int Scaled(int pixels) const { return MulDiv(pixels, m_dpi, 96); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    LRESULT OnSysCommand(WPARAM command, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM dc, LPARAM);
    void OnLButtonDown(UINT flags, CPoint point);
    LRESULT OnMove(WPARAM, LPARAM);
    LRESULT OnContextMenu(WPARAM window, LPARAM position);
    void OnSliderReleasedCapture(NMHDR*, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // The run the checked leaves of the tree ask for.
    RunRequest CheckedRequest() const;
    // Whether the user wants the saved passwords of the request shredded; true without any.
    bool PasswordsConfirmed(const RunRequest& request) const;
    // Stores which user-defined items are checked now; they come back checked at the next start.
    void SaveUserItemMarks();

    bool m_shredding = false;
    // The organisation's policy sets the user-defined items: they are its own, and all checked.
    bool m_itemsLocked = false;
};
