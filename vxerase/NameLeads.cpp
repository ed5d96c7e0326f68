#include "NameLeads.h"

#include <windows.h>

#include <algorithm>

namespace {

// Sorts after the capitals and digits, so that a name whose character in that place is one of
// them sorts before the lead. A lead grows past every other character, which keeps the two
// halves of a character outside the basic plane together.
constexpr wchar_t kAfter = L'Z';
// Sorts before any other character a name may hold but the blank: what follows a name that the
// next begins with.
constexpr wchar_t kBetween = L'!';

size_t SharedLength(const std::wstring& a, const std::wstring& b) {
    const size_t most = std::min(a.size(), b.size());
    return size_t(std::mismatch(a.begin(), a.begin() + most, b.begin()).first - a.begin());
}

// A name as the index compares names: in capitals.
std::wstring IndexCase(std::wstring name) {
    CharUpperBuffW(name.data(), DWORD(name.size()));
    return name;
}

} // namespace

std::vector<NameLead> ListedLeads(std::vector<IndexName> listed) {
    for (IndexName& entry : listed)
        entry.name = IndexCase(std::move(entry.name));
    const auto byName = [](const IndexName& a, const IndexName& b) { return a.name < b.name; };
    if (!std::is_sorted(listed.begin(), listed.end(), byName))
        return {};
    std::vector<NameLead> leads;
    leads.reserve(listed.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        const std::wstring& name = listed[i].name;
        size_t shared = i > 0 ? SharedLength(listed[i - 1].name, name) : 0;
        if (i + 1 < listed.size())
            shared = std::max(shared, SharedLength(name, listed[i + 1].name));
        size_t length = std::min(shared + 1, name.size());
        while (length < name.size() && name[length] >= kAfter)
            ++length;
        const bool beginsNext = length == name.size() && i + 1 < listed.size() &&
                                listed[i + 1].name.compare(0, length, name) == 0;
        leads.push_back(
            {name.substr(0, length) + (beginsNext ? kBetween : kAfter), listed[i].bytes});
    }
    return leads;
}
