#pragma once
// A grid of as many columns as fit, each between the item's minimum and
// maximum width, rows as high as their tallest cell at that width; cells
// fill the columns from the leading edge, row after row.

#include "ui/presenters/AppFeaturesPresenter.hpp"

#include <QLayout>

#include <vector>

namespace zentrel::ui {

class AdaptiveGridLayout final : public QLayout {
public:
    explicit AdaptiveGridLayout(AdaptiveGridItem columns, QWidget* parent = nullptr);
    ~AdaptiveGridLayout() override;

    void addItem(QLayoutItem* item) override;
    [[nodiscard]] int count() const override { return static_cast<int>(items_.size()); }
    [[nodiscard]] QLayoutItem* itemAt(int index) const override;
    [[nodiscard]] QLayoutItem* takeAt(int index) override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSize() const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

private:
    // Lays the cells out in `rect` (or only measures); returns the height used.
    int arrange(const QRect& rect, bool apply) const;

    AdaptiveGridItem columns_;
    std::vector<QLayoutItem*> items_;
};

}  // namespace zentrel::ui
