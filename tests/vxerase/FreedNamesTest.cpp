// Covering the names of removed entries, on a folder of the build's Wine prefix: the covers are
// gone again when the covering is done, whatever the folder holds, and nothing else changes.
#include "FreedNames.h"

#include "FileSystem.h"
#include "FreeEntries.h"
#include "NameLeads.h"
#include "PathText.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace {

std::wstring Extended(const std::string& path) {
    return path::Extended(fs::FromUtf8(path));
}

class FreedNamesTest : public ::testing::Test {
protected:
    // Writes the files, covers them as they are removed, and returns what the folder holds.
    std::string RemoveAndCover(const std::vector<std::string>& removed) {
        FreedNames names(Extended(m_folder.Path()));
        for (const std::string& name : removed) {
            WriteText(m_folder / name, "trace");
            names.Add(name.size());
        }
        names.Hold();
        for (const std::string& name : removed)
            EXPECT_TRUE(DeleteFileA((m_folder / name).c_str()));
        names.Cover();
        return Listing(m_folder.Path());
    }

    ScratchFolder m_folder{"freednames"};
};

} // namespace

// The entry sizes of both layouts: NTFS's grows by two bytes a character in steps of eight,
// exFAT's by 32 bytes for every 15 characters; the larger is taken.
TEST(DirectoryBytes, TheLargerOfTheNtfsAndExfatEntries) {
    EXPECT_EQ(DirectoryBytes(1), 96u);
    EXPECT_EQ(DirectoryBytes(15), 112u);
    EXPECT_EQ(DirectoryBytes(255), 608u);
}

// A cover named after a name's lead sorts after that name and before the next, whatever random
// characters follow the lead, so that it goes into that name's index block; a character outside
// the basic plane is never cut in two.
TEST(ListedLeads, ACoverSortsBetweenItsNameAndTheNext) {
    const std::vector<std::wstring> listed = {L"!A",
                                              L"user@site[1].txt",
                                              L"USER@SITE[2].TXT",
                                              L"USER@SITE[2].TXT.BAK",
                                              L"USER@SITF",
                                              L"VXBIG_000",
                                              L"VXBIG~1",
                                              L"W",
                                              L"W\U0001F600",
                                              L"W\U0001F601X",
                                              L"ZZZ"};
    std::vector<IndexName> names;
    std::vector<std::wstring> capitals;
    for (const std::wstring& name : listed) {
        names.push_back({name, 100});
        capitals.push_back(name);
        CharUpperBuffW(capitals.back().data(), DWORD(name.size()));
    }
    const std::vector<NameLead> leads = ListedLeads(names);
    ASSERT_EQ(leads.size(), listed.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_FALSE(IS_HIGH_SURROGATE(leads[i].lead[leads[i].lead.size() - 2]));
        for (const std::wstring tail : {L"0", L"ZZZZ"}) {
            EXPECT_LT(capitals[i], leads[i].lead + tail);
            if (i + 1 < listed.size()) {
                EXPECT_LT(leads[i].lead + tail, capitals[i + 1]);
            }
        }
    }
    std::swap(names[1], names[2]);
    EXPECT_TRUE(ListedLeads(names).empty());
}

TEST_F(FreedNamesTest, AnEmptiedFolderIsEmptyAgainAfterTheCovers) {
    std::vector<std::string> removed;
    for (int i = 0; i < 40; ++i)
        removed.push_back("trace of a visited site " + std::to_string(i) + ".txt");
    EXPECT_EQ(RemoveAndCover(removed), "");
}

TEST_F(FreedNamesTest, TheFilesThatStayAreUntouched) {
    WriteText(m_folder / "kept.txt", "kept");
    EXPECT_EQ(RemoveAndCover({"user@site[1].txt", "a.tmp", std::string(200, 'n')}), "kept.txt");
    EXPECT_EQ(ReadText(m_folder / "kept.txt"), "kept");
}

// A folder that went meanwhile, or none removed: nothing is made and nothing fails.
TEST_F(FreedNamesTest, AFolderThatIsGoneOrLostNothingIsLeftAlone) {
    FreedNames gone(Extended(m_folder / "gone"));
    gone.Add(12);
    gone.Hold();
    gone.Cover();
    EXPECT_FALSE(Exists(m_folder / "gone"));

    FreedNames none(Extended(m_folder.Path()));
    none.Hold();
    none.Cover();
    EXPECT_EQ(Listing(m_folder.Path()), "");
}

// The wipe's walk: every folder but its own and what lies below it; a stop ends it at once.
TEST_F(FreedNamesTest, TheWipeWalksEveryFolderButItsOwn) {
    MakeFolders(m_folder / "a\\b\\c");
    MakeFolders(m_folder / "wipe\\inner");
    WriteText(m_folder / "a\\file.txt", "kept");
    const std::wstring root = Extended(m_folder.Path());
    std::atomic<bool> stop{false};
    std::vector<std::wstring> folders;
    for (const VolumeFolder& folder : VolumeFolders(root, Extended(m_folder / "wipe"), stop))
        folders.push_back(folder.path);
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (std::vector<std::wstring>{root, Extended(m_folder / "a"),
                                                  Extended(m_folder / "a\\b"),
                                                  Extended(m_folder / "a\\b\\c")}));
    stop = true;
    const std::vector<VolumeFolder> stopped =
        VolumeFolders(root, Extended(m_folder / "wipe"), stop);
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0].path, root);
}
