#include "UserSid.h"

#include "Handle.h"

#include <cstdio>
#include <cstring>

int GetCurrentUserSid(void** sid) {
    KernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put()))
        return 0;
    DWORD size = 0;
    if (GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return 0;
    HeapBlock info(HeapAlloc(GetProcessHeap(), 0, size));
    if (!info || !GetTokenInformation(token.Get(), TokenUser, info.Get(), size, &size))
        return 0;
    PSID user = static_cast<TOKEN_USER*>(info.Get())->User.Sid;
    const DWORD length = GetLengthSid(user);
    HeapBlock copy(HeapAlloc(GetProcessHeap(), 0, length));
    if (!copy || !CopySid(length, copy.Get(), user))
        return 0;
    *sid = copy.Release();
    return 1;
}

void SidToText(void* sid, char* text) {
    constexpr size_t kTextSize = 256;
    const SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(sid);
    int length = std::snprintf(text, kTextSize, "S-1-%lu", (unsigned long)authority->Value[5]);
    const DWORD count = *GetSidSubAuthorityCount(sid);
    for (DWORD i = 0; i < count && length > 0 && size_t(length) < kTextSize; ++i)
        length += std::snprintf(text + length, kTextSize - length, "-%lu",
                                (unsigned long)*GetSidSubAuthority(sid, i));
}
