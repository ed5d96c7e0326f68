// Erases one file with the erase component and prints the seconds spent in eraserStartSync, so
// that neither Wine's start nor the set-up is counted.
//
//   vxbench <file> <setting-hex>
//
// The stored "Setting" selects the method for the run and is put back as it was afterwards.
#include "vxerase.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char kSettingsKey[] = "Software\\Dravok\\nv";
const char kSettingValue[] = "Setting";

// The stored value as it was, put back when the object goes.
class SettingOverride {
public:
    explicit SettingOverride(DWORD value) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                            nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        DWORD size = 0;
        if (RegQueryValueExA(m_key, kSettingValue, nullptr, &m_type, nullptr, &size) ==
            ERROR_SUCCESS) {
            m_old.resize(size);
            m_present = RegQueryValueExA(m_key, kSettingValue, nullptr, &m_type, m_old.data(),
                                         &size) == ERROR_SUCCESS;
        }
        m_set =
            RegSetValueExA(m_key, kSettingValue, 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
    }
    SettingOverride(const SettingOverride&) = delete;
    SettingOverride& operator=(const SettingOverride&) = delete;
    ~SettingOverride() {
        if (!m_key)
            return;
        if (m_present)
            RegSetValueExA(m_key, kSettingValue, 0, m_type, m_old.data(), DWORD(m_old.size()));
        else
            RegDeleteValueA(m_key, kSettingValue);
        RegCloseKey(m_key);
    }

    bool IsSet() const { return m_set; }

private:
    HKEY m_key = nullptr;
    bool m_present = false;
    bool m_set = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_old;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vxbench <file> <setting-hex>\n");
        return 2;
    }
    const char* path = argv[1];
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "vxbench: %s does not exist\n", path);
        return 1;
    }
    SettingOverride setting(DWORD(std::strtoul(argv[2], nullptr, 16)));
    ERASER_HANDLE context;
    if (!setting.IsSet() || eraserInit() < 0 || eraserCreateContext(&context) < 0 ||
        eraserSetDataType(context, ERASER_DATA_FILES) < 0 ||
        eraserAddItem(context, path, std::strlen(path)) < 0) {
        std::fprintf(stderr, "vxbench: cannot set up the job\n");
        return 1;
    }

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const long result = eraserStartSync(context);
    QueryPerformanceCounter(&end);
    eraserEnd();

    if (result < 0 || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "vxbench: %s was not erased (%ld)\n", path, result);
        return 1;
    }
    std::printf("%.6f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    return 0;
}
