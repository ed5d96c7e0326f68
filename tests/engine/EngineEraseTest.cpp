// The engine with the real erase component, on files of the build's Wine prefix.
#include "FileSystem.h"
#include "Handle.h"
#include "StoredSettings.h"
#include "VxMain.h"
#include "VxPreview.h"
#include "VxRun.h"
#include "common/ExhaustedAddressSpace.h"
#include "common/Scratch.h"
#include "common/SettingGuard.h"
#include "common/Win9xChild.h"
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

std::string File(const std::string& path, unsigned long long size) {
    return std::to_string(int(VxTraceKind::File)) + " " + path + " " + std::to_string(size);
}

std::string Folder(const std::string& path) {
    return std::to_string(int(VxTraceKind::Folder)) + " " + path + " 0";
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
        const CVxRun report;
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

// Names as a real profile holds them: outside the code page, device names with and without an
// extension, a closing dot or blank, and a path past 300 characters. The preview names each as
// the system spells it, and the run removes each, with the folders they are in.
TEST_F(EngineErase, EveryKindOfNameIsPreviewedAndErasedAsTheSystemSpellsIt) {
    MakeFolder(m_top / u8"\u0434\u043e\u043a\u0443\u043c\u0435\u043d\u0442");
    const std::string names[] = {u8"\u03a9mega report.txt",
                                 u8"\u65e5\u672c\u8a9e.tmp",
                                 u8"emoji \U0001F600.log",
                                 "aux.txt",
                                 "nul.log",
                                 "con",
                                 "trailing dot.",
                                 "trailing space ",
                                 u8"\u0434\u043e\u043a\u0443\u043c\u0435\u043d\u0442\\inner.txt"};
    std::vector<std::string> expected;
    for (const std::string& name : names) {
        WriteText(m_top / name, "secret");
        expected.push_back(File(m_top / name, 6));
    }
    std::string deep = m_top.Path();
    for (char level = 'a'; level < 'f'; ++level) {
        deep += "\\" + std::string(60, level);
        MakeFolder(deep);
        expected.push_back(Folder(deep));
    }
    WriteText(deep + "\\deep.txt", "secret deep");
    expected.push_back(File(deep + "\\deep.txt", 11));
    expected.push_back(Folder(m_top / u8"\u0434\u043e\u043a\u0443\u043c\u0435\u043d\u0442"));
    std::sort(expected.begin(), expected.end());

    Traces traces;
    {
        const CVxPreview preview(traces);
        m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    }
    EXPECT_EQ(traces.Sorted(), expected);
    const CVxRun report;
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    EXPECT_EQ(report.Left(), 0u);
    EXPECT_EQ(Listing(m_top.Path()), "");
}

// A run counts once each item it meant to remove and could not: a file held open (not the
// folder it keeps), and a folder that stays although everything in it went.
TEST_F(EngineErase, ARunCountsEachItemThatStaysOnce) {
    MakeFolder(m_top / "held");
    WriteText(m_top / "held\\locked.txt", "in use");
    MakeFolder(m_top / "busy");
    WriteText(m_top / "busy\\gone.txt", "gone");
    FileHandle lock = HeldOpen(m_top / "held\\locked.txt");
    const FileHandle folder(CreateFileA((m_top / "busy").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(lock && folder);
    const CVxRun report;
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    EXPECT_EQ(report.Left(), 2u);
    EXPECT_EQ(Listing(m_top.Path()), "busy held");
    EXPECT_EQ(Listing(m_top / "busy"), "");
}

// Outside the NT family the walk and the erase go through the ANSI calls.
TEST_F(EngineErase, OutsideTheNtFamilyTheAnsiCallsEmptyTheFolderAlike) {
    EXPECT_EQ(RunAs9xChild("engine_9x.exe", "EngineErase9x.*"), 0u);
}

TEST(EngineErase9x, EmptiesAFolderThroughTheAnsiCalls) {
    if (!Is9xChild())
        GTEST_SKIP() << "started by the test above";
    ASSERT_FALSE(fs::IsNtFamily());
    ScratchFolder top("engine-9x");
    WriteText(top / "plain.txt", std::string(70000, 'x'));
    WriteText(top / "readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
    MakeFolders(top / "a\\b");
    WriteText(top / "a\\b\\deep.txt", "d");
    CVxMain engine;
    engine.IniLib();
    const CVxRun report;
    engine.EmptyDirectory(top.Path().c_str(), 0, 1);
    engine.UnIniLib();
    EXPECT_EQ(report.Left(), 0u);
    EXPECT_EQ(Listing(top.Path()), "");
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
