// Runs one step of a forensic test on a mapped test volume, through the same calls the program
// makes. The driver script checks the volume's raw bytes between the steps.
//
//   populate <folder> <tag> [plain]       files of many sizes, kinds and names, each filled with
//                                         its marker "|<tag>|<id>|"; prints "<id> <size>" per file;
//                                         plain: no attributes, for a volume that keeps none
//   method <hex>                          stores the erase method
//   shred <folder>                        empties the folder with EmptyDirectory
//   shredfiles <folder> <pattern> <0|1>   ShredFiles
//   wipe <root>                           wipes the free space of a drive
//   plaindelete <folder>                  deletes a tree with plain DeleteFile/RemoveDirectory
//   free <root>                           prints the free bytes of a drive
//   browsers <folder> <tag> <kept tag>    Chrome and Firefox profiles in the folder
//   browsershred <folder>                 every browser entry but the saved passwords
#include "FileSystem.h"
#include "ForensicBrowsers.h"
#include "Handle.h"
#include "PathText.h"
#include "VxMain.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Failure {
    std::string what;
};

void Check(bool ok, const std::string& what) {
    if (!ok)
        throw Failure{what + " (error " + std::to_string(GetLastError()) + ")"};
}

// Paths are UTF-8, reached in the extended form so that every name stands as written.
std::wstring Wide(const std::string& path) {
    return path::Extended(fs::FromUtf8(path));
}

void MakeFolder(const std::string& path) {
    Check(fs::MakeFolder(Wide(path)) || GetLastError() == ERROR_ALREADY_EXISTS,
          "cannot create " + path);
}

void SetAttributes(const std::string& path, DWORD attributes) {
    Check(fs::SetAttributes(Wide(path), attributes), "cannot set attributes of " + path);
    Check((fs::Attributes(Wide(path)) & attributes) == attributes,
          "attributes of " + path + " did not hold");
}

class Populator {
public:
    Populator(std::string folder, std::string tag, bool attributes)
        : m_folder(std::move(folder)), m_tag(std::move(tag)), m_attributes(attributes) {}

