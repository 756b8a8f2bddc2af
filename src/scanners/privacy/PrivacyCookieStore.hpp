#pragma once
// Finds the browsers' cookie stores where the host table puts them, lists the
// tracker hosts they hold, and removes the cookies of given hosts again:
// Safari's binary cookie file, which it parses and rewrites itself, and the
// SQLite cookie databases of the Chromium family and of Firefox. It holds only
// what it is given (file system, locations, busy timeout) and keeps no state.
//
// Discovery never fails: what cannot be read contributes no profile. The
// removals refuse a store that is not a regular file inside the home folder,
// and change a store wholly or not at all.

#include "model/BrowserKind.hpp"
#include "platform/files/FileSystem.hpp"
#include "platform/places/HostTable.hpp"
#include "platform/text/Localization.hpp"
#include "scanners/privacy/RunningBrowser.hpp"

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::scanners {

class PrivacyCookieStore final {
public:
    // One cookie store that holds at least one tracker cookie, or that its
    // running browser holds locked, so that its hosts are not known.
    struct CookieProfile {
        model::BrowserKind browser = model::BrowserKind::safari;
        std::string profileName;                  // "Safari", or the profile folder's name
        std::string storePath;                    // the store file
        std::vector<std::string> trackerDomains;  // as the store spells them, ascending
        std::int64_t trackerCount = 0;
        std::int64_t storeSizeBytes = 0;
        bool isBusy = false;  // held by its running browser: no hosts read
        BrowserHold busyHold = BrowserHold::running;  // why, when busy

        friend bool operator==(const CookieProfile&, const CookieProfile&) = default;
    };

    // How long a removal waits for a browser's lock on its database.
    static constexpr std::chrono::milliseconds kDefaultBusyTimeout{3000};

    // The stores of a Mac's home.
    PrivacyCookieStore(const platform::FileSystem& fileSystem, std::string home,
                       std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);
    PrivacyCookieStore(const platform::FileSystem& fileSystem, const platform::HostTable& table,
                       std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);

    // The folder under "Library/Application Support" of a Chromium-family
    // browser on a Mac ("Google/Chrome", "Arc/User Data", "Microsoft Edge");
    // nothing for the others.
    [[nodiscard]] static std::optional<std::string_view> chromiumFolder(model::BrowserKind browser);

    // Every profile with trackers: Safari's, the Chromium family's in the
    // table's order, then Firefox's.
    [[nodiscard]] std::vector<CookieProfile> allProfiles() const;
    // The two Safari stores (the container's, then the plain one), profile name "Safari".
    [[nodiscard]] std::vector<CookieProfile> safariProfiles() const;
    // The stores of "Default" and of every "Profile …" folder, in listing
    // order, of a browser whose folder lies under "Library/Application Support".
    [[nodiscard]] std::vector<CookieProfile> chromiumProfiles(model::BrowserKind browser, std::string_view folder) const;
    // The same for a browser's user-data folder: each profile's
    // "Network/Cookies", then its older N_("Cookies").
    [[nodiscard]] std::vector<CookieProfile> chromiumProfilesIn(model::BrowserKind browser,
                                                                const std::string& userData) const;
    // The "cookies.sqlite" store of every Firefox profile folder, in listing
    // order, or of every profile "profiles.ini" names, in its order.
    [[nodiscard]] std::vector<CookieProfile> firefoxProfiles() const;

    // The distinct hosts of a binary cookie file, in no particular order;
    // empty when it cannot be read or is not of the format.
    [[nodiscard]] std::vector<std::string> readBinaryCookieHosts(const std::string& path) const;
    // The profile of one SQLite store, read without changing anything in the
    // browser's profile; a busy profile when its browser holds it; nothing
    // when it cannot be read or holds no tracker.
    [[nodiscard]] std::optional<CookieProfile> sqliteProfile(model::BrowserKind browser, std::string profileName,
                                                             const std::string& storePath) const;

    // Removes the records of the hosts that equal a domain, ignoring letter
    // case and one leading ".", and returns how many went. The file is
    // rewritten through a temporary file only when something is removed.
    // Throws PrivacySweepError (cookieStoreOpenFailed: missing, unreadable or
    // outside the home; cookieStoreDamaged: not intact, left untouched) or
    // std::runtime_error with the text of a failed write (file unchanged).
    [[nodiscard]] std::int64_t removeTrackerCookiesFromBinaryCookies(const std::string& path,
                                                                     const std::set<std::string>& domains) const;
    // Deletes the cookies of each domain and its subdomains from a SQLite
    // store and returns the number of rows deleted. Throws PrivacySweepError:
    // cookieStoreOpenFailed (missing, outside the home, cannot be opened for
    // writing), cookieStoreBusy (locked past the busy timeout),
    // cookieStoreDamaged (not a cookie database); the store is then unchanged.
    [[nodiscard]] std::int64_t removeTrackerCookiesFromSQLite(const std::string& path,
                                                              const std::vector<std::string>& domains,
                                                              model::BrowserKind browser) const;

private:
    // Whether the path is a regular file (not a link) whose resolved path lies
    // inside the resolved home folder.
    [[nodiscard]] bool isStoreInsideHome(const std::string& path) const;
    [[nodiscard]] std::int64_t fileSize(const std::string& path) const;
    [[nodiscard]] std::string homePath(std::string_view relative) const;
    [[nodiscard]] std::vector<std::pair<std::string, std::string>> listedFirefoxProfiles(const std::string& base) const;

    const platform::FileSystem& fileSystem_;
    std::string home_;
    std::vector<std::string> safariStores_;
    std::vector<std::pair<model::BrowserKind, std::string>> chromiumBrowsers_;
    std::vector<std::string> firefoxProfileFolders_;
    bool firefoxProfilesListed_ = false;
    std::chrono::milliseconds busyTimeout_;
};

}  // namespace zentrel::scanners
