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
    : QWidget(parent), symbolTint_(isAI ? ColorToken(DesignTokens::ai()) : tint) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(12);

    symbol_ = new QLabel(this);
    const auto iconSize = QFontMetrics(DesignTokens::rowIconFont().font()).height();
    symbol_->setFixedSize(std::max(18, iconSize), iconSize);
    symbol_->setAlignment(Qt::AlignCenter);
    followAppearance(symbol_, [this, symbolName, iconSize] {
        symbol_->setPixmap(tintedSymbol(symbolName, iconSize, symbolColor(), devicePixelRatioF()));
    });
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

    // One element for assistive technology: the title, and NEW when badged.
    setAccessibleName(isNew ? localizedText("%@, NEW", {title}) : title);
    for (auto* child : findChildren<QWidget*>()) child->setAccessibleName({});
}

QColor SidebarRow::symbolColor() const { return symbolTint_.resolve(appPalette()); }

}  // namespace zentrel::ui
