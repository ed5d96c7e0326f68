// Taking over the access rights of a key and giving them back.
#include "Handle.h"
#include "Recording.h"
#include "Silently.h"
#include "VxMain.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr BYTE kInheritToKeysAndValues = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
constexpr DWORD kKeyFullControl = KEY_ALL_ACCESS;
constexpr DWORD kSubkeyNameSize = 261;

// One access-allowed entry built in a zero-filled heap block and appended to the list.
bool AppendAllowedEntry(ACL* list, PSID sid) {
    const DWORD sidLength = GetLengthSid(sid);
    const DWORD size = sizeof(ACE_HEADER) + sizeof(ACCESS_MASK) + sidLength;
    HeapBlock block(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
    auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(block.Get());
    if (!entry)
        return false;
    entry->Header.AceType = ACCESS_ALLOWED_ACE_TYPE;
    entry->Header.AceFlags = kInheritToKeysAndValues;
    entry->Header.AceSize = WORD(size);
    entry->Mask = kKeyFullControl;
    const bool added = CopySid(sidLength, &entry->SidStart, sid) &&
                       AddAce(list, ACL_REVISION, MAXDWORD, entry, size);
    return added;
}

} // namespace

int CVxMain::GetOldSD(HKEY root, const char* keyPath, BYTE** descriptor) {
    return Silently(0, [&] {
        *descriptor = nullptr;
        RegKey key;
        if (RegOpenKeyExA(root, keyPath, 0, READ_CONTROL, key.Put()) != ERROR_SUCCESS)
            return 0;
        DWORD size = 0;
        const LONG status = RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        if (status == ERROR_SUCCESS)
            return 1;
        if (status != ERROR_INSUFFICIENT_BUFFER)
            return 0;
        std::unique_ptr<BYTE[]> copy(new (std::nothrow) BYTE[size]);
        if (!copy || RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, copy.get(), &size) !=
                         ERROR_SUCCESS)
            return 0;
        *descriptor = copy.release();
        return 1;
    });
}

// The list holds the user, then Local System, each with full control inherited by subkeys; it
// is sized exactly and stays with the caller, who frees it from the process heap.
int CVxMain::CreateNewSD(void* userSid, SECURITY_DESCRIPTOR* descriptor, ACL** accessList) {
    return Silently(0, [&] {
        SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
        SidHandle system;
        if (!AllocateAndInitializeSid(&ntAuthority, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0,
                                      0, system.Put()))
            return 0;
        const DWORD size = sizeof(ACL) + 2 * (sizeof(ACE_HEADER) + sizeof(ACCESS_MASK)) +
                           GetLengthSid(userSid) + GetLengthSid(system.Get());
        *accessList = static_cast<ACL*>(HeapAlloc(GetProcessHeap(), 0, size));
        const bool built = *accessList && InitializeAcl(*accessList, size, ACL_REVISION) &&
                           AppendAllowedEntry(*accessList, userSid) &&
                           AppendAllowedEntry(*accessList, system.Get()) &&
                           InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                           SetSecurityDescriptorDacl(descriptor, TRUE, *accessList, FALSE);
        return built ? 1 : 0;
    });
}

// A preview gives no rights. A key's list is replaced before its subkeys are visited, so the new
// rights already hold when they are opened.
int CVxMain::RegSetPrivilege(HKEY root, const char* keyPath, SECURITY_DESCRIPTOR* descriptor,
                             int recurse) {
    return Silently(0, [&] {
        if (!keyPath || removal::Previewing())
            return 0;
        RegKey key;
        if (RegOpenKeyExA(root, keyPath, 0, WRITE_DAC, key.Put()) != ERROR_SUCCESS ||
            RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor) != ERROR_SUCCESS)
            return 0;
        if (!recurse)
            return 1;
        DWORD count = 0;
        if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, key.Put()) != ERROR_SUCCESS ||
            RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        for (DWORD i = 0; i < count; ++i) {
            char name[kSubkeyNameSize];
            DWORD size = kSubkeyNameSize;
            const LONG status =
                RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            if (status == ERROR_SUCCESS)
                RegSetPrivilege(key.Get(), name, descriptor, recurse);
        }
        return 1;
    });
}
