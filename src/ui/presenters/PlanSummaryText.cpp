#include "ui/presenters/PlanSummaryText.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "viewmodels/CleanFigureText.hpp"

namespace zentrel::ui {

std::string safeItemsAcrossCategories(long long items, long long categories) {
    return platform::localizedFormat(
        "%@ across %@", {platform::localizedFormat(N_COUNTED("%lld safe items"), {platform::formatCount(items)}),
                         platform::localizedFormat(N_COUNTED("%lld categories"), {platform::formatCount(categories)})});
}

std::string planCategoryFigure(const viewmodels::SmartCleanupPlan::CategorySummary& summary) {
    return viewmodels::cleanFigureText(summary.totalBytes, summary.trackerCookies);
}

}  // namespace zentrel::ui
