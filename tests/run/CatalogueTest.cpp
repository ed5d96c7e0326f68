// The catalogue table: one entry per bit, a complete run order, and the two places where the
// tree and the run order differ.
#include "Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

// The sixty entries of old keep bits 0 to 59, which older versions store; the browsers' bits
// begin at 64, in stored values of their own.
TEST(Catalogue, OneBitEachAndARunOrderThatIsAPermutation) {
    std::set<int> bits, runs, icons, oldBits;
    std::set<std::string> names;
    for (const CatalogueEntry& entry : kCatalogue) {
        bits.insert(entry.bit);
        runs.insert(entry.run);
        icons.insert(entry.icon);
        names.insert(std::string(CategoryName(entry.category)) + ": " + entry.name);
        if (entry.category <= Category::Applications)
            oldBits.insert(entry.bit);
        else
            EXPECT_GE(entry.bit, 64) << entry.name;
    }
    EXPECT_EQ(bits.size(), size_t(kCatalogueSize));
    EXPECT_EQ(oldBits.size(), 60u);
    EXPECT_EQ(*oldBits.rbegin(), 59);
    EXPECT_LT(*bits.rbegin(), 96);
    EXPECT_EQ(runs.size(), size_t(kCatalogueSize));
    EXPECT_EQ(*runs.begin(), 1);
    EXPECT_EQ(*runs.rbegin(), kCatalogueSize);
    EXPECT_EQ(names.size(), size_t(kCatalogueSize));
    EXPECT_EQ(icons.size(), size_t(kCatalogueSize));
}

TEST(Catalogue, TreeOrderIsCategoryOrderAndDiffersFromTheRunOrderInTwoPlaces) {
    for (int i = 1; i < kCatalogueSize; ++i)
        EXPECT_LE(int(kCatalogue[i - 1].category), int(kCatalogue[i].category)) << i;

    std::vector<const CatalogueEntry*> byRun;
    for (const CatalogueEntry& entry : kCatalogue)
        byRun.push_back(&entry);
    std::sort(byRun.begin(), byRun.end(),
              [](const CatalogueEntry* a, const CatalogueEntry* b) { return a->run < b->run; });
    std::vector<std::string> moved;
    for (int i = 0; i < kCatalogueSize; ++i)
        if (byRun[size_t(i)] != &kCatalogue[i])
            moved.push_back(kCatalogue[i].name);
    // Nethood runs after the two entries that follow it in the tree; Morpheus runs after the
    // four that follow it.
    EXPECT_EQ(moved,
              (std::vector<std::string>{"Nethood", "Find History", "Windows Explorer History",
                                        "Morpheus", "Microsoft Media Player", "Microsoft Paint",
                                        "Microsoft WordPad", "mIRC"}));
    EXPECT_EQ(FindEntry(Category::Windows, "Nethood")->run, 7);
    EXPECT_EQ(FindEntry(Category::Applications, "Morpheus")->run, 45);
    EXPECT_EQ(FindEntry(Category::Applications, "mIRC")->run, 44);
    EXPECT_EQ(FindEntry(Category::Office, "Nethood"), nullptr);
}
