#include "UserItemParser.h"

#include <gtest/gtest.h>

namespace {

UserItemRun Parse(const char* display) {
    UserItemRun run;
    EXPECT_TRUE(ParseUserItem(display, run)) << display;
    return run;
}

std::vector<std::string> Patterns(const UserItemRun& run) {
    std::vector<std::string> patterns;
    for (const CString& pattern : run.patterns)
        patterns.push_back(static_cast<const char*>(pattern));
    return patterns;
}

} // namespace

TEST(UserItemParser, ADriveRootLosesEveryTrailingBackslash) {
    const UserItemRun run = Parse("C:\\<*.tmp><SubFolder:No>");
    EXPECT_STREQ(run.folder, "C:");
    EXPECT_EQ(Patterns(run), std::vector<std::string>{"*.tmp"});
    EXPECT_FALSE(run.subfolders);
    EXPECT_STREQ(Parse("C:\\\\\\<*.tmp><SubFolder:No>").folder, "C:");
}

TEST(UserItemParser, SeveralPatternsInOrderWithSubfolders) {
    const UserItemRun run = Parse("D:\\Work\\<*.bak,*.old><SubFolder:Yes>");
    EXPECT_STREQ(run.folder, "D:\\Work");
    EXPECT_EQ(Patterns(run), (std::vector<std::string>{"*.bak", "*.old"}));
    EXPECT_TRUE(run.subfolders);
}

TEST(UserItemParser, CommasAtTheEndsAndSpacesAreKeptAsTheyStand) {
    EXPECT_EQ(Patterns(Parse("D:\\W\\<*.bak,><SubFolder:No>")),
              (std::vector<std::string>{"*.bak", ""}));
    EXPECT_EQ(Patterns(Parse("D:\\W\\<,*.bak,*.old><SubFolder:No>")),
              std::vector<std::string>{",*.bak,*.old"});
    EXPECT_EQ(Patterns(Parse("D:\\W\\<a,,b><SubFolder:No>")),
              (std::vector<std::string>{"a", "", "b"}))
        << "an empty pattern between two commas is kept in its place";
    EXPECT_EQ(Patterns(Parse("D:\\W\\<a.txt, b.txt><SubFolder:No>")),
              (std::vector<std::string>{"a.txt", " b.txt"}));
}

TEST(UserItemParser, TheSubfolderWordIsCaseSensitive) {
    EXPECT_FALSE(Parse("D:\\W\\<*.x><SubFolder:yes>").subfolders);
    EXPECT_FALSE(Parse("D:\\W\\<*.x><SubFolder:Yes").subfolders);
}

TEST(UserItemParser, TextsWithoutTheMarkersAreRefused) {
    UserItemRun run;
    EXPECT_FALSE(ParseUserItem("", run));
    EXPECT_FALSE(ParseUserItem("<*.tmp><SubFolder:No>", run)) << "no '<' after the first character";
    EXPECT_FALSE(ParseUserItem("D:\\W\\*.tmp", run));
    EXPECT_FALSE(ParseUserItem("D:\\W\\<*.tmp", run));
    EXPECT_FALSE(ParseUserItem("D:\\W\\<*.tmp>", run));
}
