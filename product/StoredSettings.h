// What the program, the engine and the erase component keep in the registry, under
// HKEY_CURRENT_USER\Software\Dravok\nv, and the one rule that reads the erase method from it.
// Needs no system header, so that the rule also builds and is tested natively.
#pragma once

#include "Product.h"

#include <cstdint>
#include <optional>

// The key is Software\<company>\<application>, the application being named after the program.
constexpr char kSettingsCompany[] = VX_COMPANY_NAME;
constexpr char kSettingsKey[] = "Software\\" VX_COMPANY_NAME "\\nv";

// The erase method: 0x80 with one of bits 0 to 4 set.
constexpr char kMethodValue[] = "Setting";
// The check marks of the catalogue, 16 bits of the selection in each: the sixty entries of old
// in the first four, the browsers in the others, which older versions do not read.
constexpr const char* kSelectionValues[6] = {"Data1", "Data2", "Data3", "Data4", "Data5", "Data6"};

// The user-defined items: "Count" is the number of the last item ever added; each item is a
// subkey of "User Define" named by its number in eight digits, with the values below.
constexpr char kUserItemCountValue[] = "Count";
constexpr char kUserItemsSection[] = "User Define";
constexpr char kUserItemFolderValue[] = "Folder";
constexpr char kUserItemPatternsValue[] = "FileName";
constexpr char kUserItemSubfoldersValue[] = "SubFolder";
constexpr char kUserItemSelectedValue[] = "Selected";

// The erasure reports: "Reports" 0 writes none, anything else one for each run; "ReportsKept" is
// how many are kept, from 1 to kMostReportsKept, the oldest going first.
constexpr char kReportsValue[] = "Reports";
constexpr char kReportsKeptValue[] = "ReportsKept";
constexpr unsigned kDefaultReportsKept = 50;
constexpr unsigned kMostReportsKept = 9999;

// In the order of the method slider, top to bottom.
enum class EraseMethod { Gutmann, Dod5200_28Std, Dod5220_22M, PseudoRandom, Zeroes };

constexpr uint32_t kMethodSettings[5] = {0x81, 0x82, 0x84, 0x88, 0x90};
constexpr uint32_t kDefaultMethodSetting = 0x88;

// The method a stored value names: the lowest set bit of bits 0 to 3; none of them means
// zeroes; no readable value means pseudo-random.
constexpr EraseMethod MethodFromSetting(std::optional<uint32_t> setting) {
    if (!setting)
        return EraseMethod::PseudoRandom;
    for (int bit = 0; bit < 4; ++bit)
        if (*setting & (1u << bit))
            return EraseMethod(bit);
    return EraseMethod::Zeroes;
}

constexpr uint32_t SettingForMethod(EraseMethod method) {
    return kMethodSettings[int(method)];
}

// The short names of the methods, as nvc takes them and as a policy names them.
constexpr const char* kMethodShortNames[5] = {"gutmann", "dod7", "dod3", "random", "zero"};

// The method of a short name, any case.
inline std::optional<EraseMethod> MethodNamed(const char* name) {
    for (int i = 0; i < 5; ++i) {
        const char* known = kMethodShortNames[i];
        size_t at = 0;
        while (known[at] &&
               (name[at] >= 'A' && name[at] <= 'Z' ? name[at] + 32 : name[at]) == known[at])
            ++at;
        if (!known[at] && !name[at])
            return EraseMethod(i);
    }
    return std::nullopt;
}
