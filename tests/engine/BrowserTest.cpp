// The browsers' traces on profiles laid out as the browsers lay them out: what each entry removes,
// what it keeps byte for byte or row for row, and what it leaves with a line when the browser
// runs or a database is not what it expects.
#include "BrowserFixture.h"
#include "FileSystem.h"
#include "Handle.h"
#include "TraceTree.h"
#include "VxBrowsers.h"
#include "VxKeep.h"
#include "VxMain.h"
#include "VxPreview.h"
#include "VxRun.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Member = void (CVxMain::*)();

const Member kAllButPasswords[] = {
    &CVxMain::DelChromeHistory,  &CVxMain::DelChromeCache,    &CVxMain::DelChromeCookies,
    &CVxMain::DelChromeSession,  &CVxMain::DelChromeFormData, &CVxMain::DelEdgeHistory,
    &CVxMain::DelEdgeCache,      &CVxMain::DelEdgeCookies,    &CVxMain::DelEdgeSession,
    &CVxMain::DelEdgeFormData,   &CVxMain::DelFirefoxHistory, &CVxMain::DelFirefoxCache,
    &CVxMain::DelFirefoxCookies, &CVxMain::DelFirefoxSession, &CVxMain::DelFirefoxFormData,
};

std::map<std::string, std::string> Contents(const std::vector<std::string>& files) {
    std::map<std::string, std::string> contents;
    for (const std::string& file : files)
        contents[file] = ContentHash(file);
    return contents;
}

// Runs nvc with `arguments`; its exit code, with what it wrote to its standard output and error.
DWORD Nvc(const std::string& arguments, std::string& out, std::string& err) {
    ScratchFolder folder("browsers-nvc");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const auto create = [&](const char* name) {
        return FileHandle(CreateFileA((folder / name).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                      &inherit, CREATE_ALWAYS, 0, nullptr));
    };
    const FileHandle output = create("out.txt"), errors = create("err.txt");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.Get();
    startup.hStdError = errors.Get();
    std::string command = "C:\\Norvexa\\nvc.exe " + arguments;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return DWORD(-1);
    const KernelHandle thread(process.hThread), child(process.hProcess);
    WaitForSingleObject(child.Get(), 60000);
    DWORD code = DWORD(-1);
    GetExitCodeProcess(child.Get(), &code);
    out = ReadText(folder / "out.txt");
    err = ReadText(folder / "err.txt");
    return code;
}

std::vector<std::string> Notes(const CVxRun& run) {
    std::vector<std::string> notes;
    for (unsigned long i = 0; i < run.NoteCount(); ++i)
        notes.push_back(run.Note(i));
    return notes;
}

class Browsers : public ::testing::Test {
protected:
    void SetUp() override { m_engine.IniLib(); }
    void TearDown() override { m_engine.UnIniLib(); }

    BrowserFixture m_fixture;
    CVxMain m_engine;
};

