#include "Account.h"

#include <windows.h>
#include <sddl.h>

std::string UserSidText() {
    HANDLE token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256];
    DWORD size = sizeof buffer;
    GetTokenInformation(token, TokenUser, buffer, size, &size);
    CloseHandle(token);
    char* text = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text);
    const std::string sid = text;
    LocalFree(text);
    return sid;
}

std::string UserName() {
    char name[MAX_PATH];
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}
