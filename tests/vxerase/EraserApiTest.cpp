// The erase component through its exported calls, on real files of the build's Wine prefix.
#include "FileSystem.h"
#include "Handle.h"
#include "common/ExhaustedAddressSpace.h"
#include "common/Scratch.h"
#include "common/SettingGuard.h"
#include "vxerase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

// The job's result; `left`, when given, receives how many of its files are still there, and
// `states` what became of each.
long RunJob(long dataType, const std::vector<std::string>& items, long* left = nullptr,
            std::vector<long>* states = nullptr) {
    ERASER_HANDLE context = -1;
    if (eraserCreateContext(&context) < 0)
        return ERASER_ERROR;
    eraserSetDataType(context, dataType);
    for (const auto& item : items)
        eraserAddItem(context, item.c_str(), item.size());
    const long result = eraserStartSync(context);
    if (left)
        *left = eraserLeftItems(context);
    for (unsigned long i = 0; states && i <= items.size(); ++i)
        states->push_back(eraserItemState(context, i));
    eraserDestroyContext(context);
    return result;
}

// A file of `size` zero bytes that takes no room until written.
void WriteLongFile(const std::string& path, LONGLONG size) {
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = size;
    SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN);
    SetEndOfFile(file.Get());
}

class EraserApi : public ::testing::Test {
protected:
    void SetUp() override {
        eraserInit();
        SettingGuard::WriteDword(0x84);
    }
    void TearDown() override { eraserEnd(); }

    SettingGuard m_setting;
    ScratchFolder m_folder{"api"};
};

} // namespace

TEST_F(EraserApi, ContextsAreFreshAndLiveUntilTheEnd) {
    EXPECT_LT(eraserIsValidContext(-1), 0);
    ERASER_HANDLE first = -1, second = -1;
    ASSERT_GE(eraserCreateContext(&first), 0);
    ASSERT_GE(eraserCreateContext(&second), 0);
    EXPECT_NE(first, second);
    EXPECT_GE(eraserIsValidContext(first), 0);
    EXPECT_LT(eraserCreateContext(nullptr), 0);

    EXPECT_LT(eraserSetDataType(first, 2), 0);
    EXPECT_LT(eraserAddItem(first, nullptr, 3), 0);
    EXPECT_LT(eraserAddItem(first, "x", 0), 0);
    EXPECT_EQ(eraserStartSync(first), ERASER_OK) << "a job with no items is accepted";

    eraserEnd();
    EXPECT_LT(eraserIsValidContext(first), 0);
    EXPECT_LT(eraserStartSync(second), 0);
}

TEST_F(EraserApi, ADestroyedContextIsGoneAndTheOthersStay) {
    ERASER_HANDLE first = -1, second = -1;
    ASSERT_GE(eraserCreateContext(&first), 0);
    ASSERT_GE(eraserCreateContext(&second), 0);
    EXPECT_EQ(eraserDestroyContext(first), ERASER_OK);
    EXPECT_LT(eraserIsValidContext(first), 0);
    EXPECT_LT(eraserAddItem(first, "C:\\x", 4), 0);
    EXPECT_LT(eraserStartSync(first), 0);
    EXPECT_EQ(eraserDestroyContext(first), ERASER_ERROR_CONTEXT);
    EXPECT_GE(eraserIsValidContext(second), 0);
}

