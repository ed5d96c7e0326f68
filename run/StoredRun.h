// What the program keeps for its next run, read and written the same way by the main window and
// by the console program: the check marks, and the erase method the slider shows. Each is read
// as the organisation's policy rules it: its lock, else the user's stored value, else its
// default; a locked setting is never written, so that the user's own comes back with the lock.
#pragma once

#include "Profile.h"
#include "Selection.h"
#include "StoredSettings.h"
#include "WipeableDrive.h"

// The program's settings key, HKEY_CURRENT_USER\Software\Dravok\nv.
CProfile ProgramSettings();

// The check marks; where the user stored none and no policy gives them, every entry but saved
// passwords is checked, and a missing value of later entries checks them the same way.
SelectionMask ReadStoredSelection();
void WriteStoredSelection(const SelectionMask& selection);

// The stored "Setting", read by the rule of MethodFromSetting; without it and without a policy,
// pseudo-random.
EraseMethod ReadStoredMethod();
void WriteStoredMethod(EraseMethod method);