    void Run() {
        MakeFolder(m_folder);
        // 700 bytes stay inside an NTFS file record; 4095..4097 straddle one cluster.
        for (size_t size : {0u, 1u, 100u, 700u, 4095u, 4096u, 4097u, 65537u})
            File("s" + std::to_string(size), size);
        File("big", (size_t(20) << 20) + 123);
        Attribute(File("readonly", 5000), FILE_ATTRIBUTE_READONLY);
        Attribute(File("hidden", 3000), FILE_ATTRIBUTE_HIDDEN);
        Attribute(File("hidsys", 600), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        MakeFolder(m_folder + "\\sub1");
        File("sub1\\a", 9000);
        MakeFolder(m_folder + "\\sub1\\sub2");
        File("sub1\\sub2\\b", 300);
        File("sub1\\sub2\\c", 130000);
        MakeFolder(m_folder + "\\rosub");
        File("rosub\\d", 2000);
        // Wine keeps no read-only attribute on a folder; the driver also takes the folder's
        // write permission, which Wine reports as read-only.
        if (m_attributes)
            SetFileAttributesA((m_folder + "\\rosub").c_str(), FILE_ATTRIBUTE_READONLY);
        Names();
    }

private:
    void Attribute(const std::string& path, DWORD attributes) {
        if (m_attributes)
            SetAttributes(path, attributes);
    }

    // Names that only the wide calls in the extended form reach as they stand.
    void Names() {
        File("greek", 5000, u8"\u03a9mega report.txt");
        File("cjk", 800, u8"\u65e5\u672c\u8a9e.tmp");
        File("emoji", 9000, u8"emoji \U0001F600.log");
        File("aux", 3000, "aux.txt");
        File("con", 700, "con");
        File("dot", 4097, "trailing dot.");
        File("blank", 2000, "trailing space ");
        MakeFolder(m_folder + u8"\\\u0434\u043e\u043a\u0443\u043c\u0435\u043d\u0442");
        File("cyrillic", 6000, u8"\u0434\u043e\u043a\u0443\u043c\u0435\u043d\u0442\\inner.txt");
        std::string deep;
        for (char level = 'a'; level < 'f'; ++level) {
            deep += std::string(60, level) + "\\";
            MakeFolder(m_folder + "\\" + deep);
        }
        File("deep", 70000, deep + "deep.txt");
    }

    // Writes the file in one call, so that a small file is laid out once, as it would be when
    // an application saves it. The file is named `fileName`, or after its marker's id.
    std::string File(const std::string& name, size_t size, const std::string& fileName = "") {
        const std::string path = m_folder + "\\" + (fileName.empty() ? name + ".bin" : fileName);
        std::string id = name;
        for (char& c : id)
            if (c == '\\')
                c = '/';
        const std::string marker = "|" + m_tag + "|" + id + "|";
        std::string content(size, '\0');
        for (size_t i = 0; i < size; ++i)
            content[i] = marker[i % marker.size()];

        const FileHandle file =
            fs::Open(Wide(path), GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
        Check(bool(file), "cannot create " + path);
        DWORD written = 0;
        const bool ok =
            size == 0 || (WriteFile(file.Get(), content.data(), DWORD(size), &written, nullptr) &&
                          written == size);
        Check(ok, "cannot write " + path);
        std::printf("%s %zu\n", id.c_str(), size);
        return path;
    }

    std::string m_folder;
    std::string m_tag;
    bool m_attributes;
};

void PlainDelete(const std::string& path) {
    const DWORD attributes = fs::Attributes(Wide(path));
    Check(attributes != INVALID_FILE_ATTRIBUTES, "missing " + path);
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Check(fs::Remove(Wide(path)), "cannot delete " + path);
        return;
    }
    std::vector<std::string> names;
    fs::FolderSearch search(Wide(path + "\\*"));
    Check(bool(search), "cannot list " + path);
    for (; search; search.Next())
        if (!path::IsDotName(search.Entry().cFileName))
            names.push_back(fs::ToUtf8(search.Entry().cFileName));
    search.Close();
    for (const std::string& name : names)
        PlainDelete(path + "\\" + name);
    Check(fs::RemoveFolder(Wide(path)), "cannot remove " + path);
}

void PrintFree(const std::string& root) {
    ULARGE_INTEGER available, total, free;
    Check(GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free),
          "no free space for " + root);
    std::printf("%llu\n", static_cast<unsigned long long>(free.QuadPart));
}

int Usage() {
    std::fprintf(stderr, "usage: vxforensic populate|method|shred|shredfiles|wipe|plaindelete|"
                         "free|browsers|browsershred ARGS...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    const std::string target = argv[2];
    try {
        CVxMain engine;
        if (command == "populate" && (argc == 4 || (argc == 5 && !std::strcmp(argv[4], "plain")))) {
            Populator(target, argv[3], argc == 4).Run();
        } else if (command == "method") {
            engine.SetDelMethod(int(std::strtoul(target.c_str(), nullptr, 16)));
        } else if (command == "shred") {
            engine.IniLib();
            engine.EmptyDirectory(target.c_str(), 0, 0);
            engine.UnIniLib();
        } else if (command == "shredfiles" && argc == 5) {
            engine.IniLib();
            engine.ShredFiles(target.c_str(), argv[3], std::strcmp(argv[4], "0") != 0);
            engine.UnIniLib();
        } else if (command == "wipe") {
            engine.IniLib();
            engine.ShredUnSpace(target.c_str());
            engine.UnIniLib();
        } else if (command == "plaindelete") {
            PlainDelete(target);
        } else if (command == "free") {
            PrintFree(target);
        } else if (command == "browsers" && argc == 5) {
            MakeBrowserProfiles(target, argv[3], argv[4]);
        } else if (command == "browsershred") {
            ShredBrowsers(engine, target);
        } else {
            return Usage();
        }
    } catch (const Failure& failure) {
        std::fprintf(stderr, "vxforensic %s: %s\n", command.c_str(), failure.what.c_str());
        return 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "vxforensic %s: %s\n", command.c_str(), failure.what());
        return 1;
    }
    std::fflush(stdout);
    return 0;
}
