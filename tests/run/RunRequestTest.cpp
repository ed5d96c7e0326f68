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
    for (const char* leaf :
         {"Backup (E:)", "Recycle Bin", "ZoneAlarm", "D:\\Work\\<*.bak><SubFolder:No>"})
        AddCheckedLeaf(request, leaf, drives);
    EXPECT_EQ(Texts(request.driveRoots), std::vector<std::string>{"E:\\"});
    EXPECT_EQ(Texts(request.driveNames), std::vector<std::string>{"Backup (E:)"});
    EXPECT_EQ(request.selection, (SelectionMask(1) << 2) | (SelectionMask(1) << 38));
    EXPECT_EQ(Texts(request.userItems),
              std::vector<std::string>{"D:\\Work\\<*.bak><SubFolder:No>"});
    EXPECT_FALSE(request.IsEmpty());
}

TEST(RunRequest, ADriveTakesTheFirstLetterBeforeAColonAndANameWithoutOneAddsNothing) {
    const CStringList drives = List({"Z: mirror of C: (D:)", "No letter"});
    RunRequest request;
    AddCheckedLeaf(request, "Z: mirror of C: (D:)", drives);
    AddCheckedLeaf(request, "No letter", drives);
    EXPECT_EQ(Texts(request.driveRoots), std::vector<std::string>{"C:\\"});
    EXPECT_TRUE(request.userItems.IsEmpty());
}

TEST(RunRequest, NamesMatchExactlyAndAnEmptyRequestIsEmpty) {
    RunRequest request;
    EXPECT_TRUE(request.IsEmpty());
    AddCheckedLeaf(request, "recycle bin", CStringList());
    EXPECT_EQ(request.selection, 0u);
    EXPECT_EQ(Texts(request.userItems), std::vector<std::string>{"recycle bin"});
}

TEST(RunRequest, TheRunOrderFollowsTheCatalogue) {
    const CatalogueEntry* const* order = RunOrder();
    for (int i = 0; i < kCatalogueSize; ++i)
        EXPECT_EQ(order[i]->run, i + 1);
    EXPECT_STREQ(order[6]->name, "Nethood");
}
