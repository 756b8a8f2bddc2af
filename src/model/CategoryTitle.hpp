#pragma once
// The one name a category carries wherever it is shown, in the view mode the
// user chose: the plain name in the recommended view, the technical name in
// the advanced view, both in the current language.

#include "model/CategoryType.hpp"
#include "model/UserPreferences.hpp"

#include <string>

namespace zentrel::model {

[[nodiscard]] std::string categoryTitle(CategoryType category, ViewMode mode);

}  // namespace zentrel::model
