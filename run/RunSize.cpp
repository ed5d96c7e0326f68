#include "RunSize.h"

#include "FileSystem.h"
#include "OverwriteSize.h"

#include <windows.h>

#include <map>
#include <string>

namespace {

// The cluster of the volume that holds `path`, asked once a folder and once a volume; 0 where it
// cannot be told.
class Clusters {
public:
    uint32_t Of(const std::string& path) {
        const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
        const auto known = m_folders.find(folder);
        if (known != m_folders.end())
            return known->second;
        return m_folders.emplace(folder, OfFolder(fs::FromUtf8(folder))).first->second;
    }

private:
    uint32_t OfFolder(const std::wstring& folder) {
        wchar_t root[MAX_PATH + 1];
        if (!GetVolumePathNameW(folder.c_str(), root, MAX_PATH + 1))
            return 0;
        const auto found = m_volumes.find(root);
        if (found != m_volumes.end())
            return found->second;
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
        const uint32_t cluster =
            GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)
                ? sectorsPerCluster * bytesPerSector
                : 0;
        m_volumes.emplace(root, cluster);
        return cluster;
    }

    std::map<std::string, uint32_t> m_folders;
    std::map<std::wstring, uint32_t> m_volumes;
};

} // namespace

unsigned long long PlannedBytes(const RunRequest& request, EraseMethod method) {
    const RunPreview preview = PreviewRun(request, false);
    Clusters clusters;
    unsigned long long pass = 0;
    for (const PreviewStep& step : preview.steps)
        for (const PreviewItem& item : step.items)
            switch (item.kind) {
            case VxTraceKind::File:
                pass += OverwriteLength(item.size, clusters.Of(item.place));
                break;
            case VxTraceKind::CacheEntry:
            case VxTraceKind::RecycleBin:
            case VxTraceKind::FreeSpace:
                pass += item.size;
                break;
            default:
                break;
            }
    return pass * PassCount(method);
}
