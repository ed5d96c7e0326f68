// Sorting the tree's checked leaves into a run request.
#include "RunRequest.h"

#include <gtest/gtest.h>

namespace {

CStringList List(std::initializer_list<const char*> texts) {
    CStringList list;
    for (const char* text : texts)
        list.AddTail(text);
    return list;
}

std::vector<std::string> Texts(const CStringList& list) {
    std::vector<std::string> texts;
    for (const CString& text : list)
        texts.push_back(static_cast<const char*>(text));
    return texts;
}

} // namespace

TEST(RunRequest, LeavesBecomeDrivesEntriesOrUserItems) {
    const CStringList drives = List({"Local Disk (C:)", "Backup (E:)"});
    RunRequest request;
    AddCheckedLeaf(request, "Unused Space", "Backup (E:)", drives);
    AddCheckedLeaf(request, "Microsoft Windows", "Recycle Bin", drives);
    AddCheckedLeaf(request, "Application Program", "ZoneAlarm", drives);
    AddCheckedLeaf(request, "User Define", "D:\\Work\\<*.bak><SubFolder:No>", drives);
    EXPECT_EQ(Texts(request.driveRoots), std::vector<std::string>{"E:\\"});
    EXPECT_EQ(Texts(request.driveNames), std::vector<std::string>{"Backup (E:)"});
    EXPECT_EQ(request.selection, SelectionBit(2) | SelectionBit(38));
    EXPECT_EQ(Texts(request.userItems),
              std::vector<std::string>{"D:\\Work\\<*.bak><SubFolder:No>"});
    EXPECT_FALSE(request.IsEmpty());
}

TEST(RunRequest, ADriveTakesTheFirstLetterBeforeAColonAndANameWithoutOneAddsNothing) {
    const CStringList drives = List({"Z: mirror of C: (D:)", "No letter"});
    RunRequest request;
    AddCheckedLeaf(request, "Unused Space", "Z: mirror of C: (D:)", drives);
    AddCheckedLeaf(request, "Unused Space", "No letter", drives);
    EXPECT_EQ(Texts(request.driveRoots), std::vector<std::string>{"C:\\"});
    EXPECT_TRUE(request.userItems.IsEmpty());
}

TEST(RunRequest, NamesMatchExactlyAndAnEmptyRequestIsEmpty) {
    RunRequest request;
    EXPECT_TRUE(request.IsEmpty());
    AddCheckedLeaf(request, "Microsoft Windows", "recycle bin", CStringList());
    EXPECT_TRUE(request.selection.none());
    EXPECT_EQ(Texts(request.userItems), std::vector<std::string>{"recycle bin"});
}

// The browsers' entries share their names: the category tells them apart.
TEST(RunRequest, AnEntryIsKnownByItsCategoryAndItsName) {
    RunRequest request;
    AddCheckedLeaf(request, "Microsoft Internet Explorer", "History", CStringList());
    AddCheckedLeaf(request, "Mozilla Firefox", "History", CStringList());
    AddCheckedLeaf(request, "Microsoft Edge", "Cookies", CStringList());
    EXPECT_EQ(request.selection, SelectionBit(7) | SelectionBit(76) | SelectionBit(72));
}

TEST(RunRequest, TheRunOrderFollowsTheCatalogue) {
    const CatalogueEntry* const* order = RunOrder();
    for (int i = 0; i < kCatalogueSize; ++i)
        EXPECT_EQ(order[i]->run, i + 1);
    EXPECT_STREQ(order[6]->name, "Nethood");
}
