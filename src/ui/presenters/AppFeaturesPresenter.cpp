#include "ui/presenters/AppFeaturesPresenter.hpp"

#include <algorithm>
#include <cmath>

namespace zentrel::ui {

GridColumns adaptiveGridColumns(const AdaptiveGridItem& item, double available) {
    available = std::max(available, 0.0);
    // A further column only once every column can keep its full width, so a
    // wider page never narrows a card.
    const auto fitting = std::floor((available + item.spacing) / (item.maximum + item.spacing));
    const int count = std::max(1, static_cast<int>(fitting));
    const auto shared = (available - item.spacing * (count - 1)) / count;
    return {count, std::min(shared, item.maximum)};
}

}  // namespace zentrel::ui
