#include "ui/design/AppFeatureCard.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/StatusPill.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zentrel::ui {
AppFeatureCard::AppFeatureCard(const QString& symbolName, ColorToken iconTint, const QString& title,
                               const QString& subtitle, bool isActive, bool needsAttention, QWidget* trailing,
                               QWidget* content, QWidget* parent)
    : GlassCard(needsAttention ? Variant::accent : Variant::primary, 16, 14, true, nullptr, parent) {
    // The inside: the header, then the caller's content.
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    auto* header = new QWidget(body);
    column->addWidget(header);
    if (content != nullptr) column->addWidget(content);
    setContent(body);

    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(iconWell(symbolName, DesignTokens::headerIconFont(), iconTint, 40, 0.12, header), 0, Qt::AlignTop);

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    title_ = tokenLabel(title, DesignTokens::titleFont(), DesignTokens::textPrimary(), header);
    title_->setWordWrap(true);
    text->addWidget(title_);
    if (isActive) {
        activePill_ = new StatusPill(QString::fromStdString(platform::localized("Đang hoạt động")), "checkmark",
                                     StatusPill::Variant::safe, header);
        text->addWidget(activePill_, 0, Qt::AlignLeft);
    }
    subtitle_ = tokenLabel(subtitle, DesignTokens::detailFont(), DesignTokens::textSecondary(), header);
    subtitle_->setWordWrap(true);
    text->addWidget(subtitle_);
    row->addLayout(text, 1);
    if (trailing != nullptr) {
        auto* trailingColumn = new QVBoxLayout;
        trailingColumn->setContentsMargins(0, 2, 0, 0);
        trailingColumn->addWidget(trailing);
        trailingColumn->addStretch();
        row->addLayout(trailingColumn);
    }
}

}  // namespace zentrel::ui
