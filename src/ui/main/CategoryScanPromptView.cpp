#include "ui/main/CategoryScanPromptView.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/NamedColors.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/ScanProgressPresenter.hpp"

namespace zentrel::ui {

CategoryScanPromptView::CategoryScanPromptView(viewmodels::ScanViewModel& viewModel, model::CategoryType category,
                                               QWidget* parent)
    : QWidget(parent) {
    const auto prompt = categoryScanPrompt(viewModel, category, platform::Localization::shared().language());
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 16, content);
    content->addWidget(symbolLabel(QString::fromStdString(prompt.symbol), DesignTokens::promptIconFont(),
                                   namedColor(prompt.color), body),
                       0, Qt::AlignHCenter);
    QVBoxLayout* texts = nullptr;
    auto* textStack = stackWidget(body, 8, texts);
    texts->addWidget(tokenLabel(QString::fromStdString(prompt.title), DesignTokens::titleFont(),
                                DesignTokens::textPrimary(), textStack),
                     0, Qt::AlignHCenter);
    if (!prompt.lastScanFigures.empty()) {
        texts->addWidget(tokenLabel(QString::fromStdString(prompt.lastScanFigures), DesignTokens::headlineFont(),
                                    DesignTokens::textPrimary(), textStack),
                         0, Qt::AlignHCenter);
    }
    auto* message = tokenLabel(QString::fromStdString(prompt.message), DesignTokens::bodyFont(),
                               DesignTokens::textSecondary(), textStack);
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignHCenter);
    texts->addWidget(message);
    content->addWidget(textStack);

    button_ = new PrimaryButton(QString::fromStdString(prompt.buttonTitle), QString::fromStdString(prompt.buttonSymbol),
                                PrimaryButton::Variant::accent, false,
                                [&viewModel, category] { scanCategoryFromPrompt(viewModel, category); }, body);
    button_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    button_->setAccessibleDescription(QString::fromStdString(prompt.buttonHint));
    setPlainToolTip(*button_, QString::fromStdString(prompt.buttonHint));
    content->addWidget(button_, 0, Qt::AlignHCenter);

    centreCard(*this, new GlassCard(GlassCard::Variant::primary, 32, 14, false, body), 420, 24);
}

}  // namespace zentrel::ui
