#include "ui/main/EmptyStateCard.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/main/PageParts.hpp"

namespace zentrel::ui {

QWidget* emptyStatePage(const QString& title, const QString& message, int maxWidth, QWidget* parent) {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 12, content);
    content->addWidget(symbolLabel("checkmark.circle.fill", DesignTokens::emptyStateIconFont(), DesignTokens::health(), body),
                       0, Qt::AlignHCenter);
    content->addWidget(tokenLabel(title, DesignTokens::headlineFont(), DesignTokens::textPrimary(), body), 0,
                       Qt::AlignHCenter);
    auto* advice = tokenLabel(message, DesignTokens::bodyFont(), DesignTokens::textSecondary(), body);
    advice->setWordWrap(true);
    advice->setAlignment(Qt::AlignHCenter);
    content->addWidget(advice);
    body->setAccessibleName(title + ". " + message);
    auto* page = new QWidget(parent);
    centreCard(*page, new GlassCard(GlassCard::Variant::primary, 32, 14, false, body), maxWidth, 24);
    return page;
}

}  // namespace zentrel::ui
