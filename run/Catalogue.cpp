#include "Catalogue.h"

#include "art-ids.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <string>

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

const CatalogueEntry* EntryOfWord(const char* word) {
    const std::string text = word;
    char* end = nullptr;
    const long bit = std::strtol(word, &end, 10);
    const bool number = !text.empty() && *end == '\0';
    const size_t colon = text.find(": ");
    for (const CatalogueEntry& entry : kCatalogue) {
        const bool named =
            colon == std::string::npos
                ? strcasecmp(word, entry.name) == 0
                : strcasecmp(text.substr(0, colon).c_str(), CategoryName(entry.category)) == 0 &&
                      strcasecmp(text.substr(colon + 2).c_str(), entry.name) == 0;
        if (number ? entry.bit == bit : named)
            return &entry;
    }
    return nullptr;
}
