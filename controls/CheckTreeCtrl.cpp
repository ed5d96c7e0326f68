#include "CheckTreeCtrl.h"

BEGIN_MESSAGE_MAP(CCheckTreeCtrl, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
ON_WM_KEYDOWN()
ON_MESSAGE(WM_CHAR, OnChar)
END_MESSAGE_MAP()

int CCheckTreeCtrl::GetStateImage(HTREEITEM item) const {
    return int(GetItemState(item, TVIS_STATEIMAGEMASK) >> 12);
}

void CCheckTreeCtrl::SetStateImage(HTREEITEM item, int state) {
    SetItemState(item, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
}

namespace {
constexpr LPARAM kFixed = 1;
}

void CCheckTreeCtrl::Fix(HTREEITEM item) {
    SetItemData(item, kFixed);
}

bool CCheckTreeCtrl::IsFixed(HTREEITEM item) const {
    for (; item; item = GetParentItem(item))
        if (GetItemData(item) == kFixed)
            return true;
    return false;
}

void CCheckTreeCtrl::SetSubtreeState(HTREEITEM item, int state) {
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child))
        if (GetItemData(child) != kFixed) {
            SetStateImage(child, state);
            SetSubtreeState(child, state);
        }
}

ChildrenState CCheckTreeCtrl::GetChildrenState(HTREEITEM item) const {
    int children = 0, checked = 0, partly = 0;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        ++children;
        const int state = GetStateImage(child);
        checked += state == Checked;
        partly += state == PartlyChecked;
    }
    if (children == 0)
        return ChildrenState::NoChildren;
    if (checked == children)
        return ChildrenState::AllChecked;
    if (checked == 0 && partly == 0)
        return ChildrenState::NoneChecked;
    return ChildrenState::Mixed;
}

BOOL CCheckTreeCtrl::SetCheck(HTREEITEM item, CheckAction action) {
    if (!item || IsFixed(item))
        return FALSE;
    const int state = GetStateImage(item);
    int next;
    switch (action) {
    case CheckAction::Check:
        if (state == Checked)
            return TRUE;
        next = Checked;
        break;
    case CheckAction::Uncheck:
        if (state != Checked)
            return TRUE;
        next = Unchecked;
        break;
    case CheckAction::Toggle:
    default:
        next = state == Checked ? Unchecked : Checked;
        break;
    }
    SetStateImage(item, next);
    SetSubtreeState(item, next);
    UpdateFromChildren(ItemHasChildren(item) ? item : GetParentItem(item));
    return TRUE;
}

void CCheckTreeCtrl::UpdateFromChildren(HTREEITEM node) {
    for (; node; node = GetParentItem(node)) {
        switch (GetChildrenState(node)) {
        case ChildrenState::AllChecked:
            SetStateImage(node, Checked);
            break;
        case ChildrenState::Mixed:
            SetStateImage(node, PartlyChecked);
            break;
        case ChildrenState::NoneChecked:
        case ChildrenState::NoChildren:
            SetStateImage(node, Unchecked);
            break;
        }
    }
}

bool CCheckTreeCtrl::HasChecks(HTREEITEM item) const {
    const int state = GetStateImage(item);
    return state == Checked || state == PartlyChecked;
}

HTREEITEM CCheckTreeCtrl::FirstCheckedChild(HTREEITEM parent, HTREEITEM after) const {
    for (HTREEITEM child = after ? GetNextSiblingItem(after) : GetChildItem(parent); child;
         child = GetNextSiblingItem(child))
        if (GetStateImage(child) == Checked)
            return child;
    return nullptr;
}

HTREEITEM CCheckTreeCtrl::GetFirstChecked() const {
    const HTREEITEM root = GetRootItem();
    if (!root || !HasChecks(root))
        return nullptr;
    for (HTREEITEM category = GetChildItem(root); category; category = GetNextSiblingItem(category))
        if (HasChecks(category))
            if (HTREEITEM leaf = FirstCheckedChild(category, nullptr))
                return leaf;
    return nullptr;
}

HTREEITEM CCheckTreeCtrl::GetNextChecked(HTREEITEM item) const {
    const HTREEITEM parent = GetParentItem(item);
    if (!parent)
        return nullptr;
    if (HTREEITEM sibling = FirstCheckedChild(parent, item))
        return sibling;
    for (HTREEITEM category = GetNextSiblingItem(parent); category;
         category = GetNextSiblingItem(category))
        if (HasChecks(category))
            if (HTREEITEM leaf = FirstCheckedChild(category, nullptr))
                return leaf;
    return nullptr;
}

bool CCheckTreeCtrl::ToggleAt(CPoint point) {
    UINT flags = 0;
    const HTREEITEM item = HitTest(point, &flags);
    if (!item || !(flags & TVHT_ONITEMSTATEICON))
        return false;
    SetCheck(item, CheckAction::Toggle);
    return true;
}

// A press on a node's check box toggles it and goes no further, so the node is not selected.
void CCheckTreeCtrl::OnLButtonDown(UINT, CPoint point) {
    if (!ToggleAt(point))
        Default();
}

// The control would toggle the box of a double-click by itself, changing the one node without
// its children and parents: the second press toggles here like the first.
LRESULT CCheckTreeCtrl::OnLButtonDblClk(WPARAM, LPARAM lParam) {
    return ToggleAt(CPoint(short(LOWORD(lParam)), short(HIWORD(lParam)))) ? 0 : Default();
}

void CCheckTreeCtrl::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE)
        SetCheck(GetSelectedItem(), CheckAction::Toggle);
    else
        Default();
}

// The tree control toggles its own check boxes on the space character: the toggle above has
// already happened.
LRESULT CCheckTreeCtrl::OnChar(WPARAM character, LPARAM) {
    return character == ' ' ? 0 : Default();
}
