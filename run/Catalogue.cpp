#include "Catalogue.h"

#include "art-ids.h"

#include <cstring>

const CatalogueEntry kCatalogue[kCatalogueSize] = {
#define CATALOGUE_ENTRY(category, name, bit, icon, member, run)                                    \
    {Category::category, name, bit, icon, run},
#include "CatalogueEntries.inc"
#undef CATALOGUE_ENTRY
};

const CategoryInfo kCategories[kCategoryCount] = {
    {Category::Windows, "Microsoft Windows", IDI_WINDOWS},
    {Category::InternetExplorer, "Microsoft Internet Explorer", IDI_INTERNET_EXPLORER},
    {Category::Office, "Microsoft Office", IDI_OFFICE},
    {Category::Applications, "Application Program", IDI_APPLICATIONS},
    {Category::Chrome, "Google Chrome", IDI_CHROME},
    {Category::Edge, "Microsoft Edge", IDI_EDGE},
    {Category::Firefox, "Mozilla Firefox", IDI_FIREFOX},
};

const CatalogueEntry* FindEntry(Category category, const char* name) {
    for (const CatalogueEntry& entry : kCatalogue)
        if (entry.category == category && std::strcmp(entry.name, name) == 0)
            return &entry;
    return nullptr;
}

const char* CategoryName(Category category) {
    return kCategories[int(category)].name;
}

bool NeedsConfirmation(const CatalogueEntry& entry) {
    return std::strcmp(entry.name, "Saved Passwords") == 0;
}
