// The places that no user-defined item empties unless the user says so: drive roots and shares,
// and the Windows, system, profile, Program Files, Desktop and Documents folders. The program asks
// before it stores such an item; the console program refuses it without an explicit switch.
#pragma once

#include "UserItem.h"

// Whether the item takes every file of such a place: one of its patterns matches every file,
// and its folder is such a place or, with its subfolders, holds one.
bool TakesAWholeProtectedPlace(const UserItem& item);