// Every trace line of each preview, in UTF-8.
class Lines : public VxTraceSink {
public:
    void Found(const VxTrace& trace) noexcept override {
        lines.push_back(std::to_string(int(trace.kind)) + " " + trace.place + " " + trace.name);
    }
    bool Has(const std::string& text) const {
        for (const std::string& line : lines)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

} // namespace

TEST_F(Browsers, EachInstalledBrowserIsFound) {
    EXPECT_TRUE(VxBrowserInstalled(VxBrowser::Chrome));
    EXPECT_TRUE(VxBrowserInstalled(VxBrowser::Edge));
    EXPECT_TRUE(VxBrowserInstalled(VxBrowser::Firefox));
}

// History, cache, cookies, sessions and form data of every profile go; bookmarks, settings,
// extensions, search engines, the stores of extensions and the passwords stay, and so does
// everything a list names outside the browsers' folders or through a link.
TEST_F(Browsers, TheTracesOfEveryProfileGoAndWhatAUserKeepsStays) {
    const auto kept = Contents(m_fixture.Kept());
    const CVxRun run;
    for (Member member : kAllButPasswords)
        (m_engine.*member)();
    EXPECT_EQ(run.Left(), 0u);
    EXPECT_EQ(Contents(m_fixture.Kept()), kept);

    for (const std::string& profile :
         {m_fixture.ChromeDefault(), m_fixture.ChromeSecond(), m_fixture.EdgeDefault()}) {
        for (const char* gone :
             {"\\History", "\\History-journal", "\\Network\\Cookies", "\\Current Session",
              "\\IndexedDB\\https_visited-chromium.example_0.indexeddb.leveldb"})
            EXPECT_FALSE(Exists(profile + gone)) << profile + gone;
        for (const char* emptied : {"\\Cache", "\\Code Cache", "\\Sessions"})
            EXPECT_EQ(Listing(profile + emptied), "") << profile + emptied;
        EXPECT_EQ(Query(profile + "\\Web Data", "SELECT COUNT(*) FROM autofill"), 0);
        EXPECT_EQ(Query(profile + "\\Web Data", "SELECT COUNT(*) FROM keywords"), 1);
        EXPECT_TRUE(Exists(profile + "\\Login Data"));
    }
    EXPECT_EQ(Listing(m_fixture.ChromeHome() + "\\ShaderCache"), "");

    for (const std::string& profile : {m_fixture.FirefoxDefault(), m_fixture.FirefoxWork()}) {
        const std::string places = profile + "\\places.sqlite";
        EXPECT_EQ(Query(places, "SELECT COUNT(*) FROM moz_historyvisits"), 0);
        EXPECT_EQ(Query(places, "SELECT COUNT(*) FROM moz_inputhistory"), 0);
        EXPECT_EQ(Query(places, "SELECT COUNT(*) FROM moz_annos"), 0);
        EXPECT_EQ(Query(places, "SELECT COUNT(*) FROM moz_bookmarks"), 2) << "bookmarks stay";
        EXPECT_EQ(Query(places, "SELECT COUNT(*) FROM moz_places WHERE id IN (2, 3)"), 2)
            << "the bookmarked and the keyword's places stay";
        EXPECT_EQ(Query(places, "SELECT COUNT(*) FROM moz_places"), 2);
        EXPECT_EQ(Query(places, "SELECT MAX(visit_count) + COUNT(last_visit_date) FROM "
                                "moz_places"),
                  0);
        EXPECT_EQ(Query(places, "SELECT COUNT(*) FROM moz_origins"), 1);
        EXPECT_FALSE(Exists(places + "-journal")) << "the journal of the removal is erased too";
        for (const char* gone :
             {"\\formhistory.sqlite", "\\cookies.sqlite", "\\sessionstore.jsonlz4",
              "\\storage\\default\\https+++visited-firefox.example"})
            EXPECT_FALSE(Exists(profile + gone)) << profile + gone;
        EXPECT_EQ(Listing(profile + "\\sessionstore-backups"), "");
        EXPECT_TRUE(Exists(profile + "\\logins.json"));
    }
    EXPECT_EQ(Listing(m_fixture.FirefoxDefaultCache() + "\\cache2"), "");
}

TEST_F(Browsers, SavedPasswordsGoOnlyWithTheirOwnEntries) {
    const auto kept = Contents(m_fixture.Kept());
    m_engine.DelChromePasswords();
    m_engine.DelFirefoxPasswords();
    EXPECT_FALSE(Exists(m_fixture.ChromeDefault() + "\\Login Data"));
    EXPECT_FALSE(Exists(m_fixture.FirefoxWork() + "\\logins.json"));
    EXPECT_TRUE(Exists(m_fixture.EdgeDefault() + "\\Login Data")) << "another browser's stay";
    EXPECT_EQ(Contents(m_fixture.Kept()), kept) << "the key store stays";
}

// A browser that runs holds its lock: its files are in use, so the run leaves them whole.
TEST_F(Browsers, ARunningBrowserIsLeftWholeWithALine) {
    const FileHandle lock(CreateFileA((m_fixture.ChromeHome() + "\\lockfile").c_str(), GENERIC_READ,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    const std::string history = ContentHash(m_fixture.ChromeDefault() + "\\History");
    const CVxRun run;
    m_engine.DelChromeHistory();
    EXPECT_EQ(ContentHash(m_fixture.ChromeDefault() + "\\History"), history);
    EXPECT_EQ(run.Left(), 1u);
    EXPECT_EQ(Notes(run),
              std::vector<std::string>{"Google Chrome is running: close it and shred again"});
}

// A database another program holds, one that is no database, one of another schema and a
// damaged one are each left byte for byte, with a line.
TEST_F(Browsers, DatabasesThatAreHeldUnknownOrDamagedAreLeftAsTheyWere) {
    const std::string places = m_fixture.FirefoxDefault() + "\\places.sqlite";
    const std::string work = m_fixture.FirefoxWork() + "\\places.sqlite";
    const FileHandle held(
        CreateFileA(places.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    WriteText(work, "this is no database, but a text of visited-firefox.example");
    const std::string before = ContentHash(places) + ContentHash(work);
    {
        const CVxRun run;
        m_engine.DelFirefoxHistory();
        EXPECT_EQ(run.Left(), 2u);
        const std::vector<std::string> notes = Notes(run);
        ASSERT_EQ(notes.size(), 2u);
        EXPECT_NE(notes[0].find("places.sqlite is in use by another program"), std::string::npos)
            << notes[0];
        EXPECT_NE(notes[1].find("places.sqlite is no database of a kind this version knows"),
                  std::string::npos)
            << notes[1];
    }
    EXPECT_EQ(ContentHash(places) + ContentHash(work), before);

    MakeProfileDatabase(work + ".other",
                        {"CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT)",
                         "INSERT INTO moz_places VALUES(1, 'https://visited.example')"});
    RemoveTree(work);
    ASSERT_TRUE(MoveFileA((work + ".other").c_str(), work.c_str()));
    const std::string otherSchema = ContentHash(work);
    m_engine.DelFirefoxHistory();
    EXPECT_EQ(ContentHash(work), otherSchema) << "a schema without visits is not changed";
    EXPECT_EQ(Query(work, "SELECT COUNT(*) FROM moz_places"), 1);

    // A database of the right schema whose pages after the first, where its rows are, are
    // overwritten.
    RemoveTree(work);
    std::vector<std::string> statements = {
        "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, visit_count INTEGER, "
        "last_visit_date INTEGER)",
        "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, place_id INTEGER)",
        "CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, fk INTEGER)",
        "CREATE TABLE moz_inputhistory(place_id INTEGER, input TEXT)",
        "CREATE TABLE moz_keywords(id INTEGER PRIMARY KEY, place_id INTEGER)"};
    for (int i = 0; i < 300; ++i)
        statements.push_back("INSERT INTO moz_historyvisits(place_id) VALUES(" + std::to_string(i) +
                             ")");
    MakeProfileDatabase(work, statements);
    std::string damaged = ReadText(work);
    ASSERT_GT(damaged.size(), 8192u);
    damaged.replace(4096, 4096, std::string(4096, '\x5A'));
    WriteText(work, damaged);
    const CVxRun run;
    m_engine.DelFirefoxHistory();
    EXPECT_EQ(ReadText(work), damaged);
    EXPECT_EQ(run.Left(), 2u) << "the held database and the damaged one";
}

// With a site kept, the cookie databases lose every other site's rows and keep its own and its
// subdomains', and the storage folders of a kept site stay.
TEST_F(Browsers, CookiesOfAKeptSiteStayInEveryBrowser) {
    const std::string chrome = m_fixture.ChromeDefault() + "\\Network\\Cookies";
    const std::string firefox = m_fixture.FirefoxDefault() + "\\cookies.sqlite";
    ASSERT_TRUE(
        MakeDatabase(chrome, {"INSERT INTO cookies VALUES('.kept.example', 'sid', 'k')",
                              "INSERT INTO cookies VALUES('mail.kept.example', 'a', 'k')"}));
    ASSERT_TRUE(
        MakeDatabase(firefox, {"INSERT INTO moz_cookies VALUES('.kept.example', 's', 'k')"}));
    const std::string keptStore =
        m_fixture.FirefoxDefault() + "\\storage\\default\\https+++kept.example";
    MakeFolders(keptStore);
    WriteText(keptStore + "\\data.sqlite", "kept storage");
    {
        CVxKeep keep;
        keep.KeepSite("kept.example");
        m_engine.DelChromeCookies();
        m_engine.DelFirefoxCookies();
    }
    EXPECT_EQ(Query(chrome, "SELECT COUNT(*) FROM cookies"), 2);
    EXPECT_EQ(Query(chrome, "SELECT COUNT(*) FROM cookies WHERE host_key LIKE '%visited%'"), 0);
    EXPECT_EQ(Query(firefox, "SELECT COUNT(*) FROM moz_cookies"), 1);
    EXPECT_EQ(ReadText(keptStore + "\\data.sqlite"), "kept storage");
    EXPECT_FALSE(
        Exists(m_fixture.FirefoxDefault() + "\\storage\\default\\https+++visited-firefox.example"));
}

// The preview counts the rows and names the files, the line of a running browser included, and
// changes nothing.
TEST_F(Browsers, ThePreviewNamesRowsAndFilesAndChangesNothing) {
    const std::string places = m_fixture.FirefoxDefault() + "\\places.sqlite";
    const std::string before = ContentHash(places);
    Lines lines;
    {
        const CVxPreview preview(lines);
        m_engine.DelFirefoxHistory();
        m_engine.DelChromeCookies();
    }
    EXPECT_TRUE(
        lines.Has(std::to_string(int(VxTraceKind::Rows)) + " " + places + " 3 history entries"))
        << "two visits and the place without a bookmark";
    EXPECT_TRUE(lines.Has(m_fixture.ChromeSecond() + "\\Network\\Cookies"));
    EXPECT_EQ(ContentHash(places), before);
    EXPECT_TRUE(Exists(m_fixture.ChromeSecond() + "\\Network\\Cookies"));
}

// nvc names the browsers' entries as its list shows them, previews their rows, and ends a run
// that left a running browser whole with exit 1 and its line.
TEST_F(Browsers, NvcPreviewsAndShredsTheBrowsersEntries) {
    std::string out, err;
    ASSERT_EQ(Nvc("preview \"Mozilla Firefox: History\" \"Google Chrome: Cookies\"", out, err), 0u)
        << err;
    EXPECT_NE(out.find("Rows of " + m_fixture.FirefoxWork() + "\\places.sqlite: 3 history entries"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("File " + m_fixture.ChromeDefault() + "\\Network\\Cookies"),
              std::string::npos);
    EXPECT_EQ(Nvc("shred \"Mozilla Firefox: History\"", out, err), 0u) << out << err;
    EXPECT_EQ(Query(m_fixture.FirefoxWork() + "\\places.sqlite",
                    "SELECT COUNT(*) FROM moz_historyvisits"),
              0);

    const FileHandle lock(CreateFileA((m_fixture.ChromeHome() + "\\lockfile").c_str(), GENERIC_READ,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(Nvc("shred \"Google Chrome: History\"", out, err), 1u);
    EXPECT_NE(err.find("Google Chrome is running: close it and shred again"), std::string::npos)
        << err;
    EXPECT_TRUE(Exists(m_fixture.ChromeDefault() + "\\History"));
}
