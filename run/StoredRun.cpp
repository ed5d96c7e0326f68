#include "StoredRun.h"

#include "Catalogue.h"
#include "Policy.h"

CProfile ProgramSettings() {
    return CProfile(kSettingsKey);
}

namespace {

bool AnySelectionStored(const CProfile& settings) {
    for (const char* value : kSelectionValues)
        if (settings.FindInt("", value))
            return true;
    return false;
}

} // namespace

SelectionMask ReadStoredSelection() {
    const Policy policy = ReadPolicy();
    const CProfile settings = ProgramSettings();
    if (policy.selection && (policy.selection->locked || !AnySelectionStored(settings)))
        return policy.selection->value;
    SelectionMask unchecked;
    for (const CatalogueEntry& entry : kCatalogue)
        if (NeedsConfirmation(entry))
            unchecked.set(size_t(entry.bit));
    const StoredSelection defaults = PackSelection(~unchecked);
    StoredSelection values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = settings.GetInt("", kSelectionValues[i], int(defaults[i]));
    return UnpackSelection(values);
}

void WriteStoredSelection(const SelectionMask& selection) {
    if (Locked(ReadPolicy().selection))
        return;
    const CProfile settings = ProgramSettings();
    const StoredSelection values = PackSelection(selection);
    for (size_t i = 0; i < values.size(); ++i)
        settings.WriteInt("", kSelectionValues[i], int(values[i]));
}

EraseMethod ReadStoredMethod() {
    const Policy policy = ReadPolicy();
    const std::optional<UINT> stored = ProgramSettings().FindInt("", kMethodValue);
    if (policy.method && (policy.method->locked || !stored))
        return policy.method->value;
    return MethodFromSetting(stored.value_or(kDefaultMethodSetting));
}

void WriteStoredMethod(EraseMethod method) {
    if (Locked(ReadPolicy().method))
        return;
    ProgramSettings().WriteInt("", kMethodValue, int(SettingForMethod(method)));
}
