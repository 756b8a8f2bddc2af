#include "viewmodels/CleanFigureText.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

namespace zentrel::viewmodels {

std::int64_t trackerCookieCount(const model::CleanItem& item) {
    if (item.deletionMethod.kind() != model::DeletionMethod::Kind::clearTrackerCookies || item.privacyStoreBusy) return 0;
    return static_cast<std::int64_t>(item.privacyDomains.size());
}

std::string cleanFigureText(std::int64_t bytes, std::int64_t trackerCookies) {
    const auto size = platform::formatByteCount(bytes, platform::ByteCountStyle::file);
    if (trackerCookies < 1) return size;
    const auto cookies = platform::localizedFormat(N_COUNTED("%lld tracker cookies"), {platform::formatCount(trackerCookies)});
    if (bytes < 1) return cookies;
    // TRANSLATORS: what a clean frees when it also removes tracker cookies ("2 KB and 3 tracker cookies").
    return platform::localizedFormat("%@ and %@", {size, cookies});
}

std::string cleanFigureText(const model::CleanItem& item) {
    return cleanFigureText(item.sizeBytes, trackerCookieCount(item));
}

std::int64_t trackerCookieCount(const std::vector<model::CleanItem>& items) {
    std::int64_t cookies = 0;
    for (const auto& item : items) cookies += trackerCookieCount(item);
    return cookies;
}

std::string cleanActionText(std::int64_t bytes, std::int64_t trackerCookies) {
    const auto size = platform::formatByteCount(bytes, platform::ByteCountStyle::file);
    if (trackerCookies < 1) return platform::localizedFormat("Clean %@", {size});
    const auto count = platform::formatCount(trackerCookies);
    if (bytes < 1) return platform::localizedFormat(N_COUNTED("Remove %lld tracker cookies"), {count});
    return platform::localizedFormat(N_COUNTED("Clean %@ + %lld tracker cookies"), {size, count});
}

std::string cleanResultText(std::int64_t bytes, std::int64_t trackerCookies) {
    const auto size = platform::formatByteCount(bytes, platform::ByteCountStyle::file);
    // TRANSLATORS: the space a clean gave back ("24.3 MB freed").
    if (trackerCookies < 1) return platform::localizedFormat("%@ freed", {size});
    const auto count = platform::formatCount(trackerCookies);
    if (bytes < 1) return platform::localizedFormat(N_COUNTED("%lld tracker cookies removed"), {count});
    return platform::localizedFormat(N_COUNTED("%@ freed and %lld tracker cookies removed"), {size, count});
}

}  // namespace zentrel::viewmodels
