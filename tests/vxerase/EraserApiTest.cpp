// The erase component through its exported calls, on real files of the build's Wine prefix.
#include "vxerase.h"

#include "common/Scratch.h"
#include "common/SettingGuard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

long RunJob(long dataType, const std::vector<std::string>& items) {
    ERASER_HANDLE context = -1;
    if (eraserCreateContext(&context) < 0)
        return ERASER_ERROR;
    eraserSetDataType(context, dataType);
    for (const auto& item : items)
        eraserAddItem(context, item.c_str(), item.size());
    return eraserStartSync(context);
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
    HANDLE lock = CreateFileA((m_folder / "locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    RunJob(ERASER_DATA_FILES, {m_folder / "locked.txt", m_folder / "free.txt"});
    CloseHandle(lock);

    EXPECT_EQ(Listing(m_folder.Path()), "locked.txt");
    EXPECT_EQ(ReadText(m_folder / "locked.txt"), "in use");
    EXPECT_TRUE(GetFileAttributesA((m_folder / "locked.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(EraserApi, AHardLinkedFileLosesOnlyThisName) {
    MakeFolder(m_folder / "other");
    WriteText(m_folder / "other\\original.txt", "shared data");
    ASSERT_TRUE(CreateHardLinkA((m_folder / "link.txt").c_str(),
                                (m_folder / "other\\original.txt").c_str(), nullptr));
    RunJob(ERASER_DATA_FILES, {m_folder / "link.txt"});
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
    // No drive is mapped to Q:, and every other item is malformed; none may start a wipe.
    EXPECT_EQ(RunJob(ERASER_DATA_DRIVES, {"Q:\\", "C:", "C:\\vxtest", "1:\\", "C:/"}), ERASER_OK);
    EXPECT_FALSE(Exists("C:\\~VXFREE.TMP"));
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
    HANDLE thread = CreateThread(nullptr, 0, RunPseudoRandomJob, &path, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
    DWORD result = 1;
    GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    EXPECT_EQ(result, DWORD(ERASER_OK));
    EXPECT_FALSE(Exists(path));
}

TEST_F(EraserApi, CancelStopsTheRunningJobWithinASecondAndLaterJobsUntilInit) {
    SettingGuard::WriteDword(0x81);
    const std::string big = m_folder / "big.bin";
    HANDLE file = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 256 << 20;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);

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
    EXPECT_LT(RunJob(ERASER_DATA_FILES, {m_folder / "later.txt"}), 0);
    EXPECT_EQ(ReadText(m_folder / "later.txt"), "later");

    eraserInit();
    EXPECT_EQ(RunJob(ERASER_DATA_FILES, {m_folder / "later.txt"}), ERASER_OK);
    EXPECT_FALSE(Exists(m_folder / "later.txt"));
}
