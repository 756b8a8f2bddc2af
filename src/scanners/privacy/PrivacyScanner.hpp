#pragma once
// Lists the user's privacy traces as privacy groups: tracker cookies per
// browser profile, the recent-items stores, the shell history files (when the
// user asked for them) and a clipboard check (likewise). It only reads.
// Synchronous: the engine runs it on a serial executor and supplies the
// clipboard check, which belongs on the main thread.

#include "model/PrivacyGroup.hpp"
#include "platform/files/FileSystem.hpp"
#include "scanners/privacy/ClipboardInsight.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"
#include "scanners/privacy/RunningBrowser.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

class PrivacyScanner final {
public:
    struct ScanOptions {
        bool includeTerminalHistory = false;
        bool includePasteboardAnalysis = false;
    };
    using ClipboardCheck = std::function<ClipboardInsight()>;

    // The traces of a Mac's home.
    PrivacyScanner(ScanOptions options, const platform::FileSystem& fileSystem, std::string home,
                   ClipboardCheck clipboardCheck);
    PrivacyScanner(ScanOptions options, const platform::FileSystem& fileSystem, platform::HostTable table,
                   ClipboardCheck clipboardCheck);

    // Larger total target size first; equal ones keep their order.
    [[nodiscard]] std::vector<model::PrivacyGroup> scan();
    [[nodiscard]] std::vector<model::PrivacyGroup> recentsGroups() const;
    [[nodiscard]] std::optional<model::PrivacyGroup> terminalHistoryGroup() const;
    // Never runs the clipboard check unless the options ask for it.
    [[nodiscard]] std::optional<model::PrivacyGroup> pasteboardGroups() const;
    // What removing the item frees: a file's bytes on disk, a folder's blocks
    // with everything in it; links count as themselves.
    [[nodiscard]] std::int64_t sizeOfItem(const std::string& path) const;

private:
    // The bytes a file or everything inside a folder holds: none means nothing to sweep.
    [[nodiscard]] std::int64_t contentBytes(const std::string& path) const;

    ScanOptions options_;
    const platform::FileSystem& fileSystem_;
    platform::HostTable table_;
    ClipboardCheck clipboardCheck_;
};

// "Safari", "Chrome", "Firefox", "Arc", "Microsoft Edge", "Chromium", "Brave".
[[nodiscard]] std::string_view browserDisplayName(model::BrowserKind browser);
// "Firefox is running: quit Firefox and scan again"; for a lock of a
// process this system cannot see, "Chromium may be running in a sandbox: ...".
[[nodiscard]] std::string busyStoreNotice(model::BrowserKind browser, BrowserHold hold = BrowserHold::running);
// "Firefox is running: quit Firefox and undo again", and the same of a sandbox.
[[nodiscard]] std::string busyUndoNotice(model::BrowserKind browser, BrowserHold hold = BrowserHold::running);
[[nodiscard]] model::PrivacyGroup trackerCookieGroup(const PrivacyCookieStore::CookieProfile& profile);

}  // namespace zentrel::scanners
