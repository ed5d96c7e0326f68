// Profiles of Chrome, Edge and Firefox as these browsers lay them out, in a scratch folder that
// stands in for the user's application data folders: real SQLite databases of the shapes the
// browsers write, with history, cookies, form entries and passwords beside what a user keeps
// (bookmarks, search engines, settings, extensions).
#pragma once

#include "common/Database.h"
#include "common/Scratch.h"
#include "common/ValueGuard.h"

#include <memory>
#include <string>
#include <vector>

// The statements on a new database at `path`, its folders made first.
void MakeProfileDatabase(const std::string& path, const std::vector<std::string>& statements);

class BrowserFixture {
public:
    BrowserFixture();

    // The profile folders.
    std::string ChromeDefault() const { return m_chrome + "\\Default"; }
    std::string ChromeSecond() const { return m_chrome + "\\Profile 1"; }
    std::string ChromeHome() const { return m_chrome; }
    std::string EdgeDefault() const { return m_edge + "\\Default"; }
    std::string FirefoxHome() const { return m_firefox; }
    std::string FirefoxDefault() const { return m_firefox + "\\Profiles\\abc.default"; }
    std::string FirefoxDefaultCache() const;
    std::string FirefoxWork() const { return m_scratch.Path() + "\\Firefox Work"; }

    // The files and folders a run must leave as they are, with their contents.
    std::vector<std::string> Kept() const;

private:
    void MakeChromium(const std::string& profile);
    void MakeFirefox(const std::string& profile, const std::string& cache);

    ScratchFolder m_scratch{"browsers"};
    ValueGuard m_roaming, m_local;
    std::string m_chrome, m_edge, m_firefox;
};

// The visited addresses of the fixture: none may be found after a run of History.
extern const char* const kVisitedAddresses[];
extern const char kBookmarkedAddress[];
