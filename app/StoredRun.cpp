#include "StoredRun.h"

#include "StoredSettings.h"
#include "WinApp.h"

SelectionMask ReadStoredSelection() {
    StoredSelection values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = AfxGetApp()->GetProfileInt("", kSelectionValues[i], 65535);
    return UnpackSelection(values);
}

void WriteStoredSelection(SelectionMask selection) {
    const StoredSelection values = PackSelection(selection);
    for (size_t i = 0; i < values.size(); ++i)
        AfxGetApp()->WriteProfileInt("", kSelectionValues[i], int(values[i]));
}

bool IsWipeableDrive(const char* root) {
    const UINT type = GetDriveTypeA(root);
    return type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}
