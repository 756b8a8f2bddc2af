#include "scanners/privacy/PrivacyCookieStore.hpp"

#include "platform/files/AtomicFile.hpp"
#include "platform/files/FileNames.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/LosslessText.hpp"
#include "platform/text/Warnings.hpp"
#include "scanners/privacy/BinaryCookieFile.hpp"
#include "scanners/privacy/FirefoxProfilesIni.hpp"
#include "scanners/privacy/PrivacyScanner.hpp"
#include "scanners/privacy/RunningBrowser.hpp"

#include <filesystem>
#include <set>
#include "scanners/privacy/PrivacySweepError.hpp"
#include "scanners/privacy/SQLiteCookieDatabase.hpp"
#include "scanners/privacy/TrackerHosts.hpp"

#include <filesystem>
#include <stdexcept>

namespace zentrel::scanners {

namespace {

using model::BrowserKind;

constexpr std::string_view kApplicationSupport = "Library/Application Support";
constexpr std::string_view kSafariProfileName = "Safari";
// Where a Chromium-family profile keeps its store: current versions, then older ones.
constexpr std::string_view kChromiumStores[] = {"Network/Cookies", N_("Cookies")};

CookieTableLayout layoutFor(BrowserKind browser) {
    return browser == BrowserKind::firefox ? kFirefoxCookieTable : kChromiumCookieTable;
}

bool isChromiumProfileFolder(std::string_view name) { return name == "Default" || name.starts_with("Profile "); }

}  // namespace

PrivacyCookieStore::PrivacyCookieStore(const platform::FileSystem& fileSystem, std::string home,
                                       std::chrono::milliseconds busyTimeout)
    : PrivacyCookieStore(fileSystem, platform::HostTable::macos(platform::HostLayout::forHome(home, {})),
                         busyTimeout) {}

PrivacyCookieStore::PrivacyCookieStore(const platform::FileSystem& fileSystem, const platform::HostTable& table,
                                       std::chrono::milliseconds busyTimeout)
    : fileSystem_(fileSystem),
      home_(table.home),
      safariStores_(table.safariCookieStores),
      firefoxProfileFolders_(table.firefoxProfileFolders),
      firefoxProfilesListed_(table.firefoxProfilesListed),
      busyTimeout_(busyTimeout) {
    for (const auto& [raw, userData] : table.chromiumBrowsers) {
        if (auto browser = model::browserKindFromRaw(raw)) chromiumBrowsers_.emplace_back(*browser, userData);
    }
}

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
        case BrowserKind::chromium:
        case BrowserKind::brave:
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
    for (const auto& [browser, userData] : chromiumBrowsers_) {
        for (auto& profile : chromiumProfilesIn(browser, userData)) profiles.push_back(std::move(profile));
    }
    for (auto& profile : firefoxProfiles()) profiles.push_back(std::move(profile));
    return profiles;
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::safariProfiles() const {
    std::vector<CookieProfile> profiles;
    for (const auto& path : safariStores_) {
        if (!isStoreInsideHome(path)) continue;
        const auto cookies = readBinaryCookieHosts(path);
        auto trackers = trackerHosts(cookies);
        if (trackers.empty()) continue;
        const auto count = trackerCookieCount(cookies);
        profiles.push_back({BrowserKind::safari, std::string(kSafariProfileName), path, std::move(trackers), count,
                            fileSize(path)});
    }
    return profiles;
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::chromiumProfiles(BrowserKind browser,
                                                                                   std::string_view folder) const {
    return chromiumProfilesIn(browser, platform::appendingPathComponent(homePath(kApplicationSupport), folder));
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::chromiumProfilesIn(BrowserKind browser,
                                                                                     const std::string& base) const {
    std::vector<CookieProfile> profiles;
    const auto names = base.empty() ? std::nullopt : fileSystem_.contentsOfDirectory(base);
    if (!names) return profiles;
    for (const auto& name : *names) {
        if (!isChromiumProfileFolder(name)) continue;
        for (auto relative : kChromiumStores) {
            const std::string store = platform::appendingPathComponent(base, name) + "/" + std::string(relative);
            if (!isStoreInsideHome(store)) continue;
            if (auto profile = sqliteProfile(browser, name, store)) profiles.push_back(std::move(*profile));
        }
    }
    return profiles;
}

std::vector<std::pair<std::string, std::string>> PrivacyCookieStore::listedFirefoxProfiles(const std::string& base) const {
    std::vector<std::pair<std::string, std::string>> profiles;  // name, folder
    if (!firefoxProfilesListed_) {
        for (const auto& name : fileSystem_.contentsOfDirectory(base).value_or(std::vector<std::string>{}))
            profiles.emplace_back(name, platform::appendingPathComponent(base, name));
        return profiles;
    }
    std::set<std::string> seen;
    for (const auto& profile : firefoxProfilesOfIni(fileSystem_.readFile(base + "/profiles.ini", 1 << 20).value_or(""))) {
        if (profile.path.empty() || profile.path.find("..") != std::string::npos) continue;
        // "./a.default", "a.default/" and "a.default" name one folder, listed once.
        auto folder = std::filesystem::path(profile.isRelative ? platform::appendingPathComponent(base, profile.path)
                                                               : profile.path)
                          .lexically_normal();
        if (!folder.has_filename()) folder = folder.parent_path();
        if (folder.filename().empty() || !seen.insert(folder.string()).second) continue;
        profiles.emplace_back(folder.filename().string(), folder.string());
    }
    return profiles;
}

std::vector<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::firefoxProfiles() const {
    std::vector<CookieProfile> profiles;
    std::set<std::string> seen;  // a folder reached from two places is one profile
    for (const auto& base : firefoxProfileFolders_) {
        if (base.empty()) continue;
        for (const auto& [name, folder] : listedFirefoxProfiles(base)) {
            const std::string store = folder + "/cookies.sqlite";
            const auto attributes = fileSystem_.attributes(store);
            if (!attributes || !attributes->isRegularFile()) continue;
            if (!isStoreInsideHome(store)) {
                platform::warn(platform::localizedFormat("Skipped the Firefox profile %@ (%@): it lies outside the home folder",
                                                         {platform::escapedInvalidUtf8(name), platform::escapedInvalidUtf8(folder)}));
                continue;
            }
            if (!seen.insert(fileSystem_.realPath(store).value_or(store)).second) continue;
            if (auto profile = sqliteProfile(BrowserKind::firefox, name, store)) profiles.push_back(std::move(*profile));
        }
    }
    return profiles;
}

std::vector<std::string> PrivacyCookieStore::readBinaryCookieHosts(const std::string& path) const {
    auto contents = fileSystem_.readFile(path);
    if (!contents) return {};
    return BinaryCookieFile(std::move(*contents)).cookieHosts();
}

std::optional<PrivacyCookieStore::CookieProfile> PrivacyCookieStore::sqliteProfile(BrowserKind browser,
                                                                                  std::string profileName,
                                                                                  const std::string& storePath) const {
    if (const auto hold = runningBrowserHold(storePath); hold && fileSystem_.exists(storePath)) {
        return CookieProfile{browser, std::move(profileName), storePath, {}, 0, fileSize(storePath), true, *hold};
    }
    const auto read = SQLiteCookieDatabase(layoutFor(browser), busyTimeout_).readHosts(storePath);
    if (read.status == CookieStoreHosts::Status::busy) {
        return CookieProfile{browser, std::move(profileName), storePath, {}, 0, fileSize(storePath), true};
    }
    if (read.status != CookieStoreHosts::Status::read) return std::nullopt;
    auto trackers = trackerHosts(read.hosts);
    if (trackers.empty()) return std::nullopt;
    const auto count = trackerCookieCount(read.hosts);
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
    if (const auto hold = runningBrowserHold(path)) {
        if (*hold == BrowserHold::running) throw PrivacySweepError::cookieStoreBusy(path);
        throw PrivacySweepError::cookieStoreBusy(path, busyStoreNotice(browser, *hold));
    }
    return SQLiteCookieDatabase(layoutFor(browser), busyTimeout_).deleteHosts(path, domains);
}

}  // namespace zentrel::scanners
