#pragma once
// The cookie database of a Chromium-family browser or of Firefox: lists the
// cookie hosts read-only, deletes the cookies of given hosts and their
// subdomains, and puts them back from a backup of the store; each change is
// one transaction, so a store is changed wholly or not at all.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

// The statements of one database schema; fixed texts, values are bound.
struct CookieTableLayout {
    const char* table;
    const char* hostColumn;
    const char* selectHosts;
    // Parameter 1: the host (LIKE-escaped); parameter 2: "%." + the host (LIKE-escaped).
    const char* deleteHosts;
};

// Chromium-family browsers keep their cookies in table "cookies", column "host_key".
inline constexpr CookieTableLayout kChromiumCookieTable{
    "cookies",
    "host_key",
    "SELECT host_key FROM cookies",
    "DELETE FROM cookies WHERE host_key LIKE ?1 ESCAPE '\\' OR host_key LIKE ?2 ESCAPE '\\'",
};
// Firefox keeps them in table "moz_cookies", column "host".
inline constexpr CookieTableLayout kFirefoxCookieTable{
    "moz_cookies",
    "host",
    "SELECT host FROM moz_cookies",
    "DELETE FROM moz_cookies WHERE host LIKE ?1 ESCAPE '\\' OR host LIKE ?2 ESCAPE '\\'",
};

// What reading the hosts of a store found.
struct CookieStoreHosts {
    enum class Status {
        read,
        busy,        // another program (its browser) holds the store locked
        unreadable,  // missing, of another schema or damaged
    };
    Status status = Status::unreadable;
    std::vector<std::string> hosts;  // the non-empty host of every cookie, when read
};

class SQLiteCookieDatabase final {
public:
    SQLiteCookieDatabase(CookieTableLayout layout, std::chrono::milliseconds busyTimeout)
        : layout_(layout), busyTimeout_(busyTimeout) {}

    // The hosts, read without changing anything beside the store.
    [[nodiscard]] CookieStoreHosts readHosts(const std::string& path) const;

    // Deletes the cookies of each domain: the host itself (with or without a
    // leading ".") and every subdomain of it, never a host that merely
    // contains the text. Returns the number of rows deleted. An empty list
    // opens nothing. Throws PrivacySweepError: cookieStoreOpenFailed when the
    // store is missing or cannot be opened for writing, cookieStoreBusy when
    // it stays locked past the busy timeout, cookieStoreDamaged when it is
    // not a readable cookie database; the store is then unchanged.
    [[nodiscard]] std::int64_t deleteHosts(const std::string& path, const std::vector<std::string>& domains) const;

    // Puts back from `backupPath` (a copy of the store made before a
    // removal) the cookies of each domain and its subdomains that the store
    // no longer holds, leaving out those of the `excluded` domains (and their
    // subdomains); a cookie the store holds again, or has kept, stays as it
    // is now. Returns the number of cookies put back. Throws as deleteHosts
    // does; the store is then unchanged.
    [[nodiscard]] std::int64_t restoreHosts(const std::string& path, const std::string& backupPath,
                                            const std::vector<std::string>& domains,
                                            const std::vector<std::string>& excluded = {}) const;
    // Whether another program (its browser) holds the store, so that
    // deleteHosts would fail with cookieStoreBusy; changes nothing.
    [[nodiscard]] bool isInUse(const std::string& path) const;

    // The layout whose table a database holds; none for a file that is no
    // cookie database.
    [[nodiscard]] static std::optional<CookieTableLayout> layoutOf(const std::string& path);

    // `text` with the LIKE wildcards "%" and "_" (and the escape "\") escaped.
    [[nodiscard]] static std::string escapedForLike(std::string_view text);

private:
    CookieTableLayout layout_;
    std::chrono::milliseconds busyTimeout_;
};

}  // namespace zentrel::scanners
