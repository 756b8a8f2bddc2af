#include "ui/design/MetricCard.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/Glass.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace zentrel::ui {

MetricCard::MetricCard(QString label, QString value, std::optional<QString> caption, std::optional<QString> symbolName,
                       ColorToken tint, QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    if (symbolName) {
        icon_ = ui::iconWell(*symbolName, DesignTokens::metricIconFont(), tint, 28, 0.15, this);
        header->addWidget(icon_);
    }
    header->addWidget(tokenLabel(label, DesignTokens::detailFont(), DesignTokens::textSecondary(), this));
    header->addStretch();
    column->addLayout(header);

    figures_ = new QVBoxLayout;
    figures_->setSpacing(2);
    value_ = tokenLabel(value, DesignTokens::displayFont(), DesignTokens::textPrimary(), this);
    figures_->addWidget(value_);
    if (caption) {
        caption_ = tokenLabel(*caption, DesignTokens::detailFont(), DesignTokens::textTertiary(), this);
        figures_->addWidget(caption_);
    }
    column->addLayout(figures_);
    // In a row of cards of which one has a note, the others keep their figures at the top.
    column->addStretch();
}

void MetricCard::addNote(QWidget* note) {
    note->setParent(this);
    figures_->addWidget(note);
}

void MetricCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
    fillGlass(painter, shape, palette());
    painter.setPen(QPen(DesignTokens::hairline().resolve(palette()), 0.5));
    painter.drawPath(shape);
}

}  // namespace zentrel::ui
