#include "StoredRun.h"

#include "Catalogue.h"

CProfile ProgramSettings() {
    return CProfile(kSettingsKey);
}

// A missing value checks every entry of its bits, but for those that need a confirmation.
SelectionMask ReadStoredSelection() {
    SelectionMask unchecked;
    for (const CatalogueEntry& entry : kCatalogue)
        if (NeedsConfirmation(entry))
            unchecked.set(size_t(entry.bit));
    const StoredSelection defaults = PackSelection(~unchecked);
    const CProfile settings = ProgramSettings();
    StoredSelection values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = settings.GetInt("", kSelectionValues[i], int(defaults[i]));
    return UnpackSelection(values);
}

void WriteStoredSelection(const SelectionMask& selection) {
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
