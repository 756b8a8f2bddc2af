#include "ui/main/CleanedView.hpp"

#include "ui/design/AccessibleRole.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/PageLanding.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/CleaningPresenter.hpp"

namespace zentrel::ui {

QWidget* cleanedResult(const CleanedPageContent& page, QWidget* parent) {
    QVBoxLayout* texts = nullptr;
    auto* result = stackWidget(parent, 8, texts);
    texts->addWidget(symbolLabel("checkmark.circle.fill", DesignTokens::resultIconFont(), DesignTokens::health(), result),
                     0, Qt::AlignHCenter);
    texts->addSpacing(8);
    texts->addWidget(tokenLabel(QString::fromStdString(page.title), DesignTokens::titleFont(), DesignTokens::textPrimary(),
                                result),
                     0, Qt::AlignHCenter);
    texts->addWidget(tokenLabel(QString::fromStdString(page.freedText), DesignTokens::headlineFont(),
                                DesignTokens::textSecondary(), result),
                     0, Qt::AlignHCenter);
    if (page.leftText)
        texts->addWidget(tokenLabel(QString::fromStdString(*page.leftText), DesignTokens::bodyFont(),
                                    DesignTokens::textSecondary(), result),
                         0, Qt::AlignHCenter);
    result->setAccessibleName(QString::fromStdString(page.accessibleLabel));
    setAccessibleRole(*result, QAccessible::Heading);
    markLanding(*result);
    return result;
}

CleanedView::CleanedView(viewmodels::ScanViewModel& viewModel, std::int64_t freedBytes, std::int64_t leftBytes,
                         std::int64_t trackerCookies, QWidget* parent)
    : QWidget(parent) {
    const auto page = cleanedPage(freedBytes, leftBytes, trackerCookies);
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 16, content);
    content->addWidget(cleanedResult(page, body));
    content->addSpacing(8);
    done_ = new PrimaryButton(QString::fromStdString(page.buttonTitle), QString("checkmark"),
                              PrimaryButton::Variant::accent, false, [&viewModel] { finishCleaned(viewModel); }, body);
    done_->setAccessibleDescription(QString::fromStdString(page.buttonHint));
    content->addWidget(done_, 0, Qt::AlignHCenter);
    centreCard(*this, new GlassCard(GlassCard::Variant::primary, 32, 14, false, body), 360, 24);
}

}  // namespace zentrel::ui
