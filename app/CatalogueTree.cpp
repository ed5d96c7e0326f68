#include "CatalogueTree.h"

#include "Catalogue.h"
#include "CatalogueMembers.h"
#include "StoredRun.h"
#include "StoredSettings.h"
#include "WinApp.h"
#include "WindowHandle.h"
#include "art-ids.h"

#include <shellapi.h>

namespace {

// A drive the shell cannot name is shown by its root path.
void AddDrives(CCheckTreeCtrl& tree, HTREEITEM root, CStringList& drives) {
    const DWORD present = GetLogicalDrives();
    if (!present)
        return;
    const HTREEITEM unused = InsertItemWithIconRes(tree, root, "Unused Space", IDI_UNUSED_SPACE);
    tree.SetStateImage(unused, CCheckTreeCtrl::Unchecked);
    for (int letter = 0; letter < 26; ++letter) {
        if (!(present & (1u << letter)))
            continue;
        const char path[] = {char('A' + letter), ':', '\\', '\0'};
        if (!IsWipeableDrive(path))
            continue;
        SHFILEINFOA info = {};
        SHGetFileInfoA(path, 0, &info, sizeof info,
                       SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON);
        const IconHandle icon(info.hIcon);
        const char* name = info.szDisplayName[0] ? info.szDisplayName : path;
        const HTREEITEM drive = icon ? InsertItemWithIcon(tree, unused, name, icon.Get())
                                     : InsertItemWithIconRes(tree, unused, name, IDI_UNUSED_SPACE);
        tree.SetStateImage(drive, CCheckTreeCtrl::Unchecked);
        drives.AddTail(name);
    }
}

} // namespace

HTREEITEM InsertItemWithIcon(CCheckTreeCtrl& tree, HTREEITEM parent, const char* text, HICON icon) {
    const int image = tree.m_itemIcons.Add(icon);
    return tree.InsertItem(text, image, image, parent ? parent : TVI_ROOT, TVI_LAST);
}

HTREEITEM InsertItemWithIconRes(CCheckTreeCtrl& tree, HTREEITEM parent, const char* text,
                                UINT iconId) {
    const IconHandle icon(static_cast<HICON>(LoadImageA(
        AfxGetResourceHandle(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    return InsertItemWithIcon(tree, parent, text, icon.Get());
}

void FillCatalogueTree(CCheckTreeCtrl& tree, const SelectionMask& selection, CStringList& drives) {
    const HTREEITEM root = InsertItemWithIconRes(tree, nullptr, "My Computer", IDI_MY_COMPUTER);
    drives.RemoveAll();
    AddDrives(tree, root, drives);
    for (const CategoryInfo& category : kCategories) {
        if (!IsPresent(category.category))
            continue;
        const HTREEITEM node = InsertItemWithIconRes(tree, root, category.name, category.icon);
        for (const CatalogueEntry& entry : kCatalogue) {
            if (entry.category != category.category)
                continue;
            const HTREEITEM item = InsertItemWithIconRes(tree, node, entry.name, entry.icon);
            if (selection.test(size_t(entry.bit)))
                tree.SetCheck(item, CheckAction::Check);
        }
        const ChildrenState state = tree.GetChildrenState(node);
        if (state == ChildrenState::AllChecked || state == ChildrenState::Mixed)
            tree.Expand(node, TVE_EXPAND);
    }
    tree.Expand(root, TVE_EXPAND);
}

void FillUserDefineBranch(CCheckTreeCtrl& tree, const std::vector<StoredUserItem>& items,
                          bool expand) {
    const HTREEITEM root = tree.GetRootItem();
    for (HTREEITEM node = tree.GetChildItem(root); node; node = tree.GetNextSiblingItem(node))
        if (tree.GetItemText(node) == kUserItemsSection) {
            tree.DeleteItem(node);
            break;
        }
    if (items.empty()) {
        tree.UpdateFromChildren(root);
        return;
    }
    const HTREEITEM branch = InsertItemWithIconRes(tree, root, kUserItemsSection, IDI_USER_DEFINE);
    tree.SetStateImage(branch, CCheckTreeCtrl::Unchecked);
    bool anyChecked = false;
    for (const StoredUserItem& stored : items) {
        const HTREEITEM item =
            InsertItemWithIconRes(tree, branch, DisplayString(stored.item), IDI_USER_ITEM);
        tree.SetStateImage(item, CCheckTreeCtrl::Unchecked);
        if (stored.selected) {
            tree.SetCheck(item, CheckAction::Check);
            anyChecked = true;
        }
    }
    tree.UpdateFromChildren(branch);
    if (expand || anyChecked)
        tree.Expand(branch, TVE_EXPAND);
}
