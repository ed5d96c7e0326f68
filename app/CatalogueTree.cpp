// The main window's catalogue tree: drives, the four fixed categories and their entries, and
// the check marks kept from one start to the next.
#include "CleanerDlg.h"
#include "StoredSettings.h"
#include "WinApp.h"
#include "art-ids.h"

#include <shellapi.h>

namespace {

bool IsEligibleDrive(UINT type) {
    return type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

} // namespace

HTREEITEM CCleanerDlg::InsertItemWithIconRes(HTREEITEM parent, const char* text, UINT iconId) {
    const IconHandle icon(static_cast<HICON>(LoadImageA(
        AfxGetResourceHandle(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    return InsertItemWithIcon(parent, text, icon.Get());
}

HTREEITEM CCleanerDlg::InsertItemWithIcon(HTREEITEM parent, const char* text, HICON icon) {
    const int image = m_tree.m_itemIcons.Add(icon);
    return m_tree.InsertItem(text, image, image, parent ? parent : TVI_ROOT, TVI_LAST);
}

// A drive the shell cannot name is shown by its root path.
void CCleanerDlg::AddDrives(HTREEITEM root) {
    const DWORD drives = GetLogicalDrives();
    if (!drives)
        return;
    const HTREEITEM unused = InsertItemWithIconRes(root, "Unused Space", IDI_UNUSED_SPACE);
    m_tree.SetStateImage(unused, CCheckTreeCtrl::Unchecked);
    for (int letter = 0; letter < 26; ++letter) {
        if (!(drives & (1u << letter)))
            continue;
        const char path[] = {char('A' + letter), ':', '\\', '\0'};
        if (!IsEligibleDrive(GetDriveTypeA(path)))
            continue;
        SHFILEINFOA info = {};
        SHGetFileInfoA(path, 0, &info, sizeof info,
                       SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON);
        const IconHandle icon(info.hIcon);
        const char* name = info.szDisplayName[0] ? info.szDisplayName : path;
        const HTREEITEM drive = icon ? InsertItemWithIcon(unused, name, icon.Get())
                                     : InsertItemWithIconRes(unused, name, IDI_UNUSED_SPACE);
        m_tree.SetStateImage(drive, CCheckTreeCtrl::Unchecked);
        m_driveList.AddTail(name);
    }
}

void CCleanerDlg::BuildTree() {
    LoadSelection();
    const HTREEITEM root = InsertItemWithIconRes(nullptr, "My Computer", IDI_MY_COMPUTER);
    m_driveList.RemoveAll();
    AddDrives(root);
    for (const CategoryInfo& category : kCategories) {
        const HTREEITEM node = InsertItemWithIconRes(root, category.name, category.icon);
        for (const CatalogueEntry& entry : kCatalogue) {
            if (entry.category != category.category)
                continue;
            const HTREEITEM item = InsertItemWithIconRes(node, entry.name, entry.icon);
            if (m_selection & (SelectionMask(1) << entry.bit))
                m_tree.SetCheck(item, CheckAction::Check);
        }
        const ChildrenState state = m_tree.GetChildrenState(node);
        if (state == ChildrenState::AllChecked || state == ChildrenState::Mixed)
            m_tree.Expand(node, TVE_EXPAND);
    }
    m_tree.Expand(root, TVE_EXPAND);
}

// Each value holds 16 bits of the selection; anything outside 0 to 65535 is cut to its low 16
// bits, so that a damaged value cannot spill into the bits of the others.
void CCleanerDlg::LoadSelection() {
    m_selection = 0;
    for (int i = 3; i >= 0; --i) {
        const UINT value = AfxGetApp()->GetProfileInt("", kSelectionValues[i], 65535);
        m_selection = (m_selection << 16) | (value & 0xFFFF);
    }
}

void CCleanerDlg::SaveSelection() {
    for (int i = 0; i < 4; ++i)
        AfxGetApp()->WriteProfileInt("", kSelectionValues[i],
                                     int((m_selection >> (16 * i)) & 0xFFFF));
}
