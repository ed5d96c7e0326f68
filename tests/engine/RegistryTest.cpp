// The engine core's own helpers under the build's Wine prefix: registry removal, key access
// rights and shell-folder paths. Every registry test builds its own keys under
// HKCU\Software\VxTest and removes them.
#include "Registry.h"

#include "FileSystem.h"
#include "Handle.h"
#include "ShellFolder.h"
#include "UserSid.h"
#include "VxMain.h"
#include "common/RegistryFixture.h"

#include <gtest/gtest.h>

#include <sddl.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Reaches the protected members the way a derived engine class would.
class RegistryEngine : public CVxMain {
public:
    using CVxMain::CreateNewSD;
    using CVxMain::DelRegKey;
    using CVxMain::DelRegKeysFromPrefix;
    using CVxMain::DelRegValue;
    using CVxMain::GetMaxVer;
    using CVxMain::GetOldSD;
    using CVxMain::RegSetPrivilege;
};

const std::string kBase = "Software\\VxTest";

// The key's access list as raw bytes, or empty when it has none.
std::vector<BYTE> AccessList(const std::string& path) {
    RegKey key;
    std::vector<BYTE> bytes;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, READ_CONTROL, key.Put()) != ERROR_SUCCESS)
        return bytes;
    DWORD size = 0;
    RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<BYTE> descriptor(size);
    if (size && RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor.data(), &size) ==
                    ERROR_SUCCESS) {
        BOOL present = FALSE, defaulted = FALSE;
        ACL* list = nullptr;
        if (GetSecurityDescriptorDacl(descriptor.data(), &present, &list, &defaulted) && list)
            bytes.assign(reinterpret_cast<BYTE*>(list),
                         reinterpret_cast<BYTE*>(list) + list->AclSize);
    }
    return bytes;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteTree();
        MakeKey(kBase);
    }
    void TearDown() override { DeleteTree(); }
    static void DeleteTree() { DeleteKeyQuietly(kBase); }

    RegistryEngine m_engine;
};

// Holds the user's SID, the new descriptor and its list, released as the owners require.
struct NewDescriptor {
    void* user = nullptr;
    SECURITY_DESCRIPTOR descriptor{};
    ACL* list = nullptr;
    int result = 0;

    HeapBlock userOwner, listOwner;

    explicit NewDescriptor(RegistryEngine& engine) {
        if (GetCurrentUserSid(&user))
            result = engine.CreateNewSD(user, &descriptor, &list);
        userOwner.Reset(user);
        listOwner.Reset(list);
    }
};

} // namespace

TEST_F(Registry, DelRegValueRemovesOnlyTheNamedValue) {
    SetString(kBase + "\\App", "Last", "x");
    SetString(kBase + "\\App", "Keep", "y");
    m_engine.DelRegValue(HKEY_CURRENT_USER, (kBase + "\\App").c_str(), "Last");
    EXPECT_FALSE(ValueExists(kBase + "\\App", "Last"));
    EXPECT_TRUE(ValueExists(kBase + "\\App", "Keep"));

    m_engine.DelRegValue(HKEY_CURRENT_USER, (kBase + "\\Missing").c_str(), "Keep");
    m_engine.DelRegValue(HKEY_CURRENT_USER, (kBase + "\\App").c_str(), "Missing");
    EXPECT_FALSE(KeyExists(kBase + "\\Missing"));
    EXPECT_TRUE(ValueExists(kBase + "\\App", "Keep"));
}

