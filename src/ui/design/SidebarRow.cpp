#include "ui/design/SidebarRow.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/CapsuleLabel.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>

namespace zentrel::ui {
SidebarRow::SidebarRow(QString title, QString symbolName, ColorToken tint, std::optional<QString> trailing, bool isNew,
                       bool isAI, QWidget* parent)
    : QWidget(parent), symbolName_(std::move(symbolName)), symbolTint_(isAI ? ColorToken(DesignTokens::ai()) : tint) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(12);

    symbol_ = new QLabel(this);
    iconSize_ = QFontMetrics(DesignTokens::rowIconFont().font()).height();
    symbol_->setFixedSize(std::max(18, iconSize_), iconSize_);
    symbol_->setAlignment(Qt::AlignCenter);
    followAppearance(symbol_, [this] { drawSymbol(); });
    layout->addWidget(symbol_);

    title_ = elidedTokenLabel(title, DesignTokens::bodyFont(), DesignTokens::textPrimary(), Qt::ElideRight, this);
    layout->addWidget(title_, 1);
    layout->addSpacing(4);

    if (isNew) {
        badge_ = new CapsuleLabel(localizedText("NEW"), {},
                                  {DesignTokens::review(), DesignTokens::reviewTint(), DesignTokens::badgeFont(),
                                   DesignTokens::badgeFont(), 5, 1},
                                  this);
        layout->addWidget(badge_);
    }
    if (trailing) {
        trailing_ = tokenLabel(*trailing, DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
        layout->addWidget(trailing_);
    }

    // One element for assistive technology: the title, NEW when badged, and
    // the size or state it shows.
    const auto named = isNew ? localizedText("%@, NEW", {title}) : title;
    // TRANSLATORS: what a screen reader says of a row: its name, then its figure or state ("Trash, 17.6 MB").
    setAccessibleName(trailing ? localizedText("%@, %@", {named, *trailing}) : named);
    for (auto* child : findChildren<QWidget*>()) child->setAccessibleName({});
}

QColor SidebarRow::symbolColor() const { return symbolTint_.resolve(appPalette()); }

void SidebarRow::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    drawSymbol();
}

void SidebarRow::drawSymbol() {
    const auto color = selected_ ? DesignTokens::textPrimary().resolve(appPalette()) : symbolColor();
    symbol_->setPixmap(tintedSymbol(symbolName_, iconSize_, color, devicePixelRatioF()));
}

}  // namespace zentrel::ui
