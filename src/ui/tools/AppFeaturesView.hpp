#pragma once
// The features page: a scrolling column with its introduction and the grid
// of feature cards, of which there is one, the Vietnamese typing card. The
// page has no state of its own.

#include "ui/presenters/AppFeaturesPresenter.hpp"
#include "ui/presenters/VietnameseIMECardPresenter.hpp"

#include <QScrollArea>

namespace zentrel::ui {

class VietnameseIMEFeatureCard;

class AppFeaturesView final : public QScrollArea {
public:
    AppFeaturesView(AdaptiveGridItem columns, TypingCardServices typing, QWidget* parent = nullptr);

    [[nodiscard]] VietnameseIMEFeatureCard* typingCard() const { return typingCard_; }

private:
    VietnameseIMEFeatureCard* typingCard_ = nullptr;
};

}  // namespace zentrel::ui
