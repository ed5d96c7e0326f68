#include "Win9xChild.h"

#include "Handle.h"
#include "RegistryFixture.h"

namespace {
const char kChildVariable[] = "VX_9X_CHILD";
const std::string kAppDefaults = "Software\\Wine\\AppDefaults\\";
} // namespace

DWORD RunAs9xChild(const std::string& childName, const std::string& filter) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string child =
        std::string(self).substr(0, std::string(self).rfind('\\') + 1) + childName;
    if (!CopyFileA(self, child.c_str(), FALSE))
        return GetLastError();
    SetString(kAppDefaults + childName, "Version", "win98");
    std::string command = "\"" + child + "\" --gtest_filter=" + filter;
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    DWORD exitCode = 1;
    if (started) {
        const KernelHandle childThread(process.hThread), childProcess(process.hProcess);
        WaitForSingleObject(childProcess.Get(), 60000);
        GetExitCodeProcess(childProcess.Get(), &exitCode);
    }
    DeleteKeyQuietly(kAppDefaults + childName);
    DeleteFileA(child.c_str());
    return exitCode;
}

bool Is9xChild() {
    char flag[4];
    return GetEnvironmentVariableA(kChildVariable, flag, sizeof flag) > 0;
}
