// The fallback command line of the web address opener for each shape of registered command.
#include "BrowserCommand.h"

#include <gtest/gtest.h>

TEST(BrowserCommand, TheAddressFollowsTheCommandCutBeforeItsPlaceholderAsOneArgument) {
    EXPECT_EQ(BrowserCommandLine("C:\\b.exe", "http://a/?q=1 2"), "C:\\b.exe \"http://a/?q=1 2\"");
    EXPECT_EQ(BrowserCommandLine("\"C:\\b b.exe\" -nohome \"%1\" -x", "http://a"),
              "\"C:\\b b.exe\" -nohome  \"http://a\"");
    EXPECT_EQ(BrowserCommandLine("C:\\b.exe -url %1", "http://a"), "C:\\b.exe -url  \"http://a\"");
    EXPECT_EQ(BrowserCommandLine("C:\\b.exe %1 \"%1\"", "x"), "C:\\b.exe %1  \"x\"")
        << "the quoted placeholder is looked for first";
}

TEST(BrowserCommand, AnAddressThatCouldEndItsQuotesOrALineThatDoesNotFitIsRefused) {
    EXPECT_FALSE(BrowserCommandLine("C:\\b.exe", "http://a\" --evil"));
    const std::string command(kCommandLineLimit - 3, 'c');
    EXPECT_TRUE(BrowserCommandLine(command, ""));
    EXPECT_FALSE(BrowserCommandLine(command, "a"));
}