TEST_F(Registry, DelRegKeyRemovesAWholeDeepTreeAndNothingBeside) {
    for (const char* path : {"\\App\\Tree\\a\\b\\c", "\\App\\Tree\\a\\b2", "\\App\\Tree\\z",
                             "\\App\\Sibling", "\\App\\TreeMore"})
        MakeKey(kBase + path);
    SetString(kBase + "\\App\\Tree\\a\\b\\c", "v", "1");

    m_engine.DelRegKey(HKEY_CURRENT_USER, (kBase + "\\App").c_str(), "Tree");
    EXPECT_EQ(Subkeys(kBase + "\\App"), (std::vector<std::string>{"Sibling", "TreeMore"}));

    m_engine.DelRegKey(HKEY_CURRENT_USER, (kBase + "\\Missing").c_str(), "Tree");
    m_engine.DelRegKey(HKEY_CURRENT_USER, (kBase + "\\App").c_str(), "Missing");
    EXPECT_EQ(Subkeys(kBase + "\\App"), (std::vector<std::string>{"Sibling", "TreeMore"}));
}

TEST_F(Registry, DelRegKeyWithATwoLevelNameRemovesOnlyTheLastLevel) {
    MakeKey(kBase + "\\App\\Outer\\Inner\\Deep");
    MakeKey(kBase + "\\App\\Outer\\Other");
    m_engine.DelRegKey(HKEY_CURRENT_USER, (kBase + "\\App").c_str(), "Outer\\Inner");
    EXPECT_EQ(Subkeys(kBase + "\\App\\Outer"), std::vector<std::string>{"Other"});
}

// The walk reads names into a buffer of 256 characters, terminator included.
TEST_F(Registry, A255CharacterNameFitsTheWalkAndA256CharacterNameStopsIt) {
    MakeChild(kBase + "\\App\\Fits", std::string(255, 'k'));
    MakeKey(kBase + "\\App\\Fits\\zz");
    m_engine.DelRegKey(HKEY_CURRENT_USER, (kBase + "\\App").c_str(), "Fits");
    EXPECT_FALSE(KeyExists(kBase + "\\App\\Fits"));

    MakeChild(kBase + "\\App\\Stops", std::string(256, 'k'));
    MakeKey(kBase + "\\App\\Stops\\zz");
    m_engine.DelRegKey(HKEY_CURRENT_USER, (kBase + "\\App").c_str(), "Stops");
    EXPECT_EQ(Subkeys(kBase + "\\App\\Stops"),
              (std::vector<std::string>{std::string(256, 'k'), "zz"}));
}

TEST(DeleteKeyTree, ReturnsTheSystemErrorCode) {
    DeleteKeyQuietly(kBase);
    MakeKey(kBase + "\\T\\a\\b");
    {
        RegKey base;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kBase.c_str(), 0, KEY_ALL_ACCESS, base.Put()),
                  ERROR_SUCCESS);
        EXPECT_EQ(DeleteKeyTree(base.Get(), "T"), ERROR_SUCCESS);
        EXPECT_EQ(DeleteKeyTree(base.Get(), "T"), ERROR_FILE_NOT_FOUND);
    }
    DeleteKeyQuietly(kBase);
}

TEST_F(Registry, DelRegKeysFromPrefixMatchesTheStartInAnyCase) {
    for (const char* name : {"MRU", "mru1", "MrUList", "xMRU", "MR", "aMRUb", "Recent"})
        MakeKey(kBase + "\\List\\" + name);
    MakeKey(kBase + "\\List\\MRUparent\\child");
    m_engine.DelRegKeysFromPrefix(HKEY_CURRENT_USER, (kBase + "\\List").c_str(), "MRU");
    EXPECT_EQ(Subkeys(kBase + "\\List"),
              (std::vector<std::string>{"aMRUb", "MR", "MRUparent", "Recent", "xMRU"}))
        << "a matching key with subkeys of its own is not deleted plainly";

    m_engine.DelRegKeysFromPrefix(HKEY_CURRENT_USER, (kBase + "\\Missing").c_str(), "MRU");
    EXPECT_FALSE(KeyExists(kBase + "\\Missing"));
}

