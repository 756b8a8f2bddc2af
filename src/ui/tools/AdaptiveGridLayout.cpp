#include "ui/tools/AdaptiveGridLayout.hpp"

#include <algorithm>
#include <cmath>

namespace zentrel::ui {

AdaptiveGridLayout::AdaptiveGridLayout(AdaptiveGridItem columns, QWidget* parent)
    : QLayout(parent), columns_(columns) {
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGridLayout::~AdaptiveGridLayout() {
    for (auto* item : items_) delete item;
}

void AdaptiveGridLayout::addItem(QLayoutItem* item) { items_.push_back(item); }

QLayoutItem* AdaptiveGridLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* AdaptiveGridLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    auto* item = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    return item;
}

QSize AdaptiveGridLayout::sizeHint() const {
    const auto width = static_cast<int>(columns_.maximum);
    return {width, heightForWidth(width)};
}

QSize AdaptiveGridLayout::minimumSize() const { return {0, 0}; }

int AdaptiveGridLayout::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

void AdaptiveGridLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int AdaptiveGridLayout::arrange(const QRect& rect, bool apply) const {
    const auto grid = adaptiveGridColumns(columns_, rect.width());
    const auto width = static_cast<int>(std::floor(grid.width));
    const auto spacing = static_cast<int>(columns_.spacing);
    int y = rect.y();
    for (std::size_t first = 0; first < items_.size(); first += static_cast<std::size_t>(grid.count)) {
        const auto last = std::min(items_.size(), first + static_cast<std::size_t>(grid.count));
        int height = 0;
        for (auto i = first; i < last; ++i) {
            const auto* item = items_[i];
            height = std::max(height, item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height());
        }
        if (apply) {
            for (auto i = first; i < last; ++i) {
                const auto x = rect.x() + static_cast<int>(i - first) * (width + spacing);
                items_[i]->setGeometry(QRect(x, y, width, height));
            }
        }
        y += height + (last < items_.size() ? spacing : 0);
    }
    return y - rect.y();
}

}  // namespace zentrel::ui
