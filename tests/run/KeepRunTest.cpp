// The keep lists in a run: kept places survive byte for byte however the list spells them (in
// another case, by a short name, through a link, in the extended form), the rest of the
// selection goes, the preview
// and the run's record show what was kept, and a stored entry that is no place is a note.
#include "KeepStore.h"
#include "RunLoop.h"
#include "RunPreview.h"
#include "StoredSettings.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kKeepKey = std::string(kSettingsKey) + "\\Keep";

class KeepRun : public ::testing::Test {
protected:
    void TearDown() override { DeleteKeyQuietly(kKeepKey); }

    RunOutcome Shred(const RunRequest& request, RunRecord* record = nullptr) {
        CVxMain engine;
        RunCancel cancel;
        return RunShred(
            engine, PlanRun(request), EraseMethod::Zeroes, cancel, [](size_t) {}, {}, record);
    }
};

std::string ShortName(const std::string& path) {
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return shortPath;
}

} // namespace

TEST_F(KeepRun, KeptPlacesSurviveHoweverTheListSpellsThemAndTheRestGoes) {
    ScratchFolder folder("keeprun");
    MakeFolders(folder / "sub\\kept");
    MakeFolder(folder / "Long Folder Name");
    for (const char* name :
         {"a.tmp", "keep.txt", "sub\\gone.txt", "sub\\kept\\inner.txt", "Long Folder Name\\x.txt"})
        WriteText(folder / name, std::string("content of ") + name);
    const std::string linkedTarget = "C:\\vxlinks\\keep\\target";
    ASSERT_TRUE(Exists(linkedTarget + "\\kept.txt")) << "the link fixture is missing";
    const std::string shortFolder = ShortName(folder / "Long Folder Name");
    ASSERT_NE(shortFolder.find('~'), std::string::npos) << shortFolder;
    KeepLists lists;
    lists.places = {folder / "KEEP.TXT", folder / "sub\\kept\\", shortFolder,
                    "C:\\vxlinks\\keep\\linked"};
    ASSERT_TRUE(WriteKeepLists(lists));
    RunRequest request;
    request.userItems.AddTail((folder.Path() + "\\<*.*><SubFolder:Yes>").c_str());
    request.userItems.AddTail((linkedTarget + "\\<*.*><SubFolder:Yes>").c_str());

    const RunPreview preview = PreviewRun(request);
    ASSERT_EQ(preview.steps.size(), 2u);
    EXPECT_EQ(preview.steps[0].notes.size(), 3u) << "keep.txt, sub\\kept, the long folder";
    EXPECT_EQ(preview.steps[1].notes.size(), 1u) << "kept.txt through the link";

    RunRecord record;
    const RunOutcome outcome = Shred(request, &record);
    EXPECT_EQ(outcome.left, 0u);
    EXPECT_EQ(ReadText(folder / "keep.txt"), "content of keep.txt");
    EXPECT_EQ(ReadText(folder / "sub\\kept\\inner.txt"), "content of sub\\kept\\inner.txt");
    EXPECT_EQ(ReadText(folder / "Long Folder Name\\x.txt"), "content of Long Folder Name\\x.txt");
    EXPECT_EQ(ReadText(linkedTarget + "\\kept.txt"), "kept through a link\n");
    EXPECT_FALSE(Exists(folder / "a.tmp"));
    EXPECT_FALSE(Exists(folder / "sub\\gone.txt"));
    ASSERT_EQ(record.steps.size(), 2u);
    EXPECT_EQ(record.steps[0].kept.size(), 3u);
    EXPECT_EQ(record.steps[1].kept.size(), 1u);
}

// A catalogue entry meets the kept folder in the temporary folder and leaves it, spelt in the
// extended form, and takes the rest.
TEST_F(KeepRun, AKeptFolderInTheTemporaryFolderOutlivesTemporaryFiles) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string kept = std::string(temp) + "vxkept";
    MakeFolders(kept + "\\inner");
    WriteText(kept + "\\inner\\notes.txt", "kept notes");
    WriteText(std::string(temp) + "vxgone.tmp", "gone");
    KeepLists lists;
    lists.places = {"\\\\?\\" + kept};
    ASSERT_TRUE(WriteKeepLists(lists));
    RunRequest request;
    request.selection.set(1); // Temporary Files
    Shred(request);
    EXPECT_EQ(ReadText(kept + "\\inner\\notes.txt"), "kept notes");
    EXPECT_FALSE(Exists(std::string(temp) + "vxgone.tmp"));
    RemoveTree(kept);
}

TEST_F(KeepRun, AStoredEntryThatIsNoPlaceIsSkippedWithANote) {
    SetString(kKeepKey + "\\Places", "1", "relative\\path");
    ScratchFolder folder("keepnote");
    WriteText(folder / "a.tmp", "a");
    RunRequest request;
    request.userItems.AddTail((folder.Path() + "\\<*.tmp><SubFolder:No>").c_str());
    const RunOutcome outcome = Shred(request);
    ASSERT_EQ(outcome.notes.size(), 1u);
    EXPECT_NE(outcome.notes[0].find("\"relative\\path\" is skipped"), std::string::npos)
        << outcome.notes[0];
    EXPECT_FALSE(Exists(folder / "a.tmp"));
}
