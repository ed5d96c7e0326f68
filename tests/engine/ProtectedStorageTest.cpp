// The user's form data in protected storage: its keys deny the user, so the engine takes over
// their rights to delete them and gives the base key its rights back.
#include "Handle.h"
#include "TraceArea.h"
#include "VxMain.h"
#include "common/Account.h"
#include "common/RegistryFixture.h"
#include "common/Win9xChild.h"

#include <gtest/gtest.h>

#include <sddl.h>
#include <shlwapi.h>

#include <vector>

namespace {

const std::string kStorage = "Software\\Microsoft\\Protected Storage System Provider\\";
const std::string kFormData = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";

// Applies an access list given in the system's descriptor language to a key of the user.
void SetAccess(HKEY root, const std::string& path, const char* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    const LocalBlock owner(descriptor);
    RegKey key;
    ASSERT_EQ(RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, key.Put()), ERROR_SUCCESS) << path;
    EXPECT_EQ(RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
}

std::string AccessText(const std::string& path) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, READ_CONTROL, key.Put()) != ERROR_SUCCESS)
        return "<unreadable>";
    BYTE descriptor[4096];
    DWORD size = sizeof descriptor;
    RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor, &size);
    char* text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                         DACL_SECURITY_INFORMATION, &text, nullptr);
    const LocalBlock owner(text);
    return text ? text : "";
}

class ProtectedStorage : public TraceArea {
protected:
    void SetUp() override {
        TraceArea::SetUp();
        SetString(m_base + kFormData + "\\site", "value", "typed secret");
        SetString(m_base + "\\Data\\other", "keep", "keep");
        MakeKey(m_machine);
        SetString(m_machine + kFormData + "\\site", "value", "typed secret");
        // The user keeps only the right to read the base key; the form data is the system's.
        SetAccess(HKEY_CURRENT_USER, m_base + kFormData + "\\site", "D:(A;;KA;;;SY)");
        SetAccess(HKEY_CURRENT_USER, m_base + kFormData, "D:(A;;KA;;;SY)");
        SetAccess(HKEY_CURRENT_USER, m_base + "\\Data", "D:(A;;KA;;;SY)");
        SetAccess(HKEY_CURRENT_USER, m_base,
                  ("D:(A;CI;KR;;;" + UserSidText() + ")(A;CI;KA;;;SY)").c_str());
    }
    void Clean() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Protected Storage System Provider");
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Protected Storage System Provider");
    }

    std::string m_base = kStorage + UserSidText();
    std::string m_machine = kStorage + UserName();
};

} // namespace

TEST_F(ProtectedStorage, FormDataIsTakenOverAndDeletedAndTheBaseGetsItsRightsBack) {
    const std::string before = AccessText(m_base);
    ASSERT_TRUE(Subkeys(m_base + kFormData).empty()) << "the user cannot list the form data";

    m_engine.DelIEAutoComplete();

    EXPECT_FALSE(KeyExists(m_base + kFormData));
    EXPECT_FALSE(KeyExists(m_machine + kFormData, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(AccessText(m_base), before);
    EXPECT_EQ(AccessText(m_base + "\\Data"),
              "D:(A;OICI;KA;;;" + UserSidText() + ")(A;OICI;KA;;;SY)");
    EXPECT_TRUE(KeyExists(m_base + "\\Data\\other"));
}

// Runs this program again as a system of the 9x family.
TEST_F(ProtectedStorage, OutsideTheNtFamilyOnlyTheMachineKeyByUserNameIsDeleted) {
    const std::string before = AccessText(m_base);
    EXPECT_EQ(RunAs9xChild("protected_storage_9x.exe", "ProtectedStorageChild.*"), 0u);
    EXPECT_FALSE(KeyExists(m_machine + kFormData, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(AccessText(m_base + kFormData), "D:(A;;KA;;;SY)") << "the per-SID keys are untouched";
    EXPECT_EQ(AccessText(m_base), before);
}

TEST(ProtectedStorageChild, RunsAsA9xSystem) {
    if (!Is9xChild())
        GTEST_SKIP() << "started by the test above";
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ(version.dwPlatformId, DWORD(VER_PLATFORM_WIN32_WINDOWS));
    CVxMain().DelIEAutoComplete();
}
