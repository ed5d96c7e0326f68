// What makes a user-defined item safe to shred, and the text that shows it.
#include "UserItem.h"

#include "UserItemParser.h"

#include <gtest/gtest.h>

#include <string>

TEST(UserItem, OnlyADriveOrAShareIsAFullPath) {
    for (const char* folder : {"C:\\", "C:", "c:\\Temp", "C:\\Temp\\\\", "\\\\server\\share",
                               "\\\\server\\share\\folder\\"})
        EXPECT_EQ(CheckFolder(folder), FolderCheck::FullPath) << folder;
    for (const char* folder : {"", "   ", "\\", "\\\\\\", " \\"})
        EXPECT_EQ(CheckFolder(folder), FolderCheck::Empty) << folder;
    for (const char* folder :
         {"Temp", "Temp\\Sub", "\\Temp", "C:Temp", " C:\\Temp", "1:\\", "\\\\server",
          "\\\\server\\", "\\\\?\\C:\\Temp", "\\\\.\\PhysicalDrive0", "C:\\Te*mp", "C:\\a<b"})
        EXPECT_EQ(CheckFolder(folder), FolderCheck::NotFullPath) << folder;
}

TEST(UserItem, APatternStaysInsideItsFolder) {
    for (const char* pattern : {"*.tmp", "*", "a?c.txt", "report 1.doc", " *.bak", ".hidden"})
        EXPECT_TRUE(IsPatternInsideFolder(pattern)) << pattern;
    for (const char* pattern : {"", "  ", ".", "..", "..\\*.txt", "sub\\*.txt", "sub/*.txt",
                                "C:*.txt", "a..b", "*.txt>", "a|b", "\"a\""})
        EXPECT_FALSE(IsPatternInsideFolder(pattern)) << pattern;
}

TEST(UserItem, PatternsThatTakeEveryFile) {
    for (const char* pattern : {"*", "*.*", "**", "*.*.*", " *.* "})
        EXPECT_TRUE(MatchesEverything(pattern)) << pattern;
    for (const char* pattern : {"*.tmp", "?", "*.?", ".", "a*"})
        EXPECT_FALSE(MatchesEverything(pattern)) << pattern;
}

TEST(UserItem, TheDisplayStringReadsBackAsTheItemAtAnyLength) {
    EXPECT_STREQ(DisplayString({"C:\\", "*.tmp", false}), "C:\\<*.tmp><SubFolder:No>");
    EXPECT_STREQ(DisplayString({"C:\\Temp", "*.bak,*.old", true}),
                 "C:\\Temp\\<*.bak,*.old><SubFolder:Yes>");

    const std::string folder = "D:\\" + std::string(300, 'f');
    const std::string patterns = std::string(200, 'p') + ",*.x";
    const CString display = DisplayString({folder.c_str(), patterns.c_str(), true});
    EXPECT_GT(display.GetLength(), 500);
    UserItemRun run;
    ASSERT_TRUE(ParseUserItem(display, run));
    EXPECT_EQ(std::string(run.folder), folder);
    ASSERT_EQ(run.patterns.size(), 2u);
    EXPECT_EQ(std::string(run.patterns[0]), std::string(200, 'p'));
    EXPECT_TRUE(run.subfolders);
}
