// The record of a run names exactly what it removed and what it left, and the reports written
// from it are kept, whole, up to their number.
#include "Handle.h"
#include "ReportFacts.h"
#include "ReportStore.h"
#include "RunLoop.h"
#include "VxRun.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <set>

namespace {

const char kRunHistory[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

std::string ReportsFolder() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::string(appData) + "\\Norvexa\\Reports";
}

std::set<std::string> Places(const std::vector<RecordItem>& items, RecordKind kind) {
    std::set<std::string> places;
    for (const RecordItem& item : items)
        if (item.kind == kind)
            places.insert(item.place);
    return places;
}

} // namespace

TEST(RunReport, TheRecordListsWhatTheRunRemovedAndWhatItLeftWithTheReason) {
    ScratchFolder folder("runreport");
    MakeFolder(folder / "sub");
    for (const char* name : {"a.tmp", "sub\\b.tmp", "held.tmp"})
        WriteText(folder / name, std::string(5000, 'x'));
    MakeKey(std::string(kRunHistory) + "\\inner");
    const FileHandle held(CreateFileA((folder / "held.tmp").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    RunRequest request;
    request.selection.set(3); // Run History
    request.userItems.AddTail((folder.Path() + "\\<*.*><SubFolder:Yes>").c_str());

    RunRecord record;
    BeginRecord(record, EraseMethod::Dod5220_22M);
    CVxMain engine;
    RunCancel cancel;
    const unsigned long long before = CVxRun::WrittenBytes();
    const RunOutcome outcome = RunShred(
        engine, PlanRun(request), EraseMethod::Dod5220_22M, cancel, [](size_t) {}, {}, &record);
    EndRecord(record, outcome);

    ASSERT_EQ(record.steps.size(), 2u);
    const RecordStep& history = record.steps[0];
    const RecordStep& files = record.steps[1];
    EXPECT_EQ(Places(history.removed, RecordKind::Key),
              std::set<std::string>{std::string("HKEY_CURRENT_USER\\") + kRunHistory});
    EXPECT_EQ(Places(files.removed, RecordKind::File),
              (std::set<std::string>{folder / "a.tmp", folder / "sub\\b.tmp"}));
    EXPECT_EQ(Places(files.removed, RecordKind::Folder), std::set<std::string>{folder / "sub"});
    ASSERT_EQ(files.left.size(), 1u);
    EXPECT_EQ(files.left[0].place, folder / "held.tmp");
    EXPECT_EQ(files.left[0].reason, "it is held open, by another program or by the system");
    EXPECT_EQ(TotalsOf(record).bytesOverwritten, CVxRun::WrittenBytes() - before);
    EXPECT_EQ(TotalsOf(record).bytesOverwritten, 2 * 3 * 8192u) << "two files, three passes";
    EXPECT_EQ(record.end, RunEnd::PartlyDone);
    EXPECT_EQ(record.passes, 3u);
    EXPECT_TRUE(record.readBack);
    ASSERT_FALSE(record.volumes.empty());
    EXPECT_EQ(record.volumes[0].root, "C:\\");
    EXPECT_FALSE(record.volumes[0].fileSystem.empty());
}

// Stamps far ahead keep the reports of this test the newest of the folder; of two reports of the
// same second, the second one written is the newer.
TEST(RunReport, OnlyTheNewestReportsStayAndAWriteCutShortIsErased) {
    const std::string folder = ReportsFolder();
    MakeFolders(folder);
    const std::string partial = folder + "\\report-29990101-000000.json.partial";
    WriteText(partial, "{\"cut");
    CVxMain engine;
    std::vector<std::wstring> written;
    for (const char* started :
         {"2999-01-02T00:00:00+00:00", "2999-01-03T00:00:00+00:00", "2999-01-03T00:00:00+00:00"}) {
        RunRecord record;
        record.started = started;
        const StoredReport stored = StoreReport(engine, record, 2);
        ASSERT_TRUE(stored.failure.empty()) << stored.failure;
        written.push_back(stored.html);
    }
    EXPECT_FALSE(Exists(partial));
    EXPECT_FALSE(Exists(folder + "\\report-29990102-000000.html"));
    EXPECT_FALSE(Exists(folder + "\\report-29990102-000000.json"));
    for (const char* kept : {"report-29990103-000000", "report-29990103-000000-2"}) {
        EXPECT_TRUE(Exists(folder + "\\" + kept + ".html"));
        EXPECT_NE(ReadText(folder + "\\" + kept + ".json").find("\"outcome\""), std::string::npos);
        DeleteFileA((folder + "\\" + kept + ".html").c_str());
        DeleteFileA((folder + "\\" + kept + ".json").c_str());
    }
}

// A file where the folder of reports should be: the report fails and says so, and nothing throws.
TEST(RunReport, AFolderOfReportsThatCannotBeMadeGivesAFailureAndNoReport) {
    const std::string folder = ReportsFolder();
    const std::string aside = folder + ".aside";
    MoveFileA(folder.c_str(), aside.c_str());
    WriteText(folder, "not a folder");
    CVxMain engine;
    RunRecord record;
    record.started = "2999-02-01T00:00:00+00:00";
    const StoredReport stored = StoreReport(engine, record, 50);
    DeleteFileA(folder.c_str());
    MoveFileA(aside.c_str(), folder.c_str());
    EXPECT_TRUE(stored.html.empty());
    EXPECT_FALSE(stored.failure.empty());
}
