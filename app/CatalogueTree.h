// The main window's catalogue tree: drives, the four fixed categories and their entries.
#pragma once

#include "CheckTreeCtrl.h"
#include "Selection.h"
#include "StringList.h"
#include "UserItemStore.h"

#include <vector>

HTREEITEM InsertItemWithIcon(CCheckTreeCtrl& tree, HTREEITEM parent, const char* text, HICON icon);
HTREEITEM InsertItemWithIconRes(CCheckTreeCtrl& tree, HTREEITEM parent, const char* text,
                                UINT iconId);

// Fills the empty `tree` under "My Computer": "Unused Space" with the removable, fixed and RAM
// drives (their names added to `drives` in tree order), then each category with its entries,
// those of `selection` checked and categories with a checked entry expanded.
void FillCatalogueTree(CCheckTreeCtrl& tree, const SelectionMask& selection, CStringList& drives);

// Replaces the "User Define" branch, the last under the root, with the items in their order,
// checking those stored as selected; no items, no branch. The branch is expanded when `expand`
// is set or when an item is checked.
void FillUserDefineBranch(CCheckTreeCtrl& tree, const std::vector<StoredUserItem>& items,
                          bool expand);
