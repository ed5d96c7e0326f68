// Office traces against a profile with Office 9.0 and 11.0: each member removes its lists and
// nothing else.
#include "TraceArea.h"
#include "VxMain.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/ShellFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string kOffice = "Software\\Microsoft\\Office";
const std::string kFrontPage = "Software\\Microsoft\\FrontPage";
const std::string kSaveAs = "\xC1\xED\xB4\xE6\xCE\xAA";

std::string OpenFind(const std::string& version, const std::string& application,
                     const std::string& dialog = kSaveAs) {
    return kOffice + "\\" + version + "\\Common\\Open Find\\Microsoft Office " + application +
           "\\Settings\\" + dialog + "\\File Name MRU";
}

// Lines of a snapshot of the Office and FrontPage keys, as left by a member.
std::set<std::string> Removed(const std::set<std::string>& before) {
    return Missing(before, Snapshot("Software\\Microsoft"));
}

class Office : public TraceArea {
protected:
    void Clean() override {
        DeleteKeyQuietly(kOffice);
        DeleteKeyQuietly(kFrontPage);
        RemoveTree(AppData("\\Microsoft\\Office"));
        RemoveTree(AppData("\\Microsoft\\InfoPath"));
    }

    // Office 9.0 and 11.0 with the lists of every program, English and Chinese save dialogs.
    static void InstallOffice() {
        for (const char* version : {"9.0", "11.0"}) {
            const std::string v = kOffice + "\\" + version;
            SetString(v + "\\Word\\Data", "Settings", "recent word files");
            SetString(v + "\\Word\\Data", "Toolbars", "keep");
            SetString(v + "\\Excel\\Recent Files", "File1", "C:\\book.xls");
            MakeKey(v + "\\Excel\\Recent Files\\Nested\\Deeper");
            SetString(v + "\\Excel\\Options", "Font", "keep");
            SetString(v + "\\PowerPoint\\Recent File List", "File1", "C:\\talk.ppt");
            SetString(v + "\\PowerPoint\\Options", "Grid", "keep");
            SetString(v + "\\Publisher\\Recent File List", "File1", "C:\\leaflet.pub");
            SetString(v + "\\InfoPath\\Recent Templates", "T1", "C:\\form.xsn");
            SetString(v + "\\InfoPath\\Recent File List", "F1", "C:\\form.xml");
            SetString(v + "\\InfoPath\\Options", "Keep", "keep");
            for (const char* app :
                 {"Word", "Excel", "PowerPoint", "FrontPage", "Publisher", "InfoPath"}) {
                SetString(OpenFind(version, app), "Value", "C:\\saved");
                SetString(OpenFind(version, app), "Other", "keep");
                SetString(OpenFind(version, app, "Save As"), "Value", "C:\\english");
            }
        }
        SetString(OpenFind("10.0", "Word"), "Value", "C:\\orphan");
    }
};

// A string value as a snapshot of "Software\\Microsoft" shows it.
std::string StringLine(const std::string& key, const std::string& name, const std::string& text) {
    const std::string data = text + '\0';
    return key.substr(std::string("Software\\Microsoft").size()) + "|" + name +
           "=1:" + Hex(data.data(), data.size());
}

} // namespace

TEST_F(Office, WithNothingInstalledEveryMemberChangesNothing) {
    const auto before = Snapshot("Software\\Microsoft");
    m_engine.DelOfficeRecent();
    m_engine.DelWord();
    m_engine.DelExcel();
    m_engine.DelPowerPoint();
    m_engine.DelFrontPage();
    m_engine.DelAccess();
    m_engine.DelPublisher();
    m_engine.DelInfoPath();
    EXPECT_EQ(Snapshot("Software\\Microsoft"), before);
}

