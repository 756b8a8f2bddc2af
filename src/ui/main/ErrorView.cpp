#include "ui/main/ErrorView.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/CleaningPresenter.hpp"

namespace zentrel::ui {

ErrorView::ErrorView(viewmodels::ScanViewModel& viewModel, const std::string& message, QWidget* parent)
    : QWidget(parent) {
    const auto page = errorPage(message);
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 12, content);
    content->addWidget(symbolLabel("exclamationmark.triangle.fill", DesignTokens::emptyStateIconFont(),
                                   DesignTokens::review(), body),
                       0, Qt::AlignHCenter);
    content->addWidget(tokenLabel(QString::fromStdString(page.title), DesignTokens::headlineFont(),
                                  DesignTokens::textPrimary(), body),
                       0, Qt::AlignHCenter);
    message_ = tokenLabel(QString::fromStdString(page.message), DesignTokens::bodyFont(), DesignTokens::textSecondary(), body);
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignHCenter);
    content->addWidget(message_);
    content->addSpacing(8);
    tryAgain_ = new PrimaryButton(QString::fromStdString(page.buttonTitle), QString("arrow.clockwise"),
                                  PrimaryButton::Variant::accent, false, [&viewModel] { tryAgain(viewModel); }, body);
    tryAgain_->setAccessibleDescription(QString::fromStdString(page.buttonHint));
    content->addWidget(tryAgain_, 0, Qt::AlignHCenter);
    centreCard(*this, new GlassCard(GlassCard::Variant::primary, 32, 14, false, body), 400, 24);
}

}  // namespace zentrel::ui
