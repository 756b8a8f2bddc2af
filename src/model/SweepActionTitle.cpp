#include "model/SweepActionTitle.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::model {

namespace {

// The store-wide title a tracker-cookie action is written under: the browser, then this.
constexpr std::string_view kTrackerCookiesSuffix = " tracker cookies";

}  // namespace

std::string trackerCookiesLabel(std::string_view browser) {
    return std::string(browser) + std::string(kTrackerCookiesSuffix);
}

std::string sweepActionTitle(const SweepAction& action) {
    switch (action.kind) {
    case SweepActionKind::pasteboardCleared: return platform::localized(kClipboardClearedLabel);
    case SweepActionKind::cookieDomain:
        if (action.label.ends_with(kTrackerCookiesSuffix) && action.label.size() > kTrackerCookiesSuffix.size()) {
            return platform::localizedFormat(
                "%@ tracker cookies", {action.label.substr(0, action.label.size() - kTrackerCookiesSuffix.size())});
        }
        return action.label;  // "Chrome: ad.doubleclick.net", a browser and a domain
    case SweepActionKind::fileRemoved:
    case SweepActionKind::fileTruncated:
    case SweepActionKind::recentsCleared: return platform::localized(action.label);  // a store's, a history's or a file's name
    }
    return action.label;
}

}  // namespace zentrel::model
