#pragma once
// Builds browser cookie stores for tests: Chromium- and Firefox-schema cookie
// databases and binary cookie files, written into a test's own folder so that
// no test ever opens a real browser profile.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

namespace zentrel::testing {

// ---- Binary cookie files ----

// One cookie record. With `flags` lacking the bit of value 4 it names no host.
struct BinaryCookie {
    std::string host;
    std::uint32_t flags = 4;
    std::string name = "id";
    std::string value = "1";
};

// The bytes of a record (without its length prefix): 8 bytes, the flags
// (little-endian), 12 bytes, then name, value, path, expiry and host, each a
// little-endian length followed by its bytes.
[[nodiscard]] std::string binaryCookieRecord(const BinaryCookie& cookie);
// A page: 4 header bytes, the record count, then each record with its
// big-endian length.
[[nodiscard]] std::string binaryCookiePage(const std::vector<std::string>& records,
                                           const std::string& header = std::string("\0\0\1\0", 4));
[[nodiscard]] std::string binaryCookiePage(const std::vector<BinaryCookie>& cookies);
// A whole file: "cook", the page count, the page sizes, the pages.
[[nodiscard]] std::string binaryCookieFile(const std::vector<std::string>& pages);

// ---- Cookie databases ----

// The two schemas of cookie databases, with every column current versions of
// the browsers write: Chromium's "cookies" table (schema version 24, host in
// "host_key") with its "meta" table, and Firefox's "moz_cookies" table (host
// in "host").
enum class CookieSchema { chromium, firefox };
// How a store keeps its changes: a rollback journal, or a write-ahead log.
enum class JournalMode { rollback, writeAheadLog };

// A store with one cookie per host, in order. Creates missing folders.
void writeCookieDatabase(CookieSchema schema, const std::filesystem::path& path, const std::vector<std::string>& hosts,
                         JournalMode mode);
// Adds one cookie per host, as the browser does when it saves new cookies.
void addCookies(CookieSchema schema, const std::filesystem::path& path, const std::vector<std::string>& hosts);
// Adds cookies as a browser that holds a write-ahead store open leaves them:
// in the "-wal" log beside the store, not yet in the store itself, and no
// "-shm" index (browsers keep their stores in exclusive locking mode).
void addCookiesInLog(CookieSchema schema, const std::filesystem::path& path, const std::vector<std::string>& hosts);
// The hosts of every row, in row order.
[[nodiscard]] std::vector<std::string> cookieHosts(CookieSchema schema, const std::filesystem::path& path);

// A Chromium store in rollback mode and a Firefox store in write-ahead-log
// mode, as the browsers keep them by default.
void writeChromiumCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts);
void writeFirefoxCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts);
[[nodiscard]] std::vector<std::string> chromiumCookieHosts(const std::filesystem::path& path);
[[nodiscard]] std::vector<std::string> firefoxCookieHosts(const std::filesystem::path& path);

// Holds a store the way a running browser does while it lives: open in
// exclusive locking mode, so that no other program can read or change it.
class RunningBrowser {
public:
    explicit RunningBrowser(const std::filesystem::path& store);
    ~RunningBrowser();
    RunningBrowser(const RunningBrowser&) = delete;
    RunningBrowser& operator=(const RunningBrowser&) = delete;

private:
    ::sqlite3* db_ = nullptr;
};

}  // namespace zentrel::testing
