#include "ui/main/CleanItemsGroupCard.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/main/PageParts.hpp"

namespace zentrel::ui {

CleanItemsGroupCard::CleanItemsGroupCard(const std::optional<QString>& title, QWidget* parent) : QWidget(parent) {
    body_ = stackWidget(nullptr, 12, content_);
    if (title) {
        auto* label = tokenLabel(title->toUpper(), DesignTokens::sectionLabelFont(), DesignTokens::textTertiary(), body_);
        auto font = label->font();
        font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
        label->setFont(font);
        content_->addWidget(label);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new GlassCard(GlassCard::Variant::primary, 16, 14, true, body_, this));
}

void CleanItemsGroupCard::addRow(QWidget* row) {
    if (rows_ > 0) content_->addWidget(rowDivider(body_));
    content_->addWidget(row);
    ++rows_;
}

}  // namespace zentrel::ui
