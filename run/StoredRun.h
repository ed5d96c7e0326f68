// What the program keeps for its next run, read and written the same way by the main window and
// by the console program: the check marks, and the erase method the slider shows.
#pragma once

#include "Profile.h"
#include "Selection.h"
#include "StoredSettings.h"
#include "WipeableDrive.h"

// The program's settings key, HKEY_CURRENT_USER\Software\Dravok\nv.
CProfile ProgramSettings();

// The check marks; a missing value checks the entries of its bits, but for saved passwords.
SelectionMask ReadStoredSelection();
void WriteStoredSelection(const SelectionMask& selection);

// The stored "Setting", read by the rule of MethodFromSetting; a missing value is pseudo-random.
EraseMethod ReadStoredMethod();
void WriteStoredMethod(EraseMethod method);
