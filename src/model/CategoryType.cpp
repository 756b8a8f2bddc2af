#include "model/CategoryType.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::model {

std::string displayName(CategoryType category) { return platform::localized(rawValue(category)); }

}  // namespace zentrel::model
