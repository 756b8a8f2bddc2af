#include "ui/presenters/PrivacyTargetText.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

namespace zentrel::ui {

std::string privacyTargetFigure(const model::PrivacyTarget& target) {
    if (target.isTrackerOnly && !target.isBusy)
        return platform::localizedFormat(N_COUNTED("%lld tracker cookies"), {platform::formatCount(target.domains.size())});
    return platform::formatByteCount(target.sizeBytes, platform::ByteCountStyle::file);
}

std::string privacyTargetCheckBoxName(const model::PrivacyTarget& target) {
    return platform::localizedFormat("%@, %@", {platform::localized(target.label), privacyTargetFigure(target)});
}

}  // namespace zentrel::ui
