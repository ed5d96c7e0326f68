#include "Account.h"

#include "Handle.h"

#include <windows.h>
#include <sddl.h>

std::string UserSidText() {
    KernelHandle token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put());
    BYTE buffer[256];
    DWORD size = sizeof buffer;
    GetTokenInformation(token.Get(), TokenUser, buffer, size, &size);
    char* text = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text);
    const LocalBlock owner(text);
    return text ? text : "";
}

std::string UserName() {
    char name[MAX_PATH];
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}
