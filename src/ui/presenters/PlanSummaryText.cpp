#include "ui/presenters/PlanSummaryText.hpp"

#include "platform/Localization.hpp"

namespace zentrel::ui {

std::string safeItemsAcrossCategories(long long items, long long categories) {
    return platform::localizedFormat(
        "%@ across %@", {platform::localizedFormat("%lld safe items", {std::to_string(items)}),
                         platform::localizedFormat("%lld categories", {std::to_string(categories)})});
}

}  // namespace zentrel::ui
