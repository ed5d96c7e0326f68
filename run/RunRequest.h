// What a shred run removes: catalogue entries by their bits, the free space of drives, and the
// user-defined items by their display strings.
#pragma once

#include "Catalogue.h"
#include "Selection.h"
#include "StringList.h"

struct RunRequest {
    SelectionMask selection = 0;
    CStringList driveRoots;
    CStringList driveNames;
    CStringList userItems;

    bool IsEmpty() const { return selection == 0 && driveRoots.IsEmpty() && userItems.IsEmpty(); }
};

// Sorts one checked leaf of the tree into the request: a drive when the text is one of
// `driveNames` (its root is the first letter A to Z that stands before a colon in the text;
// none, and the leaf adds nothing), a catalogue entry when it is an entry's name, and otherwise
// a user-defined item.
void AddCheckedLeaf(RunRequest& request, const CString& text, const CStringList& driveNames);

// The catalogue in the order of a shred run.
const CatalogueEntry* const* RunOrder();