// A job whose list of items cannot be copied fails with an error. A file whose overwrite cannot
// have its buffers is left as it was, closed, and the job goes on.
TEST_F(EraserApi, ALackOfMemoryIsAFailureNotACrash) {
    const std::string missing = m_folder / "missing.txt";
    ERASER_HANDLE longJob = -1;
    ASSERT_GE(eraserCreateContext(&longJob), 0);
    for (size_t i = 0; i <= ExhaustedAddressSpace::kLargeAllocation / sizeof(std::string); ++i)
        eraserAddItem(longJob, missing.c_str(), missing.size());
    const std::string big = m_folder / "big.bin";
    WriteLongFile(big, 4 << 20);
    SetFileAttributesA(big.c_str(), FILE_ATTRIBUTE_READONLY);
    WriteText(m_folder / "small.txt", "small");

    long longJobResult;
    {
        ExhaustedAddressSpace exhausted;
        longJobResult = eraserStartSync(longJob);
        RunJob(ERASER_DATA_FILES, {big, m_folder / "small.txt"});
    }
    EXPECT_EQ(longJobResult, ERASER_ERROR);
    EXPECT_EQ(Listing(m_folder.Path()), "big.bin");
    WIN32_FILE_ATTRIBUTE_DATA left = {};
    GetFileAttributesExA(big.c_str(), GetFileExInfoStandard, &left);
    EXPECT_TRUE(left.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(left.nFileSizeLow, DWORD(4 << 20));
    EXPECT_EQ(RunJob(ERASER_DATA_FILES, {big}), ERASER_OK);
    EXPECT_FALSE(Exists(big));
}

TEST_F(EraserApi, ItemsAreTakenWithTheirLengthNotATerminator) {
    WriteText(m_folder / "ab", "data");
    WriteText(m_folder / "abc", "data");
    ERASER_HANDLE context = -1;
    ASSERT_GE(eraserCreateContext(&context), 0);
    const std::string item = m_folder / "abc";
    eraserAddItem(context, item.c_str(), item.size() - 1);
    eraserStartSync(context);
    EXPECT_EQ(Listing(m_folder.Path()), "abc");
}

TEST_F(EraserApi, FilesOfEveryAttributeAndSizeAreRemovedWithoutLeftovers) {
    WriteText(m_folder / "plain.txt", std::string(10000, 'p'));
    WriteText(m_folder / "empty.txt", "");
    WriteText(m_folder / "readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
    WriteText(m_folder / "hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
    WriteText(m_folder / "system.txt", "s", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(RunJob(ERASER_DATA_FILES,
                     {m_folder / "plain.txt", m_folder / "empty.txt", m_folder / "readonly.txt",
                      m_folder / "hidden.txt", m_folder / "system.txt"}),
              ERASER_OK);
    EXPECT_EQ(Listing(m_folder.Path()), "");
}

TEST_F(EraserApi, ALockedFileIsLeftWholeAndTheJobGoesOn) {
    WriteText(m_folder / "locked.txt", "in use", FILE_ATTRIBUTE_READONLY);
    WriteText(m_folder / "free.txt", "free");
    FileHandle lock(CreateFileA((m_folder / "locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    long left = -1;
    RunJob(ERASER_DATA_FILES, {m_folder / "locked.txt", m_folder / "free.txt"}, &left);
    lock.Reset();

    EXPECT_EQ(left, 1) << "the job says what it left";
    EXPECT_EQ(Listing(m_folder.Path()), "locked.txt");
    EXPECT_EQ(ReadText(m_folder / "locked.txt"), "in use");
    EXPECT_TRUE(GetFileAttributesA((m_folder / "locked.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

// Files go in groups, each group removed on a second thread while the next is overwritten; a
// held file in one group and a read-only one in another change nothing for the rest.
TEST_F(EraserApi, ManyFilesGoGroupByGroupAndOnlyTheHeldOneStays) {
    std::vector<std::string> items;
    for (int i = 0; i < 150; ++i) {
        items.push_back(m_folder / ("f" + std::to_string(i) + ".txt"));
        WriteText(items.back(), std::string(size_t(i) * 97, 'x'),
                  i == 130 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    }
    FileHandle held(
        CreateFileA(items[70].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    long left = -1;
    std::vector<long> states;
    EXPECT_EQ(RunJob(ERASER_DATA_FILES, items, &left, &states), ERASER_OK);
    held.Reset();
    EXPECT_EQ(left, 1);
    std::vector<long> expected(items.size(), ERASER_ITEM_GONE);
    expected[70] = ERASER_ITEM_STAYS;
    expected.push_back(ERASER_ERROR);
    EXPECT_EQ(states, expected) << "one state for each item, none past them";
    EXPECT_EQ(Listing(m_folder.Path()), "f70.txt");
    EXPECT_EQ(ReadText(items[70]), std::string(70 * 97, 'x'));
}

TEST_F(EraserApi, AHardLinkedFileLosesOnlyThisName) {
    MakeFolder(m_folder / "other");
    WriteText(m_folder / "other\\original.txt", "shared data");
    ASSERT_TRUE(CreateHardLinkA((m_folder / "link.txt").c_str(),
                                (m_folder / "other\\original.txt").c_str(), nullptr));
    long left = -1;
    RunJob(ERASER_DATA_FILES, {m_folder / "link.txt"}, &left);
    EXPECT_EQ(left, 0);
    EXPECT_FALSE(Exists(m_folder / "link.txt"));
    EXPECT_EQ(ReadText(m_folder / "other\\original.txt"), "shared data");
}

TEST_F(EraserApi, MissingFilesAndFoldersAreSkipped) {
    MakeFolder(m_folder / "folder");
    WriteText(m_folder / "folder\\inner.txt", "inner");
    WriteText(m_folder / "file.txt", "file");
    EXPECT_EQ(RunJob(ERASER_DATA_FILES,
                     {m_folder / "missing.txt", m_folder / "folder", m_folder / "file.txt"}),
              ERASER_OK);
    EXPECT_EQ(Listing(m_folder.Path()), "folder");
    EXPECT_EQ(ReadText(m_folder / "folder\\inner.txt"), "inner");
}

TEST_F(EraserApi, FreeSpaceJobsIgnoreAnythingButAnExistingDriveRoot) {
    // No drive is mapped to Q:, and every other item is malformed; none may start a wipe, and
    // each counts as a drive whose free space was not written.
    long left = -1;
    EXPECT_EQ(RunJob(ERASER_DATA_DRIVES, {"Q:\\", "C:", "C:\\vxtest", "1:\\", "C:/"}, &left),
              ERASER_OK);
    EXPECT_EQ(left, 5);
    EXPECT_FALSE(Exists("C:\\~VXFREE.TMP"));
}

// A method given to the context wins over the stored one, either way round: 35 passes with their
// flushes take many times longer than one.
TEST_F(EraserApi, TheContextsMethodWinsOverTheStoredOne) {
    auto seconds = [&](DWORD stored, long given) {
        SettingGuard::WriteDword(stored);
        WriteText(m_folder / "file.bin", std::string(4 << 20, 'x'));
        const std::string item = m_folder / "file.bin";
        ERASER_HANDLE context = -1;
        eraserCreateContext(&context);
        eraserSetMethod(context, given);
        eraserAddItem(context, item.c_str(), item.size());
        const auto start = std::chrono::steady_clock::now();
        eraserStartSync(context);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        eraserDestroyContext(context);
        return spent.count();
    };
    const double gutmann = seconds(0x90, 0x81);
    const double zeroes = seconds(0x81, 0x90);
    EXPECT_GT(gutmann, 4 * zeroes) << gutmann << " s against " << zeroes << " s";
    EXPECT_LT(eraserSetMethod(-1, 0x90), 0);
    EXPECT_EQ(Listing(m_folder.Path()), "");
}

// Wide items reach every name as it stands, in the extended form or not; an ANSI item of the
// code page is taken past 259 characters too.
TEST_F(EraserApi, WideItemsReachEveryNameAndLongPathsGoEitherWay) {
    const std::string names[] = {u8"\u03a9mega \U0001F600.txt",
                                 "aux.txt",
                                 "trailing dot.",
                                 "trailing space ",
                                 std::string(280, 'w'),
                                 std::string(290, 'a')};
    for (const std::string& name : names)
        WriteText(m_folder / name, "secret");
    ERASER_HANDLE context = -1;
    ASSERT_GE(eraserCreateContext(&context), 0);
    eraserSetDataType(context, ERASER_DATA_FILES);
    for (const std::string& name : {names[0], names[1], names[2], names[3]}) {
        const std::wstring item = L"\\\\?\\" + fs::FromUtf8(m_folder / name);
        EXPECT_EQ(eraserAddItemW(context, item.c_str(), item.size()), ERASER_OK) << name;
    }
    const std::wstring plain = fs::FromUtf8(m_folder / names[4]);
    EXPECT_EQ(eraserAddItemW(context, plain.c_str(), plain.size()), ERASER_OK);
    const std::string ansi = m_folder / names[5];
    EXPECT_EQ(eraserAddItem(context, ansi.c_str(), ansi.size()), ERASER_OK);
    EXPECT_LT(eraserAddItemW(context, nullptr, 3), 0);
    EXPECT_LT(eraserAddItemW(context, L"x", 0), 0);
    EXPECT_LT(eraserAddItemW(context, plain.c_str(), 32768), 0);
    EXPECT_EQ(eraserStartSync(context), ERASER_OK);
    EXPECT_EQ(eraserLeftItems(context), 0);
    eraserDestroyContext(context);
    EXPECT_EQ(Listing(m_folder.Path()), "");
}

// Past 32 MiB the file is flushed on a second thread while the writes go on; that thread ends
// before the file is closed and removed. The cancelled case is below.
TEST_F(EraserApi, AFileFlushedBehindTheWritesIsClosedAndRemoved) {
    SettingGuard::WriteDword(0x88);
    const std::string big = m_folder / "big.bin";
    WriteLongFile(big, 40 << 20);
    EXPECT_EQ(RunJob(ERASER_DATA_FILES, {big}), ERASER_OK);
    EXPECT_FALSE(Exists(big));
}

DWORD WINAPI RunPseudoRandomJob(LPVOID path) {
    return DWORD(RunJob(ERASER_DATA_FILES, {*static_cast<std::string*>(path)}));
}

// Threads that the system starts keep the stack only 4-byte aligned; the generator's vector
// code must not assume more.
TEST_F(EraserApi, JobsRunOnThreadsStartedByTheSystem) {
    SettingGuard::WriteDword(0x88);
    std::string path = m_folder / "threaded.bin";
    WriteText(path, std::string(100000, 't'));
    const KernelHandle thread(CreateThread(nullptr, 0, RunPseudoRandomJob, &path, 0, nullptr));
    ASSERT_TRUE(thread);
    ASSERT_EQ(WaitForSingleObject(thread.Get(), 30000), WAIT_OBJECT_0);
    DWORD result = 1;
    GetExitCodeThread(thread.Get(), &result);
    EXPECT_EQ(result, DWORD(ERASER_OK));
    EXPECT_FALSE(Exists(path));
}

TEST_F(EraserApi, CancelStopsTheRunningJobWithinASecondAndLaterJobsUntilInit) {
    SettingGuard::WriteDword(0x81);
    const std::string big = m_folder / "big.bin";
    WriteLongFile(big, 256 << 20);

    std::chrono::steady_clock::time_point returned;
    std::thread job([&] {
        RunJob(ERASER_DATA_FILES, {big});
        returned = std::chrono::steady_clock::now();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto cancelled = std::chrono::steady_clock::now();
    eraserCancel();
    job.join();
    EXPECT_LT(returned - cancelled, std::chrono::seconds(1));
    EXPECT_FALSE(Exists(big)) << "a file whose overwrite has begun is removed";

    WriteText(m_folder / "later.txt", "later");
    std::vector<long> states;
    EXPECT_LT(RunJob(ERASER_DATA_FILES, {m_folder / "later.txt"}, nullptr, &states), 0);
    EXPECT_EQ(states[0], ERASER_ITEM_NOT_REACHED);
    EXPECT_EQ(ReadText(m_folder / "later.txt"), "later");

    eraserInit();
    EXPECT_EQ(RunJob(ERASER_DATA_FILES, {m_folder / "later.txt"}), ERASER_OK);
    EXPECT_FALSE(Exists(m_folder / "later.txt"));
}
