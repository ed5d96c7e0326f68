#include "StoredRun.h"

CProfile ProgramSettings() {
    return CProfile(kSettingsKey);
}

SelectionMask ReadStoredSelection() {
    const CProfile settings = ProgramSettings();
    StoredSelection values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = settings.GetInt("", kSelectionValues[i], 65535);
    return UnpackSelection(values);
}

void WriteStoredSelection(SelectionMask selection) {
    const CProfile settings = ProgramSettings();
    const StoredSelection values = PackSelection(selection);
    for (size_t i = 0; i < values.size(); ++i)
        settings.WriteInt("", kSelectionValues[i], int(values[i]));
}

EraseMethod ReadStoredMethod() {
    return MethodFromSetting(ProgramSettings().GetInt("", kMethodValue, kDefaultMethodSetting));
}

void WriteStoredMethod(EraseMethod method) {
    ProgramSettings().WriteInt("", kMethodValue, int(SettingForMethod(method)));
}
