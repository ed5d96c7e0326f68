// The drives whose free space a run may wipe: fixed, removable and RAM drives, never a network,
// optical or unknown one. The tree offers only these, nvc refuses the others, and the erase
// component wipes no other.
#pragma once

#include <windows.h>

// `root` is a drive root such as "C:\".
inline bool IsWipeableDrive(const char* root) {
    const UINT type = GetDriveTypeA(root);
    return type == DRIVE_FIXED || type == DRIVE_REMOVABLE || type == DRIVE_RAMDISK;
}
