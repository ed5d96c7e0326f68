#include "OpenFile.h"

#include <winternl.h>

#include <vector>

namespace {

// The information classes and layouts of the native calls, as the system defines them.
constexpr int kFileBasicInformation = 4;
constexpr int kFileStandardInformation = 5;
constexpr int kFileRenameInformation = 10;
constexpr int kFileDispositionInformation = 13;
constexpr int kFileFsSizeInformation = 3;

struct BasicInformation {
    LARGE_INTEGER creation, lastAccess, lastWrite, change;
    ULONG attributes;
};

struct StandardInformation {
    LARGE_INTEGER allocation, endOfFile;
    ULONG links;
    BOOLEAN deletePending, directory;
};

struct FsSizeInformation {
    LARGE_INTEGER totalUnits, availableUnits;
    ULONG sectorsPerUnit, bytesPerSector;
};

struct RenameInformation {
    BOOLEAN replaceIfExists;
    HANDLE rootDirectory;
    ULONG nameLength;
    WCHAR name[1];
};

using FileCall = LONG(NTAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);
using DosToNtPath = BOOLEAN(NTAPI*)(const WCHAR*, UNICODE_STRING*, WCHAR**, void*);
using FreeString = void(NTAPI*)(UNICODE_STRING*);

template <typename Call> Call Native(const char* name) {
    return reinterpret_cast<Call>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

const FileCall g_queryFile = Native<FileCall>("NtQueryInformationFile");
const FileCall g_queryVolume = Native<FileCall>("NtQueryVolumeInformationFile");
const FileCall g_setFile = Native<FileCall>("NtSetInformationFile");
const DosToNtPath g_dosToNtPath = Native<DosToNtPath>("RtlDosPathNameToNtPathName_U");
const FreeString g_freeString = Native<FreeString>("RtlFreeUnicodeString");

template <typename Information>
bool Query(FileCall call, HANDLE file, int informationClass, Information& information) {
    IO_STATUS_BLOCK status;
    return call && call(file, &status, &information, sizeof information, informationClass) >= 0;
}

bool Set(HANDLE file, int informationClass, void* information, ULONG size) {
    IO_STATUS_BLOCK status;
    return g_setFile && g_setFile(file, &status, information, size, informationClass) >= 0;
}

// The path in the native layer's form.
std::vector<WCHAR> NtPath(const std::wstring& path) {
    UNICODE_STRING native;
    if (path.empty() || !g_dosToNtPath || !g_freeString ||
        !g_dosToNtPath(path.c_str(), &native, nullptr, nullptr))
        return {};
    std::vector<WCHAR> result(native.Buffer, native.Buffer + native.Length / sizeof(WCHAR));
    g_freeString(&native);
    return result;
}

} // namespace

bool QueryOpenFile(HANDLE file, OpenFileFacts& facts) {
    BasicInformation basic;
    StandardInformation standard;
    FsSizeInformation volume;
    if (!Query(g_queryFile, file, kFileBasicInformation, basic) ||
        !Query(g_queryFile, file, kFileStandardInformation, standard) ||
        !Query(g_queryVolume, file, kFileFsSizeInformation, volume))
        return false;
    facts.size = uint64_t(standard.endOfFile.QuadPart);
    facts.allocated = uint64_t(standard.allocation.QuadPart);
    facts.links = standard.links;
    facts.attributes = basic.attributes | (standard.directory ? FILE_ATTRIBUTE_DIRECTORY : 0);
    facts.clusterSize = volume.sectorsPerUnit * volume.bytesPerSector;
    facts.sectorSize = volume.bytesPerSector;
    return true;
}

bool SetOpenFileAttributes(HANDLE file, DWORD attributes) {
    // Times of zero stay as they are.
    BasicInformation basic = {};
    basic.attributes = attributes;
    return Set(file, kFileBasicInformation, &basic, sizeof basic);
}

bool RenameOpenFile(HANDLE file, const std::wstring& renamed) {
    const std::vector<WCHAR> name = NtPath(renamed);
    if (name.empty())
        return false;
    const size_t bytes = name.size() * sizeof(WCHAR);
    std::vector<uint8_t> buffer(offsetof(RenameInformation, name) + bytes);
    auto* information = reinterpret_cast<RenameInformation*>(buffer.data());
    information->replaceIfExists = FALSE;
    information->rootDirectory = nullptr;
    information->nameLength = ULONG(bytes);
    memcpy(information->name, name.data(), bytes);
    return Set(file, kFileRenameInformation, information, ULONG(buffer.size()));
}

bool DeleteOpenFile(HANDLE file) {
    BOOLEAN remove = TRUE;
    return Set(file, kFileDispositionInformation, &remove, sizeof remove);
}
