// A tree of tri-state check boxes: checking a node checks everything below it, and every node
// above shows whether all, some or none of its children are checked. A fixed node keeps its
// check and those below it: neither a press on it nor a check of a node above changes them.
#pragma once

#include "ImageList.h"
#include "TreeCtrl.h"

enum class CheckAction { Check, Uncheck, Toggle };
enum class ChildrenState { AllChecked, NoneChecked, Mixed, NoChildren };

class CCheckTreeCtrl : public CTreeCtrl {
public:
    // The state images of the nodes.
    enum { Unchecked = 1, Checked = 2, PartlyChecked = 3 };

    BOOL SetCheck(HTREEITEM item, CheckAction action);
    ChildrenState GetChildrenState(HTREEITEM item) const;
    void SetSubtreeState(HTREEITEM item, int state);
    // Gives `node` and every node above it the state its children call for.
    void UpdateFromChildren(HTREEITEM node);
    void SetStateImage(HTREEITEM item, int state);
    int GetStateImage(HTREEITEM item) const;
    // Fixes `item` and everything below it as they are checked now. The item's data holds the mark.
    void Fix(HTREEITEM item);
    bool IsFixed(HTREEITEM item) const;

    // The checked leaves two levels below the root, in tree order; null at the end.
    HTREEITEM GetFirstChecked() const;
    HTREEITEM GetNextChecked(HTREEITEM item) const;

    CImageList m_stateImages;
    CImageList m_itemIcons;

protected:
    void OnLButtonDown(UINT flags, CPoint point);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    LRESULT OnChar(WPARAM character, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    // Toggles the node whose check box lies under the point; false when there is none.
    bool ToggleAt(CPoint point);
    bool HasChecks(HTREEITEM item) const;
    HTREEITEM FirstCheckedChild(HTREEITEM parent, HTREEITEM after) const;
};
