#include "ui/design/SidebarRow.hpp"

#include "ui/design/CapsuleLabel.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>

namespace zentrel::ui {
SidebarRow::SidebarRow(QString title, QString symbolName, ColorToken tint, std::optional<QString> trailing, bool isNew,
                       bool isAI, QWidget* parent)
    : QWidget(parent), symbolTint_(isAI ? ColorToken(DesignTokens::ai()) : tint) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    symbol_ = new QLabel(this);
    symbol_->setFixedWidth(18);
    symbol_->setAlignment(Qt::AlignCenter);
    const auto iconSize = QFontMetrics(DesignTokens::rowIconFont().font()).height();
    symbol_->setPixmap(tintedSymbol(symbolName, iconSize, symbolColor()));
    layout->addWidget(symbol_);

    title_ = tokenLabel(title, DesignTokens::bodyFont(), DesignTokens::textPrimary(), this);
    title_->setWordWrap(false);
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // one line; cut when narrow
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

QColor SidebarRow::symbolColor() const { return symbolTint_.resolve(palette()); }

}  // namespace zentrel::ui
