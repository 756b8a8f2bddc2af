#pragma once
// What a privacy target's row says: beside its check box the size, or for
// tracker cookies (which free no space) their count, and the check box's
// name, which carries that figure too.

#include "model/PrivacyGroup.hpp"

#include <string>

namespace zentrel::ui {

[[nodiscard]] std::string privacyTargetFigure(const model::PrivacyTarget& target);
// "Chrome cookies, 18 tracker cookies", "Recent files, 4 KB".
[[nodiscard]] std::string privacyTargetCheckBoxName(const model::PrivacyTarget& target);

}  // namespace zentrel::ui
