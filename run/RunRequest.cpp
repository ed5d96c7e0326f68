#include "RunRequest.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

bool IsDriveName(const CString& text, const CStringList& driveNames) {
    for (const CString& name : driveNames)
        if (name == text)
            return true;
    return false;
}

const CatalogueEntry* EntryNamed(const CString& category, const CString& text) {
    for (const CategoryInfo& info : kCategories)
        if (category == info.name)
            return FindEntry(info.category, text);
    return nullptr;
}

} // namespace

void AddCheckedLeaf(RunRequest& request, const CString& parent, const CString& text,
                    const CStringList& driveNames) {
    if (IsDriveName(text, driveNames)) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const char colon[] = {letter, ':', '\0'};
            if (text.Find(colon) >= 0) {
                const char root[] = {letter, ':', '\\', '\0'};
                request.driveRoots.AddTail(root);
                request.driveNames.AddTail(text);
                return;
            }
        }
        return;
    }
    if (const CatalogueEntry* entry = EntryNamed(parent, text)) {
        request.selection.flip(size_t(entry->bit));
        return;
    }
    request.userItems.AddTail(text);
}

const CatalogueEntry* const* RunOrder() {
    static const std::array<const CatalogueEntry*, kCatalogueSize> order = [] {
        std::array<const CatalogueEntry*, kCatalogueSize> entries;
        for (int i = 0; i < kCatalogueSize; ++i)
            entries[size_t(i)] = &kCatalogue[i];
        std::sort(entries.begin(), entries.end(),
                  [](const CatalogueEntry* a, const CatalogueEntry* b) { return a->run < b->run; });
        return entries;
    }();
    return order.data();
}
