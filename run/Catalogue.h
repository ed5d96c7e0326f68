// Every fixed trace source the program offers: its category, its name in the tree (which is
// also how a checked leaf is recognised), its bit in the stored selection, its icon and its place
// in the order of a shred run. The engine member of each entry is in CatalogueMembers.h.
#pragma once

enum class Category { Windows, InternetExplorer, Office, Applications };

struct CatalogueEntry {
    Category category;
    const char* name;
    int bit;
    int icon;
    int run;
};

constexpr int kCatalogueSize = 60;

// In tree order: categories in the order of Category, entries in their order within it.
extern const CatalogueEntry kCatalogue[kCatalogueSize];

struct CategoryInfo {
    Category category;
    const char* name;
    int icon;
};

extern const CategoryInfo kCategories[4];

// The entry named `name` within `category`, or null.
const CatalogueEntry* FindEntry(Category category, const char* name);
const char* CategoryName(Category category);
