#include "CleanerDlg.h"

#include "AboutDlg.h"
#include "CatalogueTree.h"
#include "Hyperlink.h"
#include "KeepDlg.h"
#include "Menu.h"
#include "Policy.h"
#include "PreviewDlg.h"
#include "Product.h"
#include "RunPreview.h"
#include "RunRequest.h"
#include "ShredDlg.h"
#include "SoleRun.h"
#include "StoredRun.h"
#include "StoredSettings.h"
#include "UserDefineDlg.h"
#include "WinApp.h"
#include "layout.h"
#include "resource.h"

#include <windowsx.h>

namespace {

constexpr UINT kAboutCommand = 16;
constexpr char kWebSite[] = "https://www.norvexa.example/";
constexpr UINT kTrayMessage = WM_APP + 10;
// The icon's menu has entries at positions 0 to 2: no entry is shown in bold.
constexpr UINT kTrayDefaultEntry = 3;
static_assert(ID_APP_EXIT == kAppExitCommand, "the icon's Exit is the framework's exit command");

} // namespace

BEGIN_MESSAGE_MAP(CCleanerDlg, CDialog)
ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_MOVE, OnMove)
ON_BN_CLICKED(IDC_SHRED, OnShredNow)
ON_BN_CLICKED(IDC_USER_DEFINE, OnUserDefine)
ON_BN_CLICKED(IDC_HIDE, OnHide)
ON_BN_CLICKED(IDC_WEB, OnWebSite)
ON_COMMAND(ID_SHRED_NOW, OnTrayShredNow)
ON_COMMAND(ID_PREVIEW, OnPreview)
ON_COMMAND(ID_KEEP_LISTS, OnKeepLists)
ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_METHOD, OnSliderReleasedCapture)
END_MESSAGE_MAP()

CCleanerDlg::CCleanerDlg(CWnd* parent)
    : CDialog(IDD_NV_DIALOG, parent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

void CCleanerDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_METHOD, m_slider);
    DDX_Control(pDX, IDC_USER_DEFINE, m_userDefineButton);
    DDX_Control(pDX, IDC_SHRED, m_shredButton);
    DDX_Control(pDX, IDC_TREE, m_tree);
    DDX_Control(pDX, IDC_WEB, m_webButton);
    DDX_Control(pDX, IDC_HIDE, m_hideButton);
    DDX_Slider(pDX, IDC_METHOD, m_method);
}

