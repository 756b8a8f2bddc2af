#include "model/CleanItem.hpp"

namespace zentrel::model {

std::string_view badgeText(SafetyLevel level) {
    return level == SafetyLevel::safe ? "Safe to delete" : "Review before deleting";
}

}  // namespace zentrel::model
