#pragma once
// Builds browser cookie stores for tests: Chromium- and Firefox-schema cookie
// databases and binary cookie files, written into a test's own folder so that
// no test ever opens a real browser profile.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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

// A Chromium-family "Cookies" database (table "cookies", host in "host_key")
// with one cookie per host, in order. Creates missing folders.
void writeChromiumCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts);
// A Firefox "cookies.sqlite" database (table "moz_cookies", host in "host"),
// in write-ahead-log mode as the browser keeps it.
void writeFirefoxCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts);
// The hosts of every row of a cookie database, in row order.
[[nodiscard]] std::vector<std::string> chromiumCookieHosts(const std::filesystem::path& path);
[[nodiscard]] std::vector<std::string> firefoxCookieHosts(const std::filesystem::path& path);

}  // namespace zentrel::testing
