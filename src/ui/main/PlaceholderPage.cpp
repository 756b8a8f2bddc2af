#include "ui/main/PlaceholderPage.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/PrimaryButton.hpp"

namespace zentrel::ui {

PlaceholderPage::PlaceholderPage(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName("placeholder");
    setAccessibleName(name);
    layout_ = new QVBoxLayout(this);
    layout_->setSpacing(16);
    layout_->addStretch();
    auto* title = tokenLabel(name, DesignTokens::titleFont(), DesignTokens::textSecondary(), this);
    title->setAlignment(Qt::AlignCenter);
    layout_->addWidget(title);
    layout_->addStretch();
}

void PlaceholderPage::addButton(const QString& title, std::function<void()> action) {
    auto* button = new PrimaryButton(title, std::nullopt, PrimaryButton::Variant::accent, false, std::move(action), this);
    layout_->insertWidget(layout_->count() - 1, button, 0, Qt::AlignHCenter);
}

}  // namespace zentrel::ui
