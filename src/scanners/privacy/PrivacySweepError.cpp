#include "scanners/privacy/PrivacySweepError.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::scanners {

namespace {

std::string describe(PrivacySweepError::Kind kind, const std::string& payload, const std::string& reason) {
    switch (kind) {
        case PrivacySweepError::Kind::cookieStoreOpenFailed:
            return platform::localizedFormat("Could not open cookie store at %@", {payload});
        case PrivacySweepError::Kind::backupFailed:
            return platform::localizedFormat("Could not back up %@", {payload});
        case PrivacySweepError::Kind::cookieStoreDamaged:
            return platform::localizedFormat("Cookie store is damaged and was left unchanged: %@", {payload});
        case PrivacySweepError::Kind::cookieStoreBusy:
            if (!reason.empty()) return reason;
            return platform::localizedFormat("Cookie store is in use by its browser; quit the browser and try again: %@",
                                             {payload});
        case PrivacySweepError::Kind::restoreRefused:
            return platform::localizedFormat("Refused to restore %1$@: %2$@", {payload, reason});
        case PrivacySweepError::Kind::restoreFailed:
            return platform::localizedFormat("Could not restore %1$@: %2$@", {payload, reason});
    }
    return payload;
}

}  // namespace

PrivacySweepError::PrivacySweepError(Kind kind, std::string payload, const std::string& reason)
    : std::runtime_error(describe(kind, payload, reason)), kind_(kind), payload_(std::move(payload)) {}

PrivacySweepError PrivacySweepError::cookieStoreOpenFailed(std::string path) {
    return {Kind::cookieStoreOpenFailed, std::move(path)};
}

PrivacySweepError PrivacySweepError::backupFailed(std::string item) { return {Kind::backupFailed, std::move(item)}; }

PrivacySweepError PrivacySweepError::cookieStoreDamaged(std::string path) {
    return {Kind::cookieStoreDamaged, std::move(path)};
}

PrivacySweepError PrivacySweepError::cookieStoreBusy(std::string path) {
    return {Kind::cookieStoreBusy, std::move(path)};
}

PrivacySweepError PrivacySweepError::cookieStoreBusy(std::string path, const std::string& notice) {
    return {Kind::cookieStoreBusy, std::move(path), notice};
}

PrivacySweepError PrivacySweepError::restoreRefused(std::string label, const std::string& reason) {
    return {Kind::restoreRefused, std::move(label), reason};
}

PrivacySweepError PrivacySweepError::restoreFailed(std::string label, const std::string& reason) {
    return {Kind::restoreFailed, std::move(label), reason};
}

}  // namespace zentrel::scanners
