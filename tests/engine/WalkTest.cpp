// How the engine walks folders and hands files to the erase component, observed through a
// stand-in component that records every call. The stand-in has only the eight calls the engine is
// built on: the engine loads and runs beside it.
#include "FakeEraser.h"
#include "Handle.h"
#include "RunLoop.h"
#include "VxMain.h"
#include "VxRun.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

struct Job {
    std::string context;
    std::string type;
    std::vector<std::string> items;
    bool fresh = false; // began by asking about -1 and creating its own context
};

std::vector<Job> Jobs() {
    std::vector<Job> jobs;
    std::istringstream log(fakeEraserLog());
    std::string verb, context, previous;
    while (log >> verb) {
        std::string rest;
        std::getline(log, rest);
        rest.erase(0, 1);
        if (verb == "create") {
            jobs.push_back(Job{rest, "", {}, previous == "valid -1"});
        } else if (verb == "type" && !jobs.empty()) {
            jobs.back().type = rest.substr(rest.find(' ') + 1);
        } else if (verb == "add" && !jobs.empty()) {
            jobs.back().items.push_back(rest.substr(rest.find(' ') + 1));
        }
        previous = verb + " " + rest;
    }
    return jobs;
}

// The items of each job, names relative to `base`, sorted within a job.
std::vector<std::string> Items(const std::vector<Job>& jobs, const std::string& base) {
    std::vector<std::string> out;
    for (const Job& job : jobs) {
        std::vector<std::string> names;
        for (const auto& item : job.items)
            names.push_back(item.compare(0, base.size(), base) ? item : item.substr(base.size()));
        std::sort(names.begin(), names.end());
        std::string line;
        for (const auto& name : names)
            line += (line.empty() ? "" : " ") + name;
        out.push_back(line);
    }
    return out;
}

size_t IndexOf(const std::vector<std::string>& items, const std::string& line) {
    return std::find(items.begin(), items.end(), line) - items.begin();
}

class Walk : public ::testing::Test {
protected:
    void SetUp() override { fakeEraserReset(); }

    CVxMain m_engine;
    ScratchFolder m_top{"walk"};
    std::string Base() const { return m_top.Path() + "\\"; }
};

} // namespace

TEST_F(Walk, AMissingFolderMakesNoCall) {
    EXPECT_EQ(m_engine.EmptyDirectory((m_top / "missing").c_str(), 0, 1), 1);
    EXPECT_STREQ(fakeEraserLog(), "");
}

TEST_F(Walk, OneFreshJobPerFolderLevelFilesBeforeSubfolders) {
    WriteText(m_top / "a.txt", "a");
    WriteText(m_top / "b.txt", "b", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(m_top / "s1");
    WriteText(m_top / "s1\\c.txt", "c", FILE_ATTRIBUTE_READONLY);
    MakeFolder(m_top / "s1\\s2");
    WriteText(m_top / "s1\\s2\\d.txt", "d");
    MakeFolder(m_top / "e");

    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);

    const std::vector<Job> jobs = Jobs();
    const std::vector<std::string> items = Items(jobs, Base());
    ASSERT_EQ(items.size(), 4u) << fakeEraserLog();
    EXPECT_EQ(items[0], "a.txt b.txt");
    EXPECT_LT(IndexOf(items, "s1\\c.txt"), IndexOf(items, "s1\\s2\\d.txt"));
    EXPECT_LT(IndexOf(items, ""), items.size()) << "the empty folder gets a job with no items";
    for (size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_TRUE(jobs[i].fresh) << "job " << i;
        EXPECT_EQ(jobs[i].type, "1");
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(jobs[i].context, jobs[j].context);
    }
    EXPECT_TRUE(Exists(m_top.Path()));
    EXPECT_EQ(Listing(m_top.Path()), "");
}

TEST_F(Walk, AFolderOfOnlySubfoldersStartsAnEmptyJobAndLosesTheSubfolders) {
    MakeFolder(m_top / "x");
    MakeFolder(m_top / "y");
    WriteText(m_top / "y\\f.txt", "f");
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 0);
    const auto items = Items(Jobs(), Base());
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "");
    EXPECT_EQ(Listing(m_top.Path()), "");
}

