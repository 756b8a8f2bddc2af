#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"
#include "platform/files/AtomicFile.hpp"
#include "scanners/privacy/PrivacySweepError.hpp"
#include "scanners/privacy/SQLiteCookieDatabase.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace zentrel::scanners {
namespace {

using namespace std::chrono_literals;

const SQLiteCookieDatabase kChromium{kChromiumCookieTable, 0ms};
const SQLiteCookieDatabase kFirefox{kFirefoxCookieTable, 0ms};

const std::vector<std::string> kHosts = {
    "t.co",          ".t.co",           "x.t.co",          "microsoft.com",  "t.com",        "at.co",
    "doubleclick.net", ".doubleclick.net", "stats.g.doubleclick.net", "doubleclick.network", "notdoubleclick.net",
    "a_b.com",       "axb.com",         "DoubleClick.NET",
};

std::vector<std::string> without(std::vector<std::string> hosts, const std::vector<std::string>& removed) {
    std::erase_if(hosts, [&](const auto& h) { return std::find(removed.begin(), removed.end(), h) != removed.end(); });
    return hosts;
}

std::vector<std::string> sorted(std::vector<std::string> values) {
    std::sort(values.begin(), values.end());
    return values;
}

// A second connection that holds the database locked while it lives.
class LockingConnection {
public:
    LockingConnection(const std::filesystem::path& path, const char* begin) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db_, begin, nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~LockingConnection() {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    LockingConnection(const LockingConnection&) = delete;
    LockingConnection& operator=(const LockingConnection&) = delete;

private:
    sqlite3* db_ = nullptr;
};

struct DeletionCase {
    const char* name;
    std::vector<std::string> domains;
    std::vector<std::string> removedHosts;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const DeletionCase& c, std::ostream* out) { *out << c.name; }

class CookieDeletionTest : public ::testing::TestWithParam<DeletionCase> {};

TEST_P(CookieDeletionTest, RemovesTheHostAndItsSubdomainsOnlyInBothSchemas) {
    testing::TempDir dir;
    const auto chromium = dir / "Cookies";
    const auto firefox = dir / "cookies.sqlite";
    testing::writeChromiumCookieDatabase(chromium, kHosts);
    testing::writeFirefoxCookieDatabase(firefox, kHosts);
    const auto expected = without(kHosts, GetParam().removedHosts);
    const auto removed = static_cast<std::int64_t>(kHosts.size() - expected.size());

    EXPECT_EQ(kChromium.deleteHosts(chromium.string(), GetParam().domains), removed);
    EXPECT_EQ(testing::chromiumCookieHosts(chromium), expected);
    EXPECT_EQ(kFirefox.deleteHosts(firefox.string(), GetParam().domains), removed);
    EXPECT_EQ(testing::firefoxCookieHosts(firefox), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CookieDeletionTest,
    ::testing::Values(
        DeletionCase{"ShortDomainLeavesLookAlikes", {"t.co"}, {"t.co", ".t.co", "x.t.co"}},
        DeletionCase{"LeadingDotMeansTheSameDomain", {".t.co"}, {"t.co", ".t.co", "x.t.co"}},
        DeletionCase{"SubdomainsAtAnyDepthAndAnyCase",
                     {"doubleclick.net"},
                     {"doubleclick.net", ".doubleclick.net", "stats.g.doubleclick.net", "DoubleClick.NET"}},
        DeletionCase{"SubdomainOnly", {"stats.g.doubleclick.net"}, {"stats.g.doubleclick.net"}},
        DeletionCase{"WildcardsAreLiteral", {"a_b.com"}, {"a_b.com"}},
        DeletionCase{"PercentMatchesNothing", {"%"}, {}},
        DeletionCase{"RepeatedDomainsCountRowsOnce",
                     {".t.co", "t.co", "x.t.co"},
                     {"t.co", ".t.co", "x.t.co"}},
        DeletionCase{"EmptyDomainsAreSkipped", {"", "."}, {}},
        DeletionCase{"UnknownDomain", {"example.org"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Stores of both schemas, in both journal modes, and with a browser's newest
// rows still in the log beside the store.
struct StoreCase {
    const char* name;
    testing::CookieSchema schema;
    testing::JournalMode mode;
    bool rowsInLog;
};
void PrintTo(const StoreCase& c, std::ostream* out) { *out << c.name; }

class EveryStoreKindTest : public ::testing::TestWithParam<StoreCase> {
protected:
    const SQLiteCookieDatabase& database() const {
        return GetParam().schema == testing::CookieSchema::chromium ? kChromium : kFirefox;
    }
    std::filesystem::path store() {
        const auto path = dir / "profile" / "cookies";
        testing::writeCookieDatabase(GetParam().schema, path, {"a.com", ".doubleclick.net"}, GetParam().mode);
        if (GetParam().rowsInLog) testing::addCookiesInLog(GetParam().schema, path, {"hotjar.com"});
        return path;
    }
    // Every entry of the profile folder with its contents.
    std::map<std::string, std::optional<std::string>> profileFolder() const {
        std::map<std::string, std::optional<std::string>> entries;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "profile")) {
            entries[entry.path().filename().string()] = platform::readWholeFile(entry.path());
        }
        return entries;
    }

    testing::TempDir dir;
};

TEST_P(EveryStoreKindTest, AReadFindsEveryCookieAndCreatesOrChangesNothingInTheProfile) {
    const auto path = store();
    const auto before = profileFolder();
    const auto read = database().readHosts(path.string());
    EXPECT_EQ(read.status, CookieStoreHosts::Status::read);
    auto expected = std::vector<std::string>{".doubleclick.net", "a.com"};
    if (GetParam().rowsInLog) expected.push_back("hotjar.com");
    EXPECT_EQ(sorted(read.hosts), expected);
    EXPECT_EQ(profileFolder(), before);
}

TEST_P(EveryStoreKindTest, AStoreItsRunningBrowserHoldsReadsAsBusy) {
    const auto path = store();
    testing::RunningBrowser browser(path);
    EXPECT_EQ(database().readHosts(path.string()).status, CookieStoreHosts::Status::busy);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, EveryStoreKindTest,
    ::testing::Values(
        StoreCase{"ChromiumRollback", testing::CookieSchema::chromium, testing::JournalMode::rollback, false},
        StoreCase{"ChromiumLog", testing::CookieSchema::chromium, testing::JournalMode::writeAheadLog, false},
        StoreCase{"ChromiumRowsInLog", testing::CookieSchema::chromium, testing::JournalMode::writeAheadLog, true},
        StoreCase{"FirefoxRollback", testing::CookieSchema::firefox, testing::JournalMode::rollback, false},
        StoreCase{"FirefoxLog", testing::CookieSchema::firefox, testing::JournalMode::writeAheadLog, false},
        StoreCase{"FirefoxRowsInLog", testing::CookieSchema::firefox, testing::JournalMode::writeAheadLog, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SQLiteCookieDatabaseTest, ListsDistinctHostsWithoutChangingTheFile) {
    testing::TempDir dir;
    const auto chromium = dir / "Cookies";
    const auto firefox = dir / "cookies.sqlite";
    testing::writeChromiumCookieDatabase(chromium, {"a.com", ".a.com", "b.com"});
    testing::writeFirefoxCookieDatabase(firefox, {"a.com", "hotjar.com"});
    for (const auto& path : {chromium, firefox}) std::filesystem::last_write_time(path, std::filesystem::file_time_type{});
    const auto chromiumBytes = platform::readWholeFile(chromium);
    const auto firefoxBytes = platform::readWholeFile(firefox);
    const auto entriesBefore = std::distance(std::filesystem::directory_iterator(dir.path()), {});

    EXPECT_EQ(sorted(kChromium.readHosts(chromium.string()).hosts), (std::vector<std::string>{".a.com", "a.com", "b.com"}));
    EXPECT_EQ(sorted(kFirefox.readHosts(firefox.string()).hosts), (std::vector<std::string>{"a.com", "hotjar.com"}));

    EXPECT_EQ(platform::readWholeFile(chromium), chromiumBytes);
    EXPECT_EQ(platform::readWholeFile(firefox), firefoxBytes);
    for (const auto& path : {chromium, firefox}) {
        EXPECT_EQ(std::filesystem::last_write_time(path), std::filesystem::file_time_type{}) << path;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), entriesBefore);
}

TEST(SQLiteCookieDatabaseTest, ListsAStoreThatItsBrowserHasOpenOrWhosePathNeedsEscaping) {
    testing::TempDir dir;
    const auto open = dir / "open" / "cookies.sqlite";
    const auto oddName = dir / "we?ird %41#name" / "cookies.sqlite";
    testing::writeFirefoxCookieDatabase(open, {"a.com"});
    testing::writeFirefoxCookieDatabase(oddName, {"b.com"});
    {
        LockingConnection browser(open, "BEGIN; INSERT INTO moz_cookies(host, name) VALUES('c.com', 'x'); COMMIT; BEGIN");
        ASSERT_TRUE(std::filesystem::exists(open.string() + "-wal"));
        EXPECT_EQ(sorted(kFirefox.readHosts(open.string()).hosts), (std::vector<std::string>{"a.com", "c.com"}));
    }
    EXPECT_EQ(kFirefox.readHosts(oddName.string()).hosts, std::vector<std::string>{"b.com"});
}

TEST(SQLiteCookieDatabaseTest, ListingGivesNothingForMissingForeignOrDamagedStores) {
    testing::TempDir dir;
    testing::writeChromiumCookieDatabase(dir / "Cookies", {"a.com"});
    const auto garbage = dir.write("garbage", std::string(4096, 'x'));

    using Status = CookieStoreHosts::Status;
    EXPECT_EQ(kChromium.readHosts((dir / "missing").string()).status, Status::unreadable);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_EQ(kFirefox.readHosts((dir / "Cookies").string()).status, Status::unreadable);  // no moz_cookies table
    EXPECT_EQ(kChromium.readHosts(garbage.string()).status, Status::unreadable);
}

TEST(SQLiteCookieDatabaseTest, ListingDoesNotFollowALinkedStore) {
    testing::TempDir dir;
    testing::writeChromiumCookieDatabase(dir / "real", {"a.com"});
    std::filesystem::create_symlink(dir / "real", dir / "Cookies");
    EXPECT_EQ(kChromium.readHosts((dir / "Cookies").string()).status, CookieStoreHosts::Status::unreadable);
}

TEST(SQLiteCookieDatabaseTest, AnEmptyDomainListOpensNothing) {
    testing::TempDir dir;
    EXPECT_EQ(kChromium.deleteHosts((dir / "Cookies").string(), {}), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "Cookies"));
}

TEST(SQLiteCookieDatabaseTest, AMissingStoreFailsAndIsNotCreated) {
    testing::TempDir dir;
    const auto path = (dir / "Cookies").string();
    try {
        (void)kChromium.deleteHosts(path, {"a.com"});
        FAIL() << "deleting from a missing store succeeded";
    } catch (const PrivacySweepError& error) {
        EXPECT_EQ(error, PrivacySweepError::cookieStoreOpenFailed(path));
        EXPECT_EQ(error.errorDescription(), "Could not open cookie store at " + path);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SQLiteCookieDatabaseTest, DamagedOrForeignStoresFailAndStayUnchanged) {
    testing::TempDir dir;
    const auto garbage = dir.write("garbage", std::string(4096, 'x')).string();
    const auto foreign = dir / "foreign";
    testing::writeChromiumCookieDatabase(foreign, {"a.com"});
    const auto foreignBytes = platform::readWholeFile(foreign);

    EXPECT_THROW((void)kChromium.deleteHosts(garbage, {"a.com"}), PrivacySweepError);
    try {
        (void)kFirefox.deleteHosts(foreign.string(), {"a.com"});
        FAIL() << "a store of another schema was changed";
    } catch (const PrivacySweepError& error) {
        EXPECT_EQ(error.kind(), PrivacySweepError::Kind::cookieStoreDamaged);
        EXPECT_EQ(error.payload(), foreign.string());
    }
    EXPECT_EQ(platform::readWholeFile(garbage), std::string(4096, 'x'));
    EXPECT_EQ(platform::readWholeFile(foreign), foreignBytes);
}

TEST(SQLiteCookieDatabaseTest, AReadOnlyStoreFailsToOpen) {
    testing::TempDir dir;
    const auto path = dir / "Cookies";
    testing::writeChromiumCookieDatabase(path, {"doubleclick.net"});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    if (::access(path.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore file modes";
    try {
        (void)kChromium.deleteHosts(path.string(), {"doubleclick.net"});
        FAIL() << "a read-only store was reported as cleaned";
    } catch (const PrivacySweepError& error) {
        EXPECT_EQ(error.kind(), PrivacySweepError::Kind::cookieStoreOpenFailed);
    }
    EXPECT_EQ(testing::chromiumCookieHosts(path), std::vector<std::string>{"doubleclick.net"});
}

TEST(SQLiteCookieDatabaseTest, AStoreLockedByAnotherProgramFailsAsBusyAndKeepsItsRows) {
    testing::TempDir dir;
    const auto path = dir / "Cookies";
    testing::writeChromiumCookieDatabase(path, {"doubleclick.net", "t.co", "example.com"});
    for (const char* lock : {"BEGIN EXCLUSIVE", "BEGIN IMMEDIATE"}) {
        SCOPED_TRACE(lock);
        LockingConnection browser(path, lock);
        try {
            (void)kChromium.deleteHosts(path.string(), {"doubleclick.net", "t.co"});
            FAIL() << "a locked store was reported as cleaned";
        } catch (const PrivacySweepError& error) {
            EXPECT_EQ(error, PrivacySweepError::cookieStoreBusy(path.string()));
        }
    }
    EXPECT_EQ(testing::chromiumCookieHosts(path), (std::vector<std::string>{"doubleclick.net", "t.co", "example.com"}));
}

TEST(SQLiteCookieDatabaseTest, EscapesLikeWildcards) {
    EXPECT_EQ(SQLiteCookieDatabase::escapedForLike("a_b%c\\d.com"), "a\\_b\\%c\\\\d.com");
    EXPECT_EQ(SQLiteCookieDatabase::escapedForLike("plain.com"), "plain.com");
}

}  // namespace
}  // namespace zentrel::scanners
