#include "scanners/PrivacyCookieStore.hpp"

#include "platform/AtomicFile.hpp"
#include "platform/FileNames.hpp"
#include "scanners/BinaryCookieFile.hpp"
#include "scanners/PrivacySweepError.hpp"
#include "scanners/SQLiteCookieDatabase.hpp"
#include "scanners/TrackerHosts.hpp"

#include <filesystem>
#include <stdexcept>

namespace zentrel::scanners {

namespace {

using model::BrowserKind;

constexpr std::string_view kSafariStores[] = {
    "Library/Containers/com.apple.Safari/Data/Library/Cookies/Cookies.binarycookies",
    "Library/Cookies/Cookies.binarycookies",
};
constexpr std::string_view kApplicationSupport = "Library/Application Support";
constexpr std::string_view kFirefoxProfiles = "Library/Application Support/Firefox/Profiles";
constexpr std::string_view kSafariProfileName = "Safari";

CookieTableLayout layoutFor(BrowserKind browser) {
    return browser == BrowserKind::firefox ? kFirefoxCookieTable : kChromiumCookieTable;
}

bool isChromiumProfileFolder(std::string_view name) { return name == "Default" || name.starts_with("Profile "); }

}  // namespace

PrivacyCookieStore::PrivacyCookieStore(const platform::FileSystem& fileSystem, std::string home,
                                       std::chrono::milliseconds busyTimeout)
    : fileSystem_(fileSystem), home_(std::move(home)), busyTimeout_(busyTimeout) {}

std::optional<std::string_view> PrivacyCookieStore::chromiumFolder(BrowserKind browser) {
    switch (browser) {
        case BrowserKind::chrome:
            return "Google/Chrome";
        case BrowserKind::arc:
            return "Arc/User Data";
        case BrowserKind::edge:
            return "Microsoft Edge";
        case BrowserKind::safari:
        case BrowserKind::firefox:
            break;
    }
    return std::nullopt;
}

std::string PrivacyCookieStore::homePath(std::string_view relative) const {
    return platform::appendingPathComponent(home_, relative);
}

bool PrivacyCookieStore::isStoreInsideHome(const std::string& path) const {
    const auto attributes = fileSystem_.attributes(path);
    if (!attributes || !attributes->isRegularFile()) return false;
    const auto realHome = fileSystem_.realPath(home_);
    const auto realStore = fileSystem_.realPath(path);
    if (!realHome || !realStore) return false;
    const std::string prefix = realHome->ends_with('/') ? *realHome : *realHome + "/";
    return realStore->starts_with(prefix);
}

std::int64_t PrivacyCookieStore::fileSize(const std::string& path) const {
    const auto attributes = fileSystem_.attributes(path);
    return attributes ? attributes->size : 0;
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::allProfiles() const {
    std::vector<CookieProfile> profiles = safariProfiles();
    for (BrowserKind browser : {BrowserKind::chrome, BrowserKind::arc, BrowserKind::edge}) {
        for (auto& profile : chromiumProfiles(browser, *chromiumFolder(browser))) profiles.push_back(std::move(profile));
    }
    for (auto& profile : firefoxProfiles()) profiles.push_back(std::move(profile));
    return profiles;
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::safariProfiles() const {
    std::vector<CookieProfile> profiles;
    for (std::string_view relative : kSafariStores) {
        const std::string path = homePath(relative);
        if (!isStoreInsideHome(path)) continue;
        auto trackers = trackerHosts(readBinaryCookieHosts(path));
        if (trackers.empty()) continue;
        const auto count = static_cast<std::int64_t>(trackers.size());
        profiles.push_back({BrowserKind::safari, std::string(kSafariProfileName), path, std::move(trackers), count,
                            fileSize(path)});
    }
    return profiles;
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::chromiumProfiles(BrowserKind browser,
                                                                                   std::string_view folder) const {
    const std::string base = platform::appendingPathComponent(homePath(kApplicationSupport), folder);
    std::vector<CookieProfile> profiles;
    const auto names = fileSystem_.contentsOfDirectory(base);
    if (!names) return profiles;
    for (const auto& name : *names) {
        if (!isChromiumProfileFolder(name)) continue;
        const std::string store = platform::appendingPathComponent(base, name) + "/Cookies";
        if (!isStoreInsideHome(store)) continue;
        if (auto profile = sqliteProfile(browser, name, store)) profiles.push_back(std::move(*profile));
    }
    return profiles;
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::firefoxProfiles() const {
    const std::string base = homePath(kFirefoxProfiles);
    std::vector<CookieProfile> profiles;
    const auto names = fileSystem_.contentsOfDirectory(base);
    if (!names) return profiles;
    for (const auto& name : *names) {
        const std::string store = platform::appendingPathComponent(base, name) + "/cookies.sqlite";
        if (!isStoreInsideHome(store)) continue;
        if (auto profile = sqliteProfile(BrowserKind::firefox, name, store)) profiles.push_back(std::move(*profile));
    }
    return profiles;
}

std::vector<std::string> PrivacyCookieStore::readBinaryCookieHosts(const std::string& path) const {
    auto contents = fileSystem_.readFile(path);
    if (!contents) return {};
    return BinaryCookieFile(std::move(*contents)).hosts();
}

std::optional<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::sqliteProfile(BrowserKind browser,
                                                                                  std::string profileName,
                                                                                  const std::string& storePath) const {
    const auto read = SQLiteCookieDatabase(layoutFor(browser), busyTimeout_).readHosts(storePath);
    if (read.status == CookieStoreHosts::Status::busy) {
        return CookieProfile{browser, std::move(profileName), storePath, {}, 0, fileSize(storePath), true};
    }
    if (read.status != CookieStoreHosts::Status::read) return std::nullopt;
    auto trackers = trackerHosts(read.hosts);
    if (trackers.empty()) return std::nullopt;
    const auto count = static_cast<std::int64_t>(trackers.size());
    return CookieProfile{browser, std::move(profileName), storePath, std::move(trackers), count, fileSize(storePath)};
}

std::int64_t PrivacyCookieStore::removeTrackerCookiesFromBinaryCookies(const std::string& path,
                                                                       const std::set<std::string>& domains) const {
    if (domains.empty()) return 0;
    if (!isStoreInsideHome(path)) throw PrivacySweepError::cookieStoreOpenFailed(path);
    auto contents = fileSystem_.readFile(path);
    if (!contents) throw PrivacySweepError::cookieStoreOpenFailed(path);
    if (contents->size() < BinaryCookieFile::kMinimumSize) return 0;
    const BinaryCookieFile file(std::move(*contents));
    if (!file.isIntact()) throw PrivacySweepError::cookieStoreDamaged(path);

    std::set<std::string> normalized;
    for (const auto& domain : domains) normalized.insert(normalizedCookieDomain(domain));
    auto rewrite = file.removingHosts(normalized);
    if (rewrite.removedCount < 1) return 0;
    std::error_code ignored;
    const auto mode = std::filesystem::status(path, ignored).permissions();
    if (auto error = platform::writeFileAtomically(path, rewrite.contents)) throw std::runtime_error(*error);
    // The rewritten store keeps the mode the browser gave it.
    std::filesystem::permissions(path, mode & std::filesystem::perms::mask, ignored);
    return rewrite.removedCount;
}

std::int64_t PrivacyCookieStore::removeTrackerCookiesFromSQLite(const std::string& path,
                                                                const std::vector<std::string>& domains,
                                                                BrowserKind browser) const {
    if (domains.empty()) return 0;
    if (!isStoreInsideHome(path)) throw PrivacySweepError::cookieStoreOpenFailed(path);
    return SQLiteCookieDatabase(layoutFor(browser), busyTimeout_).deleteHosts(path, domains);
}

}  // namespace zentrel::scanners
