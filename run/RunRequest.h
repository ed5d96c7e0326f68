// What a shred run removes: catalogue entries by their bits, the free space of drives, and the
// user-defined items by their display strings.
#pragma once

#include "Catalogue.h"
#include "Selection.h"
#include "StringList.h"

struct RunRequest {
    SelectionMask selection;
    CStringList driveRoots;
    CStringList driveNames;
    CStringList userItems;

    bool IsEmpty() const { return selection.none() && driveRoots.IsEmpty() && userItems.IsEmpty(); }
};

// Sorts one checked leaf of the tree, below the node `parent`, into the request: a drive when
// the text is one of `driveNames` (its root is the first letter A to Z that stands before a
// colon in the text; none, and the leaf adds nothing), a catalogue entry when the parent is a
// category that has an entry of that name, and otherwise a user-defined item.
void AddCheckedLeaf(RunRequest& request, const CString& parent, const CString& text,
                    const CStringList& driveNames);

// The catalogue in the order of a shred run.
const CatalogueEntry* const* RunOrder();
