#include "ui/tools/AppFeaturesView.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/ScrollAreaFocus.hpp"
#include "ui/tools/AdaptiveGridLayout.hpp"
#include "ui/tools/VietnameseIMEFeatureCard.hpp"

#include <QVBoxLayout>

namespace zentrel::ui {

AppFeaturesView::AppFeaturesView(AdaptiveGridItem columns, TypingCardServices typing, QWidget* parent)
    : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    keepOutOfTabOrder(*this);
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);
    auto* intro = tokenLabel(localizedText(kFeaturesIntro), DesignTokens::bodyFont(), DesignTokens::textSecondary(), page);
    intro->setWordWrap(true);
    column->addWidget(intro);
    auto* cards = new QWidget(page);
    auto* grid = new AdaptiveGridLayout(columns, cards);
    typingCard_ = new VietnameseIMEFeatureCard(typing, cards);
    grid->addWidget(typingCard_);
    column->addWidget(cards);
    column->addStretch();
    setWidget(page);
    // The window's canvas shows through.
    viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
}

}  // namespace zentrel::ui
