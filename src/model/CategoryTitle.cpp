#include "model/CategoryTitle.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::model {

std::string categoryTitle(CategoryType category, ViewMode mode) {
    if (mode == ViewMode::advanced) return displayName(category);
    return platform::localized(friendlyName(category));
}

}  // namespace zentrel::model