TEST_F(Registry, GetMaxVerComparesNumbersAndKeepsTheFirstOfEqualValues) {
    for (const char* name : {"8.0", "9.0", "10.0", "11.0", "Common", "12.0.1"})
        MakeKey(kBase + "\\Office\\" + name);
    EXPECT_STREQ(m_engine.GetMaxVer(HKEY_CURRENT_USER, (kBase + "\\Office").c_str()), "11.0")
        << "a name longer than five characters is passed over";

    for (const char* name : {"10.0", "10", "Shared"})
        MakeKey(kBase + "\\Equal\\" + name);
    EXPECT_STREQ(m_engine.GetMaxVer(HKEY_CURRENT_USER, (kBase + "\\Equal").c_str()),
                 Subkeys(kBase + "\\Equal")[0].c_str());

    MakeKey(kBase + "\\Words\\Common");
    MakeKey(kBase + "\\Words\\Shared");
    EXPECT_STREQ(m_engine.GetMaxVer(HKEY_CURRENT_USER, (kBase + "\\Words").c_str()), "");
    EXPECT_STREQ(m_engine.GetMaxVer(HKEY_CURRENT_USER, (kBase + "\\Missing").c_str()), "");
}

TEST_F(Registry, CreateNewSDListsTheUserThenLocalSystemWithFullControl) {
    NewDescriptor created(m_engine);
    ASSERT_EQ(created.result, 1);
    ACL* list = created.list;
    const DWORD userLength = GetLengthSid(created.user);
    const DWORD systemLength = 12;
    EXPECT_EQ(list->AclRevision, ACL_REVISION);
    EXPECT_EQ(list->AceCount, 2);
    EXPECT_EQ(list->AclSize, 24 + userLength + systemLength);

    BOOL present = FALSE, defaulted = TRUE;
    ACL* attached = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(&created.descriptor, &present, &attached, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_EQ(attached, list);

    SidHandle system;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, system.Put());
    const PSID expected[2] = {created.user, system.Get()};
    for (DWORD i = 0; i < 2; ++i) {
        ACCESS_ALLOWED_ACE* entry = nullptr;
        ASSERT_TRUE(GetAce(list, i, reinterpret_cast<void**>(&entry)));
        EXPECT_EQ(entry->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        EXPECT_EQ(entry->Header.AceFlags, 0x03);
        EXPECT_EQ(entry->Mask, 0xF003Fu);
        EXPECT_EQ(entry->Header.AceSize, 8 + GetLengthSid(expected[i]));
        EXPECT_TRUE(EqualSid(&entry->SidStart, expected[i])) << "entry " << i;
    }
}

TEST_F(Registry, TakingOverAKeyAndRestoringItLeavesItsListAsItWas) {
    MakeKey(kBase + "\\Protected");
    const std::vector<BYTE> before = AccessList(kBase + "\\Protected");

    BYTE* old = nullptr;
    ASSERT_EQ(m_engine.GetOldSD(HKEY_CURRENT_USER, (kBase + "\\Protected").c_str(), &old), 1);
    ASSERT_NE(old, nullptr);
    const std::unique_ptr<BYTE[]> oldOwner(old);
    NewDescriptor created(m_engine);
    ASSERT_EQ(m_engine.RegSetPrivilege(HKEY_CURRENT_USER, (kBase + "\\Protected").c_str(),
                                       &created.descriptor, 0),
              1);
    const std::vector<BYTE> taken = AccessList(kBase + "\\Protected");
    EXPECT_EQ(taken,
              std::vector<BYTE>(reinterpret_cast<BYTE*>(created.list),
                                reinterpret_cast<BYTE*>(created.list) + created.list->AclSize));
    EXPECT_NE(taken, before);

    ASSERT_EQ(m_engine.RegSetPrivilege(HKEY_CURRENT_USER, (kBase + "\\Protected").c_str(),
                                       reinterpret_cast<SECURITY_DESCRIPTOR*>(old), 0),
              1);
    EXPECT_EQ(AccessList(kBase + "\\Protected"), before);

    BYTE* missing = reinterpret_cast<BYTE*>(1);
    EXPECT_EQ(m_engine.GetOldSD(HKEY_CURRENT_USER, (kBase + "\\Missing").c_str(), &missing), 0);
    EXPECT_EQ(missing, nullptr);
}

TEST_F(Registry, RegSetPrivilegeWithRecursionChangesParentsBeforeChildren) {
    for (const char* path : {"\\Top\\A\\A1", "\\Top\\A\\A2", "\\Top\\B"})
        MakeKey(kBase + path);
    NewDescriptor created(m_engine);
    const std::vector<BYTE> wanted(reinterpret_cast<BYTE*>(created.list),
                                   reinterpret_cast<BYTE*>(created.list) + created.list->AclSize);

    // Top may only have its list replaced: its subkeys can be listed only once the new list,
    // which grants full control, is in place.
    PSID user = created.user;
    const DWORD size = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(user);
    std::vector<BYTE> lockedList(size);
    ACL* locked = reinterpret_cast<ACL*>(lockedList.data());
    InitializeAcl(locked, size, ACL_REVISION);
    AddAccessAllowedAce(locked, ACL_REVISION, WRITE_DAC, user);
    SECURITY_DESCRIPTOR lockedDescriptor;
    InitializeSecurityDescriptor(&lockedDescriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&lockedDescriptor, TRUE, locked, FALSE);
    ASSERT_EQ(m_engine.RegSetPrivilege(HKEY_CURRENT_USER, (kBase + "\\Top").c_str(),
                                       &lockedDescriptor, 0),
              1);
    ASSERT_TRUE(Subkeys(kBase + "\\Top").empty()) << "the locked list is enforced";

    EXPECT_EQ(m_engine.RegSetPrivilege(HKEY_CURRENT_USER, (kBase + "\\Top").c_str(),
                                       &created.descriptor, 1),
              1);
    for (const char* path : {"\\Top", "\\Top\\A", "\\Top\\A\\A1", "\\Top\\A\\A2", "\\Top\\B"})
        EXPECT_EQ(AccessList(kBase + path), wanted) << path;

    EXPECT_EQ(m_engine.RegSetPrivilege(HKEY_CURRENT_USER, nullptr, &created.descriptor, 1), 0);
    EXPECT_EQ(m_engine.RegSetPrivilege(HKEY_CURRENT_USER, (kBase + "\\Missing").c_str(),
                                       &created.descriptor, 1),
              0);
}

TEST(UserSid, TextMatchesTheSystemsOwnForTheCurrentUser) {
    void* sid = nullptr;
    ASSERT_EQ(GetCurrentUserSid(&sid), 1);
    const HeapBlock sidOwner(sid);
    ASSERT_TRUE(IsValidSid(sid));
    char text[256];
    SidToText(sid, text);
    char* system = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidA(sid, &system));
    const LocalBlock systemOwner(system);
    EXPECT_STREQ(text, system);
}

TEST(UserSid, SubAuthoritiesAreUnsignedAndTheAuthorityIsItsLastByte) {
    SID_IDENTIFIER_AUTHORITY authority = {{0, 0, 0, 0, 0, 5}};
    SidHandle sid;
    ASSERT_TRUE(
        AllocateAndInitializeSid(&authority, 3, 21, 4294967295u, 1004, 0, 0, 0, 0, 0, sid.Put()));
    char text[256];
    SidToText(sid.Get(), text);
    EXPECT_STREQ(text, "S-1-5-21-4294967295-1004");
}

// A shell folder with a suffix is taken whole, in the extended form, however long the path: it is
// never cut, so it never names another folder.
TEST(ShellFolderPath, TheWholePathIsTakenPastTheOld260CharacterLimit) {
    char appData[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE));
    const size_t base = std::strlen(appData);
    for (size_t total : {259u, 261u, 1000u}) {
        const std::string suffix = "\\" + std::string(total - base - 1, 's');
        std::wstring path;
        ASSERT_TRUE(ShellFolderPath(CSIDL_APPDATA, suffix.c_str(), path)) << total;
        EXPECT_EQ(path, L"\\\\?\\" + fs::FromAnsi((appData + suffix).c_str())) << total;
    }
}
