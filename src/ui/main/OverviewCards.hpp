#pragma once
// The cards of the overview dashboard, each drawn from its presenter figures:
// the banners of a background scan and of failed deletions, the storage
// hero with its one button, the largest categories and the cleaning history.

#include "ui/design/DiskRing.hpp"
#include "ui/presenters/OverviewPresenter.hpp"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

class BackgroundScanBanner final : public QWidget {
public:
    explicit BackgroundScanBanner(const BackgroundScanBannerContent& content, QWidget* parent = nullptr);
};

class CleanFailureOverviewBanner final : public QWidget {
public:
    CleanFailureOverviewBanner(const CleanFailureBannerContent& content, std::function<void()> view,
                               QWidget* parent = nullptr);
    [[nodiscard]] QPushButton* viewButton() const { return view_; }

private:
    QPushButton* view_ = nullptr;
};

class HeroOverviewCard final : public QWidget {
public:
    HeroOverviewCard(const HeroCardContent& content, std::function<void()> press, QWidget* parent = nullptr);

    // Whether `next` differs from what is shown in its status line alone.
    [[nodiscard]] bool canShowInPlace(const HeroCardContent& next) const;
    void showStatus(const HeroCardContent& next);
    [[nodiscard]] const HeroCardContent& shown() const { return content_; }
    [[nodiscard]] DiskRing* ring() const { return ring_; }
    [[nodiscard]] QLabel* statusLine() const { return status_; }
    // None while a background scan runs.
    [[nodiscard]] QPushButton* button() const { return button_; }

private:
    HeroCardContent content_;
    DiskRing* ring_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* button_ = nullptr;
};

class TopCategoriesRow final : public QWidget {
public:
    TopCategoriesRow(const std::vector<CategoryTile>& tiles, std::function<void(model::CategoryType)> open,
                     QWidget* parent = nullptr);
    [[nodiscard]] const std::vector<QAbstractButton*>& tileButtons() const { return buttons_; }

private:
    std::vector<QAbstractButton*> buttons_;
};

class CleaningHistoryCard final : public QWidget {
public:
    explicit CleaningHistoryCard(const CleaningHistoryContent& content, QWidget* parent = nullptr);
    // One column per record shown.
    [[nodiscard]] const std::vector<QWidget*>& columns() const { return columns_; }

private:
    std::vector<QWidget*> columns_;
};

}  // namespace zentrel::ui
