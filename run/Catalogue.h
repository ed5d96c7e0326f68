// Every fixed trace source the program offers: its category, its name in the tree (which is
// also how a checked leaf is recognised), its bit in the stored selection, its icon and its place
// in the order of a shred run. The engine member of each entry is in CatalogueMembers.h.
#pragma once

enum class Category { Windows, InternetExplorer, Office, Applications, Chrome, Edge, Firefox };

struct CatalogueEntry {
    Category category;
    const char* name;
    int bit;
    int icon;
    int run;
};

constexpr int kCatalogueSize = 78;

// In tree order: categories in the order of Category, entries in their order within it.
extern const CatalogueEntry kCatalogue[kCatalogueSize];

struct CategoryInfo {
    Category category;
    const char* name;
    int icon;
};

constexpr int kCategoryCount = 7;
extern const CategoryInfo kCategories[kCategoryCount];

// The entry named `name` within `category`, or null.
const CatalogueEntry* FindEntry(Category category, const char* name);
const char* CategoryName(Category category);
// An entry as a person names it: by its bit, by "Category: Name" as nvc list shows it, or by its
// name alone, which names the first entry of that name (Internet Explorer's before the
// browsers'); any case. Null when none is named.
const CatalogueEntry* EntryOfWord(const char* word);

// Entries that remove what the user may want to keep (saved passwords): never checked unless
// the user checked them, and confirmed before a run that includes them.
bool NeedsConfirmation(const CatalogueEntry& entry);
