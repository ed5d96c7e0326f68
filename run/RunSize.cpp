#include "RunSize.h"

#include "FileSystem.h"
#include "OverwriteSize.h"

#include <windows.h>

#include <map>
#include <string>

namespace {

// The cluster of the volume that holds `path`, asked once a volume; 0 where it cannot be told.
class Clusters {
public:
    uint32_t Of(const std::string& path) {
        const std::wstring wide = fs::FromUtf8(path);
        wchar_t root[MAX_PATH + 1];
        if (!GetVolumePathNameW(wide.c_str(), root, MAX_PATH + 1))
            return 0;
        const auto found = m_known.find(root);
        if (found != m_known.end())
            return found->second;
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
        const uint32_t cluster =
            GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)
                ? sectorsPerCluster * bytesPerSector
                : 0;
        m_known.emplace(root, cluster);
        return cluster;
    }

private:
    std::map<std::wstring, uint32_t> m_known;
};

} // namespace

unsigned long long PlannedBytes(const RunPreview& preview, EraseMethod method) {
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