TEST_F(Walk, OnlyTheExactWholeFolderPatternRemovesFolders) {
    MakeFolder(m_top / "s");
    MakeFolder(m_top / "empty");
    WriteText(m_top / "x.log", "x");
    WriteText(m_top / "y.txt", "y");
    WriteText(m_top / "s\\z.log", "z");

    m_engine.ShredFiles(m_top.Path().c_str(), "*.log", true);
    EXPECT_EQ(Items(Jobs(), Base()), (std::vector<std::string>{"x.log", "s\\z.log"}))
        << "a folder without a match makes no job";
    EXPECT_EQ(Listing(m_top.Path()), "empty s y.txt");

    fakeEraserReset();
    m_engine.ShredFiles(m_top.Path().c_str(), "*", true);
    EXPECT_EQ(Listing(m_top.Path()), "empty s");
    EXPECT_EQ(Listing(m_top / "s"), "");

    m_engine.ShredFiles(m_top.Path().c_str(), "*.*", false);
    EXPECT_EQ(Listing(m_top.Path()), "empty s") << "no subfolder visit without subfolders";
}

TEST_F(Walk, ReadOnlySubfoldersAreClearedThenRemoved) {
    MakeFolder(m_top / "ro");
    WriteText(m_top / "ro\\f.txt", "f");
    SetFileAttributesA((m_top / "ro").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(m_top / "rohidden");
    SetFileAttributesA((m_top / "rohidden").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    EXPECT_EQ(Listing(m_top.Path()), "");
}

TEST_F(Walk, ASubfolderStillHoldingAFileStaysAndTheWalkGoesOn) {
    MakeFolder(m_top / "a");
    WriteText(m_top / "a\\stuck.txt", "s");
    MakeFolder(m_top / "b");
    WriteText(m_top / "b\\f.txt", "f");
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    EXPECT_EQ(Listing(m_top.Path()), "a");
    EXPECT_EQ(Listing(m_top / "a"), "stuck.txt");
}

// The folder as the system gives the temporary folder, with a closing backslash: each path
// names its file one way only, as a preview reports it.
// The tree changes under the walk as the first subfolder's job starts: a folder that may still be
// visited vanishes, a file still to be erased is held open by another program, another is made
// read-only. The walk goes on past each, and the held file keeps its folder and its name.
TEST_F(Walk, FoldersThatVanishAndFilesHeldOrMadeReadOnlyDuringTheWalk) {
    static std::string top;
    static FileHandle held;
    top = m_top.Path();
    for (const char* file : {"a\\held.txt", "b\\sub\\gone.txt", "c\\readonly.txt"}) {
        MakeFolders(m_top / std::string(file).substr(0, std::string(file).rfind('\\')));
        WriteText(m_top / file, "data");
    }
    ScratchFolder outside("walk-outside");
    WriteText(outside / "other.txt", "other");
    fakeEraserOnStart(2, [] {
        held = FileHandle(CreateFileA((top + "\\a\\held.txt").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        DeleteFileA((top + "\\b\\sub\\gone.txt").c_str());
        RemoveDirectoryA((top + "\\b\\sub").c_str());
        RemoveDirectoryA((top + "\\b").c_str());
        SetFileAttributesA((top + "\\c\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    });
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    held.Reset();
    EXPECT_EQ(Listing(m_top.Path()), "a");
    EXPECT_EQ(Listing(m_top / "a"), "held.txt");
    EXPECT_EQ(ReadText(m_top / "a\\held.txt"), "data");
    EXPECT_EQ(Listing(outside.Path()), "other.txt");
}

// This component takes ANSI text only: it is handed a file only by an ordinary path that its
// ANSI calls read as that same file. A name the code page cannot spell, a device name, a closing
// dot or a path past 259 characters stays, counts as left, and keeps its folder.
TEST_F(Walk, AnAnsiOnlyComponentIsHandedOnlyPathsItReadsAsTheSameFile) {
    WriteText(m_top / "plain.txt", "p");
    MakeFolder(m_top / "sub");
    const std::string kept[] = {u8"\u03a9mega.txt", "aux.txt", "dot.", std::string(250, 'n')};
    for (const std::string& name : kept)
        WriteText(m_top / "sub\\" + name, "k");
    const CVxRun report;
    m_engine.EmptyDirectory(m_top.Path().c_str(), 0, 1);
    EXPECT_EQ(Items(Jobs(), Base()), (std::vector<std::string>{"plain.txt", ""}));
    EXPECT_EQ(report.Left(), 4u) << "each unreachable file once, not its folder";
    EXPECT_EQ(Listing(m_top.Path()), "sub");
    EXPECT_EQ(Listing(m_top / "sub"), "aux.txt dot. " + kept[3] + " " + kept[0]);
}

TEST_F(Walk, AFolderEndingWithABackslashIsJoinedWithoutDoublingIt) {
    WriteText(m_top / "f.txt", "f");
    m_engine.EmptyDirectory((m_top.Path() + "\\").c_str(), 0, 1);
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].items, std::vector<std::string>{m_top.Path() + "\\f.txt"});
    EXPECT_EQ(Listing(m_top.Path()), "");
}

TEST_F(Walk, TheSingleFolderWrappersNeverEnterSubfolders) {
    WriteText(m_top / "a.dat", "a");
    WriteText(m_top / "b.dat", "b");
    WriteText(m_top / "c.dat", "c");
    MakeFolder(m_top / "s");
    WriteText(m_top / "s\\d.dat", "d");
    m_engine.ShredFile(m_top.Path().c_str(), "a.*");
    EXPECT_EQ(m_engine.DelFileFromType(m_top.Path().c_str(), "b.dat"), 1);
    EXPECT_EQ(m_engine.WipeFile(m_top.Path().c_str(), "*.dat"), 1);
    EXPECT_EQ(Items(Jobs(), Base()), (std::vector<std::string>{"a.dat", "b.dat", "c.dat"}));
    EXPECT_EQ(Listing(m_top.Path()), "s");
}

// The developer's self-test starts the component itself and leaves it running.
TEST_F(Walk, TheSelfTestErasesItsOneFixedFileAndDoesNotEndTheComponent) {
    m_engine.Testeraser();
    const std::string log = fakeEraserLog();
    EXPECT_EQ(log.rfind("init\n", 0), 0u) << log;
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].type, "1");
    EXPECT_EQ(jobs[0].items, std::vector<std::string>{"F:\\common.h"});
    EXPECT_EQ(log.find("end"), std::string::npos);
}

// A run's free-space step, as every front end drives it: announced with the drive's name, then
// one job of free space on the drive's root.
TEST_F(Walk, TheFreeSpaceStepOfARunCarriesItsLineAndTheDriveRoot) {
    RunRequest request;
    request.driveRoots.AddTail("C:\\");
    request.driveNames.AddTail("Local Disk (C:)");
    const std::vector<RunStep> steps = PlanRun(request);
    std::vector<std::string> lines;
    RunCancel cancel;
    const RunOutcome outcome =
        RunShred(m_engine, steps, EraseMethod::Zeroes, cancel,
                 [&](size_t i) { lines.push_back(static_cast<const char*>(steps[i].line)); });
    EXPECT_EQ(lines, std::vector<std::string>{"< Unused Space >: Local Disk (C:)"});
    EXPECT_EQ(outcome.done, 1u);
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].type, "0");
    EXPECT_EQ(jobs[0].items, std::vector<std::string>{"C:\\"});
}

TEST_F(Walk, AFreeSpaceJobCarriesTheDriveRootUnchanged) {
    m_engine.ShredUnSpace("Q:\\");
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].fresh);
    EXPECT_EQ(jobs[0].type, "0");
    EXPECT_EQ(jobs[0].items, std::vector<std::string>{"Q:\\"});
}

TEST(WalkLinks, LinksAreNeitherFollowedNorRemovedAndLoopsEnd) {
    const std::string root = "C:\\vxlinks\\walk";
    ASSERT_TRUE(Exists(root + "\\tree\\dirlink")) << "the link fixture is built by ctest";
    fakeEraserReset();
    CVxMain engine;
    engine.EmptyDirectory((root + "\\tree").c_str(), 0, 1);
    const auto items = Items(Jobs(), root + "\\tree\\");
    EXPECT_EQ(items, (std::vector<std::string>{"file.txt", ""})) << fakeEraserLog();
    EXPECT_EQ(Listing(root + "\\tree"), "dirlink loop");
    EXPECT_EQ(Listing(root + "\\tree\\loop"), "up");
    EXPECT_EQ(ReadText(root + "\\target\\keep.txt"), "outside the selection\n");
}