TEST_F(Office, DelWordTakesTheFixedVersionsOpenFindValueOnlyWithItsDataKey) {
    InstallOffice();
    const auto before = Snapshot("Software\\Microsoft");
    m_engine.DelWord();
    std::set<std::string> expected;
    for (const char* version : {"9.0", "11.0"}) {
        expected.insert(
            StringLine(kOffice + "\\" + version + "\\Word\\Data", "Settings", "recent word files"));
        expected.insert(StringLine(OpenFind(version, "Word"), "Value", "C:\\saved"));
    }
    EXPECT_EQ(Removed(before), expected);
    EXPECT_EQ(StringValue(OpenFind("10.0", "Word"), "Value"), "C:\\orphan");
}

TEST_F(Office, TheHighestVersionLosesItsOpenFindValueEvenWithoutTheDataKey) {
    SetString(OpenFind("12.0", "Word"), "Value", "C:\\saved");
    SetString(OpenFind("9.0", "Word"), "Value", "C:\\kept");
    m_engine.DelWord();
    EXPECT_FALSE(ValueExists(OpenFind("12.0", "Word"), "Value"));
    EXPECT_EQ(StringValue(OpenFind("9.0", "Word"), "Value"), "C:\\kept");
}

TEST_F(Office, ExcelAndPowerPointLoseTheirRecentTreesButKeepTheirKeys) {
    InstallOffice();
    m_engine.DelExcel();
    m_engine.DelPowerPoint();
    for (const char* version : {"9.0", "11.0"}) {
        const std::string v = kOffice + "\\" + version;
        EXPECT_FALSE(KeyExists(v + "\\Excel\\Recent Files"));
        EXPECT_FALSE(KeyExists(v + "\\PowerPoint\\Recent File List"));
        EXPECT_EQ(StringValue(v + "\\Excel\\Options", "Font"), "keep");
        EXPECT_EQ(StringValue(v + "\\PowerPoint\\Options", "Grid"), "keep");
        for (const char* app : {"Excel", "PowerPoint"}) {
            EXPECT_FALSE(ValueExists(OpenFind(version, app), "Value"));
            EXPECT_EQ(StringValue(OpenFind(version, app), "Other"), "keep");
            EXPECT_EQ(StringValue(OpenFind(version, app, "Save As"), "Value"), "C:\\english");
        }
        EXPECT_EQ(StringValue(OpenFind(version, "Word"), "Value"), "C:\\saved");
    }
}

TEST_F(Office, PublisherAndInfoPathVisitOnlyTheirOwnVersions) {
    InstallOffice();
    const std::string cache = AppData("\\Microsoft\\InfoPath\\Solution Cache");
    MakeFolders(cache + "\\{solution}");
    WriteText(cache + "\\{solution}\\manifest.xsf", "form");

    m_engine.DelPublisher();
    m_engine.DelInfoPath();

    const std::string v11 = kOffice + "\\11.0", v9 = kOffice + "\\9.0";
    EXPECT_FALSE(KeyExists(v11 + "\\Publisher\\Recent File List"));
    EXPECT_TRUE(KeyExists(v9 + "\\Publisher\\Recent File List"));
    EXPECT_FALSE(KeyExists(v11 + "\\InfoPath\\Recent Templates"));
    EXPECT_FALSE(KeyExists(v11 + "\\InfoPath\\Recent File List"));
    EXPECT_TRUE(KeyExists(v11 + "\\InfoPath\\Options"));
    EXPECT_TRUE(KeyExists(v9 + "\\InfoPath\\Recent Templates"));
    EXPECT_FALSE(ValueExists(OpenFind("11.0", "Publisher"), "Value"));
    EXPECT_TRUE(ValueExists(OpenFind("9.0", "Publisher"), "Value"));
    EXPECT_TRUE(ValueExists(OpenFind("9.0", "InfoPath"), "Value"));
    EXPECT_TRUE(Exists(cache));
    EXPECT_EQ(Listing(cache), "");
}

TEST_F(Office, TheSolutionCacheIsErasedWithoutAnyInfoPathKey) {
    const std::string cache = AppData("\\Microsoft\\InfoPath\\Solution Cache");
    MakeFolders(cache);
    WriteText(cache + "\\cached.xsn", "form");
    m_engine.DelInfoPath();
    EXPECT_EQ(Listing(cache), "");
}

