// The profiles the browsers list in their own files, read from the text they write and from
// damaged or foreign text.
#include "ProfileLists.h"

#include <gtest/gtest.h>

TEST(ProfileLists, FirefoxListsEachProfileSectionWithItsPathAndKind) {
    const std::string ini = "\xEF\xBB\xBF[General]\r\nStartWithLastProfile=1\r\n\r\n"
                            "[Profile1]\r\nName=work\r\nIsRelative=0\r\nPath=D:\\Work Profile\r\n"
                            "[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
                            "Path=Profiles/abc.default\r\nDefault=1\r\n"
                            "[Install308046B0AF4A39CB]\r\nDefault=Profiles/other\r\n"
                            "[Profile2]\r\nName=empty\r\nIsRelative=1\r\n";
    const std::vector<IniProfile> profiles = FirefoxProfiles(ini);
    ASSERT_EQ(profiles.size(), 2u) << "the install section and a section without a path add none";
    EXPECT_EQ(profiles[0].path, "D:\\Work Profile");
    EXPECT_FALSE(profiles[0].relative);
    EXPECT_EQ(profiles[1].path, "Profiles/abc.default");
    EXPECT_TRUE(profiles[1].relative);
    EXPECT_TRUE(FirefoxProfiles("Path=C:\\Outside\n[Profile0").empty());
}

TEST(ProfileLists, ChromiumNamesTheKeysOfTheProfileCacheOnly) {
    const std::string state =
        R"({"browser":{"info_cache":{"Wrong":1}},"profile":{"last_used":"Default",)"
        R"("info_cache":{"Default":{"name":"Person 1","list":[1,{"a":"}"}]},)"
        R"("Profile 2":{},"Caf\u00e9 \ud83d\ude00":{"n":null}},"other":true}})";
    EXPECT_EQ(ChromiumProfileNames(state),
              (std::vector<std::string>{"Default", "Profile 2", "Caf\xC3\xA9 \xF0\x9F\x98\x80"}));
    EXPECT_EQ(ChromiumProfileNames(R"({"profile":{"info_cache":{"Default":{}, "Cut)"),
              std::vector<std::string>{"Default"})
        << "what was read before the damage stays";
    EXPECT_TRUE(ChromiumProfileNames(std::string(100000, '[')).empty());
}