BOOL CCleanerDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE)) {
        char about[128] = {};
        if (LoadStringA(AfxGetResourceHandle(), IDS_ABOUTBOX, about, sizeof about) > 0) {
            AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(systemMenu, MF_STRING, kAboutCommand, about);
        }
    }

    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) & ~WS_CAPTION);
    {
        const HDC screen = GetDC(nullptr);
        m_dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    SetWindowPos(m_hWnd, nullptr, 0, 0, Scaled(MAIN_WINDOW_WIDTH), Scaled(MAIN_WINDOW_HEIGHT),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SetWindowText(VX_PRODUCT_TITLE);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // Without a notification area yet (at logon, or under a shell that has none) the icon is
    // added when the taskbar is created; the window works without it meanwhile.
    m_tray.m_targetWnd = this;
    if (m_tray.AddTrayIcon(nullptr, kTrayMessage, VX_PRODUCT_NAME, m_hIcon, IDR_TRAY_MENU))
        m_tray.SetDefaultMenuEntry(kTrayDefaultEntry, true);

    m_background.LoadBitmap(IDB_BACKGROUND);
    m_hideButton.LoadBitmaps(IDB_HIDE_UP, IDB_HIDE_DOWN);
    m_webButton.LoadBitmaps(IDB_WEB_UP, IDB_WEB_DOWN);
    m_shredButton.LoadBitmaps(IDB_SHRED_UP, IDB_SHRED_DOWN);
    m_userDefineButton.LoadBitmaps(IDB_USER_DEFINE_UP, IDB_USER_DEFINE_DOWN);
    ShowLabels();

    m_tree.m_itemIcons.Create(15, 15, ILC_COLOR32, 16, 4);
    m_tree.SetImageList(&m_tree.m_itemIcons, TVSIL_NORMAL);
    m_tree.m_stateImages.Create(IDB_STATE_IMAGES, 13, 1, RGB(255, 255, 255));
    m_tree.SetImageList(&m_tree.m_stateImages, TVSIL_STATE);
    BuildTree();

    m_slider.CreateThumb(IDB_SLIDER_THUMB, 12, 6);
    m_slider.SetChannelBitmaps(IDB_SLIDER_LOWER, IDB_SLIDER_UPPER);
    m_slider.m_thumbMargin = 3;
    m_slider.ScaleTo(m_dpi);
    m_slider.m_cursor = m_slider.m_thumb.m_cursor = m_handCursor.Get();
    m_slider.SetRange(0, 4, FALSE);
    m_slider.SetLineSize(0);
    m_slider.SetPos(50);
    LoadMethod();
    ShowLocks();
    if (m_startInTray && m_tray.IsShown())
        m_tray.HideToTray(this);
    return TRUE;
}

// The labels stand on the background picture in colours of their own.
void CCleanerDlg::ShowLabels() {
    constexpr COLORREF kMethodColour = RGB(68, 182, 5);
    const struct {
        CColourLabel& label;
        int id;
        const char* text;
        COLORREF colour;
    } labels[] = {
        {m_heading, IDC_HEADING, "Select what you want to shred:", RGB(0, 130, 255)},
        {m_methodHeading, IDC_METHOD_HEADING, "Shred Method:", RGB(254, 144, 2)},
        {m_methodNames[0], IDC_METHOD_0, "Peter Gutmann.", kMethodColour},
        {m_methodNames[1], IDC_METHOD_1, "DoD 5200.28-STD.", kMethodColour},
        {m_methodNames[2], IDC_METHOD_2, "DoD 5220.22-M.", kMethodColour},
        {m_methodNames[3], IDC_METHOD_3, "Pseudo-random.", kMethodColour},
        {m_methodNames[4], IDC_METHOD_4, "Zeroes.", kMethodColour},
        {m_policyNote, IDC_POLICY_NOTE, "", RGB(128, 128, 128)},
    };
    for (const auto& entry : labels) {
        entry.label.SubclassDlgItem(entry.id, this);
        entry.label.SetLabelText(entry.text);
        entry.label.SetTextColour(entry.colour);
    }
}

// What the organisation locked stays as its policy sets it: the slider is disabled, the checks
// of the catalogue or of the items are fixed, and a line says what is set.
void CCleanerDlg::ShowLocks() {
    const Policy policy = ReadPolicy();
    m_slider.EnableWindow(!Locked(policy.method));
    m_userDefineButton.EnableWindow(!m_itemsLocked);
    const HTREEITEM root = m_tree.GetRootItem();
    for (HTREEITEM branch = m_tree.GetChildItem(root); branch;
         branch = m_tree.GetNextSiblingItem(branch))
        if (m_tree.GetItemText(branch) == kUserItemsSection ? m_itemsLocked
                                                            : Locked(policy.selection))
            m_tree.Fix(branch);
    if (const std::string locked = LockedSettingsText(policy); !locked.empty()) {
        m_policyNote.m_format = DT_SINGLELINE | DT_END_ELLIPSIS;
        m_policyNote.SetLabelText(("Set by your organisation: " + locked + ".").c_str());
        m_policyNote.Invalidate();
    }
}

void CCleanerDlg::BuildTree() {
    LoadSelection();
    FillCatalogueTree(m_tree, m_selection, m_driveList);
    LoadUserItems(false);
}

// When the items cannot be read, the branch and the lists stay as they are.
void CCleanerDlg::LoadUserItems(bool expand) {
    const auto items = ReadRunUserItems(m_itemsLocked);
    if (!items)
        return;
    m_userItemTexts.RemoveAll();
    m_userItemKeys.RemoveAll();
    for (const StoredUserItem& stored : *items) {
        m_userItemTexts.AddTail(DisplayString(stored.item));
        m_userItemKeys.AddTail(stored.code);
    }
    FillUserDefineBranch(m_tree, *items, expand);
}

void CCleanerDlg::SaveUserItemMarks() {
    const HTREEITEM root = m_tree.GetRootItem();
    HTREEITEM branch = m_tree.GetChildItem(root);
    while (branch && m_tree.GetItemText(branch) != kUserItemsSection)
        branch = m_tree.GetNextSiblingItem(branch);
    HTREEITEM item = branch ? m_tree.GetChildItem(branch) : nullptr;
    for (const CString& code : m_userItemKeys) {
        MarkUserItem(code, item && m_tree.GetStateImage(item) == CCheckTreeCtrl::Checked);
        item = item ? m_tree.GetNextSiblingItem(item) : nullptr;
    }
}

// Parked only where the icon can bring the window back; otherwise it goes to the taskbar.
void CCleanerDlg::OnHide() {
    if (m_tray.IsShown())
        m_tray.HideToTray(this);
    else
        ShowWindow(SW_MINIMIZE);
}

void CCleanerDlg::OnWebSite() {
    OpenHyperlink(kWebSite, SW_SHOW);
}

void CCleanerDlg::OnTrayShredNow() {
    m_tray.RestoreFromTray(this);
    OnShredNow();
}

// The list dialog writes each change at once; the tree follows when it closes after a change.
void CCleanerDlg::OnUserDefine() {
    if (m_shredding || m_itemsLocked)
        return;
    CUserDefineDlg dialog;
    dialog.DoModal();
    if (dialog.m_modified)
        LoadUserItems(true);
}

void CCleanerDlg::LoadSelection() {
    m_selection = ReadStoredSelection();
}

void CCleanerDlg::SaveSelection() {
    WriteStoredSelection(m_selection);
}

// The slider shows the stored method once, as the window opens; from then on the slider is the
// method, which a shred run takes with it and stores.
void CCleanerDlg::LoadMethod() {
    m_method = int(ReadStoredMethod());
    UpdateData(FALSE);
}

EraseMethod CCleanerDlg::SliderMethod() const {
    return m_method >= 0 && m_method < 4 ? EraseMethod(m_method) : EraseMethod::Zeroes;
}

// One run at a time: the progress dialog disables this window, and a command that still
// arrives (a posted click, the icon's menu) while it is up is ignored.
void CCleanerDlg::OnShredNow() {
    if (m_shredding)
        return;
    UpdateData(TRUE);
    WriteStoredMethod(SliderMethod());

    const RunRequest request = CheckedRequest();
    m_selection = request.selection;
    m_driveRoots = request.driveRoots;
    m_driveNames = request.driveNames;
    m_userItems = request.userItems;
    SaveSelection();
    SaveUserItemMarks();

    if (request.IsEmpty()) {
        MessageBoxA(m_hWnd, "Please select some items.", VX_PRODUCT_NAME,
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!PasswordsConfirmed(request))
        return;
    const SoleRun sole;
    if (!sole.Alone()) {
        MessageBoxA(m_hWnd,
                    "Another shred run is going on, perhaps a scheduled one. Please shred again "
                    "when it has ended.",
                    VX_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CShredDlg dialog;
    dialog.m_request = request;
    dialog.m_method = SliderMethod();
    m_shredding = true;
    dialog.DoModal();
    m_shredding = false;
}

// Saved passwords go only when the user says so, each time.
bool CCleanerDlg::PasswordsConfirmed(const RunRequest& request) const {
    CString browsers;
    for (const CatalogueEntry& entry : kCatalogue)
        if (NeedsConfirmation(entry) && request.selection.test(size_t(entry.bit)))
            browsers += (browsers.IsEmpty() ? "" : ", ") + CString(CategoryName(entry.category));
    if (browsers.IsEmpty())
        return true;
    CString question;
    question.Format("The passwords that %s keeps for web sites will be erased, and you will "
                    "have to type them again.\n\nShred the saved passwords?",
                    static_cast<const char*>(browsers));
    return MessageBoxA(m_hWnd, question, VX_PRODUCT_NAME,
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

RunRequest CCleanerDlg::CheckedRequest() const {
    RunRequest request;
    for (HTREEITEM leaf = m_tree.GetFirstChecked(); leaf; leaf = m_tree.GetNextChecked(leaf))
        AddCheckedLeaf(request, m_tree.GetItemText(m_tree.GetParentItem(leaf)),
                       m_tree.GetItemText(leaf), m_driveList);
    return request;
}

// The preview runs on this thread: it only reads, and the window waits for it as for a dialog.
// Shred in the report starts the run of the same checked items.
void CCleanerDlg::OnPreview() {
    if (m_shredding)
        return;
    const RunRequest request = CheckedRequest();
    if (request.IsEmpty()) {
        MessageBoxA(m_hWnd, "Please select some items.", VX_PRODUCT_NAME,
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const RunPreview preview = PreviewRun(request);
    SetCursor(previous);
    CPreviewDlg report(preview);
    if (report.DoModal() == IDOK)
        OnShredNow();
}

void CCleanerDlg::OnKeepLists() {
    if (m_shredding)
        return;
    CKeepDlg dialog(this);
    dialog.DoModal();
}

// The tree's menu, at the cursor, or below the selected item when the keyboard asked for it.
LRESULT CCleanerDlg::OnContextMenu(WPARAM window, LPARAM position) {
    if (HWND(window) != m_tree.m_hWnd || m_shredding)
        return Default();
    POINT at = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    RECT item;
    if (position == LPARAM(-1)) {
        const HTREEITEM selected = m_tree.GetSelectedItem();
        at = selected && m_tree.GetItemRect(selected, &item, TRUE) ? POINT{item.left, item.bottom}
                                                                   : POINT{0, 0};
        ClientToScreen(m_tree.m_hWnd, &at);
    }
    CMenu menu;
    if (menu.LoadMenu(IDR_TREE_MENU))
        TrackPopupMenu(menu.GetSubMenu(0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd,
                       nullptr);
    return 0;
}

// Enter and Escape end the program, but never under a running shred.
void CCleanerDlg::OnOK() {
    if (!m_shredding)
        CDialog::OnOK();
}

void CCleanerDlg::OnCancel() {
    if (!m_shredding)
        CDialog::OnCancel();
}

LRESULT CCleanerDlg::OnSysCommand(WPARAM command, LPARAM) {
    if ((command & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
        return 0;
    }
    return Default();
}

LRESULT CCleanerDlg::OnPaint(WPARAM, LPARAM) {
    if (!IsIconic(m_hWnd))
        return Default();
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, WPARAM(dc.GetSafeHdc()));
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return 0;
}

LRESULT CCleanerDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return LRESULT(m_hIcon);
}

// The background picture is drawn for 96 dots per inch and stretched for more.
LRESULT CCleanerDlg::OnEraseBkgnd(WPARAM dc, LPARAM) {
    if (!m_background.GetSafeHandle())
        return Default();
    CRect client;
    GetClientRect(&client);
    CDC target(reinterpret_cast<HDC>(dc));
    CMemoryDC source(target.GetSafeHdc());
    ScopedSelectObject select(source.GetSafeHdc(), m_background.GetSafeHandle());
    SetStretchBltMode(target.GetSafeHdc(), HALFTONE);
    StretchBlt(target.GetSafeHdc(), 0, 0, client.Width(), client.Height(), source.GetSafeHdc(), 0,
               0, MulDiv(client.Width(), 96, m_dpi), MulDiv(client.Height(), 96, m_dpi), SRCCOPY);
    return TRUE;
}

// The band at the top stands in for the missing caption: pressing there drags the window.
void CCleanerDlg::OnLButtonDown(UINT, CPoint point) {
    if (point.y > Scaled(DRAG_BAND_HEIGHT)) {
        Default();
        return;
    }
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

// Nudges the tree by a pixel and back, so that it repaints fully after the window moved.
LRESULT CCleanerDlg::OnMove(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (!m_tree.m_hWnd)
        return result;
    RECT rect;
    m_tree.GetWindowRect(&rect);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    MoveWindow(m_tree.m_hWnd, rect.left + 1, rect.top, rect.right - rect.left - 1,
               rect.bottom - rect.top, TRUE);
    MoveWindow(m_tree.m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               TRUE);
    return result;
}

void CCleanerDlg::OnSliderReleasedCapture(NMHDR*, LRESULT* result) {
    UpdateData(TRUE);
    *result = 0;
}
