#include "VxMain.h"

#include "EraseJob.h"
#include "FileSystem.h"
#include "Handle.h"
#include "Silently.h"
#include "StoredSettings.h"
#include "vxerase.h"

#include <windows.h>
#include <objbase.h>

CVxMain::CVxMain() {
    CoInitialize(nullptr);
}

// A copy carries nothing, but takes a COM initialisation of its own so that every destructor
// releases exactly one.
CVxMain::CVxMain(const CVxMain&) : CVxMain() {}

CVxMain& CVxMain::operator=(const CVxMain&) {
    return *this;
}

CVxMain::~CVxMain() {
    CoUninitialize();
}

void CVxMain::IniLib() {
    Silently([&] { eraserInit(); });
}

void CVxMain::UnIniLib() {
    Silently([&] { eraserEnd(); });
}

void CVxMain::SetDelMethod(int method) {
    Silently([&] {
        RegKey key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, key.Put()) !=
                ERROR_SUCCESS &&
            RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
            return;
        const DWORD value = DWORD(method);
        RegSetValueExA(key.Get(), kMethodValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    });
}

void CVxMain::Testeraser() {
    Silently([&] {
        eraserInit();
        std::wstring file;
        EraseJob job(ERASER_DATA_FILES);
        if (!job.IsOpen() || !fs::SystemPath(L"F:\\common.h", file))
            return;
        job.Add(file);
        job.Start();
    });
}
