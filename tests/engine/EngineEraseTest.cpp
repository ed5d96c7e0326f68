// The engine with the real erase component, on files of the build's Wine prefix.
#include "Handle.h"
#include "StoredSettings.h"
#include "VxMain.h"
#include "VxPreview.h"
#include "VxRunReport.h"
#include "common/ExhaustedAddressSpace.h"
#include "common/Scratch.h"
#include "common/SettingGuard.h"
#include "vxerase.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

class EngineErase : public ::testing::Test {
protected:
    void SetUp() override {
        m_engine.IniLib();
        SettingGuard::WriteDword(0x88);
    }
    void TearDown() override { m_engine.UnIniLib(); }

    SettingGuard m_setting;
    CVxMain m_engine;
    ScratchFolder m_top{"engine"};
};

DWORD ReadSetting(DWORD* type) {
    RegKey key;
    DWORD value = 0, size = sizeof value;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Put()) == ERROR_SUCCESS)
        RegQueryValueExA(key.Get(), kMethodValue, nullptr, type, reinterpret_cast<BYTE*>(&value),
                         &size);
    return value;
}

// The file open with no sharing, as a program that holds it.
FileHandle HeldOpen(const std::string& path) {
    return FileHandle(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// Each trace as "kind place size".
class Traces : public VxTraceSink {
public:
    void Found(const VxTrace& trace) noexcept override {
        m_found.push_back(std::to_string(int(trace.kind)) + " " + trace.place + " " +
                          std::to_string(trace.size));
    }
    std::vector<std::string> Sorted() {
        std::sort(m_found.begin(), m_found.end());
        return m_found;
    }

private:
    std::vector<std::string> m_found;
};

} // namespace

TEST_F(EngineErase, EmptyDirectoryLeavesOnlyTheFolderPassedIn) {
    WriteText(m_top / "plain.txt", std::string(70000, 'x'));
    WriteText(m_top / "readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
    WriteText(m_top / "hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(m_top / "a");
    MakeFolder(m_top / "a\\b");
    WriteText(m_top / "a\\b\\deep.txt", "d");
    WriteText(m_top / "a\\b\\empty.txt", "");
    MakeFolder(m_top / "ro", FILE_ATTRIBUTE_READONLY);
    WriteText(m_top / "ro\\inner.txt", "i");
    MakeFolder(m_top / "hid", FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1), 1);
    EXPECT_TRUE(Exists(m_top.Path()));
    EXPECT_EQ(Listing(m_top.Path()), "");
}

TEST_F(EngineErase, LockedAndHardLinkedFilesKeepTheirDataAndTheRestGoes) {
    MakeFolder(m_top / "sub");
    WriteText(m_top / "sub\\locked.txt", "in use");
    WriteText(m_top / "sub\\other.txt", "other");
    MakeFolder(m_top / "keep");
    WriteText(m_top / "keep\\original.txt", "linked data");
    ASSERT_TRUE(CreateHardLinkA((m_top / "sub\\link.txt").c_str(),
                                (m_top / "keep\\original.txt").c_str(), nullptr));
    FileHandle lock = HeldOpen(m_top / "sub\\locked.txt");
    ASSERT_TRUE(lock);

    {
        const CVxRunReport report;
        m_engine.EmptyDirectory((m_top / "sub").c_str(), 0, 1);
        EXPECT_EQ(report.Left(), 1u) << "the held file is counted, the hard link is not";
    }
    lock.Reset();

    EXPECT_EQ(Listing(m_top / "sub"), "locked.txt");
    EXPECT_EQ(ReadText(m_top / "sub\\locked.txt"), "in use");
    EXPECT_EQ(ReadText(m_top / "keep\\original.txt"), "linked data");
}

// The preview leaves out the held file, which keeps its folder, and changes nothing; it holds
// only on its own thread, where a run goes on removing for real.
TEST_F(EngineErase, APreviewNamesWhatTheRunWouldRemoveAndOnlyOnItsOwnThread) {
    MakeFolder(m_top / "held");
    WriteText(m_top / "held\\locked.txt", "in use");
    WriteText(m_top / "held\\other.txt", "other");
    MakeFolder(m_top / "free");
    WriteText(m_top / "free\\a.txt", "abc");
    ScratchFolder elsewhere("engine-elsewhere");
    WriteText(elsewhere / "gone.txt", "x");
    FileHandle lock = HeldOpen(m_top / "held\\locked.txt");
    ASSERT_TRUE(lock);

    Traces traces;
    {
        const CVxPreview preview(traces);
        std::thread([&] {
            CVxMain engine;
            engine.EmptyDirectory(elsewhere.Path().c_str(), 0, 1);
        }).join();
        m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    }
    lock.Reset();

    const std::string file = std::to_string(int(VxTraceKind::File)) + " ";
    const std::string folder = std::to_string(int(VxTraceKind::Folder)) + " ";
    EXPECT_EQ(traces.Sorted(), (std::vector<std::string>{file + (m_top / "free\\a.txt") + " 3",
                                                         file + (m_top / "held\\other.txt") + " 5",
                                                         folder + (m_top / "free") + " 0"}));
    EXPECT_EQ(Listing(m_top.Path()), "free held");
    EXPECT_EQ(Listing(m_top / "held"), "locked.txt other.txt");
    EXPECT_EQ(Listing(elsewhere.Path()), "");
}

// Folders nested until their paths pass 260 characters: everything the run can name goes, the
// folders beyond stay with their files, and the run ends normally.
TEST_F(EngineErase, FoldersNestedPastTheLongestPathAreLeftWithTheirFiles) {
    std::wstring deep = L"\\\\?\\" + std::wstring(m_top.Path().begin(), m_top.Path().end());
    std::string reachable = m_top.Path();
    std::vector<std::wstring> levels;
    for (int level = 0; level < 6; ++level) {
        const std::string name = "level" + std::to_string(level) + std::string(40, 'x');
        deep += L"\\" + std::wstring(name.begin(), name.end());
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr)) << level;
        levels.push_back(deep);
        const std::wstring file = deep + L"\\data.txt";
        const FileHandle handle(
            CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(handle) << level;
        if (reachable.size() + name.size() + 10 < MAX_PATH)
            reachable += "\\" + name;
    }
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    EXPECT_FALSE(Exists(reachable + "\\data.txt")) << "a file whose path fits was left";
    EXPECT_TRUE(GetFileAttributesW((deep + L"\\data.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
        << "the deepest file cannot be named by the run and stays";
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        DeleteFileW((*level + L"\\data.txt").c_str());
        RemoveDirectoryW(level->c_str());
    }
}

// Files whose whole paths are 258 to 261 characters long: those that fit 259 go, the others
// cannot be named by the run and stay whole, in the run as in its preview.
TEST_F(EngineErase, AFileGoesWhenItsPathFitsAndStaysWhenItDoesNot) {
    const std::string top = m_top.Path();
    auto wide = [&](const std::string& name) {
        const std::string path = "\\\\?\\" + top + "\\" + name;
        return std::wstring(path.begin(), path.end());
    };
    std::vector<std::string> names;
    for (size_t length : {258u, 259u, 260u, 261u}) {
        names.push_back(std::to_string(length) + std::string(length - top.size() - 4, 'n'));
        const FileHandle file(CreateFileW(wide(names.back()).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(file && WriteFile(file.Get(), "secret", 6, &written, nullptr)) << length;
    }
    Traces traces;
    {
        const CVxPreview preview(traces);
        m_engine.EmptyDirectory(top.c_str(), 0, 1);
    }
    EXPECT_EQ(traces.Sorted().size(), 2u);
    const CVxRunReport report;
    m_engine.EmptyDirectory(top.c_str(), 0, 1);
    EXPECT_EQ(report.Left(), 2u) << "the paths the erase component refuses are counted";
    EXPECT_EQ(Listing(top), names[2] + " " + names[3]);
    {
        const FileHandle left(CreateFileW(wide(names[2]).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
        char buffer[16] = {};
        DWORD read = 0;
        ReadFile(left.Get(), buffer, sizeof buffer, &read, nullptr);
        EXPECT_EQ(std::string(buffer, read), "secret");
    }
    DeleteFileW(wide(names[2]).c_str());
    DeleteFileW(wide(names[3]).c_str());
}

TEST_F(EngineErase, APatternErasesMatchingFilesThroughTheTreeAndKeepsFolders) {
    WriteText(m_top / "a.tmp", "a");
    WriteText(m_top / "a.txt", "a");
    MakeFolder(m_top / "s");
    WriteText(m_top / "s\\b.TMP", "b");
    m_engine.ShredFiles(m_top.Path().c_str(), "*.tmp", true);
    EXPECT_EQ(Listing(m_top.Path()), "a.txt s");
    EXPECT_EQ(Listing(m_top / "s"), "");
}

// A long run makes one job per folder level; none of them leaves its context behind.
TEST_F(EngineErase, EveryJobReleasesItsContext) {
    MakeFolder(m_top / "a");
    MakeFolder(m_top / "a\\b");
    WriteText(m_top / "a\\b\\file.txt", "data");
    ERASER_HANDLE before = -1, after = -1;
    ASSERT_GE(eraserCreateContext(&before), 0);
    eraserDestroyContext(before);

    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    m_engine.ShredUnSpace("Q:\\");

    ASSERT_GE(eraserCreateContext(&after), 0);
    EXPECT_GE(after - before, 5) << "each of the four jobs took a context";
    for (ERASER_HANDLE context = before; context < after; ++context)
        EXPECT_LT(eraserIsValidContext(context), 0) << context;
    eraserDestroyContext(after);
}

// An allocation fails inside the member (the path of each folder level is built from the
// caller's long text); the member returns, and works again once memory is back.
TEST_F(EngineErase, AMemberReturnsQuietlyWhenMemoryRunsOut) {
    WriteText(m_top / "file.txt", "data");
    const CString pattern = "*.*";
    const CString longFolder =
        (m_top.Path() + std::string(ExhaustedAddressSpace::kLargeAllocation, '\\')).c_str();
    {
        ExhaustedAddressSpace exhausted;
        m_engine.ShredFiles(longFolder, pattern, true);
    }
    EXPECT_EQ(Listing(m_top.Path()), "file.txt");
    m_engine.ShredFiles(m_top.Path().c_str(), pattern, true);
    EXPECT_EQ(Listing(m_top.Path()), "");
}

TEST(EngineLinks, TheTargetOfALinkInsideAnEmptiedFolderSurvivesWhole) {
    const std::string root = "C:\\vxlinks\\real";
    ASSERT_TRUE(Exists(root + "\\tree\\dirlink")) << "the link fixture is built by ctest";
    CVxMain engine;
    engine.IniLib();
    engine.EmptyDirectory((root + "\\tree").c_str(), 0, 1);
    engine.UnIniLib();
    EXPECT_EQ(Listing(root + "\\tree"), "dirlink loop");
    EXPECT_EQ(Listing(root + "\\target"), "keep.txt");
    EXPECT_EQ(ReadText(root + "\\target\\keep.txt"), "outside the selection\n");
}

TEST(EngineSetting, SetDelMethodStoresTheValueUnchangedCreatingTheKey) {
    SettingGuard guard;
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Dravok\\nv");
    CVxMain engine;
    engine.SetDelMethod(0x84);
    DWORD type = 0;
    EXPECT_EQ(ReadSetting(&type), 0x84u);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    engine.SetDelMethod(-1);
    EXPECT_EQ(ReadSetting(&type), 0xFFFFFFFFu);
}

TEST(EngineObject, CopiesAndAssignmentsCarryNothingAndEndCleanly) {
    CVxMain original;
    {
        CVxMain copy(original);
        CVxMain assigned;
        assigned = copy;
        assigned.ShredUnSpace("Q:\\");
    }
    // COM is still initialised for this thread: every copy released only its own reference.
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
}
