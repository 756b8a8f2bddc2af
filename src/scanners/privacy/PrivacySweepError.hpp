#pragma once
// The error of the privacy sweep, raised by the cookie stores and the sweep
// journal. Each case carries one text (a path or an item's label) and reads as
// a sentence the user can be shown.

#include <stdexcept>
#include <string>

namespace zentrel::scanners {

class PrivacySweepError final : public std::runtime_error {
public:
    enum class Kind {
        cookieStoreOpenFailed,  // payload: the store's path
        backupFailed,           // payload: the path or label of the item
        cookieStoreDamaged,     // payload: the store's path; the store was left as it was
        cookieStoreBusy,        // payload: the store's path; another program kept it locked
        restoreRefused,         // payload: the action's label; nothing was changed
        restoreFailed,          // payload: the action's label; putting it back failed part-way
    };

    [[nodiscard]] static PrivacySweepError cookieStoreOpenFailed(std::string path);
    [[nodiscard]] static PrivacySweepError backupFailed(std::string item);
    [[nodiscard]] static PrivacySweepError cookieStoreDamaged(std::string path);
    [[nodiscard]] static PrivacySweepError cookieStoreBusy(std::string path);
    // The same, read as `notice`, which names the browser to quit.
    [[nodiscard]] static PrivacySweepError cookieStoreBusy(std::string path, const std::string& notice);
    // "Refused to restore <label>: <reason>"
    [[nodiscard]] static PrivacySweepError restoreRefused(std::string label, const std::string& reason);
    // "Could not restore <label>: <reason>"
    [[nodiscard]] static PrivacySweepError restoreFailed(std::string label, const std::string& reason);

    [[nodiscard]] Kind kind() const { return kind_; }
    [[nodiscard]] const std::string& payload() const { return payload_; }
    // The user-facing text; `what()` gives the same.
    [[nodiscard]] std::string errorDescription() const { return what(); }

    friend bool operator==(const PrivacySweepError& a, const PrivacySweepError& b) {
        return a.kind_ == b.kind_ && a.payload_ == b.payload_;
    }

private:
    PrivacySweepError(Kind kind, std::string payload, const std::string& reason = {});

    Kind kind_;
    std::string payload_;
};

}  // namespace zentrel::scanners
