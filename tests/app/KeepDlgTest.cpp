// The keep lists' dialog driven as a user drives it: entries that are no site or place are
// refused with a message that says why, a site with cookies now is picked from its list, and
// the lists are stored when the user says OK.
#include "KeepDlg.h"

#include "KeepStore.h"
#include "ProgramSettings.h"
#include "StoredSettings.h"
#include "common/DialogScript.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/Screenshot.h"
#include "common/ShellFolder.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <shlobj.h>

TEST(KeepDialog, RefusesMalformedEntriesOffersPresentSitesAndStoresTheListsOnOk) {
    UseProgramSettings();
    const std::string keepKey = std::string(kSettingsKey) + "\\Keep";
    DeleteKeyQuietly(keepKey);
    const std::string cookie = ShellFolder(CSIDL_COOKIES) + "\\user@present.test[1].txt";
    WriteText(cookie, "a cookie");
    std::string badSite, badPlace;
    DialogScript script([&](DialogScript& s) {
        HWND keep = s.WaitFor(IDC_KEPT_SITES, "Keep lists");
        DialogScript::Type(keep, IDC_SITE, "bad host");
        DialogScript::Press(keep, IDC_ADD_SITE);
        badSite = s.Answer(IDOK);
        DialogScript::Type(keep, IDC_SITE, "Mail.Example.com");
        DialogScript::Press(keep, IDC_ADD_SITE);
        SendDlgItemMessageA(keep, IDC_PRESENT_SITES, LB_SELECTSTRING, WPARAM(-1),
                            LPARAM("present.test"));
        DialogScript::Press(keep, IDC_KEEP_PRESENT);
        DialogScript::Type(keep, IDC_PLACE, "relative\\folder");
        DialogScript::Press(keep, IDC_ADD_PLACE);
        badPlace = s.Answer(IDOK);
        DialogScript::Type(keep, IDC_PLACE, "C:\\vxtest\\kept\\");
        DialogScript::Press(keep, IDC_ADD_PLACE);
        Sleep(300);
        SaveScreenshot(keep, "keep-lists");
        DialogScript::Press(keep, IDOK);
    });
    CKeepDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(script.Finish(), "");
    DeleteFileA(cookie.c_str());

    EXPECT_NE(badSite.find("\"bad host\" holds a character no host name has"), std::string::npos)
        << badSite;
    EXPECT_NE(badPlace.find("is no full path"), std::string::npos) << badPlace;
    const StoredKeep stored = ReadKeepLists();
    EXPECT_EQ(stored.lists.sites, (std::vector<std::string>{"mail.example.com", "present.test"}));
    EXPECT_EQ(stored.lists.places, std::vector<std::string>{"C:\\vxtest\\kept"});
    EXPECT_TRUE(stored.skipped.empty());
    DeleteKeyQuietly(keepKey);
}