TEST_F(Office, DelAccessDeletesMruValuesInAnyCaseAndStopsAtANameTooLong) {
    const std::string v11 = kOffice + "\\11.0\\Access\\Settings";
    for (const char* name : {"MRU1", "mru2", "MrUFlags", "Mr", "Other", "xMRU"})
        SetString(v11, name, "value");
    m_engine.DelAccess();
    EXPECT_EQ(ValueNames(v11).size(), 3u);
    for (const char* name : {"Mr", "Other", "xMRU"})
        EXPECT_TRUE(ValueExists(v11, name)) << name;

    // The walk runs from the last value down and ends at a name of 25 or more characters.
    const std::string v9 = kOffice + "\\9.0\\Access\\Settings";
    const std::string longName = "NameOfTwentyFiveCharacter";
    for (const std::string& name :
         {std::string("MRU1"), std::string("MRU2"), longName, std::string("MRU_after")})
        SetString(v9, name, "value");
    const auto order = ValueNames(v9);
    const size_t stop = std::find(order.begin(), order.end(), longName) - order.begin();
    m_engine.DelAccess();
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(ValueExists(v9, order[i]), i <= stop) << order[i];
}

TEST_F(Office, DelFrontPageEmptiesItsListsAndBlanksItsDefaults) {
    InstallOffice();
    const std::string explorer = kFrontPage + "\\Explorer";
    for (const char* tree :
         {"\\Navigation", "\\ReplaceMRU", "\\FrontPage Explorer\\Recent File List",
          "\\FrontPage Explorer\\Recent Page List", "\\FrontPage Explorer\\Recent Web List",
          "\\FrontPage Explorer\\Recently Created Servers", "\\FindMRU", "\\FindTagMRU"})
        SetString(explorer + tree, "1", "trace");
    SetString(explorer + "\\Keep", "1", "keep");
    SetString(explorer + "\\FrontPage Explorer\\Settings", "DefaultWebName", "http://web");
    SetString(explorer + "\\FrontPage Explorer\\Settings", "LastWebOpen", "http://last");
    SetString(kFrontPage, "DefaultSave", "C:\\web");
    SetString(kFrontPage + "\\Editor", "Default Add Image Directory", "C:\\images");

    m_engine.DelFrontPage();

    EXPECT_EQ(Subkeys(explorer), (std::vector<std::string>{"FrontPage Explorer", "Keep"}));
    EXPECT_EQ(Subkeys(explorer + "\\FrontPage Explorer"), std::vector<std::string>{"Settings"});
    EXPECT_EQ(StringValue(explorer + "\\FrontPage Explorer\\Settings", "DefaultWebName"), "");
    EXPECT_EQ(StringValue(explorer + "\\FrontPage Explorer\\Settings", "LastWebOpen"), "");
    EXPECT_EQ(StringValue(kFrontPage, "DefaultSave"), "");
    EXPECT_EQ(StringValue(kFrontPage + "\\Editor", "Default Add Image Directory"), "");
    for (const char* version : {"9.0", "11.0"}) {
        EXPECT_FALSE(ValueExists(OpenFind(version, "FrontPage"), "Value"));
        EXPECT_TRUE(ValueExists(OpenFind(version, "FrontPage", "Save As"), "Value"));
    }
}

TEST_F(Office, DelFrontPageWithoutItsExplorerKeyChangesNothing) {
    InstallOffice();
    SetString(kFrontPage, "DefaultSave", "C:\\web");
    const auto before = Snapshot("Software\\Microsoft");
    m_engine.DelFrontPage();
    EXPECT_EQ(Snapshot("Software\\Microsoft"), before);
}

TEST_F(Office, DelOfficeRecentErasesTheRecentFolderAndKeepsIt) {
    const std::string recent = AppData("\\Microsoft\\Office\\Recent");
    MakeFolders(recent);
    WriteText(recent + "\\report.doc.LNK", "link");
    WriteText(recent + "\\index.dat", "index");
    m_engine.DelOfficeRecent();
    EXPECT_TRUE(Exists(recent));
    EXPECT_EQ(Listing(recent), "");
}
