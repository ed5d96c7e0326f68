// The calls on an open file that the erase relies on, and the file target's read-back past the
// cache, on real files of the build's Wine prefix.
#include "OpenFile.h"

#include "FileSystem.h"
#include "FileTarget.h"
#include "Handle.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

FileHandle OpenToErase(const std::string& path, DWORD share = 0) {
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, share,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

class OpenFile : public ::testing::Test {
protected:
    ScratchFolder m_folder{"openfile"};
};

} // namespace

TEST_F(OpenFile, FactsOfAFileAndOfOneWithASecondName) {
    WriteText(m_folder / "data.txt", std::string(5000, 'd'), FILE_ATTRIBUTE_HIDDEN);
    OpenFileFacts facts;
    {
        const FileHandle file = OpenToErase(m_folder / "data.txt");
        ASSERT_TRUE(QueryOpenFile(file.Get(), facts));
    }
    EXPECT_EQ(facts.size, 5000u);
    EXPECT_EQ(facts.links, 1u);
    EXPECT_TRUE(facts.attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(facts.attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_GE(facts.sectorSize, 512u);
    EXPECT_EQ(facts.clusterSize % facts.sectorSize, 0u);

    ASSERT_TRUE(CreateHardLinkA((m_folder / "second.txt").c_str(), (m_folder / "data.txt").c_str(),
                                nullptr));
    const FileHandle file = OpenToErase(m_folder / "data.txt");
    ASSERT_TRUE(QueryOpenFile(file.Get(), facts));
    EXPECT_EQ(facts.links, 2u);
}

// A rename never replaces another file: the erase would destroy a file outside its selection.
TEST_F(OpenFile, ARenameThatWouldReplaceAFileFailsAndChangesNothing) {
    WriteText(m_folder / "erase.txt", "erase");
    WriteText(m_folder / "other.txt", "other");
    {
        const FileHandle file = OpenToErase(m_folder / "erase.txt");
        EXPECT_FALSE(RenameOpenFile(file.Get(), fs::FromUtf8(m_folder / "other.txt")));
        EXPECT_TRUE(RenameOpenFile(file.Get(), fs::FromUtf8(m_folder / "RANDOM.txt")));
        EXPECT_TRUE(DeleteOpenFile(file.Get()));
        EXPECT_TRUE(Exists(m_folder / "RANDOM.txt")) << "deleted only once closed";
    }
    EXPECT_EQ(Listing(m_folder.Path()), "other.txt");
    EXPECT_EQ(ReadText(m_folder / "other.txt"), "other");
}

TEST_F(OpenFile, ReadOnlyIsSetAndClearedThroughTheHandleAndTheOtherAttributesStay) {
    const std::string path = m_folder / "kept.txt";
    WriteText(path, "k", FILE_ATTRIBUTE_SYSTEM);
    const FileHandle file = OpenToErase(path);
    ASSERT_TRUE(SetOpenFileAttributes(file.Get(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetOpenFileAttributes(file.Get(), FILE_ATTRIBUTE_SYSTEM));
    const DWORD attributes = GetFileAttributesA(path.c_str());
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
}

// The read-back past the cache takes whole sectors into aligned memory: a pass of a chunk and an
// odd tail reads back exactly, and a read past the end of the file fails.
TEST_F(OpenFile, AFileTargetReadsBackPastTheCacheInWholeSectors) {
    const std::string path = m_folder / "pass.bin";
    WriteText(path, "");
    const FileHandle file = OpenToErase(path, FILE_SHARE_READ);
    const FileHandle direct(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_NO_BUFFERING, nullptr));
    ASSERT_TRUE(file && direct);
    std::vector<uint8_t> pass(PassStream::kMaxChunk + 1234);
    for (size_t i = 0; i < pass.size(); ++i)
        pass[i] = uint8_t(i * 31 + i / 4099);
    FileTarget target(file.Get(), direct.Get(), 512);
    ASSERT_TRUE(target.Rewind() && target.Write(pass.data(), pass.size()) && target.Flush());

    std::vector<uint8_t> read(pass.size());
    ASSERT_TRUE(target.Rewind());
    ASSERT_TRUE(target.Read(read.data(), PassStream::kMaxChunk));
    ASSERT_TRUE(target.Read(read.data() + PassStream::kMaxChunk, 1234));
    EXPECT_EQ(read, pass);
    EXPECT_FALSE(target.Read(read.data(), 1)) << "nothing lies past the end";
}
