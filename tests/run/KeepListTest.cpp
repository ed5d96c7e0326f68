// The rules of the keep lists: which texts are sites and places, as what they are kept, which
// hosts a kept site covers, and which host a cookie belongs to.
#include "KeepList.h"

#include <gtest/gtest.h>

TEST(KeepList, SitesAreKeptInOneSpellingAndMalformedOnesAreRefusedWithAReason) {
    std::string fault;
    for (const auto& [text, kept] : {std::pair{" Example.COM. ", "example.com"},
                                     {".mail.example.com", "mail.example.com"},
                                     {"xn--bcher-kva.example", "xn--bcher-kva.example"},
                                     {"192.168.0.1", "192.168.0.1"}}) {
        EXPECT_EQ(KeptSite(text, fault), kept) << text;
        EXPECT_EQ(fault, "") << text;
    }
    for (const char* bad : {"", "  ", ".", "exa mple.com", "*.example.com", "http://example.com",
                            "-a.com", "a-.com", "a..b",
                            "b\xC3\xBC"
                            "cher.de",
                            "example.com/path", "a@b.com"}) {
        EXPECT_EQ(KeptSite(bad, fault), "") << bad;
        EXPECT_NE(fault, "") << bad;
    }
    EXPECT_EQ(KeptSite(std::string(64, 'a') + ".com", fault), "");
    EXPECT_EQ(KeptSite(std::string(63, 'a') + ".com", fault), std::string(63, 'a') + ".com");
}

TEST(KeepList, AHostIsKeptByItsOwnNameAndTheNamesItLiesBelowOnly) {
    EXPECT_EQ(KeepingSites("mail.EXAMPLE.com"),
              (std::vector<std::string>{"mail.example.com", "example.com", "com"}));
    EXPECT_EQ(KeepingSites("badexample.com"), (std::vector<std::string>{"badexample.com", "com"}));
    EXPECT_EQ(KeepingSites("localhost"), std::vector<std::string>{"localhost"});
    EXPECT_TRUE(KeepingSites("").empty());
}

TEST(KeepList, PlacesAreFullPathsWithoutWildcardsOrStepsBack) {
    std::string fault;
    for (const auto& [text, kept] : {std::pair{"C:\\Work\\", "C:\\Work"},
                                     {"c:/work/notes.txt", "c:\\work\\notes.txt"},
                                     {"c:\\", "C:\\"},
                                     {"\\\\server\\share\\Work", "\\\\server\\share\\Work"},
                                     {"\\\\?\\C:\\Work\\", "\\\\?\\C:\\Work"}}) {
        EXPECT_EQ(KeptPlace(text, fault), kept) << text;
        EXPECT_EQ(fault, "") << text;
    }
    for (const char* bad : {"", "Work", "C:Work", "\\Work", "C:\\Wo*rk", "C:\\a?", "C:\\a\\..\\b",
                            "C:\\a\\.\\b", "C:\\a\\\\b", "\\\\server", "\\\\\\share", "C:\\a:b",
                            "\\\\s?v\\share\\x", "\\\\srv\\sh:\\x", "C:\\a\tb"}) {
        EXPECT_EQ(KeptPlace(bad, fault), "") << bad;
        EXPECT_NE(fault, "") << bad;
    }
}

TEST(KeepList, ACookieBelongsToTheHostItsFileOrEntryNames) {
    EXPECT_EQ(CookieFileHost("user@mail.Example.com[2].txt"), "mail.example.com");
    EXPECT_EQ(CookieFileHost("user@example.com.txt"), "example.com");
    EXPECT_EQ(CookieFileHost("index.dat"), "");
    EXPECT_EQ(CookieFileHost("user@[1].txt"), "");
    EXPECT_EQ(CookieEntryHost("Cookie:user@example.com/path/"), "example.com");
    EXPECT_EQ(CookieEntryHost("Cookie:user@example.com"), "example.com");
    EXPECT_EQ(CookieEntryHost("Cookie:nobody"), "");
}
