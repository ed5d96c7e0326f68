// What the program keeps for its next run and what a run may take, read the same way by the
// main window and by the console program.
#pragma once

#include "Selection.h"

// The check marks stored in the application's profile; a missing value checks all sixteen
// entries of its bits.
SelectionMask ReadStoredSelection();
void WriteStoredSelection(SelectionMask selection);

// A drive whose free space a run may wipe: removable, fixed or RAM.
bool IsWipeableDrive(const char* root);
