// What an organisation sets through Group Policy, under Software\Policies\Dravok\nv of the
// machine and of the user: a value in that key is locked, and the same value under its
// "Recommended" subkey is a default the user may change. For each setting the machine's lock
// comes first, then the user's lock, the machine's default and the user's default. A value of
// another type, out of range or naming nothing the program knows is no setting at all.
#pragma once

#include "Selection.h"
#include "StoredSettings.h"

#include <optional>
#include <string>
#include <vector>

template <class T> struct Ruled {
    T value;
    // Set by a lock: the user's own stored value does not count.
    bool locked = false;
};

template <class T> bool Locked(const std::optional<Ruled<T>>& setting) {
    return setting && setting->locked;
}

struct Policy {
    // "Method": the short name nvc takes (gutmann, dod7, dod3, random, zero).
    std::optional<Ruled<EraseMethod>> method;
    // "Selection": a list of catalogue entries as nvc names them; the checked entries.
    std::optional<Ruled<SelectionMask>> selection;
    // "Items": a list of user-defined items by their display strings (in the program's ANSI
    // text), each one that may run; they take the place of the user's own.
    std::optional<Ruled<std::vector<std::string>>> items;
    // "Keep\Sites" and "Keep\Places": lists of kept sites and places, as the keep lists hold them.
    std::optional<Ruled<std::vector<std::string>>> keptSites;
    std::optional<Ruled<std::vector<std::string>>> keptPlaces;
    // "Reports" (0 or 1) and "ReportsKept" (1 to 9999), numbers.
    std::optional<Ruled<bool>> reports;
    std::optional<Ruled<unsigned>> reportsKept;
    // "ReportFolder": the folder of reports as set, before %COMPUTERNAME% and the like are
    // expanded; the user has no setting of it.
    std::optional<std::wstring> reportFolder;
};

Policy ReadPolicy();

// What a lock sets, for the user's eyes: "shred method", "checked entries" and so on, joined
// with commas; empty when nothing is locked.
std::string LockedSettingsText(const Policy& policy);
